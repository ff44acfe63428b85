#pragma once

#include "platform/Control.h"

#include <QString>

#include <functional>

class QPushButton;

// A push button. The window's default button is pressed by Return and Enter,
// its cancel button by Esc.
class PushButton : public Control {
public:
    PushButton(Window& parent, int left, int top, int width, int height,
               const QString& caption = QString());
    PushButton(TabPanel& panel, int page, int left, int top, int width, int height,
               const QString& caption = QString());
    ~PushButton() override;

    QString Caption() const;
    void SetCaption(const QString& caption);
    bool Default() const;
    void SetDefault(bool isDefault);
    bool Cancel() const;
    void SetCancel(bool isCancel);

    // Presses the button as a click does (nothing when it is disabled).
    void Push();

    std::function<void()> Action;

private:
    void Setup(const QString& caption);
    QPushButton* button_;
    bool default_ = false;
    bool cancel_ = false;
};
