#pragma once
// The notes window: one memo over the notes file of a folder, saved after
// every change so that nothing typed is lost.
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/Memo.h"

class TNotesForm : public TForm {
public:
    // Shows the folder's Notes.txt; while there is none, the text of its
    // First-note.txt. A notes file that exists but cannot be read raises,
    // before anything could overwrite it.
    TNotesForm(TComponent* owner, const std::string& folder);

    const std::string& NotesFile() const { return notesFile_; }
    // Whether the notes file holds what the memo shows.
    bool Saved() const { return saved_; }

    // Writes the memo's text to the notes file through a temporary file, so
    // the notes file always holds a whole version. A failure is told once
    // until a save succeeds again; returns whether the notes were saved.
    bool SaveNotes();

    TMemo* Notes = nullptr;

private:
    void NotesChange(TComponent& sender);
    void FormCloseQuery(TComponent& sender, bool& canClose);

    std::string notesFile_;
    bool saved_ = true;
    bool failureTold_ = false;
};
