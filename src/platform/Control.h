#pragma once

#include "platform/Cursor.h"

#include <QString>

#include <memory>

class QWidget;
class Window;
class TabPanel;

enum class TextAlign { Default, Left, Center, Right };

// The common base of the controls: one Qt widget placed in its window at a
// fixed rectangle given in window coordinates. A control on a page of a
// TabPanel is shown only while that page is the panel's current one.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    // The control's own flag; a control on a page that is not current stays
    // hidden while Visible() is true.
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    void SetFocus();
    void SetMouseCursor(CursorShape shape);

    // "System" or an empty family and size 0 mean the toolkit's default font;
    // a size is in the layout's points, 72 to the inch (pixels on screen).
    void SetTextFont(const QString& family);
    void SetTextSize(int points);
    void SetBold(bool bold);
    void SetUnderline(bool underline);

    Window& ParentWindow() const;
    TabPanel* Panel() const;  // nullptr for a control of the window itself
    int PanelIndex() const;   // page from 1; 0 for a control of the window itself

    // The Qt widget, for the framework and for tests; window code does not use it.
    QWidget* Widget() const;

protected:
    // `widget` becomes a child of the window; the control deletes it.
    Control(Window& parent, int left, int top, int width, int height, QWidget* widget);
    Control(TabPanel& panel, int page, int left, int top, int width, int height, QWidget* widget);

    // Routes mouse presses, double clicks, entering and leaving of `source`
    // (the widget itself or one of its children) to the On... methods below.
    void WatchMouse(QWidget* source);
    // x and y are relative to the control. Runs inside a ContextualClickScope;
    // returning true swallows the press.
    virtual bool OnMouseDown(int x, int y);
    virtual void OnDoubleClick();
    virtual void OnMouseEnter();
    virtual void OnMouseExit();

private:
    friend class TabPanel;
    friend class MouseWatcher;
    void ApplyVisibility();
    void LeavePanel();

    struct Impl;
    std::unique_ptr<Impl> d;
};
