#include "platform/BevelButton.h"

#include <QWidget>

BevelButton::BevelButton(Window& parent, int left, int top, int width, int height,
                         const QString& caption)
    : PushButton(parent, left, top, width, height, caption) {
    Setup();
}

BevelButton::BevelButton(TabPanel& panel, int page, int left, int top, int width, int height,
                         const QString& caption)
    : PushButton(panel, page, left, top, width, height, caption) {
    Setup();
}

void BevelButton::Setup() {
    Widget()->setFocusPolicy(Qt::NoFocus);
}
