#pragma once

#include <memory>

class QApplication;

// The toolkit's application object and its event loop, for the program entry.
class GuiApplication {
public:
    GuiApplication(int& argc, char** argv);
    ~GuiApplication();
    GuiApplication(const GuiApplication&) = delete;
    GuiApplication& operator=(const GuiApplication&) = delete;

    // Runs the event loop until the program quits; its exit status.
    int Exec();

    // Without a display the toolkit would abort with a message about its
    // platform plugin; the entry checks first and says plainly what is missing.
    static bool DisplayAvailable();

private:
    std::unique_ptr<QApplication> app_;
};
