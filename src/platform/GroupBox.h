#pragma once

#include "platform/Control.h"

#include <QString>

class QGroupBox;

// A captioned frame drawn behind the controls it surrounds; it does not own them.
class GroupBox : public Control {
public:
    GroupBox(Window& parent, int left, int top, int width, int height,
             const QString& caption = QString());
    ~GroupBox() override;

    QString Caption() const;
    void SetCaption(const QString& caption);

private:
    QGroupBox* box_;
};
