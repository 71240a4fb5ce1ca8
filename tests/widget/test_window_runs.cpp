#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>
#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include "app/canvas.h"
#include "app/frmquillet.h"
#include "app/pump.h"
#include "diagram/run.h"
#include "tests/support/eventually.h"
#include "tests/support/hooked_form.h"
#include "tools/recording/recording_surface.h"

// Runs in the window on Qt's offscreen platform, driven with Qt Test's mouse
// and key helpers. Runs are seeded, so a run can be made twice and compared.

namespace {

// Seeds 1, 2, 3, ... one per run, and counts the runs.
struct Seeds {
    std::uint64_t next = 1;
    int runs = 0;
    std::function<std::uint64_t()> seeder()
    {
        return [this] {
            ++runs;
            return next++;
        };
    }
};

using Form = HookedForm;

// What the window shows below its buttons: the drawing, as painted.
QImage drawn(QWidget& form)
{
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(0, 40, form.width(), form.height() - 40);
}

// What a window shows after running exactly the given seed from a clear start.
QImage runOf(std::uint64_t seed)
{
    Form form([seed] { return seed; });
    form.Form_Load();
    return drawn(form);
}

// Which parts of the vector registers are in use (XGETBV 1), where the
// processor tells.
std::optional<unsigned> vectorStateInUse()
{
#if defined(__x86_64__)
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (__get_cpuid_count(0xd, 1, &a, &b, &c, &d) && (a & 4u) != 0) {
        unsigned low = 0, high = 0;
        asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
        return low;
    }
#endif
    return std::nullopt;
}

}  // namespace

// Started as main starts it, the program draws its first diagram with no call
// from the test: the very lines that the trace gives for its seed, in the
// run's colour. Then it waits, idle, with Retry enabled, until End leaves the
// event loop with 0; no run starts after End.
TEST(Window, FirstRunDrawsByItselfThenEndWhileIdleQuitsWithZero)
{
    static constexpr std::uint64_t seed = 21;
    Seeds seeds{.next = seed};
    Form form(seeds.seeder());
    // Looks in at every turn of the event loop, the run's pumps included,
    // until the run has started and Retry is enabled again: it has finished.
    QTimer idle;
    idle.callOnTimeout(form.cmdEnd, [&] {
        if (seeds.runs == 0 || !form.cmdRetry->isEnabled())
            return;
        idle.stop();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(seeds.runs, 1);
        QTest::mouseClick(form.cmdEnd, Qt::LeftButton);
    });
    idle.start(0);
    QTimer guard;  // were the run never to start or finish, or End not to quit
    guard.callOnTimeout(qApp, [] { QCoreApplication::exit(3); });
    guard.start(30000);
    EXPECT_EQ(runQuillet(form), 0);
    EXPECT_TRUE(form.hasEnded());
    form.Form_Load();
    EXPECT_EQ(seeds.runs, 1);

    // The trace of the same seed on the canvas the run read, the window's
    // outer size, drawn on a canvas of its own: the very same pixels.
    RecordingSurface trace(form.outerWidth() / twipsPerPixel, form.outerHeight() / twipsPerPixel, seed);
    runDiagram(trace);
    const QImage& shown = form.canvas().image();
    Canvas traced(form.font());
    traced.fit(shown.deviceIndependentSize().toSize(), shown.devicePixelRatio());
    replay(trace.ops(), traced);
    EXPECT_EQ(shown, traced.image());
    const std::uint32_t colour = form.canvas().colour();
    ASSERT_EQ(colour, trace.all(RecordingSurface::Kind::Colour).at(0).value);
    // The label's strokes are drawn in full in the run's colour.
    const QColor c(redOf(colour), greenOf(colour), blueOf(colour));
    int exact = 0;
    const QImage img = drawn(form);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            exact += QColor(img.pixel(x, y)) == c;
    EXPECT_GT(exact, 50);
}

// Pressed fifty times by mouse and by Alt+R while a run draws, Retry starts no
// second run: it is disabled for the whole run.
TEST(Window, RetryIsDisabledForTheWholeRunAndIgnoresClicksAndAltR)
{
    Seeds seeds;
    Form form(seeds.seeder());
    bool wasEnabled = true;
    form.at = 3;
    form.atPump = [&] {
        wasEnabled = form.cmdRetry->isEnabled();
        for (int n = 0; n < 50; ++n) {
            QTest::mouseClick(form.cmdRetry, Qt::LeftButton);
            QTest::keyClick(&form, Qt::Key_R, Qt::AltModifier);
        }
        // (A mnemonic of an enabled button presses it a moment later.)
        EXPECT_TRUE(eventually([&] { return !form.cmdRetry->isDown(); }));
    };
    form.Form_Load();
    EXPECT_FALSE(wasEnabled);
    EXPECT_EQ(seeds.runs, 1);
    EXPECT_TRUE(form.cmdRetry->isEnabled());
}

