#include "shell/FolderMan.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "shell/DirTreeRules.h"
#include "shell/PathParts.h"
#include "shell/ShellFolders.h"

namespace {

constexpr int32_t kFormWidth = 324, kFormHeight = 359;
constexpr int32_t kMargin = 8, kButtonWidth = 75, kButtonHeight = 25, kButtonGap = 6;
constexpr int kPathNotFound = 3;  // the system's error code for a missing folder

// The client area a form of this outer size has: the border takes what
// the form's client size adds to it.
void SizeWindow(TForm& form, int32_t& clientWidth, int32_t& clientHeight) {
    form.SetClientSize(kFormWidth, kFormHeight);
    clientWidth = 2 * kFormWidth - form.Width();
    clientHeight = 2 * kFormHeight - form.Height();
    form.SetBounds(0, 0, kFormWidth, kFormHeight);
}

}  // namespace

TFolderMan::TFolderMan(TComponent* owner) : TForm(owner) {
    SetName("FolderMan");
    SetCaption("Choose Folder");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    int32_t width = 0, height = 0;
    SizeWindow(*this, width, height);
    MakeFolderRows(width, height);
    MakeButtons(width, height);
}

template <class T>
T& TFolderMan::Add(TWinControl& parent, const std::string& name) {
    T& control = Make<T>();
    control.SetName(name);
    control.SetParent(&parent);
    return control;
}

// Panel1 holds, from the top: the head line, the path field with its label
// and the tree with its label, which takes the rest.
void TFolderMan::MakeFolderRows(int32_t width, int32_t height) {
    panel1_ = &Add<TPanel>(*this, "Panel1");
    panel1_->SetBounds(kMargin, kMargin, width - 2 * kMargin, height - 3 * kMargin - kButtonHeight);
    panel1_->SetAnchors(akAll);

    auto row = [this](TControl& control, int32_t rowHeight) {
        control.SetAlign(alTop);
        control.SetHeight(rowHeight);
    };
    head_ = &Add<TLabel>(*panel1_, "Head");
    head_->SetAutoSize(false);
    head_->SetCaption("Please choose the installation folder.");
    row(*head_, 22);
    pathLabel_ = &Add<TLabel>(*panel1_, "PathLabel");
    pathLabel_->SetAutoSize(false);
    pathLabel_->SetCaption("Path:");
    row(*pathLabel_, 16);
    panel2_ = &Add<TPanel>(*panel1_, "Panel2");
    row(*panel2_, 30);
    pathEdit_ = &Add<TEdit>(*panel2_, "PathEdit");
    pathEdit_->SetBounds(0, 0, panel2_->Width(), 21);
    pathEdit_->SetAnchors(akLeft | akTop | akRight);
    pathEdit_->OnChange = [this](TComponent& sender) { PathEditChange(sender); };
    dirLabel_ = &Add<TLabel>(*panel1_, "DirLabel");
    dirLabel_->SetAutoSize(false);
    dirLabel_->SetCaption("Directories");
    row(*dirLabel_, 16);

    dirTree_ = &Add<TDirTree>(*panel1_, "DirTree");
    dirTree_->SetAlign(alClient);
    dirTree_->SetDriveTypes(drtUnknown | drtFixed | drtRemote);
    dirTree_->SetGoBelowRecycleBin(true);
    dirTree_->OnClick = [this](TComponent& sender) { DirTreeClick(sender); };
}

// OK and Cancel at the bottom right; the hidden New Folder button at the left.
// Neither is the default or the cancel button: Enter and Escape close nothing.
void TFolderMan::MakeButtons(int32_t width, int32_t height) {
    const int32_t top = height - kMargin - kButtonHeight;
    const int32_t cancelLeft = width - kMargin - kButtonWidth;
    okBut_ = &Add<TButton>(*this, "OKBut");
    okBut_->SetCaption("OK");
    okBut_->SetBounds(cancelLeft - kButtonGap - kButtonWidth, top, kButtonWidth, kButtonHeight);
    okBut_->SetModalResult(mrOk);
    cancelBut_ = &Add<TButton>(*this, "CancelBut");
    cancelBut_->SetCaption("Cancel");
    cancelBut_->SetBounds(cancelLeft, top, kButtonWidth, kButtonHeight);
    cancelBut_->SetModalResult(mrCancel);
    newBut_ = &Add<TButton>(*this, "NewBut");
    newBut_->SetCaption("New Folder");
    newBut_->SetBounds(kMargin, top, kButtonWidth, kButtonHeight);
    newBut_->SetVisible(false);
    newBut_->OnClick = [this](TComponent& sender) { NewButClick(sender); };
    for (TButton* button : {okBut_, cancelBut_, newBut_}) button->SetAnchors(akRight | akBottom);
}

// The tree shows the chosen folder, or the Program Files folder opened one
// level when the chosen one does not exist; the field keeps the path as given.
bool TFolderMan::Execute() {
    pathEdit_->SetText(folderPath_);
    if (FolderPresent(folderPath_)) {
        dirTree_->SetDirectory(folderPath_);
    } else {
        dirTree_->SetDirectory(GetProgramFilesDir());
        if (TTreeNode selected = dirTree_->Selected()) dirTree_->SetExpanded(selected, true);
    }
    return ShowModal() == mrOk;
}

void TFolderMan::FocusOnShow() { pathEdit_->SetFocus(); }

void TFolderMan::DirTreeClick(TComponent&) {
    folderPath_ = dirTree_->GetDirectory();
    pathEdit_->SetText(folderPath_);
}

void TFolderMan::PathEditChange(TComponent&) { folderPath_ = pathEdit_->Text(); }

// The new folder is made only inside an existing folder, never relative to
// whatever folder the process happens to be in.
void TFolderMan::NewButClick(TComponent&) {
    const std::string parent = WithTrailingBackslash(folderPath_);
    if (folderPath_.empty() || !FolderPresent(parent)) throw EInOutError(kPathNotFound);
    const std::string name = NewFolderName(parent, FolderPresent);
    if (TTreeNode selected = dirTree_->Selected()) dirTree_->SetExpanded(selected, true);
    const std::string created = parent + name;
    if (!platform::CreateDir(created)) throw EInOutError(platform::LastErrorCode());
    dirTree_->DeleteDirectoryNode(parent);
    dirTree_->AddDirectoryPath(created);
    folderPath_ = created;
    dirTree_->SetDirectory(folderPath_);
}
