// TCustomLabel and TLabel. Sections: setters · text drawing and automatic size ·
// notifications · class tables
#include "framework/stdctrls/stdctrls.h"

#include <optional>

#include "framework/core/scope_guards.h"
#include "framework/core/typinfo.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle.Include(csOpaque);
    FControlStyle.Include(csReplicatable);
    UpdateBoundsFields(FLeft, FTop, 65, 17);
}

TCustomLabel::~TCustomLabel() = default;

// ---------------------------------------------------------------- setters

void TCustomLabel::SetWordWrap(bool v) {
    if (!Change(FWordWrap, v)) return;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v) {
    if (!Change(FShowAccelChar, v)) return;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v) {
    if (!Change(FTransparent, v)) return;
    // An opaque label paints every pixel of its bounds; a transparent one lets the parent
    // erase below it first.
    if (v) FControlStyle.Exclude(csOpaque);
    else FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    if (FFocusControl == control) return;
    if (FFocusComponent) RemoveFreeNotification(FFocusComponent);
    FFocusControl = control;
    FFocusComponent = control;
    if (control) FreeNotification(control);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusComponent) {
        FFocusControl = nullptr;
        FFocusComponent = nullptr;
    }
}

// ---------------------------------------------------------------- text drawing

std::string TCustomLabel::GetLabelText() const { return Caption(); }

unsigned TCustomLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    else if (FAlignment == taCenter) flags |= DT_CENTER;
    return flags;
}

void TCustomLabel::DoDrawText(TRect& rect, unsigned flags) {
    std::string text = GetLabelText();
    // An empty caption (or a lone accelerator mark) still measures one line high.
    if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    if (flags & DT_CALCRECT) {
        canvas->DrawText(text, rect, flags);
        return;
    }
    if (!FEnabled) {
        TRect raised = OffsetRect(rect, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->DrawText(text, raised, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    canvas->DrawText(text, rect, flags);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TCanvasStateSaver saver(canvas);
    const TRect all = ClientRect();
    if (!FTransparent) {
        canvas->Brush()->SetColor(FColor);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(all);
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect r = all;
    const unsigned flags = TextFlags();
    if (FLayout != tlTop) {
        TRect measured = r;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int spare = all.Height() - measured.Height();
        r = OffsetRect(r, 0, FLayout == tlBottom ? spare : spare / 2);
    }
    DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csReading) || ComponentState().Contains(csDestroying)) return;
    TRect r = ClientRect();
    unsigned flags = DT_EXPANDTABS | DT_CALCRECT;
    if (FWordWrap) flags |= DT_WORDBREAK;
    // Measuring draws nothing: an unbound canvas measures on a scratch surface of its own
    // rather than binding to the form's back buffer.
    {
        std::optional<TCanvasBinding> measuring;
        if (!FCanvas->Bound()) {
            static TBitmap measuringSurface(1, 1);
            measuring.emplace(FCanvas.get());
            FCanvas->Bind(&measuringSurface, {0, 0}, Rect(0, 0, 0, 0));
        }
        DoDrawText(r, flags);
    }
    int left = FLeft;
    if (FAlignment == taRightJustify) left += FWidth - r.Right;
    SetBounds(left, FTop, r.Right, r.Bottom);
}

// ---------------------------------------------------------------- notifications

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage& message) {
    TGraphicControl::CMTextChanged(message);
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& message) {
    TGraphicControl::CMFontChanged(message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TCMDialogChar& message) {
    if (FFocusControl && FEnabled && FShowAccelChar && IsAccel(static_cast<char>(message.CharCode), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        message.Result = 1;
        return;
    }
    TGraphicControl::CMDialogChar(message);
}

// ---------------------------------------------------------------- class tables

const TEnumInfo& TextLayoutInfo() {
    static const TEnumInfo info = MakeEnumInfo("TTextLayout", {"tlTop", "tlCenter", "tlBottom"});
    return info;
}

void TCustomLabel::RegisterClassInfo() {
    RegisterClass<TCustomLabel>("TCustomLabel", "TGraphicControl", [](TClassBuilder<TCustomLabel>& b) {
        using L = TCustomLabel;
        b.Enumeration("Alignment", AlignmentInfo(), &L::Alignment, &L::SetAlignment).Default();
        b.Boolean("AutoSize", &L::AutoSize, &L::SetAutoSize).Default();
        b.Component("FocusControl", &L::FocusControl, &L::SetFocusControl);
        b.Enumeration("Layout", TextLayoutInfo(), &L::Layout, &L::SetLayout).Default();
        b.Boolean("ShowAccelChar", &L::ShowAccelChar, &L::SetShowAccelChar).Default();
        b.Boolean("Transparent", &L::Transparent, &L::SetTransparent).Default();
        b.Boolean("WordWrap", &L::WordWrap, &L::SetWordWrap).Default();
    });
}

void TLabel::RegisterClassInfo() { RegisterClass<TLabel>("TLabel", "TCustomLabel"); }
