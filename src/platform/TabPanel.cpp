#include "platform/TabPanel.h"

#include <QTabWidget>

#include <algorithm>

TabPanel::TabPanel(Window& parent, int left, int top, int width, int height,
                   const QString& tabDefinition)
    : Control(parent, left, top, width, height, new QTabWidget) {
    auto* tabs = static_cast<QTabWidget*>(Widget());
    // The pages stay empty: the controls of a page are the window's, shown and
    // hidden as their page comes and goes, so they keep window coordinates.
    for (const QString& caption : tabDefinition.split(QLatin1Char('\r')))
        tabs->addTab(new QWidget, caption);
    tabs->lower();
    QObject::connect(tabs, &QTabWidget::currentChanged, [this] { Changed(); });
    building_ = false;
}

TabPanel::~TabPanel() {
    for (Control* control : controls_) control->LeavePanel();
}

int TabPanel::PanelCount() const {
    return static_cast<QTabWidget*>(Widget())->count();
}

QString TabPanel::Caption(int tab) const {
    return static_cast<QTabWidget*>(Widget())->tabText(tab);
}

int TabPanel::Value() const {
    return static_cast<QTabWidget*>(Widget())->currentIndex();
}

void TabPanel::SetValue(int tab) {
    if (tab < 0 || tab >= PanelCount()) return;
    static_cast<QTabWidget*>(Widget())->setCurrentIndex(tab);
}

void TabPanel::RaiseOpen() {
    if (Open) Open();
}

void TabPanel::Attach(Control* control) {
    controls_.push_back(control);
}

void TabPanel::Detach(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TabPanel::Changed() {
    for (Control* control : controls_) control->ApplyVisibility();
    if (!building_ && Change) Change();
}
