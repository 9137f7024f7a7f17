// The push button. Sections:
//   1. helpers
//   2. TVtCustomButton: properties, pointer, press cycle, focus, caption drawing, what
//      assistive tools are told
//   3. TVtButton: properties, groups, clicks, keyboard, default and focus, face drawing
//   4. class tables
#include "controls/vt_button.h"

#include <algorithm>

#include "controls/vt_draw.h"
#include "framework/core/scope_guards.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"
#include "framework/ui/accessibility.h"

// ---------------------------------------------------------------- 1. helpers

namespace {

void Line(TCanvas* canvas, TColor color, int x1, int y1, int x2, int y2) {
    canvas->Pen()->SetColor(color);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

void FillFace(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
}

// A push button takes Enter itself while it holds the focus, so the window's default button
// stands back for it (ActiveDefault). TVtButton is the only push button there is: the
// framework has none of its own.
bool IsPushButton(const TWinControl* control) { return dynamic_cast<const TVtButton*>(control) != nullptr; }

}  // namespace

// ---------------------------------------------------------------- 2. TVtCustomButton

TVtCustomButton::TVtCustomButton(TComponent* owner) : TCustomControl(owner) {
    // The button makes its own clicks, and a double click is two presses.
    FControlStyle = TControlStyle{csCaptureMouse, csSetCaption};
    FColor = Defaults::Color;
    FParentColor = Defaults::ParentColor;
    FTabStop = Defaults::TabStop;
    SetBounds(0, 0, 115, 17);
}

TVtCustomButton::~TVtCustomButton() = default;

void TVtCustomButton::SetHotTrack(bool v) {
    if (!Change(FHotTrack, v)) return;
    SetTransparentBackground(v);
    Invalidate();
}

TRect TVtCustomButton::HotBounds() const { return ClientRect(); }

void TVtCustomButton::NoteFocusChange() { Repaint(); }

// ---- pointer

void TVtCustomButton::CMMouseEnter(TMessage& m) {
    TCustomControl::CMMouseEnter(m);
    FPointerOver = true;
    if (OnMouseEnter) OnMouseEnter(this);
    if (FHotTrack) {
        // Without erasing: the parent's image in the corners stays as it is.
        const TRect r = HotBounds();
        InvalidateRect(&r, false);
    }
}

void TVtCustomButton::CMMouseLeave(TMessage& m) {
    TCustomControl::CMMouseLeave(m);
    FPointerOver = false;
    if (OnMouseLeave) OnMouseLeave(this);
    if (FHotTrack) {
        const TRect r = HotBounds();
        InvalidateRect(&r, false);
    }
}

// ---- press cycle

void TVtCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (CanFocus()) SetFocus();
    // A focus handler elsewhere may have kept the focus from us: then nothing is pressed.
    if (!Focused()) return;
    FPressed = true;
    NoteStateChange();
    FTracking = true;
}

void TVtCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!FTracking) return;
    const bool inside = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
    if (inside != FPressed) {
        FPressed = inside;
        NoteStateChange();
    }
}

void TVtCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!FTracking) return;
    // Whichever button comes up ends the press; the state is idle before the click runs.
    FTracking = false;
    FPressed = false;
    if (x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight()) ActivateButton();
    NoteStateChange();
}

// ---- focus, caption, background

void TVtCustomButton::WMSetFocus(TWMSetFocus& m) {
    TCustomControl::WMSetFocus(m);
    NoteFocusChange();
}

void TVtCustomButton::WMKillFocus(TWMKillFocus& m) {
    TCustomControl::WMKillFocus(m);
    NoteFocusChange();
}

void TVtCustomButton::CMTextChanged(TMessage& m) {
    TCustomControl::CMTextChanged(m);
    Repaint();
}

void TVtCustomButton::WMEraseBkgnd(TWMEraseBkgnd& m) {
    if (!FTransparentBackground || !m.Canvas) {
        TCustomControl::WMEraseBkgnd(m);
        return;
    }
    PaintParentBackground(this, m.Canvas, true);
    m.Result = 1;
}

