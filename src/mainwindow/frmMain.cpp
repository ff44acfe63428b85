#include "mainwindow/frmMain.h"

#include "app/frmMainMenu.h"
#include "platform/Quit.h"
#include "platform/MenuBar.h"

#include <memory>

namespace {

// The window that frmMain() answers with: the last one built and not yet
// deleted. Set from the constructor on, so that code running while the window
// is still being built finds it instead of building a second one.
class frmMain* gRegistered = nullptr;

std::unique_ptr<class frmMain>& Owned() {
    static std::unique_ptr<class frmMain> owned;
    return owned;
}

// Settings shared by every game list (heading, resizable columns, both scroll
// bars) or by every category list (none of these but the vertical bar).
std::unique_ptr<Listbox> NewList(TabPanel& panel, int page, int left, int top, int width,
                                 bool gameList) {
    auto list = std::make_unique<Listbox>(panel, page, left, top, width, 511);
    list->SetHasHeading(gameList);
    list->SetColumnsResizable(gameList);
    list->SetScrollBarHorizontal(gameList);
    list->SetScrollBarVertical(true);
    return list;
}

// The two cell events that game and category lists share, bound to the
// handlers of their control array with the member's index.
void BindCellEvents(Listbox& list, class frmMain* window, int index,
                    bool (frmMain::*click)(int, int, int, int, int),
                    bool (frmMain::*paint)(int, Graphics&, int, int, int, int)) {
    list.CellClick = [=](int row, int column, int x, int y) {
        return (window->*click)(index, row, column, x, y);
    };
    list.CellTextPaint = [=](Graphics& g, int row, int column, int x, int y) {
        return (window->*paint)(index, g, row, column, x, y);
    };
}

struct MenuBinding {
    const char* item;
    bool (frmMain::*handler)();
    bool (frmMain::*indexedHandler)(int);  // control arrays: given the chosen Index
};

// In the order of registration.
const MenuBinding kMenuBindings[] = {
    {"HelpAboutCorvale", &frmMain::HelpAboutCorvale_Action, nullptr},
    {"FileSetDirectories", &frmMain::FileSetDirectories_Action, nullptr},
    {"FileAuditPictures", &frmMain::FileAuditPictures_Action, nullptr},
    {"FileAuditDisks", &frmMain::FileAuditDisks_Action, nullptr},
    {"HighlightNone", &frmMain::HighlightNone_Action, nullptr},
    {"HighlightNoDisk", &frmMain::HighlightNoDisk_Action, nullptr},
    {"HighlightNoPicture", &frmMain::HighlightNoPicture_Action, nullptr},
    {"HighlightNoYear", &frmMain::HighlightNoYear_Action, nullptr},
    {"FiltersShowAll", &frmMain::FiltersShowAll_Action, nullptr},
    {"FiltersHideMissingDisks", &frmMain::FiltersHideMissingDisks_Action, nullptr},
    {"FiltersHideReReleases", &frmMain::FiltersHideReReleases_Action, nullptr},
    {"FiltersCollapseAdventures", &frmMain::FiltersCollapseAdventures_Action, nullptr},
    {"FiltersCollapseVarious", &frmMain::FiltersCollapseVarious_Action, nullptr},
    {"WebeBay", &frmMain::WebeBay_Action, nullptr},
    {"WebAcornElectronWorld", &frmMain::WebAcornElectronWorld_Action, nullptr},
    {"WebTheBBCLives", &frmMain::WebTheBBCLives_Action, nullptr},
    {"WebAllTheWeb", &frmMain::WebAllTheWeb_Action, nullptr},
    {"WebBBCGamesArchive", &frmMain::WebBBCGamesArchive_Action, nullptr},
    {"WebGoogle", &frmMain::WebGoogle_Action, nullptr},
    {"WebStairwayToHell", &frmMain::WebStairwayToHell_Action, nullptr},
    {"HelpHelp", &frmMain::HelpHelp_Action, nullptr},
    {"GamePlay", &frmMain::GamePlay_Action, nullptr},
    {"SetFavouriteAdd", &frmMain::SetFavouriteAdd_Action, nullptr},
    {"SetFavouriteRemove", &frmMain::SetFavouriteRemove_Action, nullptr},
    {"GameOpenFolder", &frmMain::GameOpenFolder_Action, nullptr},
    {"SetGenreDummy", nullptr, &frmMain::SetGenreDummy_Action},
    {"SetYearDummy", nullptr, &frmMain::SetYearDummy_Action},
    {"GameEditGameInfo", &frmMain::GameEditGameInfo_Action, nullptr},
    {"FileAddNewGame", &frmMain::FileAddNewGame_Action, nullptr},
    {"GameDeleteGame", &frmMain::GameDeleteGame_Action, nullptr},
    {"ImagesGetDiscs", &frmMain::ImagesGetDiscs_Action, nullptr},
    {"ImagesGetTapes", &frmMain::ImagesGetTapes_Action, nullptr},
    {"FiltersOnlyShowUnclassified", &frmMain::FiltersOnlyShowUnclassified_Action, nullptr},
    {"FileAuditDirectories", &frmMain::FileAuditDirectories_Action, nullptr},
    {"FiltersHideDisks", &frmMain::FiltersHideDisks_Action, nullptr},
    {"FiltersHideTapes", &frmMain::FiltersHideTapes_Action, nullptr},
    {"FiltersHideUnchecked", &frmMain::FiltersHideUnchecked_Action, nullptr},
};

MenuItem* FindItem(const Window& window, const char* name) {
    MenuBar* bar = window.CurrentMenuBar();
    return bar ? bar->Lookup(QLatin1String(name)) : nullptr;
}

MenuItem* FindItem(const Window& window, const char* name, int index) {
    MenuBar* bar = window.CurrentMenuBar();
    return bar ? bar->Lookup(QLatin1String(name), index) : nullptr;
}

}  // namespace

