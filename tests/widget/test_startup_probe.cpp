#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>

#include "app/frmquillet.h"
#include "bench/startup_probe.h"

namespace {

// The window, noting when it was last painted, on the probe's clock.
class Form : public frmQuillet {
public:
    using frmQuillet::frmQuillet;
    std::int64_t lastPaint = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        frmQuillet::paintEvent(event);
        lastPaint =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
    }
};

}  // namespace

// Asked for, the probe gives when the window was first exposed and when the
// first run was done, its last drawing painted, and says to end there; not
// asked for, it says to go on.
TEST(StartupProbe, SaysWhenTheWindowShowedAndTheFirstRunWasPaintedThenEnds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("report");
    qputenv("QUILLET_STARTUP_REPORT", path.toLocal8Bit());
    StartupProbe asked;
    qunsetenv("QUILLET_STARTUP_REPORT");
    StartupProbe unasked;
    Rng random(42);
    Form form(random);
    form.Form_Load();
    EXPECT_TRUE(asked.done());
    EXPECT_FALSE(form.hasEnded());
    EXPECT_FALSE(unasked.done());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList words = QString::fromLatin1(file.readAll()).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    ASSERT_EQ(words.size(), 4);
    EXPECT_EQ(words[0], "exposed");
    EXPECT_EQ(words[2], "finished");
    EXPECT_GT(words[1].toLongLong(), 0);
    EXPECT_GE(words[3].toLongLong(), words[1].toLongLong());
    // Whatever was still to paint is painted before "finished", not after.
    QCoreApplication::processEvents();
    EXPECT_GT(form.lastPaint, 0);
    EXPECT_LE(form.lastPaint, words[3].toLongLong());
}
