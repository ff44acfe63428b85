#pragma once

#include "platform/FileStamp.h"

#include <QString>

#include <memory>
#include <vector>

// A Mac Roman text file read line by line through a buffer of fixed size, so
// a page of any length costs no more memory than its longest line. Opening
// alone reads nothing, so testing that a large file opens costs little.
class TextInputStream {
public:
    // How much of the file is read at a time.
    static constexpr qsizetype kChunkSize = 64 * 1024;

    // nullptr when the path does not lead to a regular file that opens for
    // reading (missing, a folder, a FIFO, a device, a socket). Never waits.
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
    // True once a read from the file failed, the file ended short of the
    // size it had when opened, or its stamp at the end or at Close() was not
    // the one it had when opened (rewritten, grown or cut meanwhile); the
    // stream is then at its end, and the line cut short is given as "".
    bool ReadError() const;
    // The file's stamp when it was opened.
    const FileStamp& Stamp() const { return opened_; }
    void Close();
    ~TextInputStream();

private:
    TextInputStream(int fd, const FileStamp& opened);
    // True when an unread byte is in the buffer, reading the next chunk when
    // the buffer is used up.
    bool Available();
    // Closes the file; a read error when `failed` or when it changed.
    void Finish(bool failed);

    int fd_ = -1;
    FileStamp opened_;
    std::vector<char> buffer_;
    qsizetype filled_ = 0;
    qsizetype pos_ = 0;
    qint64 taken_ = 0;  // bytes read so far
    bool readError_ = false;
    qsizetype maxLine_ = 0;
    bool skipping_ = false;  // within a line past the maximum
};
