#include "platform/ZipArchive.h"
#include "support/PrivateTmpfs.h"
#include "support/StoredZip.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

// When set, the renames after this many fail with EIO, as on a disk that
// starts failing in the middle of an unpack.
int renamesBeforeFault = -1;

}  // namespace

// The program's renames all come here (rename by way of renameat2): a mount
// fails a rename both ways, so only this can fail a move back after the move
// out held.
extern "C" int renameat2(int fromAt, const char* from, int toAt, const char* to, unsigned int flags) noexcept {
    if (renamesBeforeFault == 0) {
        errno = EIO;
        return -1;
    }
    if (renamesBeforeFault > 0) --renamesBeforeFault;
    return int(syscall(SYS_renameat2, fromAt, from, toAt, to, flags));
}

extern "C" int rename(const char* from, const char* to) noexcept {
    return renameat2(AT_FDCWD, from, AT_FDCWD, to, 0);
}

namespace {

// "@" in a name or link target stands for the test's root folder.
struct Link {
    const char* name;  // below the image folder
    const char* target;
};

constexpr auto kEveryEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

// The image folder sits two levels down, so that "../" and "../../"
// members would land in the root, where the snapshot looks.
class ZipArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir().mkpath(images));
        ASSERT_TRUE(QDir().mkpath(Root("@/outside")));
        WriteBytes(Root("@/app/bin/open"), "#!/bin/sh\n");
        workingDirectory = QDir::currentPath();
    }
    void TearDown() override { EXPECT_EQ(QDir::currentPath().toStdString(), workingDirectory.toStdString()); }

    QString Root(const char* text) const { return QString::fromUtf8(text).replace('@', root.path()); }

    void MakeLinks(const QList<Link>& links) const {
        for (const Link& link : links)
            ASSERT_TRUE(QFile::link(Root(link.target), images + '/' + link.name)) << link.name;
    }

    bool Unpack(const QByteArray& zip, QString* reason = nullptr) {
        WriteBytes(zipPath, zip);
        QString ignored;
        return UnpackZip(zipPath, images, reason ? reason : &ignored);
    }

    void ExpectUnpacked(const QByteArray& zip) {
        QString reason;
        EXPECT_TRUE(Unpack(zip, &reason)) << reason.toStdString();
    }

    // The top of the image folder, hidden names included.
    QStringList Listing() const { return QDir(images).entryList(kEveryEntry); }

    // What lies below the image folder that is neither a plain file nor a folder.
    QStringList Unplain() const {
        QStringList found;
        QDirIterator it(images, kEveryEntry, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            struct stat st;
            if (lstat(QFile::encodeName(path).constData(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)))
                found << path.mid(images.size() + 1);
        }
        found.sort();
        return found;
    }

    // Every path below the root but outside the image folder, links not followed.
    QMap<QString, QByteArray> Outside() const {
        QMap<QString, QByteArray> found;
        QDirIterator it(root.path(), kEveryEntry, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path != zipPath && !path.startsWith(images)) found[path] = it.fileInfo().isFile() ? ReadBytes(path) : "";
        }
        return found;
    }

    QTemporaryDir root;
    const QString images = root.path() + "/tree/images";
    const QString zipPath = root.path() + "/temp.zip";
    QString workingDirectory;
};

struct HostileCase {
    const char* name;
    QList<Link> links;              // present in the image folder beforehand
    QList<QList<ZipMember>> zips;   // unpacked in turn
    bool lastUnpacked;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class HostileZip : public ZipArchiveTest, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileZip, WritesNothingOutsideTheImageFolder) {
    const HostileCase& c = GetParam();
    MakeLinks(c.links);
    const auto before = Outside();
    bool unpacked = false;
    for (QList<ZipMember> zip : c.zips) {
        for (ZipMember& m : zip) {
            m.name = Root(m.name.constData()).toUtf8();
            m.data = Root(m.data.constData()).toUtf8();
        }
        unpacked = Unpack(StoredZipOf(zip));
    }
    EXPECT_EQ(unpacked, c.lastUnpacked);
    const auto after = Outside();
    EXPECT_TRUE(after == before) << QStringList(after.keys()).join(' ').toStdString();
    QStringList links;
    for (const Link& link : c.links) {  // the user's links stay as they were, and nothing else is a link
        EXPECT_EQ(QFileInfo(images + '/' + link.name).symLinkTarget(), Root(link.target)) << link.name;
        links << link.name;
    }
    EXPECT_EQ(Unplain(), links);
    EXPECT_EQ(ReadBytes(images + "/ok.txt"), c.lastUnpacked ? QByteArray("ok") : QByteArray("<missing>"));
}

