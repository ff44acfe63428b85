#include "app/App.h"
#include "app/frmMainMenu.h"
#include "catalogue/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/GuiApplication.h"
#include "platform/Quit.h"
#include "platform/TerminationSignal.h"
#include "platform/WidgetHooks.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (!GuiApplication::DisplayAvailable()) {
        std::fputs("corvale: no graphical display: DISPLAY is not set. Start Corvale from a desktop "
                   "session.\n",
                   stderr);
        return 1;
    }
    GuiApplication qt(argc, argv);
    InstallWidgetHandlers();
    // Asked to end (a session closing, say): close as the close button does,
    // once a running command has finished its work and its save. Asked while
    // it starts, it ends once started: the main window is not whole before.
    bool started = false;
    OnTerminationSignal([&started] {
        if (started && frmMainExists()) frmMain().Close();
    });
    class App app;
    if (!app.StartAlone()) return 1;

    CreateSharedArrays();
    app.SetMenuBar(&frmMainMenu());

    // The main window's Open (catalogue, settings, first list, the submenus)
    // runs here, before the event loop handles its first event.
    frmMain();
    started = true;
    if (Ending()) {
        DisposeMainWindow();
        return 0;
    }
    const int status = qt.Exec();
    DisposeMainWindow();
    return status;
}
