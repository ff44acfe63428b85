#include "platform/StaticText.h"

#include <QLabel>

StaticText::StaticText(Window& parent, int left, int top, int width, int height,
                       const QString& text)
    : Control(parent, left, top, width, height, new QLabel) {
    Setup(text);
}

StaticText::StaticText(TabPanel& panel, int page, int left, int top, int width, int height,
                       const QString& text)
    : Control(panel, page, left, top, width, height, new QLabel) {
    Setup(text);
}

StaticText::~StaticText() = default;

void StaticText::Setup(const QString& text) {
    label_ = static_cast<QLabel*>(Widget());
    label_->setTextFormat(Qt::PlainText);
    label_->setText(text);
    SetTextAlign(TextAlign::Default);
    WatchMouse(label_);
}

QString StaticText::Text() const {
    return label_->text();
}

void StaticText::SetText(const QString& text) {
    label_->setText(text);
}

void StaticText::SetTextAlign(TextAlign align) {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (align == TextAlign::Center) horizontal = Qt::AlignHCenter;
    if (align == TextAlign::Right) horizontal = Qt::AlignRight;
    label_->setAlignment(horizontal | Qt::AlignVCenter);
}

void StaticText::SetTextColor(Color color) {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, QColor(QRgb(color)));
    label_->setPalette(palette);
}

void StaticText::SetMultiline(bool multiline) {
    label_->setWordWrap(multiline);
}

bool StaticText::OnMouseDown(int x, int y) {
    return MouseDown && MouseDown(x, y);
}

void StaticText::OnMouseEnter() {
    if (MouseEnter) MouseEnter();
}

void StaticText::OnMouseExit() {
    if (MouseExit) MouseExit();
}
