#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <memory>

// A Mac Roman text file written line by line. The previous file stays whole
// until Close() commits the new one, so a crash or a full disk loses nothing;
// a stream dropped without Close() leaves the previous file as it was.
class TextOutputStream {
public:
    // nullptr when the file cannot be created; `errorString` then says why.
    static std::unique_ptr<TextOutputStream> Create(const QString& path, QString* errorString = nullptr);

    // Writes the text and a LF; a character Mac Roman cannot hold, and a CR
    // or LF inside the text, becomes "?".
    void WriteLine(const QString& text);
    // Commits the file; false (and ErrorString()) when any byte of it could
    // not be written, the old file then left whole.
    bool Close();
    QString ErrorString() const;

private:
    explicit TextOutputStream(const QString& path);
    // Hands the buffered lines to the file; keeps the first failure.
    void Flush();
    void Fail(const QString& reason);

    QSaveFile file_;
    QByteArray buffer_;
    QString error_;
    bool closed_ = false;
};
