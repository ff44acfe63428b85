#pragma once

#include <QString>

#include <memory>
#include <vector>

class QFile;

// A Mac Roman text file read line by line through a buffer of fixed size, so
// a page of any length costs no more memory than its longest line. Opening
// alone reads nothing, so testing that a large file opens costs little.
class TextInputStream {
public:
    // How much of the file is read at a time.
    static constexpr qsizetype kChunkSize = 64 * 1024;

    // nullptr when the path cannot be opened for reading (missing, a folder).
    static std::unique_ptr<TextInputStream> Open(const QString& path);

    // The next line without its line end (CR, LF or CR LF); "" at the end.
    QString ReadLine();
    // Opt-in, for text from the outside: a line longer than `bytes` is never
    // held whole. It is given as empty lines, one for each `bytes` of it
    // read, so that no ReadLine reads much more than that. 0: no limit.
    void SetMaxLineLength(qsizetype bytes);
    // The framework's EOF (a macro name in C): true once nothing is left, so
    // a file that ends in a line end yields no extra empty line.
    bool AtEOF();
    // True once a read from the file failed or the file ended short of the
    // size it had when opened (one that grew meanwhile is read to its end);
    // the stream is then at its end, and the line cut short is given as "".
    bool ReadError() const;
    void Close();
    ~TextInputStream();

private:
    explicit TextInputStream(std::unique_ptr<QFile> file);
    // True when an unread byte is in the buffer, reading the next chunk when
    // the buffer is used up.
    bool Available();

    std::unique_ptr<QFile> file_;
    std::vector<char> buffer_;
    qsizetype filled_ = 0;
    qsizetype pos_ = 0;
    qint64 sizeAtOpen_ = 0;
    qint64 taken_ = 0;  // bytes read so far
    bool readError_ = false;
    qsizetype maxLine_ = 0;
    bool skipping_ = false;  // within a line past the maximum
};
