#include "dialogs/DialogControls.h"

std::unique_ptr<PushButton> MakeButton(Window& parent, int left, int top, int width, int height,
                                       const QString& caption, std::function<void()> action) {
    auto button = std::make_unique<PushButton>(parent, left, top, width, height, caption);
    button->Action = std::move(action);
    return button;
}

std::unique_ptr<StaticText> MakeFieldLabel(Window& parent, int left, int top, int width, int height,
                                           const QString& text) {
    auto label = std::make_unique<StaticText>(parent, left, top, width, height, text);
    label->SetTextAlign(TextAlign::Right);
    return label;
}
