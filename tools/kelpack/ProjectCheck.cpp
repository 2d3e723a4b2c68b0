#include "tools/kelpack/ProjectCheck.h"

#include <algorithm>
#include <map>
#include <optional>

#include "app/SetupIni.h"
#include "app/SetupKeys.h"
#include "app/SetupValueBounds.h"
#include "platform/Exception.h"
#include "platform/Text.h"
#include "shell/IniLine.h"
#include "shell/Languages.h"
#include "shell/PathParts.h"

namespace {

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

bool IsBlank(const std::string& text) { return Trim(text).empty(); }

// A name that does not lie below the working folder: it names a drive or starts at a root.
bool IsAbsoluteName(const std::string& name) { return !IsRelativePath(name) || (!name.empty() && name[0] == '/'); }

// What the writer meant: the same name once blanks are trimmed and letter
// case is ignored.
bool MeantName(const std::string& written, const char* known) { return SameText(Trim(written), known); }

const TSetupKey* MeantSetupKey(TSetupBlock block, const std::string& key) { return FindSetupKey(block, key, MeantName); }

std::optional<TSetupBlock> MeantBlock(const std::string& type) { return SetupBlockNamed(type, MeantName); }

bool KnownInSomeBlock(const std::string& key) {
    return std::any_of(std::begin(kSetupBlocks), std::end(kSetupBlocks),
                       [&](TSetupBlock block) { return FindSetupKey(block, key) != nullptr; });
}

// A file name a "Setup" key gives, as its last entry left it.
struct TNamedFile {
    int32_t Line = 0;
    std::string Name;
    TSetupValue Value = TSetupValue::Text;
};

class TSetupIniCheck {
public:
    TSetupIniCheck(const TStringList& lines, const TPayloadNames& payload) : lines_(lines), payload_(payload) {}

    std::vector<TSetupIniProblem> Run() {
        CheckFirstLine();
        try {
            ApplySetupLines(lines_, Handlers());
        } catch (const EListError&) {
            ReportMissingEnd();
        }
        CheckNamedFiles();
        std::stable_sort(problems_.begin(), problems_.end(), [](const auto& a, const auto& b) { return a.Line < b.Line; });
        return problems_;
    }

private:
    TSetupIniHandlers Handlers() {
        TSetupIniHandlers handlers;
        handlers.Setup = [this](const std::string& line) { CheckEntry(TSetupBlock::Setup, line); };
        handlers.Toolweb = [this](const std::string& line) { CheckEntry(TSetupBlock::Toolweb, line); };
        handlers.Panel = [this](const std::string& line) { CheckEntry(TSetupBlock::Panel, line); };
        handlers.Button = [this](TButtonRole, const std::string& line) { CheckEntry(TSetupBlock::Button, line); };
        handlers.Examine = [this](int32_t number, TSetupIniLineKind kind) { Examine(number, kind); };
        return handlers;
    }

    void Error(int32_t line, const std::string& reason) { problems_.push_back({line, reason, false}); }
    void Warn(int32_t line, const std::string& reason) { problems_.push_back({line, reason, true}); }
    const std::string& TextOf(int32_t line) const { return lines_[line - 1]; }

    void Examine(int32_t number, TSetupIniLineKind kind) {
        if (kind == TSetupIniLineKind::TopLevel) CheckTopLevelLine(number);
        else if (kind == TSetupIniLineKind::Object) CheckObjectLine(number);
        else line_ = number;
    }

    void CheckFirstLine() {
        if (lines_.Count() > 0 && SameText(Trim(IniKeyOf(TextOf(1))), "Object"))
            Warn(1, "the wizard never reads the first line, so this block is skipped; put a title line before it");
    }

    void CheckTopLevelLine(int32_t line) {
        const std::string key = Trim(IniKeyOf(TextOf(line)));
        if (SameText(key, "Object"))
            Error(line, Quote(TextOf(line)) + " opens no block; the wizard needs exactly " +
                            Quote("Object=" + Trim(IniValueOf(TextOf(line)))));
        else if (KnownInSomeBlock(key))
            Warn(line, Quote(TextOf(line)) + " lies outside every block; the wizard ignores it");
    }

    void CheckObjectLine(int32_t line) {
        const std::string type = IniValueOf(TextOf(line));
        const std::optional<TSetupBlock> block = SetupBlockNamed(type);
        if (!block) return CheckUnknownType(line, type);
        if (*block == TSetupBlock::Button && !ButtonBlockOpens(line)) return;
        openLine_ = line;
        openBlock_ = *block;
    }

    void CheckUnknownType(int32_t line, const std::string& type) {
        if (const auto meant = MeantBlock(type))
            Error(line, Quote(TextOf(line)) + " opens no block; the wizard needs exactly " +
                            Quote(std::string("Object=") + SetupBlockName(*meant)));
        else
            Warn(line, Quote(TextOf(line)) + " opens no block; the wizard knows Setup, Toolweb, Panel and Button");
    }

    bool ButtonBlockOpens(int32_t line) {
        if (line + 2 > lines_.Count()) {
            Error(line, "the file ends before this button's role line, the second line after \"Object=Button\"");
            openLine_ = 0;  // the wizard stops reading here; nothing more to report on the block
            return false;
        }
        if (ButtonRoleNamed(IniValueOf(TextOf(line + 2)))) return true;
        Error(line, "the button names no role: the second line after \"Object=Button\" must end in "
                    "\"=Back\", \"=Forward\" or \"=Cancel\"; the wizard ignores the block");
        return false;
    }

    void ReportMissingEnd() {
        if (openLine_ > 0)
            Error(openLine_, std::string("the \"") + SetupBlockName(openBlock_) +
                                 "\" block has no \"end\" line; the wizard stops at the end of the file");
    }

