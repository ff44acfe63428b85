#pragma once

#include "catalogue/CatalogueFixture.h"
#include "app/frmMainMenu.h"
#include "platform/Quit.h"
#include "mainwindow/frmMain.h"
#include "platform/MacRoman.h"
#include "platform/MenuItem.h"

#include <memory>
#include <vector>

// The main window built over an application folder of its own, with message
// boxes, cursor changes and Quit recorded. The shared menu bar outlives every
// window, so its marks are put back before each test and the submenus' sizes
// noted.
class MainWindowTest : public CatalogueTest {
protected:
    std::unique_ptr<class frmMain> w;
    std::vector<int> quits;
    int genresBefore = 0;
    int yearsBefore = 0;
    QuitHandler previousQuit;

    // Names in catalogue order: Alpha, beta, 3D Maze, 'Quoted', Various
    // Thing, Both, Alpha, Élan.
    static QStringList Games() {
        return {
            QStringLiteral("Alpha (1984) (Acornsoft)<Arcade>{DfP}"),
            QStringLiteral("beta (1985) (Micro Power)<Arcade>[.uef]{dn}"),
            QStringLiteral("3D Maze (19XX) (Acornsoft)<Puzzle>{r}"),
            QStringLiteral("'Quoted' (1986) (Superior)<Adventure>{aDp}"),
            QStringLiteral("Various Thing (1987) (Superior){v}"),
            QStringLiteral("Both (1988) (Zeta Soft){afv}"),
            QStringLiteral("Alpha (1990) (Zeta Soft)<Arcade>{np}"),
            QStringLiteral("\u00C9lan () (Acornsoft)"),
        };
    }

    void SetUp() override {
        CatalogueTest::SetUp();
        previousQuit = SetQuitHandler([this](int status) { quits.push_back(status); });
        ResetMarks(frmMainMenu());
    }

    void TearDown() override {
        // The window puts back the cursor handler it found.
        w.reset();
        SetQuitHandler(previousQuit);
        CatalogueTest::TearDown();
    }

    static void ResetMarks(MenuItem& item) {
        for (int i = 0; i < item.Count(); ++i) {
            MenuItem& child = *item.Item(i);
            child.SetChecked(false);
            child.SetVisible(true);
            child.SetEnabled(true);
            ResetMarks(child);
        }
    }

    // The names of the checked items of a menu, in menu order.
    static QStringList Checked(const char* menu) {
        QStringList names;
        const MenuItem& items = *frmMainMenu().Child(QLatin1String(menu));
        for (int i = 0; i < items.Count(); ++i)
            if (items.Item(i)->Checked()) names << items.Item(i)->Name();
        return names;
    }

    static MenuItem& Submenu(const char* name) {
        return *frmMainMenu().Child(QStringLiteral("GameMenu"))->Child(QLatin1String(name));
    }

    void WriteLines(const QString& name, const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines) bytes += MacRoman::Encode(line) + "\n";
        WriteFile(name, bytes);
    }

    void WriteSettings(int highlight, int filter) {
        WriteLines(QStringLiteral("corvale.ini"),
                   {QString(), QString(), QString(), QString::number(highlight), QString::number(filter)});
    }

    QStringList SettingsLines() const {
        QStringList lines = QString::fromLatin1(ReadFile(QStringLiteral("corvale.ini"))).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }

    // Builds the window over the files written so far.
    void Open() {
        genresBefore = Submenu("GameSetGenre").Count();
        yearsBefore = Submenu("GameSetYear").Count();
        w = std::make_unique<class frmMain>();
    }

    void OpenWithGames() {
        WriteLines(QStringLiteral("corvale.txt"), Games());
        Open();
    }

    Listbox& List() const { return w->lvwAll(w->TabPanel1->Value()); }

    // The stored names of the listed games, read back through each row's game index.
    static QStringList Names(const Listbox& list) {
        QStringList names;
        for (int row = 0; row < list.ListCount(); ++row) {
            const int i = list.CellTag(row, 1);
            names << (i >= 1 && i <= gamecount ? games[i]->Name : QStringLiteral("<bad index>"));
        }
        return names;
    }

    static QStringList Column(const Listbox& list, int column) {
        QStringList cells;
        for (int row = 0; row < list.ListCount(); ++row) cells << list.Cell(row, column);
        return cells;
    }

    // Shows a tab (its Change sets it up and fills it) and picks a category row.
    void ShowCategory(int tab, int row) {
        w->TabPanel1->SetValue(tab);
        w->lvwFilter_CellClick(tab - 2, row, 0, 0, 0);
    }

    int CategoryRow(int tab, const QString& text) const {
        const Listbox& list = w->lvwFilter(tab - 2);
        for (int row = 0; row < list.ListCount(); ++row)
            if (list.Cell(row, 0) == text) return row;
        return -1;
    }
};
