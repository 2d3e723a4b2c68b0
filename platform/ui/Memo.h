#pragma once
// A multi-line text field with optional scroll bars; it loads text files.
#include <cstdint>
#include <string>

#include "platform/ui/Edit.h"

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
public:
    // The largest text file the memo loads.
    static constexpr int64_t kMaxFileSize = 16 * 1024 * 1024;

    explicit TMemo(TComponent* owner);

    // Without a horizontal scroll bar the lines wrap at the right edge.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);

    // Shows the file's text (UTF-8 after a byte-order mark, Windows-1252
    // otherwise); raises the framework's file errors
    // (EFOpenError for a missing file, EFileTooLarge, EReadError).
    void LoadFromFile(const std::string& fileName);

protected:
    void WindowParams(TCreateParams& params) override;

private:
    TScrollStyle scrollBars_ = ssNone;
};

// The text with every line break as CR LF, which is the only break the edit
// control shows; NUL bytes, which would end its text early, become blanks.
std::string EditControlText(const std::string& text);
