#include "app/App.h"
#include "app/frmMainMenu.h"
#include "catalogue/Module1.h"
#include "mainwindow/frmMain.h"
#include "platform/WidgetHooks.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    CreateSharedArrays();
    InstallWidgetHandlers();

    class App app;
    app.SetMenuBar(&frmMainMenu());

    // The main window's Open (catalogue, settings, first list, the submenus)
    // runs here, before the event loop handles its first event.
    frmMain();

    const int status = QApplication::exec();
    DisposeMainWindow();
    return status;
}
