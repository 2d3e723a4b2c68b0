// The shipped programs' replacements of the C++ library's throw helpers and
// terminate handler (platform/win32/SmallRuntime.cpp), linked as they link
// them. A plain program: the test framework uses iostreams, whose library code
// brings the library's own helpers, which a shipped program must not have.
//   small_runtime_check            checks the helpers; exit 0 when all hold
//   small_runtime_check terminate  ends by an exception nothing may let through
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/Exception.h"

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

void Fail() { throw Exception("the message of the failure"); }
void FailWhereNothingMayBeThrown() noexcept { Fail(); }

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "terminate") == 0) FailWhereNothingMayBeThrown();
    CheckLibraryTexts();
    CheckMemoryErrorType();
    std::printf("%d failed\n", failures);
    return failures ? 1 : 0;
}
