#include "tools/kelpack/AddfileWildcards.h"

#include "app/SetupIni.h"
#include "platform/Exception.h"
#include "shell/IniLine.h"
#include "tools/kelpack/PayloadNames.h"

namespace {

constexpr const char* kAddfile = "Addfile";

bool HasWildcardCharacter(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

// "*" and "FOLDER\*" (either separator) are expanded: the folder part, as
// the start of every name it matches. Empty for "*".
bool ExpandablePrefix(const std::string& value, std::string& prefix) {
    if (value.empty() || value.back() != '*') return false;
    prefix = value.substr(0, value.size() - 1);
    if (HasWildcardCharacter(prefix)) return false;
    return prefix.empty() || ((prefix.back() == '\\' || prefix.back() == '/') && prefix.size() > 1);
}

class TExpander {
public:
    TExpander(const TStringList& lines, const std::vector<std::string>& productFiles)
        : lines_(lines), productFiles_(productFiles) {}

    TAddfileExpansion Run() {
        FindWildcardLines();
        for (int32_t i = 0; i < lines_.Count(); ++i) {
            if (setupEntry_[i]) ExpandLine(i + 1, lines_[i]);
            else Keep(i + 1, lines_[i]);
        }
        return std::move(result_);
    }

private:
    // Marks the lines the wizard hands to the "Setup" block.
    void FindWildcardLines() {
        setupEntry_.assign(static_cast<size_t>(lines_.Count()), false);
        int32_t current = 0;
        TSetupIniHandlers handlers;
        handlers.Examine = [&](int32_t number, TSetupIniLineKind) { current = number; };
        handlers.Setup = [&](const std::string&) { setupEntry_[static_cast<size_t>(current - 1)] = true; };
        try {
            ApplySetupLines(lines_, handlers);
        } catch (const EListError&) {
            // A block without "end": the check reports it; the lines read so far count.
        }
    }

    void Keep(int32_t line, const std::string& text) {
        result_.Lines.Add(text);
        result_.SourceLines.push_back(line);
    }

    void Install(int32_t line, const std::string& name, bool fromWildcard) {
        Keep(line, std::string(kAddfile) + "=" + name);
        result_.Entries.push_back({name, line, fromWildcard});
    }

    void ExpandLine(int32_t line, const std::string& text) {
        if (IniKeyOf(text) != kAddfile) return Keep(line, text);
        const std::string value = IniValueOf(text);
        std::string prefix;
        if (ExpandablePrefix(value, prefix)) return ExpandWildcard(line, value, prefix);
        if (!HasWildcardCharacter(value)) {
            Keep(line, text);
            result_.Entries.push_back({value, line, false});
            return;
        }
        result_.Changed = true;
        result_.Problems.push_back({line, "\"" + text + "\" cannot be expanded: only \"Addfile=*\" and \"Addfile=FOLDER\\*\" "
                                          "name several files, and the wizard cannot copy a name with \"*\" or \"?\"",
                                    false});
    }

    void ExpandWildcard(int32_t line, const std::string& value, const std::string& prefix) {
        result_.Changed = true;
        const std::string start = FileNameKey(prefix);
        bool matched = false;
        for (const std::string& file : productFiles_) {
            if (FileNameKey(file).compare(0, start.size(), start) != 0) continue;
            Install(line, file, true);
            matched = true;
        }
        if (!matched)
            result_.Problems.push_back(
                {line, "\"Addfile=" + value + "\" matches no file of Files; the line is left out", true});
    }

    const TStringList& lines_;
    const std::vector<std::string>& productFiles_;
    std::vector<bool> setupEntry_;
    TAddfileExpansion result_;
};

}  // namespace

TAddfileExpansion ExpandAddfileWildcards(const TStringList& lines, const std::vector<std::string>& productFiles) {
    return TExpander(lines, productFiles).Run();
}

TSetupIniProblem OnSourceLine(const TAddfileExpansion& expansion, TSetupIniProblem problem) {
    const auto index = static_cast<size_t>(problem.Line - 1);
    if (problem.Line >= 1 && index < expansion.SourceLines.size()) problem.Line = expansion.SourceLines[index];
    return problem;
}
