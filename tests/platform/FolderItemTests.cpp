#include "platform/FolderItem.h"
#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(FolderItem, NoItemForNoPath) {
    const FolderItem items[] = {FolderItem(), FolderItem::FromShellPath(QString()), FolderItem().Child("x")};
    for (const auto& item : items) {
        EXPECT_FALSE(item.IsValid());
        EXPECT_FALSE(item.Exists());
        EXPECT_FALSE(item.Directory());
        EXPECT_EQ(item.Count(), 0);
        EXPECT_FALSE(item.OpenAsTextFile());
        EXPECT_FALSE(item.CreateTextFile());
    }
}

TEST(FolderItem, NamesPathsAndChildren) {
    QTemporaryDir dir;
    const FolderItem folder = FolderItem::FromShellPath(dir.path() + "/");
    EXPECT_EQ(folder.ShellPath(), dir.path());
    EXPECT_TRUE(folder.Exists());
    EXPECT_TRUE(folder.Directory());

    const FolderItem child = folder.Child("My Games");
    EXPECT_EQ(child.ShellPath(), dir.path() + "/My Games");
    EXPECT_EQ(child.DisplayName(), QStringLiteral("My Games"));
    EXPECT_TRUE(child.IsValid());
    EXPECT_FALSE(child.Exists());
    ASSERT_TRUE(QDir(dir.path()).mkdir("My Games"));
    EXPECT_TRUE(child.Exists());
    EXPECT_TRUE(child.Directory());

    Touch(dir.filePath("file.ssd"));
    EXPECT_TRUE(folder.Child("file.ssd").Exists());
    EXPECT_FALSE(folder.Child("file.ssd").Directory());
    EXPECT_EQ(FolderItem("/").Child("tmp").ShellPath(), QStringLiteral("/tmp"));
}

TEST(FolderItem, ListsEntriesSortedByNameFromOne) {
    QTemporaryDir dir;
    for (const char* name : {"beta.uef", "Alpha.ssd", ".hidden", "alpha.ssd", "Gamma"}) Touch(dir.filePath(name));
    ASSERT_TRUE(QDir(dir.path()).mkdir("Delta"));
    const FolderItem folder(dir.path());
    ASSERT_EQ(folder.Count(), 6);
    QStringList names;
    for (int i = 1; i <= folder.Count(); ++i) names << folder.Item(i).DisplayName();
    EXPECT_EQ(names, (QStringList{".hidden", "Alpha.ssd", "alpha.ssd", "beta.uef", "Delta", "Gamma"}));
    EXPECT_EQ(folder.Names(), names);
    EXPECT_TRUE(folder.Item(5).Directory());
    EXPECT_FALSE(folder.Item(0).IsValid());
    EXPECT_FALSE(folder.Item(7).IsValid());
    EXPECT_FALSE(folder.Item(-1).IsValid());
}

TEST(FolderItem, ListingFollowsChanges) {
    QTemporaryDir dir;
    const FolderItem folder(dir.path());
    EXPECT_EQ(folder.Count(), 0);
    Touch(dir.filePath("a"));
    EXPECT_EQ(folder.Count(), 1);
    Touch(dir.filePath("b"));
    EXPECT_EQ(folder.Item(2).DisplayName(), QStringLiteral("b"));
    ASSERT_TRUE(QFile::remove(dir.filePath("a")));
    EXPECT_EQ(folder.Count(), 1);
    EXPECT_EQ(folder.Item(1).DisplayName(), QStringLiteral("b"));
    EXPECT_EQ(folder.Child("b").Count(), 0);  // a file lists nothing
}

// Sets the item's modification time, leaving its access time.
void SetModified(const QString& path, timespec when) {
    const timespec times[2] = {{0, UTIME_OMIT}, when};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

timespec ModifiedOf(const QString& path) {
    struct stat st {};
    stat(QFile::encodeName(path).constData(), &st);
    return st.st_mtim;
}

TEST(FolderItem, ListingIsReadAgainOnlyWhenTheFolderChanged) {
    QTemporaryDir dir;
    for (int i = 0; i < 20; ++i) Touch(dir.filePath(QStringLiteral("g%1.ssd").arg(i)));
    const FolderItem folder(dir.path());
    // Dated an hour ahead, from a clock that is not ours; then a moment, so
    // that the change is past the clock's step.
    SetModified(dir.path(), {time(nullptr) + 3600, 0});
    QThread::msleep(50);
    for (int round = 0; round < 50; ++round)
        for (int i = 1; i <= folder.Count(); ++i) ASSERT_TRUE(folder.Item(i).IsValid());
    EXPECT_EQ(folder.ListingReads(), 1);

    // A rename whose folder time is then set back is seen, and so is a
    // second one made at once, within the step of the clock that stamped the
    // first: its stamp is the same.
    const timespec before = ModifiedOf(dir.path());
    for (const char* name : {"G1.SSD", "g1.SSD"}) {
        const QString old = folder.NamesWithKey(CaseFreeKey, "g1.ssd").value(0);
        ASSERT_TRUE(QFile::rename(dir.filePath(old), dir.filePath(name)));
        SetModified(dir.path(), before);
        EXPECT_EQ(folder.NamesWithKey(CaseFreeKey, "g1.ssd"), QStringList{name});
    }
}

TEST(FolderItem, TextFilesRoundTrip) {
    QTemporaryDir dir;
    const FolderItem file = FolderItem(dir.path()).Child("list.txt");
    EXPECT_FALSE(file.OpenAsTextFile());
    auto out = file.CreateTextFile();
    ASSERT_TRUE(out);
    out->WriteLine(QStringLiteral("first \u00E9"));
    out->WriteLine(QStringLiteral("second"));
    ASSERT_TRUE(out->Close());
    auto in = file.OpenAsTextFile();
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadLine(), QStringLiteral("first \u00E9"));
    EXPECT_EQ(in->ReadLine(), QStringLiteral("second"));
    EXPECT_TRUE(in->AtEOF());
    EXPECT_FALSE(FolderItem(dir.path()).OpenAsTextFile());

    QString error;
    EXPECT_FALSE(FolderItem(dir.path()).CreateTextFile(&error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(FolderItem, OpensForReadingOnlyExistingFiles) {
    QTemporaryDir dir;
    Touch(dir.filePath("image.ssd"));
    QDir(dir.path()).mkdir("folder");
    const struct {
        QString path;
        bool opens;
    } cases[] = {
        {dir.filePath("image.ssd"), true},
        {dir.filePath("missing.ssd"), false},
        {dir.filePath("folder"), false},
        {dir.filePath("no/such/dir/image.ssd"), false},
        {QString(), false},
    };
    for (const auto& c : cases) EXPECT_EQ(OpensForReading(c.path), c.opens) << c.path.toStdString();
}

}  // namespace
