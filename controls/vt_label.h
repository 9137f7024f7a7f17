// The control set's label: the framework's TLabel with text styles (raised, recessed, drop
// shadow), text rotated about the centre or laid along a curve, blinking through the shared
// blink list, a hover colour, and the panel's outer/inner frames around the text.
//
// Colours of the main copy: the "current text colour" follows Font.Color and is BlinkColor
// during a blink on phase; the "normal text colour" is the last Font.Color seen while not
// blinking, which the off phase shows again.
//
// Sections: vocabulary · TVtLabel
#pragma once

#include <string>

#include "controls/vt_blink.h"
#include "controls/vt_button.h"
#include "controls/vt_draw.h"
#include "controls/vt_frame.h"
#include "framework/stdctrls/stdctrls.h"

struct TEnumInfo;

// ---------------------------------------------------------------- vocabulary

// Straight text, text rotated about the control's centre, text along a curve.
enum TRotation { roNone, roFlat, roCurve };
// Centre of the curve of roCurve text.
enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
// How a caption that does not fit is shortened: not at all, with an ellipsis at its end, or
// with one inside a path.
enum TVtCondenseCaption { ccNone, ccAtEnd, ccWithinPath };

const TEnumInfo& RotationInfo();
const TEnumInfo& CenterPointInfo();
const TEnumInfo& CondenseCaptionInfo();

// ---------------------------------------------------------------- TVtLabel

class TVtLabel : public TVtFramedControl<TLabel> {
public:
    // Published defaults: the fields and the constructor start from them, the class table
    // names them.
    struct Defaults {
        static constexpr TColor Color = clBtnFace;
        static constexpr bool ParentColor = true;
        static constexpr TTextStyle TextStyle = tsNormal;
        static constexpr int ShadowDepth = 2;
        static constexpr TColor ShadowColor = clBtnShadow;
        static constexpr TColor HighlightColor = clBtnHighlight;
        static constexpr bool LightTextStyle = false;
        static constexpr TRotation Rotation = roNone;
        static constexpr int Angle = 0;
        static constexpr TCenterPoint CenterPoint = cpCenter;
        static constexpr bool Blinking = false;
        static constexpr TColor BlinkColor = clHighlight;
        static constexpr bool FlyByEnabled = false;
        static constexpr TColor FlyByColor = clHighlight;
        static constexpr TVtCondenseCaption CondenseCaption = ccNone;
        static constexpr TVtFrameSettings Frame{};
        static constexpr int BorderWidth = 0;
        static constexpr int BevelWidth = 1;
    };

    explicit TVtLabel(TComponent* owner);
    ~TVtLabel() override;

    // ---- published: text effects
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle v) {
        if (Change(FTextStyle, v)) Invalidate();
    }
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v) {
        if (Change(FShadowDepth, v)) Invalidate();
    }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) {
        if (Change(FShadowColor, v)) Invalidate();
    }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) {
        if (Change(FHighlightColor, v)) Invalidate();
    }
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool v) {
        if (Change(FLightTextStyle, v)) Invalidate();
    }

    // ---- published: rotation
    TRotation Rotation() const { return FRotation; }
    void SetRotation(TRotation v);
    // Degrees counter-clockwise; a negative v is stored as 360 + v, any other as v mod 360
    // (StoredAngle).
    int Angle() const { return FAngle; }
    void SetAngle(int v);
    static int StoredAngle(int v) { return v < 0 ? 360 + v : v % 360; }
    TCenterPoint CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(TCenterPoint v) {
        if (Change(FCenterPoint, v)) Invalidate();
    }

    // ---- published: blinking and hover
    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool v);
    TColor BlinkColor() const { return FBlinkColor; }
    void SetBlinkColor(TColor v) {
        if (Change(FBlinkColor, v)) Invalidate();
    }
    // The shared blink list's phase lengths: global to every blinking control.
    uint16_t BlinkIntervalOn() const;
    void SetBlinkIntervalOn(uint16_t ms);
    uint16_t BlinkIntervalOff() const;
    void SetBlinkIntervalOff(uint16_t ms);
    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool v);
    TColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(TColor v) {
        if (Change(FFlyByColor, v)) Invalidate();
    }
    TVtCondenseCaption CondenseCaption() const { return FCondenseCaption; }
    void SetCondenseCaption(TVtCondenseCaption v);

    // ---- published: frames, as the panel's (TVtFramedControl), with widths of the label's own
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) {
        if (Change(FBorderWidth, ClampBorderWidth(v))) Invalidate();
    }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) {
        if (Change(FBevelWidth, ClampBorderWidth(v))) Invalidate();
    }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- state read by painting
    TColor CurrentTextColor() const { return FCurrentColor; }
    TColor NormalTextColor() const { return FNormalColor; }
    // The client rectangle less BorderWidth on every side and the two frames on the sides
    // in BorderSides: where the text is placed.
    TRect TextArea() const;
    // DrawText flags of straight text: tabs, alignment, word break, prefix, condensing.
    unsigned DrawingFlags() const;

    static void RegisterClassInfo();

protected:
    void Paint() override;
    void AdjustBounds() override;
    void Loaded() override;
    void Dispatch(TMessage& message) override;

    void CMFontChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMParentColorChanged(TMessage& message) override;

private:
    void PaintStraightOrRotatedText(TCanvas* canvas);
    void PaintCurvedText(TCanvas* canvas);
    // The text area moved for Layout, ready for the copies of straight text.
    TRect PlaceForLayout(TCanvas* canvas, const TRect& area, unsigned flags);
    // The DT_CALCRECT extent of the caption by the framework label's drawing, measured on a
    // scratch surface when the label has none to draw on.
    void MeasureCaption(TRect& rect, unsigned flags);
    bool Loading() const { return ComponentState().Contains(csLoading); }

    TTextStyle FTextStyle = Defaults::TextStyle;
    int FShadowDepth = Defaults::ShadowDepth;
    TColor FShadowColor = Defaults::ShadowColor;
    TColor FHighlightColor = Defaults::HighlightColor;
    bool FLightTextStyle = Defaults::LightTextStyle;
    TRotation FRotation = Defaults::Rotation;
    int FAngle = Defaults::Angle;
    TCenterPoint FCenterPoint = Defaults::CenterPoint;
    bool FBlinking = Defaults::Blinking;
    TColor FBlinkColor = Defaults::BlinkColor;
    bool FFlyByEnabled = Defaults::FlyByEnabled;
    TColor FFlyByColor = Defaults::FlyByColor;
    TVtCondenseCaption FCondenseCaption = Defaults::CondenseCaption;

    int FBorderWidth = Defaults::BorderWidth;
    int FBevelWidth = Defaults::BevelWidth;

    TColor FCurrentColor = clWindowText;
    TColor FNormalColor = clWindowText;
    // Font.Color to bring back when the pointer leaves; follows the font while no hover
    // colour is shown, so switching FlyByEnabled off outside a hover changes nothing.
    TColor FHoverSavedColor = clWindowText;
    bool FHoverShown = false;
    // Set while the constructor assigns Color and ParentColor.
    bool FConstructing = false;
};
