#pragma once

#include "platform/PushButton.h"
#include "platform/StaticText.h"

#include <QString>

#include <functional>
#include <memory>

class Window;

// A push button whose Action runs `action`.
std::unique_ptr<PushButton> MakeButton(Window& parent, int left, int top, int width, int height,
                                       const QString& caption, std::function<void()> action);
// The right-aligned label that stands left of a field.
std::unique_ptr<StaticText> MakeFieldLabel(Window& parent, int left, int top, int width, int height,
                                           const QString& text);
