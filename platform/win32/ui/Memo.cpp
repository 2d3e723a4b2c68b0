#include "platform/ui/Memo.h"

#include <windows.h>

#include "platform/FileStream.h"
#include "platform/TextCoding.h"

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 185, 89); }

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
    if (scrollBars == scrollBars_) return;
    scrollBars_ = scrollBars;
    // Scroll bars and wrapping are fixed when the window is made: make it anew.
    if (HandleAllocated()) {
        DestroyWindowHandle();
        Handle();
    }
}

void TMemo::LoadFromFile(const std::string& fileName) {
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName, kMaxFileSize);
    SetText(EditControlText(DecodeText8(std::string(bytes.begin(), bytes.end()))));
}

void TMemo::WindowParams(TCreateParams& params) {
    TCustomEdit::WindowParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!ReadOnly()) params.Style |= ES_WANTRETURN;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
}

std::string EditControlText(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            result += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            result += "\r\n";
        } else {
            result += c == '\0' ? ' ' : c;
        }
    }
    return result;
}