const QList<Link> kAppLink = {{"app", "@/app"}};
const ZipMember kOk = {"ok.txt", "ok"};

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileZip,
    ::testing::Values(
        HostileCase{"LinkToOutsideThenWriteThroughIt", {},
                    {{{"escape", "@/outside", kZipSymlinkMode}}, {{"escape/planted.txt", "x"}, kOk}}, true},
        HostileCase{"LinkAndWriteInOneZip", {}, {{{"escape", "@/outside", kZipSymlinkMode}, {"escape/x", "x"}, kOk}}, true},
        HostileCase{"BinFilesThroughAppLink", kAppLink, {{{"app/bin/open", "evil"}, kOk}}, false},
        HostileCase{"FolderMembersOverAppLink", kAppLink,
                    {{{"app/", "", kZipFolderMode}, {"app/bin/", "", kZipFolderMode}, {"app/bin/open", "evil"}, kOk}},
                    false},
        HostileCase{"BinFolderLinked", {{"bin", "@/app/bin"}}, {{{"bin/open", "evil"}, kOk}}, false},
        HostileCase{"AbsoluteAndDotDotNames", {},
                    {{{"@/outside/abs.txt", "x"}, {"../up.txt", "x"}, {"../../up2.txt", "x"},
                      {"a/../../../up3.txt", "x"}, {"..\\back.txt", "x"}, kOk}},
                    true},
        HostileCase{"DevicesAndFifos", {}, {{{"tty", "", 020666}, {"disk", "", 060660}, {"fifo", "", 010644}, kOk}},
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZipArchiveTest, UnpacksFilesAndFoldersOverExistingOnesWithPlainModes) {
    WriteBytes(images + "/Elite.ssd", "old image");
    WriteBytes(Root("@/outside/real.ssd"), "outside");
    MakeLinks({{"Game.ssd", "@/outside/real.ssd"}});  // replaced, never written through
    const QString linked = Root("@/linked");  // the folder itself may be reached through a link
    ASSERT_TRUE(QFile::link(images, linked));
    const QByteArray zip = StoredZipOf({{"Elite.ssd", "new image"},
                                        {"Game.ssd", "new game"},
                                        {"Docs/", "", kZipFolderMode},
                                        {"Docs/read.me", "text", 0104777},  // setuid, world-writable
                                        {"Sub/deep/Elite.uef", "tape"}});
    WriteBytes(zipPath, zip);
    QString reason;
    ASSERT_TRUE(UnpackZip(zipPath, linked, &reason)) << reason.toStdString();

    EXPECT_EQ(ReadBytes(images + "/Elite.ssd"), "new image");
    EXPECT_EQ(Unplain(), QStringList());
    EXPECT_EQ(ReadBytes(images + "/Game.ssd"), "new game");
    EXPECT_EQ(ReadBytes(Root("@/outside/real.ssd")), "outside");
    EXPECT_EQ(ReadBytes(images + "/Docs/read.me"), "text");
    EXPECT_EQ(ReadBytes(images + "/Sub/deep/Elite.uef"), "tape");
    struct stat st;
    ASSERT_EQ(lstat(QFile::encodeName(images + "/Docs/read.me").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07111, 0u);  // no setuid, setgid, sticky or execute bits
    EXPECT_EQ(st.st_mode & 0002, 0u);
}

TEST_F(ZipArchiveTest, OnlySkippedMembersOrNoneCountAsUnpacked) {
    const QList<QByteArray> zips = {
        StoredZipOf({{"link", "/etc", kZipSymlinkMode}, {"/abs", "x"}, {"../up", "x"}, {"null", "", 020666}}),
        StoredZipOf({}),
        StoredZipOf({{"./", "", kZipFolderMode}, {".", "", kZipFolderMode}}),  // the folder itself
    };
    for (const QByteArray& zip : zips) {
        ExpectUnpacked(zip);
        EXPECT_EQ(Listing(), QStringList());
    }
}

// Nothing of a zip that fails is left, no member and no private folder, and
// the user's file, link and folder stay as they were.
TEST_F(ZipArchiveTest, WhatIsNotAWholeZipOrHasAMemberInTheWayOrPastTheLimitsFails) {
    WriteBytes(images + "/Elite.ssd", "mine");
    WriteBytes(images + "/Folder/kept", "x");
    MakeLinks({{"L", "@/outside"}});
    const QByteArray zip = StoredZip({{"Elite.ssd", "image bytes"}, {"Other.ssd", "more image bytes"}});
    QByteArray badChecksum = zip;
    badChecksum[badChecksum.indexOf("image bytes")] = 'I';
    WriteBytes(Root("@/tarred/Elite.ssd"), "image");
    ASSERT_EQ(QProcess::execute("tar", {"-cf", Root("@/image.tar"), "-C", Root("@/tarred"), "Elite.ssd"}), 0);
    QByteArray deep;
    for (int i = 0; i < 45; ++i) deep += QByteArray(100, 'd') + '/';
    const QByteArray longName(256, 'n');
    const auto withOk = [](QList<ZipMember> members) { return StoredZipOf(members << kOk); };
    const struct {
        QByteArray bytes;
        QByteArray failing;  // the path the reason starts with, if it names one
    } cases[] = {
        {"<html><head><title>404 Not Found</title></head></html>\n", ""},
        {zip.left(zip.size() / 2), ""},
        {zip.left(zip.size() - 10), ""},
        {badChecksum, ""},
        {ReadBytes(Root("@/image.tar")), ""},
        {"", ""},
        {withOk({{"Elite.ssd/", "", kZipFolderMode}}), "Elite.ssd"},
        {withOk({{"Elite.ssd/x", "x"}}), "Elite.ssd"},
        {withOk({{"Folder", "file"}}), "Folder"},
        {withOk({{"L/./", "", kZipFolderMode}}), "L"},
        {withOk({{"L/.", "", kZipFolderMode}}), "L"},
        {withOk({{"L//./", "", kZipFolderMode}}), "L"},
        {withOk({{"./L/./", "", kZipFolderMode}}), "L"},
        {withOk({{"L/x", "x"}}), "L"},
        {withOk({{"a", "a"}, {deep + "x", "x"}}), deep},
        {withOk({{"a", "a"}, {longName, "x"}}), longName},
        // Members whose bytes are not what they declare, and one whose name
        // cannot be read.
        {withOk({{"Elite.ssd", "", 0, 200 * 1024}}), "Elite.ssd"},
        {withOk({{"Big.ssd", "", 0, int64_t(1) << 40}}), "Big.ssd"},
        {withOk({{"Caf\xE9.ssd", "c", 0, -1, true}}), ""},
    };
    const QStringList before = Listing();
    for (const auto& c : cases) {
        QString reason;
        EXPECT_FALSE(Unpack(c.bytes, &reason)) << c.bytes.left(40).toStdString();
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_TRUE(reason.startsWith(QString::fromUtf8(c.failing))) << reason.toStdString();
        EXPECT_EQ(Listing(), before) << reason.toStdString();
        EXPECT_EQ(ReadBytes(images + "/Elite.ssd"), "mine");
        EXPECT_EQ(QDir(images + "/Folder").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"kept"}));
        EXPECT_EQ(QFileInfo(images + "/L").symLinkTarget(), Root("@/outside"));
        EXPECT_TRUE(QDir(Root("@/outside")).isEmpty());
    }
    QString reason;
    EXPECT_FALSE(UnpackZip(Root("@/missing.zip"), images, &reason));
    EXPECT_FALSE(reason.isEmpty());
    WriteBytes(zipPath, zip);
    EXPECT_FALSE(UnpackZip(zipPath, Root("@/no/such/folder"), &reason));
    EXPECT_TRUE(reason.contains("no/such/folder")) << reason.toStdString();
}