    void CheckEntry(TSetupBlock block, const std::string& text) {
        const std::string key = IniKeyOf(text);
        if (Trim(key) == "Object")
            return Error(line_, std::string("an \"Object\" line inside the \"") + SetupBlockName(openBlock_) +
                                    "\" block of line " + std::to_string(openLine_) +
                                    ", which lacks its \"end\"; the wizard takes this line for one of its entries");
        if (const TSetupKey* known = FindSetupKey(block, key)) {
            if (const std::string refused = RefusedSetupValue(key, IniValueOf(text)); !refused.empty())
                return Error(line_, refused + "; the wizard refuses the setup");
            return CheckValue(*known, IniValueOf(text));
        }
        CheckUnknownEntry(block, key, text);
    }

    void CheckUnknownEntry(TSetupBlock block, const std::string& key, const std::string& text) {
        const bool namesTheButton = block == TSetupBlock::Button && line_ <= openLine_ + 2;
        if (namesTheButton || IsBlank(text)) return;
        if (const TSetupKey* meant = MeantSetupKey(block, key))
            return Error(line_, Quote(text) + " is ignored by the wizard; write " +
                                    Quote(std::string(meant->Name) + "=" + Trim(IniValueOf(text))) +
                                    " (no blanks around \"=\", letters as shown)");
        if (key.empty() && SameText(Trim(text), "end"))
            return Warn(line_, Quote(text) + " does not close the block; only a line that is exactly \"end\" does");
        Warn(line_, std::string("the \"") + SetupBlockName(block) + "\" block does not know the key " + Quote(key) +
                        "; the wizard ignores the line");
    }

    void CheckValue(const TSetupKey& key, const std::string& value) {
        switch (key.Value) {
            case TSetupValue::Number: return CheckNumber(key.Name, value);
            case TSetupValue::Flag: return CheckFlag(key.Name, value);
            case TSetupValue::Picture: return CheckPicture(value);
            case TSetupValue::CopiedFile: return CheckCopiedFile(key.Name, value);
            case TSetupValue::ShownFile:
            case TSetupValue::InstalledFile: namedFiles_[key.Name] = {line_, value, key.Value}; return;
            case TSetupValue::Text:
                if (key.Name == std::string("Language")) CheckLanguage(value);
                return;
        }
    }

    // A language the wizard has, one of the project's language files, or "Auto".
    void CheckLanguage(const std::string& name) {
        if (name == "Auto" || payload_.Contains("Languages\\" + name + ".lng")) return;
        for (const TBuiltInLanguage& language : BuiltInLanguages())
            if (language.Name == name) return;
        Warn(line_, "Language=" + name + " names no language of the wizard (English names, as \"German\" or "
                    "\"Portuguese (Brazil)\", or \"Auto\") nor a file in Languages; the wizard shows English");
    }

    void CheckNumber(const std::string& key, const std::string& value) {
        if (IsNumber(value)) return;
        std::string reason = key + ": the wizard cannot read " + Quote(value) + " as a number and stops there";
        if (IsNumber(Trim(value))) reason += " (remove the blanks after it)";
        Error(line_, reason);
    }

    static bool IsNumber(const std::string& value) {
        try {
            StrToInt(value);
            return true;
        } catch (const EConvertError&) {
            return false;
        }
    }

    void CheckFlag(const std::string& key, const std::string& value) {
        if (value != "1" && value != "0" && !value.empty())
            Warn(line_, key + "=" + value + " means off: the wizard takes only \"1\" for on");
    }

    void CheckPicture(const std::string& name) {
        if (payload_.Contains(name)) return;
        std::string reason = "the picture " + Quote(name) + " is not in the payload";
        if (payload_.Contains("Graphics\\" + name)) reason += "; pictures are named " + Quote("Graphics\\" + name);
        Error(line_, reason);
    }

    void CheckCopiedFile(const std::string& key, const std::string& name) {
        copiedFiles_.push_back(name);
        if (!payload_.Contains(name))
            Error(line_, key + " names " + Quote(name) + ", which the payload does not hold; the copy would fail");
    }

    void CheckNamedFiles() {
        for (const auto& [key, file] : namedFiles_) {
            if (IsBlank(file.Name)) continue;
            if (file.Value == TSetupValue::ShownFile) CheckShownFile(key, file);
            else CheckInstalledFile(key, file);
        }
    }

    void CheckShownFile(const std::string& key, const TNamedFile& file) {
        if (IsAbsoluteName(file.Name))
            Warn(file.Line, key + " names " + Quote(file.Name) + " by its full path; it cannot be checked");
        else if (!payload_.Contains(file.Name))
            Error(file.Line, key + " names " + Quote(file.Name) +
                                 ", which the payload does not hold; the wizard stops when it cannot load it");
    }

    void CheckInstalledFile(const std::string& key, const TNamedFile& file) {
        const bool installed = std::any_of(copiedFiles_.begin(), copiedFiles_.end(),
                                           [&](const std::string& copied) { return SameFileName(copied, file.Name); });
        if (!installed) Warn(file.Line, key + " names " + Quote(file.Name) + ", which no Addfile entry installs");
    }

    const TStringList& lines_;
    const TPayloadNames& payload_;
    std::vector<TSetupIniProblem> problems_;
    int32_t line_ = 0;      // the entry being checked
    int32_t openLine_ = 0;  // the "Object" line of the block read last; 0 when none is open
    TSetupBlock openBlock_ = TSetupBlock::Setup;
    std::map<std::string, TNamedFile> namedFiles_;
    std::vector<std::string> copiedFiles_;
};

}  // namespace

std::vector<TSetupIniProblem> CheckSetupLines(const TStringList& lines, const TPayloadNames& payload) {
    return TSetupIniCheck(lines, payload).Run();
}
