#include "DialogFixture.h"

#include "dialogs/frmSetDirectories.h"

#include <QDir>

namespace {

using SetDirectoriesTest = DialogTest;

void SetShared(const QString& game, const QString& tape, const QString& prog) {
    strGameDir = game;
    strTapeDir = tape;
    strProgDir = prog;
}

TEST_F(SetDirectoriesTest, OKStoresTheTextsAsTypedAndWritesTheSettings) {
    const struct {
        const char* game;
        const char* tape;
        const char* prog;
    } cases[] = {
        {"/discs", "/tapes", "/usr/bin/emu"}, // unchanged
        {"", "", ""},
        {"  /my discs ", "/no/such/folder", "relative emu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.game);
        SetShared("/discs", "/tapes", "/usr/bin/emu");
        gHighlight = 2;
        gFilter = 65;
        auto& w = frmSetDirectories();
        w.txtGameDir->SetText(c.game);
        w.txtTapeDir->SetText(c.tape);
        w.txtProgDir->SetText(c.prog);
        w.cmdOK->Push();
        EXPECT_FALSE(w.IsOpen());
        EXPECT_EQ(strGameDir, QString::fromUtf8(c.game));
        EXPECT_EQ(strTapeDir, QString::fromUtf8(c.tape));
        EXPECT_EQ(strProgDir, QString::fromUtf8(c.prog));
        EXPECT_EQ(ReadFile("corvale.ini"),
                  QByteArray(c.prog) + "\n" + c.game + "\n" + c.tape + "\n2\n65\n");
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SetDirectoriesTest, CancelAndTheCloseButtonStoreNothing) {
    const std::function<void(class frmSetDirectories&)> closers[] = {
        [](class frmSetDirectories& w) { w.cmdCancel->Push(); },
        [](class frmSetDirectories& w) { w.Widget()->close(); },
    };
    for (const auto& close : closers) {
        SetShared("/discs", "/tapes", "/emu");
        auto& w = frmSetDirectories();
        w.txtGameDir->SetText("/elsewhere");
        w.txtTapeDir->SetText("");
        w.txtProgDir->SetText("/other");
        close(w);
        EXPECT_FALSE(w.IsOpen());
        EXPECT_EQ(strGameDir, QStringLiteral("/discs"));
        EXPECT_EQ(strTapeDir, QStringLiteral("/tapes"));
        EXPECT_EQ(strProgDir, QStringLiteral("/emu"));
        EXPECT_FALSE(QFile::exists(FilePath("corvale.ini")));
    }
}

TEST_F(SetDirectoriesTest, OneSharedWindowWhileOpenAFreshOneFilledAfterClosing) {
    SetShared("/discs", "/tapes", "/emu");
    auto& first = frmSetDirectories();
    EXPECT_EQ(first.Title(), QStringLiteral("Set Directories"));
    first.txtGameDir->SetText("/typed but cancelled");
    EXPECT_EQ(&frmSetDirectories(), &first);
    first.cmdCancel->Push();

    strProgDir = QStringLiteral("/usr/bin/emu");
    auto& second = frmSetDirectories();
    EXPECT_TRUE(second.IsOpen());
    EXPECT_EQ(second.txtGameDir->Text(), QStringLiteral("/discs"));
    EXPECT_EQ(second.txtTapeDir->Text(), QStringLiteral("/tapes"));
    EXPECT_EQ(second.txtProgDir->Text(), QStringLiteral("/usr/bin/emu"));
    second.cmdCancel->Push();
}

TEST_F(SetDirectoriesTest, ChoosersFillTheirRowOrLeaveItWhenCancelled) {
    QDir(dir.path()).mkpath("disc images");
    QDir(dir.path()).mkpath("tapes");
    const QString discs = dir.filePath("disc images");
    const QString emulator = dir.filePath("Emu.app");
    std::vector<FileType> asked;
    FolderItem answer;
    SetSelectFolderHook([&] { return answer; });
    SetGetOpenFolderItemHook([&](const FileType& type) {
        asked.push_back(type);
        return answer;
    });

    struct Row {
        PushButton* browse;
        EditField* field;
        QString chosen;
    };
    SetShared("/old discs", "/old tapes", "/old emu");
    auto& w = frmSetDirectories();
    const Row rows[] = {
        {w.cmdBrowseGames.get(), w.txtGameDir.get(), discs},
        {w.cmdBrowseTapes.get(), w.txtTapeDir.get(), dir.filePath("tapes")},
        {w.cmdBrowseProg.get(), w.txtProgDir.get(), emulator},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen.toStdString());
        const QString before = row.field->Text();
        answer = FolderItem(); // cancelled
        row.browse->Push();
        EXPECT_EQ(row.field->Text(), before);
        answer = FolderItem(row.chosen);
        row.browse->Push();
        EXPECT_EQ(row.field->Text(), row.chosen);
    }
    // Only the emulator row asks for a file, and only for applications.
    ASSERT_EQ(asked.size(), 2u);
    for (const FileType& type : asked) {
        EXPECT_EQ(type.Name, QStringLiteral("Application Files"));
        EXPECT_EQ(type.Extensions, QStringLiteral(".app"));
    }
    // Chosen but not confirmed: nothing is stored yet.
    EXPECT_EQ(strGameDir, QStringLiteral("/old discs"));
    w.cmdOK->Push();
    EXPECT_EQ(strGameDir, discs);
    EXPECT_EQ(strProgDir, emulator);
}

TEST_F(SetDirectoriesTest, TheEmulatorChooserOffersApplicationsAndPrograms) {
    const FileType applications{QStringLiteral("Application Files"), QStringLiteral(".app")};
    const auto executable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    QDir(dir.path()).mkpath("Folder");
    QDir(dir.path()).mkpath("Bundle.app");
    const struct {
        const char* name;
        bool exec;
        bool offered;
    } cases[] = {
        {"Emu.app", false, true},     {"EMU.APP", false, true},  {"emulator", true, true},
        {"run.sh", true, true},       {"notes.txt", false, false}, {"emu.app.txt", false, false},
        {"Folder", false, true},      {"Bundle.app", false, true}, {"missing", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = FilePath(c.name);
        if (QString(c.name) != "missing" && !QFileInfo(path).isDir()) {
            WriteFile(c.name, "x");
            if (c.exec) QFile::setPermissions(path, executable);
        }
        EXPECT_EQ(ChooserOffers(applications, path), c.offered);
    }
}

} // namespace
