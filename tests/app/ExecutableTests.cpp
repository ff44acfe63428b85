#include "app/App.h"
#include "platform/Application.h"
#include "platform/MsgBox.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
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
    // ignored (nohup), it outlives its terminal.
    for (const auto& [signal, nohup] : {std::pair{SIGTERM, false}, {SIGHUP, false}, {SIGHUP, true}}) {
        QProcess corvale;
        if (nohup) corvale.setChildProcessModifier([] { ::signal(SIGHUP, SIG_IGN); });
        StartUp(corvale);
        ::kill(pid_t(corvale.processId()), signal);
        if (nohup) {
            EXPECT_FALSE(corvale.waitForFinished(1000));
            corvale.terminate();
        }
        ASSERT_TRUE(corvale.waitForFinished(15000));
        EXPECT_EQ(corvale.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(corvale.exitCode(), 0) << corvale.readAllStandardError().toStdString();
    }
    // A run that changed nothing leaves the files as they were.
    EXPECT_EQ(ReadBytes(folder.filePath(QStringLiteral("corvale.txt"))),
              "Aardvark (1984) (Acornsoft)<Arcade>{DfP}/Stairway/\nZap Zone (19xx) (Orbit Soft)\n");
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("corvale.ini"))));
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
    EXPECT_FALSE(StartsAlone());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Corvale is already running")});
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), files);

    first.kill();
    ASSERT_TRUE(first.waitForFinished(15000));
    EXPECT_TRUE(StartsAlone());
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
