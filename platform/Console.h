#pragma once
#include <cstdio>
#include <string>

namespace platform {

// Whether the stream goes to an interactive terminal (for progress bars).
bool IsTerminal(std::FILE* stream);

// Writes UTF-8 text to the stream: to a Windows console as its characters,
// whatever the console's code page; to a file, a pipe or a terminal as the
// UTF-8 bytes themselves.
void WriteText(std::FILE* stream, const std::string& text);

}  // namespace platform
