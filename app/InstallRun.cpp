// The copy phase and the finishing actions.
#include "app/SetupForm.h"
#include "platform/FileSystem.h"
#include "platform/ui/Label.h"
#include "platform/ui/ProgressBar.h"

void TSetupForm::InstallFiles() {
    const std::string& destination = settings_.Destination;
    for (const char* folder : {"\\Graphics", "\\Sounds", "\\Additional"}) platform::ForceDirectories(destination + folder);
    const int32_t count = settings_.AddFiles.Count();
    for (int32_t i = 0; i < count; ++i) {
        const std::string& entry = settings_.AddFiles[i];
        Copymessage->SetCaption("copying " + entry);
        CopyProgress->SetPosition(i * 100 / count);
        Repaint();
        platform::CopyFileTo(workFolder_ + entry, destination + "\\" + entry, false);
    }
}

void TSetupForm::FinishSetup() { Close(); }
