#include "tools/kelpack/LanguageFiles.h"

#include <cstdint>

#include "app/SetupTexts.h"
#include "platform/FileStream.h"
#include "platform/Text.h"
#include "platform/TextCoding.h"

namespace {

constexpr const char* kExtension = ".lng";
constexpr int64_t kMaxSize = 1 << 20;

constexpr const char* kTemplateHead =
    "# The wizard's texts in English, as a template for a language of your own.\n"
    "#\n"
    "# To add a language, copy this file in this folder under the language's\n"
    "# English name (\"Swedish.lng\"), translate each text after \"=\", and name\n"
    "# the language in Setup.ini (\"Language=Swedish\"). A file named after a\n"
    "# language the wizard has (\"French.lng\") replaces that language's texts;\n"
    "# this one, while it stays, replaces the English ones with themselves.\n"
    "#\n"
    "# The file is UTF-8, one \"key=value\" line per text; lines starting with \"#\"\n"
    "# are comments. \"\\n\" is a line break. Words in braces, such as {title},\n"
    "# are filled in by the wizard: keep each of them. \"&\" marks a button's\n"
    "# access letter. SizeUnits names kilobytes, megabytes, gigabytes and\n"
    "# terabytes, separated by blanks; DecimalMark is the mark before the tenths\n"
    "# of a size. kelpack build refuses a file with an unknown or missing\n"
    "# key, or a text that drops a placeholder, naming the file and the line.\n"
    "\n";

bool IsLanguageFile(const std::string& name) {
    return name.size() > 4 && SameText(name.substr(name.size() - 4), kExtension);
}

void CheckLanguageFile(const TPackItem& file, std::vector<std::string>& problems) {
    if (!IsLanguageFile(file.FileName)) {
        problems.push_back(file.SourcePath + ": not a language file; its name must be the language's English name and \".lng\"");
        return;
    }
    const std::vector<uint8_t> bytes = ReadWholeFile(file.SourcePath, kMaxSize);
    const std::string text(bytes.begin(), bytes.end());
    if (!IsUtf8(text)) {
        problems.push_back(file.SourcePath + ": not UTF-8 text");
        return;
    }
    TTextTable table(SetupTextKeys());
    for (const TTextProblem& problem : table.Fill(file.FileName.substr(0, file.FileName.size() - 4), text))
        problems.push_back(file.SourcePath + (problem.Line ? ":" + std::to_string(problem.Line) : std::string()) + ": " +
                           problem.Message);
}

}  // namespace

void CheckLanguageFiles(const TSetupProject& project, std::vector<std::string>& problems) {
    for (const TProjectArchive& archive : project.Archives)
        if (archive.Present && archive.FolderName == std::string(kLanguagesFolder))
            for (const TPackItem& file : archive.Files) CheckLanguageFile(file, problems);
}

std::string LanguageTemplate() {
    const TTextTable table = BuiltInSetupTexts();
    std::string text = kTemplateHead;
    for (size_t key = 0; key < table.Keys().size(); ++key)
        text += std::string(table.Keys()[key].Name) + "=" + LanguageFileValue(table.Text(0, key)) + "\n";
    return text;
}
