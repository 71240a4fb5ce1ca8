#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lifecycle/lifecycle.h"
#include "tools/recording/recording_surface.h"
#include "window/window.h"

using Phase = Lifecycle::Phase;
using Button = Lifecycle::Button;
using Key = Lifecycle::Key;
using KeyAction = Lifecycle::KeyAction;

namespace {

// A front end that writes down each turn it is told of.
struct Turns : Lifecycle::FrontEnd {
    std::vector<std::string> said;
    void runStarted() override { said.push_back("started"); }
    void runFinished(std::int16_t sites) override { said.push_back("finished " + std::to_string(sites)); }
    void ended() override { said.push_back("ended"); }
};

}  // namespace

TEST(Lifecycle, RunsTellTheirTurnsAndRetryIsHeardOnlyWhenIdle)
{
    RecordingSurface s(3);
    Turns turns;
    Lifecycle life(s, s, s, turns);
    s.onPump = [&](int pump) {
        if (pump == 1)
            life.retry();  // mid-run: nothing
        return true;
    };
    life.load();
    const std::string told = "finished " + std::to_string(s.count(RecordingSurface::Kind::Circle));
    EXPECT_EQ(turns.said, (std::vector<std::string>{"started", told}));
    life.retry();  // idle again: heard
    EXPECT_EQ(s.count(RecordingSurface::Kind::Clear), 1u);
    EXPECT_EQ(turns.said.size(), 4u);
}

TEST(Lifecycle, EndMidRunStopsAtTheNextPumpAndNoCountIsTold)
{
    RecordingSurface s(3);
    Turns turns;
    Lifecycle life(s, s, s, turns);
    s.onPump = [&](int) {
        life.end();
        return !life.ended();
    };
    life.load();
    EXPECT_EQ(turns.said, (std::vector<std::string>{"started", "ended"}));
    EXPECT_EQ(s.pumps(), 1);
    life.load();
    life.retry();
    EXPECT_EQ(turns.said.size(), 2u);
}

TEST(Lifecycle, KeysOnAFocusedButton)
{
    struct Row {
        Phase phase;
        Button button;
        Key key;
        KeyAction action;
    };
    const Row rows[] = {
        {Phase::Running, Button::End, Key::Space, KeyAction::Swallow},
        {Phase::Running, Button::End, Key::Enter, KeyAction::Swallow},
        {Phase::Running, Button::End, Key::Other, KeyAction::Pass},
        {Phase::Running, Button::Retry, Key::Space, KeyAction::Pass},
        {Phase::Running, Button::Retry, Key::Enter, KeyAction::Pass},
        {Phase::Idle, Button::Retry, Key::Enter, KeyAction::Click},
        {Phase::Idle, Button::End, Key::Enter, KeyAction::Click},
        {Phase::Idle, Button::End, Key::Space, KeyAction::Pass},
        {Phase::Ended, Button::End, Key::Enter, KeyAction::Pass},
    };
    for (const Row& row : rows) {
        RecordingSurface s(3);
        Turns turns;
        Lifecycle life(s, s, s, turns);
        KeyAction action{};
        s.onPump = [&](int) {
            action = life.key(row.button, row.key);
            return false;
        };
        if (row.phase == Phase::Running)
            life.load();
        if (row.phase == Phase::Ended)
            life.end();
        if (row.phase != Phase::Running)
            action = life.key(row.button, row.key);
        EXPECT_EQ(action, row.action) << "phase " << int(row.phase) << ", button " << int(row.button) << ", key "
                                      << int(row.key);
    }
}

TEST(Lifecycle, ShowsADrawingAtMostOnceAFrameAndAsksTheEventLoopAtMostOnceAMillisecond)
{
    Pace frames{Pace::frameMs};
    EXPECT_TRUE(frames.due(5));  // the first showing, however soon
    EXPECT_TRUE(frames.due(1000));
    frames.done(1000);
    EXPECT_FALSE(frames.due(1015));
    EXPECT_TRUE(frames.due(1016));
    Pace asks{Pace::askMs};
    asks.done(1000);
    EXPECT_FALSE(asks.due(1000));
    EXPECT_TRUE(asks.due(1001));
    EXPECT_EQ(Window::toldCount(42), "A nearest-site diagram of 42 sites");
}
