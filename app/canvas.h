#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <string_view>

#include "diagram/pen.h"
#include "window/window.h"

class QPainter;

inline QColor toQColor(std::uint32_t c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// What a run draws: an off-screen image as large as the canvas, at the
// screen's pixel density, with the pen position, the drawing colour and the
// font size that the drawing operations use. The window owns one and paints
// it on every repaint, so the drawing survives being covered or minimised.
// Each operation returns the part of the canvas it changed, for the window to
// repaint.
class Canvas {
public:
    // font: the face that Print uses, at the font size set.
    explicit Canvas(const QFont& font) : font_(font) {}

    // The image grows (or is made) to size at the given pixel density,
    // keeping what was drawn.
    void fit(QSize size, qreal ratio);
    QRect clear();

    void setColour(std::uint32_t colour) { pen_.colour = colour; }
    std::uint32_t colour() const { return pen_.colour; }
    void setFontSize(int points) { pen_.points = points; }

    QRect line(float x1, float y1, float x2, float y2);
    QRect circle(float x, float y, float radius, std::uint32_t colour);
    QRect print(std::string_view item, std::int16_t n);

    void paint(QPainter& painter) const;
    const QImage& image() const { return image_; }

private:
    QFont font_;
    QImage image_;
    Pen pen_;
};
