#pragma once
// Whole folders for tests: every file below a folder with its content, and a copy of a folder.
#include <map>
#include <string>

// Every file below folder, by its path relative to it ("dir\file"), with its content.
std::map<std::string, std::string> FileTree(const std::string& folder);

// Copies folder with everything below it to target, which is created.
void CopyTree(const std::string& folder, const std::string& target);
