#pragma once

#include "platform/Cursor.h"

#include <Qt>

inline Qt::CursorShape ToQtCursor(CursorShape shape) {
    switch (shape) {
    case CursorShape::Wait:
        return Qt::WaitCursor;
    case CursorShape::PointingHand:
        return Qt::PointingHandCursor;
    case CursorShape::Standard:
        break;
    }
    return Qt::ArrowCursor;
}
