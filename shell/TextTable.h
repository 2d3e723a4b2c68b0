#pragma once
// The texts a program shows, as a table: a row per text (its key), a
// column per language. The built-in languages and a vendor's language file
// fill it the same way, from the text of a language file. Portable.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/LanguageFile.h"

// A text of the program: its key in language files, the placeholders every
// translation must keep ("{folder} {reason}") and those it may use besides.
struct TTextKey {
    std::string_view Name;
    std::string_view Placeholders;
    std::string_view Optional = {};
};

class TTextTable {
public:
    explicit TTextTable(std::span<const TTextKey> keys) : keys_(keys) {}

    // Fills the column of the language (a new one, or the one it has, which
    // is replaced) from a language file's text. A text the file lacks keeps
    // the language's earlier text or, for a new language, the first
    // column's. Returns what is wrong with the file, by line: lines that
    // are no "key=value", unknown and repeated keys, keys it lacks,
    // placeholders a text drops or does not know.
    std::vector<TTextProblem> Fill(const std::string& language, std::string_view fileText);

    // The column of a language by its English name, exactly as written; npos when it has none.
    size_t ColumnOf(const std::string& language) const;
    // The column of a language, or the first (English) when it has none.
    size_t ColumnOrFirst(const std::string& language) const {
        const size_t column = ColumnOf(language);
        return column == std::string::npos ? 0 : column;
    }
    // The same as ColumnOf, ignoring the case of letters.
    size_t ColumnOfAnyCase(const std::string& language) const;
    const std::string& LanguageOf(size_t column) const { return columns_[column].Language; }
    size_t Languages() const { return columns_.size(); }

    std::span<const TTextKey> Keys() const { return keys_; }
    const std::string& Text(size_t column, size_t key) const { return columns_[column].Texts[key]; }

private:
    struct TColumn {
        std::string Language;
        std::vector<std::string> Texts;  // by key
    };
    size_t KeyIndex(std::string_view name) const;
    void CheckPlaceholders(const TTextKey& key, const TLanguageLine& line, std::vector<TTextProblem>& problems) const;

    std::span<const TTextKey> keys_;
    std::vector<TColumn> columns_;
};
