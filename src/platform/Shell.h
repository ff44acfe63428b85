#pragma once

#include <QString>

// Runs one command line through /bin/sh to completion. The application
// folder's bin/ comes first on PATH, so the line's "open" is our helper.
class Shell {
public:
    void Execute(const QString& line);

    // Exit status of the line; 127 when the shell could not start,
    // 128 + signal number when it was killed by a signal.
    int ErrorCode() const { return errorCode_; }
    // Standard output followed by standard error.
    QString Result() const { return result_; }

private:
    int errorCode_ = 0;
    QString result_;
};

// Runs the line with a new Shell; a non-zero status is shown as
// "Error " + status + ", " + output. True when the line succeeded.
bool ExecuteReportingFailure(const QString& line);
