// Every text of every built-in language fits its control at the sample
// skin's layout (its text area of 400 x 320 pixels and its 11-pixel Tahoma),
// measured with the fonts Wine really has: wrapped texts are shown whole,
// one-line texts are not cut, and the controls after a page's texts keep
// their room.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TextExtent.h"
#include "platform/win32/WideText.h"
#include "app/DiskSpace.h"
#include "app/SetupTexts.h"
#include "shell/Languages.h"
#include "tests/win32/SetupFormFixture.h"

namespace {

constexpr int32_t kCheckBoxGlyph = 20;  // the tick box and its gap before the caption
constexpr int32_t kButtonMargin = 12;

const char* const kSampleDescription =
    "SiteletTitle=Larkspur Notes\r\nFontname=Tahoma\r\nFontcolor=$00402818\r\nFontheight=-11\r\n"
    "Licence=Licence.txt\r\nReadMe=ReadMe.txt\r\nLaunchProg=1\r\nDesktopIcon=1\r\nFolder=Larkspur Notes\r\n";
const char* const kSampleTextArea = "Object=Toolweb\r\nTop=40\r\nLeft=190\r\nWidth=400\r\nHeight=320\r\nend\r\n";

// The height of the text wrapped at the width, as the label draws it.
int32_t WrappedHeight(const TFont& font, const std::string& text, int32_t width) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font.Handle()));
    RECT rect{0, 0, width, 0};
    const std::wstring wide = platform::Wide(text);
    DrawTextW(dc, wide.c_str(), int(wide.size()), &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return rect.bottom;
}

std::string WithoutAccessMark(std::string text) {
    const size_t at = text.find('&');
    if (at != std::string::npos) text.erase(at, 1);
    return text;
}

class LanguageFit : public SetupFormStart {
protected:
    std::unique_ptr<TSetupForm> form;
    std::string language;

    void StartIn(const std::string& name) {
        language = name;
        std::string skin = kSkinBlocks;
        skin.replace(0, skin.find("Object=Panel"), kSampleTextArea);
        WritePayload(std::string(kSampleDescription) + "Language=" + name + "\r\n", true, skin);
        form = Start();
    }

    // A wrapped label shows its whole text and ends inside its page.
    void ExpectWhole(const TLabel& label, const TPanel& page) {
        EXPECT_GE(label.Height(), WrappedHeight(label.Font(), label.Caption(), label.Width()))
            << language << ": " << label.Caption();
        EXPECT_LE(label.BoundsRect().Bottom, page.Height()) << language << ": " << label.Caption();
    }

    void ExpectOneLine(const TControl& control, const TFont& font, int32_t margin) {
        const std::string caption = WithoutAccessMark(control.Caption());
        EXPECT_LE(TextExtentOf(font, caption).Width + margin, control.Width()) << language << ": " << caption;
    }
};

}  // namespace

TEST_F(LanguageFit, EveryTextOfEveryLanguageFitsItsControl) {
    const TTextTable texts = BuiltInSetupTexts();
    for (const TBuiltInLanguage& builtIn : BuiltInLanguages()) {
        StartIn(std::string(builtIn.Name));
        TSetupForm& f = *form;
        for (uint8_t page = 0; page <= 5; ++page) f.ShowPage(page);
        f.TextBox->RealignControls();
        for (TPanel* page : {f.WelcomeBox, f.LicenceBox, f.DestinationBox, f.FolderBox, f.CopyBox, f.FinishBox})
            page->RealignControls();

        ExpectWhole(*f.WelcomeHead, *f.WelcomeBox);
        ExpectWhole(*f.WelcomeText, *f.WelcomeBox);

        ExpectWhole(*f.LicenceHead1, *f.LicenceBox);
        ExpectWhole(*f.LicenceHead2, *f.LicenceBox);
        EXPECT_GE(f.LicenceMemo->Height(), 60) << language << ": the licence keeps room to be read";
        EXPECT_LE(WrappedHeight(f.LicenceCheck->Font(), f.LicenceCheck->Caption(),
                                f.LicenceCheck->Width() - kCheckBoxGlyph),
                  f.LicenceCheck->Height())
            << language << ": " << f.LicenceCheck->Caption();

        ExpectWhole(*f.DestinationHead1, *f.DestinationBox);
        ExpectWhole(*f.DestinationHead2, *f.DestinationBox);
        EXPECT_LE(f.DestinationHead2->BoundsRect().Bottom, f.DestinationGroup->Top()) << language;
        ExpectOneLine(*f.DestinationGroup, f.DestinationGroup->Font(), 2 * kButtonMargin);
        ExpectOneLine(*f.DestinationButton, f.DestinationButton->Font(), kButtonMargin);
        EXPECT_GE(f.DestinationButton->Left(), f.DestinationText->Left() + 150) << language << ": the path keeps room";
        // Below the group, the room needed and free, a line each with sizes as wide as they come.
        const TSetupWords words(texts, language, "");
        const TDiskSpace widest{888ull << 20, 88ull << 30};
        EXPECT_GE(f.DestinationSpace->Top(), f.DestinationGroup->BoundsRect().Bottom) << language;
        EXPECT_LE(f.DestinationSpace->BoundsRect().Bottom, f.DestinationBox->Height()) << language;
        for (TLabel* line : {f.SpaceRequired, f.SpaceAvailable}) {
            EXPECT_TRUE(line->Visible()) << language << ": the drive's free space is told";
            ExpectWhole(*line, *f.DestinationSpace);
        }
        f.SpaceRequired->SetCaption(SpaceRequiredText(words, widest));
        f.SpaceAvailable->SetCaption(SpaceAvailableText(words, widest));
        for (TLabel* line : {f.SpaceRequired, f.SpaceAvailable}) ExpectOneLine(*line, line->Font(), 0);

        ExpectWhole(*f.FolderHead1, *f.FolderBox);
        ExpectWhole(*f.FolderHead2, *f.FolderBox);
        ExpectOneLine(*f.FolderEditHead, f.FolderEditHead->Font(), 0);
        ExpectOneLine(*f.FolderListHead, f.FolderListHead->Font(), 0);
        EXPECT_GE(f.FolderList->Height(), 40) << language << ": the existing folders keep room for three lines";

        ExpectWhole(*f.CopyHead1, *f.CopyBox);
        ExpectWhole(*f.CopyHead2, *f.CopyBox);
        EXPECT_LE(f.CopyHead2->BoundsRect().Bottom + 98, f.CopyBox->Height()) << language << ": the progress bar shows";

        // The Finish page as it reads with files in use, its longest form.
        f.FinshHead2->SetCaption(f.FinshHead2->Caption() + "\n\n" + TSetupWords(texts, language, "")[TSetupText::RestartNeeded]);
        f.FinishBox->RealignControls();
        ExpectWhole(*f.FinishHead1, *f.FinishBox);
        ExpectWhole(*f.FinshHead2, *f.FinishBox);
        for (TCheckBox* check : {f.DesktopCheck, f.ReadMeCheck, f.LaunchProgCheck}) {
            ExpectOneLine(*check, check->Font(), kCheckBoxGlyph);
            EXPECT_LE(check->Parent()->BoundsRect().Bottom, f.FinishBox->Height()) << language;
            EXPECT_GE(check->Parent()->Top(), f.FinshHead2->BoundsRect().Bottom) << language;
        }
        form.reset();
    }
}
