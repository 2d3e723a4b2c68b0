// Shows the shaped, skinned machinery at work: a form cut to the outline of
// the sample skin's window picture with its three image buttons. Next
// switches Back between enabled and disabled, Cancel closes the window.
//
//   skinshow.exe SKIN_FOLDER [--log FILE] [--backdrop]
//
// --log writes one line per click, press and release, so that tests that
// drive the window with real mouse input can see what reached it.
// --backdrop puts a plain window behind the form that logs the clicks it
// receives, to show that clicks on transparent pixels pass through.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Com.h"
#include "platform/LibrarySearch.h"
#include "platform/ProgramArguments.h"
#include "platform/ui/Application.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"
#include "samples/skinshow/Backdrop.h"
#include "samples/skinshow/EventLog.h"
#include "skin/KelButton.h"
#include "skin/KelForm.h"

namespace {

constexpr TColor kTransparent = 0xFF00FF;  // magenta, as 0x00BBGGRR

struct TButtonPlace {
    const char* role;
    int32_t left, top;
};

class TShowForm : public TKelForm {
public:
    TShowForm(TComponent* owner, const std::string& skinFolder, TEventLog& log) : TKelForm(owner), log_(log) {
        SetPosition(poScreenCenter);
        Skin().SetFileName(skinFolder + "\\Window.bmp");
        Skin().SetTransparentColor(kTransparent);
        Skin().SetAlphaMode(gaTransparentColor);
        SetAlphaThreshold(100);
        SetWindowShape(shAlphaMask);
        SetWidth(Skin().GetBitmap().Width());
        SetHeight(Skin().GetBitmap().Height());
        OnMouseDown = [this](TComponent&, TMouseButton b, TShiftState, int32_t x, int32_t y, TCustomLayer*) {
            log_.Write("form down " + std::to_string(int(b)) + " " + std::to_string(x) + " " + std::to_string(y));
        };
        MakeTextArea();
        back_ = &MakeButton(skinFolder, {"Back", 300, 380}, [] {});
        MakeButton(skinFolder, {"Next", 400, 380}, [this] { back_->SetEnabled(!back_->Enabled()); });
        MakeButton(skinFolder, {"Cancel", 510, 380}, [this] { Close(); });
    }

private:
    // A white panel over the skin's calm area, with a heading and a wrapped text inside its margins.
    void MakeTextArea() {
        auto& panel = Make<TPanel>();
        panel.SetParent(this);
        panel.SetBounds(190, 40, 400, 320);
        panel.SetColor(clWhite);
        panel.Font().SetName("Tahoma");
        auto& inner = Make<TPanel>();
        inner.SetParent(&panel);
        inner.SetBounds(12, 14, 376, 292);
        inner.SetParentColor(true);
        auto& heading = Make<TLabel>();
        heading.SetParent(&inner);
        heading.SetAlign(alTop);
        heading.SetWordWrap(true);
        heading.SetAlignment(taCenter);
        heading.Font().SetStyle(fsBold);
        heading.Font().SetSize(12);
        heading.SetCaption("A window cut to its picture");
        auto& text = Make<TLabel>();
        text.SetParent(&inner);
        text.SetAlign(alTop);
        text.SetWordWrap(true);
        text.SetCaption(
            "Every magenta pixel of the skin picture lies outside this window: it is neither drawn nor hit by "
            "the mouse. The three buttons take their own outline from their pictures and show a different "
            "picture when the mouse is over them, when they are pressed and when they are disabled.\r\n\r\n"
            "Next switches Back on and off. Cancel closes the window.");
    }

    TKelButton& MakeButton(const std::string& skinFolder, const TButtonPlace& place, std::function<void()> action) {
        auto& button = Make<TKelButton>();
        const std::string role = place.role;
        button.SetName(role + "button");
        button.SetParent(this);
        button.SetBounds(place.left, place.top, 73, 57);
        button.SetImageNormal(skinFolder + "\\" + role + "Normal.bmp");
        button.SetImageOver(skinFolder + "\\" + role + "Over.bmp");
        button.SetImagePressed(skinFolder + "\\" + role + "Pressed.bmp");
        button.SetImageDisabled(skinFolder + "\\" + role + "Disabled.bmp");
        button.Skin().SetTransparentColor(kTransparent);
        button.Skin().SetAlphaMode(gaTransparentColor);
        button.SetAlphaThreshold(100);
        button.SetEnabled(true);
        button.SetWindowShape(shAlphaMask);
        // The log wraps the button's own handling, which stays in charge of the pictures.
        auto down = button.OnMouseDown, up = button.OnMouseUp;
        button.OnMouseDown = [this, role, down](TComponent& s, TMouseButton b, TShiftState sh, int32_t x, int32_t y, TCustomLayer* l) {
            log_.Write(role + " down " + std::to_string(int(b)));
            down(s, b, sh, x, y, l);
        };
        button.OnMouseUp = [this, role, up](TComponent& s, TMouseButton b, TShiftState sh, int32_t x, int32_t y, TCustomLayer* l) {
            log_.Write(role + " up " + std::to_string(int(b)));
            up(s, b, sh, x, y, l);
        };
        button.OnClick = [this, role, action](TComponent&) {
            log_.Write(role + " click");
            action();
        };
        return button;
    }

    TEventLog& log_;
    TKelButton* back_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    platform::RestrictLibrarySearch();
    const std::vector<std::string> args = platform::ProgramArguments(argc, argv);
    if (args.empty()) {
        std::fprintf(stderr, "usage: skinshow SKIN_FOLDER [--log FILE] [--backdrop]\n");
        return 2;
    }
    std::string logFile;
    bool backdrop = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--log" && i + 1 < args.size()) logFile = args[++i];
        else if (arg == "--backdrop") backdrop = true;
    }
    platform::TComInitializer com;
    TEventLog log(logFile);
    std::unique_ptr<TBackdrop> behind;
    if (backdrop) behind = std::make_unique<TBackdrop>(log);
    try {
        Application().CreateForm<TShowForm>(args[0], log);
        log.Write("ready");
        Application().Run();
    } catch (const std::exception& error) {
        Application().ShowException(error.what());
        return 1;
    }
    log.Write("closed");
    return 0;
}
