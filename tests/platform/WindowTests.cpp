#include "platform/ComboBox.h"
#include "platform/Choosers.h"
#include "platform/Cursor.h"
#include "platform/EditField.h"
#include "platform/Events.h"
#include "platform/FolderItem.h"
#include "platform/ImageWell.h"
#include "platform/MenuItem.h"
#include "platform/MsgBox.h"
#include "platform/Picture.h"
#include "platform/PushButton.h"
#include "platform/Quit.h"
#include "platform/StaticText.h"
#include "platform/TabPanel.h"
#include "platform/Timer.h"
#include "platform/WidgetHooks.h"
#include "platform/Window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class Dialog : public Window {
public:
    Dialog() : Window(300, 120, QStringLiteral("Dialog")) {
        ok.SetDefault(true);
        cancel.SetCancel(true);
        ok.Action = [this] {
            pressed.push_back(QStringLiteral("OK"));
            Close();
        };
        cancel.Action = [this] {
            pressed.push_back(QStringLiteral("Cancel"));
            Close();
        };
    }
    void CloseEvent() override { ++closeEvents; }
    bool CancelClose() override { return keepOpen; }

    PushButton ok{*this, 200, 90, 80, 20, QStringLiteral("OK")};
    PushButton cancel{*this, 110, 90, 80, 20, QStringLiteral("Cancel")};
    EditField field{*this, 10, 10, 200, 22};
    std::vector<QString> pressed;
    int closeEvents = 0;
    bool keepOpen = false;
};

// Keeps a modal hook installed for one test.
class ModalHook {
public:
    explicit ModalHook(Window::ShowModalHook hook)
        : previous_(Window::SetShowModalHook(std::move(hook))) {}
    ~ModalHook() { Window::SetShowModalHook(previous_); }

private:
    Window::ShowModalHook previous_;
};

void WaitUntil(const std::function<bool()>& done, int milliseconds = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds) QTest::qWait(5);
}

TEST(WindowTest, IsNotShownByConstruction) {
    Dialog dialog;
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(dialog.Width(), 300);
    EXPECT_EQ(dialog.Title(), QStringLiteral("Dialog"));
}

TEST(WindowTest, ModalHookActsWhileTheWindowIsShown) {
    struct Case {
        const char* name;
        std::function<void(Dialog&)> act;
        std::vector<QString> pressed;
    };
    const std::vector<Case> cases = {
        {"button", [](Dialog& d) { d.ok.Push(); }, {QStringLiteral("OK")}},
        {"nothing", [](Dialog&) {}, {}},  // closed when the hook returns
        {"return key",
         [](Dialog& d) { QTest::keyClick(d.field.Widget(), Qt::Key_Return); },
         {QStringLiteral("OK")}},
        {"escape key",
         [](Dialog& d) { QTest::keyClick(d.field.Widget(), Qt::Key_Escape); },
         {QStringLiteral("Cancel")}},
    };
    for (const Case& c : cases) {
        Dialog dialog;
        bool shownInHook = false;
        ModalHook hook([&](Window& shown) {
            shownInHook = shown.IsVisible() && &shown == &dialog;
            c.act(dialog);
        });
        dialog.ShowModal();
        EXPECT_TRUE(shownInHook) << c.name;
        EXPECT_FALSE(dialog.IsOpen()) << c.name;
        EXPECT_FALSE(dialog.IsVisible()) << c.name;
        EXPECT_EQ(dialog.closeEvents, 1) << c.name;
        EXPECT_EQ(dialog.pressed, c.pressed) << c.name;
    }
}

TEST(WindowTest, RealModalLoopReturnsWhenClosed) {
    Dialog dialog;
    QTimer::singleShot(10, [&] { dialog.cancel.Push(); });
    dialog.ShowModal();
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.pressed, (std::vector<QString>{QStringLiteral("Cancel")}));
    dialog.ShowModal();  // a closed window stays closed
    dialog.Close();
    EXPECT_EQ(dialog.closeEvents, 1);
}

TEST(WindowTest, TitleBarCloseAsksCancelClose) {
    Dialog dialog;
    dialog.Show();
    dialog.keepOpen = true;
    dialog.Widget()->close();
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_EQ(dialog.closeEvents, 0);
    dialog.keepOpen = false;
    dialog.Widget()->close();
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.closeEvents, 1);
}

