#include "platform/TextInputStream.h"

#include "platform/MacRoman.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

std::unique_ptr<TextInputStream> TextInputStream::Open(const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return nullptr;
    auto file = std::make_unique<QFile>(path);
    // Our own buffer is the only one; QIODevice's would copy every byte twice.
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return nullptr;
    return std::unique_ptr<TextInputStream>(new TextInputStream(std::move(file)));
}

TextInputStream::TextInputStream(std::unique_ptr<QFile> file)
    : file_(std::move(file)), sizeAtOpen_(file_->size()) {}

TextInputStream::~TextInputStream() = default;

bool TextInputStream::Available() {
    if (pos_ < filled_) return true;
    pos_ = filled_ = 0;
    if (!file_) return false;
    if (buffer_.empty()) buffer_.resize(kChunkSize);
    const qint64 read = file_->read(buffer_.data(), kChunkSize);
    if (read <= 0) {
        // Ending before the size it had when opened, the file was cut or
        // rewritten under us (a sync tool, say): what came is not the file.
        readError_ = read < 0 || taken_ < sizeAtOpen_;
        file_.reset();
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
    file_.reset();
    buffer_ = {};
    pos_ = filled_ = 0;
}
