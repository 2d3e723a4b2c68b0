// kelpack pack ARCHIVE PATH... [--level L] [--threads N] [--plain-table]
#include <cstdio>
#include <numeric>

#include "platform/Console.h"
#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/PackOptionsArguments.h"
#include "tools/kelpack/PackSources.h"
#include "tools/kelpack/ProgressBar.h"

int PackCommand(const TArguments& arguments) {
    const TCommandSyntax syntax{"pack", 2, SIZE_MAX, {"--plain-table"}, PackOptionNames()};
    const TCommandLine line = ParseCommandLine(syntax, arguments);
    TPackOptions options = PackOptionsFrom(line);
    options.CompressTable = !line.Has("--plain-table");

    std::vector<std::string> warnings;
    const std::vector<TPackItem> items =
        CollectPackItems({line.Operands.begin() + 1, line.Operands.end()}, warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "warning: %s\n", warning.c_str());

    const int64_t total = std::accumulate(items.begin(), items.end(), int64_t{0},
                                          [](int64_t sum, const TPackItem& item) { return sum + item.Size; });
    TProgressBar bar(platform::IsTerminal(stderr));
    const TPackResult result = WriteArchive(line.Operands[0], items, options, [&](int64_t done, const TPackItem& item) {
        bar.Update(done, total, item.FileName);
    });
    bar.Finish();
    std::printf("%d files, %lld bytes packed into %lld bytes (%d stored as is)\n", result.Entries,
                static_cast<long long>(result.InputBytes), static_cast<long long>(result.ArchiveBytes), result.Stored);
    return 0;
}
