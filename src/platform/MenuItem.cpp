#include "platform/MenuItem.h"

#include "platform/Quit.h"
#include "platform/Window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>

namespace {

MenuItem::PopUpHook& PopUpHookRef() {
    static MenuItem::PopUpHook hook;
    return hook;
}

QString ToQtShortcut(QString shortcut) {
    shortcut.replace(QLatin1String("Cmd+"), QLatin1String("Ctrl+"), Qt::CaseInsensitive);
    shortcut.replace(QLatin1String("Option+"), QLatin1String("Alt+"), Qt::CaseInsensitive);
    return shortcut;
}

QLineEdit* EditableField(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    return nullptr;
}

// The toolkit's own editing of the focused text field, for the six Edit items
// that no handler answers.
void StandardEdit(const QString& name, Window* target) {
    QWidget* focused = QApplication::focusWidget();
    if (!focused && target) focused = target->Widget()->focusWidget();
    QLineEdit* edit = EditableField(focused);
    if (!edit) return;
    if (name == QLatin1String("EditUndo"))
        edit->undo();
    else if (name == QLatin1String("EditCut"))
        edit->cut();
    else if (name == QLatin1String("EditCopy"))
        edit->copy();
    else if (name == QLatin1String("EditPaste"))
        edit->paste();
    else if (name == QLatin1String("EditDelete") && edit->hasSelectedText() && !edit->isReadOnly())
        edit->del();
    else if (name == QLatin1String("EditSelectAll"))
        edit->selectAll();
}

}  // namespace

// Prepares the menus before an item's shortcut acts, and stops the shortcut
// of an item that is then disabled or hidden.
class MenuShortcutGate : public QObject {
public:
    MenuShortcutGate(MenuItem& item, QObject* parent) : QObject(parent), item_(item) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            item_.Prepare();
            if (!item_.Enabled() || !item_.Visible()) return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MenuItem& item_;
};

MenuItem::MenuItem(const QString& name, const QString& text) : name_(name), text_(text) {}

MenuItem::~MenuItem() {
    children_.clear();
    delete action_;
    delete menu_;
}

QString MenuItem::Name() const {
    return name_;
}

void MenuItem::SetName(const QString& name) {
    name_ = name;
}

QString MenuItem::Text() const {
    return text_;
}

void MenuItem::SetText(const QString& text) {
    text_ = text;
    SyncAction();
}

bool MenuItem::IsSeparator() const {
    return text_ == QLatin1String("-");
}

int MenuItem::Index() const {
    return index_;
}

void MenuItem::SetIndex(int index) {
    index_ = index;
}

QString MenuItem::KeyboardShortcut() const {
    return shortcut_;
}

void MenuItem::SetKeyboardShortcut(const QString& shortcut) {
    shortcut_ = shortcut;
    SyncAction();
}

bool MenuItem::AutoEnable() const {
    return autoEnable_;
}

void MenuItem::SetAutoEnable(bool autoEnable) {
    autoEnable_ = autoEnable;
}

bool MenuItem::Checked() const {
    return checked_;
}

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    SyncAction();
}

bool MenuItem::Enabled() const {
    return enabled_;
}

void MenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    SyncAction();
}

bool MenuItem::Visible() const {
    return visible_;
}

void MenuItem::SetVisible(bool visible) {
    visible_ = visible;
    SyncAction();
}

MenuItem* MenuItem::Append(std::unique_ptr<MenuItem> item) {
    MenuItem* child = item.get();
    child->parent_ = this;
    children_.push_back(std::move(item));
    ChildAppended(*child);
    return child;
}

int MenuItem::Count() const {
    return static_cast<int>(children_.size());
}

MenuItem* MenuItem::Item(int position) const {
    if (position < 0 || position >= Count()) return nullptr;
    return children_[position].get();
}

MenuItem* MenuItem::Parent() const {
    return parent_;
}

MenuItem* MenuItem::Child(const QString& name) const {
    for (const auto& child : children_)
        if (child->name_ == name) return child.get();
    return nullptr;
}

