// The wizard's navigation as a table: page and licence to what Next and
// Back do, and the buttons each page sets.
#include <gtest/gtest.h>

#include "app/PageFlow.h"
#include "app/PageTexts.h"

namespace {

constexpr auto None = TForwardStep::None;
constexpr auto Show = TForwardStep::Show;
constexpr auto Finish = TForwardStep::Finish;

}  // namespace

TEST(PageFlow, NextSkipsOnlyAMissingLicencePage) {
    struct Row {
        uint8_t page;
        bool licence;
        TForwardStep next;
        std::optional<uint8_t> back;
    };
    const Row table[] = {
        {wpWelcome, true, {Show, wpLicence}, std::nullopt},
        {wpWelcome, false, {Show, wpDestination}, std::nullopt},
        {wpLicence, true, {Show, wpDestination}, wpWelcome},
        {wpDestination, true, {Show, wpFolder}, wpLicence},
        {wpDestination, false, {Show, wpFolder}, wpWelcome},
        {wpFolder, false, {Show, wpCopy}, wpDestination},
        {wpCopy, true, {None, 0}, std::nullopt},
        {wpFinish, false, {Finish, wpFinish}, std::nullopt},
    };
    for (const Row& row : table) {
        EXPECT_EQ(ForwardStep(row.page, row.licence), row.next) << int(row.page) << " " << row.licence;
        EXPECT_EQ(BackStep(row.page, row.licence), row.back) << int(row.page) << " " << row.licence;
    }
}

TEST(PageFlow, EachPageSetsItsButtonsAndCancelAsksOnAllButASoundFinishPage) {
    struct Row {
        uint8_t page;
        std::optional<bool> back, next;
        bool cancelAsks, cancelAsksAfterAFailedFinish;
    };
    const Row table[] = {
        {wpWelcome, false, true, true, true},
        {wpLicence, true, false, true, true},
        {wpDestination, true, std::nullopt, true, true},
        {wpFolder, std::nullopt, std::nullopt, true, true},
        {wpCopy, false, false, true, true},  // shown only after the copy phase failed
        {wpFinish, false, true, false, true},
    };
    for (const Row& row : table) {
        const TPageButtons buttons = PageButtons(row.page);
        EXPECT_EQ(buttons.Back, row.back) << int(row.page);
        EXPECT_EQ(buttons.Next, row.next) << int(row.page);
        EXPECT_EQ(CancelAsksOn(row.page, false), row.cancelAsks) << int(row.page);
        EXPECT_EQ(CancelAsksOn(row.page, true), row.cancelAsksAfterAFailedFinish) << int(row.page);
    }
}

TEST(PageTexts, TitleIsFilledInWithoutAddedBlanks) {
    const TTextTable table = BuiltInSetupTexts();
    const TSetupWords english(table, "English", "Tool");
    EXPECT_EQ(english[TSetupText::WelcomeHead], "Welcome to the Setup Wizard for Tool");
    EXPECT_EQ(english[TSetupText::CopyHead2], "Tool installer is performing the requested operations.");
    const TSetupWords german(table, "German", "Tool");
    EXPECT_EQ(german[TSetupText::CopyHead2], "Tool  wird jetzt auf Ihrem Computer installiert. Bitte warten.");
    EXPECT_EQ(german[TSetupText::LaunchProgCheck], "Tool starten.");
    EXPECT_EQ(german[TSetupText::WelcomeHead], "Willkommen zum Setup Assistenten für Tool");
    EXPECT_EQ(german[TSetupText::CancelQuestion], "Wollen Sie das Setup abbrechen?");
    // A title that looks like a placeholder stays as it is.
    EXPECT_EQ(TSetupWords(table, "English", "{count}")[TSetupText::FinishHead2],
              "{count} has been installed successfully. Click Next to finish Setup.");
}
