#include "app/canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Lines may run far past the canvas; cut them to a box around the image first,
// so the rasteriser never sees huge coordinates (Liang-Barsky).
bool clipToBox(QPointF& a, QPointF& b, const QRectF& box)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + t0 * QPointF(dx, dy);
    b = start + t1 * QPointF(dx, dy);
    return true;
}

// The pixels a stroke of width 1 (antialiased) may touch around a box.
QRect touched(const QRectF& box) { return box.normalized().adjusted(-2, -2, 2, 2).toAlignedRect(); }

}  // namespace

void Canvas::fit(QSize size, qreal ratio)
{
    if (!image_.isNull() && image_.devicePixelRatio() == ratio && image_.deviceIndependentSize().toSize() == size)
        return;
    QImage next(size * ratio, QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    next.fill(toQColor(Window::background));
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(next);
}

void Canvas::clear()
{
    image_.fill(toQColor(Window::background));
    pen_.clear();
    unshown_ = QRect(QPoint(0, 0), image_.deviceIndependentSize().toSize());
}

void Canvas::line(float x1, float y1, float x2, float y2)
{
    pen_.lineTo(x2, y2);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    if (x1 == x2 && y1 == y2)
        return;  // a line to its own start only moves the position
    QPointF a(x1, y1);
    QPointF b(x2, y2);
    if (!clipToBox(a, b, QRectF(QPointF(-2, -2), image_.deviceIndependentSize() + QSizeF(4, 4))))
        return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toQColor(pen_.colour), 1));
    p.drawLine(a, b);
    unshown_ |= touched(QRectF(a, b));
}

void Canvas::circle(float x, float y, float radius, std::uint32_t colour)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius))
        return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toQColor(colour), 1));
    p.drawEllipse(QPointF(x, y), radius, radius);
    unshown_ |= touched(QRectF(x - radius, y - radius, 2 * radius, 2 * radius));
}

void Canvas::print(std::string_view item, std::int16_t n)
{
    const QString text = QString::fromStdString(printedText(item, n));
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f = font_;
    f.setPointSize(pen_.points);
    p.setFont(f);
    p.setPen(toQColor(pen_.colour));
    const QFontMetricsF metrics(f, &image_);
    const QPointF at(pen_.x, pen_.y);
    p.drawText(at + QPointF(0, metrics.ascent()), text);
    pen_.newLine();
    unshown_ |= touched(QRectF(at, QSizeF(metrics.horizontalAdvance(text), metrics.height())));
}

void Canvas::paint(QPainter& painter) const { painter.drawImage(QPointF(0, 0), image_); }
