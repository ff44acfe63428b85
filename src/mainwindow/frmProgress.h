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

    // Only its audit closes it: the window is what keeps the main window's
    // commands away from the catalogue until the audit has saved it.
    bool CancelClose() override { return true; }

    std::unique_ptr<ProgressBar> pb;
};
