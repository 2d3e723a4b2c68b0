// kelpack build PROJECT OUTDIR [--setup FILE] [--level L] [--threads N]
//              [--sign PFXFILE [--sign-password-file FILE] [--timestamp URL]] [--verify-reproducible]:
// a ready-to-ship setup folder from a setup project.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/WorkFolder.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "tools/kelpack/CodeSigning.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/FileComparison.h"
#include "tools/kelpack/FolderCopy.h"
#include "tools/kelpack/KitFiles.h"
#include "tools/kelpack/LanguageFiles.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PackOptionsArguments.h"
#include "tools/kelpack/PackedSetupIni.h"
#include "tools/kelpack/ProjectCheck.h"
#include "tools/kelpack/SetupProject.h"
#include "tools/kelpack/SetupWriter.h"
#include "tools/kelpack/ScratchFolders.h"
#include "tools/kelpack/ShownTexts.h"
#include "tools/kelpack/StagingFiles.h"

namespace {

void PrintSetupIniProblems(const std::string& path, const std::vector<TSetupIniProblem>& problems, int& errors,
                           bool report) {
    for (const TSetupIniProblem& problem : problems) {
        if (report)
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
                                TStagingFiles& staging, bool report) {
    if (report)
        for (const std::string& folder : project.EmptyFolders)
            std::fprintf(stderr, "%s: warning: an empty folder; it does not travel in the payload\n", folder.c_str());
    TPreparedProject prepared;
    if (platform::FileExists(project.SetupIni)) {
        const TPackedSetupIni packed = PackSetupIni(project, uninstaller == TKitUninstaller::Added);
        PrintSetupIniProblems(project.SetupIni, packed.Problems, prepared.Errors, report);
        if (report) WarnNotInstalled(project, packed.NotInstalled);
        project.PackedSetupIni = packed.Lines;
        prepared.AddedUninstallerLine = packed.AddedUninstallerLine;
        ConvertShownTexts(project, project.PackedSetupIni, staging);
    }
    if (report)
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

void PrintSummary(const TSetupFolderResult& result, const TSetupProject& project) {
    std::string contents = "Setup.ini";
    for (const auto& [name, packed] : result.Archives) {
        std::printf("%s: %d files, %lld bytes, packed into %lld bytes\n", name.c_str(), packed.Entries,
                    static_cast<long long>(packed.InputBytes), static_cast<long long>(packed.ArchiveBytes));
        contents += ", " + name;
    }
    std::printf("Data.Kel: %d entries (%s, %d product files), %lld bytes\n", result.Payload.Entries, contents.c_str(),
                static_cast<int>(project.Files.size()), static_cast<long long>(result.Payload.ArchiveBytes));
    std::printf("Setup.exe: %lld bytes\n", static_cast<long long>(result.SetupBytes));
}

// One build of the project into outFolder; nothing is printed unless report
// is set (the checks' problems are counted either way).
TSetupFolderResult BuildSetup(const std::string& projectFolder, const TCommandLine& line, const TPackOptions& options,
                              const std::string& outFolder, bool report) {
    std::vector<std::string> problems;
    TSetupProject project = ReadSetupProject(projectFolder, problems);
    CheckLanguageFiles(project, problems);
    const TKitUninstaller uninstaller = AddKitUninstaller(project);
    TStagingFiles staging;
    const TPreparedProject prepared = PrepareProject(project, uninstaller, problems, staging, report);
    if (const int errors = prepared.Errors; errors > 0)
        throw Exception(Format("%d error%s in the setup project; nothing was written", errors, errors == 1 ? "" : "s"));
    const std::string setupExe = SetupExeFrom(line);
    const TSetupFinisher sign = SignPrograms(line, project, staging);
    if (report) ReportUninstaller(uninstaller, prepared.AddedUninstallerLine);
    TSetupFolderResult result = WriteSetupFolder(project, setupExe, outFolder, options, sign);
    if (report) PrintSummary(result, project);
    return result;
}

// Builds the project twice into temporary folders, the second time from a
// copy of it (whose files carry other modification times) on another number
// of threads, and compares the two setups byte for byte; only when they are
// the same do they take their places in outFolder.
void BuildReproducibly(const TCommandLine& line, const TPackOptions& options, const std::string& outFolder) {
    if (line.Values.count("--sign"))
        throw TUsageError("--verify-reproducible checks unsigned setups; leave out --sign");
    TScratchFolders scratch;
    const std::string first = scratch.NewFolder();
    BuildSetup(line.Operands[0], line, options, first, true);
    const std::string copy = scratch.NewFolder();
    CopyFolderTree(line.Operands[0], copy);
    TPackOptions other = options;
    other.Threads = options.Threads == 1 ? 2 : 1;
    const std::string second = scratch.NewFolder();
    BuildSetup(copy, line, other, second, false);
    for (const char* name : {"Setup.exe", kPayloadFile}) {
        const std::optional<int64_t> difference = FirstDifference(JoinPath(first, name), JoinPath(second, name));
        if (difference)
            throw Exception(Format("%s is not reproducible: two builds of the project differ from byte %lld on",
                                   name, static_cast<long long>(*difference)));
    }
    CommitSetupFolder(first, outFolder);
    std::printf("Reproducible: a second build, from a copy of the project on %u thread%s, gave the same bytes\n",
                other.Threads, other.Threads == 1 ? "" : "s");
}

}  // namespace

int BuildCommand(const TArguments& arguments) {
    TCommandSyntax syntax{"build", 2, 2, {"--verify-reproducible"}, {"--setup", "--sign", "--sign-password-file", "--timestamp"}};
    syntax.Valued.insert(PackOptionNames().begin(), PackOptionNames().end());
    const TCommandLine line = ParseCommandLine(syntax, arguments);
    const TPackOptions options = PackOptionsFrom(line);
    const std::string& outFolder = line.Operands[1];
    if (line.Has("--verify-reproducible"))
        BuildReproducibly(line, options, outFolder);
    else
        BuildSetup(line.Operands[0], line, options, outFolder, true);
    std::printf("Ready to ship: %s\n", outFolder.c_str());
    return 0;
}
