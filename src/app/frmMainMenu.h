#pragma once

#include "platform/MenuBar.h"

// The program's one menu bar: eight menus built item by item at construction.
// The main window binds the commands to the items by name.
class frmMainMenu : public MenuBar {
public:
    frmMainMenu();
};

// The shared instance, created on first use. (Named after its class, as the
// other find-or-create accessors; write `class frmMainMenu` for the type where
// the function hides it.)
class frmMainMenu& frmMainMenu();

// The "EditMenu" menu found by name anywhere in the shared menu bar.
MenuItem* EditMenu();
