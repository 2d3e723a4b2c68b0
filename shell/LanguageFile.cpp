#include "shell/LanguageFile.h"

#include <algorithm>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Unescaped(std::string_view value) {
    std::string text;
    text.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\')) {
            text += value[++i] == 'n' ? '\n' : '\\';
        } else {
            text += value[i];
        }
    }
    return text;
}

std::string_view WithoutBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool IsPlaceholderName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name)
        if (c < 'a' || c > 'z') return false;
    return true;
}

// The length of the placeholder at text[at] ("{name}"), 0 when none starts there.
size_t PlaceholderAt(std::string_view text, size_t at) {
    if (text[at] != '{') return 0;
    const size_t end = text.find('}', at + 1);
    if (end == std::string_view::npos || !IsPlaceholderName(text.substr(at + 1, end - at - 1))) return 0;
    return end - at + 1;
}

}  // namespace

TLanguageFile ParseLanguageFile(std::string_view text) {
    TLanguageFile file;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    size_t number = 0;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = WithoutBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const size_t equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos ? std::string_view() : WithoutBlanks(line.substr(0, equals));
        if (key.empty()) {
            file.Problems.push_back({number, "not a \"key=value\" line"});
            continue;
        }
        file.Lines.push_back({std::string(key), Unescaped(WithoutBlanks(line.substr(equals + 1))), number});
    }
    return file;
}

std::vector<std::string> PlaceholdersOf(std::string_view text) {
    std::vector<std::string> names;
    for (size_t at = 0; at < text.size(); ++at) {
        if (const size_t length = PlaceholderAt(text, at)) {
            names.emplace_back(text.substr(at, length));
            at += length - 1;
        }
    }
    return names;
}

std::string FillPlaceholders(std::string_view text, const TPlaceholderValues& values) {
    std::string filled;
    filled.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const size_t length = PlaceholderAt(text, at);
        const std::string_view name = text.substr(at, length);
        const auto value = length ? std::find_if(values.begin(), values.end(), [&](const auto& v) { return v.first == name; })
                                  : values.end();
        if (value == values.end()) {
            filled += text[at];
            continue;
        }
        filled += value->second;
        at += length - 1;
    }
    return filled;
}

std::string LanguageFileValue(std::string_view text) {
    std::string value;
    value.reserve(text.size());
    for (char c : text) {
        if (c == '\n') value += "\\n";
        else if (c == '\\') value += "\\\\";
        else if (c != '\r') value += c;
    }
    return value;
}
