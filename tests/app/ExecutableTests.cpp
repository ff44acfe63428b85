#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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
        Write(QStringLiteral("corvale.txt"),
              "Aardvark (1984) (Acornsoft)<Arcade>{DfP}/Stairway/\nZap Zone (19xx) (Orbit Soft)\n");
    }

    void Write(const QString& name, const QByteArray& bytes) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray Read(const QString& name) {
        QFile f(folder.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

TEST_F(ExecutableTest, ComesUpAndQuitsCleanlyWhenItsWindowCloses) {
    QProcess corvale;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    corvale.setProcessEnvironment(env);
    corvale.start(program, {});
    ASSERT_TRUE(corvale.waitForStarted());
    // Still running once the catalogue is loaded and the window is up.
    EXPECT_FALSE(corvale.waitForFinished(1500)) << corvale.readAllStandardError().toStdString();
    ASSERT_EQ(corvale.state(), QProcess::Running);

    corvale.terminate();  // closes the main window as its close button does
    ASSERT_TRUE(corvale.waitForFinished(15000));
    EXPECT_EQ(corvale.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(corvale.exitCode(), 0) << corvale.readAllStandardError().toStdString();
    // A run that changed nothing leaves the files as they were.
    EXPECT_EQ(Read(QStringLiteral("corvale.txt")),
              "Aardvark (1984) (Acornsoft)<Arcade>{DfP}/Stairway/\nZap Zone (19xx) (Orbit Soft)\n");
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("corvale.ini"))));
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