void TVtCustomButton::PaintCaptionText(TCanvas* canvas, const TRect& rect, unsigned flags) {
    const std::string caption = Caption();
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(*Font());

    // The caption block's height, then its place in the rectangle.
    TRect measure = rect;
    const int h =
        canvas->DrawText(caption, measure, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER | DT_VCENTER);
    TRect r = rect;
    switch (FAlignmentVertical) {
        case avCenter: {
            const int sum = r.Top + r.Bottom - h;
            r.Top = sum >= 0 ? sum / 2 : -((-sum + 1) / 2);
            r.Bottom = r.Top + h;
            break;
        }
        case avBottom: r.Top = r.Bottom - h - 1; break;
        case avTop: break;
    }

    auto pass = [&](TColor color, int dx, int dy) {
        TRect moved = OffsetRect(r, dx, dy);
        canvas->Font()->SetColor(color);
        canvas->DrawText(caption, moved, flags);
    };
    const bool alignRight = (flags & DT_RIGHT) != 0;
    if (Enabled()) {
        switch (FTextStyle) {
            case tsRaised:
                if (!FLightTextStyle) pass(FTextShadowColor, 1, 1);
                pass(FTextHighlightColor, -1, -1);
                break;
            case tsRecessed:
                pass(FTextHighlightColor, 1, 1);
                if (!FLightTextStyle) pass(FTextShadowColor, -1, -1);
                break;
            case tsShadow: pass(FTextShadowColor, alignRight ? 0 : FTextShadowDepth, FTextShadowDepth); break;
            case tsNormal: break;
        }
        // Right-aligned captions make room for a shadow whatever the style.
        pass(Font()->Color(), alignRight ? -FTextShadowDepth : 0, 0);
    } else {
        pass(clBtnHighlight, 1, 1);
        pass(clBtnShadow, 0, 0);
    }
    canvas->Font()->SetColor(Font()->Color());
    canvas->Brush()->SetStyle(bsSolid);
}

// ---- assistive tools

TAccessibleRole TVtCustomButton::AccessibleRole(int part) const { return part < 0 ? arPushButton : arNone; }

void TVtCustomButton::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TCustomControl::GetAccessibleInfo(part, info);
    info.Name = AccessibleCaption(Caption());
    // Pressing comes first: it is what the button is for.
    info.Actions.insert(info.Actions.begin(), aaPress);
}

bool TVtCustomButton::DoAccessibleAction(int part, TAccessibleAction action) {
    if (part >= 0 || action != aaPress) return TCustomControl::DoAccessibleAction(part, action);
    if (!Enabled() || !Showing()) return false;
    ActivateButton();
    return true;
}

// ---------------------------------------------------------------- 3. TVtButton

TVtButton::TVtButton(TComponent* owner) : TVtCustomButton(owner) { SetBounds(Left(), Top(), 75, 25); }

TVtButton::~TVtButton() = default;

void TVtButton::NoteStateChange() { Invalidate(); }

// ---- default and focus

void TVtButton::SetDefault(bool v) {
    FDefault = v;
    // Every button of the window re-evaluates ActiveDefault.
    if (!HandleAllocated()) return;
    if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_FOCUSCHANGED, 0, PtrToLParam(form->ActiveControl()));
}

void TVtButton::CreateWnd() {
    TVtCustomButton::CreateWnd();
    FActiveDefault = FDefault;
}

void TVtButton::CMFocusChanged(TCMFocusChanged& m) {
    const bool active = IsPushButton(m.Sender) ? m.Sender == this : FDefault;
    if (active != FActiveDefault) {
        FActiveDefault = active;
        Repaint();
    }
    TVtCustomButton::CMFocusChanged(m);
}

// ---- groups

void TVtButton::SetDown(bool v) {
    if (FGroupIndex == 0) v = false;
    if (v == FDown) return;
    if (FDown && !FAllowAllUp && FGroupIndex != 0) return;
    FDown = v;
    Invalidate();
    if (v) BroadcastGroupPress();
}

void TVtButton::BroadcastGroupPress() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage m{GroupPressMessage, static_cast<WPARAM>(FGroupIndex), PtrToLParam(this), 0};
    Parent()->Broadcast(m);
}

void TVtButton::GroupPress(TMessage& m) {
    auto* sender = LParamToPtr<TVtButton>(m.LParam);
    if (static_cast<int>(m.WParam) != FGroupIndex || !sender || sender == this) return;
    if (sender->FDown && FDown) {
        FDown = false;
        Invalidate();
    }
    FAllowAllUp = sender->FAllowAllUp;
}