// Private folders have names of their own: members named like them, at the
// top or below, neither fail this unpack nor block a later one; one that a
// killed unpack left is removed.
TEST_F(ZipArchiveTest, MembersNamedLikeThePrivateFolderBlockNothing) {
    WriteBytes(images + "/.corvale-unpacking-Left01/AnF/Half.ssd", "h");
    ExpectUnpacked(StoredZip({{".corvale-unpacking/x", "x"}, {".corvale-unpacking-AbC123/x", "x"},
                              {"AnF/.corvale-unpacking/x", "x"}, {"AnF/A.ssd", "a"}}));
    ExpectUnpacked(StoredZip({{".corvale-unpacking", "x"}, {"AnF/B.ssd", "b"}}));
    EXPECT_EQ(Listing(), QStringList({"AnF"}));
    EXPECT_EQ(ReadBytes(images + "/AnF/B.ssd"), "b");
    EXPECT_EQ(ReadBytes(images + "/AnF/.corvale-unpacking/x"), "x");
}

// Members reach a folder that is a mount point of its own, and names that
// are not UTF-8 (a zip made on DOS); no private folder is left either way.
TEST_F(ZipArchiveTest, MembersReachAnotherFileSystemAndKeepNamesAsBytes) {
    if (PrivateTmpfsPath().isEmpty()) return RunInPrivateTmpfs(256);
    ASSERT_TRUE(QDir().mkpath(images + "/AnF"));
    ASSERT_EQ(mount(QFile::encodeName(PrivateTmpfsPath()).constData(), QFile::encodeName(images + "/AnF").constData(),
                    nullptr, MS_BIND, nullptr),
              0);
    ExpectUnpacked(StoredZip({{"AnF/A.ssd", "a"}, {"AnF/Caf\xE9.ssd", "c"}, {"AnF/Bomb.ssd", "b"}}));
    EXPECT_EQ(Listing(), QStringList({"AnF"}));
    EXPECT_EQ(ReadBytes(images + "/AnF/Bomb.ssd"), "b");
    EXPECT_EQ(access(QFile::encodeName(images + "/AnF/Caf").append("\xE9.ssd").constData(), F_OK), 0);
    EXPECT_EQ(QDir(images + "/AnF").entryList(QDir::Files | QDir::Hidden), QStringList({"A.ssd", "Bomb.ssd"}));
}

