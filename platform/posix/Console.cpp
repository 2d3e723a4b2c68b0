#include "platform/Console.h"

#include <unistd.h>

namespace platform {

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

void WriteText(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

}  // namespace platform