void TVtButton::Dispatch(TMessage& m) {
    if (m.Msg == GroupPressMessage) {
        GroupPress(m);
        return;
    }
    TVtCustomButton::Dispatch(m);
}

// ---- clicks

void TVtButton::ActivateButton() {
    if (FGroupIndex != 0) SetDown(!FDown);
    else NoteStateChange();
    const TRestore clicking(FClicking, true);
    EmitClick();
}

void TVtButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TVtCustomButton::Click();
}

// ---- keyboard

void TVtButton::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_SPACE && !shift.Contains(ssAlt)) {
        FSpaceArmed = true;
        FPressed = true;
        NoteStateChange();
    }
    TVtCustomButton::KeyDown(key, shift);
}

void TVtButton::KeyUp(Word& key, TShiftState shift) {
    if (key == VK_SPACE) {
        FPressed = false;
        if (FSpaceArmed) {
            FSpaceArmed = false;
            ActivateButton();
        }
        NoteStateChange();
    }
    TVtCustomButton::KeyUp(key, shift);
}

void TVtButton::CMDialogKey(TCMDialogKey& m) {
    const TShiftState shift = GetShiftState();
    const bool plain = !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    const bool mine = (m.CharCode == VK_RETURN && FActiveDefault) || (m.CharCode == VK_ESCAPE && FCancel);
    if (mine && plain && CanFocus()) {
        EmitClick();
        m.Result = 1;
        return;
    }
    TVtCustomButton::CMDialogKey(m);
}

void TVtButton::CMDialogChar(TCMDialogChar& m) {
    if (IsAccel(static_cast<char>(m.CharCode), Caption()) && CanFocus()) {
        EmitClick();
        m.Result = 1;
        return;
    }
    TVtCustomButton::CMDialogChar(m);
}

// ---- face drawing

TRect TVtButton::CaptionBounds() const {
    TRect r = InflateRect(ClientRect(), -5, -5);
    // Only the classic face moves its caption with the press.
    const bool down = FGroupIndex != 0 ? (FDown || FPressed) : FPressed;
    if (!FHotTrack && down) r = OffsetRect(r, 1, 1);
    return r;
}

void TVtButton::PaintCaption() {
    unsigned flags = DT_WORDBREAK | DT_EXPANDTABS;
    switch (FAlignment) {
        case taLeftJustify: flags |= DT_LEFT; break;
        case taRightJustify: flags |= DT_RIGHT; break;
        case taCenter: flags |= DT_CENTER; break;
    }
    PaintCaptionText(Canvas(), CaptionBounds(), flags);
}

void TVtButton::MakeDownPattern(TBitmap* bitmap) {
    bitmap->SetSize(8, 8);
    TCanvas* c = bitmap->Canvas();
    FillFace(c, Rect(0, 0, 8, 8), FColor);
    const TColor dots = ColorToRGB(FColor) == ColorToRGB(clSilver) ? clGray : clSilver;
    for (int y = 0; y < 8; ++y)
        for (int x = y % 2; x < 8; x += 2) c->SetPixels(x, y, dots);
}

void TVtButton::PaintDownPattern(const TRect& face) {
    if (FGroupIndex == 0 || !FDown || !FShowDownPattern) return;
    TBitmap pattern;
    MakeDownPattern(&pattern);
    TCanvas* c = Canvas();
    c->Brush()->SetBitmap(&pattern);
    // The brush must not keep the pattern, which lives only here.
    TScopeExit unset([c] { c->Brush()->SetBitmap(nullptr); });
    c->FillRect(face);
}

