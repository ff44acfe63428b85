#include "mainwindow/frmMain.h"

#include "catalogue/Module1.h"
#include "mainwindow/GameImage.h"
#include "platform/Text.h"
#include "platform/TextSearch.h"

#include <vector>

namespace {

const QString kColumnWidths = QStringLiteral("8%,30%,20%,8%,10%,10%,10%,10%,10%");
const char* const kHeadings[] = {"Index", "Game",   "Publisher", "Year",  "Genre",
                                 "Filename", "Source", "Disk OK", "Pic OK"};

constexpr int kFlagA = 'a' - 96;
constexpr int kFlagF = 'f' - 96;
constexpr int kFlagN = 'n' - 96;
constexpr int kFlagR = 'r' - 96;
constexpr int kFlagV = 'v' - 96;

bool BitSet(int bit) {
    return BitAnd(gFilter, bit) == bit;
}

void SortByFirstColumn(Listbox& list) {
    list.SetSortedColumn(0);
    list.SetColumnSortDirection(0, 1);
    list.Sort();
}

// The category rows of one value list, with the extra rows, sorted.
void FillCategories(Listbox& list, const std::vector<QString>& values, int count,
                    const QStringList& extra = {}) {
    list.DeleteAllRows();
    for (int i = 1; i <= count; ++i) list.AddRow(values[i]);
    for (const QString& row : extra) list.AddRow(row);
    SortByFirstColumn(list);
}

void SelectFirstCategory(Listbox& list) {
    list.Refresh(true);
    list.SetListIndex(0);
    gRow = 0;
}

// The "Name" tab's test: row 0 ("#") takes names that begin with a digit, row
// r the names that begin with the r-th letter in either case. Only ASCII
// letters count, so an accented letter (or one whose capital is two letters)
// lists under no category.
bool NameInCategory(const QString& name, int row) {
    const QChar c = name.isEmpty() ? QChar() : name.front();
    if (row == 0) return IsAsciiDigit(c);
    if (row < 1 || row > 26) return true;
    if (!IsAsciiAlnum(c) || IsAsciiDigit(c)) return false;
    return c.toUpper().unicode() - 64 == row;
}

bool PublisherInCategory(const clsGame& g, const QString& key) {
    if (BitSet(4) && g.lcFlags[kFlagA]) return TextEquals(key, QStringLiteral("Adventures"));
    if (BitSet(8) && g.lcFlags[kFlagV]) return TextEquals(key, QStringLiteral("Various"));
    return TextEquals(g.Publisher, key);
}

// True when the filter bits, the text filter or the tab drop the game.
bool Dropped(const clsGame& g, const TextSearch* textFilter, int tab, const QString& category) {
    if (BitSet(1) && TextEquals(g.DiskOK, QStringLiteral("No"))) return true;
    if (BitSet(2) && g.lcFlags[kFlagR]) return true;
    if (BitSet(16) && !g.lcFlags[kFlagN]) return true;
    if (BitSet(128) && g.lcFlags[kFlagN]) return true;
    if (BitSet(32) && !IsTapeFile(g.DisplayFilename)) return true;
    if (BitSet(64) && IsTapeFile(g.DisplayFilename)) return true;
    if (textFilter && !textFilter->FoundIn(g.Game)) return true;
    switch (tab) {
    case 1:
        return !g.lcFlags[kFlagF];
    case 2:
        return !NameInCategory(g.Name, gRow);
    case 3:
        return !PublisherInCategory(g, category);
    case 4:
        return !TextEquals(g.Year, category);
    case 5:
        return !TextEquals(g.Genre, category);
    default:
        return false;
    }
}

bool Highlighted(const clsGame& g) {
    switch (gHighlight) {
    case 1:
        return TextEquals(g.DiskOK, QStringLiteral("No"));
    case 2:
        return TextEquals(g.PicOK, QStringLiteral("No"));
    case 3:
        return TextEquals(g.Year, QStringLiteral("19xx"));
    default:
        return false;
    }
}

// The running number n right-aligned in four characters; the fifth digit
// and above are cut off. The texts are made once and shared by every refill.
const QString& RunningNumber(int n) {
    static std::vector<QString> texts;
    while (static_cast<int>(texts.size()) <= n)
        texts.push_back(Right(QStringLiteral("   ") + Str(static_cast<int>(texts.size())), 4));
    return texts[n];
}

}  // namespace

