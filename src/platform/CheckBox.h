#pragma once

#include "platform/Control.h"

#include <QString>

class QCheckBox;

class CheckBox : public Control {
public:
    CheckBox(Window& parent, int left, int top, int width, int height,
             const QString& caption = QString());
    CheckBox(TabPanel& panel, int page, int left, int top, int width, int height,
             const QString& caption = QString());
    ~CheckBox() override;

    QString Caption() const;
    void SetCaption(const QString& caption);
    bool Value() const;
    void SetValue(bool checked);

private:
    QCheckBox* box_;
};
