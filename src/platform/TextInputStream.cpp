#include "platform/TextInputStream.h"

#include "platform/MacRoman.h"

#include <QFile>
#include <QFileInfo>

std::unique_ptr<TextInputStream> TextInputStream::Open(const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) return nullptr;
    return std::unique_ptr<TextInputStream>(new TextInputStream(std::move(file)));
}

TextInputStream::TextInputStream(std::unique_ptr<QFile> file) : file_(std::move(file)) {}

TextInputStream::~TextInputStream() = default;

const QByteArray& TextInputStream::Bytes() {
    if (file_) {
        bytes_ = file_->readAll();
        readError_ = file_->error() != QFileDevice::NoError;
        if (readError_) bytes_.clear();
        file_.reset();
    }
    return bytes_;
}

QString TextInputStream::ReadLine() {
    const QByteArray& bytes = Bytes();
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
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

bool TextInputStream::AtEOF() {
    return pos_ >= Bytes().size();
}

void TextInputStream::Close() {
    file_.reset();
    bytes_.clear();
    pos_ = 0;
}

bool TextInputStream::ReadError() const {
    return readError_;
}
