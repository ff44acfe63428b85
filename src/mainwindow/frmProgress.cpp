#include "mainwindow/frmProgress.h"

frmProgress::frmProgress() : Window(331, 64, QStringLiteral("Search Progress")) {
    pb = std::make_unique<ProgressBar>(*this, 20, 20, 291, 20);
    pb->SetMaximum(100);
    pb->SetValue(0);
    Open();
    // Modal to the main window so no command changes the catalogue under the
    // audit, yet without a loop of its own: the audit keeps running.
    ShowWithinModal();
}

frmProgress::~frmProgress() = default;
