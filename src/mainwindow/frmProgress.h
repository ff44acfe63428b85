#pragma once

#include "platform/ProgressBar.h"
#include "platform/Window.h"

#include <memory>

// The small window that shows how far an audit has gone. One is made for each
// audit run; it shows itself when made and the audit closes it.
class frmProgress : public Window {
public:
    frmProgress();
    ~frmProgress() override;

    // Sets the bar to step i of n: the whole part of (i / n) * 100, divided
    // first in floating point, so step n gives 100.
    void SetStep(int i, int n);

    std::unique_ptr<ProgressBar> pb;
};
