#pragma once

#include "platform/MenuItem.h"

#include <memory>

class QMenuBar;

// The root of a menu tree: its children are the top-level menus. A window
// shows it through Window::SetMenuBar; several windows may show the same bar.
class MenuBar : public MenuItem {
public:
    MenuBar();
    ~MenuBar() override;

    // Adds the top-level menus to `bar` and keeps it in step; the bar may be
    // deleted at any time.
    void ShowIn(QMenuBar* bar);

protected:
    void ChildAppended(MenuItem& child) override;

private:
    struct Bars;
    std::unique_ptr<Bars> bars_;
};
