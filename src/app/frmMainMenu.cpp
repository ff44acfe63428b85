#include "app/frmMainMenu.h"

#include <memory>

namespace {

struct Entry {
    const char* parent;   // "" for a top-level menu; a submenu's header for its items
    const char* name;
    const char* text;
    const char* shortcut; // nullptr: not set (separators and submenu headers)
    bool arrayMember;     // control-array member: Index 0
};

// In the order of creation; a menu before its items, a submenu header before its own.
const Entry kEntries[] = {
    {"", "FileMenu", "&File", "", false},
    {"FileMenu", "FileSetDirectories", "Set Directories", "", false},
    {"FileMenu", "UntitledSeparator0", "-", nullptr, false},
    {"FileMenu", "FileAuditDisks", "Audit Disks", "", false},
    {"FileMenu", "FileAuditPictures", "Audit Pictures", "", false},
    {"FileMenu", "FileAuditDirectories", "Audit Directories", "", false},
    {"FileMenu", "UntitledSeparator1", "-", nullptr, false},
    {"FileMenu", "FileAddNewGame", "Add New Game", "", false},

    {"", "EditMenu", "Edit", "", false},
    {"EditMenu", "EditUndo", "&Undo", "Cmd+Z", false},
    {"EditMenu", "UntitledSeparator2", "-", nullptr, false},
    {"EditMenu", "EditCut", "Cu&t", "Cmd+X", false},
    {"EditMenu", "EditCopy", "&Copy", "Cmd+C", false},
    {"EditMenu", "EditPaste", "&Paste", "Cmd+V", false},
    {"EditMenu", "EditDelete", "&Delete", "", false},
    {"EditMenu", "UntitledSeparator6", "-", nullptr, false},
    {"EditMenu", "EditSelectAll", "Select &All", "Cmd+A", false},

    {"", "HighlightMenu", "Highlight", "", false},
    {"HighlightMenu", "HighlightNone", "None", "", false},
    {"HighlightMenu", "HighlightNoDisk", "No Disk", "", false},
    {"HighlightMenu", "HighlightNoPicture", "No Picture", "", false},
    {"HighlightMenu", "HighlightNoYear", "No Year", "", false},

    {"", "FiltersMenu", "Filters", "", false},
    {"FiltersMenu", "FiltersShowAll", "Show All", "", false},
    {"FiltersMenu", "UntitledSeparator3", "-", nullptr, false},
    {"FiltersMenu", "FiltersHideMissingDisks", "Hide Missing Disks", "", false},
    {"FiltersMenu", "FiltersHideReReleases", "Hide Re-Releases", "", false},
    {"FiltersMenu", "FiltersCollapseAdventures", "Collapse Adventures", "", false},
    {"FiltersMenu", "FiltersCollapseVarious", "Collapse Various", "", false},
    {"FiltersMenu", "FiltersOnlyShowUnclassified", "Only Show Unchecked", "", false},
    {"FiltersMenu", "FiltersHideUnchecked", "Hide Unchecked", "", false},
    {"FiltersMenu", "FiltersHideDisks", "Hide Disks", "", false},
    {"FiltersMenu", "FiltersHideTapes", "Hide Tapes", "", false},

    {"", "GameMenu", "Game", "", false},
    {"GameMenu", "GamePlay", "Play", "", false},
    {"GameMenu", "GameOpenFolder", "Open Folder", "", false},
    {"GameMenu", "UntitledSeparator5", "-", nullptr, false},
    {"GameMenu", "GameSetFavourite", "Set Favourite", nullptr, false},
    {"GameSetFavourite", "SetFavouriteAdd", "Add", "", false},
    {"GameSetFavourite", "SetFavouriteRemove", "Remove", "", false},
    {"GameMenu", "GameSetGenre", "Set Genre", nullptr, false},
    {"GameSetGenre", "SetGenreDummy", "Dummy", "", true},
    {"GameMenu", "GameSetYear", "Set Year", nullptr, false},
    {"GameSetYear", "SetYearDummy", "Dummy", "", true},
    {"GameMenu", "UntitledSeparator7", "-", nullptr, false},
    {"GameMenu", "GameEditGameInfo", "Edit Game Info", "", false},
    {"GameMenu", "UntitledSeparator8", "-", nullptr, false},
    {"GameMenu", "GameDeleteGame", "Delete Game", "", false},

    {"", "ImagesMenu", "Images", "", false},
    {"ImagesMenu", "ImagesGetDiscs", "Get Discs", "", false},
    {"ImagesMenu", "ImagesGetTapes", "Get Tapes", "", false},

    {"", "WebMenu", "Web", "", false},
    {"WebMenu", "WebGoogle", "Google", "", false},
    {"WebMenu", "WebAllTheWeb", "All The Web ", "", false},
    {"WebMenu", "WebeBay", "eBay", "", false},
    {"WebMenu", "UntitledSeparator4", "-", nullptr, false},
    {"WebMenu", "WebTheBBCLives", "The BBC Lives !", "", false},
    {"WebMenu", "WebStairwayToHell", "Stairway To Hell", "", false},
    {"WebMenu", "WebBBCGamesArchive", "BBC Games Archive", "", false},
    {"WebMenu", "WebAcornElectronWorld", "Acorn Electron World", "", false},

    {"", "HelpMenu", "Help", "", false},
    {"HelpMenu", "HelpHelp", "Help", "", false},
    {"HelpMenu", "UntitledSeparator", "-", nullptr, false},
    {"HelpMenu", "HelpAboutCorvale", "About Corvale...", "", false},
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

        // Every menu and submenu name is unique, so the parent is found at any
        // depth; it was appended by an earlier entry.
        MenuItem* parent = *e.parent ? Lookup(QString::fromLatin1(e.parent)) : this;
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
