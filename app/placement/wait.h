#pragma once

#include <chrono>
#include <functional>

// Handles events, asleep between them, until done() holds or the time is up.
// User input waits for the event loop. The wake-up is precise and set anew
// before each sleep: a coarse timer may fire a little early, and a sleep
// begun after it would last until something else came.
void waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
