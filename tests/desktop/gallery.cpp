// Windows of real controls on the real desktop, for the desktop tests and for looking at:
//   verbolt-gallery edits   an edit and a scrolling memo
//   verbolt-gallery header  the editor's four header buttons and two phrase fields
// Whenever the edit changes its text is written to $VERBOLT_GALLERY_OUT (when set), so a
// script can check what arrived through the keyboard and the clipboard.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "controls/vt_button.h"
#include "controls/vt_classes.h"
#include "controls/vt_edit.h"
#include "framework/platform/qt/qt_platform.h"
#include "framework/stdctrls/edits.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/memo.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "framework/ui/forms.h"

namespace {

class TEditsForm : public TForm {
public:
    explicit TEditsForm(TComponent* owner) : TForm(owner) {
        SetCaption("Verbolt gallery: edits");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetPosition(poDesigned);
        SetClientWidth(400);
        SetClientHeight(260);
        SetColor(0xEAEAEA);
        Font()->SetName("Tahoma");
        Font()->SetHeight(-11);
        Edit = new TEdit(this);
        Edit->SetBounds(10, 10, 380, 21);
        Edit->SetText("Your Name");
        Edit->SetParent(this);
        Memo = new TMemo(this);
        Memo->SetBounds(10, 40, 380, 210);
        Memo->SetScrollBars(ssBoth);
        Memo->SetWordWrap(false);
        Memo->Font()->SetName("Lucida Console");
        Memo->SetParent(this);
        Memo->Lines()->Add("Verbolt Editor v1.0");
        Memo->Lines()->Add("Fill all spaces in all tab pages and click create.");
        for (int i = 3; i <= 60; ++i)
            Memo->Lines()->Add("$line" + std::to_string(i) + std::string(20 - std::to_string(i).size(), ' ') +
                               "= \"a rather long phrase that needs the horizontal scroll bar to be read\";");
        Edit->OnChange = [this](TObject*) {
            if (const char* out = std::getenv("VERBOLT_GALLERY_OUT")) {
                std::ofstream f(out, std::ios::binary);
                f << Edit->Text();
            }
        };
    }
    TEdit* Edit;
    TMemo* Memo;
};

// The header of the editor: buttons as the window description sets them, and two phrase
// fields on a dark page panel below them.
class THeaderForm : public TForm {
public:
    explicit THeaderForm(TComponent* owner) : TForm(owner) {
        SetCaption("Verbolt gallery: header");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetPosition(poDesigned);
        SetClientWidth(330);
        SetClientHeight(150);
        SetColor(15395562);
        Font()->SetName("Tahoma");
        Font()->SetHeight(-11);
        struct ButtonRow {
            const char* Caption;
            int Left, Top;
            TColor Color;
        };
        const ButtonRow rows[] = {{"Create", 8, 8, 15791348},
                                  {"Save File", 96, 8, 15791348},
                                  {"Clear File", 8, 40, 15791348},
                                  {"Exit Program", 96, 40, clBtnFace}};
        for (const ButtonRow& r : rows) {
            auto* b = new TVtButton(this);
            b->SetBounds(r.Left, r.Top, 75, 25);
            b->SetCaption(r.Caption);
            b->SetHotTrack(true);
            b->SetHighlightColor(16026986);
            b->SetHotTrackColor(3983359);
            b->SetColor(r.Color);
            b->SetParent(this);
        }
        auto* panel = new TPanel(this);
        panel->SetBounds(8, 72, 314, 70);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(6173981);
        panel->SetParent(this);
        for (int i = 0; i < 2; ++i) {
            auto* e = new TVtEdit(this);
            e->SetBounds(136, 13 + 24 * i, 161, 19);
            e->SetCtl3D(false);
            e->SetColor(6176812);
            e->SetFocusColor(clMaroon);
            e->Font()->SetColor(clWhite);
            e->SetText(i == 0 ? "Your Name" : "Your forum member id number");
            e->SetParent(panel);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::string scenario = argc > 1 ? argv[1] : "edits";
    std::string error;
    auto platform = CreateQtPlatform(argc, argv, &error);
    if (!platform) {
        std::fprintf(stderr, "gallery: %s\n", error.c_str());
        return 2;
    }
    InstallPlatform(std::move(platform));
    TApplication* app = CreateApplication();
    app->Initialize();
    RegisterStdCtrlsClasses();
    RegisterControlSetClasses();
    app->SetTitle("Verbolt gallery");
    if (scenario == "edits") {
        TEditsForm* form = nullptr;
        app->CreateForm(form);
    } else if (scenario == "header") {
        THeaderForm* form = nullptr;
        app->CreateForm(form);
    } else {
        std::fprintf(stderr, "gallery: unknown scenario \"%s\"\n", scenario.c_str());
        return 2;
    }
    app->Run();
    DestroyApplication();
    InstallPlatform(nullptr);
    return 0;
}
