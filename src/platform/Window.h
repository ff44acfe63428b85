#pragma once

#include "platform/Cursor.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class MenuBar;
class MenuItem;
class PushButton;
class Timer;

// A fixed-size window without a maximise button, centred on the screen when
// first shown. Construction never shows it: the derived window builds its
// controls, raises its controls' Open events and then calls Open() itself; it
// is shown by Show() or ShowModal() (Open may call Show). While another window
// is modal it takes no command: no menu handler, no default or cancel key.
class Window {
public:
    Window(int width, int height, const QString& title);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    QString Title() const;
    void SetTitle(const QString& title);
    int Width() const;
    int Height() const;

    void Show();
    // Shows the window modal and returns once it has closed. With a modal hook
    // installed the hook runs in place of the event loop, and a window that is
    // still open when the hook returns is closed then. Asked to end, before or
    // while it waits, the window gets EndingCancel.
    void ShowModal();
    // Shows the window modal to the others and returns at once, for a window
    // that a running loop of the caller keeps up to date; Close ends it.
    void ShowWithinModal();
    // Raises CloseEvent, hides the window and ends its modal loop; the window
    // stays closed (IsOpen() false). Closing twice does nothing.
    void Close();
    bool IsOpen() const;
    bool IsVisible() const;

    void SetMouseCursor(CursorShape shape);

    // The menu bar shown at the top of the window; not owned. Items appended
    // later appear too.
    void SetMenuBar(MenuBar* menuBar);
    MenuBar* CurrentMenuBar() const;

    // Binds the one handler of the items named `itemName` of this window's menu
    // bar: chosen from the bar, by shortcut or from a pop-up of the same tree.
    // The second form receives the chosen item's Index (control arrays).
    void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
    void AddMenuHandler(const QString& itemName, std::function<bool(int index)> handler);

    using ShowModalHook = std::function<void(Window&)>;
    // Installs the hook and returns the previous one; empty = the real loop.
    static ShowModalHook SetShowModalHook(ShowModalHook hook);

    // Window events.
    virtual void Open() {}
    virtual void CloseEvent() {}
    // Asked when the title-bar close button is pressed; true keeps the window open.
    virtual bool CancelClose() { return false; }
    // Raised before a menu of the menu bar is shown and before a shortcut acts.
    virtual void EnableMenuItems() {}
    // The program is asked to end while this modal window waits for a person:
    // by default as its Cancel button (or Escape) would, then closed if that
    // left it open.
    virtual void EndingCancel();

    // The top-level widget, for the framework and for tests.
    QWidget* Widget() const;

private:
    friend class Control;
    friend class MenuItem;
    friend class PushButton;
    friend class Timer;

    QWidget* Content() const;
    void SetDefaultButton(PushButton* button, bool on);
    void SetCancelButton(PushButton* button, bool on);
    void AddTimer(Timer* timer);
    void RemoveTimer(Timer* timer);
    bool TitleBarClose();
    bool KeyPressed(int key);
    // True while another window is modal: this one then takes no command.
    bool BlockedByModal() const;

    // The window that answers the items of `root`: the active window showing
    // that menu bar, else the last opened one showing it; nullptr when none.
    static Window* MenuTarget(const MenuItem* root);
    // Calls the handler bound to `name`; false when none is bound or the
    // window is blocked by a modal one.
    bool CallMenuHandler(const QString& name, int index);

    struct Impl;
    std::unique_ptr<Impl> d;
    friend class WindowForm;
};
