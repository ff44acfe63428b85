#pragma once

#include <QString>

// What the dialogs need of the main window, which sits above them: its filter
// text and the refill of its current list. The main window registers itself.
class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;
    virtual QString FilterText() = 0;
    virtual void SetFilter(const QString& strFilter, const QString& strSelect) = 0;
};

// nullptr while no main window is registered.
MainWindowLink* GetMainWindowLink();
void SetMainWindowLink(MainWindowLink* link);
