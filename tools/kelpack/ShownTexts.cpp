#include "tools/kelpack/ShownTexts.h"

#include <set>

#include "app/SetupIni.h"
#include "platform/Exception.h"
#include "platform/Text.h"
#include "shell/IniLine.h"
#include "tools/kelpack/VendorText.h"

namespace {

// The names the "Licence" and "ReadMe" entries give, blank ones left out.
std::vector<std::string> ShownTextNames(const TStringList& lines) {
    std::vector<std::string> names;
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) {
        const std::string key = IniKeyOf(line);
        if ((key == "Licence" || key == "ReadMe") && !Trim(IniValueOf(line)).empty()) names.push_back(IniValueOf(line));
    };
    try {
        ApplySetupLines(lines, handlers);
    } catch (const EListError&) {
        // A block without its end: the check refuses the project anyway.
    }
    return names;
}

// The payload file of this name: a product file, or one of an inner archive's folder.
TPackItem* PayloadFileNamed(TSetupProject& project, const std::string& name) {
    for (TPackItem& file : project.Files)
        if (SameFileName(file.FileName, name)) return &file;
    for (TProjectArchive& archive : project.Archives)
        for (TPackItem& file : archive.Files)
            if (SameFileName(archive.FolderName + "\\" + file.FileName, name)) return &file;
    return nullptr;
}

}  // namespace

void ConvertShownTexts(TSetupProject& project, const TStringList& setupLines, TStagingFiles& staging) {
    std::set<const TPackItem*> converted;  // a file named twice is converted once
    for (const std::string& name : ShownTextNames(setupLines)) {
        TPackItem* file = PayloadFileNamed(project, name);
        if (!file || !converted.insert(file).second) continue;  // a missing one is the check's to report
        const std::string text = EncodeText8(ReadVendorText(file->SourcePath));
        file->SourcePath = staging.NewFileWith(text);
        file->Size = static_cast<int64_t>(text.size());
    }
}
