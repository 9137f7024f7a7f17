// Shared by the control-tree tests: the shared headless fixture with a plain white form, and
// small controls that paint a flat colour and write down what happened to them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"
#include "tests/support/headless_fixture.h"

// Every notification a probe receives, as "Name:event" lines in one shared log.
inline std::vector<std::string>& EventLog() {
    static std::vector<std::string> log;
    return log;
}
inline void Log(const TComponent* c, const std::string& what) { EventLog().push_back(c->Name() + ":" + what); }

class TProbeBox : public TCustomControl {
public:
    explicit TProbeBox(TComponent* owner, TColor fill = clRed) : TCustomControl(owner), Fill(fill) {
        SetBounds(0, 0, 40, 30);
        SetTabStop(true);
    }
    TColor Fill;
    int Paints = 0;
    int Erases = 0;
    unsigned DlgCode = 0;
    bool Erase = true;
    bool LogFocus = true;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
    void WMEraseBkgnd(TWMEraseBkgnd& m) override {
        ++Erases;
        if (Erase) TCustomControl::WMEraseBkgnd(m);
        else m.Result = 1;
    }
    void WMGetDlgCode(TMessage& m) override { m.Result = DlgCode; }
    void WMSetFocus(TWMSetFocus& m) override {
        if (LogFocus) Log(this, "WM_SETFOCUS");
        TCustomControl::WMSetFocus(m);
    }
    void WMKillFocus(TWMKillFocus& m) override {
        if (LogFocus) Log(this, "WM_KILLFOCUS");
        TCustomControl::WMKillFocus(m);
    }
    void CMEnter(TMessage& m) override {
        if (LogFocus) Log(this, "CM_ENTER");
        TCustomControl::CMEnter(m);
    }
    void CMExit(TMessage& m) override {
        if (LogFocus) Log(this, "CM_EXIT");
        TCustomControl::CMExit(m);
    }
    void CMFocusChanged(TCMFocusChanged& m) override {
        if (LogFocus) Log(this, "CM_FOCUSCHANGED " + (m.Sender ? m.Sender->Name() : std::string("-")));
        TCustomControl::CMFocusChanged(m);
    }
    void CMMouseEnter(TMessage& m) override {
        Log(this, "enter");
        TCustomControl::CMMouseEnter(m);
    }
    void CMMouseLeave(TMessage& m) override {
        Log(this, "leave");
        TCustomControl::CMMouseLeave(m);
    }
    void CMDialogKey(TCMDialogKey& m) override {
        Log(this, "dialogkey " + std::to_string(m.CharCode));
        TCustomControl::CMDialogKey(m);
    }
    void CMDialogChar(TCMDialogChar& m) override {
        if (IsAccel(static_cast<char>(m.CharCode), Caption())) {
            Log(this, "accel");
            m.Result = 1;
            return;
        }
        TCustomControl::CMDialogChar(m);
    }
    void KeyDown(Word& key, TShiftState shift) override {
        Log(this, "keydown " + std::to_string(key));
        TCustomControl::KeyDown(key, shift);
    }
    void KeyPress(char& key) override {
        Log(this, "char " + std::to_string(static_cast<int>(static_cast<unsigned char>(key))));
        TCustomControl::KeyPress(key);
    }
};

// A windowless square; with LeftHalfOnly it owns only the left half of its bounds.
class TProbeGlyph : public TGraphicControl {
public:
    explicit TProbeGlyph(TComponent* owner, TColor fill = clBlue) : TGraphicControl(owner), Fill(fill) {
        SetBounds(0, 0, 20, 20);
    }
    TColor Fill;
    bool LeftHalfOnly = false;
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(LeftHalfOnly ? Rect(0, 0, Width() / 2, Height()) : ClientRect());
    }
    void CMHitTest(TCMHitTest& m) override {
        m.Result = (!LeftHalfOnly || m.XPos < Width() / 2) ? HTCLIENT : HTNOWHERE;
    }
    void CMMouseEnter(TMessage& m) override {
        Log(this, "enter");
        TGraphicControl::CMMouseEnter(m);
    }
    void CMMouseLeave(TMessage& m) override {
        Log(this, "leave");
        TGraphicControl::CMMouseLeave(m);
    }
};

class ControlTreeTest : public HeadlessFixture<> {
protected:
    ControlTreeTest() : HeadlessFixture("Verbolt Editor v1.0") {}
    void SetUp() override {
        EventLog().clear();
        HeadlessFixture::SetUp();
        Form->SetName("Form");
        Form->SetColor(clWhite);
        Form->SetBorderStyle(bsSingle);
        Form->SetClientWidth(200);
        Form->SetClientHeight(100);
    }
    // Shows the form and lets the loop settle (painting, idle).
    void ShowForm() {
        Form->Show();
        App->ProcessMessages();
        EventLog().clear();
    }
    TProbeBox* Box(const std::string& name, TWinControl* parent, TRect bounds, TColor fill = clRed) {
        auto* b = new TProbeBox(Form, fill);
        b->SetName(name);
        b->SetBoundsRect(bounds);
        b->SetParent(parent);
        return b;
    }
    TProbeGlyph* Glyph(const std::string& name, TWinControl* parent, TRect bounds, TColor fill = clBlue) {
        auto* g = new TProbeGlyph(Form, fill);
        g->SetName(name);
        g->SetBoundsRect(bounds);
        g->SetParent(parent);
        return g;
    }
};
