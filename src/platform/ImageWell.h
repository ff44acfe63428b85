#pragma once

#include "platform/Control.h"
#include "platform/Picture.h"

// Shows one picture, centred; a nil picture shows nothing.
class ImageWell : public Control {
public:
    ImageWell(Window& parent, int left, int top, int width, int height);
    ImageWell(TabPanel& panel, int page, int left, int top, int width, int height);
    ~ImageWell() override;

    Picture Image() const;
    void SetImage(const Picture& picture);

private:
    Picture picture_;
};
