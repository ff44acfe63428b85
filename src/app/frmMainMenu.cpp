#include "app/frmMainMenu.h"

#include <memory>

namespace {

struct Entry {
    const char* parent;   // "" for a top-level menu; "Header" under GameMenu for a submenu
    const char* name;
    const char* text;
    const char* shortcut; // nullptr: not set (separators and submenu headers)
    bool arrayMember;     // control-array member: Index 0
    bool inSubmenu;
};

// In the order of creation; a menu before its items, a submenu header before its own.
const Entry kEntries[] = {
    {"", "FileMenu", "&File", "", false, false},
    {"FileMenu", "FileSetDirectories", "Set Directories", "", false, false},
    {"FileMenu", "UntitledSeparator0", "-", nullptr, false, false},
    {"FileMenu", "FileAuditDisks", "Audit Disks", "", false, false},
    {"FileMenu", "FileAuditPictures", "Audit Pictures", "", false, false},
    {"FileMenu", "FileAuditDirectories", "Audit Directories", "", false, false},
    {"FileMenu", "UntitledSeparator1", "-", nullptr, false, false},
    {"FileMenu", "FileAddNewGame", "Add New Game", "", false, false},

    {"", "EditMenu", "Edit", "", false, false},
    {"EditMenu", "EditUndo", "&Undo", "Cmd+Z", false, false},
    {"EditMenu", "UntitledSeparator2", "-", nullptr, false, false},
    {"EditMenu", "EditCut", "Cu&t", "Cmd+X", false, false},
    {"EditMenu", "EditCopy", "&Copy", "Cmd+C", false, false},
    {"EditMenu", "EditPaste", "&Paste", "Cmd+V", false, false},
    {"EditMenu", "EditDelete", "&Delete", "", false, false},
    {"EditMenu", "UntitledSeparator6", "-", nullptr, false, false},
    {"EditMenu", "EditSelectAll", "Select &All", "Cmd+A", false, false},

    {"", "HighlightMenu", "Highlight", "", false, false},
    {"HighlightMenu", "HighlightNone", "None", "", false, false},
    {"HighlightMenu", "HighlightNoDisk", "No Disk", "", false, false},
    {"HighlightMenu", "HighlightNoPicture", "No Picture", "", false, false},
    {"HighlightMenu", "HighlightNoYear", "No Year", "", false, false},

    {"", "FiltersMenu", "Filters", "", false, false},
    {"FiltersMenu", "FiltersShowAll", "Show All", "", false, false},
    {"FiltersMenu", "UntitledSeparator3", "-", nullptr, false, false},
    {"FiltersMenu", "FiltersHideMissingDisks", "Hide Missing Disks", "", false, false},
    {"FiltersMenu", "FiltersHideReReleases", "Hide Re-Releases", "", false, false},
    {"FiltersMenu", "FiltersCollapseAdventures", "Collapse Adventures", "", false, false},
    {"FiltersMenu", "FiltersCollapseVarious", "Collapse Various", "", false, false},
    {"FiltersMenu", "FiltersOnlyShowUnclassified", "Only Show Unchecked", "", false, false},
    {"FiltersMenu", "FiltersHideUnchecked", "Hide Unchecked", "", false, false},
    {"FiltersMenu", "FiltersHideDisks", "Hide Disks", "", false, false},
    {"FiltersMenu", "FiltersHideTapes", "Hide Tapes", "", false, false},

    {"", "GameMenu", "Game", "", false, false},
    {"GameMenu", "GamePlay", "Play", "", false, false},
    {"GameMenu", "GameOpenFolder", "Open Folder", "", false, false},
    {"GameMenu", "UntitledSeparator5", "-", nullptr, false, false},
    {"GameMenu", "GameSetFavourite", "Set Favourite", nullptr, false, false},
    {"GameSetFavourite", "SetFavouriteAdd", "Add", "", false, true},
    {"GameSetFavourite", "SetFavouriteRemove", "Remove", "", false, true},
    {"GameMenu", "GameSetGenre", "Set Genre", nullptr, false, false},
    {"GameSetGenre", "SetGenreDummy", "Dummy", "", true, true},
    {"GameMenu", "GameSetYear", "Set Year", nullptr, false, false},
    {"GameSetYear", "SetYearDummy", "Dummy", "", true, true},
    {"GameMenu", "UntitledSeparator7", "-", nullptr, false, false},
    {"GameMenu", "GameEditGameInfo", "Edit Game Info", "", false, false},
    {"GameMenu", "UntitledSeparator8", "-", nullptr, false, false},
    {"GameMenu", "GameDeleteGame", "Delete Game", "", false, false},

    {"", "ImagesMenu", "Images", "", false, false},
    {"ImagesMenu", "ImagesGetDiscs", "Get Discs", "", false, false},
    {"ImagesMenu", "ImagesGetTapes", "Get Tapes", "", false, false},

    {"", "WebMenu", "Web", "", false, false},
    {"WebMenu", "WebGoogle", "Google", "", false, false},
    {"WebMenu", "WebAllTheWeb", "All The Web ", "", false, false},
    {"WebMenu", "WebeBay", "eBay", "", false, false},
    {"WebMenu", "UntitledSeparator4", "-", nullptr, false, false},
    {"WebMenu", "WebTheBBCLives", "The BBC Lives !", "", false, false},
    {"WebMenu", "WebStairwayToHell", "Stairway To Hell", "", false, false},
    {"WebMenu", "WebBBCGamesArchive", "BBC Games Archive", "", false, false},
    {"WebMenu", "WebAcornElectronWorld", "Acorn Electron World", "", false, false},

    {"", "HelpMenu", "Help", "", false, false},
    {"HelpMenu", "HelpHelp", "Help", "", false, false},
    {"HelpMenu", "UntitledSeparator", "-", nullptr, false, false},
    {"HelpMenu", "HelpAboutCorvale", "About Corvale...", "", false, false},
};

} // namespace

frmMainMenu::frmMainMenu() {
    for (const Entry& e : kEntries) {
        auto item = std::make_unique<MenuItem>();
        item->SetName(QString::fromLatin1(e.name));
        item->SetAutoEnable(true);
        if (e.arrayMember)
            item->SetIndex(0);
        item->SetText(QString::fromLatin1(e.text));
        if (e.shortcut)
            item->SetKeyboardShortcut(QString::fromLatin1(e.shortcut));

        // The parent is looked up afresh for every entry, as the tree grows.
        MenuItem* parent = this;
        if (e.inSubmenu)
            parent = Child("GameMenu")->Child(QString::fromLatin1(e.parent));
        else if (*e.parent)
            parent = Child(QString::fromLatin1(e.parent));
        parent->Append(std::move(item));
    }
}

class frmMainMenu& frmMainMenu() {
    static class frmMainMenu* implicitInstance = new class frmMainMenu;
    return *implicitInstance;
}

MenuItem* EditMenu() {
    return frmMainMenu().Lookup("EditMenu");
}
