#include "platform/Application.h"
#include "platform/Shell.h"
#include "platform/ShellQuote.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString kHelper = QStringLiteral(CORVALE_OPEN_HELPER);

void WriteFile(const QString& path, const QByteArray& text, bool executable) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable)
        permissions |= QFileDevice::ExeOwner;
    file.setPermissions(permissions);
}

// Lines of a file that a detached program writes; waits until `count` are there.
QStringList WaitForLines(const QString& path, int count) {
    QElapsedTimer clock;
    clock.start();
    QStringList lines;
    while (clock.elapsed() < 10000) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromUtf8(file.readAll());
            lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (lines.size() >= count && text.endsWith(QLatin1Char('\n')))
                return lines;
        }
        QThread::msleep(20);
    }
    return lines;
}

// A scratch folder with a recording xdg-open in fake/ and nothing in empty/.
class OpenHelper : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(kHelper)) << "the build installs " << kHelper.toStdString();
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("fake")));
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("empty")));
        record_ = Path(QStringLiteral("xdg-open.log"));
        WriteFile(Path(QStringLiteral("fake/xdg-open")),
                  "#!/bin/sh\nprintf '%s\\n' \"$*\" >> " + ShellQuote(record_).toUtf8() + "\n",
                  true);
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Runs the helper with PATH set to `path` (the fake folder first by default).
    Shell Run(const QString& arguments, const QString& path = QString()) {
        const QString searchPath =
            path.isNull() ? Path(QStringLiteral("fake")) + QStringLiteral(":/usr/bin:/bin") : path;
        Shell shell;
        shell.Execute(QStringLiteral("cd ") + ShellQuote(dir_.path()) + QStringLiteral(" ; PATH=") +
                      ShellQuote(searchPath) + QLatin1Char(' ') + ShellQuote(kHelper) +
                      QLatin1Char(' ') + arguments);
        return shell;
    }

    QTemporaryDir dir_;
    QString record_;
};

TEST_F(OpenHelper, StartsAnExecutableDetachedWithItsArguments) {
    const QString marker = Path(QStringLiteral("started"));
    WriteFile(Path(QStringLiteral("emulator")),
              "#!/bin/sh\nsleep 2\nprintf '%s\\n' \"$@\" > " + ShellQuote(marker).toUtf8() + "\n",
              true);
    const QString image = Path(QStringLiteral("Bob's Disc.ssd"));
    WriteFile(image, "disc", false);

    // Relative name, as after "cd": must run the file, not look it up on PATH.
    QElapsedTimer clock;
    clock.start();
    const Shell shell =
        Run(QStringLiteral("emulator ") + ShellQuote(image) + QStringLiteral(" 'second arg'"));
    EXPECT_LT(clock.elapsed(), 1500) << "open waited for the program";
    EXPECT_EQ(shell.ErrorCode(), 0) << shell.Result().toStdString();
    EXPECT_EQ(shell.Result(), QString());

    EXPECT_EQ(WaitForLines(marker, 2), QStringList({image, QStringLiteral("second arg")}));
    EXPECT_FALSE(QFile::exists(record_)) << "xdg-open must not be involved";
}

TEST_F(OpenHelper, HandsEachOtherArgumentToXdgOpen) {
    const QString file = Path(QStringLiteral("readme.txt"));
    WriteFile(file, "help", false);
    // Folders carry the x bit but are never run; neither is a plain file.
    const QString bundle = Path(QStringLiteral("Emulator.app"));
    ASSERT_TRUE(QDir().mkdir(bundle));
    const QString dash = QStringLiteral("-rf");
    WriteFile(Path(dash), "", false);

    const QStringList arguments = {file, bundle, QStringLiteral("http://example.org/bbc/"),
                                   QStringLiteral("mailto:someone@example.org?subject=Corvale"),
                                   dash};
    QString line;
    for (const QString& argument : arguments)
        line += ShellQuote(argument) + QLatin1Char(' ');
    const Shell shell = Run(line);
    EXPECT_EQ(shell.ErrorCode(), 0) << shell.Result().toStdString();

    // Each is started on its own, so they may arrive in any order.
    QStringList recorded = WaitForLines(record_, arguments.size());
    recorded.sort();
    QStringList expected = arguments;
    expected.replace(expected.indexOf(dash), QStringLiteral("./") + dash);
    expected.sort();
    EXPECT_EQ(recorded, expected);
}

TEST_F(OpenHelper, ReportsMissingItemsAndOpensNothing) {
    const QString present = Path(QStringLiteral("present.txt"));
    WriteFile(present, "x", false);
    const QString missing = Path(QStringLiteral("Games/No Such Folder"));

    Shell shell = Run(ShellQuote(present) + QLatin1Char(' ') + ShellQuote(missing));
    EXPECT_NE(shell.ErrorCode(), 0);
    EXPECT_EQ(shell.Result(),
              QStringLiteral("open: ") + missing + QStringLiteral(": No such file or directory\n"));

    // Something that merely looks like a scheme after a folder is still a path.
    shell = Run(QStringLiteral("'nofolder/c:d'"));
    EXPECT_NE(shell.ErrorCode(), 0);
    EXPECT_EQ(shell.Result(), QStringLiteral("open: nofolder/c:d: No such file or directory\n"));

    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(record_));
}

TEST_F(OpenHelper, MissingXdgOpenAndNoArguments) {
    Shell shell = Run(QStringLiteral("http://example.org/"), Path(QStringLiteral("empty")));
    EXPECT_NE(shell.ErrorCode(), 0);
    EXPECT_EQ(shell.Result(), QStringLiteral("open: xdg-open not found\n"));

    shell = Run(QString());
    EXPECT_EQ(shell.ErrorCode(), 2);
    EXPECT_TRUE(shell.Result().startsWith(QStringLiteral("usage: open")))
        << shell.Result().toStdString();
}

TEST_F(OpenHelper, ShellFindsTheInstalledHelper) {
    const QString saved = AppFolderPath();
    SetAppFolderPath(QFileInfo(kHelper).dir().absolutePath() + QStringLiteral("/.."));
    Shell shell;
    shell.Execute(QStringLiteral("command -v open"));
    SetAppFolderPath(saved);
    EXPECT_EQ(shell.ErrorCode(), 0);
    EXPECT_EQ(QFileInfo(shell.Result().trimmed()).canonicalFilePath(),
              QFileInfo(kHelper).canonicalFilePath());
}

} // namespace
