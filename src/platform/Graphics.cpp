#include "platform/Graphics.h"

#include <QColor>
#include <QPainter>

Graphics::Graphics(QPainter& painter, int left, int top, int width, int height, Color foreColor)
    : painter_(painter), width_(width), height_(height), foreColor_(foreColor) {
    painter_.save();
    painter_.setClipRect(left, top, width, height, Qt::IntersectClip);
    painter_.translate(left, top);
}

Graphics::~Graphics() {
    painter_.restore();
}

Color Graphics::ForeColor() const {
    return foreColor_;
}

void Graphics::SetForeColor(Color color) {
    foreColor_ = color;
}

int Graphics::Width() const {
    return width_;
}

int Graphics::Height() const {
    return height_;
}

void Graphics::FillRect(int x, int y, int width, int height) {
    painter_.fillRect(x, y, width, height, QColor(QRgb(foreColor_)));
}
