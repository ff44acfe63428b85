#include "platform/MsgBox.h"

#include "platform/Quit.h"

#include <cstdio>

namespace {

void ToStandardError(const QString& text, const QString& title) {
    const QByteArray line = (title.isEmpty() ? text : title + QStringLiteral(": ") + text).toLocal8Bit();
    std::fprintf(stderr, "%s\n", line.constData());
}

int DefaultMsgBox(const QString& text, int type, const QString& title) {
    ToStandardError(text, title);
    const int buttons = type & 7;
    return buttons == 3 || buttons == 4 ? kMsgBoxYes : kMsgBoxOK;
}

// The answer of a box closed by its title bar: no one is there to choose.
int EscapeAnswer(int type) {
    constexpr int kAnswers[] = {kMsgBoxOK, 2, 5, 2, kMsgBoxNo, 2, kMsgBoxOK, kMsgBoxOK};
    return kAnswers[type & 7];
}

MsgBoxHandler& Current() {
    static MsgBoxHandler handler = DefaultMsgBox;
    return handler;
}

}  // namespace

int MsgBox(const QString& text, int type, const QString& title) {
    // Asked to end before or while it waits, no one may see the box: the
    // text goes where it can still be read.
    if (!Ending()) {
        const int answer = Current()(text, type, title);
        if (!Ending()) return answer;
    }
    ToStandardError(text, title);
    return EscapeAnswer(type);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) {
    MsgBoxHandler previous = std::move(Current());
    Current() = handler ? std::move(handler) : MsgBoxHandler(DefaultMsgBox);
    return previous;
}
