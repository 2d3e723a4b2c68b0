// kelpack: packs, lists, verifies and extracts payload archives, and builds
// ready-to-ship setup folders from setup projects.
#include <cstdio>
#include <cstring>
#include <map>

#include "platform/LibrarySearch.h"
#include "platform/ProgramArguments.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"

namespace {

const char* const Usage =
    "Usage: kelpack COMMAND ...\n"
    "\n"
    "  kelpack pack ARCHIVE PATH... [--level LEVEL] [--threads N] [--plain-table]\n"
    "      Packs files and folders (recursively, each file keeping its folder\n"
    "      relative to the packed folder). Files that do not shrink are stored.\n"
    "      LEVEL: none (store), fastest, default (6), maximum, or 0 to 12 (0 to 9\n"
    "      where kelpack compresses with zlib, as on Windows); maximum is the\n"
    "      highest. --threads: compress on N threads (0, the default: one per\n"
    "      core); the archive is the same byte for byte whatever N is.\n"
    "  kelpack list ARCHIVE\n"
    "      Prints each entry: name, path, size, stored or compressed, CRC.\n"
    "  kelpack extract ARCHIVE DEST [--with-paths] [--check-crc] [--progress-log]\n"
    "      Extracts every entry into DEST (into its own folder with --with-paths).\n"
    "      --progress-log prints each progress report as MESSAGE<TAB>PERCENT.\n"
    "  kelpack verify ARCHIVE\n"
    "      Checks the archive's and every entry's CRC without writing anything.\n"
    "  kelpack build PROJECT OUTDIR [--setup FILE] [--level LEVEL] [--threads N]\n"
    "               [--sign PFXFILE [--sign-password-file FILE] [--timestamp URL]]\n"
    "               [--verify-reproducible]\n"
    "      Checks the setup project's Setup.ini the way the wizard reads it, then\n"
    "      writes OUTDIR/Setup.exe (from FILE, by default the kit's Setup.exe) and\n"
    "      OUTDIR/Data.Kel: Setup.ini, gfx.x (Graphics), snd.x (Sounds) and add.x\n"
    "      (Additional) when those folders exist, then the files of Files, with\n"
    "      the kit's uninstall.exe when Files hold none. Setup.ini and the licence\n"
    "      and ReadMe texts may be UTF-8 or Windows-1252; they are packed in\n"
    "      Windows-1252 when every character fits, else in UTF-8 with a byte-order\n"
    "      mark. Problems are printed as PATH:LINE: reason; with any error\n"
    "      nothing is written. --sign signs Setup.exe and uninstall.exe with the\n"
    "      certificate of the PKCS#12 file (Authenticode, by osslsigncode), its\n"
    "      password read from the first line of the --sign-password-file, with a\n"
    "      time stamp from the RFC 3161 server at URL when --timestamp is given.\n"
    "      The same project gives the same bytes from any folder, at any time and\n"
    "      on any number of threads (signing aside). --verify-reproducible builds\n"
    "      it twice more, into temporary folders on a copy of the project with\n"
    "      other file times and another number of threads, and fails unless all\n"
    "      three setups are the same byte for byte. --level and --threads as for\n"
    "      pack.\n"
    "  kelpack init DIR\n"
    "      Writes a new setup project into DIR (new or empty), copied from the\n"
    "      kit's sample project, ready to build.\n"
    "  kelpack --version\n"
    "\n"
    "Exit status: 0 on success, 1 on failure, 2 on a usage error.\n";

int Run(const std::vector<std::string>& words) {
    if (words.empty()) throw TUsageError("no command given");
    const std::string& command = words[0];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("kelpack %s\n", KEL_VERSION);
        return 0;
    }
    const std::map<std::string, int (*)(const TArguments&)> commands = {
        {"pack", PackCommand}, {"list", ListCommand}, {"extract", ExtractCommand}, {"verify", VerifyCommand},
        {"build", BuildCommand}, {"init", InitCommand}};
    const auto found = commands.find(command);
    if (found == commands.end()) throw TUsageError("unknown command: " + command);
    const TArguments arguments(words.begin() + 1, words.end());
    for (const std::string& argument : arguments)
        if (argument == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
    return found->second(arguments);
}

}  // namespace

int main(int argc, char** argv) {
    platform::RestrictLibrarySearch();
    try {
        return Run(platform::ProgramArguments(argc, argv));
    } catch (const TUsageError& error) {
        std::fprintf(stderr, "kelpack: %s\nTry 'kelpack --help'.\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
