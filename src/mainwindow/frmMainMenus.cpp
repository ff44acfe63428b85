#include "mainwindow/frmMain.h"

#include "app/frmMainMenu.h"
#include "catalogue/Module1.h"
#include "platform/MenuItem.h"
#include "platform/Text.h"

#include <memory>

namespace {

const char* const kHighlightItems[] = {"HighlightNone", "HighlightNoDisk", "HighlightNoPicture",
                                       "HighlightNoYear"};

struct FilterItem {
    int bit;
    const char* name;
};

const FilterItem kFilterItems[] = {
    {1, "FiltersHideMissingDisks"},     {2, "FiltersHideReReleases"},
    {4, "FiltersCollapseAdventures"},   {8, "FiltersCollapseVarious"},
    {16, "FiltersOnlyShowUnclassified"}, {32, "FiltersHideDisks"},
    {64, "FiltersHideTapes"},           {128, "FiltersHideUnchecked"},
};

MenuItem* MenuChild(const char* menu, const char* item) {
    MenuItem* parent = frmMainMenu().Child(QLatin1String(menu));
    return parent ? parent->Child(QLatin1String(item)) : nullptr;
}

// The item of a highlight mode; nullptr for a mode outside 0 to 3.
MenuItem* HighlightItem(int mode) {
    if (mode < 0 || mode > 3) return nullptr;
    return MenuChild("HighlightMenu", kHighlightItems[mode]);
}

void SetChecked(MenuItem* item, bool checked) {
    if (item) item->SetChecked(checked);
}

MenuItem* GameSubmenu(const char* name) {
    return MenuChild("GameMenu", name);
}

void AppendItem(MenuItem& menu, const QString& name, const QString& text, int index = -1) {
    auto item = std::make_unique<MenuItem>(name, text);
    item->SetAutoEnable(true);
    if (index >= 0) item->SetIndex(index);
    menu.Append(std::move(item));
}

// Hides the design-time dummy at position 0 and enables every item.
void EnableSubmenu(MenuItem* menu) {
    if (!menu) return;
    for (int p = 0; p < menu->Count(); ++p) {
        if (p == 0) menu->Item(0)->SetVisible(false);
        menu->Item(p)->SetEnabled(true);
    }
}

}  // namespace

void frmMain::Open() {
    Init();
    Show();

    SetChecked(HighlightItem(gHighlight), true);
    UpdateMenus();

    SetFilter(QString(), QString());

    if (MenuItem* genres = GameSubmenu("GameSetGenre"))
        for (int i = 1; i <= gGenre; ++i)
            AppendItem(*genres, QStringLiteral("SetGenreDummy"), strGenre[i], i);

    if (MenuItem* years = GameSubmenu("GameSetYear")) {
        const QString item = QStringLiteral("SetYearDummy");
        AppendItem(*years, item, QStringLiteral("19xx"), 1);
        // The decades, each after a separator: the item of Index k is 1979 + k.
        const int decades[][2] = {{1981, 1989}, {1990, 1999}, {2000, 2009}};
        for (int d = 0; d < 3; ++d) {
            AppendItem(*years, QStringLiteral("SetYearSep") + Str(d + 1), QStringLiteral("-"));
            for (int year = decades[d][0]; year <= decades[d][1]; ++year)
                AppendItem(*years, item, Str(year), year - 1979);
        }
    }
}

void frmMain::EnableMenuItems() {
    EnableSubmenu(GameSubmenu("GameSetGenre"));
    EnableSubmenu(GameSubmenu("GameSetYear"));
}

// Both show the settings after the save: one refused because another program
// changed the file reads it again.
void frmMain::SetHighlight(int n) {
    SetChecked(HighlightItem(gHighlight), false);
    gHighlight = n;
    SaveIni();
    SetChecked(HighlightItem(gHighlight), true);
    SetFilter(txtFilter->Text(), QString());
}

void frmMain::SetFilters(int n) {
    gFilter = n == 0 ? 0 : BitXor(gFilter, n);
    SaveIni();
    SetPanelView(TabPanel1->Value());
    SetFilter(txtFilter->Text(), QString());
    UpdateMenus();
}

void frmMain::UpdateMenus() {
    SetChecked(MenuChild("FiltersMenu", "FiltersShowAll"), gFilter == 0);
    for (const FilterItem& filter : kFilterItems)
        SetChecked(MenuChild("FiltersMenu", filter.name), BitAnd(gFilter, filter.bit) == filter.bit);
}

bool frmMain::HighlightNone_Action() {
    SetHighlight(0);
    return false;
}

bool frmMain::HighlightNoDisk_Action() {
    SetHighlight(1);
    return false;
}

bool frmMain::HighlightNoPicture_Action() {
    SetHighlight(2);
    return false;
}

bool frmMain::HighlightNoYear_Action() {
    SetHighlight(3);
    return false;
}

bool frmMain::FiltersShowAll_Action() {
    SetFilters(0);
    return false;
}

bool frmMain::FiltersHideMissingDisks_Action() {
    SetFilters(1);
    return false;
}

bool frmMain::FiltersHideReReleases_Action() {
    SetFilters(2);
    return false;
}

bool frmMain::FiltersCollapseAdventures_Action() {
    SetFilters(4);
    return false;
}

bool frmMain::FiltersCollapseVarious_Action() {
    SetFilters(8);
    return false;
}

bool frmMain::FiltersOnlyShowUnclassified_Action() {
    SetFilters(16);
    return false;
}

bool frmMain::FiltersHideDisks_Action() {
    SetFilters(32);
    return false;
}

bool frmMain::FiltersHideTapes_Action() {
    SetFilters(64);
    return false;
}

bool frmMain::FiltersHideUnchecked_Action() {
    SetFilters(128);
    return false;
}
