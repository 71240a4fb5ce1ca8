#include "app/icon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace {

const QColor light(0xa8, 0xee, 0xea);

// Five sites and their cells, on a 128-pixel grid.
void drawLarge(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 18, 18);
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
}

// At 16 and 24 pixels five cells and thin rings are a smudge: three sites,
// drawn as dots, and their three edges, which meet at the sites' circumcentre
// (8.42, 7.41), on a 16-pixel grid.
void drawSmall(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2.5, 2.5);
    p.setPen(QPen(light, 1.5, Qt::SolidLine, Qt::FlatCap));
    const QPointF centre(8.42, 7.41);
    for (const QPointF end : {QPointF(7.5, 1), QPointF(15, 9.88), QPointF(1, 11.64)})
        p.drawLine(centre, end);
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    for (const QPointF site : {QPointF(4.5, 5), QPointF(11.5, 4), QPointF(8.5, 12)})
        p.drawEllipse(site, 1.4, 1.4);
}

}  // namespace

QIcon drawnIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 128})
        icon.addPixmap(QPixmap::fromImage(drawnIcon(size)));
    return icon;
}

QImage drawnIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double grid = size <= 24 ? 16 : 128;
    p.scale(size / grid, size / grid);
    if (size <= 24)
        drawSmall(p);
    else
        drawLarge(p);
    return image;
}
