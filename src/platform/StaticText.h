#pragma once

#include "platform/Control.h"
#include "platform/Events.h"

#include <QString>

#include <functional>

class QLabel;

// A label.
class StaticText : public Control {
public:
    StaticText(Window& parent, int left, int top, int width, int height,
               const QString& text = QString());
    StaticText(TabPanel& panel, int page, int left, int top, int width, int height,
               const QString& text = QString());
    ~StaticText() override;

    QString Text() const;
    void SetText(const QString& text);
    void SetTextAlign(TextAlign align);
    void SetTextColor(Color color);
    void SetMultiline(bool multiline);

    std::function<bool(int x, int y)> MouseDown;
    std::function<void()> MouseEnter;
    std::function<void()> MouseExit;

protected:
    bool OnMouseDown(int x, int y) override;
    void OnMouseEnter() override;
    void OnMouseExit() override;

private:
    void Setup(const QString& text);
    QLabel* label_;
};
