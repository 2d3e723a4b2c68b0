// Writes the seed corpus of the setup description fuzzer: the sample
// project's Setup.ini and variants of it, each with one change the check
// has something to say about, and a dictionary of the description's words
// taken from the key table.
// Usage: make_setup_ini_seeds SAMPLE_SETUP_INI FOLDER DICTIONARY
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/SetupKeys.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "tests/support/ScratchFolder.h"

namespace {

// One variant of the sample: the first line that is exactly Line becomes
// Replacement (lines separated by "\n"; none when it is null). Without Line,
// the replacement is added at the end.
struct TSeedEdit {
    const char* Name;
    const char* Line;
    const char* Replacement;
};

const TSeedEdit SeedEdits[] = {
    {"german.ini", "Language=English", "Language=German"},
    {"number-with-blank.ini", "Fontheight=-11", "Fontheight=-11 "},
    {"number-hex.ini", "Top=40", "Top=0x28"},
    {"number-too-large.ini", "Left=190", "Left=2147483648"},
    {"block-without-end.ini", nullptr, "Object=Panel\nBitmap=Graphics\\Window.bmp"},
    {"object-inside-block.ini", "DesktopIcon=1", "DesktopIcon=1\nObject=Setup"},
    {"button-without-role.ini", "Role=Back", "Role=Sideways"},
    {"button-at-the-end.ini", nullptr, "Object=Button\nName=Last"},
    {"blanks-around-equals.ini", "Licence=Licence.txt", "Licence = Licence.txt"},
    {"block-in-lower-case.ini", "Object=Toolweb", "Object=toolweb"},
    {"block-on-first-line.ini", "[Kel Setup description]", nullptr},
    {"picture-without-folder.ini", "Mask=Graphics\\BackNormal.bmp", "Mask=BackNormal.bmp"},
    {"file-not-in-payload.ini", "Addfile=First-note.txt", "Addfile=Second-note.txt"},
    {"readme-not-installed.ini", "Addfile=ReadMe.txt", nullptr},
    {"licence-by-full-path.ini", "Licence=Licence.txt", "Licence=C:\\Licence.txt"},
    {"flag-not-a-digit.ini", "LaunchProg=1", "LaunchProg=yes"},
    {"unknown-key.ini", "Folder=Larkspur Notes", "Folder=Larkspur Notes\nColour=1"},
    {"key-outside-blocks.ini", nullptr, "Top=5\nObject=Sound"},
    {"end-with-blank.ini", "InvisibleColor=$00FF00FF", "InvisibleColor=$00FF00FF\nend "},
};

std::vector<std::string> Edited(const std::vector<std::string>& lines, const TSeedEdit& edit) {
    std::vector<std::string> result;
    bool done = false;
    const auto addReplacement = [&] {
        if (!edit.Replacement) return;
        TStringList replacement;
        replacement.SetText(edit.Replacement);
        result.insert(result.end(), replacement.Lines().begin(), replacement.Lines().end());
    };
    for (const std::string& line : lines) {
        if (done || !edit.Line || line != edit.Line) {
            result.push_back(line);
            continue;
        }
        addReplacement();
        done = true;
    }
    if (!edit.Line) addReplacement();
    else if (!done) throw std::runtime_error(std::string("the sample has no line ") + edit.Line);
    return result;
}

std::string Joined(const std::vector<std::string>& lines, const char* lineBreak) {
    std::string text;
    for (const std::string& line : lines) text += line + lineBreak;
    return text;
}

// The words of the description in libFuzzer's dictionary format.
std::string Dictionary() {
    std::vector<std::string> words = {"Object=", "end", "=Back", "=Forward", "=Cancel", "$", "0x", "\\x0D\\x0A"};
    for (const TSetupBlock block : kSetupBlocks) {
        words.push_back(std::string("Object=") + SetupBlockName(block));
        for (const TSetupKey& key : SetupKeysOf(block)) words.push_back(std::string(key.Name) + "=");
    }
    std::string text;
    for (const std::string& word : words) text += "\"" + word + "\"\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_setup_ini_seeds SAMPLE_SETUP_INI FOLDER DICTIONARY\n");
        return 2;
    }
    const std::string folder = argv[2];
    int written = 0;
    try {
        TStringList sample;
        sample.LoadFromFile(argv[1]);
        if (!platform::ForceDirectories(folder)) throw std::runtime_error("cannot make " + folder);
        const auto write = [&](const std::string& name, const std::string& text) {
            WriteFile(folder + "\\" + name, text);
            ++written;
        };
        write("sample.ini", Joined(sample.Lines(), "\r\n"));
        write("line-feeds.ini", Joined(sample.Lines(), "\n"));
        write("empty.ini", "");
        // The texts in other scripts, after a byte-order mark, and in Windows-1252.
        const TSeedEdit cyrillic{"", "Folder=Larkspur Notes", "Folder=Заметки Ларкспур 日本 😀"};
        write("utf8-mark.ini", "\xEF\xBB\xBF" + Joined(Edited(sample.Lines(), cyrillic), "\r\n"));
        write("utf8-mark-only.ini", "\xEF\xBB\xBF");
        const TSeedEdit western{"", "Folder=Larkspur Notes", "Folder=Gr\xFC\xDF" "e Caf\xE9 \x80"};
        write("windows-1252.ini", Joined(Edited(sample.Lines(), western), "\r\n"));
        for (const TSeedEdit& edit : SeedEdits) write(edit.Name, Joined(Edited(sample.Lines(), edit), "\r\n"));
        WriteFile(argv[3], Dictionary());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_setup_ini_seeds: %s\n", error.what());
        return 1;
    }
    std::printf("%d seed descriptions in %s\n", written, folder.c_str());
    return 0;
}
