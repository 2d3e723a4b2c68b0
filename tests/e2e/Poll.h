#pragma once
// Waiting for something another process does: poll a condition until it
// holds or the time is up, and short pauses that let Wine catch up.
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

// Checks the condition at once and then every interval until it holds or
// the timeout has passed; returns whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(50)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(interval);
    }
}

inline void Pause(std::chrono::milliseconds length) { std::this_thread::sleep_for(length); }
