// Forms: the top-level window, its showing and closing, and its focus. Sections:
//   1. TCustomForm: construction, window, showing and closing
//   2. focus: active control, focus-enter / focus-exit / focus-changed
//   3. class tables
// The paint schedule lives in form_painting.cpp, the routing of the window's input in
// form_input.cpp, the application and its loop in application.cpp.
#include "framework/ui/forms.h"

#include <algorithm>

#include "framework/core/typinfo.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/control_tree_internal.h"

std::vector<TCustomForm*>& AllForms() {
    static std::vector<TCustomForm*> forms;
    return forms;
}

// ---------------------------------------------------------------- 1. TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    FVisible = false;
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    FStoresClientSize = true;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    const TRect f = FrameInsets();
    UpdateBoundsFields(0, 0, 320 + f.Left + f.Right, 240 + f.Top + f.Bottom);
    AllForms().push_back(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (OnDestroy) {
        if (Application) Application->Guard([this] { OnDestroy(this); });
        else OnDestroy(this);
    }
    DestroyComponents();
    // The children that someone else owns go with the form too.
    while (ControlCount() > 0) delete Controls(ControlCount() - 1);
    FJobs.clear();
    FActiveControl = FFocusedControl = FFocusHandle = nullptr;
    if (FWindow && PlatformInstalled()) Platform().DestroyWindow(FWindow);
    FWindow = 0;
    FHandleAllocated = false;
    auto& forms = AllForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Application) {
        auto& list = Application->FForms;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        if (Application->FMainForm == this) Application->FMainForm = nullptr;
    }
}

void TCustomForm::AfterConstruction() { DoCreate(); }

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

TRect TCustomForm::FrameInsets() const {
    int border = 3;
    int caption = 19;
    switch (FBorderStyle) {
        case bsNone:
            border = 0;
            caption = 0;
            break;
        case bsSizeable: border = 4; break;
        case bsSizeToolWin:
            border = 4;
            caption = 16;
            break;
        case bsToolWindow: caption = 16; break;
        default: break;
    }
    return Rect(border, border + caption, border, border);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
    if (FBorderStyle == v) return;
    // The client size stays; the frame around it changes.
    const TRect ci = ClientInWindow();
    FBorderStyle = v;
    FClientValid = false;
    const TRect f = FrameInsets();
    SetBounds(FLeft, FTop, ci.Width() + f.Left + f.Right, ci.Height() + f.Top + f.Bottom);
    UpdateClientInWindow();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) { FBorderIcons = v; }

void TCustomForm::WMNCCalcSize(TWMNCCalcSize& m) {
    if (!m.Rect) return;
    const TRect f = FrameInsets();
    *m.Rect = Rect(m.Rect->Left + f.Left, m.Rect->Top + f.Top, m.Rect->Right - f.Right, m.Rect->Bottom - f.Bottom);
}

// The platform draws the title bar and the frame.
void TCustomForm::WMNCPaint(TWMNCPaint&) {}

void TCustomForm::SetTextValue(const std::string& s) {
    TWinControl::SetTextValue(s);
    if (FWindow) Platform().SetWindowTitle(FWindow, s);
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    TWindowParams p;
    p.Title = GetText();
    const TRect ci = ClientInWindow();
    p.ClientWidth = ci.Width();
    p.ClientHeight = ci.Height();
    p.Position = {FLeft, FTop};
    p.PositionGiven = FPosition == poDesigned || FPosition == poDefaultSizeOnly;
    p.Resizable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
    p.CloseBox = FBorderIcons.Contains(biSystemMenu);
    p.MinimizeBox = p.CloseBox && FBorderIcons.Contains(biMinimize);
    p.MaximizeBox = p.CloseBox && FBorderIcons.Contains(biMaximize) && p.Resizable;
    if (!FAccessibleTree) FAccessibleTree = CreateAccessibleTree(this);
    p.Accessible = FAccessibleTree.get();
    FWindow = Platform().CreateWindow(p);
    FBackBuffer.SetSize(ci.Width(), ci.Height());
    if (!FIcon.Empty()) Platform().SetWindowIcon(FWindow, FIcon);
    FCreated = true;
    InvalidateWindow(this, Rect(0, 0, ci.Width(), ci.Height()), true, false);
}

void TCustomForm::DestroyWnd() {
    if (FWindow) Platform().DestroyWindow(FWindow);
    FWindow = 0;
    FJobs.clear();
    TWinControl::DestroyWnd();
}

void TCustomForm::WMSize(TWMSize& m) {
    const TRect ci = ClientInWindow();
    // Before the window exists (a description being read sets the size piece by piece)
    // there is nothing to paint: the buffer is made once, with the window.
    if (FCreated && (FBackBuffer.Width() != ci.Width() || FBackBuffer.Height() != ci.Height())) {
        FBackBuffer.SetSize(ci.Width(), ci.Height());
        InvalidateWindow(this, Rect(0, 0, ci.Width(), ci.Height()), true, false);
    }
    TWinControl::WMSize(m);
}

void TCustomForm::Show() {
    SetVisible(true);
    if (FWindow) {
        Platform().ShowWindow(FWindow, true);
        Platform().FocusWindow(FWindow);
    }
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::CMVisibleChanged(TMessage&) {
    if (FVisible) {
        FTopLevelShown = true;
        UpdateShowing();
        if (FWindow) Platform().ShowWindow(FWindow, true);
        if (OnShow) OnShow(this);
        Activate(true);
        // The first picture is ready before the desktop asks for it: painted on the next idle
        // turn, it would arrive after the window's first expose and be shown a second time.
        PaintPending(nullptr);
    } else {
        Activate(false);
        if (FWindow) Platform().ShowWindow(FWindow, false);
        FTopLevelShown = false;
        UpdateShowing();
        if (OnHide) OnHide(this);
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = (Application && Application->MainForm() == this) ? caFree : caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caHide || action == caMinimize) Hide();
    else if (action == caFree) Hide();
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    // Owned non-visual components first, then the child controls.
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (!c->HasParent()) proc(c);
    }
    TWinControl::GetChildren(proc, root);
}

