#include "tools/kelpack/CommandLine.h"

TCommandLine ParseCommandLine(const TCommandSyntax& syntax, const std::vector<std::string>& arguments) {
    TCommandLine line;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            line.Operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string option = argument.substr(0, equals);
        if (syntax.Flags.count(option) && equals == std::string::npos) {
            line.Flags.insert(option);
        } else if (syntax.Valued.count(option)) {
            if (equals != std::string::npos)
                line.Values[option] = argument.substr(equals + 1);
            else if (i + 1 < arguments.size())
                line.Values[option] = arguments[++i];
            else
                throw TUsageError(option + " needs a value");
        } else {
            throw TUsageError("unknown option for " + syntax.Name + ": " + argument);
        }
    }
    if (line.Operands.size() < syntax.MinOperands) throw TUsageError(syntax.Name + ": too few arguments");
    if (line.Operands.size() > syntax.MaxOperands) throw TUsageError(syntax.Name + ": too many arguments");
    return line;
}
