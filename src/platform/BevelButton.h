#pragma once

#include "platform/PushButton.h"

// A push button that never takes the keyboard focus.
class BevelButton : public PushButton {
public:
    BevelButton(Window& parent, int left, int top, int width, int height,
                const QString& caption = QString());
    BevelButton(TabPanel& panel, int page, int left, int top, int width, int height,
                const QString& caption = QString());

private:
    void Setup();
};
