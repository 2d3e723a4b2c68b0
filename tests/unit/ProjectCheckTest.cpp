// The check of a setup description before it ships: each fault the wizard
// would stop at or silently pass over is found on its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Text.h"
#include "tools/kelpack/ProjectCheck.h"

namespace {

TPayloadNames Payload() {
    TPayloadNames names;
    for (const char* name : {"Setup.ini", "gfx.x", "Graphics\\Window.bmp", "Graphics\\BackNormal.bmp", "Licence.txt",
                             "ReadMe.txt", "tool.exe", "Languages\\Swedish.lng"})
        names.Add(name);
    return names;
}

std::vector<TSetupIniProblem> Check(const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    return CheckSetupLines(lines, Payload());
}

std::string Reasons(const std::vector<TSetupIniProblem>& problems) {
    std::string text;
    for (const TSetupIniProblem& problem : problems) text += Format("\n%d: %s", problem.Line, problem.Reason.c_str());
    return text;
}

struct TBadCase {
    const char* Text;
    int32_t Line;
    const char* Reason;  // a part of the reason given
    bool Warning;
};

const TBadCase BadCases[] = {
    // Numbers the wizard's integer reader refuses end its start-up.
    {"t\nObject=Toolweb\nTop=20 \nend\n", 3, "\"20 \" as a number and stops there (remove the blanks after it)", false},
    {"t\nObject=Setup\nAlphaColor=pink\nend\n", 3, "AlphaColor: the wizard cannot read \"pink\"", false},
    {"t\nObject=Button\nName=b\nRole=Back\nInvisibleColor=$FF00GG\nend\n", 5, "InvisibleColor:", false},
    {"t\nObject=Panel\nInvisibleColor=\nend\n", 3, "cannot read \"\" as a number", false},
    // Blocks the wizard reads past the end of the file.
    {"t\nObject=Panel\nBitmap=Graphics\\Window.bmp\n", 2, "the \"Panel\" block has no \"end\" line", false},
    {"t\nObject=Setup\nend\nObject=Button\nName=b\n", 4, "the file ends before this button's role line", false},
    {"t\nObject=Setup\nObject=Toolweb\nend\n", 3, "inside the \"Setup\" block of line 2, which lacks its \"end\"", false},
    // Lines the wizard silently passes over.
    {"t\nObject=Toolweb\nTop = 40\nend\n", 3, "\"Top = 40\" is ignored by the wizard; write \"Top=40\"", false},
    {"t\nObject=Toolweb\nheight=40\nend\n", 3, "write \"Height=40\"", false},
    {"t\nObject = Toolweb\nend\n", 2, "opens no block; the wizard needs exactly \"Object=Toolweb\"", false},
    {"t\nObject= Toolweb\nend\n", 2, "the wizard needs exactly \"Object=Toolweb\"", false},
    {"t\nObject=Button\nName=b\nRole=Help\nend\n", 2, "the button names no role", false},
    // Files the payload does not hold.
    {"t\nObject=Panel\nBitmap=Graphics\\Gone.bmp\nend\n", 3, "the picture \"Graphics\\Gone.bmp\" is not in the payload", false},
    {"t\nObject=Panel\nBitmap=Window.bmp\nend\n", 3, "pictures are named \"Graphics\\Window.bmp\"", false},
    {"t\nObject=Button\nName=b\nRole=Back\nPressed=BackNormal.bmp\nend\n", 5, "not in the payload", false},
    {"t\nObject=Setup\nLicence=Gone.txt\nend\n", 3, "Licence names \"Gone.txt\", which the payload does not hold", false},
    {"t\nObject=Setup\nAddfile=tool.exe\nAddfile=gone.dll\nend\n", 4, "Addfile names \"gone.dll\"", false},
    // Places the wizard refuses at its start, checked by the same rule.
    {"t\nObject=Setup\nAddfile=..\\tool.exe\nend\n", 3, "outside the setup's files", false},
    {"t\nObject=Setup\nFolder=..\\Startup\nend\n", 3, "outside the Programs folder", false},
    {"t\nObject=Setup\nScope=user\nend\n", 3, "Scope=user names no install scope (\"Machine\" or \"User\")", false},
    // Doubtful lines.
    {"Object=Setup\nend\n", 1, "the wizard never reads the first line", true},
    {"t\nObject=Setup\nColour=1\nend\n", 3, "the \"Setup\" block does not know the key \"Colour\"", true},
    {"t\nObject=Setup\nTargetFile=tool.exe\nend\n", 3, "TargetFile names \"tool.exe\", which no Addfile entry installs", true},
    {"t\nObject=Setup\nReadMe=ReadMe.txt\nAddfile=tool.exe\nend\n", 3, "ReadMe names \"ReadMe.txt\"", true},
    {"t\nObject=Setup\nLaunchProg=yes\nend\n", 3, "the wizard takes only \"1\" for on", true},
    {"t\nObject=Setup\nLanguage=german\nend\n", 3, "Language=german names no language", true},
    {"t\nObject=Setup\nLanguage=Norwegian\nend\n", 3, "the wizard shows English", true},
    {"t\nObject=Setup\nEnd\nend\n", 3, "only a line that is exactly \"end\" does", true},
    {"t\nTop=5\n", 2, "lies outside every block", true},
    {"t\nObject=Window\nend\n", 2, "the wizard knows Setup, Toolweb, Panel and Button", true},
};

}  // namespace

