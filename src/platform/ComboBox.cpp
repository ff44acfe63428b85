#include "platform/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>

ComboBox::ComboBox(Window& parent, int left, int top, int width, int height)
    : Control(parent, left, top, width, height, new QComboBox) {
    Setup();
}

ComboBox::ComboBox(TabPanel& panel, int page, int left, int top, int width, int height)
    : Control(panel, page, left, top, width, height, new QComboBox) {
    Setup();
}

ComboBox::~ComboBox() = default;

void ComboBox::Setup() {
    combo_ = static_cast<QComboBox*>(Widget());
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCompleter(nullptr);
    combo_->setDuplicatesEnabled(true);
    WatchMouse(combo_);
    WatchMouse(combo_->lineEdit());
}

void ComboBox::AddRow(const QString& text) {
    // Qt selects the first row added; a row is only an offer, so the text and
    // the selection stay as they were.
    const QString shown = combo_->currentText();
    const int selected = combo_->currentIndex();
    combo_->addItem(text);
    if (combo_->currentIndex() != selected) {
        combo_->setCurrentIndex(selected);
        combo_->setEditText(shown);
    }
}

int ComboBox::ListCount() const {
    return combo_->count();
}

QString ComboBox::List(int row) const {
    return row >= 0 && row < combo_->count() ? combo_->itemText(row) : QString();
}

QString ComboBox::Text() const {
    return combo_->currentText();
}

void ComboBox::SetText(const QString& text) {
    combo_->setEditText(text);
}

int ComboBox::ListIndex() const {
    return combo_->currentIndex();
}

void ComboBox::SetListIndex(int row) {
    combo_->setCurrentIndex(row >= 0 && row < combo_->count() ? row : -1);
}

bool ComboBox::OnMouseDown(int x, int y) {
    return MouseDown && MouseDown(x, y);
}
