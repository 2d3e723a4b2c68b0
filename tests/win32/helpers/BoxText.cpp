// Test helper: prints the text of the message box with the given title, in
// UTF-8; exit code 1 when there is none. (Whether it shows is the X
// display's to tell: a box raised while its program closes its main window
// shows without counting as visible to Windows.)
//   boxtext TITLE
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8Of(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.pop_back();  // the null
    return utf8;
}

}  // namespace

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
    const std::string utf8 = Utf8Of(text.c_str());
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    return 0;
}
