#include "platform/Thread.h"

#include <exception>
#include <process.h>
#include <windows.h>

namespace platform {

struct TWorkerThread::TState {
    std::function<void()> Work;
    HANDLE Handle = nullptr;
};

namespace {

unsigned __stdcall RunWork(void* state) {
    try {
        static_cast<TWorkerThread::TState*>(state)->Work();
    } catch (...) {
        std::terminate();
    }
    return 0;
}

}  // namespace

// The C runtime's thread start, so that its per-thread data is set up and freed.
TWorkerThread::TWorkerThread(std::function<void()> work) : state_(new TState{std::move(work)}) {
    state_->Handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, RunWork, state_.get(), 0, nullptr));
    if (!state_->Handle) std::terminate();
}

TWorkerThread::~TWorkerThread() {
    WaitForSingleObject(state_->Handle, INFINITE);
    CloseHandle(state_->Handle);
}

bool TWorkerThread::WaitFor(unsigned milliseconds) {
    return WaitForSingleObject(state_->Handle, milliseconds) == WAIT_OBJECT_0;
}

struct TRecursiveLock::TState {
    CRITICAL_SECTION Section;
};

TRecursiveLock::TRecursiveLock() : state_(new TState) { InitializeCriticalSection(&state_->Section); }

TRecursiveLock::~TRecursiveLock() { DeleteCriticalSection(&state_->Section); }

void TRecursiveLock::lock() { EnterCriticalSection(&state_->Section); }

void TRecursiveLock::unlock() { LeaveCriticalSection(&state_->Section); }

struct TMonitor::TState {
    CRITICAL_SECTION Section;
    CONDITION_VARIABLE Condition;
};

TMonitor::TMonitor() : state_(new TState) {
    InitializeCriticalSection(&state_->Section);
    InitializeConditionVariable(&state_->Condition);
}

TMonitor::~TMonitor() { DeleteCriticalSection(&state_->Section); }

void TMonitor::lock() { EnterCriticalSection(&state_->Section); }

void TMonitor::unlock() { LeaveCriticalSection(&state_->Section); }

void TMonitor::Wait() { SleepConditionVariableCS(&state_->Condition, &state_->Section, INFINITE); }

void TMonitor::WakeAll() { WakeAllConditionVariable(&state_->Condition); }

void Pause(unsigned milliseconds) { Sleep(milliseconds); }

}  // namespace platform
