#include "samples/larknotes/NotesForm.h"

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/TextCoding.h"
#include "platform/ui/Dialogs.h"

namespace {

constexpr const char* kTitle = "Larkspur Notes";

}  // namespace

TNotesForm::TNotesForm(TComponent* owner, const std::string& folder)
    : TForm(owner), notesFile_(folder + "\\Notes.txt") {
    SetCaption(std::string(kTitle) + " - " + notesFile_);
    SetPosition(poScreenCenter);
    SetClientSize(560, 400);
    // Until the window exists its client area is taken to be its outer size:
    // made now, it lays the memo out in the area inside the frame.
    Handle();
    Notes = &Make<TMemo>();
    Notes->SetParent(this);
    Notes->SetAlign(alClient);
    Notes->SetScrollBars(ssVertical);
    Notes->Font().SetName("Tahoma");
    Notes->Font().SetSize(10);

    if (platform::FileExists(notesFile_)) {
        Notes->LoadFromFile(notesFile_);
    } else {
        // The first note is only a greeting: without it the notes start empty.
        const std::string firstNote = folder + "\\First-note.txt";
        try {
            if (platform::FileExists(firstNote)) Notes->LoadFromFile(firstNote);
        } catch (const EStreamError&) {
        }
    }
    // Connected after loading: what was loaded is already on disk.
    Notes->OnChange = [this](TComponent& sender) { NotesChange(sender); };
    OnShow = [this](TComponent&) { Notes->SetFocus(); };
    OnCloseQuery = [this](TComponent& sender, bool& canClose) { FormCloseQuery(sender, canClose); };
}

bool TNotesForm::SaveNotes() {
    // Written as the memo reads it back: Windows-1252 while every character fits, else marked UTF-8.
    const std::string text = EncodeText8(Notes->Text());
    const std::string newFile = notesFile_ + ".new";
    try {
        {
            TFileStream file(newFile, TFileMode::fmCreate);
            if (!text.empty()) file.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
        }
        if (!platform::RenameFile(newFile, notesFile_))
            throw EWriteError("The notes file could not be replaced (error " +
                              std::to_string(platform::LastErrorCode()) + ").");
    } catch (const Exception& error) {
        platform::RemoveFile(newFile);
        saved_ = false;
        if (!failureTold_) {
            failureTold_ = true;
            MessageDlg("Your notes could not be saved to " + notesFile_ + ".\r\n\r\n" + error.Message() +
                           "\r\n\r\nThey are saved again with your next change and when you close the window.",
                       kTitle, mtError, mbOK);
        }
        return false;
    }
    saved_ = true;
    failureTold_ = false;
    return true;
}

void TNotesForm::NotesChange(TComponent&) { SaveNotes(); }

void TNotesForm::FormCloseQuery(TComponent&, bool& canClose) {
    if (saved_) return;
    failureTold_ = true;  // the question below tells it
    if (SaveNotes()) return;
    canClose = MessageDlg("Your notes could not be saved to " + notesFile_ +
                              ".\r\n\r\nClose the window anyway and lose your latest changes?",
                          kTitle, mtWarning, mbYesNo) == mrYes;
}
