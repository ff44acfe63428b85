#pragma once

class MenuBar;

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

private:
    class MenuBar* menuBar_ = nullptr;
};

// The application object created at start-up. (Named after its class, as the
// other accessors; write `class App` for the type where the function hides it.)
class App& App();