bool TCustomForm::CanFocus() const { return FVisible && FEnabled; }

void TCustomForm::SetFocus() {
    if (PlatformInstalled() && FWindow) Platform().FocusWindow(FWindow);
    if (!FActive) Activate(true);
}

void TCustomForm::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_CLOSE: Close(); break;
        default: TWinControl::Dispatch(m); break;
    }
}

// ---------------------------------------------------------------- 2. focus

void TCustomForm::Activate(bool active) {
    if (FActive == active) return;
    if (active) {
        FActive = true;
        if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
        // Activation gives the platform focus back without focus-enter / focus-exit.
        TWinControl* target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : this;
        TWinControl* old = FFocusHandle;
        FFocusHandle = target;
        target->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
        if (OnActivate) OnActivate(this);
    } else {
        TWinControl* old = FFocusHandle;
        if (old) old->Perform(WM_KILLFOCUS, 0);
        FActive = false;
        if (OnDeactivate) OnDeactivate(this);
    }
}

void TCustomForm::SetWindowFocus() {
    TWinControl* target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : this;
    if (!FActive) {
        FFocusHandle = target;
        return;
    }
    if (FFocusHandle == target) return;
    TWinControl* old = FFocusHandle;
    FFocusHandle = target;
    if (old) old->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(target));
    // A kill-focus handler may move the focus again.
    if (FFocusHandle != target) return;
    target->Perform(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (FActiveControl == control) {
        if (control && FActive && FFocusHandle != control) SetWindowFocus();
        return;
    }
    if (control && (!control->CanFocus() || GetParentForm(control) != this))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = control;
    if (!ComponentState().Contains(csLoading)) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control && control != this && control->Parent()) control->Parent()->ShowControl(control);
    if (control == this) control = nullptr;
    SetActiveControl(control);
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
    if (removing && FFocusedControl && control->ContainsControl(FFocusedControl)) FFocusedControl = control->Parent();
    if (FActiveControl && control->ContainsControl(FActiveControl)) SetActiveControl(nullptr);
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
    if (ComponentState().Contains(csDestroying)) return false;
    if (control != this) FActiveControl = control;
    if (FFocusedControl == control) return true;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    // focus-exit from the old control up to the first parent that holds the new one.
    for (TWinControl* x = old; x && x != this && !x->ContainsControl(control); x = x->Parent()) {
        x->Perform(CM_EXIT);
        if (FFocusedControl != control) return false;
    }
    // focus-enter from below that common parent down to the new control.
    std::vector<TWinControl*> chain;
    for (TWinControl* x = control; x && x != this && !(old && x->ContainsControl(old)); x = x->Parent())
        chain.push_back(x);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->Perform(CM_ENTER);
        if (FFocusedControl != control) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, PtrToLParam(control));
    return true;
}

void TCustomForm::ControlRemoving(TControl* control) {
    auto* w = dynamic_cast<TWinControl*>(control);
    auto inside = [control](const TControl* c) {
        for (; c; c = c->Parent())
            if (c == control) return true;
        return false;
    };
    FJobs.erase(std::remove_if(FJobs.begin(), FJobs.end(), [&](const Job& j) { return inside(j.Control); }),
                FJobs.end());
    if (!w) return;
    if (inside(FActiveControl)) FActiveControl = nullptr;
    if (inside(FFocusedControl))
        FFocusedControl = control->Parent() && control->Parent() != control ? control->Parent() : this;
    if (inside(FFocusHandle)) FFocusHandle = this;
    if (inside(FFocusedControl)) FFocusedControl = this;
}

// ---------------------------------------------------------------- 3. class tables

namespace {
const TEnumInfo& BorderStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo(
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return info;
}
const TEnumInfo& BorderIconsInfo() {
    static const TEnumInfo info = MakeEnumInfo("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"});
    return info;
}
const TEnumInfo& PositionInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                   "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
    return info;
}
}  // namespace

void TCustomForm::RegisterClassInfo() {
    RegisterClass<TCustomForm>("TCustomForm", "TWinControl", [](TClassBuilder<TCustomForm>& b) {
        b.Enumeration("BorderStyle", BorderStyleInfo(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
            .Default();
        b.SetOf("BorderIcons", BorderIconsInfo(), &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons).Default();
        b.Enumeration("Position", PositionInfo(), &TCustomForm::Position, &TCustomForm::SetPosition).Default();
        b.Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth).NoDefault();
        b.Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight).NoDefault();
        b.Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default();
        // A form starts hidden and with a font of its own.
        b.Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default();
        b.Boolean("Visible", &TControl::Visible, &TControl::SetVisible).Default();
        b.Event("OnCreate", &TCustomForm::OnCreate);
        b.Event("OnDestroy", &TCustomForm::OnDestroy);
        b.Event("OnShow", &TCustomForm::OnShow);
        b.Event("OnHide", &TCustomForm::OnHide);
        b.Event("OnActivate", &TCustomForm::OnActivate);
        b.Event("OnDeactivate", &TCustomForm::OnDeactivate);
        b.Event("OnClose", &TCustomForm::OnClose);
        b.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
    });
}

void TForm::RegisterClassInfo() { RegisterClass<TForm>("TForm", "TCustomForm"); }
