#pragma once
// The small window that shows a long removal: a line saying what is being
// removed, a bar, and the item at hand. It cannot be closed by the user;
// the uninstaller destroys it when the removal is done.
#include <cstddef>
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/ProgressBar.h"

class TRemovalProgressForm : public TForm {
public:
    TRemovalProgressForm(TComponent* owner, const std::string& caption, const std::string& head);

    // Moves the bar to done of count, names the item, and paints at once.
    void ShowStep(size_t done, size_t count, const std::string& itemText);

    TLabel* Head = nullptr;
    TProgressBar* Bar = nullptr;
    TLabel* Item = nullptr;
};

// From this many steps on, an interactive removal shows its progress.
constexpr size_t kStepsShowingProgress = 40;
