// kelpack init DIR: a new setup project, copied from the sample of the kit.
#include <cstdio>

#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/FolderCopy.h"
#include "tools/kelpack/KitFiles.h"
#include "tools/kelpack/LanguageFiles.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PackSources.h"

namespace {

// The project is written only into a new or an empty folder, so nothing of the user's is replaced.
void RefuseUsedTarget(const std::string& target) {
    if (platform::FileExists(target)) throw Exception(target + " is a file; name a new or an empty folder");
    if (platform::DirectoryExists(target) && !ListFolder(target).empty())
        throw Exception(target + " is not empty; name a new or an empty folder");
}

// The English texts, for the vendor to make a language of, beside the
// sample project's own files.
void WriteLanguageTemplate(const std::string& target) {
    const std::string folder = JoinPath(target, kLanguagesFolder);
    if (!platform::DirectoryExists(folder) && !platform::CreateDir(folder))
        throw Exception("Cannot create the folder " + folder);
    const std::string file = JoinPath(folder, "English.lng");
    if (platform::FileExists(file)) return;
    const std::string text = LanguageTemplate();
    TFileStream stream(file, TFileMode::fmCreate);
    stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void PrintNextSteps(const std::string& target) {
    std::printf("New setup project in %s\n"
                "Next:\n"
                "  1. Put the product's files in %s (with their folders).\n"
                "  2. Edit %s: the title, the Addfile lines (\"Addfile=*\" installs every file), the skin.\n"
                "     Skin pictures go in %s.\n"
                "  3. For a language of your own, copy %s under its English name and translate it.\n"
                "  4. Run: kelpack build %s OUTDIR\n",
                target.c_str(), JoinPath(target, "Files").c_str(), JoinPath(target, "Setup.ini").c_str(),
                JoinPath(target, "Graphics").c_str(), JoinPath(JoinPath(target, kLanguagesFolder), "English.lng").c_str(),
                target.c_str());
}

}  // namespace

int InitCommand(const TArguments& arguments) {
    const TCommandLine line = ParseCommandLine({"init", 1, 1, {}, {}}, arguments);
    const std::string& target = line.Operands[0];
    const std::string sample = KitFile("sample");
    if (!platform::DirectoryExists(sample)) throw Exception("No sample project in kelpack's kit: " + sample + " is missing");
    RefuseUsedTarget(target);
    CopyFolderTree(sample, target);
    WriteLanguageTemplate(target);
    PrintNextSteps(target);
    return 0;
}
