#include "mainwindow/frmMain.h"

#include "catalogue/Module1.h"
#include "mainwindow/GameImage.h"
#include "mainwindow/PictureName.h"
#include "platform/Application.h"
#include "platform/Events.h"
#include "platform/Graphics.h"
#include "platform/MenuItem.h"

void frmMain::TabPanel1_Open() {
    SetPanelView(TabPanel1->Value());
}

void frmMain::TabPanel1_Change() {
    SetPanelView(TabPanel1->Value());
    SetFilter(txtFilter->Text(), QString());
}

bool frmMain::lvwAll_CellClick(int, int row, int, int, int) {
    ShowPicture(row);
    return false;
}

bool frmMain::lvwAll_CellTextPaint(int index, Graphics&, int row, int, int, int) {
    if (index == TabPanel1->Value() && row == CurrentList().ListIndex()) ShowPicture(row);
    return false;
}

void frmMain::lvwAll_DoubleClick(int) {
    const int row = CurrentList().ListIndex();
    if (row != -1) PlayGame(row);
}

bool frmMain::lvwAll_CellBackgroundPaint(int index, Graphics& g, int row, int) {
    const Listbox& list = lvwAll(index);
    const bool highlighted = row < list.ListCount() && list.CellTag(row, 0) == 1;
    g.SetForeColor(highlighted ? RGB(255, 255, 192) : RGB(255, 255, 255));
    g.FillRect(0, 0, g.Width(), g.Height());
    return false;
}

bool frmMain::lvwAll_MouseDown(int, int, int) {
    if (IsContextualClick()) {
        if (MenuItem* menu = GameMenu()) menu->PopUp();
    }
    return false;
}

void frmMain::txtFilter_TextChange() {
    SetFilter(txtFilter->Text(), QString());
}

bool frmMain::txtFilter_MouseDown(int, int) {
    if (IsContextualClick()) {
        if (MenuItem* menu = EditMenu()) menu->PopUp();
    }
    return false;
}

void frmMain::cmdClear_Action() {
    // Emptying an empty field raises no change, so refill here in any case.
    txtFilter->SetText(QString());
    SetFilter(QString(), QString());
}

bool frmMain::lvwFilter_CellClick(int, int row, int, int, int) {
    gRow = row;
    SetFilter(txtFilter->Text(), QString());
    return false;
}

bool frmMain::lvwFilter_CellTextPaint(int index, Graphics&, int row, int, int, int) {
    // Qt repaints far more often than the selection moves: refill only when
    // the selected category really is another one.
    if (index != TabPanel1->Value() - 2) return false;
    if (row != lvwFilter(index).ListIndex() || row == gRow) return false;
    gRow = row;
    SetFilter(txtFilter->Text(), QString());
    Timer1->SetPeriod(500);
    Timer1->SetEnabled(true);
    return false;
}

void frmMain::Timer1_Action() {
    CurrentList().Refresh(true);
    Timer1->SetEnabled(false);
}

void frmMain::ShowPicture(int row) {
    const Listbox& list = CurrentList();
    if (list.ListIndex() == -1) return;
    const int i = list.CellTag(row, 1);
    if (i < 1 || i > gamecount || !games[i]) return;
    // Every paint of the selected row asks again; read the file only for a
    // game that is not already shown.
    if (i == shownGame_) return;
    shownGame_ = i;

    const clsGame& g = *games[i];
    const QString publisher = list.Cell(row, 2);
    FolderItem file = PictureFile(PictureFileName(g.Name, publisher));
    if (!file.Exists()) file = PictureFile(NoPictureFileName());
    if (file.Exists()) ImageWell1->SetImage(OpenAsPicture(file));
    txtGame->SetText(g.Name + QStringLiteral(" (") + publisher + QStringLiteral(")"));
}
