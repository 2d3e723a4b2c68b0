#pragma once
// The command line of kelpack: a command, its operands and its options.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Exception.h"

// A command line that does not fit the command: exit status 2.
class TUsageError : public Exception { using Exception::Exception; };

struct TCommandSyntax {
    std::string Name;
    size_t MinOperands;
    size_t MaxOperands;                // SIZE_MAX: no limit
    std::set<std::string> Flags;       // options without a value: "--check-crc"
    std::set<std::string> Valued;      // options with a value: "--level X" or "--level=X"
};

struct TCommandLine {
    std::vector<std::string> Operands;
    std::set<std::string> Flags;
    std::map<std::string, std::string> Values;

    bool Has(const std::string& flag) const { return Flags.count(flag) != 0; }
    std::string Value(const std::string& option, const std::string& fallback) const {
        const auto found = Values.find(option);
        return found == Values.end() ? fallback : found->second;
    }
};

// Parses the arguments after the command name; raises TUsageError.
TCommandLine ParseCommandLine(const TCommandSyntax& syntax, const std::vector<std::string>& arguments);
