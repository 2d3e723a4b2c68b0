// Larkspur Notes: a window for short notes, kept in Notes.txt in the
// current folder (the install folder, when started by its shortcuts).
#include <exception>

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/LibrarySearch.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "samples/larknotes/NotesForm.h"

int main() {
    platform::RestrictLibrarySearch();
    try {
        const std::string folder = platform::CurrentFolder();
        if (folder.empty()) throw Exception("The current folder cannot be told, so the notes file cannot be found.");
        Application().CreateForm<TNotesForm>(folder);
        Application().Run();
    } catch (const std::exception& error) {
        MessageDlg(error.what(), "Larkspur Notes", mtError, mbOK);
        return 1;
    }
    return 0;
}
