#include "platform/GroupBox.h"

#include <QGroupBox>

GroupBox::GroupBox(Window& parent, int left, int top, int width, int height,
                   const QString& caption)
    : Control(parent, left, top, width, height, new QGroupBox(caption)) {
    box_ = static_cast<QGroupBox*>(Widget());
    // A frame lies behind the controls in it, whichever was created first.
    box_->lower();
}

GroupBox::~GroupBox() = default;

QString GroupBox::Caption() const {
    return box_->title();
}

void GroupBox::SetCaption(const QString& caption) {
    box_->setTitle(caption);
}
