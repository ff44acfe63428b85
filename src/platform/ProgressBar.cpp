#include "platform/ProgressBar.h"

#include "platform/Text.h"

#include <QProgressBar>

#include <algorithm>

ProgressBar::ProgressBar(Window& parent, int left, int top, int width, int height)
    : Control(parent, left, top, width, height, new QProgressBar) {
    Setup();
}

ProgressBar::ProgressBar(TabPanel& panel, int page, int left, int top, int width, int height)
    : Control(panel, page, left, top, width, height, new QProgressBar) {
    Setup();
}

ProgressBar::~ProgressBar() = default;

void ProgressBar::Setup() {
    bar_ = static_cast<QProgressBar*>(Widget());
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
}

int ProgressBar::Value() const {
    return bar_->value();
}

void ProgressBar::SetValue(int value) {
    bar_->setValue(std::clamp(value, 0, bar_->maximum()));
}

int ProgressBar::Maximum() const {
    return bar_->maximum();
}

void ProgressBar::SetMaximum(int maximum) {
    bar_->setMaximum(std::max(0, maximum));
}

void ProgressBar::SetStep(int i, int n) {
    if (n < 1) return;
    SetValue(IntegerPart((double(i) / double(n)) * 100.0));
}
