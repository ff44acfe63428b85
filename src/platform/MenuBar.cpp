#include "platform/MenuBar.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>

#include <vector>

struct MenuBar::Bars {
    std::vector<QPointer<QMenuBar>> shown;
};

MenuBar::MenuBar() : bars_(std::make_unique<Bars>()) {}

MenuBar::~MenuBar() = default;

void MenuBar::ShowIn(QMenuBar* bar) {
    bars_->shown.emplace_back(bar);
    for (int i = 0; i < Count(); ++i) {
        MenuItem* menu = Item(i);
        menu->EnsureMenu();
        bar->addAction(menu->Action());
    }
}

void MenuBar::ChildAppended(MenuItem& child) {
    if (bars_->shown.empty()) return;
    child.EnsureMenu();
    for (const QPointer<QMenuBar>& bar : bars_->shown)
        if (bar) bar->addAction(child.Action());
}
