#include "platform/Shell.h"

#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "platform/Text.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

constexpr int kCannotStart = 127;
constexpr int kSignalBase = 128;

QProcessEnvironment EnvironmentWithHelpers() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString appFolder = AppFolderPath();
    if (appFolder.isEmpty())
        return env;
    const QString bin = QDir(appFolder).filePath(QStringLiteral("bin"));
    const QString path = env.value(QStringLiteral("PATH"));
    env.insert(QStringLiteral("PATH"), path.isEmpty() ? bin : bin + QLatin1Char(':') + path);
    return env;
}

} // namespace

void Shell::Execute(const QString& line) {
    errorCode_ = 0;
    result_.clear();

    QProcess process;
    process.setProcessEnvironment(EnvironmentWithHelpers());
    // The line must never sit waiting for input that nobody will type.
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), line});
    if (!process.waitForStarted(-1)) {
        errorCode_ = kCannotStart;
        result_ = process.errorString();
        return;
    }
    process.waitForFinished(-1);

    result_ = QString::fromLocal8Bit(process.readAllStandardOutput());
    result_ += QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitStatus() == QProcess::CrashExit)
        errorCode_ = kSignalBase + process.exitCode();
    else
        errorCode_ = process.exitCode();
}

bool ExecuteReportingFailure(const QString& line) {
    Shell shell;
    shell.Execute(line);
    if (shell.ErrorCode() == 0)
        return true;
    MsgBox(QStringLiteral("Error ") + Str(shell.ErrorCode()) + QStringLiteral(", ") + shell.Result());
    return false;
}