void TVtButton::PaintHotTrackFace() {
    TCanvas* c = Canvas();
    const int w = ClientWidth();
    const int h = ClientHeight();
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    const bool enabled = Enabled();

    // The rim: two shades of the button face whatever the colour; three pixels of each
    // corner stay the parent's.
    if (enabled) {
        const TColor a = DarkenColor(clBtnFace, 20);
        const TColor z = LightenColor(clBtnFace, 20);
        Line(c, a, 0, 2, 0, h - 2);
        Line(c, a, 2, 0, w - 2, 0);
        Line(c, z, w - 1, 2, w - 1, h - 2);
        Line(c, z, 2, h - 1, w - 2, h - 1);
        c->SetPixels(1, 1, a);
        c->SetPixels(w - 2, 1, a);
        c->SetPixels(1, h - 2, a);
        c->SetPixels(w - 2, h - 2, z);
    }

    // The dark ring, its own corners left out. clBtnFace is compared as stored.
    TColor k;
    if (enabled) k = FColor == clBtnFace ? cl3DDkShadow : DarkenColor(FColor, 150);
    else k = FColor == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(FColor, 80);
    Line(c, k, 1, 2, 1, h - 2);
    Line(c, k, 2, 1, w - 2, 1);
    Line(c, k, w - 2, 2, w - 2, h - 2);
    Line(c, k, 2, h - 2, w - 2, h - 2);

    const TRect f = Rect(2, 2, w - 2, h - 2);
    auto rings = [&](TColor u, TColor r) {
        const TRect f1 = PaintEdgeBands(c, f, u, r, 1, AllSides);
        const TRect f2 = PaintEdgeBands(c, f1, DarkenColor(u, 10), LightenColor(r, 10), 1, AllSides);
        FillFace(c, f2, FColor);
    };
    if (!enabled) {
        FillFace(c, f, FColor);
    } else if (FPressed || FDown) {
        FillFace(c, f, DarkenColor(FColor, 10));
    } else if (FPointerOver) {
        TColor u, r;
        if (FHotTrackColorType == htctComplement) {
            u = OppositeHueColor(FHotTrackColor, 180);
            r = DarkenColor(u, 30);
        } else {
            u = LightenColor(FHotTrackColor, 30);
            r = DarkenColor(FHotTrackColor, 30);
        }
        rings(u, r);
    } else if (FGroupIndex == 0 && (FActiveDefault || Focused())) {
        const TColor u = JoinHslColor(HueOfColor(FHighlightColor), 220, 220);
        rings(u, DarkenColor(u, 30));
    } else {
        // The shaded face: light rows on top, darker rows and columns at the lower right.
        const int l = f.Left, t = f.Top, r = f.Right, b = f.Bottom;
        Line(c, LightenColor(FColor, 20), l, t, r, t);
        Line(c, LightenColor(FColor, 15), l, t + 1, r, t + 1);
        Line(c, LightenColor(FColor, 10), l, t + 2, r, t + 2);
        const TColor d10 = DarkenColor(FColor, 10);
        Line(c, d10, l, b - 3, r - 2, b - 3);
        Line(c, d10, r - 2, t + 3, r - 2, b - 2);
        const TColor d20 = DarkenColor(FColor, 20);
        Line(c, d20, l, b - 2, r - 1, b - 2);
        Line(c, d20, r - 1, t + 3, r - 1, b - 1);
        Line(c, DarkenColor(FColor, 30), l, b - 1, r, b - 1);
        FillFace(c, Rect(l, t + 3, r - 2, b - 3), FColor);
    }
    PaintDownPattern(f);
}

void TVtButton::PaintClassicFace(TRect& face) {
    TCanvas* c = Canvas();
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    TRect r = ClientRect();
    if (FGroupIndex == 0 && (FClicking || ((FActiveDefault || Focused()) && !FPressed)))
        r = PaintEdgeLines(c, r, clWindowFrame, clWindowFrame, AllSides);
    const bool down = FDown || FPressed;
    if (FColor == clBtnFace) {
        if (FGroupIndex == 0) r = PaintButtonEdges(c, r, FPressed, AllSides);
        else r = PaintFrameStyle(c, r, down ? fsLowered : fsButtonUp, AllSides);
    } else {
        if (FGroupIndex == 0) r = PaintTintedButtonEdges(c, r, FColor, FPressed, AllSides);
        else if (down) r = PaintTintedFrameStyle(c, r, FColor, fsLowered, AllSides);
        else r = PaintTintedButtonEdges(c, r, FColor, false, AllSides);
    }
    // The face inside keeps the background erased in Color.
    face = r;
    PaintDownPattern(face);
}

void TVtButton::Paint() {
    TCanvas* c = Canvas();
    const int w = ClientWidth();
    const int h = ClientHeight();
    TRect face;
    if (FHotTrack) PaintHotTrackFace();
    else PaintClassicFace(face);

    c->Font()->Assign(*Font());
    c->Brush()->SetColor(FColor);
    PaintCaption();

    if (Focused() && FShowFocusRect) {
        const int inset = FHotTrack ? 3 : 4;
        TRect focus = Rect(inset, inset, w - inset, h - inset);
        if (ShowsLatched()) focus = OffsetRect(focus, 1, 1);
        PaintDottedFocusFrame(c, focus);
    }
}

