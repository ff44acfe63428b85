#include "platform/TextOutputStream.h"

#include "platform/MacRoman.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace {

// Lines are gathered here, not in QSaveFile's own buffer: that one is written
// out by commit(), which does not notice when that write fails.
constexpr qsizetype kBufferSize = 64 * 1024;

}  // namespace

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const QString& path, QString* errorString) {
    std::unique_ptr<TextOutputStream> stream(new TextOutputStream(path));
    QString error;
    if (path.isEmpty()) {
        error = QStringLiteral("No file name");
    } else if (QFileInfo(path).isDir()) {
        // QSaveFile would only find out at the final rename.
        error = QStringLiteral("Is a folder");
    } else if (!stream->file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = stream->file_.errorString();
    }
    if (error.isEmpty()) return stream;
    if (errorString) *errorString = error;
    return nullptr;
}

TextOutputStream::TextOutputStream(const QString& path) : file_(path) {
    buffer_.reserve(kBufferSize);
}

void TextOutputStream::WriteLine(const QString& text) {
    if (closed_) return;
    QByteArray bytes = MacRoman::Encode(text);
    // A line end inside the text would read back as two lines, the rest of
    // the file shifted by one, so it is a character the line cannot hold.
    std::replace_if(bytes.begin(), bytes.end(), [](char c) { return c == '\n' || c == '\r'; }, '?');
    buffer_ += bytes;
    buffer_ += '\n';
    if (buffer_.size() >= kBufferSize) Flush();
}

void TextOutputStream::Flush() {
    const char* data = buffer_.constData();
    qsizetype left = buffer_.size();
    // A short write sets no error; writing the rest again gives the reason.
    while (left > 0 && error_.isEmpty()) {
        const qint64 written = file_.write(data, left);
        if (written <= 0) {
            Fail(file_.errorString());
            break;
        }
        data += written;
        left -= written;
    }
    buffer_.clear();
}

void TextOutputStream::Fail(const QString& reason) {
    if (error_.isEmpty()) error_ = reason.isEmpty() ? QStringLiteral("The file could not be written") : reason;
}

bool TextOutputStream::Close() {
    if (closed_) return error_.isEmpty();
    closed_ = true;
    Flush();
    // A file system may report lost bytes only when they reach the disk;
    // EINVAL is one that cannot sync at all.
    if (error_.isEmpty() && ::fsync(file_.handle()) != 0 && errno != EINVAL) Fail(qt_error_string(errno));
    if (!error_.isEmpty()) {
        file_.cancelWriting();
        file_.commit();  // removes the new file, the old one untouched
        return false;
    }
    if (!file_.commit()) {
        Fail(file_.errorString());
        return false;
    }
    return true;
}

QString TextOutputStream::ErrorString() const {
    return error_;
}
