#pragma once

#include "platform/EditField.h"
#include "platform/PushButton.h"
#include "platform/StaticText.h"
#include "platform/Window.h"

#include <memory>

// The modal dialog that sets the disc-image directory, the tape-image
// directory and the emulator application. It keeps no state of its own.
class frmSetDirectories final : public Window {
public:
    // Builds the whole window, then runs Open.
    frmSetDirectories();
    ~frmSetDirectories() override;

    std::unique_ptr<EditField> txtGameDir;
    std::unique_ptr<EditField> txtProgDir;
    std::unique_ptr<PushButton> cmdCancel;
    std::unique_ptr<PushButton> cmdOK;
    std::unique_ptr<StaticText> StaticText1;
    std::unique_ptr<StaticText> StaticText2;
    std::unique_ptr<PushButton> cmdBrowseGames;
    std::unique_ptr<PushButton> cmdBrowseProg;
    std::unique_ptr<EditField> txtTapeDir;
    std::unique_ptr<StaticText> StaticText3;
    std::unique_ptr<PushButton> cmdBrowseTapes;

    void Open() override;

    void cmdCancel_Action();
    void cmdOK_Action();
    void cmdBrowseGames_Action();
    void cmdBrowseProg_Action();
    void cmdBrowseTapes_Action();

private:
    void CreateControls();
};

// The open dialog, or a new one (write `class frmSetDirectories` for the type
// where the function hides it).
class frmSetDirectories& frmSetDirectories();
