#include "osmerin/gui/TScrlBtn.h"

#include <QPainter>
#include <QPolygon>

namespace osmerin {

TScrlBtn::TScrlBtn(QWidget* parent) : QWidget(parent)
{
    resize(17, 17);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage TScrlBtn::render() const
{
    const int width = std::max(1, this->width());
    const int height = std::max(1, this->height());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(BGColor);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::white);
    p.drawLine(0, 0, width - 1, 0);
    p.drawLine(0, 0, 0, height - 1);
    p.setPen(Qt::black);
    p.drawLine(0, height - 1, width - 1, height - 1);
    p.drawLine(width - 1, 0, width - 1, height - 1);
    // The inner rectangle, right and bottom exclusive.
    const int L = 1, T = 1, R = width - 1, B = height - 1;
    const int w = R - L, h = B - T;
    QPolygon arrow;
    switch (ArrowDir) {
    case 0:
        arrow << QPoint(L + w / 2, T + h / 3) << QPoint(L + w / 4, T + 2 * h / 3) << QPoint(L + 3 * w / 4, T + 2 * h / 3);
        break;
    case 1:
        arrow << QPoint(L + w / 2, T + 2 * h / 3) << QPoint(L + w / 4, T + h / 3) << QPoint(L + 3 * w / 4, T + h / 3);
        break;
    case 2:
        arrow << QPoint(L + w / 3, T + h / 2) << QPoint(L + 2 * w / 3, T + h / 4) << QPoint(L + 2 * w / 3, T + 3 * h / 4);
        break;
    case 3:
        arrow << QPoint(L + 2 * w / 3, T + h / 2) << QPoint(L + w / 3, T + 3 * h / 4) << QPoint(L + w / 3, T + h / 4);
        break;
    default:
        return image;
    }
    p.setPen(ArrowColor);
    p.setBrush(ArrowColor);
    p.drawPolygon(arrow);
    return image;
}

void TScrlBtn::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, render());
}

} // namespace osmerin
