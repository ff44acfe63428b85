#include "app/App.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "support/TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <utility>
#include <sys/types.h>

namespace {

bool StartsAlone() {
    class App copy;
    return copy.StartAlone();
}

// The built program run as a person would: from its own folder, which holds
// the catalogue and the settings.
class ExecutableTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString program;

    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        program = folder.filePath(QStringLiteral("corvale"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(CORVALE_EXECUTABLE), program));
        WriteBytes(folder.filePath(QStringLiteral("corvale.txt")),
                   "Aardvark (1984) (Acornsoft)<Arcade>{DfP}/Stairway/\nZap Zone (19xx) (Orbit Soft)\n");
    }

    // Starts the program off-screen and waits until it is up.
    void StartUp(QProcess& corvale) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        corvale.setProcessEnvironment(env);
        corvale.start(program, {});
        ASSERT_TRUE(corvale.waitForStarted());
        // Still running once the catalogue is loaded and the window is up.
        EXPECT_FALSE(corvale.waitForFinished(1500)) << corvale.readAllStandardError().toStdString();
        ASSERT_EQ(corvale.state(), QProcess::Running);
    }
};

TEST_F(ExecutableTest, ComesUpAndQuitsCleanlyWhenAskedToEnd) {
    // Asked by the session (SIGTERM) or by its terminal closing (SIGHUP): it
    // closes the main window as its close button does. Started with SIGHUP
    // ignored (nohup), it outlives its terminal. A box that waits for a person
    // ("Could not read" of a settings file that leads nowhere) is answered as
    // its Escape would, its text on standard error, even when nobody reads
    // that any more (a closed terminal's `tee`).
    struct Row {
        int signal;
        bool nohup, boxWaits, stderrClosed;
    };
    const QString settings = folder.filePath(QStringLiteral("corvale.ini"));
    for (const Row& row : {Row{SIGTERM, false, false, false}, Row{SIGHUP, false, false, false},
                           Row{SIGHUP, true, false, false}, Row{SIGTERM, false, true, false},
                           Row{SIGTERM, false, true, true}}) {
        QFile::remove(settings);
        if (row.boxWaits) {
            ASSERT_TRUE(QFile::link(folder.filePath(QStringLiteral("gone/corvale.ini")), settings));
        }
        QProcess corvale;
        if (row.nohup) corvale.setChildProcessModifier([] { ::signal(SIGHUP, SIG_IGN); });
        StartUp(corvale);
        if (row.stderrClosed) corvale.closeReadChannel(QProcess::StandardError);
        ::kill(pid_t(corvale.processId()), row.signal);
        if (row.nohup) {
            EXPECT_FALSE(corvale.waitForFinished(1000));
            corvale.terminate();
        }
        ASSERT_TRUE(corvale.waitForFinished(15000)) << row.signal;
        EXPECT_EQ(corvale.exitStatus(), QProcess::NormalExit) << row.signal;
        const QByteArray said = row.stderrClosed ? QByteArray() : corvale.readAllStandardError();
        EXPECT_EQ(corvale.exitCode(), 0) << said.toStdString();
        if (row.boxWaits && !row.stderrClosed) {
            EXPECT_TRUE(said.contains("Could not read")) << said.toStdString();
        }
    }
    // A run that changed nothing leaves the files as they were.
    EXPECT_EQ(ReadBytes(folder.filePath(QStringLiteral("corvale.txt"))),
              "Aardvark (1984) (Acornsoft)<Arcade>{DfP}/Stairway/\nZap Zone (19xx) (Orbit Soft)\n");
    EXPECT_TRUE(QFileInfo(settings).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(settings));
}

TEST_F(ExecutableTest, RunsOneCopyAtATimeAndTakesOverAKilledCopysLock) {
    QProcess first;
    StartUp(first);
    QStringList messages;
    const MsgBoxHandler previous =
        SetMsgBoxHandler([&messages](const QString& text, int, const QString&) {
            messages << text;
            return kMsgBoxOK;
        });
    SetAppFolderPath(folder.path());
    const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);

    // A second start, which the program makes before it touches any file.
    const QString lock = folder.filePath(QStringLiteral("corvale.lock"));
    EXPECT_FALSE(StartsAlone());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Corvale is already running. If it is not, remove the lock file ") +
                                    lock});
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), files);

    first.kill();
    ASSERT_TRUE(first.waitForFinished(15000));
    EXPECT_TRUE(StartsAlone());

    // Left behind: a lock that names no owner is taken over once it is not
    // being written; one that is in the way or names another machine is named.
    struct Row {
        const char* name;
        std::function<void()> leave;
        bool startsAlone;
        QString refusal;
    };
    const auto aged = [&lock] {
        QFile file(lock);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    };
    const QString refusal = QStringLiteral(". If it is not, remove the lock file ") + lock;
    const Row rows[] = {
        {"empty and old", [&] { WriteBytes(lock, ""); aged(); }, true, QString()},
        {"empty and new", [&] { WriteBytes(lock, ""); }, false, QStringLiteral("Corvale is already running") + refusal},
        {"a folder", [&] { QDir().mkdir(lock); }, false, QStringLiteral("Corvale is already running") + refusal},
        {"another machine's", [&] { WriteBytes(lock, "4242\ncorvale\nother-machine\n"); aged(); }, false,
         QStringLiteral("Corvale is already running on other-machine") + refusal},
    };
    for (const Row& row : rows) {
        messages.clear();
        row.leave();
        EXPECT_EQ(StartsAlone(), row.startsAlone) << row.name;
        EXPECT_EQ(messages.join(QString()), row.refusal) << row.name;
        QDir().rmdir(lock);
        QFile::remove(lock);
    }
    SetAppFolderPath(QString());
    SetMsgBoxHandler(previous);
}

TEST_F(ExecutableTest, SaysSoPlainlyWithoutADisplay) {
    QProcess corvale;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    corvale.setProcessEnvironment(env);
    corvale.start(program, {});
    ASSERT_TRUE(corvale.waitForFinished(15000));
    EXPECT_EQ(corvale.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(corvale.exitCode(), 1);
    EXPECT_TRUE(corvale.readAllStandardError().contains("no graphical display"));
}

} // namespace
