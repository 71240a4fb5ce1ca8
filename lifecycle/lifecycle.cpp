#include "lifecycle/lifecycle.h"

#include <optional>

#include "diagram/run.h"

void Lifecycle::load()
{
    if (phase_ != Phase::Idle)
        return;
    phase_ = Phase::Running;
    frontEnd_.runStarted();
    const std::optional<std::int16_t> sites = runDiagram(host_, drawing_, random_);
    if (!sites || phase_ == Phase::Ended)
        return;
    phase_ = Phase::Idle;
    frontEnd_.runFinished(*sites);
}

void Lifecycle::retry()
{
    if (phase_ != Phase::Idle)
        return;
    drawing_.clear();
    load();
}

void Lifecycle::end()
{
    phase_ = Phase::Ended;
    frontEnd_.ended();
}

Lifecycle::KeyAction Lifecycle::key(Button focused, Key key) const
{
    if (phase_ == Phase::Running && focused == Button::End && key != Key::Other)
        return KeyAction::Swallow;
    if (phase_ == Phase::Idle && key == Key::Enter)
        return KeyAction::Click;
    return KeyAction::Pass;
}
