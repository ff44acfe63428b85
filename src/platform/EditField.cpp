#include "platform/EditField.h"

#include <QLineEdit>

EditField::EditField(Window& parent, int left, int top, int width, int height)
    : Control(parent, left, top, width, height, new QLineEdit) {
    Setup();
}

EditField::EditField(TabPanel& panel, int page, int left, int top, int width, int height)
    : Control(panel, page, left, top, width, height, new QLineEdit) {
    Setup();
}

EditField::~EditField() = default;

void EditField::Setup() {
    edit_ = static_cast<QLineEdit*>(Widget());
    QObject::connect(edit_, &QLineEdit::textChanged, [this] {
        if (TextChange) TextChange();
    });
    WatchMouse(edit_);
}

QString EditField::Text() const {
    return edit_->text();
}

void EditField::SetText(const QString& text) {
    edit_->setText(text);
}

bool EditField::OnMouseDown(int x, int y) {
    return MouseDown && MouseDown(x, y);
}
