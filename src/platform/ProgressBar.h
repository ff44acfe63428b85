#pragma once

#include "platform/Control.h"

class QProgressBar;

// A progress bar from 0 to Maximum (100 unless set).
class ProgressBar : public Control {
public:
    ProgressBar(Window& parent, int left, int top, int width, int height);
    ProgressBar(TabPanel& panel, int page, int left, int top, int width, int height);
    ~ProgressBar() override;

    int Value() const;
    void SetValue(int value);  // clamped to 0..Maximum
    int Maximum() const;
    void SetMaximum(int maximum);

private:
    void Setup();
    QProgressBar* bar_;
};
