#pragma once
// The commands of kelpack; each returns the exit status and raises
// Exception (exit 1) or TUsageError (exit 2).
#include <string>
#include <vector>

using TArguments = std::vector<std::string>;

int PackCommand(const TArguments& arguments);
int ListCommand(const TArguments& arguments);
int ExtractCommand(const TArguments& arguments);
int VerifyCommand(const TArguments& arguments);
int BuildCommand(const TArguments& arguments);
int InitCommand(const TArguments& arguments);
