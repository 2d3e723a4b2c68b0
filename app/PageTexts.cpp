#include "app/PageTexts.h"

#include "platform/Text.h"

TPageTexts EnglishTexts(const std::string& title) {
    TPageTexts t;
    t.WelcomeHead = "Welcome to the Setup Wizard for " + title;
    t.WelcomeText = "This wizard will install " + title + " on your computer. Click Next to continue.";
    t.LicenceHead1 = "Licence Agreement";
    t.LicenceHead2 = "Please read the following licence agreement carefully.";
    t.LicenceCheck = "Yes, I accept all the terms of the preceeding licence agreement.";
    t.DestinationHead1 = "Choose Destination Location";
    t.DestinationHead2 =
        "To install to this folder, click Next. To install to a different folder, click Browse and select another folder.";
    t.DestinationGroup = "Destination Folder";
    t.DestinationButton = "Browse...";
    t.FolderHead1 = "Select Program Folder";
    t.FolderHead2 =
        "Setup will add icons to the program folder listed below. You may type a new folder, or select one from the "
        "existing folders list. Click Next to start installing.";
    t.FolderEditHead = "Program Folder";
    t.FolderListHead = "Existing Folders";
    t.CopyHead1 = "Setup Status";
    t.CopyHead2 = title + " installer is performing the requested operations.";
    t.FinishHead1 = "Setup Complete";
    t.FinshHead2 = title + " has been installed successfully. Click Next to finish Setup.";
    t.DesktopCheck = "Create Icon on Desktop.";
    t.LaunchProgCheck = "Launch Program.";
    t.ReadMeCheck = "View ReadMe.";
    t.BackButton = "&Back";
    t.NextButton = "&Next";
    t.CancelButton = "&Cancel";
    return t;
}

TPageTexts GermanTexts(const std::string& title) {
    TPageTexts t;
    t.WelcomeHead = "Willkommen zum Setup Assistenten für " + title;
    t.WelcomeText = "Dieser Assistent installiert " + title + " auf Ihrem Computer.";
    t.LicenceHead1 = "Lizenzbestimmungen";
    t.LicenceHead2 = "Bitte lesen Sie sorgfältig folgende Lizenzbestimmungen.";
    t.LicenceCheck = "Ich stimme sämtlichen Bedingungen des vorstehenden Lizenzvertrages zu.";
    t.DestinationHead1 = "Zielordner wählen";
    t.DestinationHead2 = "Wählen Sie einen Zielordner, in den die Programmdateien installiert werden.";
    t.DestinationGroup = "Zielordner";
    t.DestinationButton = "Durchsuchen...";
    t.FolderHead1 = "StartMenü";
    t.FolderHead2 =
        "Wählen Sie eine Gruppe im Menü 'Programme'. Klicke Sie 'Weiter' um mit der Installation zu beginnen.";
    t.FolderEditHead = "Programmgruppe";
    t.FolderListHead = "Existierende Gruppen";
    t.CopyHead1 = "Setup Status";
    t.CopyHead2 = title + "  wird jetzt auf Ihrem Computer installiert. Bitte warten.";
    t.FinishHead1 = "Setup fertig";
    t.FinshHead2 = title + " wurde erfolgreich installiert. Klicken Sie 'Weiter' um das Setup zu beenden.";
    t.DesktopCheck = "Verküpfung auf dem Desktop erstellen.";
    t.LaunchProgCheck = title + " starten.";
    t.ReadMeCheck = "ReadMe-Datei anzeigen.";
    t.BackButton = "&Zurück";
    t.NextButton = "&Weiter";
    t.CancelButton = "&Abbrechen";
    return t;
}

bool UsesGermanTexts(const std::string& language) { return language == "German"; }

std::string CancelQuestion(const std::string& language) {
    return language == "German" ? "Wollen Sie das Setup abbrechen?" : "Do you want to cancel setup?";
}

std::string ShutdownBlockText(const std::string& language) {
    return language == "German" ? "Das Setup kopiert Dateien. Wird es jetzt beendet, wird die Installation rückgängig gemacht."
                                : "Setup is copying files. If it is ended now, the installation is undone.";
}

// Texts of upgrades and repairs.

std::string DowngradeQuestion(const std::string& language, const std::string& title, const std::string& installedVersion,
                              const std::string& setupVersion) {
    if (language == "German")
        return "Auf diesem Computer ist " + title + " " + installedVersion + " installiert, eine neuere Version als " +
               setupVersion + ".\n\nSoll die ältere Version " + setupVersion + " trotzdem installiert werden?";
    return "Version " + installedVersion + " of " + title + " is installed on this computer, which is newer than " +
           setupVersion + ".\n\nDo you want to install the older version " + setupVersion + " anyway?";
}

std::string RestartNeededText(const std::string& language) {
    return language == "German"
               ? "Einige Dateien sind in Gebrauch. Ein Neustart des Computers schließt die Installation ab."
               : "Some files are in use. Restart your computer to complete the installation.";
}

namespace {

constexpr size_t kFilesNamed = 15;  // more would push the box off the screen

struct TCopyFailureWords {
    const char* Head;
    const char* More;
    const char* Advice;
    const char* ProgramFolder;  // the folder's path, then the reason
    const char* Shortcut;       // the link file's path, then the reason
};

const TCopyFailureWords kEnglishCopyFailure = {
    "The following files could not be copied:", "... and %d more",
    "The other files were installed. Make room on the disk or close the programs that use these files, then run "
    "the setup again.",
    "The program folder %s could not be created (%s). The program was installed, but the Start menu has no "
    "shortcuts to it.",
    "The shortcut %s could not be saved (%s)."};
const TCopyFailureWords kGermanCopyFailure = {
    "Die folgenden Dateien konnten nicht kopiert werden:", "... und %d weitere",
    "Die übrigen Dateien wurden installiert. Schaffen Sie Platz auf dem Datenträger oder schließen Sie "
    "die Programme, die diese Dateien verwenden, und starten Sie das Setup erneut.",
    "Der Programmordner %s konnte nicht angelegt werden (%s). Das Programm wurde installiert, aber das "
    "Startmenü enthält keine Verknüpfungen dazu.",
    "Die Verknüpfung %s konnte nicht gespeichert werden (%s)."};

}  // namespace

std::string CopyFailureText(const std::string& language, const std::vector<TFailedCopy>& files) {
    const TCopyFailureWords& words = language == "German" ? kGermanCopyFailure : kEnglishCopyFailure;
    std::string text = std::string(words.Head) + "\n\n";
    for (size_t i = 0; i < files.size() && i < kFilesNamed; ++i) text += files[i].Target + " (" + files[i].Reason + ")\n";
    if (files.size() > kFilesNamed) text += Format(words.More, int(files.size() - kFilesNamed)) + "\n";
    return text + "\n" + words.Advice;
}

std::string FailedStepsText(const std::string& language, const std::vector<TFailedCopy>& files,
                            const std::optional<TFailedCopy>& programFolder,
                            const std::vector<TFailedCopy>& shortcuts) {
    std::string text = files.empty() ? std::string() : CopyFailureText(language, files);
    const TCopyFailureWords& words = language == "German" ? kGermanCopyFailure : kEnglishCopyFailure;
    const auto add = [&](const char* pattern, const TFailedCopy& step) {
        if (!text.empty()) text += "\n\n";
        text += Format(pattern, step.Target.c_str(), step.Reason.c_str());
    };
    if (programFolder) add(words.ProgramFolder, *programFolder);
    for (const TFailedCopy& shortcut : shortcuts) add(words.Shortcut, shortcut);
    return text;
}
