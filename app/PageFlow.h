#pragma once
// Which page the wizard's Next and Back buttons lead to, which buttons a page
// enables, and on which pages Cancel asks to stop. Pages by index: 0 Welcome,
// 1 Licence, 2 Destination, 3 Program folder, 4 Copy, 5 Finish.
#include <cstdint>
#include <optional>

enum TWizardPage : uint8_t { wpWelcome, wpLicence, wpDestination, wpFolder, wpCopy, wpFinish };

// What Next does on a page: nothing, show a page, or finish the setup.
struct TForwardStep {
    enum TKind : uint8_t { None, Show, Finish } Kind = None;
    uint8_t Page = 0;
    bool operator==(const TForwardStep&) const = default;
};

TForwardStep ForwardStep(uint8_t page, bool hasLicence);
// The page Back shows, or none.
std::optional<uint8_t> BackStep(uint8_t page, bool hasLicence);

// The state a page gives Back and Next when it is shown; none leaves the
// button as it was. Cancel is never disabled.
struct TPageButtons {
    std::optional<bool> Back;
    std::optional<bool> Next;
};
TPageButtons PageButtons(uint8_t page);

// Whether Cancel on the page asks to stop the setup: on every page but
// Finish, where it does nothing unless the finishing actions failed.
bool CancelAsksOn(uint8_t page, bool finishFailed);