TEST(TabPanelTest, PagesShowTheirControlsOnly) {
    Window window(400, 300, QStringLiteral("Tabs"));
    TabPanel panel(window, 20, 14, 360, 270, QStringLiteral("All\rFav\rName"));
    EditField onFirst(panel, 1, 23, 49, 100, 22);
    EditField onThird(panel, 3, 160, 49, 100, 22);
    StaticText always(window, 23, 280, 100, 20);
    int changes = 0;
    panel.Change = [&] { ++changes; };
    int opens = 0;
    panel.Open = [&] { ++opens; };
    window.Show();

    EXPECT_EQ(panel.PanelCount(), 3);
    EXPECT_EQ(panel.Caption(2), QStringLiteral("Name"));
    EXPECT_EQ(onThird.Left(), 160) << "window coordinates";
    EXPECT_EQ(onThird.Top(), 49);

    struct Step {
        int set;
        int value;
        int changes;
        bool first;
        bool third;
    };
    for (const Step& s : std::vector<Step>{{0, 0, 0, true, false},
                                          {2, 2, 1, false, true},
                                          {2, 2, 1, false, true},   // same tab: no Change
                                          {7, 2, 1, false, true},   // outside: ignored
                                          {-1, 2, 1, false, true},
                                          {0, 0, 2, true, false}}) {
        panel.SetValue(s.set);
        EXPECT_EQ(panel.Value(), s.value) << s.set;
        EXPECT_EQ(changes, s.changes) << s.set;
        EXPECT_EQ(onFirst.Widget()->isVisible(), s.first) << s.set;
        EXPECT_EQ(onThird.Widget()->isVisible(), s.third) << s.set;
        EXPECT_TRUE(always.Widget()->isVisible());
    }

    // A hidden control stays hidden when its page comes back.
    onThird.SetVisible(false);
    panel.SetValue(2);
    EXPECT_FALSE(onThird.Widget()->isVisible());
    panel.RaiseOpen();
    EXPECT_EQ(opens, 1);
}

TEST(TimerTest, SingleShotFiresOnceAndRepeatingKeepsFiring) {
    Window window(100, 100, QStringLiteral("Timers"));
    Timer single(window, Timer::kModeSingle, 10);
    Timer repeating(window, Timer::kModeMultiple, 10);
    int singles = 0, repeats = 0;
    single.Action = [&] { ++singles; };
    repeating.Action = [&] { ++repeats; };

    WaitUntil([&] { return repeats >= 3; });
    QTest::qWait(30);
    EXPECT_EQ(singles, 1);
    EXPECT_FALSE(single.Enabled());
    EXPECT_GE(repeats, 3);

    single.SetEnabled(true);  // restarts
    WaitUntil([&] { return singles == 2; });
    EXPECT_EQ(singles, 2);

    // A timer of a closed window is stopped.
    window.Close();
    const int before = repeats;
    QTest::qWait(40);
    EXPECT_EQ(repeats, before);
    EXPECT_FALSE(repeating.Enabled());
}

TEST(TimerTest, DisabledOrOffTimersDoNotFire) {
    Window window(100, 100, QStringLiteral("Timers"));
    Timer off(window, Timer::kModeOff, 5);
    Timer disabled(window, Timer::kModeMultiple, 5);
    disabled.SetEnabled(false);
    int fired = 0;
    off.Action = [&] { ++fired; };
    disabled.Action = [&] { ++fired; };
    QTest::qWait(30);
    EXPECT_EQ(fired, 0);
    disabled.SetPeriod(5);  // a new period does not start a disabled timer
    QTest::qWait(20);
    EXPECT_EQ(fired, 0);
}

