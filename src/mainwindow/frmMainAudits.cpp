#include "mainwindow/frmMain.h"

#include "catalogue/Module1.h"
#include "catalogue/NewGamesInNameOrder.h"
#include "mainwindow/GameImage.h"
#include "mainwindow/PictureName.h"
#include "mainwindow/frmProgress.h"
#include "platform/Application.h"
#include "platform/FolderItem.h"
#include "platform/MsgBox.h"
#include "platform/Text.h"

#include <unordered_set>

namespace {

const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

// Runs `check` on every game, one progress step each; the window is closed
// when the loop ends.
template <class Check>
void AuditEachGame(Check check) {
    frmProgress progress;
    for (int i = 1; i <= gamecount; ++i) {
        if (i <= UBound(games) && games[i]) check(*games[i]);
        progress.SetStep(i, gamecount);
        DoEvents();
    }
    progress.Close();
}

// Both game audits end alike, also when they changed nothing.
void EndAudit(class frmMain& w) {
    SaveGames();
    LoadGames();
    w.SetFilter(w.txtFilter->Text(), QString());
}

// The image paths the catalogue names, as case-free keys, taken once per
// audit; the games the audit adds have no path until the reload, so it adds
// theirs as it goes.
std::unordered_set<QString> CataloguedFiles() {
    std::unordered_set<QString> files;
    files.reserve(gamecount);
    for (int i = 1; i <= gamecount && i <= UBound(games); ++i)
        if (games[i]) files.insert(CaseFreeKey(games[i]->DisplayFilename));
    return files;
}

// An entry is catalogued when a game's path is its own or the path the game
// added for it gets; otherwise it takes that path. With both directories one
// folder, the tape pass meets what the disc pass added.
bool TakeNewEntry(std::unordered_set<QString>& catalogued, const QString& path, const QString& addedPath) {
    return catalogued.count(CaseFreeKey(path)) == 0 && catalogued.insert(CaseFreeKey(addedPath)).second;
}

// Adds each entry of one sub-folder that the catalogue does not name yet;
// returns how many games it added. Folders inside are taken like files.
int AddNewEntries(const FolderItem& sub, bool tapesOnly, std::unordered_set<QString>& catalogued,
                  NewGamesInNameOrder& found) {
    const QString folder = sub.DisplayName();
    const QString addedFolder = AddedFolder(folder) + QLatin1Char('/');
    int added = 0;
    for (const QString& name : sub.Names()) {
        if (tapesOnly && !IsTapeFile(name)) continue;
        QString base, ext;
        if (SplitFoundEntry(name, base, ext) &&
            TakeNewEntry(catalogued, folder + QLatin1Char('/') + name, addedFolder + AddedFileName(name))) {
            found.Add(base, ext, folder);
            ++added;
        }
        DoEvents();
    }
    return added;
}

// One pass over the sub-folders of an image directory. A directory that is
// not set or cannot be listed has no entries, so the pass adds nothing.
int AuditImageDirectory(const QString& path, bool tapesOnly, std::unordered_set<QString>& catalogued,
                        NewGamesInNameOrder& found, frmProgress& progress) {
    const FolderItem dir = FolderItem::FromShellPath(path);
    if (!dir.IsValid()) return 0;
    int added = 0;
    const QStringList names = dir.Names();
    const int n = int(names.size());
    for (int i = 1; i <= n; ++i) {
        progress.SetStep(i, n);
        const FolderItem entry = dir.Child(names.at(i - 1));
        if (entry.Directory()) added += AddNewEntries(entry, tapesOnly, catalogued, found);
        DoEvents();
    }
    return added;
}

}  // namespace

void frmMain::AuditPictures() {
    AuditEachGame([](clsGame& g) {
        g.PicOK = PictureFile(PictureFileName(g.Name, g.Publisher)).Exists() ? kYes : kNo;
    });
    EndAudit(*this);
}

void frmMain::AuditGames() {
    AuditEachGame([](clsGame& g) { g.DiskOK = ImageAvailable(ImagePath(g.DisplayFilename)) ? kYes : kNo; });
    EndAudit(*this);
}

void frmMain::AuditDirectories() {
    std::unordered_set<QString> catalogued = CataloguedFiles();
    // Thousands of new games each walking the catalogue, and moving the games
    // after them, would cost their number times its size.
    NewGamesInNameOrder found;
    int count = 0;
    {
        frmProgress progress;
        progress.SetTitle(QStringLiteral("Auditing Disks Directory"));
        count += AuditImageDirectory(strGameDir, false, catalogued, found, progress);
        progress.SetTitle(QStringLiteral("Auditing Tapes Directory"));
        count += AuditImageDirectory(strTapeDir, true, catalogued, found, progress);
        found.Apply();
        // Saved before the report waits for a person, who may never come.
        SaveGames();
        LoadGames();
        MsgBox(QStringLiteral("Added ") + Str(count) + QStringLiteral(" new games"));
        progress.Close();
    }
    SetFilter(txtFilter->Text(), QString());
}

bool frmMain::FileAuditDisks_Action() {
    AuditGames();
    return false;
}

bool frmMain::FileAuditPictures_Action() {
    AuditPictures();
    return false;
}

bool frmMain::FileAuditDirectories_Action() {
    AuditDirectories();
    return false;
}
