// libFuzzer target of the setup description: the input is a whole Setup.ini,
// in any form a vendor's editor writes (Windows-1252, UTF-8, with or without
// a byte-order mark), taken as kelpack takes it. The wizard's reader applies it as the wizard does (the "Setup" block to
// the settings; the window, panel and button blocks by the key table,
// numbers through StrToInt), and the check of
// "kelpack build" reports on it against the sample project's payload.
// Errors are expected; crashes, sanitizer reports and these are not:
//  - a problem that names no line of the file or gives no reason, or
//    problems out of line order;
//  - a file the wizard stops reading (a number it cannot read, a block
//    without "end") that the check passes without an error;
//  - a file the check passes without an error that names a picture, an
//    Addfile entry or a licence the payload does not hold;
//  - a text that does not come back the same from the form kelpack packs
//    it in (Windows-1252, or UTF-8 after a byte-order mark).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/SetupIni.h"
#include "app/SetupKeys.h"
#include "app/SetupSettings.h"
#include "platform/Exception.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "platform/TextCoding.h"
#include "shell/IniLine.h"
#include "shell/PathParts.h"
#include "tools/kelpack/ProjectCheck.h"
#include "tools/kelpack/VendorText.h"

namespace {

[[noreturn]] void Fatal(const std::string& message) {
    std::fprintf(stderr, "==setup_ini_fuzzer== %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

// What the working folder of the sample setup holds.
const TPayloadNames& SamplePayload() {
    static const TPayloadNames payload = [] {
        TPayloadNames names;
        for (const char* name : {"Setup.ini", "gfx.x", "LarkNotes.exe", "uninstall.exe", "ReadMe.txt", "Licence.txt",
                                 "First-note.txt", "Graphics\\Window.bmp"})
            names.Add(name);
        for (const char* button : {"Back", "Next", "Cancel"})
            for (const char* state : {"Normal", "Over", "Pressed", "Disabled"})
                names.Add(std::string("Graphics\\") + button + state + ".bmp");
        return names;
    }();
    return payload;
}

// What the wizard takes from the file, and whether it stopped reading.
struct TWizardReading {
    TSetupSettings Settings;
    std::vector<std::string> Pictures;
    bool Stopped = false;
};

// The window, panel and button blocks: each key the block knows takes its
// value as the key table says, as the wizard's handlers of those blocks do.
void ApplyLayoutEntry(TSetupBlock block, const std::string& line, TWizardReading& reading) {
    const TSetupKey* key = FindSetupKey(block, IniKeyOf(line));
    if (!key) return;
    if (key->Value == TSetupValue::Number) StrToInt(IniValueOf(line));
    if (key->Value == TSetupValue::Picture) reading.Pictures.push_back(IniValueOf(line));
}

void ReadAsTheWizard(const TStringList& lines, TWizardReading& reading) {
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) { ApplySetupEntry(reading.Settings, line); };
    handlers.Toolweb = [&](const std::string& line) { ApplyLayoutEntry(TSetupBlock::Toolweb, line, reading); };
    handlers.Panel = [&](const std::string& line) { ApplyLayoutEntry(TSetupBlock::Panel, line, reading); };
    handlers.Button = [&](TButtonRole, const std::string& line) {
        ApplyLayoutEntry(TSetupBlock::Button, line, reading);
    };
    try {
        ApplySetupLines(lines, handlers);
    } catch (const EConvertError&) {
        reading.Stopped = true;
    } catch (const EListError&) {
        reading.Stopped = true;
    } catch (const Exception&) {
        reading.Stopped = true;  // a value outside its place, refused with its message
    }
}

// Counts the errors; the problems must name lines of the file, in order.
int CountErrors(const std::vector<TSetupIniProblem>& problems, int32_t lineCount) {
    int errors = 0;
    int32_t previous = 1;
    for (const TSetupIniProblem& problem : problems) {
        if (problem.Line < previous || problem.Line > lineCount)
            Fatal("a problem on line " + std::to_string(problem.Line) + " of " + std::to_string(lineCount) +
                  ", after line " + std::to_string(previous) + ": " + problem.Reason);
        if (problem.Reason.empty()) Fatal("a problem without a reason on line " + std::to_string(problem.Line));
        previous = problem.Line;
        errors += problem.Warning ? 0 : 1;
    }
    return errors;
}

// A licence named from the working folder rather than by a full path.
bool IsPayloadName(const std::string& name) { return IsRelativePath(name) && (name.empty() || name[0] != '/'); }

void CheckPayloadHolds(const std::string& what, const std::string& name) {
    if (!SamplePayload().Contains(name)) Fatal("the check passes " + what + " \"" + name + "\", which the payload lacks");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = VendorTextOf(std::string(reinterpret_cast<const char*>(data), size));
    if (!IsUtf8(text) || DecodeText8(EncodeText8(text)) != text) Fatal("the packed text does not read back the same");
    TStringList lines;
    lines.SetText(text);

    TWizardReading reading;
    ReadAsTheWizard(lines, reading);
    const int errors = CountErrors(CheckSetupLines(lines, SamplePayload()), lines.Count());
    if (errors > 0) return 0;

    if (reading.Stopped) Fatal("the check passes a description the wizard stops reading");
    for (const std::string& picture : reading.Pictures) CheckPayloadHolds("the picture", picture);
    for (const std::string& file : reading.Settings.AddFiles.Lines()) CheckPayloadHolds("the Addfile entry", file);
    const std::string& licence = reading.Settings.Licence;
    if (reading.Settings.HasLicence() && IsPayloadName(licence)) CheckPayloadHolds("the licence", licence);
    return 0;
}
