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
#include "framework/stdctrls/stdctrls.h"

struct TEnumInfo;

// ---------------------------------------------------------------- vocabulary

// Straight text, text rotated about the control's centre, text along a curve.
enum TRotation { roNone, roFlat, roCurve };
// Centre of the curve of roCurve text.
enum TCenterPoint {
    cpUpperLeft, cpUpperCenter, cpUpperRight, cpLeftCenter, cpCenter, cpRightCenter, cpLowerLeft,
    cpLowerCenter, cpLowerRight
};
// How a caption that does not fit is shortened: not at all, with an ellipsis at its end, or
// with one inside a path.
enum TVtCondenseCaption { ccNone, ccAtEnd, ccWithinPath };

const TEnumInfo& RotationInfo();
const TEnumInfo& CenterPointInfo();
const TEnumInfo& CondenseCaptionInfo();

// ---------------------------------------------------------------- TVtLabel

class TVtLabel : public TLabel, public IVtFrameControllerClient {
public:
    explicit TVtLabel(TComponent* owner);
    ~TVtLabel() override;

    // ---- published: text effects
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle v);
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v);
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v);
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool v);

    // ---- published: rotation
    TRotation Rotation() const { return FRotation; }
    void SetRotation(TRotation v);
    // Degrees counter-clockwise; a negative v is stored as 360 + v, any other as v mod 360.
    int Angle() const { return FAngle; }
    void SetAngle(int v);
    TCenterPoint CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(TCenterPoint v);

    // ---- published: blinking and hover
    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool v);
    TColor BlinkColor() const { return FBlinkColor; }
    void SetBlinkColor(TColor v);
    // The shared blink list's phase lengths: global to every blinking control.
    uint16_t BlinkIntervalOn() const;
    void SetBlinkIntervalOn(uint16_t ms);
    uint16_t BlinkIntervalOff() const;
    void SetBlinkIntervalOff(uint16_t ms);
    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool v);
    TColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(TColor v);
    TVtCondenseCaption CondenseCaption() const { return FCondenseCaption; }
    void SetCondenseCaption(TVtCondenseCaption v);

    // ---- published: frames, as the panel's
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TFrameStyleEx v);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    void SetBorderInner(TFrameStyleEx v);
    TSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TSides v);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor v);
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int v);
    TVtFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TVtFrameController* controller);

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

    void ApplyFrameController(TVtFrameController* controller) override;

    static void RegisterClassInfo();

protected:
    void Paint() override;
    void AdjustBounds() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
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

    TTextStyle FTextStyle = tsNormal;
    int FShadowDepth = 2;
    TColor FShadowColor = clBtnShadow;
    TColor FHighlightColor = clBtnHighlight;
    bool FLightTextStyle = false;
    TRotation FRotation = roNone;
    int FAngle = 0;
    TCenterPoint FCenterPoint = cpCenter;
    bool FBlinking = false;
    TColor FBlinkColor = clHighlight;
    bool FFlyByEnabled = false;
    TColor FFlyByColor = clHighlight;
    TVtCondenseCaption FCondenseCaption = ccNone;

    TFrameStyleEx FBorderOuter = fsNone;
    TFrameStyleEx FBorderInner = fsNone;
    TSides FBorderSides = AllSides;
    int FBorderWidth = 0;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    int FBevelWidth = 1;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TVtFrameController* FFrameController = nullptr;

    TColor FCurrentColor = clWindowText;
    TColor FNormalColor = clWindowText;
    // Font.Color to bring back when the pointer leaves; follows the font while no hover
    // colour is shown, so switching FlyByEnabled off outside a hover changes nothing.
    TColor FHoverSavedColor = clWindowText;
    bool FHoverShown = false;
    // Set while the constructor assigns Color and ParentColor.
    bool FConstructing = false;
};

// TVtLabel in the class registry; runs once.
void RegisterLabelClasses();