// A move that fails (here onto a mount point) puts back the files that
// earlier members had replaced, in a folder of this file system and in one
// of another ("Mnt", where they cannot trade places).
TEST_F(ZipArchiveTest, AFailedMovePutsBackWhatItReplaced) {
    if (PrivateTmpfsPath().isEmpty()) return RunInPrivateTmpfs(256);
    ASSERT_TRUE(QDir().mkpath(images + "/Mnt"));
    ASSERT_EQ(mount("none", QFile::encodeName(images + "/Mnt").constData(), "tmpfs", 0, "size=64k"), 0);
    for (const char* old : {"/AnF/Old.ssd", "/Mnt/Old.ssd"}) WriteBytes(images + old, "old");
    WriteBytes(images + "/Zzz.ssd", "");
    WriteBytes(PrivateTmpfsPath() + "/file", "mounted");
    ASSERT_EQ(mount(QFile::encodeName(PrivateTmpfsPath() + "/file").constData(),
                    QFile::encodeName(images + "/Zzz.ssd").constData(), nullptr, MS_BIND, nullptr),
              0);
    QString reason;
    EXPECT_FALSE(Unpack(StoredZip({{"AnF/New.ssd", "n"}, {"AnF/Old.ssd", "new"}, {"Mnt/Old.ssd", "new"},
                                   {"Zzz.ssd", "z"}}),
                        &reason));
    EXPECT_TRUE(reason.startsWith("Zzz.ssd: ")) << reason.toStdString();
    for (const char* folder : {"/AnF", "/Mnt"}) {
        EXPECT_EQ(ReadBytes(images + folder + "/Old.ssd"), "old");
        EXPECT_EQ(QDir(images + folder).entryList(QDir::Files | QDir::Hidden), QStringList({"Old.ssd"}));
    }
    EXPECT_EQ(Listing(), QStringList({"AnF", "Mnt", "Zzz.ssd"}));

    // Should putting back fail too, the user's file stays in the private
    // folder, where the reason says, and a later unpack leaves it there.
    renamesBeforeFault = 1;
    EXPECT_FALSE(Unpack(StoredZip({{"AnF/Old.ssd", "new"}, {"AnF/Zzz.ssd", "z"}}), &reason));
    renamesBeforeFault = -1;
    const QStringList kept = QDir(images).entryList({".corvale-unpacking*"}, kEveryEntry);
    ASSERT_EQ(kept.size(), 1);
    const QString original = images + '/' + kept.first() + "/AnF/Old.ssd";
    EXPECT_TRUE(reason.contains(original)) << reason.toStdString();
    ExpectUnpacked(StoredZip({{"AnF/New.ssd", "n"}}));
    EXPECT_EQ(ReadBytes(original), "old");
    EXPECT_EQ(ReadBytes(images + "/AnF/Old.ssd"), "new");
}

TEST_F(ZipArchiveTest, AMemberThatCannotBeWrittenFailsTheCallNamingIt) {
    WriteBytes(images + "/Big.ssd", "old image");
    QString reason;
    // A full disk, as root too: writes past the limit fail with EFBIG.
    const QByteArray zip = StoredZip({{"Big.ssd", QByteArray(64 * 1024, 'b')}});
    WriteBytes(zipPath, zip);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool unpacked = UnpackZip(zipPath, images, &reason);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(unpacked);
    EXPECT_TRUE(reason.startsWith("Big.ssd: ")) << reason.toStdString();
    EXPECT_EQ(ReadBytes(images + "/Big.ssd"), "old image");
    EXPECT_EQ(Listing(), QStringList({"Big.ssd"}));
}

}  // namespace