frmMain::frmMain() : Window(1073, 588, QStringLiteral("Corvale")) {
    gRegistered = this;
    SetMainWindowLink(this);
    previousCursor_ = SetMainWindowCursorHandler([this](CursorShape shape) { SetMouseCursor(shape); });

    SetMenuBar(&frmMainMenu());
    CreateControls();
    AddMenuHandlers();
    // The first tab's list gets its columns before Open fills it.
    TabPanel1->RaiseOpen();
    Open();
}

frmMain::~frmMain() {
    SetMainWindowCursorHandler(std::move(previousCursor_));
    if (GetMainWindowLink() == this) SetMainWindowLink(nullptr);
    if (gRegistered == this) gRegistered = nullptr;
}

void frmMain::CreateControls() {
    TabPanel1 = std::make_unique<TabPanel>(
        *this, 20, 14, 665, 550, QStringLiteral("All\rFav\rName\rPublisher\rYear\rGenre"));
    lvwAll_[0] = NewList(*TabPanel1, 1, 23, 49, 658, true);
    ImageWell1 = std::make_unique<ImageWell>(*this, 706, 141, 330, 266);
    txtFilter = std::make_unique<EditField>(*this, 749, 86, 215, 22);
    StaticText1 = std::make_unique<StaticText>(*this, 706, 87, 51, 20, QStringLiteral("Filter"));
    cmdClear = std::make_unique<BevelButton>(*this, 976, 85, 60, 22, QStringLiteral("Clear"));
    for (int i = 0; i < 4; ++i) {
        lvwFilter_[i] = NewList(*TabPanel1, i + 3, 23, 49, 134, false);
        lvwAll_[i + 2] = NewList(*TabPanel1, i + 3, 160, 49, 521, true);
    }
    lvwAll_[1] = NewList(*TabPanel1, 2, 23, 49, 658, true);
    txtGame = std::make_unique<StaticText>(*this, 706, 119, 330, 20);
    Timer1 = std::make_unique<Timer>(*this, Timer::kModeMultiple, 1000);

    StaticText1->SetTextAlign(TextAlign::Left);
    txtGame->SetTextAlign(TextAlign::Left);

    TabPanel1->Open = [this] { TabPanel1_Open(); };
    TabPanel1->Change = [this] { TabPanel1_Change(); };
    for (int i = 0; i < 6; ++i) {
        Listbox& list = *lvwAll_[i];
        BindCellEvents(list, this, i, &frmMain::lvwAll_CellClick, &frmMain::lvwAll_CellTextPaint);
        list.DoubleClick = [this, i] { lvwAll_DoubleClick(i); };
        list.CellBackgroundPaint = [this, i](Graphics& g, int row, int column) {
            return lvwAll_CellBackgroundPaint(i, g, row, column);
        };
        list.MouseDown = [this, i](int x, int y) { return lvwAll_MouseDown(i, x, y); };
    }
    for (int i = 0; i < 4; ++i)
        BindCellEvents(*lvwFilter_[i], this, i, &frmMain::lvwFilter_CellClick,
                       &frmMain::lvwFilter_CellTextPaint);
    txtFilter->TextChange = [this] { txtFilter_TextChange(); };
    txtFilter->MouseDown = [this](int x, int y) { return txtFilter_MouseDown(x, y); };
    cmdClear->Action = [this] { cmdClear_Action(); };
    Timer1->Action = [this] { Timer1_Action(); };
}

void frmMain::AddMenuHandlers() {
    for (const MenuBinding& binding : kMenuBindings) {
        const QString item = QLatin1String(binding.item);
        if (binding.indexedHandler) {
            const auto handler = binding.indexedHandler;
            AddMenuHandler(item, [this, handler](int index) { return (this->*handler)(index); });
        } else {
            const auto handler = binding.handler;
            AddMenuHandler(item, [this, handler] { return (this->*handler)(); });
        }
    }
}

