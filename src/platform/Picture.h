#pragma once

#include <QString>

#include <memory>

class FolderItem;
class QImage;

// A picture read from a file, or nil (no picture). Copies share the image.
class Picture {
public:
    Picture() = default;  // nil
    // Nil when the file cannot be read as a picture.
    static Picture Load(const QString& path);

    bool IsNil() const;
    explicit operator bool() const { return !IsNil(); }
    int Width() const;
    int Height() const;

    const QImage* Image() const;  // nullptr for nil

private:
    std::shared_ptr<const QImage> image_;
};

// The file's picture; nil when the item is invalid or cannot be read as one.
Picture OpenAsPicture(const FolderItem& item);
