#include "support/PrivateTmpfs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const char kTmpfsVariable[] = "CORVALE_PRIVATE_TMPFS";
constexpr int kMountFailed = 77;
constexpr int kChildTimeoutMs = 180000;

QString CurrentTestFilter() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return QString::fromUtf8(info->test_suite_name()) + QLatin1Char('.') + QString::fromUtf8(info->name());
}

// The child's output, for a failure or a skip that must say why.
std::string Output(QProcess& child) {
    return (child.readAllStandardOutput() + child.readAllStandardError()).toStdString();
}

qint64 FreeBytes(const QString& folder) {
    QStorageInfo storage(folder);
    storage.refresh();
    return storage.bytesAvailable();
}

// Writes into `path` until the file system takes no more, byte by byte at the
// end, so that not one byte is left.
void FillUp(const QString& path) {
    QFile filler(path);
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray page(4096, 'f');
    while (filler.write(page) == page.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
    filler.close();
    ASSERT_EQ(FreeBytes(QFileInfo(path).absolutePath()), 0);
}

void EmptyFolder(const QString& folder) {
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) dir.remove(name);
}

}  // namespace

QString PrivateTmpfsPath() {
    return qEnvironmentVariable(kTmpfsVariable);
}

void RunInPrivateTmpfs(int kib) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty()) GTEST_SKIP() << "no unshare program";
    const QStringList privateMounts = {QStringLiteral("--mount"), QStringLiteral("--propagation"),
                                       QStringLiteral("private")};
    QProcess probe;
    probe.start(unshare, privateMounts + QStringList{QStringLiteral("true")});
    if (!probe.waitForFinished(kChildTimeoutMs) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        GTEST_SKIP() << "no private mount namespace could be made: " << Output(probe);
    QTemporaryDir mountPoint;
    ASSERT_TRUE(mountPoint.isValid());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kTmpfsVariable), mountPoint.path());
    env.remove(QStringLiteral("GTEST_OUTPUT"));  // the parent's report is the parent's
    child.setProcessEnvironment(env);
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=\"$2\"k corvale-test \"$1\" || exit %1\n"
        "exec \"$3\" --gtest_filter=\"$4\"").arg(kMountFailed);
    child.start(unshare, privateMounts + QStringList{QStringLiteral("sh"), QStringLiteral("-c"), script,
                                                     QStringLiteral("sh"), mountPoint.path(), QString::number(kib),
                                                     QCoreApplication::applicationFilePath(), CurrentTestFilter()});
    if (!child.waitForFinished(kChildTimeoutMs)) {
        child.kill();
        child.waitForFinished();
        FAIL() << "the run in a private tmpfs did not end:\n" << Output(child);
    }
    const std::string output = Output(child);
    const bool exited = child.exitStatus() == QProcess::NormalExit;
    if (exited && child.exitCode() == kMountFailed) GTEST_SKIP() << "no tmpfs could be mounted:\n" << output;
    ASSERT_TRUE(exited && child.exitCode() == 0) << output;
    if (output.find("[  SKIPPED ]") != std::string::npos) GTEST_SKIP() << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test."), std::string::npos) << output;
}

void ExpectFullDiskSavesFail(const QString& file, const QStringList& messages,
                             const std::function<bool(qint64 bytes)>& save) {
    const QString folder = QFileInfo(file).absolutePath();
    QByteArray old;
    for (int i = 1; i <= 40; ++i) old += "old line " + QByteArray::number(i) + '\n';

    const struct {
        const char* name;
        qint64 (*bytes)(const QString& folder);  // what the save is to write
    } cases[] = {
        {"much too small", [](const QString& folder) { return 4 * FreeBytes(folder); }},
        {"full to the last byte",
         [](const QString& folder) {
             FillUp(folder + QStringLiteral("/filler"));
             return qint64(200);
         }},
        {"a few KB short", [](const QString& folder) { return FreeBytes(folder) + 3 * 1024; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QFileInfo(file).fileName().toStdString() + ", " + c.name);
        EmptyFolder(folder);
        {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_EQ(f.write(old), old.size());
        }
        const qint64 bytes = c.bytes(folder);
        ASSERT_GT(bytes, 0);
        const qsizetype before = messages.size();
        EXPECT_FALSE(save(bytes));
        EXPECT_EQ(messages.size(), before + 1);
        const std::string message = messages.size() > before ? messages.last().toStdString() : std::string();
        EXPECT_EQ(message.rfind("Could not save " + file.toStdString() + ": ", 0), 0u) << message;
        EXPECT_NE(message.find("No space left"), std::string::npos) << message;
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().toStdString(), old.toStdString());
        QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        left.removeOne(QStringLiteral("filler"));
        EXPECT_EQ(left.join(QLatin1Char(' ')).toStdString(), QFileInfo(file).fileName().toStdString());
    }
    EmptyFolder(folder);
}
