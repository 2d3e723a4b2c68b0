#pragma once
// What a faulty run may leave under names other than those a test expects
// (letters replaced by "?" or by others of the code page): the entries of the
// folders that receive a setup's files and links, and the uninstall entries,
// noted before a test and whatever is new in them removed after it.
#include <map>
#include <set>
#include <string>
#include <vector>

class Leftovers {
public:
    // Notes the uninstall entries and the entries of the folders that hold the Windows paths.
    void Watch(const std::vector<std::string>& windowsPaths);
    // Whether an uninstall entry came since.
    bool NewEntry() const;
    // Removes what came since; names that start with a dot are left alone.
    void Remove() const;

private:
    std::set<std::string> entries_;
    std::map<std::string, std::set<std::string>> held_;
};
