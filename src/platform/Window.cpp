#include "platform/Window.h"

#include "platform/CursorQt.h"
#include "platform/MenuBar.h"
#include "platform/PushButton.h"
#include "platform/Quit.h"
#include "platform/Timer.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <map>
#include <vector>

// The top-level widget: passes the title-bar close button and the keys of the
// default and cancel buttons to its Window.
class WindowForm : public QWidget {
public:
    explicit WindowForm(Window& window) : window_(window) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        if (window_.TitleBarClose())
            event->accept();
        else
            event->ignore();
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (!window_.KeyPressed(event->key())) QWidget::keyPressEvent(event);
    }

private:
    Window& window_;
};

namespace {

std::vector<Window*>& OpenWindows() {
    static std::vector<Window*> windows;
    return windows;
}

Window::ShowModalHook& ModalHook() {
    static Window::ShowModalHook hook;
    return hook;
}

// A button given up by its role leaves the role empty only if it still holds
// it: another button may have taken it since.
void Designate(PushButton*& role, PushButton* button, bool on) {
    if (on)
        role = button;
    else if (role == button)
        role = nullptr;
}

}  // namespace

struct Window::Impl {
    QPointer<WindowForm> form;
    QWidget* content = nullptr;
    QMenuBar* bar = nullptr;
    MenuBar* menuBar = nullptr;
    std::map<QString, std::function<bool(int)>> handlers;
    std::vector<Timer*> timers;
    PushButton* defaultButton = nullptr;
    PushButton* cancelButton = nullptr;
    QEventLoop* modalLoop = nullptr;
    bool closed = false;
    bool placed = false;
};

Window::Window(int width, int height, const QString& title) : d(std::make_unique<Impl>()) {
    d->form = new WindowForm(*this);
    // Every window of the program is fixed in size: title, close and minimise
    // buttons, but nothing to maximise.
    d->form->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint);
    d->form->setWindowTitle(title);
    auto* layout = new QVBoxLayout(d->form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    d->content = new QWidget(d->form);
    d->content->setFixedSize(width, height);
    layout->addWidget(d->content);
    OpenWindows().push_back(this);
}

Window::~Window() {
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    if (d->modalLoop) d->modalLoop->quit();
    delete d->form.data();
}

QString Window::Title() const {
    return d->form->windowTitle();
}

void Window::SetTitle(const QString& title) {
    d->form->setWindowTitle(title);
}

int Window::Width() const {
    return d->content->width();
}

int Window::Height() const {
    return d->content->height();
}

void Window::Show() {
    if (d->closed) return;
    if (!d->placed) {
        d->placed = true;
        d->form->adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), d->form->size());
            frame.moveCenter(screen->availableGeometry().center());
            d->form->move(frame.topLeft());
        }
    }
    d->form->show();
    // The off-screen platform of the tests has no stacking to change.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) d->form->raise();
    d->form->activateWindow();
}

void Window::ShowModal() {
    if (d->closed) return;
    d->form->setWindowModality(Qt::ApplicationModal);
    Show();
    if (Ending()) EndingCancel();
    if (d->closed) return;
    const WaitForPerson wait([this] { EndingCancel(); });
    if (ModalHook()) {
        ModalHook()(*this);
        Close();
        return;
    }
    QEventLoop loop;
    d->modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    d->modalLoop = nullptr;
}

void Window::EndingCancel() {
    if (d->cancelButton && d->cancelButton->Visible()) d->cancelButton->Push();
    Close();
}

void Window::ShowWithinModal() {
    if (d->closed) return;
    d->form->setWindowModality(Qt::ApplicationModal);
    Show();
}

void Window::Close() {
    if (d->closed) return;
    d->closed = true;
    for (Timer* timer : d->timers) timer->Stop();
    d->form->hide();
    CloseEvent();
    if (d->modalLoop) d->modalLoop->quit();
}

bool Window::IsOpen() const {
    return !d->closed;
}

bool Window::IsVisible() const {
    return d->form->isVisible();
}

void Window::SetMouseCursor(CursorShape shape) {
    d->form->setCursor(ToQtCursor(shape));
}

void Window::SetMenuBar(MenuBar* menuBar) {
    if (d->bar) {
        d->form->layout()->setMenuBar(nullptr);
        delete d->bar;
        d->bar = nullptr;
    }
    d->menuBar = menuBar;
    if (!menuBar) return;
    d->bar = new QMenuBar(d->form);
    // The bar belongs to this window on every platform.
    d->bar->setNativeMenuBar(false);
    d->form->layout()->setMenuBar(d->bar);
    menuBar->ShowIn(d->bar);
}

MenuBar* Window::CurrentMenuBar() const {
    return d->menuBar;
}

void Window::AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
    d->handlers[itemName] = [handler = std::move(handler)](int) { return handler(); };
}

void Window::AddMenuHandler(const QString& itemName, std::function<bool(int index)> handler) {
    d->handlers[itemName] = std::move(handler);
}

Window::ShowModalHook Window::SetShowModalHook(ShowModalHook hook) {
    ShowModalHook previous = std::move(ModalHook());
    ModalHook() = std::move(hook);
    return previous;
}

QWidget* Window::Widget() const {
    return d->form;
}

QWidget* Window::Content() const {
    return d->content;
}

void Window::SetDefaultButton(PushButton* button, bool on) {
    Designate(d->defaultButton, button, on);
}

void Window::SetCancelButton(PushButton* button, bool on) {
    Designate(d->cancelButton, button, on);
}

void Window::AddTimer(Timer* timer) {
    d->timers.push_back(timer);
}

void Window::RemoveTimer(Timer* timer) {
    d->timers.erase(std::remove(d->timers.begin(), d->timers.end(), timer), d->timers.end());
}

bool Window::TitleBarClose() {
    if (d->closed) return true;
    if (CancelClose()) return false;
    Close();
    return true;
}

bool Window::KeyPressed(int key) {
    if (BlockedByModal()) return false;
    PushButton* button = nullptr;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        button = d->defaultButton;
    else if (key == Qt::Key_Escape)
        button = d->cancelButton;
    if (!button || !button->Visible()) return false;
    button->Push();
    return true;
}

Window* Window::MenuTarget(const MenuItem* root) {
    Window* latest = nullptr;
    const auto& windows = OpenWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        Window* window = *it;
        if (window->d->closed || window->d->menuBar != root) continue;
        if (window->d->form->isActiveWindow()) return window;
        if (!latest) latest = window;
    }
    return latest;
}

bool Window::BlockedByModal() const {
    const QWindow* modal = QGuiApplication::modalWindow();
    return modal && modal != d->form->windowHandle();
}

bool Window::CallMenuHandler(const QString& name, int index) {
    // Qt keeps the pointer, keys and shortcuts from a window under a modal
    // one; this keeps off the roads that do not pass Qt's input (Choose, a
    // pop-up's choice, keys sent straight to the window).
    if (BlockedByModal()) return false;
    const auto found = d->handlers.find(name);
    if (found == d->handlers.end()) return false;
    // A copy: the handler may rebind its own name while it runs.
    const auto handler = found->second;
    handler(index);
    return true;
}
