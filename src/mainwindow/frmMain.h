#pragma once

#include "dialogs/MainWindowLink.h"
#include "platform/BevelButton.h"
#include "platform/EditField.h"
#include "platform/ImageWell.h"
#include "platform/Listbox.h"
#include "platform/StaticText.h"
#include "platform/TabPanel.h"
#include "platform/Timer.h"
#include "platform/Window.h"

#include <QString>

#include <array>
#include <memory>

class Graphics;
class MenuItem;

// The main window: six tabs of game lists with category lists, the text
// filter, and the picture of the selected game. It alone answers the commands
// of the shared menu bar. Split by concern over frmMain*.cpp.
class frmMain : public Window, public MainWindowLink {
public:
    // Builds the whole window: layout and menu bar, controls, menu handlers,
    // the tab panel's Open, then the window's Open.
    frmMain();
    ~frmMain() override;

    // Controls. lvwAll(i) is the game list of tab i (0 to 5); lvwFilter(i)
    // the category list of tab i + 2.
    std::unique_ptr<TabPanel> TabPanel1;
    Listbox& lvwAll(int index) const { return *lvwAll_[index]; }
    Listbox& lvwFilter(int index) const { return *lvwFilter_[index]; }
    std::unique_ptr<ImageWell> ImageWell1;
    std::unique_ptr<EditField> txtFilter;
    std::unique_ptr<StaticText> StaticText1;
    std::unique_ptr<BevelButton> cmdClear;
    std::unique_ptr<StaticText> txtGame;
    std::unique_ptr<Timer> Timer1;

    // Methods, as the other windows and the commands use them.
    void ShowPicture(int row);
    void SetFilter(const QString& strFilter, const QString& strSelect) override;
    QString FilterText() override;
    void SetPanelView(int tab);
    void AuditPictures();
    void AuditGames();
    void SetHighlight(int n);
    void SetFilters(int n);
    void UpdateMenus();
    void PlayGame(int row);
    void AuditDirectories();

    // Window events.
    void Open() override;
    void CloseEvent() override;
    void EnableMenuItems() override;

    // Control events.
    void TabPanel1_Open();
    void TabPanel1_Change();
    bool lvwAll_CellClick(int index, int row, int column, int x, int y);
    bool lvwAll_CellTextPaint(int index, Graphics& g, int row, int column, int x, int y);
    void lvwAll_DoubleClick(int index);
    bool lvwAll_CellBackgroundPaint(int index, Graphics& g, int row, int column);
    bool lvwAll_MouseDown(int index, int x, int y);
    void txtFilter_TextChange();
    bool txtFilter_MouseDown(int x, int y);
    void cmdClear_Action();
    bool lvwFilter_CellClick(int index, int row, int column, int x, int y);
    bool lvwFilter_CellTextPaint(int index, Graphics& g, int row, int column, int x, int y);
    void Timer1_Action();