MenuItem* MenuItem::Lookup(const QString& name) const {
    return FindBelow([&](const MenuItem& item) { return item.name_ == name; });
}

MenuItem* MenuItem::Lookup(const QString& name, int index) const {
    return FindBelow(
        [&](const MenuItem& item) { return item.name_ == name && item.index_ == index; });
}

MenuItem* MenuItem::FindBelow(const std::function<bool(const MenuItem&)>& match) const {
    for (const auto& child : children_) {
        if (match(*child)) return child.get();
        if (MenuItem* found = child->FindBelow(match)) return found;
    }
    return nullptr;
}

MenuItem* MenuItem::PopUp() {
    Prepare();
    if (PopUpHookRef()) {
        MenuItem* chosen = PopUpHookRef()(*this);
        if (chosen) chosen->Trigger();
        return chosen;
    }
    if (Ending()) return nullptr;
    QMenu* menu = EnsureMenu();
    const WaitForPerson wait([menu] { menu->close(); });
    QAction* picked = menu->exec(QCursor::pos());
    if (!picked) return nullptr;
    return FindBelow([picked](const MenuItem& item) { return item.action_ == picked; });
}

void MenuItem::Choose() {
    Prepare();
    Trigger();
}

MenuItem::PopUpHook MenuItem::SetPopUpHook(PopUpHook hook) {
    PopUpHook previous = std::move(PopUpHookRef());
    PopUpHookRef() = std::move(hook);
    return previous;
}

QAction* MenuItem::Action() {
    if (!action_) {
        action_ = new QAction;
        action_->installEventFilter(new MenuShortcutGate(*this, action_));
        QObject::connect(action_, &QAction::triggered, [this] { Activate(); });
        SyncAction();
        if (!children_.empty()) EnsureMenu();
    }
    return action_;
}

QMenu* MenuItem::Menu() {
    return children_.empty() ? menu_ : EnsureMenu();
}

void MenuItem::ChildAppended(MenuItem& child) {
    if (menu_)
        menu_->addAction(child.Action());
    else if (action_)
        EnsureMenu();
}

MenuItem* MenuItem::Root() {
    MenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root;
}

void MenuItem::Prepare() {
    MenuItem* root = Root();
    std::function<void(MenuItem&)> enable = [&](MenuItem& item) {
        if (item.autoEnable_ && !item.enabled_) item.SetEnabled(true);
        for (const auto& child : item.children_) enable(*child);
    };
    enable(*root);
    if (Window* target = Window::MenuTarget(root)) target->EnableMenuItems();
}

void MenuItem::Trigger() {
    if (!enabled_ || !visible_ || IsSeparator()) return;
    Action()->trigger();
}

void MenuItem::Activate() {
    // Qt flips a checkable action on every trigger; the program sets the marks.
    if (action_->isCheckable()) action_->setChecked(checked_);
    Window* target = Window::MenuTarget(Root());
    if (target && target->CallMenuHandler(name_, index_)) return;
    StandardEdit(name_, target);
}

QMenu* MenuItem::EnsureMenu() {
    if (!menu_) {
        menu_ = new QMenu;
        menu_->setTitle(text_);
        QObject::connect(menu_, &QMenu::aboutToShow, [this] { Prepare(); });
        for (const auto& child : children_) menu_->addAction(child->Action());
        Action()->setMenu(menu_);
    }
    return menu_;
}

void MenuItem::SyncAction() {
    if (menu_) menu_->setTitle(text_);
    if (!action_) return;
    // Qt's styles draw a separator's text as a section title; "-" is only a mark.
    action_->setText(IsSeparator() ? QString() : text_);
    action_->setSeparator(IsSeparator());
    action_->setShortcut(QKeySequence(ToQtShortcut(shortcut_)));
    action_->setEnabled(enabled_);
    action_->setVisible(visible_);
    // Only a checked item shows a mark; a checkable one would show an empty box.
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
}
