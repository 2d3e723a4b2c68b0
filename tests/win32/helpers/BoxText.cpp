// Test helper: prints the text of the message box with the given title, in
// UTF-8; exit code 1 when there is none. (Whether it shows is the X
// display's to tell: a box raised while its program closes its main window
// shows without counting as visible to Windows.)
//   boxtext TITLE
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "tests/win32/helpers/PrintUtf8.h"

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) {
        std::fputs("usage: boxtext TITLE\n", stderr);
        return 2;
    }
    HWND box = FindWindowW(L"#32770", argv[1]);
    LocalFree(argv);
    if (!box) return 1;
    std::wstring text(32768, L'\0');
    // A message box's text has the number 0xFFFF.
    GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
    text.resize(wcslen(text.c_str()));
    PrintUtf8(text);
    return 0;
}
