#pragma once

#include <memory>

class MenuBar;
class QLockFile;

// The application object. It keeps the program's one menu bar; the event loop
// itself is Qt's.
class App {
public:
    // Becomes the object that App() returns.
    App();
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    class MenuBar* MenuBar() const;
    void SetMenuBar(class MenuBar* menuBar);

    // Handles the pending user-interface events once, inside a long loop.
    void DoEvents();

    // Takes the lock file of the application's folder, held while this object
    // lives, so that two copies never save over each other's changes. False,
    // having said so, when another running copy holds it; the lock of a copy
    // that was killed or crashed is taken over.
    bool StartAlone();

private:
    class MenuBar* menuBar_ = nullptr;
    std::unique_ptr<QLockFile> lock_;
};

// The application object created at start-up. (Named after its class, as the
// other accessors; write `class App` for the type where the function hides it.)
class App& App();
