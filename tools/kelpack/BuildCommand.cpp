// kelpack build PROJECT OUTDIR [--setup FILE]: a ready-to-ship setup folder from a setup project.
#include <cstdio>

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/ProjectCheck.h"
#include "tools/kelpack/SetupProject.h"
#include "tools/kelpack/SetupWriter.h"

namespace {

// Prints each problem of the project and of its Setup.ini on standard error;
// returns the number of errors.
int ReportProblems(const TSetupProject& project, const std::vector<std::string>& layoutProblems) {
    for (const std::string& problem : layoutProblems) std::fprintf(stderr, "%s\n", problem.c_str());
    int errors = static_cast<int>(layoutProblems.size());
    if (!platform::FileExists(project.SetupIni)) return errors;
    TStringList lines;
    lines.LoadFromFile(project.SetupIni);
    for (const TSetupIniProblem& problem : CheckSetupLines(lines, PayloadNamesOf(project))) {
        std::fprintf(stderr, "%s:%d: %s%s\n", project.SetupIni.c_str(), problem.Line,
                     problem.Warning ? "warning: " : "", problem.Reason.c_str());
        errors += problem.Warning ? 0 : 1;
    }
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
