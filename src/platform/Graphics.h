#pragma once

#include "platform/Events.h"

class QPainter;

// The drawing surface handed to a cell-paint event: the painter clipped to
// one cell, with (0, 0) at the cell's top left.
class Graphics {
public:
    Graphics(QPainter& painter, int left, int top, int width, int height, Color foreColor);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Color ForeColor() const;
    void SetForeColor(Color color);
    int Width() const;
    int Height() const;

    // Fills with ForeColor.
    void FillRect(int x, int y, int width, int height);

private:
    QPainter& painter_;
    int width_;
    int height_;
    Color foreColor_;
};
