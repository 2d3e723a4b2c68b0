// Linked into the shipped programs only (see cmake/ProductProgram.cmake), to
// keep the static C++ runtime small. It replaces two parts of that runtime
// that are large for what they do:
// - the terminate handler, whose library version demangles the type name of
//   the exception (the demangler alone is some 46 KB);
// - the library's helpers that throw its own error types (std::length_error,
//   std::out_of_range, ...). Those types hold a second, reference-counted
//   string implementation of their own, which with its error-type code is
//   some 55 KB. Here the helpers throw the system's Exception with the same
//   text; nothing catches the library's types by name, and every handler of
//   std::exception still sees them.
// Every helper of the library's set is defined, so that none of its own
// object is pulled in: a missing one would end the link with a duplicate
// definition rather than go unnoticed. The library's iostreams bring its
// system_error code, which defines __throw_system_error too: a program that
// uses them cannot link this file (the shipped programs have none).
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <exception>
#include <new>
#include <typeinfo>

#include "platform/Exception.h"

namespace {

// The library formats its out-of-range texts with %zu, %s and %%.
std::string FormatRangeText(const char* pattern, va_list args) {
    std::string text;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 'z' && p[2] == 'u') {
            text += std::to_string(va_arg(args, size_t));
            p += 2;
        } else if (p[0] == '%' && p[1] == 's') {
            text += va_arg(args, const char*);
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            text += '%';
            ++p;
        } else {
            text += *p;
        }
    }
    return text;
}

void WriteError(const char* text) { std::fputs(text, stderr); }

}  // namespace

namespace __gnu_cxx {

// Writes what the exception says, without its type's name, and aborts.
void __verbose_terminate_handler() {
    static bool terminating = false;
    if (terminating) std::abort();
    terminating = true;
    if (abi::__cxa_current_exception_type()) {
        try {
            throw;  // the exception that is ending the program, to ask what it says
        } catch (const std::exception& error) {
            WriteError("terminate called after throwing an exception\n  what():  ");
            WriteError(error.what());
            WriteError("\n");
        } catch (...) {
            WriteError("terminate called after throwing an exception of unknown type\n");
        }
    } else {
        WriteError("terminate called without an active exception\n");
    }
    std::abort();
}

}  // namespace __gnu_cxx

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* text) { throw Exception(text); }
void __throw_domain_error(const char* text) { throw Exception(text); }
void __throw_invalid_argument(const char* text) { throw Exception(text); }
void __throw_length_error(const char* text) { throw Exception(text); }
void __throw_out_of_range(const char* text) { throw Exception(text); }
void __throw_runtime_error(const char* text) { throw Exception(text); }
void __throw_range_error(const char* text) { throw Exception(text); }
void __throw_overflow_error(const char* text) { throw Exception(text); }
void __throw_underflow_error(const char* text) { throw Exception(text); }

void __throw_out_of_range_fmt(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    std::string text = FormatRangeText(pattern, args);
    va_end(args);
    throw Exception(std::move(text));
}

// A lock or thread call the system refused, with the C runtime's text of its code.
void __throw_system_error(int error) { throw Exception(strerror(error)); }

}  // namespace std

