#include "dialogs/frmSetDirectories.h"

#include "catalogue/Module1.h"
#include "dialogs/DialogControls.h"
#include "dialogs/SharedWindow.h"
#include "platform/Choosers.h"

frmSetDirectories::frmSetDirectories() : Window(400, 182, QStringLiteral("Set Directories")) {
    CreateControls();
    Open();
}

frmSetDirectories::~frmSetDirectories() = default;

void frmSetDirectories::CreateControls() {
    Window& w = *this;
    txtGameDir = std::make_unique<EditField>(w, 84, 29, 208, 22);
    txtProgDir = std::make_unique<EditField>(w, 84, 95, 208, 22);
    cmdCancel =
        MakeButton(w, 208, 142, 80, 20, QStringLiteral("Cancel"), [this] { cmdCancel_Action(); });
    cmdCancel->SetCancel(true);
    cmdOK = MakeButton(w, 300, 142, 80, 20, QStringLiteral("OK"), [this] { cmdOK_Action(); });
    cmdOK->SetDefault(true);
    StaticText1 = MakeFieldLabel(w, 20, 31, 52, 20, QStringLiteral("Games"));
    StaticText2 = MakeFieldLabel(w, 20, 97, 52, 20, QStringLiteral("BeebEm"));
    cmdBrowseGames = MakeButton(w, 300, 30, 80, 20, QStringLiteral("Browse"),
                                [this] { cmdBrowseGames_Action(); });
    cmdBrowseProg = MakeButton(w, 300, 97, 80, 20, QStringLiteral("Browse"),
                               [this] { cmdBrowseProg_Action(); });
    txtTapeDir = std::make_unique<EditField>(w, 84, 62, 208, 22);
    StaticText3 = MakeFieldLabel(w, 20, 64, 52, 20, QStringLiteral("Tapes"));
    cmdBrowseTapes = MakeButton(w, 300, 63, 80, 20, QStringLiteral("Browse"),
                                [this] { cmdBrowseTapes_Action(); });
}

void frmSetDirectories::Open() {
    txtGameDir->SetText(strGameDir);
    txtTapeDir->SetText(strTapeDir);
    txtProgDir->SetText(strProgDir);
}

void frmSetDirectories::cmdCancel_Action() {
    Close();
}

void frmSetDirectories::cmdOK_Action() {
    // Stored as typed, blanks included: the dialog checks nothing.
    strGameDir = txtGameDir->Text();
    strTapeDir = txtTapeDir->Text();
    strProgDir = txtProgDir->Text();
    SaveIni();
    Close();
}

namespace {

void ChooseInto(EditField& field, const FolderItem& chosen) {
    if (chosen.IsValid())
        field.SetText(chosen.ShellPath());
}

} // namespace

void frmSetDirectories::cmdBrowseGames_Action() {
    ChooseInto(*txtGameDir, SelectFolder());
}

void frmSetDirectories::cmdBrowseProg_Action() {
    FileType type;
    type.Name = QStringLiteral("Application Files");
    type.Extensions = QStringLiteral(".app");
    ChooseInto(*txtProgDir, GetOpenFolderItem(type));
}

void frmSetDirectories::cmdBrowseTapes_Action() {
    ChooseInto(*txtTapeDir, SelectFolder());
}

class frmSetDirectories& frmSetDirectories() {
    return FindOrCreateWindow<class frmSetDirectories>();
}
