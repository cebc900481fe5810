#pragma once
// Waiting for what another thread, a process or the event loop brings
// about: the condition is asked again every few milliseconds until it holds
// or a generous bound has passed. The bound only ends a wait that went
// wrong; no test asserts how long anything took. Header-only, free of Qt.
#include <chrono>
#include <functional>
#include <thread>

namespace testsupport {

constexpr int kPollStepMs = 5;
constexpr int kPollBoundMs = 10000;

inline void PollSleep() { std::this_thread::sleep_for(std::chrono::milliseconds(kPollStepMs)); }

// Whether pred held within boundMs (its last answer). Between two asks
// `step` runs: a sleep of one step unless the test gives its own (a window
// test turns the event loop meanwhile).
inline bool WaitUntil(const std::function<bool()>& pred, int boundMs = kPollBoundMs,
                      const std::function<void()>& step = PollSleep) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= end) return pred();
        step();
    }
    return true;
}

}  // namespace testsupport
