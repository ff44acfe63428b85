#include "platform/Cursor.h"

namespace {

CursorHandler& Current() {
    static CursorHandler handler;
    return handler;
}

}  // namespace

void SetMainWindowCursor(CursorShape shape) {
    if (Current()) Current()(shape);
}

CursorHandler SetMainWindowCursorHandler(CursorHandler handler) {
    CursorHandler previous = std::move(Current());
    Current() = std::move(handler);
    return previous;
}
