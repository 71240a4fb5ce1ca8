#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <utility>
#include <vector>

#include "app/frmquillet.h"
#include "diagram/run.h"
#include "tests/support/eventually.h"
#include "tests/support/hooked_form.h"
#include "tools/recording/recording_surface.h"

// The window for people who use the keyboard alone or a screen reader.

namespace {

// The count of the run a seed makes.
QString sitesOf(std::uint64_t seed)
{
    RecordingSurface probe(seed);
    return QString::number(setUpRun(probe).N);
}

using Form = HookedForm;

// What the window shows a screen reader of itself as a notification: the
// names of its children that are notifications in view.
std::vector<QString> notified(QWidget& form)
{
    std::vector<QString> names;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
    for (int k = 0; k < window->childCount(); ++k) {
        QAccessibleInterface* child = window->child(k);
        if (child->role() == QAccessible::Notification && !child->state().invisible)
            names.push_back(child->text(QAccessible::Name));
    }
    return names;
}

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
    Form form{[this] { return static_cast<std::uint64_t>(++runs); }};
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

// A second Space, or any key meant for Retry, that comes while the run draws.
TEST_F(AccessFocus, WhileARunDrawsNothingHasTheFocusAndEndTakesNoKey)
{
    QWidget* focusWhileDrawing = form.cmdEnd;
    form.atNextPump([&] {
        focusWhileDrawing = QApplication::focusWidget();
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Select})
            QTest::keyClick(form.cmdEnd, key);
    });
    QTest::keyClick(form.cmdRetry, Qt::Key_Space);
    EXPECT_EQ(focusWhileDrawing, nullptr);
    EXPECT_FALSE(form.hasEnded());
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(QApplication::focusWidget(), form.cmdRetry) << "after the run";
}

// However Retry is pressed, and wherever the focus was, it is on Retry after
// the run: a Space that follows Alt+R is Retry's, even before the run starts.
// Each row in a window of its own: a press that a row leaves over (a mnemonic's
// click comes a moment later) cannot do a later row's work.
TEST_F(AccessFocus, AfterARunTheFocusIsOnRetryHoweverRetryWasPressed)
{
    const std::vector<std::pair<const char*, std::function<void(Form&)>>> presses = {
        {"its action, from End", [](Form& f) { f.cmdRetry->click(); }},
        {"Alt+R, from End", [](Form&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier); }},
        // (A mnemonic presses its button a moment later: the Space comes
        // while Retry is down, before its click.)
        {"Alt+R, then Space before Retry's click, from End",
         [](Form& f) {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
             EXPECT_TRUE(f.cmdRetry->isDown());
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
         }},
        {"Enter on Retry", [](Form& f) { QTest::keyClick(f.cmdRetry, Qt::Key_Return); }},
        {"Enter on the keypad on Retry",
         [](Form& f) { QTest::keyClick(f.cmdRetry, Qt::Key_Enter, Qt::KeypadModifier); }},
    };
    for (const auto& [how, press] : presses) {
        int ran = 0;
        Form f{[&ran] { return static_cast<std::uint64_t>(++ran); }};
        f.show();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f)) << how;
        f.Form_Load();
        f.cmdEnd->setFocus();
        press(f);
        EXPECT_TRUE(eventually([&] { return ran > 1 && !f.cmdRetry->isDown(); })) << how;
        EXPECT_FALSE(f.hasEnded()) << how;
        EXPECT_EQ(QApplication::focusWidget(), f.cmdRetry) << how;
    }
    // The keyboard alone: Tab from Retry to End, and Space presses it.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.cmdRetry);
    QTest::keyClick(form.cmdRetry, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.cmdEnd);
    QTest::keyClick(form.cmdEnd, Qt::Key_Space);
    EXPECT_TRUE(form.hasEnded()) << "Tab to End, then Space";
}

// Each run is told by a notification of its own, named before it is shown,
// so that a screen reader that hears late of an earlier one finds it as it
// was; and the window's status bar says the newest count whenever asked.
TEST_F(AccessFocus, EachRunIsToldByANotificationOfItsOwnAndKeptInTheStatusBar)
{
    auto toldOf = [](int run) { return "A nearest-site diagram of " + sitesOf(run) + " sites"; };
    auto byRole = [&](QAccessible::Role role) {
        std::vector<QAccessibleInterface*> found;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
        for (int k = 0; k < window->childCount(); ++k)
            if (window->child(k)->role() == role)
                found.push_back(window->child(k));
        return found;
    };
    std::vector<QAccessibleInterface*> notices;
    for (int run = 2; run <= 4; ++run) {
        form.cmdRetry->click();
        const auto now = byRole(QAccessible::Notification);
        ASSERT_EQ(now.size(), notices.size() + 2) << "run " << run;  // the first run's is there too
        EXPECT_EQ(notified(form), std::vector<QString>{toldOf(run)}) << "run " << run;
        EXPECT_EQ(now.back()->text(QAccessible::Name), toldOf(run));
        notices.push_back(now.back());
        for (int k = 0; k + 1 < static_cast<int>(notices.size()); ++k)
            EXPECT_EQ(notices[k]->text(QAccessible::Name), toldOf(k + 2)) << "run " << k + 2 << "'s, after run " << run;
        const auto status = byRole(QAccessible::StatusBar);
        ASSERT_EQ(status.size(), 1u);
        EXPECT_FALSE(status[0]->state().invisible);
        EXPECT_EQ(status[0]->text(QAccessible::Name), toldOf(run));
    }
}

// A finished run is told once, as soon as the window is active (the first
// run can finish before), not again when the window is switched away and
// back, and withdrawn while the next run draws.
TEST(Access, ARunIsAnnouncedOnceTheWindowIsActive)
{
    Form form([seed = std::uint64_t{0}]() mutable { return ++seed; });
    form.Form_Load();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    form.atNextPump([&] { EXPECT_TRUE(notified(form).empty()) << "while the second run draws"; });
    form.cmdRetry->click();
    EXPECT_TRUE(notified(form).empty()) << "while another window is active";
    const std::vector<QString> once{"A nearest-site diagram of " + sitesOf(2) + " sites"};
    for (const char* when : {"once the window is active", "after switching away and back"}) {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        EXPECT_EQ(notified(form), once) << when;
        elsewhere.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    }
}

TEST(Access, TheWindowIsTheApplicationsMainWindow)
{
    Rng random;
    frmQuillet form(random);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&form);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Window);
    EXPECT_EQ(a->text(QAccessible::Name), "Quillet");
    EXPECT_EQ(a->text(QAccessible::Description), Window::about);
    ASSERT_EQ(a->childCount(), 2);
    EXPECT_EQ(a->child(0)->text(QAccessible::Name), "Retry");
    EXPECT_EQ(a->child(0)->text(QAccessible::Description), Window::retry.description);
    EXPECT_EQ(a->child(1)->text(QAccessible::Name), "End");
    EXPECT_EQ(a->child(1)->text(QAccessible::Description), Window::end.description);
}
