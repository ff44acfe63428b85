#include "platform/Application.h"
#include "platform/Cursor.h"
#include "platform/MsgBox.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MsgBox, DefaultAnswersWithoutAWindow) {
    const MsgBoxHandler previous = SetMsgBoxHandler(nullptr);
    EXPECT_EQ(MsgBox(QStringLiteral("note")), kMsgBoxOK);
    EXPECT_EQ(MsgBox(QStringLiteral("stop"), 16), kMsgBoxOK);
    EXPECT_EQ(MsgBox(QStringLiteral("sure?"), kMsgBoxYesNoQuestion, QStringLiteral("Title")), kMsgBoxYes);
    SetMsgBoxHandler(previous);
}

TEST(MsgBox, InstalledHandlerSeesEverythingAndAnswers) {
    struct Call {
        QString text;
        int type;
        QString title;
    };
    std::vector<Call> calls;
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const QString& text, int type, const QString& title) {
        calls.push_back({text, type, title});
        return kMsgBoxNo;
    });
    EXPECT_EQ(MsgBox(QStringLiteral("Delete?"), 36, QStringLiteral("Corvale")), kMsgBoxNo);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, QStringLiteral("Delete?"));
    EXPECT_EQ(calls[0].type, 36);
    EXPECT_EQ(calls[0].title, QStringLiteral("Corvale"));

    // Handing back the previous handler restores it; ours is returned.
    const MsgBoxHandler ours = SetMsgBoxHandler(previous);
    ASSERT_TRUE(ours);
    EXPECT_EQ(ours(QString(), 0, QString()), kMsgBoxNo);
    EXPECT_EQ(calls.size(), 2u);
}

TEST(Cursor, HandlerReceivesShapesAndCanBeReplaced) {
    SetMainWindowCursor(CursorShape::Wait);  // no handler: nothing happens
    std::vector<CursorShape> shapes;
    const CursorHandler previous = SetMainWindowCursorHandler([&](CursorShape s) { shapes.push_back(s); });
    EXPECT_FALSE(previous);
    SetMainWindowCursor(CursorShape::Wait);
    SetMainWindowCursor(CursorShape::PointingHand);
    SetMainWindowCursor(CursorShape::Standard);
    EXPECT_EQ(shapes, (std::vector<CursorShape>{CursorShape::Wait, CursorShape::PointingHand, CursorShape::Standard}));
    EXPECT_TRUE(SetMainWindowCursorHandler(previous));
    SetMainWindowCursor(CursorShape::Wait);
    EXPECT_EQ(shapes.size(), 3u);
}

TEST(Application, FolderIsTheExecutablesUnlessSet) {
    EXPECT_EQ(AppFolderPath(), QCoreApplication::applicationDirPath());
    SetAppFolderPath(QStringLiteral("/tmp/elsewhere"));
    EXPECT_EQ(AppFolderPath(), QStringLiteral("/tmp/elsewhere"));
    EXPECT_EQ(AppFolder().Child("corvale.txt").ShellPath(), QStringLiteral("/tmp/elsewhere/corvale.txt"));
    SetAppFolderPath(QString());
    EXPECT_EQ(AppFolderPath(), QCoreApplication::applicationDirPath());
}

TEST(Application, DoEventsRunsWhatIsPending) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    DoEvents();
    EXPECT_TRUE(ran);
}

}  // namespace
