#pragma once
// The fixture of the end-to-end tests: each test gets its own skinshow.exe,
// run under Wine in the X display with the sample skin, its event log and
// the plain backdrop window behind the form, and drives it with real mouse
// input and screenshots.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/Rect.h"
#include "tests/e2e/BackgroundProgram.h"
#include "tests/e2e/EventLogFile.h"
#include "tests/e2e/Mouse.h"
#include "tests/e2e/SkinPictures.h"
#include "tests/support/ScratchFolder.h"

struct ScreenPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

// Where the program puts its buttons on the form.
struct ButtonPlace {
    const char* Role;
    int32_t Left;
    int32_t Top;
};
constexpr ButtonPlace kButtonPlaces[] = {{"Back", 300, 380}, {"Next", 400, 380}, {"Cancel", 510, 380}};

// The backdrop's colour, 0x00RRGGBB.
constexpr uint32_t kBackdropColor = 0x404040;

class SkinShowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const SkinPictures& Pictures() const { return *pictures_; }
    const EventLogFile& Log() const { return *log_; }
    BackgroundProgram& Program() { return *program_; }

    // The form's rectangle on the screen.
    const TRect& Form() const { return form_; }
    // The screen position of a point of the form.
    ScreenPoint OnForm(int32_t x, int32_t y) const { return {form_.Left + x, form_.Top + y}; }
    // The button's top-left corner on the form.
    static ButtonPlace PlaceOf(const std::string& role);
    // The screen position of a point of the button (coordinates in the button).
    ScreenPoint OnButton(const std::string& role, int32_t x, int32_t y) const;
    ScreenPoint ButtonMiddle(const std::string& role) const;
    // The middle 20 x 10 pixels of the button on the screen, where the states differ.
    TRect ButtonSample(const std::string& role) const;

    void MoveTo(ScreenPoint point) { MoveMouse(point.X, point.Y); }
    void PressAt(ScreenPoint point, MouseButton button);
    void ClickAt(ScreenPoint point, MouseButton button = MouseButton::Left);

    // The line shows up in the log (at least `times` times) within a few seconds.
    testing::AssertionResult Logged(const std::string& line, int times = 1) const;
    // The line is in the log exactly `times` times now.
    testing::AssertionResult LoggedExactly(const std::string& line, int times) const;
    // The button's picture on screen becomes the state's within a few seconds.
    testing::AssertionResult ButtonShows(const std::string& role, ButtonState state) const;
    // The button's picture on screen is the state's, and stays so for a while.
    testing::AssertionResult ButtonKeeps(const std::string& role, ButtonState state) const;

    // Saves the form and a margin around it as /tmp/e2e-NAME.png for people to look at.
    void SaveForm(const std::string& name) const;

private:
    // The state whose picture is nearest to the screen; nothing if none is near.
    std::optional<ButtonState> StateOnScreen(const std::string& role, std::string& seen) const;

    std::unique_ptr<ScratchFolder> scratch_;
    std::unique_ptr<SkinPictures> pictures_;
    std::unique_ptr<EventLogFile> log_;
    std::unique_ptr<BackgroundProgram> program_;
    std::string outputFile_;
    TRect form_;
};
