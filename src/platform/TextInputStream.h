#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A Mac Roman text file read line by line. The file is read whole when it is
// opened, so reading a line never fails.
class TextInputStream {
public:
    // nullptr when the path cannot be opened for reading (missing, a folder).
    static std::unique_ptr<TextInputStream> Open(const QString& path);

    // The next line without its line end (CR, LF or CR LF); "" at the end.
    QString ReadLine();
    // The framework's EOF (a macro name in C): true once nothing is left, so
    // a file that ends in a line end yields no extra empty line.
    bool AtEOF() const;
    void Close();

private:
    explicit TextInputStream(QByteArray bytes);

    QByteArray bytes_;
    qsizetype pos_ = 0;
};
