#include "app/icon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

QIcon drawnIcon() { return QIcon(QPixmap::fromImage(drawnIcon(128))); }

// Drawn on a 128-pixel grid, scaled to the size asked.
QImage drawnIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 18, 18);
    const QColor light(0xa8, 0xee, 0xea);
    p.setPen(QPen(light, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPolygonF edges[] = {
        {{54.35, 4}, {60.97, 42.40}, {29.14, 69.19}, {4, 66.91}},
        {{60.97, 42.40}, {95.51, 61.11}, {124, 54.60}},
        {{29.14, 69.19}, {65.46, 118.48}, {95.51, 61.11}},
        {{65.46, 118.48}, {65.88, 124}},
    };
    for (const QPolygonF& e : edges)
        p.drawPolyline(e);
    p.setPen(QPen(light, 2.5));
    p.setBrush(Qt::NoBrush);
    for (const QPointF c : {QPointF(30, 36), QPointF(88, 26), QPointF(62, 74), QPointF(24, 102), QPointF(104, 96)})
        p.drawEllipse(c, 4.5, 4.5);
    return image;
}