    // The menu items, found by name in the shared menu bar (nullptr when none).
    MenuItem* HelpMenu() const;
    MenuItem* HelpAboutCorvale() const;
    MenuItem* UntitledSeparator() const;
    MenuItem* HelpHelp() const;
    MenuItem* WebMenu() const;
    MenuItem* WebAcornElectronWorld() const;
    MenuItem* WebBBCGamesArchive() const;
    MenuItem* WebStairwayToHell() const;
    MenuItem* WebTheBBCLives() const;
    MenuItem* UntitledSeparator4() const;
    MenuItem* WebeBay() const;
    MenuItem* WebAllTheWeb() const;
    MenuItem* WebGoogle() const;
    MenuItem* ImagesMenu() const;
    MenuItem* ImagesGetTapes() const;
    MenuItem* ImagesGetDiscs() const;
    MenuItem* GameMenu() const;
    MenuItem* GameDeleteGame() const;
    MenuItem* UntitledSeparator8() const;
    MenuItem* GameEditGameInfo() const;
    MenuItem* UntitledSeparator7() const;
    MenuItem* GameSetYear() const;
    MenuItem* SetYearDummy(int index) const;
    MenuItem* GameSetGenre() const;
    MenuItem* SetGenreDummy(int index) const;
    MenuItem* GameSetFavourite() const;
    MenuItem* SetFavouriteRemove() const;
    MenuItem* SetFavouriteAdd() const;
    MenuItem* UntitledSeparator5() const;
    MenuItem* GameOpenFolder() const;
    MenuItem* GamePlay() const;
    MenuItem* FiltersMenu() const;
    MenuItem* FiltersHideTapes() const;
    MenuItem* FiltersHideDisks() const;
    MenuItem* FiltersHideUnchecked() const;
    MenuItem* FiltersOnlyShowUnclassified() const;
    MenuItem* FiltersCollapseVarious() const;
    MenuItem* FiltersCollapseAdventures() const;
    MenuItem* FiltersHideReReleases() const;
    MenuItem* FiltersHideMissingDisks() const;
    MenuItem* UntitledSeparator3() const;
    MenuItem* FiltersShowAll() const;
    MenuItem* HighlightMenu() const;
    MenuItem* HighlightNoYear() const;
    MenuItem* HighlightNoPicture() const;
    MenuItem* HighlightNoDisk() const;
    MenuItem* HighlightNone() const;
    MenuItem* EditMenu() const;
    MenuItem* EditSelectAll() const;
    MenuItem* UntitledSeparator6() const;
    MenuItem* EditDelete() const;
    MenuItem* EditPaste() const;
    MenuItem* EditCopy() const;
    MenuItem* EditCut() const;
    MenuItem* UntitledSeparator2() const;
    MenuItem* EditUndo() const;
    MenuItem* FileMenu() const;
    MenuItem* FileAddNewGame() const;
    MenuItem* UntitledSeparator1() const;
    MenuItem* FileAuditDirectories() const;
    MenuItem* FileAuditPictures() const;
    MenuItem* FileAuditDisks() const;
    MenuItem* UntitledSeparator0() const;
    MenuItem* FileSetDirectories() const;

    // Menu handlers; each returns false so the framework goes on.
    bool HelpAboutCorvale_Action();
    bool FileSetDirectories_Action();
    bool FileAuditPictures_Action();
    bool FileAuditDisks_Action();
    bool HighlightNone_Action();
    bool HighlightNoDisk_Action();
    bool HighlightNoPicture_Action();
    bool HighlightNoYear_Action();
    bool FiltersShowAll_Action();
    bool FiltersHideMissingDisks_Action();
    bool FiltersHideReReleases_Action();
    bool FiltersCollapseAdventures_Action();
    bool FiltersCollapseVarious_Action();
    bool WebeBay_Action();
    bool WebAcornElectronWorld_Action();
    bool WebTheBBCLives_Action();
    bool WebAllTheWeb_Action();
    bool WebBBCGamesArchive_Action();
    bool WebGoogle_Action();
    bool WebStairwayToHell_Action();
    bool HelpHelp_Action();
    bool GamePlay_Action();
    bool SetFavouriteAdd_Action();
    bool SetFavouriteRemove_Action();
    bool GameOpenFolder_Action();
    bool SetGenreDummy_Action(int index);
    bool SetYearDummy_Action(int index);
    bool GameEditGameInfo_Action();
    bool FileAddNewGame_Action();
    bool GameDeleteGame_Action();
    bool ImagesGetDiscs_Action();
    bool ImagesGetTapes_Action();
    bool FiltersOnlyShowUnclassified_Action();
    bool FileAuditDirectories_Action();
    bool FiltersHideDisks_Action();
    bool FiltersHideTapes_Action();
    bool FiltersHideUnchecked_Action();

private:
    void CreateControls();
    void AddMenuHandlers();
    // The current game list: lvwAll(TabPanel1.Value).
    Listbox& CurrentList() const;
    // Play and Open Folder need all three directories; false after the message.
    bool DirectoriesSet() const;

    std::array<std::unique_ptr<Listbox>, 6> lvwAll_;
    std::array<std::unique_ptr<Listbox>, 4> lvwFilter_;
    int shownGame_ = 0; // the game whose picture is shown; 0 for none
    CursorHandler previousCursor_;
};

// The main window, found or created (named after its class, as the system's
// accessors are; write `class frmMain` for the type where the function hides it).
class frmMain& frmMain();
// True while the main window exists, so hooks can reach it without creating it.
bool frmMainExists();
// Deletes the main window that the accessor created; start-up calls it after
// the event loop, so that the window goes before the application object.
void DisposeMainWindow();