void frmMain::CloseEvent() {
    Quit(0);
}

QString frmMain::FilterText() {
    return txtFilter->Text();
}

#define CORVALE_MENU_ITEM(name) \
    MenuItem* frmMain::name() const { return FindItem(*this, #name); }

CORVALE_MENU_ITEM(HelpMenu)
CORVALE_MENU_ITEM(HelpAboutCorvale)
CORVALE_MENU_ITEM(UntitledSeparator)
CORVALE_MENU_ITEM(HelpHelp)
CORVALE_MENU_ITEM(WebMenu)
CORVALE_MENU_ITEM(WebAcornElectronWorld)
CORVALE_MENU_ITEM(WebBBCGamesArchive)
CORVALE_MENU_ITEM(WebStairwayToHell)
CORVALE_MENU_ITEM(WebTheBBCLives)
CORVALE_MENU_ITEM(UntitledSeparator4)
CORVALE_MENU_ITEM(WebeBay)
CORVALE_MENU_ITEM(WebAllTheWeb)
CORVALE_MENU_ITEM(WebGoogle)
CORVALE_MENU_ITEM(ImagesMenu)
CORVALE_MENU_ITEM(ImagesGetTapes)
CORVALE_MENU_ITEM(ImagesGetDiscs)
CORVALE_MENU_ITEM(GameMenu)
CORVALE_MENU_ITEM(GameDeleteGame)
CORVALE_MENU_ITEM(UntitledSeparator8)
CORVALE_MENU_ITEM(GameEditGameInfo)
CORVALE_MENU_ITEM(UntitledSeparator7)
CORVALE_MENU_ITEM(GameSetYear)
CORVALE_MENU_ITEM(GameSetGenre)
CORVALE_MENU_ITEM(GameSetFavourite)
CORVALE_MENU_ITEM(SetFavouriteRemove)
CORVALE_MENU_ITEM(SetFavouriteAdd)
CORVALE_MENU_ITEM(UntitledSeparator5)
CORVALE_MENU_ITEM(GameOpenFolder)
CORVALE_MENU_ITEM(GamePlay)
CORVALE_MENU_ITEM(FiltersMenu)
CORVALE_MENU_ITEM(FiltersHideTapes)
CORVALE_MENU_ITEM(FiltersHideDisks)
CORVALE_MENU_ITEM(FiltersHideUnchecked)
CORVALE_MENU_ITEM(FiltersOnlyShowUnclassified)
CORVALE_MENU_ITEM(FiltersCollapseVarious)
CORVALE_MENU_ITEM(FiltersCollapseAdventures)
CORVALE_MENU_ITEM(FiltersHideReReleases)
CORVALE_MENU_ITEM(FiltersHideMissingDisks)
CORVALE_MENU_ITEM(UntitledSeparator3)
CORVALE_MENU_ITEM(FiltersShowAll)
CORVALE_MENU_ITEM(HighlightMenu)
CORVALE_MENU_ITEM(HighlightNoYear)
CORVALE_MENU_ITEM(HighlightNoPicture)
CORVALE_MENU_ITEM(HighlightNoDisk)
CORVALE_MENU_ITEM(HighlightNone)
CORVALE_MENU_ITEM(EditMenu)
CORVALE_MENU_ITEM(EditSelectAll)
CORVALE_MENU_ITEM(UntitledSeparator6)
CORVALE_MENU_ITEM(EditDelete)
CORVALE_MENU_ITEM(EditPaste)
CORVALE_MENU_ITEM(EditCopy)
CORVALE_MENU_ITEM(EditCut)
CORVALE_MENU_ITEM(UntitledSeparator2)
CORVALE_MENU_ITEM(EditUndo)
CORVALE_MENU_ITEM(FileMenu)
CORVALE_MENU_ITEM(FileAddNewGame)
CORVALE_MENU_ITEM(UntitledSeparator1)
CORVALE_MENU_ITEM(FileAuditDirectories)
CORVALE_MENU_ITEM(FileAuditPictures)
CORVALE_MENU_ITEM(FileAuditDisks)
CORVALE_MENU_ITEM(UntitledSeparator0)
CORVALE_MENU_ITEM(FileSetDirectories)

#undef CORVALE_MENU_ITEM

MenuItem* frmMain::SetYearDummy(int index) const {
    return FindItem(*this, "SetYearDummy", index);
}

MenuItem* frmMain::SetGenreDummy(int index) const {
    return FindItem(*this, "SetGenreDummy", index);
}

class frmMain& frmMain() {
    if (gRegistered && gRegistered->IsOpen()) return *gRegistered;
    auto& owned = Owned();
    owned.reset();
    owned = std::make_unique<class frmMain>();
    return *owned;
}

bool frmMainExists() {
    return gRegistered != nullptr;
}

void DisposeMainWindow() {
    Owned().reset();
}
