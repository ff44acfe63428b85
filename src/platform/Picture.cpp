#include "platform/Picture.h"

#include "platform/FolderItem.h"

#include <QImage>

Picture Picture::Load(const QString& path) {
    QImage image;
    if (path.isEmpty() || !image.load(path)) return Picture();
    Picture picture;
    picture.image_ = std::make_shared<const QImage>(std::move(image));
    return picture;
}

bool Picture::IsNil() const {
    return !image_;
}

int Picture::Width() const {
    return image_ ? image_->width() : 0;
}

int Picture::Height() const {
    return image_ ? image_->height() : 0;
}

const QImage* Picture::Image() const {
    return image_.get();
}

Picture OpenAsPicture(const FolderItem& item) {
    if (!item.IsValid()) return Picture();
    return Picture::Load(item.ShellPath());
}
