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
    // Step i of n: the whole part of (i / n) * 100, divided first in floating
    // point, so step n gives 100. Nothing changes for n below 1.
    void SetStep(int i, int n);

private:
    void Setup();
    QProgressBar* bar_;
};
