#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;

// One entry of a menu tree; it owns its children. The caption "-" makes a
// separator, "&" marks the access key. The Qt side (actions and menus) is
// built when first shown and kept in step with the tree from then on.
class MenuItem {
public:
    explicit MenuItem(const QString& name = QString(), const QString& text = QString());
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;
    virtual ~MenuItem();

    QString Name() const;
    void SetName(const QString& name);
    QString Text() const;
    void SetText(const QString& text);
    bool IsSeparator() const;
    // -1 unless the item belongs to a control array.
    int Index() const;
    void SetIndex(int index);
    // "Cmd+X" style; Cmd is the Ctrl key. Empty for none.
    QString KeyboardShortcut() const;
    void SetKeyboardShortcut(const QString& shortcut);
    // Enabled again each time the menus are prepared for showing.
    bool AutoEnable() const;
    void SetAutoEnable(bool autoEnable);
    bool Checked() const;
    void SetChecked(bool checked);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);

    // Takes ownership and returns the appended item.
    MenuItem* Append(std::unique_ptr<MenuItem> item);
    int Count() const;
    MenuItem* Item(int position) const;  // from 0; nullptr outside
    MenuItem* Parent() const;
    // The direct child with that name; nullptr when none.
    MenuItem* Child(const QString& name) const;
    // The first item at any depth below with that name (and index); nullptr when none.
    MenuItem* Lookup(const QString& name) const;
    MenuItem* Lookup(const QString& name, int index) const;

    // Shows the children as a contextual menu at the mouse position; the chosen
    // item goes the same road as from the menu bar. Returns the chosen item,
    // nullptr when none.
    MenuItem* PopUp();
    // Chooses the item as a click on it would: the menus are prepared, then a
    // visible, enabled item runs the handler bound to its name in its window.
    void Choose();

    using PopUpHook = std::function<MenuItem*(MenuItem& menu)>;
    // Installs the hook that PopUp calls in place of showing the menu (the
    // item it returns is chosen) and returns the previous one.
    static PopUpHook SetPopUpHook(PopUpHook hook);

    // The Qt side, built on demand: the item's action, and the menu of an item
    // with children (nullptr for a leaf).
    QAction* Action();
    QMenu* Menu();

protected:
    // Called after `child` has been appended; the Qt side exists when this
    // item's does.
    virtual void ChildAppended(MenuItem& child);

private:
    friend class MenuBar;
    friend class MenuShortcutGate;
    MenuItem* Root();
    // The first item at any depth below this one that `match` accepts.
    MenuItem* FindBelow(const std::function<bool(const MenuItem&)>& match) const;
    // Enables the AutoEnable items of the tree and raises EnableMenuItems of
    // the window that answers it.
    void Prepare();
    void Trigger();
    void Activate();
    QMenu* EnsureMenu();
    void SyncAction();

    QString name_;
    QString text_;
    QString shortcut_;
    int index_ = -1;
    bool autoEnable_ = false;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> children_;
    QAction* action_ = nullptr;
    QMenu* menu_ = nullptr;
};
