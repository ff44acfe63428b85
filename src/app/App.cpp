#include "app/App.h"

#include "platform/Application.h"
#include "platform/MsgBox.h"

#include <QLockFile>

namespace {

class App* gApp = nullptr;

}  // namespace

App::App() {
    gApp = this;
}

App::~App() {
    if (gApp == this) gApp = nullptr;
}

MenuBar* App::MenuBar() const {
    return menuBar_;
}

void App::SetMenuBar(class MenuBar* menuBar) {
    menuBar_ = menuBar;
}

void App::DoEvents() {
    ::DoEvents();
}

bool App::StartAlone() {
    const FolderItem file = AppFolder().Child(QStringLiteral("corvale.lock"));
    lock_ = std::make_unique<QLockFile>(file.ShellPath());
    // A lock is stale only when its copy is gone, however long that one runs.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    // A folder where no lock can be made is one where no copy saves anything.
    if (lock_->error() != QLockFile::LockFailedError) return true;
    lock_.reset();
    MsgBox(QStringLiteral("Corvale is already running"), 48);
    return false;
}

class App& App() {
    if (gApp) return *gApp;
    // Start-up creates it first; a caller without start-up (a test) gets one
    // of its own.
    static class App standIn;
    return standIn;
}