TEST(ProjectCheck, FindsEachFaultOnItsLine) {
    for (const TBadCase& bad : BadCases) {
        const std::vector<TSetupIniProblem> problems = Check(bad.Text);
        ASSERT_EQ(problems.size(), 1u) << bad.Text << Reasons(problems);
        EXPECT_EQ(problems[0].Line, bad.Line) << bad.Text;
        EXPECT_NE(problems[0].Reason.find(bad.Reason), std::string::npos) << bad.Text << "\n" << problems[0].Reason;
        EXPECT_EQ(problems[0].Warning, bad.Warning) << bad.Text;
    }
}

TEST(ProjectCheck, SoundDescriptionPasses) {
    // Numbers in every form the wizard reads, names in any case and with either
    // separator, the button's own two lines, blank lines, the last licence winning.
    EXPECT_EQ(Reasons(Check("[Title]\r\n"
                      "Comment=top-level lines are the writer's own\r\n"
                      "Object=Setup\r\n"
                      "SiteletTitle=Tool\r\nTargetFile=TOOL.EXE\r\nAddfile=tool.exe\r\nAddfile=readme.txt\r\n"
                      "ReadMe=ReadMe.txt\r\nLicence=Gone.txt\r\nLicence=licence.TXT\r\n"
                      "TextBoxColor=$00FFFFFF\r\nFontcolor=-2147483640\r\nFontheight= -11\r\nAlphaColor=0x10\r\n"
                      "Method=x\r\nDescription=a=b\r\nIcon=i\r\nEncrypted=1\r\nSetupName=s\r\nControlPanel=c\r\n"
                      "LaunchProg=1\r\nDesktopIcon=0\r\nDestination=Maker\\Tool\r\nVersion=1.2\r\nPublisher=Maker\r\nScope=User\r\n\r\n"
                      "Language=Portuguese (Brazil)\r\nLanguage=Auto\r\nLanguage=Swedish\r\n"
                      "end\r\n"
                      "Object=Toolweb\r\nTop=+40\r\nLeft=190\r\nWidth=400\r\nHeight=320\r\nend\r\n"
                      "Object=Panel\r\nBitmap=graphics/window.bmp\r\nInvisibleColor=$00FF00FF\r\nend\r\n"
                      "Object=Button\r\nName=Back\r\nRole=Back\r\nMask=Graphics\\BackNormal.bmp\r\n"
                      "Touched=Graphics\\BackNormal.bmp\r\nTop=380\r\nend\r\n")),
              "");
}

TEST(ProjectCheck, ReportsEveryProblemInLineOrder) {
    const std::vector<TSetupIniProblem> problems = Check("t\nObject=Setup\nTargetFile=x.exe\nAddfile=gone\nend\n"
                                                         "Object=Toolweb\nTop=a\nLeft=b\nend\n");
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].Line, 3);  // reported after the whole file was read
    EXPECT_TRUE(problems[0].Warning);
    EXPECT_EQ(problems[1].Line, 4);
    EXPECT_EQ(problems[2].Line, 7);
    EXPECT_EQ(problems[3].Line, 8);
}
