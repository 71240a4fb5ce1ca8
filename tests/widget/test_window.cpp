#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "app/frmquillet.h"
#include "app/placement/placement.h"

// The window as it stands, on Qt's offscreen platform: its title, size and
// colour, its fixed size, its buttons, and a drawing that it keeps. What runs
// do in it is in test_window_runs.cpp.

TEST(Window, TitleSizeBackgroundIconButtonsAndTabOrder)
{
    Rng random;
    frmQuillet form(random);
    EXPECT_EQ(form.objectName(), "frmQuillet");
    EXPECT_EQ(form.windowTitle(), "Quillet");
    EXPECT_EQ(form.size(), QSize(788, 565));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_FALSE(form.windowIcon().isNull());
    QPushButton* retry = form.findChild<QPushButton*>("cmdRetry");
    QPushButton* end = form.findChild<QPushButton*>("cmdEnd");
    ASSERT_TRUE(retry && end);
    EXPECT_EQ(retry->text(), "Retry(&R)");
    EXPECT_EQ(end->text(), "End(&E)");
    EXPECT_EQ(retry->geometry(), QRect(16, 8, 57, 25));
    EXPECT_EQ(end->geometry(), QRect(112, 8, 57, 25));
    // Tab goes from the window to Retry, then to End.
    EXPECT_EQ(form.nextInFocusChain(), retry);
    EXPECT_EQ(retry->nextInFocusChain(), end);
}

// Fixed in size: its title bar offers no Maximise, and where Maximise or full
// screen is asked all the same (Qt's own title bar on Wayland, a window
// manager's menu), the window stays as it is.
TEST(Window, RefusesToGrow)
{
    Rng random;
    frmQuillet form(random);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    form.show();
    for (Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        form.windowHandle()->setWindowStates(state);
        QCoreApplication::processEvents();
        EXPECT_EQ(form.windowState(), Qt::WindowNoState) << state;
        EXPECT_EQ(form.size(), QSize(788, 565)) << state;
    }
}

// Where the window goes: its frame centred on the screen's available area
// (a second screen's too), the client area inside it; the frame as X's frame
// extents tell it (left, right, top, bottom, in device pixels). Offscreen,
// where nothing draws a frame or places windows, the client area is centred.
TEST(Window, PlacedWithItsFrameCentred)
{
    const QSize client(788, 565);
    EXPECT_EQ(centredClientArea(client, {}, {0, 0, 800, 600}), QRect(6, 17, 788, 565));
    EXPECT_EQ(centredClientArea(client, {1, 30, 1, 1}, {0, 0, 1920, 1080}), QRect(566, 272, 788, 565));
    EXPECT_EQ(centredClientArea(client, {4, 28, 4, 4}, {1920, 0, 1280, 1024}), QRect(2166, 241, 788, 565));
    EXPECT_EQ(frameOfExtents({4, 6, 30, 2}, 1), QMargins(4, 30, 6, 2));
    EXPECT_EQ(frameOfExtents({6, 6, 60, 6}, 2), QMargins(3, 30, 3, 3));
    EXPECT_EQ(frameOfExtents({3, 3, 45, 3}, 1.5), QMargins(2, 30, 2, 2));
    EXPECT_EQ(frameOfExtents({1, 1, 1, 1}, 1.25), QMargins(1, 1, 1, 1));
    Rng random;
    frmQuillet form(random);
    form.show();
    EXPECT_EQ(form.geometry(), centredClientArea(client, {}, QGuiApplication::primaryScreen()->availableGeometry()));
    // A run reads the outer size, frame included, in twips: offscreen, the
    // frame's margins are 2 pixels a side.
    EXPECT_EQ(form.frameGeometry().size(), QSize(792, 569));
    EXPECT_EQ(QSizeF(form.outerWidth(), form.outerHeight()), QSizeF(792 * 15, 569 * 15));
}

// Whatever font the desktop gives, each caption shows whole on its button at
// the button's fixed size: as much ink as on the same button made wide.
TEST(Window, CaptionsShowWholeInAnyFont)
{
    // The caption's dark ink on the button's light face, inside its frame.
    auto ink = [](QPushButton& button) {
        const QImage face = button.grab().toImage();
        int dark = 0;
        for (int y = 2; y < face.height() - 2; ++y)
            for (int x = 2; x < face.width() - 2; ++x)
                dark += std::max(0, 160 - qGray(face.pixel(x, y)));
        return dark / 100;
    };
    const QFont desktops = QApplication::font();
    for (const QFont& font : {QFont("DejaVu Sans", 9), QFont("DejaVu Sans", 11), QFont("DejaVu Serif", 14)}) {
        if (QFontInfo(font).family() != font.family()) {
            QApplication::setFont(desktops);
            GTEST_SKIP() << font.family().toStdString() << " is not installed (Windows has no DejaVu)";
        }
        QApplication::setFont(font);
        Rng random;
        frmQuillet form(random);
        for (QPushButton* button : {form.cmdRetry, form.cmdEnd}) {
            const int asShown = ink(*button);
            button->resize(200, 25);
            const int whole = ink(*button);
            EXPECT_GT(whole, 50) << font.toString().toStdString();
            EXPECT_GE(asShown, whole * 95 / 100)
                << font.toString().toStdString() << " " << button->text().toStdString();
        }
    }
    QApplication::setFont(desktops);
}

TEST(Window, DrawingSurvivesBeingHiddenAndShownAgain)
{
    Rng random(34);
    frmQuillet form(random);
    form.Form_Load();
    const QImage before = form.grab().toImage();
    form.hide();
    form.show();
    EXPECT_EQ(form.grab().toImage(), before);
}
