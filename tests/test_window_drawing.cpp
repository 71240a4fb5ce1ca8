#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QRect>

#include "app/frmquillet.h"

// The window's drawing operations, read back from its image: where Print puts
// its text and how large, where the position goes after Print, Line and
// Clear, and in which colour lines are drawn.

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

class WindowDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.clear();
        form.setFontSize(20);
        form.setColour(red);
    }
    QRect all() const { return form.image().rect(); }
    frmQuillet form{[] { return 1; }};
};

}  // namespace

TEST_F(WindowDrawing, ALineMovesThePositionAndPrintPutsTheTextsTopLeftThere)
{
    form.setColour(green);
    form.line(100, 20, 200, 150);
    form.setColour(red);
    form.print("N=", 42);
    const QRect text = redBox(form.image(), all());
    EXPECT_GE(text.left(), 200);
    EXPECT_LE(text.left(), 204);
    EXPECT_GE(text.top(), 150);
    EXPECT_LE(text.top(), 160);
}

TEST_F(WindowDrawing, PrintEndsTheLineAtXZeroOneLineLower)
{
    form.line(300, 100, 300, 100);
    form.print("N=", 42);
    const QRect first = redBox(form.image(), all());
    form.print("N=", 7);
    const QRect second = redBox(form.image(), QRect(0, 0, 250, form.image().height()));
    EXPECT_LE(second.left(), 4);
    EXPECT_GE(second.top(), first.top() + first.height());
    EXPECT_LE(second.top(), first.top() + 2 * first.height());
}

TEST_F(WindowDrawing, PrintUsesTheFontSizeSet)
{
    form.print("N=", 42);
    const int at20 = redBox(form.image(), all()).height();
    form.clear();
    form.setFontSize(40);
    form.print("N=", 42);
    const int at40 = redBox(form.image(), all()).height();
    EXPECT_GE(at40, at20 * 17 / 10);
    EXPECT_LE(at40, at20 * 23 / 10);
}

TEST_F(WindowDrawing, ClearFillsWithBlackAndPutsThePositionAtTheOrigin)
{
    form.line(100, 100, 400, 300);
    form.print("N=", 42);
    form.clear();
    EXPECT_TRUE(redBox(form.image(), all()).isNull());
    for (int y = 0; y < form.image().height(); y += 7)
        for (int x = 0; x < form.image().width(); x += 7)
            ASSERT_EQ(form.image().pixel(x, y) & 0xffffffu, 0u) << x << "," << y;
    form.print("N=", 42);
    const QRect text = redBox(form.image(), all());
    EXPECT_LE(text.left(), 4);
    EXPECT_LE(text.top(), 10);
}

TEST_F(WindowDrawing, LinesAreInTheDrawingColour)
{
    form.setColour(composeColour(201, 233, 240));
    form.line(100, 300.5f, 200, 300.5f);  // covers row 300 in full
    EXPECT_EQ(QColor(form.image().pixel(150, 300)), QColor(201, 233, 240));
}

TEST(WindowFocusChain, TabGoesFromTheWindowToRetryThenToEnd)
{
    frmQuillet form;
    EXPECT_EQ(form.nextInFocusChain(), form.cmdRetry);
    EXPECT_EQ(form.cmdRetry->nextInFocusChain(), form.cmdEnd);
}
