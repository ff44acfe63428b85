#pragma once

#include "platform/Control.h"

#include <QString>

#include <functional>

class QLineEdit;

// A single-line text field.
class EditField : public Control {
public:
    EditField(Window& parent, int left, int top, int width, int height);
    EditField(TabPanel& panel, int page, int left, int top, int width, int height);
    ~EditField() override;

    QString Text() const;
    void SetText(const QString& text);

    // Raised on every change of the text, SetText included.
    std::function<void()> TextChange;
    // x and y relative to the field; true swallows the press.
    std::function<bool(int x, int y)> MouseDown;

protected:
    bool OnMouseDown(int x, int y) override;

private:
    void Setup();
    QLineEdit* edit_;
};
