#pragma once
// A language file: UTF-8 text (a byte-order mark is skipped), one
// "key=value" line per text; blank lines and lines starting with "#" are
// comments. In a value "\n" is a line break and "\\" a backslash. A text
// names what is filled into it by placeholders such as "{title}" rather
// than being pieced together, so that each language orders its own words.
// Portable.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TLanguageLine {
    std::string Key;
    std::string Value;  // escapes resolved
    size_t Line;        // from 1
};

// Something wrong with a language file, at a line (0: the file as a whole).
struct TTextProblem {
    size_t Line;
    std::string Message;

    bool operator==(const TTextProblem&) const = default;
};

struct TLanguageFile {
    std::vector<TLanguageLine> Lines;
    std::vector<TTextProblem> Problems;  // lines that are no "key=value"
};

TLanguageFile ParseLanguageFile(std::string_view text);

// The placeholders of a text in order of appearance, each as written: "{count}".
std::vector<std::string> PlaceholdersOf(std::string_view text);

// The text with each placeholder of the list replaced by its value, in one
// pass: a value that looks like a placeholder is not replaced again.
// Placeholders not in the list stay as they are.
using TPlaceholderValues = std::vector<std::pair<std::string_view, std::string_view>>;
std::string FillPlaceholders(std::string_view text, const TPlaceholderValues& values);

// A text as a language file's value: line breaks as "\n", backslashes as "\\".
std::string LanguageFileValue(std::string_view text);
