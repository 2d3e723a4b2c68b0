#pragma once
// What the setup description says about one installation: the product, its
// files, the wizard's language, text colour and font, and the optional pages
// and finishing options. The wizard form holds one; its fields keep their
// description names.
#include <string>

#include "app/InstallScope.h"
#include "platform/Color.h"
#include "platform/StringList.h"
#include "platform/ui/Font.h"

struct TSetupSettings {
    TStringList AddFiles;      // payload files to copy, relative to the working folder
    std::string Destination;   // relative to Program Files until the pages are built, then absolute
    std::string Folder;        // Start-menu program folder, relative to Programs
    std::string Language;
    bool LaunchProg = false;
    std::string Licence;       // licence text file; blank means no licence page
    std::string ReadMe;        // ReadMe file; blank means no ReadMe shortcut or option
    std::string TargetFile;    // the installed program, relative to Destination
    TColor TextBoxColor = 0;   // black unless the description says otherwise
    TFont TextFont;            // the framework's default font until the description changes it
    std::string SiteletTitle;  // the product's title
    bool DesktopIcon = false;
    std::string Version;       // shown in the list of installed programs; blank writes nothing
    std::string Publisher;     // likewise
    TInstallScope Scope;       // for the machine unless the description or the command line says otherwise

    bool HasLicence() const;
    bool HasReadMe() const;
};

// Applies one line of the "Setup" block; a key it does not know is ignored.
// A number that is not one raises EConvertError; a file or folder that
// reaches outside its place, or a Scope of no known name, raises Exception.
void ApplySetupEntry(TSetupSettings& settings, const std::string& line);
