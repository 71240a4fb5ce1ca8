#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <string_view>

#include "diagram/surface.h"

class QPainter;

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

    void setColour(std::uint32_t colour) { colour_ = colour; }
    std::uint32_t colour() const { return colour_; }
    void setFontSize(int points) { fontSize_ = points; }

    QRect line(float x1, float y1, float x2, float y2);
    QRect circle(float x, float y, float radius, std::uint32_t colour);
    QRect print(std::string_view item, std::int16_t n);

    void paint(QPainter& painter) const;
    const QImage& image() const { return image_; }

private:
    QFont font_;
    QImage image_;
    QPointF position_;
    std::uint32_t colour_ = composeColour(255, 255, 255);
    int fontSize_ = 9;
};
