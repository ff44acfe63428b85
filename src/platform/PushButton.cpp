#include "platform/PushButton.h"

#include "platform/Window.h"

#include <QPushButton>

PushButton::PushButton(Window& parent, int left, int top, int width, int height,
                       const QString& caption)
    : Control(parent, left, top, width, height, new QPushButton) {
    Setup(caption);
}

PushButton::PushButton(TabPanel& panel, int page, int left, int top, int width, int height,
                       const QString& caption)
    : Control(panel, page, left, top, width, height, new QPushButton) {
    Setup(caption);
}

PushButton::~PushButton() {
    ParentWindow().SetDefaultButton(this, false);
    ParentWindow().SetCancelButton(this, false);
}

void PushButton::Setup(const QString& caption) {
    button_ = static_cast<QPushButton*>(Widget());
    button_->setText(caption);
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, [this] {
        if (Action) Action();
    });
}

QString PushButton::Caption() const {
    return button_->text();
}

void PushButton::SetCaption(const QString& caption) {
    button_->setText(caption);
}

bool PushButton::Default() const {
    return default_;
}

void PushButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    button_->setDefault(isDefault);
    ParentWindow().SetDefaultButton(this, isDefault);
}

bool PushButton::Cancel() const {
    return cancel_;
}

void PushButton::SetCancel(bool isCancel) {
    cancel_ = isCancel;
    ParentWindow().SetCancelButton(this, isCancel);
}

void PushButton::Push() {
    button_->click();
}
