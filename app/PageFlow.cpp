#include "app/PageFlow.h"

TForwardStep ForwardStep(uint8_t page, bool hasLicence) {
    switch (page) {
        case wpWelcome: return {TForwardStep::Show, uint8_t(hasLicence ? wpLicence : wpDestination)};
        case wpLicence: return {TForwardStep::Show, wpDestination};
        case wpDestination: return {TForwardStep::Show, wpFolder};
        case wpFolder: return {TForwardStep::Show, wpCopy};
        case wpFinish: return {TForwardStep::Finish, wpFinish};
        default: return {};
    }
}

std::optional<uint8_t> BackStep(uint8_t page, bool hasLicence) {
    switch (page) {
        case wpLicence: return wpWelcome;
        case wpDestination: return hasLicence ? wpLicence : wpWelcome;
        case wpFolder: return wpDestination;
        default: return std::nullopt;
    }
}

TPageButtons PageButtons(uint8_t page) {
    switch (page) {
        case wpWelcome: return {false, true};
        case wpLicence: return {true, false};  // Next waits for the licence to be accepted
        case wpDestination: return {true, std::nullopt};
        case wpCopy: return {false, false};
        case wpFinish: return {false, true};
        default: return {};
    }
}

// The Copy page takes no input while files are copied; it stays on show only
// when the copy phase failed, and then Cancel is the way out. So is it on the
// Finish page when finishing failed.
bool CancelAsksOn(uint8_t page, bool finishFailed) { return page <= wpCopy || (page == wpFinish && finishFailed); }
