#include "app/App.h"
#include "app/frmMainMenu.h"
#include "catalogue/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/TerminationSignal.h"
#include "platform/WidgetHooks.h"

#include <QApplication>

#include <cstdio>

namespace {

// Without a display Qt would abort with a message about its platform plugin;
// say plainly what is missing instead.
bool DisplayAvailable() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fputs("corvale: no graphical display: DISPLAY is not set. Start Corvale from a desktop "
                   "session.\n",
                   stderr);
        return 1;
    }
    QApplication qt(argc, argv);
    CreateSharedArrays();
    InstallWidgetHandlers();

    class App app;
    app.SetMenuBar(&frmMainMenu());

    // The main window's Open (catalogue, settings, first list, the submenus)
    // runs here, before the event loop handles its first event.
    frmMain();
    // Asked to end (a session closing, say): close as the close button does.
    OnTerminationSignal([] {
        if (frmMainExists())
            frmMain().Close();
    });

    const int status = QApplication::exec();
    DisposeMainWindow();
    return status;
}
