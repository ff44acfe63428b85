#pragma once

#include "platform/CheckBox.h"
#include "platform/ComboBox.h"
#include "platform/EditField.h"
#include "platform/GroupBox.h"
#include "platform/PushButton.h"
#include "platform/StaticText.h"
#include "platform/Window.h"

#include <QString>

#include <memory>

// The modal record editor. gAction and gEdit say what it does: edit
// games[gEdit] (true) or add a new game in name order (false). It reads them
// when it opens and again on OK.
class frmEditGame final : public Window {
public:
    // Builds the whole window, then runs Open.
    frmEditGame();
    ~frmEditGame() override;

    std::unique_ptr<EditField> txtName;
    std::unique_ptr<ComboBox> cmbPub;
    std::unique_ptr<ComboBox> cmbYear;
    std::unique_ptr<ComboBox> cmbGenre;
    std::unique_ptr<EditField> txtFilename;
    std::unique_ptr<EditField> txtAuthor;
    std::unique_ptr<ComboBox> cmbSource;
    std::unique_ptr<CheckBox> chkFavourite;
    std::unique_ptr<CheckBox> chkCompilation;
    std::unique_ptr<CheckBox> chkRerelease;
    std::unique_ptr<CheckBox> chkAdventure;
    std::unique_ptr<CheckBox> chkVarious;
    std::unique_ptr<PushButton> cmdOK;
    std::unique_ptr<PushButton> cmdCancel;
    std::unique_ptr<StaticText> StaticText1;
    std::unique_ptr<StaticText> StaticText2;
    std::unique_ptr<StaticText> StaticText3;
    std::unique_ptr<StaticText> StaticText4;
    std::unique_ptr<StaticText> StaticText5;
    std::unique_ptr<StaticText> StaticText6;
    std::unique_ptr<StaticText> StaticText7;
    std::unique_ptr<GroupBox> GroupBox1;
    std::unique_ptr<CheckBox> chkUnchecked;

    void Open() override;

    void cmdOK_Action();
    void cmdCancel_Action();
    // Each pops up the Edit menu on a contextual click; all return false.
    bool txtName_MouseDown(int x, int y);
    bool cmbPub_MouseDown(int x, int y);
    bool cmbYear_MouseDown(int x, int y);
    bool cmbGenre_MouseDown(int x, int y);
    bool txtFilename_MouseDown(int x, int y);
    bool txtAuthor_MouseDown(int x, int y);
    bool cmbSource_MouseDown(int x, int y);

private:
    void CreateControls();
    // Writes the fields into a record.
    void StoreFields(struct clsGame& g) const;
    // The refusal, naming the field, of a text that the catalogue file would
    // read back differently; "" when every text reads back as typed.
    QString TextReadBackDifferently(const struct clsGame& typed) const;
};

// The open editor, or a new one (write `class frmEditGame` for the type where
// the function hides it).
class frmEditGame& frmEditGame();