TEST(ControlsTest, EditFieldRaisesTextChangeAndContextualMouseDown) {
    Window window(300, 100, QStringLiteral("Fields"));
    EditField field(window, 10, 10, 200, 22);
    int changes = 0;
    field.TextChange = [&] { ++changes; };
    std::vector<bool> contextual;
    field.MouseDown = [&](int, int) {
        contextual.push_back(IsContextualClick());
        return false;
    };
    window.Show();
    field.SetText(QStringLiteral("abc"));
    QTest::keyClicks(field.Widget(), QStringLiteral("d"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(field.Text(), QStringLiteral("abcd"));
    QTest::mouseClick(field.Widget(), Qt::LeftButton);
    QTest::mouseClick(field.Widget(), Qt::RightButton);
    EXPECT_EQ(contextual, (std::vector<bool>{false, true}));
}

TEST(ControlsTest, ComboBoxRowsAreOnlyOffers) {
    Window window(300, 100, QStringLiteral("Combo"));
    ComboBox combo(window, 10, 10, 200, 20);
    combo.AddRow(QStringLiteral("Arcade"));
    combo.AddRow(QStringLiteral("Adventure"));
    EXPECT_EQ(combo.Text(), QString()) << "adding rows selects none";
    EXPECT_EQ(combo.ListIndex(), -1);
    combo.SetListIndex(1);
    EXPECT_EQ(combo.Text(), QStringLiteral("Adventure"));
    combo.SetListIndex(5);
    EXPECT_EQ(combo.ListIndex(), -1);

    window.Show();
    auto* edit = static_cast<QComboBox*>(combo.Widget())->lineEdit();
    combo.SetText(QString());
    QTest::keyClicks(edit, QStringLiteral("Ar"));
    EXPECT_EQ(combo.Text(), QStringLiteral("Ar")) << "no completion";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(combo.ListCount(), 2) << "Return adds no row";
    EXPECT_EQ(combo.Text(), QStringLiteral("Ar"));

    bool contextual = false;
    combo.MouseDown = [&](int, int) {
        contextual = IsContextualClick();
        return false;
    };
    QTest::mouseClick(edit, Qt::RightButton);
    EXPECT_TRUE(contextual);
}

TEST(ControlsTest, StaticTextReportsEnteringAndLeaving) {
    Window window(300, 100, QStringLiteral("Label"));
    StaticText link(window, 10, 10, 100, 20, QStringLiteral("mail"));
    std::vector<QString> events;
    link.MouseEnter = [&] { events.push_back(QStringLiteral("enter")); };
    link.MouseExit = [&] { events.push_back(QStringLiteral("exit")); };
    link.MouseDown = [&](int, int) {
        events.push_back(QStringLiteral("down"));
        return false;
    };
    window.Show();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(link.Widget(), &enter);
    QTest::mouseClick(link.Widget(), Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link.Widget(), &leave);
    EXPECT_EQ(events, (std::vector<QString>{"enter", "down", "exit"}));
}

TEST(ControlsTest, PicturesLoadFromBmpOrAreNil) {
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("game.bmp"));
    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(bmp, "BMP"));
    const QString junk = dir.filePath(QStringLiteral("junk.bmp"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    EXPECT_EQ(Picture::Load(bmp).Width(), 12);
    EXPECT_EQ(OpenAsPicture(FolderItem(bmp)).Height(), 8);
    for (const Picture& nil : {Picture::Load(junk), Picture::Load(dir.filePath("none.bmp")),
                               Picture::Load(QString()), OpenAsPicture(FolderItem())})
        EXPECT_TRUE(nil.IsNil());

    Window window(300, 300, QStringLiteral("Picture"));
    ImageWell well(window, 0, 0, 100, 100);
    well.SetImage(Picture::Load(bmp));
    EXPECT_FALSE(well.Image().IsNil());
    well.SetImage(Picture());
    EXPECT_TRUE(well.Image().IsNil());
}

TEST(WidgetHandlersTest, MessageBoxesAnswerWithTheButtonPressed) {
    const MsgBoxHandler previous = SetMsgBoxHandler(nullptr);
    InstallWidgetHandlers();
    struct Case {
        int type;
        QMessageBox::StandardButton press;
        int answer;
        int buttons;
    };
    for (const Case& c : std::vector<Case>{{0, QMessageBox::Ok, 1, 1},
                                           {kMsgBoxYesNoQuestion, QMessageBox::No, 7, 2},
                                           {4, QMessageBox::Yes, 6, 2},
                                           {3, QMessageBox::Cancel, 2, 3}}) {
        int shown = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = static_cast<int>(box->buttons().size());
            box->button(c.press)->click();
        });
        EXPECT_EQ(MsgBox(QStringLiteral("Sure?"), c.type), c.answer) << c.type;
        EXPECT_EQ(shown, c.buttons) << c.type;
    }
    SetMsgBoxHandler(previous);
    SetMainWindowCursorHandler(nullptr);
}

TEST(WidgetHandlersTest, AskedToEndNothingWaitsForAPerson) {
    const MsgBoxHandler previous = SetMsgBoxHandler(nullptr);
    InstallWidgetHandlers();
    struct Case {
        const char* name;
        std::function<QString()> wait;  // what the wait ended with
        QString ended;
        QString said;  // on standard error
    };
    const std::vector<Case> cases = {
        {"message box", [] { return QString::number(MsgBox(QStringLiteral("Sure?"), kMsgBoxYesNoQuestion)); },
         QStringLiteral("7"), QStringLiteral("Sure?\n")},
        {"modal window",
         [] {
             Dialog dialog;
             dialog.ShowModal();
             return dialog.pressed.empty() ? QString() : dialog.pressed.front();
         },
         QStringLiteral("Cancel"), QString()},
        {"a box over a modal window",
         [] {
             Dialog dialog;
             int answer = 0;
             QTimer::singleShot(0, [&] { answer = MsgBox(QStringLiteral("Save?"), 4); });
             dialog.ShowModal();
             WaitUntil([&] { return answer != 0; });
             return dialog.pressed.front() + QString::number(answer);
         },
         QStringLiteral("Cancel7"), QStringLiteral("Save?\n")},
        {"folder chooser", [] { return SelectFolder().ShellPath(); }, QString(), QString()},
        {"pop-up menu",
         [] {
             MenuItem menu(QStringLiteral("Game"), QStringLiteral("Game"));
             menu.Append(std::make_unique<MenuItem>(QStringLiteral("GamePlay"), QStringLiteral("Play")));
             return menu.PopUp() ? QStringLiteral("chosen") : QString();
         },
         QString(), QString()},
    };
    for (const Case& c : cases) {
        QTimer::singleShot(50, [] { SetEnding(true); });
        testing::internal::CaptureStderr();
        EXPECT_EQ(c.wait(), c.ended) << c.name;
        // After what the off-screen platform has to say of the windows.
        EXPECT_TRUE(QString::fromStdString(testing::internal::GetCapturedStderr()).endsWith(c.said)) << c.name;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.name;
        SetEnding(false);
    }
    SetMsgBoxHandler(previous);
    SetMainWindowCursorHandler(nullptr);
}

}  // namespace
