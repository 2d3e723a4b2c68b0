#pragma once
// The program's arguments as UTF-8, without the program's own name. Windows
// hands them over in UTF-16 in one command line, split here by the rules of
// its C runtime; POSIX hands over argv, which is UTF-8 already.
#include <string>
#include <vector>

namespace platform {

std::vector<std::string> ProgramArguments(int argc, char** argv);

// Splits a Windows command line as the C runtime does: blanks separate
// arguments outside quotation marks, 2n backslashes before a quotation mark
// give n backslashes and a mark that opens or closes, 2n+1 give n and a
// literal mark, "" inside quotes gives one mark; other backslashes stay.
std::vector<std::string> SplitCommandLine(const std::string& line);
// The command line after the program's name, which the C runtime reads
// apart: up to the closing quotation mark when it starts with one,
// otherwise up to the first blank; backslashes mean nothing there.
std::string ArgumentsAfterProgramName(const std::string& line);

}  // namespace platform
