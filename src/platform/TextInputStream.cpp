#include "platform/TextInputStream.h"

#include "platform/MacRoman.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<TextInputStream> TextInputStream::Open(const QString& path) {
    // A FIFO or a device is not a file: its bytes never end, or come only
    // when something else writes them. Some devices act when opened (a tape
    // rewinds), so none is opened knowingly.
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (name.isEmpty() || ::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    // What is there now may be another thing; opening a FIFO without
    // O_NONBLOCK would wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<TextInputStream>(new TextInputStream(fd, FileStamp::Of(st)));
}

TextInputStream::TextInputStream(int fd, const FileStamp& opened) : fd_(fd), opened_(opened) {}

TextInputStream::~TextInputStream() {
    if (fd_ >= 0) ::close(fd_);
}

void TextInputStream::Finish(bool failed) {
    if (fd_ < 0) return;
    // Changed while read (a sync tool rewriting it in place, say), what came
    // may be half the old file and half the new: it is not the file.
    struct stat st {};
    readError_ = failed || ::fstat(fd_, &st) != 0 || FileStamp::Of(st) != opened_;
    ::close(fd_);
    fd_ = -1;
}

bool TextInputStream::Available() {
    if (pos_ < filled_) return true;
    pos_ = filled_ = 0;
    if (fd_ < 0) return false;
    if (buffer_.empty()) buffer_.resize(kChunkSize);
    ssize_t read;
    do {
        read = ::read(fd_, buffer_.data(), size_t(kChunkSize));
    } while (read < 0 && errno == EINTR);
    if (read <= 0) {
        Finish(read < 0 || taken_ < opened_.size);
        return false;
    }
    filled_ = read;
    taken_ += read;
    return true;
}

QString TextInputStream::ReadLine() {
    // The bytes of a line that runs on past the buffer's end.
    QByteArray partial;
    while (Available()) {
        const char* begin = buffer_.data() + pos_;
        const char* stop = buffer_.data() + filled_;
        const char* end = std::find_if(begin, stop, [](char c) { return c == '\n' || c == '\r'; });
        const qsizetype size = end - begin;
        const bool overlong = maxLine_ > 0 && partial.size() + size > maxLine_;
        if (end == stop) {
            pos_ = filled_;
            if (overlong) {
                skipping_ = true;
                return QString();
            }
            partial.append(begin, size);
            continue;
        }
        QString line;
        if (skipping_ || overlong) {
            skipping_ = false;
        } else if (partial.isEmpty()) {
            line = MacRoman::Decode(begin, end - begin);
        } else {
            partial.append(begin, end - begin);
            line = MacRoman::Decode(partial.constData(), partial.size());
        }
        const bool cr = *end == '\r';
        pos_ = end - buffer_.data() + 1;
        // The LF of a CR LF may be the first byte of the next chunk.
        if (cr && Available() && buffer_[pos_] == '\n') ++pos_;
        return line;
    }
    if (readError_ || skipping_) {
        skipping_ = false;
        return QString();
    }
    return MacRoman::Decode(partial.constData(), partial.size());
}

void TextInputStream::SetMaxLineLength(qsizetype bytes) {
    maxLine_ = bytes;
}

bool TextInputStream::AtEOF() {
    return !Available();
}

bool TextInputStream::ReadError() const {
    return readError_;
}

void TextInputStream::Close() {
    Finish(false);
    buffer_ = {};
    pos_ = filled_ = 0;
}
