#include "app/App.h"

#include "platform/Application.h"

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

class App& App() {
    if (gApp) return *gApp;
    // Start-up creates it first; a caller without start-up (a test) gets one
    // of its own.
    static class App standIn;
    return standIn;
}
