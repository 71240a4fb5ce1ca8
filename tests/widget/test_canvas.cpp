#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QRect>
#include <functional>
#include <utility>
#include <vector>

#include "app/canvas.h"

// The canvas's drawing operations, read back from its image: where Print puts
// its text and how large, where the position goes after Print, Line and
// Clear, in which colour lines are drawn, and what each says it changed.

namespace {

constexpr std::uint32_t red = composeColour(255, 0, 0);
constexpr std::uint32_t green = composeColour(0, 255, 0);

// The box around the pixels with some red and no green: the text.
QRect redBox(const QImage& img, const QRect& within)
{
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x) {
            const QColor c(img.pixel(x, y));
            if (c.red() > 0 && c.green() == 0)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

class CanvasDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.fit(QSize(800, 600), 1);
        canvas.setFontSize(20);
        canvas.setColour(red);
    }
    QRect all() const { return canvas.image().rect(); }
    Canvas canvas{QApplication::font()};
};

}  // namespace

TEST_F(CanvasDrawing, ALineMovesThePositionAndPrintPutsTheTextsTopLeftThere)
{
    canvas.setColour(green);
    canvas.line(100, 20, 200, 150);
    canvas.setColour(red);
    canvas.print("N=", 42);
    const QRect text = redBox(canvas.image(), all());
    EXPECT_GE(text.left(), 200);
    EXPECT_LE(text.left(), 204);
    EXPECT_GE(text.top(), 150);
    EXPECT_LE(text.top(), 160);
}

TEST_F(CanvasDrawing, PrintEndsTheLineAtXZeroOneLineLower)
{
    canvas.line(300, 100, 300, 100);
    canvas.print("N=", 42);
    const QRect first = redBox(canvas.image(), all());
    canvas.print("N=", 7);
    const QRect second = redBox(canvas.image(), QRect(0, 0, 250, canvas.image().height()));
    EXPECT_LE(second.left(), 4);
    // One text line at 20 points: 20 * 96 / 72 * 1.35 pixels, on every surface.
    EXPECT_EQ(second.top() - first.top(), 36);
}

TEST_F(CanvasDrawing, PrintUsesTheFontSizeSet)
{
    canvas.print("N=", 42);
    const int at20 = redBox(canvas.image(), all()).height();
    canvas.clear();
    canvas.setFontSize(40);
    canvas.print("N=", 42);
    const int at40 = redBox(canvas.image(), all()).height();
    EXPECT_GE(at40, at20 * 17 / 10);
    EXPECT_LE(at40, at20 * 23 / 10);
}

TEST_F(CanvasDrawing, ClearFillsWithBlackAndPutsThePositionAtTheOrigin)
{
    canvas.line(100, 100, 400, 300);
    canvas.print("N=", 42);
    canvas.clear();
    EXPECT_TRUE(redBox(canvas.image(), all()).isNull());
    for (int y = 0; y < canvas.image().height(); y += 7)
        for (int x = 0; x < canvas.image().width(); x += 7)
            ASSERT_EQ(canvas.image().pixel(x, y) & 0xffffffu, 0u) << x << "," << y;
    canvas.print("N=", 42);
    const QRect text = redBox(canvas.image(), all());
    EXPECT_LE(text.left(), 4);
    EXPECT_LE(text.top(), 10);
}

TEST_F(CanvasDrawing, LinesAreInTheDrawingColour)
{
    canvas.setColour(composeColour(201, 233, 240));
    canvas.line(100, 300.5f, 200, 300.5f);  // covers row 300 in full
    EXPECT_EQ(QColor(canvas.image().pixel(150, 300)), QColor(201, 233, 240));
}

// The window repaints what the canvas says it changed, and nothing else:
// every pixel that changed lies inside it.
TEST_F(CanvasDrawing, EachOperationSaysAllThatItChanged)
{
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"line", [&] { canvas.line(100.5f, 20.25f, 700, 450); }},
        {"steep line", [&] { canvas.line(300, -50, 301, 900); }},
        {"circle", [&] { canvas.circle(50, 60, 3, green); }},
        {"print",
         [&] {
             canvas.line(300, 100, 300, 100);
             canvas.print("N=", 99);
         }},
        {"clear", [&] { canvas.clear(); }},
    };
    for (const auto& [name, operation] : operations) {
        const QImage before = canvas.image();
        canvas.takeUnshown();
        operation();
        const QRect said = canvas.takeUnshown();
        QRect changed;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != canvas.image().pixel(x, y))
                    changed |= QRect(x, y, 1, 1);
        EXPECT_FALSE(changed.isEmpty()) << name;
        EXPECT_TRUE(said.contains(changed))
            << name << ": said " << said.x() << "," << said.y() << " " << said.width() << "x" << said.height()
            << ", changed " << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
    }
}
