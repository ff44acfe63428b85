#pragma once

class QDialog;

// Runs a Qt dialog that waits for a person and returns its result. Asked to
// end, before or while it waits, the dialog is rejected as its Escape would.
int ExecForPerson(QDialog& dialog);
