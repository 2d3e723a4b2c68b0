#include "uninstall/UninstallArguments.h"

#include <charconv>
#include <string_view>

#include "app/ElevationChoice.h"
#include "platform/Text.h"

namespace {

constexpr std::string_view kCopyOf = "/COPYOF=";

// A handle number: decimal digits up to the next comma, which is passed.
bool ReadNumber(const std::string& text, size_t& at, uintptr_t& number) {
    const size_t comma = text.find(',', at);
    if (comma == std::string::npos || comma == at) return false;
    const char* end = text.data() + comma;
    const auto [stop, error] = std::from_chars(text.data() + at, end, number);
    if (error != std::errc() || stop != end) return false;
    at = comma + 1;
    return true;
}

std::optional<TOriginal> OriginalOf(const std::string& value) {
    TOriginal original;
    size_t at = 0;
    if (!ReadNumber(value, at, original.Process) || !ReadNumber(value, at, original.Report)) return std::nullopt;
    original.File = value.substr(at);
    if (original.File.empty()) return std::nullopt;
    return original;
}

bool StartsWithText(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

}  // namespace

TUninstallArguments ParseUninstallArguments(const std::vector<std::string>& arguments) {
    TUninstallArguments parsed;
    for (const std::string& argument : arguments) {
        std::optional<TOriginal> original;
        if (SameText(argument, "/S")) parsed.Silent = true;
        else if (SameText(argument, kElevatedArgument)) parsed.Elevated = true;
        else if (StartsWithText(argument, std::string(kCopyOf)) && (original = OriginalOf(argument.substr(kCopyOf.size()))))
            parsed.Original = original;
        else if (parsed.NotUnderstood.empty()) parsed.NotUnderstood = argument.empty() ? "\"\"" : argument;
    }
    return parsed;
}

std::string CopyOfArgument(const TOriginal& original) {
    return std::string(kCopyOf) + std::to_string(original.Process) + "," + std::to_string(original.Report) + "," + original.File;
}