Listbox& frmMain::CurrentList() const {
    return lvwAll(TabPanel1->Value());
}

void frmMain::SetPanelView(int tab) {
    if (tab < 0 || tab > 5) return;
    Listbox& list = lvwAll(tab);
    list.DeleteAllRows();
    list.SetColumnCount(9);
    list.SetColumnWidths(kColumnWidths);
    for (int column = 0; column < 9; ++column)
        list.SetHeading(column, QLatin1String(kHeadings[column]));
    SortByFirstColumn(list);

    switch (tab) {
    case 2: {
        Listbox& names = lvwFilter(0);
        names.DeleteAllRows();
        names.AddRow(QStringLiteral("#"));
        for (int i = 1; i <= 26; ++i) names.AddRow(Chr(64 + i));
        SelectFirstCategory(names);
        break;
    }
    case 3: {
        QStringList extra;
        if (BitSet(4)) extra << QStringLiteral("Adventures");
        if (BitSet(8)) extra << QStringLiteral("Various");
        FillCategories(lvwFilter(1), strPub, gPub, extra);
        SelectFirstCategory(lvwFilter(1));
        break;
    }
    case 4:
        FillCategories(lvwFilter(2), strYear, gYear);
        SelectFirstCategory(lvwFilter(2));
        break;
    case 5:
        FillCategories(lvwFilter(3), strGenre, gGenre);
        SelectFirstCategory(lvwFilter(3));
        break;
    default:
        break;
    }
}

void frmMain::SetFilter(const QString& strFilter, const QString& strSelect) {
    const int tab = TabPanel1->Value();
    Listbox& list = lvwAll(tab);
    list.DeleteAllRows();
    // The list is new: the next paint of its selected row shows that game.
    shownGame_ = 0;
    const QString category = tab >= 2 && tab <= 5 ? lvwFilter(tab - 2).Cell(gRow, 0) : QString();

    const TextSearch filter(strFilter);
    const TextSearch* textFilter = strFilter.isEmpty() ? nullptr : &filter;
    int n = 0;
    int sel = 0;
    for (int i = 1; i <= gamecount; ++i) {
        const clsGame& g = *games[i];
        if (Dropped(g, textFilter, tab, category)) continue;
        ++n;
        list.AddRow(RunningNumber(n));
        const int row = list.LastIndex();
        if (!strSelect.isEmpty() && TextEquals(g.Name, strSelect)) sel = row;
        list.SetCellTag(row, 1, i);
        list.SetCell(row, 1, g.DisplayName);
        list.SetCell(row, 2, g.Publisher);
        list.SetCell(row, 3, g.Year);
        list.SetCell(row, 4, g.Genre);
        list.SetCell(row, 5, g.DisplayFilename);
        list.SetCell(row, 6, g.Source);
        list.SetCell(row, 7, g.DiskOK);
        list.SetCell(row, 8, g.PicOK);
        list.SetCellTag(row, 0, Highlighted(g) ? 1 : 0);
    }
    list.Refresh(true);
    list.SetListIndex(sel);

    if (n == 0) {
        SetTitle(QStringLiteral("Corvale - No Matching Games"));
        ImageWell1->SetImage(Picture());
        txtGame->SetText(QString());
        return;
    }
    static const QString kTabNames[] = {QStringLiteral("All"), QStringLiteral("Fav")};
    const QString shown = tab <= 1 ? kTabNames[tab] : category;
    SetTitle(QStringLiteral("Corvale - ") + shown + QStringLiteral(" (") + Str(n) +
             QStringLiteral(")"));
}
