// The expansion of "Addfile" wildcards into literal lines, and which product
// files the lines install once expanded: what the wizard is handed, and what
// the vendor is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Text.h"
#include "tools/kelpack/AddfileCoverage.h"
#include "tools/kelpack/AddfileWildcards.h"

namespace {

const std::vector<std::string> kProduct = {"app.exe", "plugins\\a.dll", "plugins\\codecs\\b.dll", "Plugins2\\c.dll",
                                           "readme.txt"};

TAddfileExpansion Expand(const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    return ExpandAddfileWildcards(lines, kProduct);
}

// The packed lines, each with the project's line it came from: "3 Addfile=x".
std::string Packed(const TAddfileExpansion& expansion) {
    std::string text;
    for (int32_t i = 0; i < expansion.Lines.Count(); ++i)
        text += std::to_string(expansion.SourceLines[static_cast<size_t>(i)]) + " " + expansion.Lines[i] + "\n";
    return text;
}

std::string Problems(const std::vector<TSetupIniProblem>& problems) {
    std::string text;
    for (const TSetupIniProblem& problem : problems)
        text += Format("%d%s %s\n", problem.Line, problem.Warning ? "w" : "e", problem.Reason.c_str());
    return text;
}

struct TExpansionCase {
    const char* What;
    const char* Setup;   // the lines after the title line
    const char* Packed;  // as Packed() shows them, title line left out
    const char* Problem; // the start of the single problem, or "" for none
    bool Changed;        // false: the project's file is packed as it is
};

const TExpansionCase kExpansions[] = {
    {"all files, in payload order", "Object=Setup\nAddfile=*\nend\n",
     "2 Object=Setup\n3 Addfile=app.exe\n3 Addfile=plugins\\a.dll\n3 Addfile=plugins\\codecs\\b.dll\n"
     "3 Addfile=Plugins2\\c.dll\n3 Addfile=readme.txt\n4 end\n",
     "", true},
    {"a folder at any depth, by either separator and in any case, not its namesake with a suffix",
     "Object=Setup\nAddfile=PLUGINS/*\nAddfile=app.exe\nend\n",
     "2 Object=Setup\n3 Addfile=plugins\\a.dll\n3 Addfile=plugins\\codecs\\b.dll\n4 Addfile=app.exe\n5 end\n", "", true},
    {"a wildcard that matches nothing is left out", "Object=Setup\nAddfile=docs\\*\nend\n",
     "2 Object=Setup\n4 end\n", "3w \"Addfile=docs\\*\" matches no file of Files", true},
    {"other patterns cannot be expanded", "Object=Setup\nAddfile=plugins\\*.dll\nend\n", "2 Object=Setup\n4 end\n",
     "3e \"Addfile=plugins\\*.dll\" cannot be expanded", true},
    {"only the Setup block installs, so only its lines are expanded",
     "Addfile=*\nObject=Panel\nAddfile=*\nend\nObject=Setup\nAddfile = *\nend\n",
     "2 Addfile=*\n3 Object=Panel\n4 Addfile=*\n5 end\n6 Object=Setup\n7 Addfile = *\n8 end\n", "", false},
    {"literal lines stay as they are", "Object=Setup\nAddfile=plugins/a.dll\nend\n",
     "2 Object=Setup\n3 Addfile=plugins/a.dll\n4 end\n", "", false},
    {"a block without its end is expanded as far as the wizard reads", "Object=Setup\nAddfile=plugins\\codecs\\*\n",
     "2 Object=Setup\n3 Addfile=plugins\\codecs\\b.dll\n", "", true},
};

}  // namespace

TEST(AddfileWildcards, ExpandIntoLiteralLinesOnTheirSourceLine) {
    for (const TExpansionCase& c : kExpansions) {
        const TAddfileExpansion expansion = Expand(std::string("[Title]\n") + c.Setup);
        std::string packed = Packed(expansion);
        EXPECT_EQ(packed.substr(packed.find('\n') + 1), c.Packed) << c.What;
        const std::string problems = Problems(expansion.Problems);
        if (*c.Problem) EXPECT_EQ(problems.rfind(c.Problem, 0), 0u) << c.What << "\n" << problems;
        else EXPECT_EQ(problems, "") << c.What;
        EXPECT_EQ(expansion.Changed, c.Changed) << c.What;
    }
}

TEST(AddfileCoverage, FilesNoLineInstallsAndFilesInstalledTwiceAreFound) {
    const TAddfileExpansion expansion =
        Expand("t\nObject=Setup\nAddfile=APP.EXE\nAddfile=plugins\\*\nAddfile=Plugins/A.dll\nAddfile=app.exe\n"
               "Addfile=plugins\\*\nAddfile=Graphics\\Window.bmp\nend\n");
    const TAddfileCoverage coverage = CheckAddfileCoverage(expansion, kProduct);
    EXPECT_EQ(Problems(coverage.Repeated),
              "5w \"Plugins/A.dll\" is installed already by line 4; the wizard would copy it twice\n"
              "6w \"app.exe\" is installed already by line 3; the wizard would copy it twice\n"
              "7w 2 files, \"plugins\\a.dll\" the first, are installed already by line 4; the wizard would copy them twice\n");
    EXPECT_EQ(coverage.NotInstalled, (std::vector<size_t>{3, 4})) << "Plugins2\\c.dll and readme.txt";
}
