#include "mainwindow/frmMain.h"

#include "catalogue/Module1.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmEditGame.h"
#include "dialogs/frmSetDirectories.h"
#include "downloader/frmHTTP.h"
#include "mainwindow/GameImage.h"
#include "platform/Application.h"
#include "platform/FolderItem.h"
#include "platform/MsgBox.h"
#include "platform/Quit.h"
#include "platform/Shell.h"
#include "platform/ShellQuote.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

// The Web menu's sites, opened over "http://".
const QString kGoogleSite = QStringLiteral("www.google.com");
const QString kAllTheWebSite = QStringLiteral("www.alltheweb.com");
const QString kEBaySite = QStringLiteral("www.ebay.com");
const QString kTheBBCLivesSite = QStringLiteral("www.nvg.ntnu.no/bbc/");
const QString kBBCGamesArchiveSite = QStringLiteral("www.bbcmicrogames.com");
const QString kAcornElectronWorldSite = QStringLiteral("www.acornelectron.co.uk");
// Stairway To Hell is the archive that the downloader reads.
const QString kStairwayToHellSite = QString::fromLatin1(frmHTTP::kArchiveHost);

bool OpenSite(const QString& site) {
    ExecuteReportingFailure(QStringLiteral("open ") + ShellQuote(QStringLiteral("http://") + site));
    return false;
}

// The game of the list's selected row (its index in games), 0 when no row is
// selected or the row names no game.
int SelectedGame(const Listbox& list) {
    const int row = list.ListIndex();
    if (row < 0) return 0;
    const int k = list.CellTag(row, 1);
    return k >= 1 && k <= gamecount && k <= UBound(games) && games[k] ? k : 0;
}

void SaveAndReload() {
    SaveGames();
    LoadGames();
}

// Gives the selected game a new year or genre: the record, its cell in the
// list, and the catalogue file.
void SetSelectedGameField(Listbox& list, QString clsGame::*field, int column, const QString& value) {
    const int k = SelectedGame(list);
    if (k == 0) return;
    (*games[k]).*field = value;
    list.SetCell(list.ListIndex(), column, value);
    SaveAndReload();
}

bool SetFavourite(const Listbox& list, bool on) {
    const int k = SelectedGame(list);
    if (k == 0) return false;
    games[k]->lcFlags[6] = on;  // "f"
    SaveAndReload();
    return true;
}

// Shows a new downloader, then adds whatever it brought to the catalogue.
void GetImages(class frmMain& w, bool discs) {
    {
        frmHTTP http;
        http.Image = discs;
        http.SetTitle(discs ? QStringLiteral("Download Disc Games") : QStringLiteral("Download Tape Games"));
        http.ShowModal();
    }
    // Asked to end, the audit is left to the next start.
    if (!Ending()) w.AuditDirectories();
}

}  // namespace

bool frmMain::DirectoriesSet() const {
    if (strGameDir.isEmpty() || strProgDir.isEmpty() || strTapeDir.isEmpty()) {
        MsgBox(QStringLiteral("Please set Game, Tape and Program Directories First"));
        return false;
    }
    return true;
}

void frmMain::PlayGame(int row) {
    const Listbox& list = CurrentList();
    if (row < 0 || row >= list.ListCount()) return;
    if (!DirectoriesSet()) return;
    const QString path = ImagePath(list.Cell(row, 5));
    if (!ImageAvailable(path)) {
        MsgBox(QStringLiteral("Game '") + list.Cell(row, 1) + QStringLiteral("' not available"));
        return;
    }
    ExecuteReportingFailure(QStringLiteral("open ") + ShellQuote(strProgDir) + QLatin1Char(' ') + ShellQuote(path));
}

bool frmMain::GamePlay_Action() {
    const int row = CurrentList().ListIndex();
    if (row >= 0) PlayGame(row);
    return false;
}

