#include "platform/Console.h"

#include <windows.h>

#include <io.h>

#include <algorithm>

#include "platform/win32/WideText.h"

namespace platform {

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

namespace {

// The console behind the stream; null when it goes elsewhere.
HANDLE ConsoleOf(std::FILE* stream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

void WriteText(std::FILE* stream, const std::string& text) {
    const HANDLE console = ConsoleOf(stream);
    if (!console) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    std::fflush(stream);  // what was written before through the stream comes first
    // Older consoles take a limited amount in one call; a pair of surrogates
    // stays in one piece.
    constexpr size_t kPiece = 8192;
    const std::wstring wide = Wide(text);
    for (size_t at = 0; at < wide.size();) {
        size_t count = std::min(kPiece, wide.size() - at);
        if (at + count < wide.size() && IS_HIGH_SURROGATE(wide[at + count - 1])) --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + at, static_cast<DWORD>(count), &written, nullptr) || written == 0)
            return;
        at += written;
    }
}

}  // namespace platform
