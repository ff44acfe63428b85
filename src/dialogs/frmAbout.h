#pragma once

#include "platform/PushButton.h"
#include "platform/StaticText.h"
#include "platform/Window.h"

#include <QString>

#include <memory>

// The About window: product name, version, rights notice, and the mail and
// web links, which go to the user's mail program and browser through "open".
class frmAbout final : public Window {
public:
    // Builds the whole window, then runs Open.
    frmAbout();
    ~frmAbout() override;

    static const QString kMailAddress;
    static const QString kWebSite; // the host; the link opens it over http

    std::unique_ptr<StaticText> StaticText1; // mail link
    std::unique_ptr<StaticText> StaticText2; // rights notice
    std::unique_ptr<StaticText> StaticText3; // product name
    std::unique_ptr<StaticText> lblVersion;
    std::unique_ptr<PushButton> cmdOK;
    std::unique_ptr<StaticText> StaticText10; // web link

    void Open() override;

    void cmdOK_Action();
    bool StaticText1_MouseDown(int x, int y);
    void StaticText1_MouseEnter();
    void StaticText1_MouseExit();
    bool StaticText10_MouseDown(int x, int y);
    void StaticText10_MouseEnter();
    void StaticText10_MouseExit();

private:
    void CreateControls();
};

// The open About window, or a new one (write `class frmAbout` for the type
// where the function hides it).
class frmAbout& frmAbout();
