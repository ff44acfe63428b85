#include "platform/Control.h"

#include "platform/CursorQt.h"
#include "platform/Events.h"
#include "platform/TabPanel.h"
#include "platform/Window.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

// Turns the Qt events of one widget into the control's mouse events.
class MouseWatcher : public QObject {
public:
    MouseWatcher(Control& control, QObject* parent) : QObject(parent), control_(control) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) break;
            return MouseDown(mouse->globalPosition().toPoint(),
                             mouse->button() == Qt::RightButton);
        }
        case QEvent::ContextMenu: {
            // A right press has already raised MouseDown; only the keyboard's
            // menu key still has to.
            auto* menu = static_cast<QContextMenuEvent*>(event);
            if (menu->reason() != QContextMenuEvent::Mouse) MouseDown(menu->globalPos(), true);
            return true;
        }
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                control_.OnDoubleClick();
            break;
        case QEvent::Enter:
            control_.OnMouseEnter();
            break;
        case QEvent::Leave:
            control_.OnMouseExit();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool MouseDown(const QPoint& global, bool contextual) {
        const QPoint local = control_.Widget()->mapFromGlobal(global);
        ContextualClickScope scope(contextual);
        return control_.OnMouseDown(local.x(), local.y());
    }

    Control& control_;
};

struct Control::Impl {
    Window* window = nullptr;
    TabPanel* panel = nullptr;
    int page = 0;
    QPointer<QWidget> widget;
    bool visible = true;
};

Control::Control(Window& parent, int left, int top, int width, int height, QWidget* widget)
    : d(std::make_unique<Impl>()) {
    d->window = &parent;
    d->widget = widget;
    widget->setParent(parent.Content());
    widget->setGeometry(left, top, width, height);
    // Later controls lie above earlier ones, as they were created.
    widget->raise();
    ApplyVisibility();
}

Control::Control(TabPanel& panel, int page, int left, int top, int width, int height,
                 QWidget* widget)
    : Control(panel.ParentWindow(), left, top, width, height, widget) {
    d->panel = &panel;
    d->page = page;
    panel.Attach(this);
    ApplyVisibility();
}

Control::~Control() {
    if (d->panel) d->panel->Detach(this);
    delete d->widget.data();
}

int Control::Left() const {
    return d->widget->x();
}

int Control::Top() const {
    return d->widget->y();
}

int Control::Width() const {
    return d->widget->width();
}

int Control::Height() const {
    return d->widget->height();
}

void Control::SetLeft(int left) {
    d->widget->move(left, Top());
}

void Control::SetTop(int top) {
    d->widget->move(Left(), top);
}

void Control::SetWidth(int width) {
    d->widget->resize(width, Height());
}

void Control::SetHeight(int height) {
    d->widget->resize(Width(), height);
}

bool Control::Visible() const {
    return d->visible;
}

void Control::SetVisible(bool visible) {
    d->visible = visible;
    ApplyVisibility();
}

bool Control::Enabled() const {
    return d->widget->isEnabled();
}

void Control::SetEnabled(bool enabled) {
    d->widget->setEnabled(enabled);
}

void Control::SetFocus() {
    d->widget->setFocus(Qt::OtherFocusReason);
}

void Control::SetMouseCursor(CursorShape shape) {
    d->widget->setCursor(ToQtCursor(shape));
}

void Control::SetTextFont(const QString& family) {
    QFont font = d->widget->font();
    if (family.isEmpty() || family == QLatin1String("System"))
        font.setFamilies(QApplication::font(d->widget).families());
    else
        font.setFamilies({family});
    d->widget->setFont(font);
}

void Control::SetTextSize(int points) {
    QFont font = QApplication::font(d->widget);
    font.setFamilies(d->widget->font().families());
    font.setUnderline(d->widget->font().underline());
    font.setBold(d->widget->font().bold());
    // Layout sizes are points at 72 per inch, the pixels the layouts were
    // drawn in; so the text keeps to the rectangles the layout gives it.
    if (points > 0)
        font.setPixelSize(points);
    d->widget->setFont(font);
}

void Control::SetBold(bool bold) {
    QFont font = d->widget->font();
    font.setBold(bold);
    d->widget->setFont(font);
}

void Control::SetUnderline(bool underline) {
    QFont font = d->widget->font();
    font.setUnderline(underline);
    d->widget->setFont(font);
}

Window& Control::ParentWindow() const {
    return *d->window;
}

TabPanel* Control::Panel() const {
    return d->panel;
}

int Control::PanelIndex() const {
    return d->page;
}

QWidget* Control::Widget() const {
    return d->widget;
}

void Control::WatchMouse(QWidget* source) {
    source->installEventFilter(new MouseWatcher(*this, source));
}

bool Control::OnMouseDown(int, int) {
    return false;
}

void Control::OnDoubleClick() {}

void Control::OnMouseEnter() {}

void Control::OnMouseExit() {}

void Control::ApplyVisibility() {
    if (!d->widget) return;
    const bool onPage = !d->panel || d->panel->Value() == d->page - 1;
    d->widget->setVisible(d->visible && onPage);
}

void Control::LeavePanel() {
    d->panel = nullptr;
    ApplyVisibility();
}
