// kelpack build PROJECT OUTDIR [--setup FILE]: a ready-to-ship setup folder from a setup project.
#include <algorithm>
#include <cstdio>

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "tools/kelpack/AddfileCoverage.h"
#include "tools/kelpack/AddfileWildcards.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/ProjectCheck.h"
#include "tools/kelpack/SetupProject.h"
#include "tools/kelpack/SetupWriter.h"

namespace {

// Product files that no Addfile installs are named one by one up to this
// many; the rest are counted.
constexpr size_t kNamedNotInstalled = 10;

// The problems of the description as it is packed, with its Addfile
// wildcards expanded, on the lines of the project's file.
std::vector<TSetupIniProblem> SetupIniProblems(const TSetupProject& project, const TAddfileExpansion& expansion,
                                               const TAddfileCoverage& coverage) {
    std::vector<TSetupIniProblem> problems = expansion.Problems;
    for (const TSetupIniProblem& problem : CheckSetupLines(expansion.Lines, PayloadNamesOf(project)))
        problems.push_back(OnSourceLine(expansion, problem));
    problems.insert(problems.end(), coverage.Repeated.begin(), coverage.Repeated.end());
    std::stable_sort(problems.begin(), problems.end(), [](const auto& a, const auto& b) { return a.Line < b.Line; });
    return problems;
}

void WarnNotInstalled(const TSetupProject& project, const std::vector<size_t>& files) {
    for (size_t i = 0; i < files.size() && i < kNamedNotInstalled; ++i)
        std::fprintf(stderr, "%s: warning: no Addfile installs this file; it would ship and never be installed\n",
                     project.Files[files[i]].SourcePath.c_str());
    if (files.size() > kNamedNotInstalled)
        std::fprintf(stderr, "%s: warning: %zu more files that no Addfile installs\n",
                     JoinPath(project.Folder, "Files").c_str(), files.size() - kNamedNotInstalled);
}

// Prints each problem of the project and of its Setup.ini on standard error;
// returns the number of errors.
int ReportProblems(const TSetupProject& project, const std::vector<std::string>& layoutProblems) {
    for (const std::string& problem : layoutProblems) std::fprintf(stderr, "%s\n", problem.c_str());
    for (const std::string& folder : project.EmptyFolders)
        std::fprintf(stderr, "%s: warning: an empty folder; it does not travel in the payload\n", folder.c_str());
    int errors = static_cast<int>(layoutProblems.size());
    if (!platform::FileExists(project.SetupIni)) return errors;
    const TAddfileExpansion expansion = ExpandAddfileWildcards(project);
    const TAddfileCoverage coverage = CheckAddfileCoverage(expansion, ProductFileNames(project));
    for (const TSetupIniProblem& problem : SetupIniProblems(project, expansion, coverage)) {
        std::fprintf(stderr, "%s:%d: %s%s\n", project.SetupIni.c_str(), problem.Line,
                     problem.Warning ? "warning: " : "", problem.Reason.c_str());
        errors += problem.Warning ? 0 : 1;
    }
    WarnNotInstalled(project, coverage.NotInstalled);
    return errors;
}

std::string SetupExeFrom(const TCommandLine& line) {
    const auto given = line.Values.find("--setup");
    if (given != line.Values.end()) {
        if (!platform::FileExists(given->second)) throw Exception("No such file: " + given->second + " (--setup)");
        return given->second;
    }
    const std::string beside = JoinPath(platform::ProgramFolder(), "Setup.exe");
    if (!platform::FileExists(beside))
        throw Exception("No Setup.exe beside kelpack (" + beside + "); name the wizard with --setup FILE");
    return beside;
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
    const TCommandLine line = ParseCommandLine({"build", 2, 2, {}, {"--setup"}}, arguments);
    const std::string& outFolder = line.Operands[1];
    std::vector<std::string> layoutProblems;
    const TSetupProject project = ReadSetupProject(line.Operands[0], layoutProblems);
    if (const int errors = ReportProblems(project, layoutProblems); errors > 0)
        throw Exception(Format("%d error%s in the setup project; nothing was written", errors, errors == 1 ? "" : "s"));
    const std::string setupExe = SetupExeFrom(line);
    const TSetupFolderResult result = WriteSetupFolder(project, setupExe, outFolder);
    PrintSummary(result, project, outFolder);
    return 0;
}
