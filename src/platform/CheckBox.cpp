#include "platform/CheckBox.h"

#include <QCheckBox>

CheckBox::CheckBox(Window& parent, int left, int top, int width, int height,
                   const QString& caption)
    : Control(parent, left, top, width, height, new QCheckBox(caption)) {
    box_ = static_cast<QCheckBox*>(Widget());
}

CheckBox::CheckBox(TabPanel& panel, int page, int left, int top, int width, int height,
                   const QString& caption)
    : Control(panel, page, left, top, width, height, new QCheckBox(caption)) {
    box_ = static_cast<QCheckBox*>(Widget());
}

CheckBox::~CheckBox() = default;

QString CheckBox::Caption() const {
    return box_->text();
}

void CheckBox::SetCaption(const QString& caption) {
    box_->setText(caption);
}

bool CheckBox::Value() const {
    return box_->isChecked();
}

void CheckBox::SetValue(bool checked) {
    box_->setChecked(checked);
}
