#include "platform/PersonDialog.h"

#include "platform/Quit.h"

#include <QDialog>

int ExecForPerson(QDialog& dialog) {
    if (Ending()) return QDialog::Rejected;
    const WaitForPerson wait([&dialog] { dialog.reject(); });
    return dialog.exec();
}
