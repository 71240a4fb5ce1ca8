#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <string_view>
#include <utility>

#include "diagram/drawing.h"
#include "diagram/pen.h"
#include "window/window.h"

class QPainter;

inline QColor toQColor(std::uint32_t c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// What a run draws on in the window: an off-screen image as large as the
// canvas, at the screen's pixel density, with the pen that the drawing
// operations use. The window owns one and paints it on every repaint, so the
// drawing survives being covered or minimised. The canvas keeps the part it
// changed since the window last showed it.
class Canvas : public Drawing {
public:
    // font: the face that Print uses, at the font size set.
    explicit Canvas(const QFont& font) : font_(font) {}

    // The image grows (or is made) to size at the given pixel density,
    // keeping what was drawn.
    void fit(QSize size, qreal ratio);

    void clear() override;
    void setColour(std::uint32_t colour) override { pen_.colour = colour; }
    std::uint32_t colour() const override { return pen_.colour; }
    void setFontSize(int points) override { pen_.points = points; }
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float radius, std::uint32_t colour) override;
    void print(std::string_view item, std::int16_t n) override;

    // What changed since the last call, for the window to repaint.
    QRect takeUnshown() { return std::exchange(unshown_, QRect()); }

    void paint(QPainter& painter) const;
    const QImage& image() const { return image_; }

private:
    QFont font_;
    QImage image_;
    Pen pen_;
    QRect unshown_;
};
