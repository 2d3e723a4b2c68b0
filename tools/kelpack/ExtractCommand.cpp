// kelpack extract ARCHIVE DEST [--with-paths] [--check-crc] [--progress-log]
#include <cstdio>

#include "archive/ZLIBArchive.h"
#include "platform/Console.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/ProgressBar.h"

namespace {

// The archive joins folder and path by plain concatenation, so the folder ends in a separator.
std::string AsFolder(std::string path) {
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
    return path;
}

int64_t TotalSize(const TZLBArchive& archive) {
    int64_t total = 0;
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        TArchiveEntry entry;
        archive.GetFileEntry(i, entry);
        if (entry.FileSize > 0) total += entry.FileSize;
    }
    return total;
}

}  // namespace

int ExtractCommand(const TArguments& arguments) {
    const TCommandSpec spec{"extract", 2, 2, {"--with-paths", "--check-crc", "--progress-log"}, {}};
    const TCommandLine line = ParseCommandLine(spec, arguments);
    const bool progressLog = line.Has("--progress-log");

    TZLBArchive archive;
    archive.ExtractWithPath = line.Has("--with-paths");
    archive.CheckCRC = line.Has("--check-crc");
    if (progressLog)
        archive.OnProgress = [](const std::string& message, int percentage) {
            std::printf("%s\t%d\n", message.c_str(), percentage);
        };
    archive.OpenArchive(line.Operands[0]);

    // The bar counts whole files done plus the share of the current one.
    TProgressBar bar(platform::IsTerminal(stderr));
    const int64_t total = TotalSize(archive);
    int64_t finished = 0;
    int index = 0;
    archive.OnFileExtracted = [&](const std::string&) {
        TArchiveEntry entry;
        archive.GetFileEntry(index++, entry);
        finished += entry.FileSize > 0 ? entry.FileSize : 0;
        bar.Update(finished, total, entry.FileName);
    };
    archive.ExtractFiles(AsFolder(line.Operands[1]));
    bar.Finish();
    std::fflush(stdout);
    return 0;
}
