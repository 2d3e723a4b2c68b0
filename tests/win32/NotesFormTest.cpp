// The notes window on a real memo: where its text comes from at the first
// and later starts, that every change reaches the notes file, and that a
// notes file it cannot read or write is never lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "samples/larknotes/NotesForm.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/QuestionBox.h"

namespace {

// Types one character at the end of the memo, as the keyboard would.
void TypeAtEnd(TNotesForm& form, wchar_t c) {
    HWND memo = WindowOf(*form.Notes);
    SendMessageW(memo, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
    SendMessageW(memo, WM_CHAR, static_cast<WPARAM>(c), 1);
}

// The text of the system's message box, its control being number 0xFFFF.
std::string MessageBoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

}  // namespace

TEST(NotesForm, StartsWithTheFirstNoteAndLaterWithWhatWasTyped) {
    ScratchFolder scratch;
    const std::string notes = scratch / "Notes.txt";
    WriteFile(scratch / "First-note.txt", "Welcome.\r\nInstalled with the program.\r\n");
    {
        TNotesForm form(nullptr, scratch.Path());
        EXPECT_EQ(form.Caption(), "Larkspur Notes - " + notes);
        WindowOf(form);
        EXPECT_EQ(form.Notes->BoundsRect(), form.ClientRect()) << "the memo fills the area inside the frame";
        EXPECT_EQ(form.Notes->Text(), "Welcome.\r\nInstalled with the program.\r\n");
        EXPECT_FALSE(platform::FileExists(notes)) << "nothing is written before the first change";
        TypeAtEnd(form, 'x');
        EXPECT_EQ(ReadFile(notes), "Welcome.\r\nInstalled with the program.\r\nx") << "saved at once";
        TypeAtEnd(form, 'y');
        EXPECT_EQ(ReadFile(notes), "Welcome.\r\nInstalled with the program.\r\nxy");
        EXPECT_TRUE(form.Saved());
    }
    EXPECT_FALSE(platform::FileExists(notes + ".new"));
    WriteFile(scratch / "First-note.txt", "A newer first note.\r\n");
    TNotesForm again(nullptr, scratch.Path());
    EXPECT_EQ(again.Notes->Text(), "Welcome.\r\nInstalled with the program.\r\nxy");
}

// Notes stay in Windows-1252 while every character fits and are written as
// marked UTF-8 once one does not; either way they come back as typed.
TEST(NotesForm, NotesOfAnyScriptComeBackAsTyped) {
    ScratchFolder scratch;
    const std::string notes = scratch / "Notes.txt";
    WriteFile(notes, "Old notes.");
    {
        TNotesForm form(nullptr, scratch.Path());
        TypeAtEnd(form, L'\u00E9');
        EXPECT_EQ(ReadFile(notes), "Old notes.\xE9");
        TypeAtEnd(form, L'\u0416');
        EXPECT_EQ(ReadFile(notes), "\xEF\xBB\xBFOld notes.\xC3\xA9\xD0\x96");
    }
    TNotesForm again(nullptr, scratch.Path());
    EXPECT_EQ(again.Notes->Text(), "Old notes.\xC3\xA9\xD0\x96");
}

TEST(NotesForm, ANotesFileThatCannotBeReadStopsTheStartAndIsKept) {
    ScratchFolder scratch;
    const std::string notes = scratch / "Notes.txt";
    WriteFile(scratch / "First-note.txt", "Welcome.\r\n");
    WriteFile(notes, std::string(TMemo::kMaxFileSize + 1, 'n'));
    EXPECT_NE(MessageOf([&] { TNotesForm form(nullptr, scratch.Path()); }), "");
    EXPECT_EQ(platform::FileSizeOf(notes), TMemo::kMaxFileSize + 1);
}

TEST(NotesForm, AFailedSaveIsToldOnceAndClosingAsksBeforeChangesAreLost) {
    ScratchFolder scratch;
    const std::string notes = scratch / "Notes.txt";
    WriteFile(notes, "Old notes.");
    TNotesForm form(nullptr, scratch.Path());
    // Another program holds the notes file open: it cannot be replaced.
    auto holder = std::make_unique<TFileStream>(notes, TFileMode::fmOpenRead);

    int boxes = 0;
    std::string told;
    const auto answer = [&](HWND box) {
        ++boxes;
        told = MessageBoxText(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    WithQuestionBoxAnswer([&] { TypeAtEnd(form, '1'); }, answer);
    WithQuestionBoxAnswer([&] { TypeAtEnd(form, '2'); }, answer);
    EXPECT_EQ(boxes, 1) << "the second failure is not told again";
    EXPECT_NE(told.find("could not be saved to " + notes), std::string::npos) << told;
    EXPECT_FALSE(form.Saved());
    EXPECT_EQ(ReadFile(notes), "Old notes.");
    EXPECT_FALSE(platform::FileExists(notes + ".new"));

    bool canClose = true;
    std::string asked;
    WithQuestionBoxAnswer([&] { form.OnCloseQuery(form, canClose); },
                          [&](HWND box) {
                              asked = MessageBoxText(box);
                              PostMessageW(box, WM_COMMAND, IDNO, 0);
                          });
    EXPECT_FALSE(canClose) << "No keeps the window open";
    EXPECT_NE(asked.find("lose your latest changes?"), std::string::npos) << asked;

    // Once the file is free, closing saves without a word.
    holder.reset();
    canClose = true;
    form.OnCloseQuery(form, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_TRUE(form.Saved());
    EXPECT_EQ(ReadFile(notes), "Old notes.12");
}
