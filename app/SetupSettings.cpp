#include "app/SetupSettings.h"

#include "app/SetupValueBounds.h"
#include "platform/Exception.h"
#include "platform/Text.h"
#include "shell/IniLine.h"

namespace {

bool IsSet(const std::string& value) { return value == "1"; }

TFontStyles FontStyleNamed(const std::string& value) {
    if (value == "Bold") return fsBold;
    if (value == "Italic") return fsItalic;
    if (value == "Underline") return fsUnderline;
    if (value == "StrikeOut") return fsStrikeOut;
    return 0;
}

}  // namespace

bool TSetupSettings::HasLicence() const { return !Trim(Licence).empty(); }

bool TSetupSettings::HasReadMe() const { return !Trim(ReadMe).empty(); }

void ApplySetupEntry(TSetupSettings& settings, const std::string& line) {
    const std::string key = IniKeyOf(line);
    const std::string value = IniValueOf(line);
    if (const std::string refused = RefusedSetupValue(key, value); !refused.empty()) throw Exception(refused);
    if (key == "TargetFile") settings.TargetFile = value;
    else if (key == "Addfile") settings.AddFiles.Add(value);
    else if (key == "AlphaColor") StrToInt(value);  // checked, otherwise without effect
    else if (key == "TextBoxColor") settings.TextBoxColor = StrToInt(value);
    else if (key == "Fontname") settings.TextFont.SetName(value);
    else if (key == "Fontcolor") settings.TextFont.SetColor(StrToInt(value));
    else if (key == "Fontheight") settings.TextFont.SetHeight(StrToInt(value));
    else if (key == "Fontstyle") settings.TextFont.SetStyle(FontStyleNamed(value));
    else if (key == "SiteletTitle") settings.SiteletTitle = value;
    else if (key == "Language") settings.Language = value;
    else if (key == "Licence") settings.Licence = value;
    else if (key == "Destination") settings.Destination = value;
    else if (key == "Folder") settings.Folder = value;
    else if (key == "ReadMe") settings.ReadMe = value;
    else if (key == "LaunchProg") settings.LaunchProg = IsSet(value);
    else if (key == "DesktopIcon") settings.DesktopIcon = IsSet(value);
    else if (key == "Version") settings.Version = value;
    else if (key == "Publisher") settings.Publisher = value;
    else if (key == "Scope") settings.Scope = *TInstallScope::Named(value);
    // "Method", "Description", "Icon", "Encrypted", "SetupName" and
    // "ControlPanel" are accepted and change nothing.
}
