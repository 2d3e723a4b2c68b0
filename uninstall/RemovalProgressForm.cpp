#include "uninstall/RemovalProgressForm.h"

#include "platform/ui/Application.h"

namespace {

constexpr int32_t kWidth = 440, kMargin = 12;

}  // namespace

TRemovalProgressForm::TRemovalProgressForm(TComponent* owner, const std::string& caption, const std::string& head)
    : TForm(owner) {
    SetCaption(caption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientSize(kWidth, 100);
    Font().SetName("Tahoma");
    Font().SetSize(8);
    // Made now, the window lays its controls out in the area inside its frame.
    Handle();
    Head = &Make<TLabel>();
    Head->SetParent(this);
    Head->SetBounds(kMargin, kMargin, kWidth - 2 * kMargin, 16);
    Head->SetCaption(head);
    Bar = &Make<TProgressBar>();
    Bar->SetParent(this);
    Bar->SetBounds(kMargin, 38, kWidth - 2 * kMargin, 18);
    Item = &Make<TLabel>();
    Item->SetParent(this);
    Item->SetAutoSize(false);
    Item->SetBounds(kMargin, 66, kWidth - 2 * kMargin, 16);
    // The removal cannot be stopped halfway.
    OnCloseQuery = [](TComponent&, bool& canClose) { canClose = false; };
}

void TRemovalProgressForm::ShowStep(size_t done, size_t count, const std::string& itemText) {
    if (!Visible()) Show();
    Bar->SetRange(0, int32_t(count));
    Bar->SetPosition(int32_t(done));
    Item->SetCaption(itemText);
    Repaint();
    Application().ProcessMessages();
}