// ---------------------------------------------------------------- 4. class tables

void TVtCustomButton::RegisterClassInfo() {
    RegisterClass<TVtCustomButton>("TVtCustomButton", "TCustomControl", [](TClassBuilder<TVtCustomButton>& b) {
        using B = TVtCustomButton;
        using D = TVtCustomButton::Defaults;
        b.Color("Color", &B::Color, &B::SetColor).Default(D::Color).Stored([](B& x) { return !x.ParentColor(); });
        b.Boolean("ParentColor", &B::ParentColor, &B::SetParentColor).Default(D::ParentColor);
        b.Boolean("TabStop", &B::TabStop, &B::SetTabStop).Default(D::TabStop);
        b.Boolean("HotTrack", &B::HotTrack, &B::SetHotTrack).Default(D::HotTrack);
        b.Color("HotTrackColor", &B::HotTrackColor, &B::SetHotTrackColor).Default(D::HotTrackColor);
        b.Enumeration("HotTrackColorType", HotTrackColorTypeInfo(), &B::HotTrackColorType, &B::SetHotTrackColorType)
            .Default(D::HotTrackColorType);
        b.Color("HighlightColor", &B::HighlightColor, &B::SetHighlightColor).Default(D::HighlightColor);
        b.Enumeration("AlignmentVertical", AlignmentVerticalInfo(), &B::AlignmentVertical, &B::SetAlignmentVertical)
            .Default(D::AlignmentVertical);
        b.Enumeration("TextStyle", TextStyleInfo(), &B::TextStyle, &B::SetTextStyle).Default(D::TextStyle);
        b.Boolean("LightTextStyle", &B::LightTextStyle, &B::SetLightTextStyle).Default(D::LightTextStyle);
        b.Color("TextHighlightColor", &B::TextHighlightColor, &B::SetTextHighlightColor).Default(D::TextHighlightColor);
        b.Color("TextShadowColor", &B::TextShadowColor, &B::SetTextShadowColor).Default(D::TextShadowColor);
        b.Integer("TextShadowDepth", &B::TextShadowDepth, &B::SetTextShadowDepth).Default(D::TextShadowDepth);
        b.Boolean("ThemeAware", &B::ThemeAware, &B::SetThemeAware).Default(D::ThemeAware);
        b.Boolean("DropDownOnEnter", &B::DropDownOnEnter, &B::SetDropDownOnEnter).Default(D::DropDownOnEnter);
        b.Event("OnMouseEnter", &B::OnMouseEnter);
        b.Event("OnMouseLeave", &B::OnMouseLeave);
        // Older descriptions called the hot-tracking look a flat frame.
        b.Obsolete("FrameFlat", [](B& x, const TValue& v) { x.SetHotTrack(v.AsBoolean()); });
    });
}

void TVtButton::RegisterClassInfo() {
    RegisterClass<TVtButton>("TVtButton", "TVtCustomButton", [](TClassBuilder<TVtButton>& b) {
        using B = TVtButton;
        using D = TVtButton::Defaults;
        b.Enumeration("Alignment", AlignmentInfo(), &B::Alignment, &B::SetAlignment).Default(D::Alignment);
        b.Boolean("Default", &B::Default, &B::SetDefault).Default(D::Default);
        b.Boolean("Cancel", &B::Cancel, &B::SetCancel).Default(D::Cancel);
        b.Integer("ModalResult", &B::ModalResult, &B::SetModalResult).Default(D::ModalResult);
        // Before Down: a description sets the group first, then latches the button.
        b.Integer("GroupIndex", &B::GroupIndex, &B::SetGroupIndex).Default(D::GroupIndex);
        b.Boolean("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).Default(D::AllowAllUp);
        b.Boolean("Down", &B::Down, &B::SetDown).Default(D::Down);
        b.Boolean("ShowDownPattern", &B::ShowDownPattern, &B::SetShowDownPattern).Default(D::ShowDownPattern);
        b.Boolean("ShowFocusRect", &B::ShowFocusRect, &B::SetShowFocusRect).Default(D::ShowFocusRect);
    });
}
