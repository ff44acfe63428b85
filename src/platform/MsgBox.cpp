#include "platform/MsgBox.h"

#include <cstdio>

namespace {

int DefaultMsgBox(const QString& text, int type, const QString& title) {
    const QByteArray line = (title.isEmpty() ? text : title + QStringLiteral(": ") + text).toLocal8Bit();
    std::fprintf(stderr, "%s\n", line.constData());
    const int buttons = type & 7;
    return buttons == 3 || buttons == 4 ? kMsgBoxYes : kMsgBoxOK;
}

MsgBoxHandler& Current() {
    static MsgBoxHandler handler = DefaultMsgBox;
    return handler;
}

}  // namespace

int MsgBox(const QString& text, int type, const QString& title) {
    return Current()(text, type, title);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) {
    MsgBoxHandler previous = std::move(Current());
    Current() = handler ? std::move(handler) : MsgBoxHandler(DefaultMsgBox);
    return previous;
}
