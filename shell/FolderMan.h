#pragma once
// The "Choose Folder" dialog: a text field with the path being chosen and a
// tree of drives and folders. A click in the tree puts the clicked folder
// (with a trailing backslash) into the field; whatever is typed into the
// field is the path, unchecked. Made once and shown again for each use.
#include <string>

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"
#include "shell/DirTree.h"

class TFolderMan : public TForm {
public:
    explicit TFolderMan(TComponent* owner);

    // The path the dialog starts from; taken as it is.
    void SetFolderPath(const std::string& path) { folderPath_ = path; }
    // Shows the dialog modally; true when it was closed with OK.
    bool Execute();
    // The path chosen: a folder from the tree ends in a backslash, a typed
    // one is the text as typed.
    const std::string& FolderPath() const { return folderPath_; }

    void DirTreeClick(TComponent& sender);
    void PathEditChange(TComponent& sender);
    // Makes "New Folder" (or "New Folder 2", ...) inside the chosen folder and selects it.
    void NewButClick(TComponent& sender);

    TPanel& Panel1() { return *panel1_; }
    TLabel& Head() { return *head_; }
    TLabel& PathLabel() { return *pathLabel_; }
    TPanel& Panel2() { return *panel2_; }
    TEdit& PathEdit() { return *pathEdit_; }
    TLabel& DirLabel() { return *dirLabel_; }
    TDirTree& DirTree() { return *dirTree_; }
    TButton& OKBut() { return *okBut_; }
    TButton& CancelBut() { return *cancelBut_; }
    TButton& NewBut() { return *newBut_; }

protected:
    // As in a dialog, the keyboard starts at the first control, the path.
    void FocusOnShow() override;

private:
    template <class T>
    T& Add(TWinControl& parent, const std::string& name);
    void MakeFolderRows(int32_t width, int32_t height);
    void MakeButtons(int32_t width, int32_t height);

    std::string folderPath_;
    TPanel* panel1_ = nullptr;
    TLabel* head_ = nullptr;
    TLabel* pathLabel_ = nullptr;
    TPanel* panel2_ = nullptr;
    TEdit* pathEdit_ = nullptr;
    TLabel* dirLabel_ = nullptr;
    TDirTree* dirTree_ = nullptr;
    TButton* okBut_ = nullptr;
    TButton* cancelBut_ = nullptr;
    TButton* newBut_ = nullptr;
};

// Whether the folder exists, for deciding whether to make it. A drive root
// ("C:\") exists when its letter is a present drive, medium or not. Hidden
// and system folders count as missing; so do empty paths and patterns.
bool FolderExists(const std::string& path);
