// A small framework window on the real desktop, for the desktop smoke test: type into the
// box, press Ctrl+S, choose a name in the real save dialog, and the typed text is saved.
#include <cstdio>
#include <string>

#include "framework/core/strings.h"
#include "framework/platform/qt/qt_platform.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/forms.h"

namespace {

class TTypingBox : public TCustomControl {
public:
    explicit TTypingBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->Pen()->SetColor(Focused() ? clNavy : clGray);
        Canvas()->Rectangle(ClientRect());
        Canvas()->Font()->SetName("Tahoma");
        Canvas()->Font()->SetHeight(-11);
        Canvas()->TextOut(6, 6, FText.empty() ? std::string("(type here, then Ctrl+S)") : FText);
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        SetFocus();
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void KeyPress(char& key) override {
        if (static_cast<unsigned char>(key) >= 0x20) {
            FText += key;
            Invalidate();
        }
        TCustomControl::KeyPress(key);
    }
    void KeyDown(Word& key, TShiftState shift) override {
        if (key == 'S' && shift.Contains(ssCtrl)) {
            key = 0;
            TSaveDialog dialog(nullptr);
            dialog.SetTitle("Probe save");
            dialog.SetFileName("probe.txt");
            dialog.SetDefaultExt("txt");
            if (dialog.Execute()) {
                TStringList lines;
                lines.Add(FText);
                lines.SaveToFile(dialog.FileName());
                Application->Terminate();
            }
            return;
        }
        TCustomControl::KeyDown(key, shift);
    }
    void CMEnter(TMessage& m) override {
        Invalidate();
        TCustomControl::CMEnter(m);
    }

private:
    std::string FText;
};

class TProbeForm : public TForm {
public:
    explicit TProbeForm(TComponent* owner) : TForm(owner) {
        SetCaption("Verbolt desktop probe");
        SetBorderStyle(bsSingle);
        SetBorderIcons({biSystemMenu, biMinimize});
        SetPosition(poDesigned);
        SetLeft(0);
        SetTop(0);
        SetClientWidth(320);
        SetClientHeight(60);
        SetColor(0xEAEAEA);
        auto* box = new TTypingBox(this);
        box->SetBounds(10, 10, 300, 40);
        box->SetParent(this);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto platform = CreateQtPlatform(argc, argv, &error);
    if (!platform) {
        std::fprintf(stderr, "desktop probe: %s\n", error.c_str());
        return 2;
    }
    InstallPlatform(std::move(platform));
    TApplication* app = CreateApplication();
    app->Initialize();
    RegisterStdCtrlsClasses();
    app->SetTitle("Desktop probe");
    TProbeForm* form = nullptr;
    app->CreateForm(form);
    app->Run();
    DestroyApplication();
    InstallPlatform(nullptr);
    return 0;
}
