// The room on the destination's drive: what the product's files take, the
// Destination page's lines about it, and Next held back while it is too little.
#include "app/SetupForm.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"

TDiskSpace TSetupForm::DiskSpaceNow() const { return DiskSpaceFor(settings_, payload_->Entries(), settings_.Destination); }

// The lines wrap where they must; the line about the free room goes when
// the drive does not tell it.
void TSetupForm::ShowDiskSpace(const TDiskSpace& space) {
    SpaceRequired->SetCaption(SpaceRequiredText(*words_, space));
    SpaceAvailable->SetCaption(SpaceAvailableText(*words_, space));
    SpaceAvailable->SetVisible(space.Free.has_value());
    for (TLabel* line : {SpaceRequired, SpaceAvailable}) {
        line->SetAutoSize(false);
        line->SetAutoSize(true);
    }
    FitDiskSpaceLines();
}

// The panel below the group takes the height of its lines, and follows them
// whenever they wrap anew.
void TSetupForm::FitDiskSpaceLines() {
    int32_t height = 0;  // the gap above the lines included
    for (const TControl* control : DestinationSpace->Controls())
        if (control->Visible()) height += control->Height();
    DestinationSpace->SetHeight(height);
}

// Next on the Destination page: measured afresh, as the drive may have
// filled or emptied meanwhile; too little room keeps the user on the page,
// told how much is missing.
bool TSetupForm::DestinationHasRoom() {
    const TDiskSpace space = DiskSpaceNow();
    ShowDiskSpace(space);
    Step(SpaceLogText(space, settings_.Destination));
    if (space.Enough()) return true;
    ErrorBox(settings_.SiteletTitle, SpaceShortageText(*words_, space));
    return false;
}
