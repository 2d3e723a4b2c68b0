#pragma once
// The base of the end-to-end fixtures: a program of the Windows build run
// under Wine in the X display, its shaped form with the sample skin's three
// buttons found on the screen, driven with real mouse input and checked by
// screenshots.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Rect.h"
#include "tests/e2e/BackgroundProgram.h"
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

class SkinnedWindowTest : public testing::Test {
protected:
    void TearDown() override;

    // Fails the test when the display, the program or a tool is missing.
    void CheckPrerequisites(const std::string& exe);
    // Starts the command line under Wine's runner; its output goes to a file.
    void Launch(const std::vector<std::string>& arguments);
    // Waits for the form to show with the given title and size.
    void FindForm(const std::string& title, int32_t width, int32_t height);
    // What the program printed so far.
    std::string ProgramOutput() const;
    // Called on a failure with the test's own records to print.
    virtual void PrintRecords() const {}

    const SkinPictures& Pictures() const { return *pictures_; }
    BackgroundProgram& Program() { return *program_; }
    ScratchFolder& Scratch() { return *scratch_; }

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
    std::unique_ptr<BackgroundProgram> program_;
    std::string outputFile_;
    TRect form_;
};
