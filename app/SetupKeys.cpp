#include "app/SetupKeys.h"

namespace {

using enum TSetupValue;

const std::vector<TSetupKey> SetupKeys = {
    {"TargetFile", InstalledFile}, {"Method", Text},         {"Description", Text},  {"Icon", Text},
    {"Addfile", CopiedFile},       {"Encrypted", Flag},      {"AlphaColor", Number}, {"SetupName", Text},
    {"ControlPanel", Text},        {"TextBoxColor", Number}, {"Fontname", Text},     {"Fontcolor", Number},
    {"Fontheight", Number},        {"Fontstyle", Text},      {"SiteletTitle", Text}, {"Language", Text},
    {"Licence", ShownFile},        {"Destination", Text},    {"Folder", Text},       {"ReadMe", InstalledFile},
    {"LaunchProg", Flag},          {"DesktopIcon", Flag},    {"Version", Text},      {"Publisher", Text},
    {"Scope", Text},
};

const std::vector<TSetupKey> ToolwebKeys = {{"Top", Number}, {"Left", Number}, {"Width", Number}, {"Height", Number}};

const std::vector<TSetupKey> PanelKeys = {{"Bitmap", Picture}, {"InvisibleColor", Number}};

const std::vector<TSetupKey> ButtonKeys = {
    {"Top", Number},      {"Left", Number},     {"Mask", Picture},          {"Touched", Picture},
    {"Pressed", Picture}, {"Disabled", Picture}, {"InvisibleColor", Number},
};

}  // namespace

const char* SetupBlockName(TSetupBlock block) {
    switch (block) {
        case TSetupBlock::Setup: return "Setup";
        case TSetupBlock::Toolweb: return "Toolweb";
        case TSetupBlock::Panel: return "Panel";
        case TSetupBlock::Button: return "Button";
    }
    return "";
}

bool ExactName(const std::string& written, const char* known) { return written == known; }

std::optional<TSetupBlock> SetupBlockNamed(const std::string& type, TNameMatch match) {
    for (const TSetupBlock block : kSetupBlocks)
        if (match(type, SetupBlockName(block))) return block;
    return std::nullopt;
}

const std::vector<TSetupKey>& SetupKeysOf(TSetupBlock block) {
    switch (block) {
        case TSetupBlock::Setup: return SetupKeys;
        case TSetupBlock::Toolweb: return ToolwebKeys;
        case TSetupBlock::Panel: return PanelKeys;
        case TSetupBlock::Button: return ButtonKeys;
    }
    return SetupKeys;
}

const TSetupKey* FindSetupKey(TSetupBlock block, const std::string& key, TNameMatch match) {
    for (const TSetupKey& known : SetupKeysOf(block))
        if (match(key, known.Name)) return &known;
    return nullptr;
}
