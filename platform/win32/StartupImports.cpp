// Linked into the shipped programs only, with the small runtime. The
// toolchain's start-up code calls three 8-bit (A) functions: GetStartupInfoA
// for the window's first show state, and GetModuleHandleA and LoadLibraryA
// with the ASCII name of its unwinder library. The programs hold text as
// UTF-8 and call the wide functions only; these three import slots are filled
// here with functions that answer through the wide calls, so that no 8-bit
// call is imported at all (cmake/CheckProgramSize.cmake fails the build on one).
#include <windows.h>

#include <cstring>

namespace {

constexpr int kNameLimit = MAX_PATH;

// The start-up code passes plain ASCII library names.
void WidenAscii(const char* name, wchar_t (&wide)[kNameLimit]) {
    int i = 0;
    for (; name[i] && i < kNameLimit - 1; ++i) wide[i] = static_cast<unsigned char>(name[i]);
    wide[i] = 0;
}

HMODULE WINAPI ModuleHandleByAsciiName(LPCSTR name) {
    if (!name) return GetModuleHandleW(nullptr);
    wchar_t wide[kNameLimit];
    WidenAscii(name, wide);
    return GetModuleHandleW(wide);
}

// Takes one more reference to a library that is loaded already and loads no
// other: the programs are linked statically, and a load by name would look in
// the program's own folder first, where anybody may have put a file.
HMODULE WINAPI LibraryByAsciiName(LPCSTR name) {
    if (!name || !ModuleHandleByAsciiName(name)) return nullptr;
    wchar_t wide[kNameLimit];
    WidenAscii(name, wide);
    return LoadLibraryW(wide);
}

// The numbers and flags as the wide call gives them; the texts (desktop,
// title) are left out, as nothing in the start-up code reads them.
VOID WINAPI StartupInfoThroughWideCall(LPSTARTUPINFOA info) {
    STARTUPINFOW wide{};
    wide.cb = sizeof(wide);
    GetStartupInfoW(&wide);
    static_assert(sizeof(STARTUPINFOW) == sizeof(STARTUPINFOA));
    std::memcpy(info, &wide, sizeof(*info));
    info->lpReserved = info->lpDesktop = info->lpTitle = nullptr;
}

}  // namespace

// The import slots the start-up code calls through, by their linker names.
HMODULE(WINAPI* moduleHandleImport)(LPCSTR) asm("__imp__GetModuleHandleA@4") = ModuleHandleByAsciiName;
HMODULE(WINAPI* loadLibraryImport)(LPCSTR) asm("__imp__LoadLibraryA@4") = LibraryByAsciiName;
VOID(WINAPI* startupInfoImport)(LPSTARTUPINFOA) asm("__imp__GetStartupInfoA@4") = StartupInfoThroughWideCall;
