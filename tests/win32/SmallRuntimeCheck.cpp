// The shipped programs' replacements of the C++ library's throw helpers,
// terminate handler and thread functions (platform/win32/SmallRuntime.cpp and
// SmallThreads.cpp), linked as they link them. A plain program: the test framework uses iostreams, whose library code
// brings the library's own helpers, which a shipped program must not have.
//   small_runtime_check            checks the helpers; exit 0 when all hold
//   small_runtime_check terminate  ends by an exception nothing may let through
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <pthread.h>
#include <windows.h>

#include "platform/Exception.h"
#include "platform/Thread.h"

namespace {

int failures = 0;

// What a handler of std::exception reads from the failure of call.
std::string WhatOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(nothing thrown)";
}

void Expect(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "failed: %s\n", what.c_str());
    ++failures;
}

void CheckLibraryTexts() {
    const std::string abc = "abc";
    const std::vector<int> two(2);
    const struct {
        std::function<void()> Call;
        std::string Text;
    } cases[] = {
        {[&] { (void)abc.at(5); }, "basic_string::at: __n (which is 5) >= this->size() (which is 3)"},
        {[&] { (void)abc.substr(4); }, "basic_string::substr: __pos (which is 4) > this->size() (which is 3)"},
        {[&] { (void)two.at(7); }, "vector::_M_range_check: __n (which is 7) >= this->size() (which is 2)"},
        {[] { std::vector<int>().reserve(SIZE_MAX / 2); }, "vector::reserve"},
        {[] { (void)std::stoi("x"); }, "stoi"},
    };
    for (const auto& c : cases) {
        const std::string what = WhatOf(c.Call);
        Expect(what == c.Text, "\"" + what + "\" instead of \"" + c.Text + "\"");
    }
}

void CheckMemoryErrorType() {
    std::allocator<int> allocator;
    bool memoryError = false;
    try {
        allocator.deallocate(allocator.allocate(SIZE_MAX / 2), SIZE_MAX / 2);
    } catch (const std::bad_alloc&) {
        memoryError = true;
    }
    Expect(memoryError, "an impossible allocation is no std::bad_alloc");
}

std::atomic<int> constructions = 0;
std::atomic<int> destructions = 0;

struct TSlowToMake {
    TSlowToMake() {
        ++constructions;
        platform::Pause(50);
    }
};

struct TPerThread {
    int Value = 0;
    ~TPerThread() { ++destructions; }
};
thread_local TPerThread perThread;

// A thread-local object that owns heap memory and checks, when it goes, that
// its memory is intact and its storage is still the thread's: the runtime's
// block of thread-local storage must outlive the thread's destructors.
std::atomic<int> intactDestructions = 0;
thread_local void* ownerAddress = nullptr;
const std::string kOwnedText(200, 'k');

struct TOwnsMemory {
    std::string Text = kOwnedText;
    TOwnsMemory() { ownerAddress = this; }
    ~TOwnsMemory() { intactDestructions += ownerAddress == this && Text == kOwnedText; }
};
thread_local TOwnsMemory ownsMemory;

// Two keys of the thread's own, whose destructors write what they saw to the
// thread's trace: E and L for the earlier and the later key, ! when the key
// still held its value. The later key's destructor sets its value again once.
pthread_key_t earlierKey, laterKey;

void TraceKey(pthread_key_t key, void* trace, char name) {
    std::string& text = *static_cast<std::string*>(trace);
    text += name;
    if (pthread_getspecific(key)) text += '!';
}

void EarlierKeyGoes(void* trace) { TraceKey(earlierKey, trace, 'E'); }

void LaterKeyGoes(void* trace) {
    TraceKey(laterKey, trace, 'L');
    if (*static_cast<std::string*>(trace) == "L") pthread_setspecific(laterKey, trace);
}

// What each thread does: a function-local static made once for all, its own
// thread-local object, and exceptions thrown and caught at the same time as
// the other threads throw theirs.
int WorkOfThread(int index, std::string& keyTrace) {
    static TSlowToMake shared;
    perThread.Value = index;
    (void)ownsMemory.Text.size();
    pthread_setspecific(earlierKey, &keyTrace);
    pthread_setspecific(laterKey, &keyTrace);
    int caught = 0;
    for (int i = 0; i < 200; ++i) {
        try {
            throw Exception(std::to_string(index));
        } catch (const Exception& error) {
            if (error.Message() == std::to_string(index)) ++caught;
        }
    }
    return caught == 200 && perThread.Value == index ? 1 : 0;
}

void CheckThreads() {
    constexpr int kThreads = 4;
    std::atomic<int> succeeded = 0;
    std::vector<std::string> keyTraces(kThreads);
    Expect(pthread_key_create(&earlierKey, EarlierKeyGoes) == 0 && pthread_key_create(&laterKey, LaterKeyGoes) == 0,
           "no keys");
    {
        std::vector<std::unique_ptr<platform::TWorkerThread>> threads;
        for (int i = 0; i < kThreads; ++i)
            threads.push_back(std::make_unique<platform::TWorkerThread>(
                [&, i] { succeeded += WorkOfThread(i + 1, keyTraces[size_t(i)]); }));
    }
    Expect(succeeded == kThreads, std::to_string(succeeded) + " of 4 threads saw their own exceptions");
    Expect(constructions == 1, "the static was made " + std::to_string(constructions) + " times");
    Expect(destructions == kThreads, std::to_string(destructions) + " of 4 thread-local objects destroyed");
    Expect(intactDestructions == kThreads,
           std::to_string(intactDestructions) + " of 4 thread-local objects found their storage intact when destroyed");
    // The later key first, each value null in its destructor, and a second
    // pass for the value set again.
    for (const std::string& trace : keyTraces) Expect(trace == "LEL", "the keys' destructors ran as " + trace);
    SetLastError(ERROR_FILE_EXISTS);
    perThread.Value = 1;
    Expect(GetLastError() == ERROR_FILE_EXISTS, "a thread-local object reset the last error");
}

void Fail() { throw Exception("the message of the failure"); }
void FailWhereNothingMayBeThrown() noexcept { Fail(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "terminate") == 0) FailWhereNothingMayBeThrown();
    CheckLibraryTexts();
    CheckMemoryErrorType();
    CheckThreads();
    std::printf("%d failed\n", failures);
    return failures ? 1 : 0;
}
