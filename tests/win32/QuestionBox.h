#pragma once
// Answering the framework's question box from inside its modal loop: a
// timer looks for the box while the code under test waits for the answer.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "tests/win32/WindowChecks.h"

namespace question_box {

inline std::function<void(HWND)>& Action() {
    static std::function<void(HWND)> action;
    return action;
}

inline void CALLBACK LookForTheBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = GetActiveWindow();
    char className[16] = "";
    if (box) GetClassNameA(box, className, sizeof className);
    if (std::string(className) != "#32770") return;
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

inline std::string TextOf(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The question box's text, its control being number 101.
inline std::string QuestionOf(HWND box) { return TextOf(GetDlgItem(box, 101)); }

// A key pressed and released in the focused window.
inline void PostKey(WPARAM key) { PostKeyTo(GetFocus(), key); }
