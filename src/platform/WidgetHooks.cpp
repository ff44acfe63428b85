#include "platform/WidgetHooks.h"

#include "platform/Cursor.h"
#include "platform/CursorQt.h"
#include "platform/MsgBox.h"
#include "platform/PersonDialog.h"

#include <QApplication>
#include <QMessageBox>

#include <vector>

namespace {

struct Answer {
    QMessageBox::StandardButton button;
    int code;
};

// The buttons of the low three bits of a box type, in the order shown.
std::vector<Answer> Buttons(int type) {
    switch (type & 7) {
    case 1:
        return {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
    case 2:
        return {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
    case 3:
        return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
    case 4:
        return {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
    case 5:
        return {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}};
    default:
        return {{QMessageBox::Ok, 1}};
    }
}

QMessageBox::Icon IconOf(int type) {
    switch (type & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int ShowMessageBox(const QString& text, int type, const QString& title) {
    const std::vector<Answer> answers = Buttons(type);
    QMessageBox box(IconOf(type), title.isEmpty() ? QApplication::applicationDisplayName() : title,
                    text, QMessageBox::NoButton, QApplication::activeWindow());
    for (const Answer& answer : answers) box.addButton(answer.button);
    // Bits 256 and 512 make the second or third button the default.
    const size_t preferred = (type & 512) ? 2 : (type & 256) ? 1 : 0;
    box.setDefaultButton(answers[preferred < answers.size() ? preferred : 0].button);
    const int pressed = ExecForPerson(box);
    for (const Answer& answer : answers)
        if (answer.button == pressed) return answer.code;
    // Closed by its title bar: the box's escape answer.
    return answers.size() > 1 ? answers.back().code : answers.front().code;
}

// The wait cursor shows over every window of the program while it lasts.
void ShowCursor(CursorShape shape) {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (shape != CursorShape::Standard) QApplication::setOverrideCursor(ToQtCursor(shape));
}

}  // namespace

void InstallWidgetHandlers() {
    SetMsgBoxHandler(ShowMessageBox);
    SetMainWindowCursorHandler(ShowCursor);
}
