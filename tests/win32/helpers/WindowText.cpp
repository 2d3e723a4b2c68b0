// Test helper: prints, as UTF-8, the text of the first window of the class
// inside the top-level window with the given title; exit code 1 when there
// is none. The text comes from the wide message, so that it is exact whatever
// the system's code page.
//   windowtext TITLE CLASS
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/win32/helpers/PrintUtf8.h"

namespace {

struct Search {
    const char* ClassName;
    HWND Found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->ClassName) != 0) return TRUE;
    search->Found = window;
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: windowtext TITLE CLASS\n", stderr);
        return 2;
    }
    Search search{argv[2], nullptr};
    if (HWND top = FindWindowA(nullptr, argv[1])) EnumChildWindows(top, Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.Found) return 1;
    // The control is another program's: only its messages give its text.
    std::wstring text(size_t(SendMessageW(search.Found, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(size_t(SendMessageW(search.Found, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    PrintUtf8(text);
    return 0;
}
