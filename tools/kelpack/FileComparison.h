#pragma once
// Compares two files byte for byte.
#include <cstdint>
#include <optional>
#include <string>

// The offset of the first byte in which the files differ (the shorter one's
// size when one is the start of the other); none when they are the same.
// Raises Exception when either cannot be read.
std::optional<int64_t> FirstDifference(const std::string& first, const std::string& second);
