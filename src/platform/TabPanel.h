#pragma once

#include "platform/Control.h"

#include <QString>

#include <functional>
#include <vector>

// A tab control whose pages hold controls. The controls of page p are shown
// only while tab p - 1 is selected.
class TabPanel : public Control {
public:
    // `tabDefinition`: the tab captions separated by carriage returns ("\r").
    TabPanel(Window& parent, int left, int top, int width, int height,
             const QString& tabDefinition);
    ~TabPanel() override;

    int PanelCount() const;
    QString Caption(int tab) const;  // tab from 0

    // The selected tab, from 0. Setting a tab outside the panel does nothing.
    int Value() const;
    void SetValue(int tab);

    // Raises the Open event; the window calls it once its controls exist
    // and before its own Open.
    void RaiseOpen();

    std::function<void()> Open;
    // Raised when the selected tab changes, by the user or by SetValue.
    std::function<void()> Change;

private:
    friend class Control;
    void Attach(Control* control);
    void Detach(Control* control);
    void Changed();

    std::vector<Control*> controls_;
    bool building_ = true;
};
