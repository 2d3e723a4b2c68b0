#include "platform/Thread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

struct TWorkerThread::TState {
    std::mutex Mutex;
    std::condition_variable Ended;
    bool HasEnded = false;
    std::thread Thread;
};

TWorkerThread::TWorkerThread(std::function<void()> work) : state_(new TState) {
    state_->Thread = std::thread([state = state_.get(), work = std::move(work)] {
        work();
        std::lock_guard lock(state->Mutex);
        state->HasEnded = true;
        state->Ended.notify_all();
    });
}

TWorkerThread::~TWorkerThread() { state_->Thread.join(); }

bool TWorkerThread::WaitFor(unsigned milliseconds) {
    std::unique_lock lock(state_->Mutex);
    return state_->Ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return state_->HasEnded; });
}

struct TRecursiveLock::TState {
    std::recursive_mutex Mutex;
};

TRecursiveLock::TRecursiveLock() : state_(new TState) {}

TRecursiveLock::~TRecursiveLock() = default;

void TRecursiveLock::lock() { state_->Mutex.lock(); }

void TRecursiveLock::unlock() { state_->Mutex.unlock(); }

struct TMonitor::TState {
    std::mutex Mutex;
    std::condition_variable_any Condition;
};

TMonitor::TMonitor() : state_(new TState) {}

TMonitor::~TMonitor() = default;

void TMonitor::lock() { state_->Mutex.lock(); }

void TMonitor::unlock() { state_->Mutex.unlock(); }

void TMonitor::Wait() { state_->Condition.wait(state_->Mutex); }

void TMonitor::WakeAll() { state_->Condition.notify_all(); }

void Pause(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace platform
