#include "app/App.h"
#include "app/frmMainMenu.h"
#include "catalogue/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/GuiApplication.h"
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
    class App app;
    if (!app.StartAlone()) return 1;

    CreateSharedArrays();
    app.SetMenuBar(&frmMainMenu());

    // The main window's Open (catalogue, settings, first list, the submenus)
    // runs here, before the event loop handles its first event.
    frmMain();
    // Asked to end (a session closing, say): close as the close button does,
    // once a running command has finished its work and its save.
    OnTerminationSignal([] {
        if (frmMainExists())
            frmMain().Close();
    });

    const int status = qt.Exec();
    DisposeMainWindow();
    return status;
}
