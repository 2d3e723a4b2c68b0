// The program entry: the wizard form, then the folder chooser, then the
// message loop. A start-up that fails shows its message and ends with exit
// code 1, the working folder removed.
#include <exception>

#include "app/SetupForm.h"
#include "platform/Com.h"
#include "platform/FileSystem.h"
#include "platform/ui/Application.h"
#include "shell/FolderMan.h"

int main() {
    platform::TComInitializer com;
    try {
        auto& setupForm = Application().CreateForm<TSetupForm>(platform::ProgramFolder() + "\\");
        auto& folderMan = Application().CreateForm<TFolderMan>();
        setupForm.SetFolderChooser(&folderMan);
        Application().Run();
    } catch (const std::exception& error) {
        Application().ShowException(error.what());
        return 1;
    }
    return 0;
}
