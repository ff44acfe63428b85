#include "app/App.h"

#include "platform/Application.h"
#include "platform/MsgBox.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cstdlib>

namespace {

class App* gApp = nullptr;

// A copy that ended between making its lock and writing it leaves a lock
// that names no owner; one that has stayed so this long is not being written.
constexpr qint64 kUnownedLockSeconds = 5;

bool UnownedAndOld(QLockFile& lock, const QString& path) {
    if (lock.getLockInfo(nullptr, nullptr, nullptr)) return false;
    const QFileInfo file(path);
    return file.isFile() &&
           std::llabs(file.lastModified().secsTo(QDateTime::currentDateTime())) > kUnownedLockSeconds;
}

// Names the lock file, so that a person who knows no copy runs (a crash on
// another machine sharing the folder, say) knows what to remove.
QString Refusal(QLockFile& lock, const QString& path) {
    QString host;
    const bool named = lock.getLockInfo(nullptr, &host, nullptr);
    const QString where = named && !host.isEmpty() && host != QSysInfo::machineHostName()
                              ? QStringLiteral(" on ") + host
                              : QString();
    return QStringLiteral("Corvale is already running") + where +
           QStringLiteral(". If it is not, remove the lock file ") + path;
}

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

bool App::StartAlone() {
    const QString path = AppFolder().Child(QStringLiteral("corvale.lock")).ShellPath();
    lock_ = std::make_unique<QLockFile>(path);
    // A lock is stale only when its copy is gone, however long that one runs.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return true;
    // A folder where no lock can be made is one where no copy saves anything.
    if (lock_->error() != QLockFile::LockFailedError) return true;
    // Removal takes the lock's own file lock, which a living copy holds.
    if (UnownedAndOld(*lock_, path) && lock_->removeStaleLockFile() && lock_->tryLock(0)) return true;
    const QString refusal = Refusal(*lock_, path);
    lock_.reset();
    MsgBox(refusal, 48);
    return false;
}

class App& App() {
    if (gApp) return *gApp;
    // Start-up creates it first; a caller without start-up (a test) gets one
    // of its own.
    static class App standIn;
    return standIn;
}
