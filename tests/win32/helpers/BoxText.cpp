// Test helper: prints the text of the message box with the given title, byte
// for byte; exit code 1 when there is none. (Whether it shows is the X
// display's to tell: a box raised while its program closes its main window
// shows without counting as visible to Windows.)
//   boxtext TITLE
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: boxtext TITLE\n", stderr);
        return 2;
    }
    HWND box = FindWindowA("#32770", argv[1]);
    if (!box) return 1;
    char text[16384] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text has the number 0xFFFF
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(text, 1, std::strlen(text), stdout);
    return 0;
}
