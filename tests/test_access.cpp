#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "app/frmquillet.h"
#include "diagram/recording_surface.h"
#include "diagram/run.h"

// The window for people who use the keyboard alone or a screen reader.

namespace {

QString descriptionOf(QWidget& w) { return QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Description); }

// A window that notes its description when each pair starts: while it draws.
class Form : public frmQuillet {
public:
    using frmQuillet::frmQuillet;
    QString whileDrawing;
    bool pump() override
    {
        whileDrawing = descriptionOf(*this);
        return frmQuillet::pump();
    }
};

}  // namespace

// A window that is active and has drawn its first run, counting the runs.
class AccessFocus : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.Form_Load();
    }
    int runs = 0;
    frmQuillet form{[this] { return static_cast<std::uint64_t>(++runs); }};
};

TEST_F(AccessFocus, SpaceOnRetryTwiceRunsTwoDiagramsAndQuitsNothing)
{
    EXPECT_EQ(QApplication::focusWidget(), form.cmdRetry) << "after the first run";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(QApplication::focusWidget(), form.cmdRetry) << "after a run that Retry started";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(runs, 3);
    EXPECT_FALSE(form.hasEnded());
    EXPECT_TRUE(form.cmdRetry->isEnabled());
}

// Retry pressed without moving the focus, as assistive technology presses it.
TEST_F(AccessFocus, FocusStaysOnEndWhenEndHadIt)
{
    form.cmdEnd->setFocus();
    form.cmdRetry->click();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(QApplication::focusWidget(), form.cmdEnd);
    EXPECT_FALSE(form.hasEnded());
}

// (That assistive technology is told of each change is checked with a real
// client, in the end-to-end test: Qt tells none on the offscreen platform.)
TEST(Access, TheDescriptionSaysWhatIsDrawn)
{
    Form form([] { return 42; });
    form.Form_Load();
    // The same seed on a surface without a window gives the run's count.
    RecordingSurface probe(788, 565, 42);
    const QString n = QString::number(setUpRun(probe).N);
    EXPECT_EQ(form.whileDrawing, "Drawing a nearest-site diagram of " + n + " sites");
    EXPECT_EQ(descriptionOf(form), "A nearest-site diagram of " + n + " sites");
}

TEST(Access, TheWindowIsTheApplicationsMainWindow)
{
    frmQuillet form;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&form);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Window);
    EXPECT_EQ(a->text(QAccessible::Name), "Quillet");
    EXPECT_EQ(a->childCount(), 2);
}
