#pragma once
// TEMPORARY local placeholder until the folder chooser branch is merged; not committed.
#include <string>
#include "platform/ui/Form.h"
class TFolderMan : public TForm {
public:
    explicit TFolderMan(TComponent* owner) : TForm(owner) {}
    void SetFolderPath(const std::string& path) { path_ = path; }
    bool Execute() { return false; }
    const std::string& FolderPath() const { return path_; }
private:
    std::string path_;
};
