#pragma once
// Splitting a key=value line at its first "="; nothing is trimmed.
#include <string>

// The characters before the first "="; empty when there is none.
std::string IniKeyOf(const std::string& line);
// The characters after the first "="; the whole line when there is none.
std::string IniValueOf(const std::string& line);
