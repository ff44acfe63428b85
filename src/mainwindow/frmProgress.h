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

    // Sets the bar to step i of n (ProgressBar::SetStep).
    void SetStep(int i, int n) { pb->SetStep(i, n); }

    std::unique_ptr<ProgressBar> pb;
};
