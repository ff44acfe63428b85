#include "platform/TextOutputStream.h"

#include "platform/MacRoman.h"

#include <QFileInfo>

#include <algorithm>

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const QString& path, QString* errorString) {
    std::unique_ptr<TextOutputStream> stream(new TextOutputStream(path));
    QString error;
    if (path.isEmpty()) {
        error = QStringLiteral("No file name");
    } else if (QFileInfo(path).isDir()) {
        // QSaveFile would only find out at the final rename.
        error = QStringLiteral("Is a folder");
    } else if (!stream->file_.open(QIODevice::WriteOnly)) {
        error = stream->file_.errorString();
    }
    if (error.isEmpty()) return stream;
    if (errorString) *errorString = error;
    return nullptr;
}

TextOutputStream::TextOutputStream(const QString& path) : file_(path) {}

void TextOutputStream::WriteLine(const QString& text) {
    if (closed_) return;
    QByteArray bytes = MacRoman::Encode(text);
    // A line end inside the text would read back as two lines, the rest of
    // the file shifted by one, so it is a character the line cannot hold.
    std::replace_if(bytes.begin(), bytes.end(), [](char c) { return c == '\n' || c == '\r'; }, '?');
    bytes.append('\n');
    // A failed write leaves QSaveFile in its error state; Close() reports it.
    file_.write(bytes);
}

bool TextOutputStream::Close() {
    if (closed_) return error_.isEmpty();
    closed_ = true;
    if (!file_.commit()) {
        error_ = file_.errorString();
        if (error_.isEmpty()) error_ = QStringLiteral("The file could not be written");
        return false;
    }
    return true;
}

QString TextOutputStream::ErrorString() const {
    return error_;
}
