#include "platform/TextInputStream.h"

#include "platform/MacRoman.h"

#include <QFile>
#include <QFileInfo>

std::unique_ptr<TextInputStream> TextInputStream::Open(const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    return std::unique_ptr<TextInputStream>(new TextInputStream(file.readAll()));
}

TextInputStream::TextInputStream(QByteArray bytes) : bytes_(std::move(bytes)) {}

QString TextInputStream::ReadLine() {
    const char* data = bytes_.constData();
    const qsizetype size = bytes_.size();
    const qsizetype begin = pos_;
    qsizetype end = begin;
    while (end < size && data[end] != '\n' && data[end] != '\r') ++end;
    pos_ = end;
    if (pos_ < size) {
        if (data[pos_] == '\r' && pos_ + 1 < size && data[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }
    return MacRoman::Decode(data + begin, end - begin);
}

bool TextInputStream::AtEOF() const {
    return pos_ >= bytes_.size();
}

void TextInputStream::Close() {
    bytes_.clear();
    pos_ = 0;
}
