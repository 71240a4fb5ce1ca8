#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/access.h"
#include "app/frmquillet.h"

// The window as the surface a run draws on: an off-screen image as large as
// the canvas, at the screen's pixel density, copied to the screen in
// paintEvent.

namespace {

QColor toQColor(std::uint32_t c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// Lines may run far past the canvas; cut them to a box around the image first,
// so the rasteriser never sees huge coordinates.
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

}  // namespace

void frmQuillet::refresh() { repaint(); }

void frmQuillet::clear()
{
    fitImage();
    image_.fill(Qt::black);
    position_ = QPointF(0, 0);
    update();
}

float frmQuillet::outerWidth() const { return static_cast<float>(frameGeometry().width() * twipsPerPixel); }

float frmQuillet::outerHeight() const { return static_cast<float>(frameGeometry().height() * twipsPerPixel); }

// The image covers the whole canvas (the outer size, which is a little larger
// than the client area) at the screen's pixel density.
void frmQuillet::fitImage()
{
    const QSize want = frameGeometry().size().expandedTo(size());
    const qreal ratio = devicePixelRatioF();
    if (!image_.isNull() && image_.devicePixelRatio() == ratio && image_.deviceIndependentSize().toSize() == want)
        return;
    QImage next(want * ratio, QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    next.fill(Qt::black);
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(next);
}

void frmQuillet::line(float x1, float y1, float x2, float y2)
{
    position_ = QPointF(x2, y2);
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
    p.setPen(QPen(toQColor(colour_), 1));
    p.drawLine(a, b);
    update(QRectF(a, b).normalized().adjusted(-2, -2, 2, 2).toAlignedRect());
}

void frmQuillet::circle(float x, float y, float radius, std::uint32_t colour)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius))
        return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toQColor(colour), 1));
    p.drawEllipse(QPointF(x, y), radius, radius);
    update(QRectF(x - radius - 2, y - radius - 2, 2 * radius + 4, 2 * radius + 4).toAlignedRect());
}

void frmQuillet::print(std::string_view item, std::int16_t n)
{
    const QString text = QString::fromStdString(printedText(item, n));
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f = font();
    f.setPointSize(fontSize_);
    p.setFont(f);
    p.setPen(toQColor(colour_));
    const QFontMetricsF metrics(f, &image_);
    p.drawText(position_ + QPointF(0, metrics.ascent()), text);
    update(QRectF(position_, QSizeF(metrics.horizontalAdvance(text), metrics.height()))
               .toAlignedRect()
               .adjusted(-2, -2, 2, 2));
    position_ = QPointF(0, position_.y() + metrics.lineSpacing());
    // The label is the run's site count.
    sites_ = n;
    withdrawAnnouncement(*this);
}

void frmQuillet::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPointF(0, 0), image_);
}
