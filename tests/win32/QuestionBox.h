#pragma once
// Answering the framework's question box from inside its modal loop: a
// timer looks for the box while the code under test waits for the answer.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "platform/win32/WideText.h"
#include "tests/win32/WindowChecks.h"

namespace question_box {

inline std::function<void(HWND)>& Action() {
    static std::function<void(HWND)> action;
    return action;
}

inline void CALLBACK LookForTheBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = GetActiveWindow();
    wchar_t className[16] = L"";
    if (box) GetClassNameW(box, className, 16);
    if (std::wstring(className) != L"#32770") return;
    KillTimer(nullptr, id);
    Action()(box);
}

}  // namespace question_box

// Runs `code`; when it shows a question box, `act` looks at the box and answers it.
inline void WithQuestionBoxAnswer(const std::function<void()>& code, std::function<void(HWND box)> act) {
    question_box::Action() = std::move(act);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, question_box::LookForTheBox);
    code();
    KillTimer(nullptr, timer);
}

// A window's text as the system holds it, and as UTF-8.
inline std::wstring WideTextOf(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(std::max(GetWindowTextW(window, text.data(), int(text.size())), 0)));
    return text;
}

inline std::string TextOf(HWND window) { return platform::Utf8Of(WideTextOf(window)); }

// The question box's text, its control being number 101.
inline std::string QuestionOf(HWND box) { return TextOf(GetDlgItem(box, 101)); }

// A key pressed and released in the focused window.
inline void PostKey(WPARAM key) { PostKeyTo(GetFocus(), key); }
