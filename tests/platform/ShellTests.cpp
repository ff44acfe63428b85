#include "platform/Application.h"
#include "platform/Shell.h"
#include "platform/ShellQuote.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteScript(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Restores the application folder after a test that moves it.
class AppFolderGuard {
public:
    AppFolderGuard() : saved_(AppFolderPath()) {}
    ~AppFolderGuard() { SetAppFolderPath(saved_); }

private:
    QString saved_;
};

struct QuoteCase {
    const char* text;
    const char* quoted;
};

TEST(ShellQuote, QuotesAndSurvivesTheShell) {
    const QuoteCase cases[] = {
        {"", "''"},
        {"plain", "'plain'"},
        {"two  blanks\tand tab", "'two  blanks\tand tab'"},
        {"it's", "'it'\\''s'"},
        {"''", "''\\'''\\'''"},
        {"$(touch pwned)", "'$(touch pwned)'"},
        {"`touch pwned`", "'`touch pwned`'"},
        {"a;b|c&d>e<f*g?h~i", "'a;b|c&d>e<f*g?h~i'"},
        {"\"double\" $HOME \\n", "'\"double\" $HOME \\n'"},
        {"line\nbreak", "'line\nbreak'"},
        {"-n", "'-n'"},
    };
    for (const QuoteCase& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(ShellQuote(text), QString::fromUtf8(c.quoted)) << c.text;

        // What the shell hands the program must be the text, unchanged.
        Shell shell;
        shell.Execute(QStringLiteral("printf '%s' ") + ShellQuote(text));
        EXPECT_EQ(shell.ErrorCode(), 0) << c.text;
        EXPECT_EQ(shell.Result(), text) << c.text;
    }
}

struct StatusCase {
    const char* line;
    int code;
    const char* result;
};

TEST(Shell, ExitStatusAndOutputInOrder) {
    const StatusCase cases[] = {
        {"true", 0, ""},
        {"exit 3", 3, ""},
        {"false", 1, ""},
        {"echo out; echo err >&2; exit 5", 5, "out\nerr\n"},
        // Standard error comes after standard output whatever the timing.
        {"echo err >&2; sleep 0.1; echo out", 0, "out\nerr\n"},
        {"printf 'caf\\303\\251'", 0, "caf\u00e9"},
        // Nothing to read on standard input: the line must not hang.
        {"cat", 0, ""},
        {"cd /nonexistent-corvale-dir ; echo next", 0, "next\n"},
    };
    for (const StatusCase& c : cases) {
        Shell shell;
        shell.Execute(QString::fromUtf8(c.line));
        EXPECT_EQ(shell.ErrorCode(), c.code) << c.line;
        if (QByteArray(c.line).startsWith("cd "))
            EXPECT_TRUE(shell.Result().startsWith(QStringLiteral("next\n")) &&
                        shell.Result().contains(QStringLiteral("nonexistent-corvale-dir")))
                << shell.Result().toStdString();
        else
            EXPECT_EQ(shell.Result(), QString::fromUtf8(c.result)) << c.line;
    }
}

TEST(Shell, MissingProgramAndCrashAreFailures) {
    Shell shell;
    shell.Execute(QStringLiteral("corvale-no-such-program --flag"));
    EXPECT_EQ(shell.ErrorCode(), 127);
    EXPECT_TRUE(shell.Result().contains(QStringLiteral("corvale-no-such-program")))
        << shell.Result().toStdString();

    shell.Execute(QStringLiteral("kill -SEGV $$"));
    EXPECT_NE(shell.ErrorCode(), 0);

    // A new line starts from a clean state.
    shell.Execute(QStringLiteral("echo again"));
    EXPECT_EQ(shell.ErrorCode(), 0);
    EXPECT_EQ(shell.Result(), QStringLiteral("again\n"));
}

TEST(Shell, QuotedPathWithBlanksAndQuoteIsOneArgument) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("Bob's Games (1984)"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/Elite $HOME.ssd");
    QFile touch(file);
    ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
    touch.close();

    Shell shell;
    shell.Execute(QStringLiteral("set -- ") + ShellQuote(file) +
                  QStringLiteral(" ; echo $# ; test -f \"$1\""));
    EXPECT_EQ(shell.ErrorCode(), 0);
    EXPECT_EQ(shell.Result(), QStringLiteral("1\n"));

    shell.Execute(QStringLiteral("cd ") + ShellQuote(folder) + QStringLiteral(" ; ls"));
    EXPECT_EQ(shell.ErrorCode(), 0);
    EXPECT_EQ(shell.Result(), QStringLiteral("Elite $HOME.ssd\n"));
}

TEST(Shell, ApplicationBinComesFirstOnPath) {
    AppFolderGuard guard;
    QTemporaryDir app;
    ASSERT_TRUE(app.isValid());
    ASSERT_TRUE(QDir(app.path()).mkdir(QStringLiteral("bin")));
    // Shadows the system's own "true".
    WriteScript(app.filePath(QStringLiteral("bin/true")), "#!/bin/sh\necho ours \"$@\"\nexit 4\n");
    SetAppFolderPath(app.path());

    Shell shell;
    shell.Execute(QStringLiteral("env true x"));
    EXPECT_EQ(shell.ErrorCode(), 4);
    EXPECT_EQ(shell.Result(), QStringLiteral("ours x\n"));
}

} // namespace
