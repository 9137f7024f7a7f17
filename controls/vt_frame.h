// The frames the panel and the label share: an outer and an inner frame style on the sides
// they are drawn on, with a band of the control's border width between them; the colours of
// that band and of the styles that draw in their own light and dark shades; the flat frames'
// base colour and its lightness shift; and the link to a frame controller that sets them all
// at once.
//
// TVtFrameSettings is the value; TVtFramedControl<Base> holds it for a control on either
// framework base, publishes it as properties and applies a controller's settings;
// PublishFrameSettings writes its rows into a class table.
//
// Sections: TVtFrameSettings · TVtFramedControl · class table rows
#pragma once

#include <optional>

#include "controls/vt_blink.h"
#include "controls/vt_draw.h"
#include "controls/vt_vocabulary.h"

template <class T>
class TClassBuilder;

// ---------------------------------------------------------------- TVtFrameSettings

struct TVtFrameSettings {
    TFrameStyleEx Outer = fsNone;
    TFrameStyleEx Inner = fsNone;
    TSides Sides = AllSides;
    // The band between the frames.
    TColor BorderColor = clBtnFace;
    // The light and dark colours of fsStatus / fsPopup frames.
    TColor BorderHighlight = clBtnHighlight;
    TColor BorderShadow = clBtnShadow;
    // The base colour of flat frames, drawn shifted by FlatColorAdjustment lightness steps.
    TColor FlatColor = clBtnShadow;
    int FlatColorAdjustment = 30;

    // Both frames' thickness on one side; 0 on a side not in Sides.
    int Inset(TSide side, int bevelWidth) const;
    // r less both frames on the sides in Sides.
    TRect Shrink(TRect r, int bevelWidth) const;
};

// ---------------------------------------------------------------- TVtFramedControl

// Base is TLabel (the label) or TCustomPanel (the panel). The border width and the bevel
// width (the line count of fsStatus / fsPopup) are the control's own.
template <class Base>
class TVtFramedControl : public Base, public IVtFrameControllerClient {
public:
    TVtFramedControl(TComponent* owner, const TVtFrameSettings& initial) : Base(owner), FFrame(initial) {}
    ~TVtFramedControl() override {
        if (FFrameController) FFrameController->UnregisterControl(this);
    }

    // ---- published: frames
    TFrameStyleEx BorderOuter() const { return FFrame.Outer; }
    void SetBorderOuter(TFrameStyleEx v) {
        if (Change(FFrame.Outer, v)) FramesChanged();
    }
    TFrameStyleEx BorderInner() const { return FFrame.Inner; }
    void SetBorderInner(TFrameStyleEx v) {
        if (Change(FFrame.Inner, v)) FramesChanged();
    }
    TSides BorderSides() const { return FFrame.Sides; }
    void SetBorderSides(TSides v) {
        if (Change(FFrame.Sides, v)) FramesChanged();
    }
    TColor BorderColor() const { return FFrame.BorderColor; }
    void SetBorderColor(TColor v) {
        if (Change(FFrame.BorderColor, v)) this->Invalidate();
    }
    TColor BorderHighlight() const { return FFrame.BorderHighlight; }
    void SetBorderHighlight(TColor v) {
        if (Change(FFrame.BorderHighlight, v)) this->Invalidate();
    }
    TColor BorderShadow() const { return FFrame.BorderShadow; }
    void SetBorderShadow(TColor v) {
        if (Change(FFrame.BorderShadow, v)) this->Invalidate();
    }
    TColor FlatColor() const { return FFrame.FlatColor; }
    void SetFlatColor(TColor v) {
        if (Change(FFrame.FlatColor, v)) this->Invalidate();
    }
    int FlatColorAdjustment() const { return FFrame.FlatColorAdjustment; }
    void SetFlatColorAdjustment(int v) {
        if (Change(FFrame.FlatColorAdjustment, v)) this->Invalidate();
    }
    TVtFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TVtFrameController* v) { LinkFrameController(this, FFrameController, v); }

    const TVtFrameSettings& FrameSettings() const { return FFrame; }

    // A visible controller frame replaces the outer frame and the sides, its colour becomes
    // the unshifted flat colour; the control takes the controller's colours, and the status
    // and popup shades follow the colour the control ended up with.
    void ApplyFrameController(TVtFrameController* controller) override {
        if (!controller || !controller->FrameVisible()) return;
        SetBorderOuter(controller->FrameStyle());
        SetBorderSides(controller->FrameSides());
        SetFlatColor(controller->FrameColor());
        SetFlatColorAdjustment(0);
        this->SetColor(controller->Color());
        this->SetParentColor(controller->ParentColor());
        SetBorderHighlight(LightenColor(this->Color(), 100));
        SetBorderShadow(DarkenColor(this->Color(), 50));
        this->Invalidate();
    }