bool frmMain::GameOpenFolder_Action() {
    if (!DirectoriesSet()) return false;
    const Listbox& list = CurrentList();
    const int row = list.ListIndex();
    if (row < 0) return false;
    ExecuteReportingFailure(QStringLiteral("open ") + ShellQuote(ImageFolderPath(list.Cell(row, 5))));
    return false;
}

bool frmMain::SetFavouriteAdd_Action() {
    SetFavourite(CurrentList(), true);
    return false;
}

bool frmMain::SetFavouriteRemove_Action() {
    // On the favourites tab the game leaves the list.
    if (SetFavourite(CurrentList(), false) && TabPanel1->Value() == 1) SetFilter(txtFilter->Text(), QString());
    return false;
}

bool frmMain::SetGenreDummy_Action(int index) {
    // The submenu was built when the window opened; the item takes whatever
    // the genre list holds now at its index. An item past the list's end
    // names no genre, so it changes nothing.
    if (index < 1 || index > gGenre || index > UBound(strGenre)) return false;
    SetSelectedGameField(CurrentList(), &clsGame::Genre, 4, strGenre[index]);
    return false;
}

bool frmMain::SetYearDummy_Action(int index) {
    const QString year = index == 1 ? QStringLiteral("19xx") : Str(index + 1979);
    SetSelectedGameField(CurrentList(), &clsGame::Year, 3, year);
    return false;
}

bool frmMain::GameDeleteGame_Action() {
    const int k = SelectedGame(CurrentList());
    if (k == 0) return false;
    const QString question = QStringLiteral("Are you sure you want to delete '") + games[k]->Name + QStringLiteral("' ?");
    if (MsgBox(question, kMsgBoxYesNoQuestion, QString()) == kMsgBoxNo) return false;
    // The deleted record ends up just past the catalogue, so slot k names the
    // game that followed it, or the deleted game itself when it was the last.
    std::rotate(games.begin() + k, games.begin() + k + 1, games.begin() + gamecount + 1);
    --gamecount;
    const QString select = games[k]->Name;
    SaveAndReload();
    SetFilter(txtFilter->Text(), select);
    return false;
}

bool frmMain::GameEditGameInfo_Action() {
    const int k = SelectedGame(CurrentList());
    if (k == 0) return false;
    gEdit = k;
    gAction = true;
    frmEditGame().ShowModal();
    return false;
}

bool frmMain::FileAddNewGame_Action() {
    gEdit = 0;
    gAction = false;
    frmEditGame().ShowModal();
    return false;
}

bool frmMain::ImagesGetDiscs_Action() {
    GetImages(*this, true);
    return false;
}

bool frmMain::ImagesGetTapes_Action() {
    GetImages(*this, false);
    return false;
}

bool frmMain::WebGoogle_Action() {
    return OpenSite(kGoogleSite);
}

bool frmMain::WebAllTheWeb_Action() {
    return OpenSite(kAllTheWebSite);
}

bool frmMain::WebeBay_Action() {
    return OpenSite(kEBaySite);
}

bool frmMain::WebTheBBCLives_Action() {
    return OpenSite(kTheBBCLivesSite);
}

bool frmMain::WebStairwayToHell_Action() {
    return OpenSite(kStairwayToHellSite);
}

bool frmMain::WebBBCGamesArchive_Action() {
    return OpenSite(kBBCGamesArchiveSite);
}

bool frmMain::WebAcornElectronWorld_Action() {
    return OpenSite(kAcornElectronWorldSite);
}

bool frmMain::HelpHelp_Action() {
    // A missing help file is left to "open", whose failure is reported.
    const FolderItem help = AppFolder().Child(QStringLiteral("readme.txt"));
    if (help.IsValid()) ExecuteReportingFailure(QStringLiteral("open ") + ShellQuote(help.ShellPath()));
    return false;
}

bool frmMain::HelpAboutCorvale_Action() {
    frmAbout().ShowModal();
    return false;
}

bool frmMain::FileSetDirectories_Action() {
    frmSetDirectories().ShowModal();
    return false;
}
