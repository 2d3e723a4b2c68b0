// kelpack extract ARCHIVE DEST [--with-paths] [--check-crc] [--progress-log]
#include <cstdio>

#include "archive/WholeEntryArchive.h"
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
    const TCommandSyntax syntax{"extract", 2, 2, {"--with-paths", "--check-crc", "--progress-log"}, {}};
    const TCommandLine line = ParseCommandLine(syntax, arguments);
    const bool progressLog = line.Has("--progress-log");

    TWholeEntryArchive archive;
    archive.ExtractWithPath = line.Has("--with-paths");
    archive.CheckCRC = line.Has("--check-crc");

    // The bar counts the bytes of the files done plus the share of the current one.
    TProgressBar bar(platform::IsTerminal(stderr));
    int64_t total = 0;
    int64_t finished = 0;
    TArchiveEntry current;
    int index = 0;
    archive.OnProgress = [&](const std::string& message, int percentage) {
        if (progressLog) std::printf("%s\t%d\n", message.c_str(), percentage);
        if (archive.ProgressActivity() == paExtracting)
            bar.Update(finished + int64_t{current.FileSize} * percentage / 100, total, current.FileName);
    };
    archive.OnFileExtracted = [&](const std::string&) {
        finished += current.FileSize > 0 ? current.FileSize : 0;
        if (++index < archive.GetFileCount()) archive.GetFileEntry(index, current);
    };
    archive.OpenArchive(line.Operands[0]);
    total = TotalSize(archive);
    if (archive.GetFileCount() > 0) archive.GetFileEntry(0, current);
    archive.ExtractFiles(AsFolder(line.Operands[1]));
    bar.Finish();
    std::fflush(stdout);
    return 0;
}
