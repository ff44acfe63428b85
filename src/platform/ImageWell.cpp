#include "platform/ImageWell.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

ImageWell::ImageWell(Window& parent, int left, int top, int width, int height)
    : Control(parent, left, top, width, height, new QLabel) {
    static_cast<QLabel*>(Widget())->setAlignment(Qt::AlignCenter);
}

ImageWell::ImageWell(TabPanel& panel, int page, int left, int top, int width, int height)
    : Control(panel, page, left, top, width, height, new QLabel) {
    static_cast<QLabel*>(Widget())->setAlignment(Qt::AlignCenter);
}

ImageWell::~ImageWell() = default;

Picture ImageWell::Image() const {
    return picture_;
}

void ImageWell::SetImage(const Picture& picture) {
    picture_ = picture;
    auto* label = static_cast<QLabel*>(Widget());
    if (picture.IsNil())
        label->clear();
    else
        label->setPixmap(QPixmap::fromImage(*picture.Image()));
}
