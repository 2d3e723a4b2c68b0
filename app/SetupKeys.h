#pragma once
// The keys of the setup description: which block types exist, which keys
// each block knows, and what kind of value each key takes. Tools that check
// a description before it ships read this table; the wizard's entry handlers
// know the same keys.
#include <optional>
#include <string>
#include <vector>

enum class TSetupBlock { Setup, Toolweb, Panel, Button };
inline constexpr TSetupBlock kSetupBlocks[] = {TSetupBlock::Setup, TSetupBlock::Toolweb, TSetupBlock::Panel,
                                               TSetupBlock::Button};

enum class TSetupValue {
    Text,           // taken as it is
    Flag,           // on only for "1"
    Number,         // read by StrToInt; a value that is not a number ends the start-up
    Picture,        // a picture file named relative to the working folder
    CopiedFile,     // a file of the working folder copied to the destination folder
    ShownFile,      // a text file read from the working folder; blank means none
    InstalledFile,  // a file of the destination folder; blank means none
};

struct TSetupKey {
    const char* Name;
    TSetupValue Value;
};

// Whether a name as written is a known name: by default exactly, as the wizard compares.
using TNameMatch = bool (*)(const std::string& written, const char* known);
bool ExactName(const std::string& written, const char* known);

// The block type an "Object" line's value names, if any.
std::optional<TSetupBlock> SetupBlockNamed(const std::string& type, TNameMatch match = ExactName);
const char* SetupBlockName(TSetupBlock block);

// The keys a block knows, in the order its handler tests them.
const std::vector<TSetupKey>& SetupKeysOf(TSetupBlock block);
// The key of the block that the name names, or null.
const TSetupKey* FindSetupKey(TSetupBlock block, const std::string& key, TNameMatch match = ExactName);
