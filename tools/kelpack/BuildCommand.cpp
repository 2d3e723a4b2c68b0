// kelpack build PROJECT OUTDIR [--setup FILE] [--sign PFXFILE [--sign-password-file FILE] [--timestamp URL]]:
// a ready-to-ship setup folder from a setup project.
#include <algorithm>
#include <cstdio>

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "tools/kelpack/CodeSigning.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/KitFiles.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PackedSetupIni.h"
#include "tools/kelpack/ProjectCheck.h"
#include "tools/kelpack/SetupProject.h"
#include "tools/kelpack/SetupWriter.h"
#include "tools/kelpack/ShownTexts.h"
#include "tools/kelpack/StagingFiles.h"

namespace {

void PrintSetupIniProblems(const std::string& path, const std::vector<TSetupIniProblem>& problems, int& errors) {
    for (const TSetupIniProblem& problem : problems) {
        std::fprintf(stderr, "%s:%d: %s%s\n", path.c_str(), problem.Line, problem.Warning ? "warning: " : "",
                     problem.Reason.c_str());
        errors += problem.Warning ? 0 : 1;
    }
}

// Product files that no Addfile installs are named one by one up to this
// many; the rest are counted.
constexpr size_t kNamedNotInstalled = 10;

void WarnNotInstalled(const TSetupProject& project, const std::vector<size_t>& files) {
    for (size_t i = 0; i < files.size() && i < kNamedNotInstalled; ++i)
        std::fprintf(stderr, "%s: warning: no Addfile installs this file; it would ship and never be installed\n",
                     project.Files[files[i]].SourcePath.c_str());
    if (files.size() > kNamedNotInstalled)
        std::fprintf(stderr, "%s: warning: %zu more files that no Addfile installs\n",
                     JoinPath(project.Folder, "Files").c_str(), files.size() - kNamedNotInstalled);
}

// Packs the project's Setup.ini (in the form the wizard reads it in, its
// wildcards expanded, checked against the payload as it will be) and
// its shown texts into staging, and prints each problem of the project on
// standard error.
struct TPreparedProject {
    int Errors = 0;
    bool AddedUninstallerLine = false;
};

TPreparedProject PrepareProject(TSetupProject& project, TKitUninstaller uninstaller, std::vector<std::string>& problems,
                                TStagingFiles& staging) {
    for (const std::string& folder : project.EmptyFolders)
        std::fprintf(stderr, "%s: warning: an empty folder; it does not travel in the payload\n", folder.c_str());
    TPreparedProject prepared;
    if (platform::FileExists(project.SetupIni)) {
        const TPackedSetupIni packed = PackSetupIni(project, uninstaller == TKitUninstaller::Added);
        PrintSetupIniProblems(project.SetupIni, packed.Problems, prepared.Errors);
        WarnNotInstalled(project, packed.NotInstalled);
        project.PackedSetupIni = packed.Lines;
        prepared.AddedUninstallerLine = packed.AddedUninstallerLine;
        ConvertShownTexts(project, project.PackedSetupIni, staging);
    }
    for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
    prepared.Errors += static_cast<int>(problems.size());
    return prepared;
}

std::string SetupExeFrom(const TCommandLine& line) {
    const auto given = line.Values.find("--setup");
    if (given != line.Values.end()) {
        if (!platform::FileExists(given->second)) throw Exception("No such file: " + given->second + " (--setup)");
        return given->second;
    }
    const std::string kit = KitFile("Setup.exe");
    if (!platform::FileExists(kit))
        throw Exception("No Setup.exe in kelpack's kit (" + kit + "); name the wizard with --setup FILE");
    return kit;
}

// Tells what the kit did for a project without an uninstaller of its own, in one line.
void ReportUninstaller(TKitUninstaller uninstaller, bool addedLine) {
    if (uninstaller == TKitUninstaller::Missing)
        std::fprintf(stderr, "warning: the project's Files hold no uninstall.exe and the kit has none either; "
                             "the product gets no uninstaller\n");
    if (uninstaller != TKitUninstaller::Added) return;
    if (addedLine)
        std::printf("Added the kit's uninstall.exe to the payload, with \"Addfile=uninstall.exe\" in the packed "
                    "Setup.ini\n");
    else
        std::printf("Added the kit's uninstall.exe to the payload\n");
}

// Signs the uninstaller that the payload carries, its signed copy taking its
// place; the wizard is signed later, once the payload's digest is in it
// (the finisher returned). Without --sign, the finisher does nothing.
TSetupFinisher SignPrograms(const TCommandLine& line, TSetupProject& project, TStagingFiles& staging) {
    if (!line.Values.count("--sign")) {
        for (const char* option : {"--sign-password-file", "--timestamp"})
            if (line.Values.count(option)) throw TUsageError(std::string(option) + " needs --sign");
        return {};
    }
    const TSigningOptions options{line.Value("--sign", ""), line.Value("--sign-password-file", ""),
                                  line.Value("--timestamp", "")};
    CheckSigningOptions(options);
    for (TPackItem& file : project.Files)
        if (file.FilePath.empty() && SameFileName(file.FileName, kUninstallerFile)) {
            file.SourcePath = SignProgram(options, file.SourcePath, staging);
            file.Size = platform::FileSizeOf(file.SourcePath);
        }
    return [options, &staging](const std::string& setupExe) {
        const std::string signedSetup = SignProgram(options, setupExe, staging);
        std::printf("Signed Setup.exe and uninstall.exe with %s\n", options.Certificate.c_str());
        return signedSetup;
    };
}

void PrintSummary(const TSetupFolderResult& result, const TSetupProject& project, const std::string& outFolder) {
    std::string contents = "Setup.ini";
    for (const auto& [name, packed] : result.Archives) {
        std::printf("%s: %d files, %lld bytes, packed into %lld bytes\n", name.c_str(), packed.Entries,
                    static_cast<long long>(packed.InputBytes), static_cast<long long>(packed.ArchiveBytes));
        contents += ", " + name;
    }
    std::printf("Data.Kel: %d entries (%s, %d product files), %lld bytes\n", result.Payload.Entries, contents.c_str(),
                static_cast<int>(project.Files.size()), static_cast<long long>(result.Payload.ArchiveBytes));
    std::printf("Setup.exe: %lld bytes\n", static_cast<long long>(result.SetupBytes));
    std::printf("Ready to ship: %s\n", outFolder.c_str());
}

}  // namespace

int BuildCommand(const TArguments& arguments) {
    const TCommandSyntax syntax{"build", 2, 2, {}, {"--setup", "--sign", "--sign-password-file", "--timestamp"}};
    const TCommandLine line = ParseCommandLine(syntax, arguments);
    const std::string& outFolder = line.Operands[1];
    std::vector<std::string> problems;
    TSetupProject project = ReadSetupProject(line.Operands[0], problems);
    const TKitUninstaller uninstaller = AddKitUninstaller(project);
    TStagingFiles staging;
    const TPreparedProject prepared = PrepareProject(project, uninstaller, problems, staging);
    if (const int errors = prepared.Errors; errors > 0)
        throw Exception(Format("%d error%s in the setup project; nothing was written", errors, errors == 1 ? "" : "s"));
    const std::string setupExe = SetupExeFrom(line);
    const TSetupFinisher sign = SignPrograms(line, project, staging);
    ReportUninstaller(uninstaller, prepared.AddedUninstallerLine);
    const TSetupFolderResult result = WriteSetupFolder(project, setupExe, outFolder, sign);
    PrintSummary(result, project, outFolder);
    return 0;
}
