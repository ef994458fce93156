#include "app/ui/Background.h"

#include <QMouseEvent>
#include <QPainter>

QPixmap makeBackgroundPicture() {
    QPixmap picture(144, 144);
    picture.fill(QColor(0xC8, 0xD0, 0xD8));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // A faint circuit-board weave: a grid of traces with pads at the crossings.
    painter.setPen(QPen(QColor(0xB4, 0xBE, 0xC8), 2));
    for (int at = 18; at < 144; at += 36) {
        painter.drawLine(at, 0, at, 144);
        painter.drawLine(0, at, 144, at);
    }
    painter.setPen(QPen(QColor(0xBC, 0xC6, 0xD0), 1));
    for (int at = 0; at < 144; at += 36) painter.drawLine(at, at + 36, at + 36, at);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xA8, 0xB4, 0xC0));
    for (int x = 18; x < 144; x += 36)
        for (int y = 18; y < 144; y += 36) painter.drawEllipse(QPoint(x, y), 4, 4);
    return picture;
}

Background::Background(QPixmap picture, QWidget* parent) : QWidget(parent), picture_(std::move(picture)) {
    setObjectName("Background");
    setFocusPolicy(Qt::ClickFocus);
}

void Background::paintEvent(QPaintEvent*) {
    if (picture_.width() == 0 || picture_.height() == 0) return;
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), picture_);
}

void Background::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    emit clicked();
    QWidget::mousePressEvent(event);
}