protected:
    // The frames took or gave back room on a side: the control repaints (the panel also
    // realigns its children).
    virtual void FramesChanged() { this->Invalidate(); }

    void Notification(TComponent* component, TOperation operation) override {
        Base::Notification(component, operation);
        if (operation == opRemove && component == FFrameController) FFrameController = nullptr;
    }

    // The outer frame, the band of borderWidth and the inner frame from bounds inwards, the
    // parent's colour outside cut corners; returns the area left for the fill and the content.
    TRect PaintFrames(TCanvas* canvas, const TRect& bounds, int borderWidth, int bevelWidth, bool transparent) {
        const TColor color = this->Color();
        const TColor parentColor = this->Parent() ? this->Parent()->Color() : color;
        return PaintOuterInnerFrames(canvas, bounds, FFrame.Outer, FFrame.Inner, borderWidth, FFrame.Sides, bevelWidth,
                                     FFrame.BorderColor, FFrame.BorderHighlight, FFrame.BorderShadow, FFrame.FlatColor,
                                     FFrame.FlatColorAdjustment, color, parentColor, transparent, false);
    }

    TVtFrameSettings FFrame;
    TVtFrameController* FFrameController = nullptr;
};

// ---------------------------------------------------------------- class table rows

// The BorderWidth and BevelWidth rows of a control whose framework base publishes none (the
// label), with their defaults.
struct TVtFrameWidthRows {
    int BorderWidth;
    int BevelWidth;
};

// The frame rows of T's class table, in the order descriptions store them: BorderOuter,
// BorderInner, BorderSides, [BorderWidth,] BorderColor, BorderHighlight, BorderShadow,
// [BevelWidth,] FlatColor, FlatColorAdjustment. The FrameController row stays where each
// control's table has it.
template <class T>
void PublishFrameSettings(TClassBuilder<T>& b, const TVtFrameSettings& defaults,
                          std::optional<TVtFrameWidthRows> widths = std::nullopt) {
    b.Enumeration("BorderOuter", FrameStyleExInfo(), &T::BorderOuter, &T::SetBorderOuter).Default(defaults.Outer);
    b.Enumeration("BorderInner", FrameStyleExInfo(), &T::BorderInner, &T::SetBorderInner).Default(defaults.Inner);
    b.SetOf("BorderSides", SidesInfo(), &T::BorderSides, &T::SetBorderSides).Default(defaults.Sides);
    if (widths) b.Integer("BorderWidth", &T::BorderWidth, &T::SetBorderWidth).Default(widths->BorderWidth);
    b.Color("BorderColor", &T::BorderColor, &T::SetBorderColor).Default(defaults.BorderColor);
    b.Color("BorderHighlight", &T::BorderHighlight, &T::SetBorderHighlight).Default(defaults.BorderHighlight);
    b.Color("BorderShadow", &T::BorderShadow, &T::SetBorderShadow).Default(defaults.BorderShadow);
    if (widths) b.Integer("BevelWidth", &T::BevelWidth, &T::SetBevelWidth).Default(widths->BevelWidth);
    b.Color("FlatColor", &T::FlatColor, &T::SetFlatColor).Default(defaults.FlatColor);
    b.Integer("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment)
        .Default(defaults.FlatColorAdjustment);
}
