#include "app/PageTexts.h"

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
    return t;
}

TPageTexts GermanTexts(const std::string& title) {
    TPageTexts t;
    t.WelcomeHead = "Willkommen zum Setup Assistenten f\xFCr " + title;
    t.WelcomeText = "Dieser Assistent installiert " + title + " auf Ihrem Computer.";
    t.LicenceHead1 = "Lizenzbestimmungen";
    t.LicenceHead2 = "Bitte lesen Sie sorgf\xE4ltig folgende Lizenzbestimmungen.";
    t.LicenceCheck = "Ich stimme s\xE4mtlichen Bedingungen des vorstehenden Lizenzvertrages zu.";
    t.DestinationHead1 = "Zielordner w\xE4hlen";
    t.DestinationHead2 = "W\xE4hlen Sie einen Zielordner, in den die Programmdateien installiert werden.";
    t.DestinationGroup = "Zielordner";
    t.DestinationButton = "Durchsuchen...";
    t.FolderHead1 = "StartMen\xFC";
    t.FolderHead2 =
        "W\xE4hlen Sie eine Gruppe im Men\xFC 'Programme'. Klicke Sie 'Weiter' um mit der Installation zu beginnen.";
    t.FolderEditHead = "Programmgruppe";
    t.FolderListHead = "Existierende Gruppen";
    t.CopyHead1 = "Setup Status";
    t.CopyHead2 = title + "  wird jetzt auf Ihrem Computer installiert. Bitte warten.";
    t.FinishHead1 = "Setup fertig";
    t.FinshHead2 = title + " wurde erfolgreich installiert. Klicken Sie 'Weiter' um das Setup zu beenden.";
    t.DesktopCheck = "Verk\xFCpfung auf dem Desktop erstellen.";
    t.LaunchProgCheck = title + " starten.";
    t.ReadMeCheck = "ReadMe-Datei anzeigen.";
    return t;
}

bool UsesGermanTexts(const std::string& language) { return language == "German"; }

std::string CancelQuestion(const std::string& language) {
    return language == "German" ? "Wollen Sie das Setup abbrechen?" : "Do you want to cancel setup?";
}
