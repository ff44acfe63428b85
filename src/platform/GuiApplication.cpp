#include "platform/GuiApplication.h"

#include <QApplication>

GuiApplication::GuiApplication(int& argc, char** argv)
    : app_(std::make_unique<QApplication>(argc, argv)) {}

GuiApplication::~GuiApplication() = default;

int GuiApplication::Exec() {
    return QApplication::exec();
}

bool GuiApplication::DisplayAvailable() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
