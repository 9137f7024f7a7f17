// A headless desktop with an application and its main form, the form's presented pixels and
// the user's input at the form's client points. The test fixture runs one per test; a tool
// that draws pictures on the headless desktop runs its own.
#pragma once

#include <memory>
#include <string>

#include "framework/graphics/bitmap.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/forms.h"
#include "tests/support/input.h"

template <class TFormClass = TForm>
class HeadlessSession {
public:
    HeadlessSession() = default;
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;
    ~HeadlessSession() { Stop(); }

    // With a title the application carries it before the form is created.
    void Start(const std::string& title = {}) {
        Desk = &InstallHeadlessPlatform();
        App = CreateApplication();
        App->Initialize();
        if (!title.empty()) App->SetTitle(title);
        App->CreateForm(Form);
    }
    // The same with a form made before the desktop was installed, as the program does.
    void Start(std::unique_ptr<TFormClass> readAhead, const std::string& title) {
        Desk = &InstallHeadlessPlatform();
        App = CreateApplication();
        App->Initialize();
        App->SetTitle(title);
        App->TakeForm(Form, std::move(readAhead));
    }
    void Stop() {
        if (!App) return;
        DestroyApplication();
        InstallPlatform(nullptr);
        App = nullptr;
        Form = nullptr;
        Desk = nullptr;
    }

    // Lets the loop deliver what is queued and settle (painting, idle).
    void Settle() { App->ProcessMessages(); }
    TWindowId Window() const { return Form->WindowId(); }
    // A presented pixel of the form's client area.
    TColor ScreenPixel(int x, int y) { return ColorFromPixel(Desk->Screen(Window())->ScanLine(y)[x]); }

    // ---- input at form client points, each delivered before it returns (see input.h)
    void MoveTo(TPoint p) {
        input::MouseMove(*Desk, Window(), p);
        Settle();
    }
    void MoveTo(TPoint p, TShiftState held) {
        input::MouseMove(*Desk, Window(), p, held);
        Settle();
    }
    void Press(TPoint p, TMouseButton button = mbLeft, TShiftState held = {ssLeft}) {
        input::MouseDown(*Desk, Window(), p, button, held);
        Settle();
    }
    void Release(TPoint p, TMouseButton button = mbLeft, TShiftState held = {}) {
        input::MouseUp(*Desk, Window(), p, button, held);
        Settle();
    }
    void ClickAt(TPoint p, TMouseButton button = mbLeft, TShiftState shift = {}) {
        input::Click(*Desk, Window(), p, button, shift);
        Settle();
    }
    void WheelAt(TPoint p, int delta, TShiftState shift = {}) {
        input::Wheel(*Desk, Window(), p, delta, shift);
        Settle();
    }
    void KeyDown(Word key, TShiftState shift = {}, bool autoRepeat = false) {
        input::KeyDown(*Desk, Window(), key, shift, autoRepeat);
        Settle();
    }
    void KeyUp(Word key, TShiftState shift = {}) {
        input::KeyUp(*Desk, Window(), key, shift);
        Settle();
    }
    // A key stroke: down and up.
    void Stroke(Word key, TShiftState shift = {}) {
        input::PressKey(*Desk, Window(), key, shift);
        Settle();
    }
    void Type(const std::string& ansi) {
        input::Type(*Desk, Window(), ansi);
        Settle();
    }

    THeadlessPlatform* Desk = nullptr;
    TApplication* App = nullptr;
    TFormClass* Form = nullptr;
};
