#pragma once
// A worker thread, a lock and a monitor. The Windows build makes them from the system's
// own threads and critical sections, so that the shipped programs need
// neither the C++ library's thread support nor the threads library under it.
#include <functional>
#include <memory>

namespace platform {

// Runs its work on a thread of its own, started at once; the destructor waits
// for the work to end. Work that throws ends the program, as with std::thread.
class TWorkerThread {
public:
    explicit TWorkerThread(std::function<void()> work);
    ~TWorkerThread();
    TWorkerThread(const TWorkerThread&) = delete;
    TWorkerThread& operator=(const TWorkerThread&) = delete;

    // Waits until the work has ended or the time is up; true once it has ended.
    bool WaitFor(unsigned milliseconds);

    struct TState;

private:
    std::unique_ptr<TState> state_;
};

// A lock that the thread holding it may take again (lock and unlock, so that
// std::lock_guard takes it).
class TRecursiveLock {
public:
    TRecursiveLock();
    ~TRecursiveLock();
    TRecursiveLock(const TRecursiveLock&) = delete;
    TRecursiveLock& operator=(const TRecursiveLock&) = delete;

    void lock();
    void unlock();

    struct TState;

private:
    std::unique_ptr<TState> state_;
};

// A lock with a condition on it, for threads that wait for each other:
// Wait lets go of the lock while it sleeps until WakeAll, and holds it again
// on return (lock and unlock, so that std::lock_guard takes it).
class TMonitor {
public:
    TMonitor();
    ~TMonitor();
    TMonitor(const TMonitor&) = delete;
    TMonitor& operator=(const TMonitor&) = delete;

    void lock();
    void unlock();
    // Called with the lock held; may also return without a wake, so callers
    // look at what they wait for again.
    void Wait();
    void WakeAll();

    struct TState;

private:
    std::unique_ptr<TState> state_;
};

// Lets the calling thread sleep.
void Pause(unsigned milliseconds);

}  // namespace platform