TEST(Window, RetryClearsTheOldDrawingBeforeTheNewRun)
{
    Seeds seeds;
    Form form(seeds.seeder());
    form.Form_Load();
    const QImage first = drawn(form);
    QTest::mouseClick(form.cmdRetry, Qt::LeftButton);
    EXPECT_EQ(seeds.runs, 2);
    EXPECT_NE(drawn(form), first);
    // Exactly what seed 2 draws on a fresh window: nothing of run 1 is left.
    EXPECT_EQ(drawn(form), runOf(2));
}

// End clicked, Alt+E or the window's close, while a run draws: the run stops
// at that pump with nothing more drawn, and the program ends with 0. (That
// any pump stops a run so is the run's and the lifecycle's rule.)
TEST(Window, EndMidRunStopsTheRunAndQuitsWithZero)
{
    const std::pair<const char*, std::function<void(Form&)>> endings[] = {
        {"click End", [](Form& form) { QTest::mouseClick(form.cmdEnd, Qt::LeftButton); }},
        {"Alt+E",
         [](Form& form) {
             QTest::keyClick(&form, Qt::Key_E, Qt::AltModifier);
             EXPECT_TRUE(eventually([&] { return form.hasEnded(); }));  // a mnemonic presses a moment later
         }},
        {"close", [](Form& form) { form.close(); }},
    };
    for (const auto& [how, end] : endings) {
        SCOPED_TRACE(how);
        Form form([] { return 41; });
        form.at = 3;
        form.atPump = [&form, &end = end] { end(form); };
        EXPECT_EQ(runQuillet(form), 0);
        EXPECT_TRUE(form.hasEnded());
        EXPECT_EQ(form.pumps, 3);
        EXPECT_EQ(form.canvas().image(), form.drawnAtHook);
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.cmdRetry->isEnabled());
    }
}

// A close that comes through the event queue mid-run, as the window system
// sends it, is heard at the first pump once a millisecond has passed since
// the event loop was last asked: the run stops there.
TEST(Window, AnEventQueuedMidRunIsHeardOnceAMillisecondHasPassed)
{
    Form form([] { return 20; });  // (99 sites: 4851 pumps)
    form.at = 3;
    form.atPump = [&form] {
        QCoreApplication::postEvent(&form, new QCloseEvent);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 2) {
            // (more than a millisecond passes)
        }
    };
    EXPECT_EQ(runQuillet(form), 0);
    EXPECT_TRUE(form.hasEnded());
    EXPECT_EQ(form.pumps, 3);
}

// A pump by its clock, in milliseconds: it asks the event loop (here, to
// deliver a queued call) the first time, then at most once a millisecond.
TEST(Pump, AsksTheEventLoopAtMostOnceAMillisecond)
{
    QWidget window;
    Canvas canvas(window.font());
    Pump pump(window, canvas);
    const struct {
        std::int64_t ms;
        bool asks;
    } rows[] = {{0, true}, {0, false}, {1, true}, {1, false}, {1, false}, {2, true}, {40, true}, {40, false}};
    int delivered = 0;
    const auto deliver = [&delivered] { ++delivered; };
    bool queued = false;
    for (const auto& row : rows) {
        if (!std::exchange(queued, true))
            QMetaObject::invokeMethod(&window, deliver, Qt::QueuedConnection);
        const int before = delivered;
        pump.at(row.ms);
        queued = delivered == before;
        EXPECT_EQ(delivered > before, row.asks) << "at " << row.ms << " ms";
    }
}

// Qt's drawing leaves the upper halves of the AVX registers in use, which
// slows all the search's arithmetic after it; the pump hands the search back
// registers without them.
TEST(Window, APumpHandsTheSearchBackRegistersWithoutTheirUpperHalves)
{
    constexpr unsigned upperHalves = 1u << 2;  // the AVX state's bit
    Form form([] { return 1; });
    form.Form_Load();
    form.canvas().line(10.5f, 20.25f, 500.75f, 300.5f);
    const std::optional<unsigned> afterLine = vectorStateInUse();
    if (!afterLine || (*afterLine & upperHalves) == 0)
        GTEST_SKIP() << "Qt's drawing leaves no upper halves in use here";
    form.pump();
    EXPECT_EQ(vectorStateInUse().value_or(0) & upperHalves, 0u);
}

// A run's drawing reaches the screen at most once a frame, not once a pair,
// and all of it by the time the run has finished.
TEST(Window, ARunRepaintsAtMostOnceAFrameAndShowsAllOfItAtTheEnd)
{
    Form form([] { return 99; });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QElapsedTimer run;
    run.start();
    form.paints = 0;
    form.Form_Load();
    const qint64 frames = run.elapsed() / 16 + 1;
    QCoreApplication::processEvents();
    EXPECT_GT(form.pumps, 100);
    // a repaint a frame, and the end's; the run's start, which shows Retry
    // greyed; Retry greyed and enabled again
    EXPECT_LE(form.paints, frames + 4) << form.pumps << " pumps in " << run.elapsed() << " ms";
    const QImage shown = form.screen()->grabWindow(form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(0, 40, form.width(), form.height() - 40), drawn(form));
}
