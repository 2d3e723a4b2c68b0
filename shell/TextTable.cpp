#include "shell/TextTable.h"

#include <algorithm>

#include "platform/Text.h"

namespace {

bool Holds(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

size_t TTextTable::KeyIndex(std::string_view name) const {
    for (size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].Name == name) return i;
    return std::string::npos;
}

size_t TTextTable::ColumnOf(const std::string& language) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].Language == language) return i;
    return std::string::npos;
}

size_t TTextTable::ColumnOfAnyCase(const std::string& language) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (SameText(columns_[i].Language, language)) return i;
    return std::string::npos;
}

void TTextTable::CheckPlaceholders(const TTextKey& key, const TLanguageLine& line,
                                   std::vector<TTextProblem>& problems) const {
    const std::vector<std::string> used = PlaceholdersOf(line.Value);
    for (const std::string& needed : PlaceholdersOf(key.Placeholders))
        if (!Holds(used, needed)) problems.push_back({line.Line, line.Key + " drops the placeholder " + needed});
    const std::vector<std::string> optional = PlaceholdersOf(key.Optional);
    const std::vector<std::string> known = PlaceholdersOf(key.Placeholders);
    for (const std::string& name : used)
        if (!Holds(known, name) && !Holds(optional, name))
            problems.push_back({line.Line, line.Key + " has the unknown placeholder " + name});
}

std::vector<TTextProblem> TTextTable::Fill(const std::string& language, std::string_view fileText) {
    const TLanguageFile file = ParseLanguageFile(fileText);
    std::vector<TTextProblem> problems = file.Problems;
    size_t column = ColumnOf(language);
    if (column == std::string::npos) {
        column = columns_.size();
        columns_.push_back({language, columns_.empty() ? std::vector<std::string>(keys_.size()) : columns_[0].Texts});
    }
    std::vector<bool> given(keys_.size(), false);
    for (const TLanguageLine& line : file.Lines) {
        const size_t key = KeyIndex(line.Key);
        if (key == std::string::npos) {
            problems.push_back({line.Line, "unknown key " + line.Key});
            continue;
        }
        if (given[key]) problems.push_back({line.Line, line.Key + " is given twice"});
        given[key] = true;
        CheckPlaceholders(keys_[key], line, problems);
        columns_[column].Texts[key] = line.Value;
    }
    for (size_t key = 0; key < keys_.size(); ++key)
        if (!given[key]) problems.push_back({0, "missing key " + std::string(keys_[key].Name)});
    std::stable_sort(problems.begin(), problems.end(),
                     [](const TTextProblem& a, const TTextProblem& b) { return a.Line < b.Line; });
    return problems;
}
