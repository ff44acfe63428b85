#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

// A Mac Roman text file read line by line. The file is read whole at the
// first line, so reading a line never fails; opening alone reads nothing, so
// testing that a large file opens costs little.
class TextInputStream {
public:
    // nullptr when the path cannot be opened for reading (missing, a folder).
    static std::unique_ptr<TextInputStream> Open(const QString& path);

    // The next line without its line end (CR, LF or CR LF); "" at the end.
    QString ReadLine();
    // The framework's EOF (a macro name in C): true once nothing is left, so
    // a file that ends in a line end yields no extra empty line.
    bool AtEOF();
    // True once a read from the file failed; ReadLine then gives "" and
    // AtEOF is true, so a loader never takes part of a file for all of it.
    bool ReadError() const;
    void Close();
    ~TextInputStream();

private:
    explicit TextInputStream(std::unique_ptr<QFile> file);
    // Reads the rest of the file on first use.
    const QByteArray& Bytes();

    std::unique_ptr<QFile> file_;
    QByteArray bytes_;
    qsizetype pos_ = 0;
    bool readError_ = false;
};
