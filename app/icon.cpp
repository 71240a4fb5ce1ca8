#include "app/icon.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

QIcon drawnIcon()
{
    QPixmap pixmap(128, 128);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
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
    return QIcon(pixmap);
}
