#pragma once
// A program folder with a Data.Kel beside it, as the wizard finds it: the
// skin in gfx.x, a licence, a program file, further payload files, and the
// given "Setup" block entries.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/PayloadInAdvance.h"
#include "app/SetupForm.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/QuestionBox.h"
#include "skin/KelButton.h"

// A picture of one colour with magenta corners, as file bytes.
inline std::string Picture(const ScratchFolder& scratch, int32_t width, int32_t height, uint32_t color) {
    const std::string path = scratch / "picture.bmp";
    WriteCornerPicture(path, width, height, color);
    return ReadFile(path);
}

inline const char* const kSkinBlocks =
    "Object=Toolweb\r\nTop=30\r\nLeft=40\r\nWidth=220\r\nHeight=150\r\nend\r\n"
    "Object=Panel\r\nBitmap=Graphics\\Window.bmp\r\nInvisibleColor=$FF00FF\r\nend\r\n"
    "Object=Button\r\nName=B\r\nRole=Back\r\nTop=200\r\nLeft=20\r\nMask=Graphics\\Back.bmp\r\n"
    "Disabled=Graphics\\BackOff.bmp\r\nInvisibleColor=$FF00FF\r\nend\r\n"
    "Object=Button\r\nName=N\r\nRole=Forward\r\nTop=200\r\nLeft=120\r\nMask=Graphics\\Next.bmp\r\n"
    "Disabled=Graphics\\NextOff.bmp\r\nInvisibleColor=$FF00FF\r\nend\r\n"
    "Object=Button\r\nName=C\r\nRole=Cancel\r\nTop=0x0C8\r\nLeft=$DC\r\nMask=Graphics\\Cancel.bmp\r\nend\r\n";

// A program folder with Data.Kel beside it: the skin in gfx.x, a licence
// and the given "Setup" block entries.
class SetupFormStart : public ::testing::Test {
protected:
    ScratchFolder scratch;
    std::string program = scratch.Path() + "\\";
    std::vector<std::pair<std::string, std::string>> payloadFiles;  // further files: name (with its folder), bytes

    void WritePayload(const std::string& setupEntries, bool withGraphics = true, const std::string& skin = kSkinBlocks) {
        ArchiveBuilder graphics;
        graphics.Add("Window.bmp", Picture(scratch, 320, 240, 0x336699));
        graphics.Add("Back.bmp", Picture(scratch, 60, 24, 0x808080));
        graphics.Add("BackOff.bmp", Picture(scratch, 60, 24, 0xC0C0C0));
        graphics.Add("Next.bmp", Picture(scratch, 70, 26, 0x00C000));
        graphics.Add("NextOff.bmp", Picture(scratch, 70, 26, 0xC0C0C0));
        graphics.Add("Cancel.bmp", Picture(scratch, 50, 22, 0xC00000));
        ArchiveBuilder data;
        data.Add("Setup.ini", "[Description]\r\nObject=Setup\r\n" + setupEntries + "end\r\n" + skin);
        if (withGraphics) data.Add("gfx.x", graphics.Build());
        data.Add("Licence.txt", "LICENCE\r\nLine two\r\n");
        data.Add("tool.exe", "MZ");
        for (const auto& [name, bytes] : payloadFiles) {
            const size_t cut = name.find_last_of('\\');
            if (cut == std::string::npos) data.Add(name, bytes);
            else data.Add(name.substr(cut + 1), bytes, name.substr(0, cut));
        }
        data.WriteTo(program + "Data.Kel");
    }

    // The form with its payload made on the calling thread, or in advance on
    // a thread of its own as the program makes it.
    std::unique_ptr<TSetupForm> Start(bool payloadInAdvance = false) {
        if (!payloadInAdvance) return std::make_unique<TSetupForm>(nullptr, program);
        TPayloadInAdvance payload(program, true, nullptr, nullptr);
        return std::make_unique<TSetupForm>(nullptr, program, TSetupRun{}, &payload);
    }

    // The message of a failed start-up, which must be the same whichever
    // thread made the payload.
    std::string StartError() {
        const std::string message = MessageOf([&] { Start(); });
        EXPECT_EQ(MessageOf([&] { Start(true); }), message) << "with the payload made in advance";
        return message;
    }
};


// Presses the wizard's Cancel and answers its question with the key
// (VK_RETURN: Yes, VK_ESCAPE: No); the question asked, or "" when none was.
inline std::string CancelAnswering(TSetupForm& form, WPARAM key) {
    std::string question;
    WithQuestionBoxAnswer([&] { form.CancelButtonClick(*form.Cancelbutton); },
                          [&](HWND box) {
                              question = QuestionOf(box);
                              PostKey(key);
                          });
    return question;
}
