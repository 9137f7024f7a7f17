// TVtLabel. Sections:
//   1. vocabulary and helpers
//   2. construction and setters
//   3. text area, flags and automatic size
//   4. painting: frames and fill, straight and rotated text, curved text
//   5. notifications: blink protocol, font, text, pointer, parent colour, loading
//   6. class tables
#include "controls/vt_label.h"

#include <cmath>
#include <numbers>

#include "framework/core/scope_guards.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"

// ---------------------------------------------------------------- 1. vocabulary and helpers

const TEnumInfo& RotationInfo() {
    static const TEnumInfo info = MakeEnumInfo("TRotation", {"roNone", "roFlat", "roCurve"});
    return info;
}
const TEnumInfo& CenterPointInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TCenterPoint", {"cpUpperLeft", "cpUpperCenter", "cpUpperRight", "cpLeftCenter", "cpCenter",
                                      "cpRightCenter", "cpLowerLeft", "cpLowerCenter", "cpLowerRight"});
    return info;
}
const TEnumInfo& CondenseCaptionInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtCondenseCaption", {"ccNone", "ccAtEnd", "ccWithinPath"});
    return info;
}

namespace {

constexpr double kPi = std::numbers::pi;
// Scalable faces rotate; a bitmap face is replaced by this one when rotation is asked for.
constexpr const char* kRotatableFace = "Verdana";

// To the nearest integer, halves to even (the default rounding mode).
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// The same copy of the caption is drawn several times in several colours.
struct TTextCopy {
    int Dx, Dy;
    TColor Color;
};

}  // namespace

// ---------------------------------------------------------------- 2. construction and setters

TVtLabel::TVtLabel(TComponent* owner) : TVtFramedControl<TLabel>(owner, Defaults::Frame) {
    FConstructing = true;
    SetColor(Defaults::Color);
    SetParentColor(Defaults::ParentColor);
    FConstructing = false;
    FCurrentColor = FNormalColor = FHoverSavedColor = Font()->Color();
    TVtBlinkingControlsList::Obtain()->Register(this);
}

TVtLabel::~TVtLabel() {
    if (TVtBlinkingControlsList* list = TVtBlinkingControlsList::Instance()) list->Unregister(this);
    TVtBlinkingControlsList::ReleaseIfEmpty();
}

void TVtLabel::SetRotation(TRotation v) {
    if (FRotation == v) return;
    if (!Loading() && v != roNone && !IsOutlineFont(Font())) Font()->SetName(kRotatableFace);
    FRotation = v;
    // Choosing a rotation starts it afresh; a stored description sets Angle before
    // Rotation, and Angle has already switched to roFlat, so the angle survives loading.
    if (v == roNone || v == roFlat) FAngle = 0;
    if (v == roFlat) FCenterPoint = cpCenter;
    Invalidate();
}

void TVtLabel::SetAngle(int v) {
    if (FAngle == v) return;
    FAngle = StoredAngle(v);
    if (!Loading() && v != 0 && !IsOutlineFont(Font())) Font()->SetName(kRotatableFace);
    // Not through SetRotation, which would reset the angle just stored.
    if (FAngle != 0 && FRotation == roNone) FRotation = roFlat;
    AdjustBounds();
    Repaint();
}

void TVtLabel::SetBlinking(bool v) {
    if (!Change(FBlinking, v)) return;
    if (!v) {
        FCurrentColor = FNormalColor;
        Repaint();
    }
}

uint16_t TVtLabel::BlinkIntervalOn() const { return TVtBlinkingControlsList::Obtain()->IntervalOn(); }
void TVtLabel::SetBlinkIntervalOn(uint16_t ms) { TVtBlinkingControlsList::Obtain()->SetIntervalOn(ms); }
uint16_t TVtLabel::BlinkIntervalOff() const { return TVtBlinkingControlsList::Obtain()->IntervalOff(); }
void TVtLabel::SetBlinkIntervalOff(uint16_t ms) { TVtBlinkingControlsList::Obtain()->SetIntervalOff(ms); }

void TVtLabel::SetFlyByEnabled(bool v) {
    if (!Change(FFlyByEnabled, v)) return;
    if (!v) {
        FHoverShown = false;
        Font()->SetColor(FHoverSavedColor);
    }
    Invalidate();
}

void TVtLabel::SetCondenseCaption(TVtCondenseCaption v) {
    if (!Change(FCondenseCaption, v)) return;
    // A shortened caption needs a width of its own.
    if (v != ccNone) SetAutoSize(false);
    Invalidate();
}

// ---------------------------------------------------------------- 3. text area, flags and automatic size

TRect TVtLabel::TextArea() const {
    return FFrame.Shrink(Rect(FBorderWidth, FBorderWidth, FWidth - FBorderWidth, FHeight - FBorderWidth), FBevelWidth);
}

unsigned TVtLabel::DrawingFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT | DT_RTLREADING;
    else if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    if (FCondenseCaption == ccAtEnd) flags |= DT_END_ELLIPSIS;
    else if (FCondenseCaption == ccWithinPath) flags |= DT_PATH_ELLIPSIS;
    return flags;
}

void TVtLabel::MeasureCaption(TRect& rect, unsigned flags) {
    const bool borrowed = !FCanvas->Bound();
    if (borrowed) {
        static TBitmap measuringSurface(1, 1);
        FCanvas->Bind(&measuringSurface, {0, 0}, Rect(0, 0, 0, 0));
    }
    TScopeExit giveBack([this, borrowed] {
        if (borrowed) FCanvas->Unbind();
    });
    DoDrawText(rect, flags | DT_CALCRECT);
}

void TVtLabel::AdjustBounds() {
    const TComponentState state = ComponentState();
    if (!FAutoSize || state.Contains(csReading) || state.Contains(csDestroying)) return;
    const TRect area = TextArea();
    TRect r = Rect(0, 0, area.Width(), area.Height());
    unsigned flags = DT_EXPANDTABS;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (FCondenseCaption == ccAtEnd) flags |= DT_END_ELLIPSIS;
    else if (FCondenseCaption == ccWithinPath) flags |= DT_PATH_ELLIPSIS;
    MeasureCaption(r, flags);

    // The frames and the band around the text, side by side.
    const int perSide =
        FrameThickness(FFrame.Outer, FBevelWidth) + FBorderWidth + FrameThickness(FFrame.Inner, FBevelWidth);
    int width = r.Width(), height = r.Height();
    if (FFrame.Sides.Contains(sdLeft)) width += perSide;
    if (FFrame.Sides.Contains(sdRight)) width += perSide;
    if (FFrame.Sides.Contains(sdTop)) height += perSide;
    if (FFrame.Sides.Contains(sdBottom)) height += perSide;

    if (FRotation == roNone && FTextStyle == tsShadow) {
        width += FShadowDepth;
        height += FShadowDepth;
    }
    if (FRotation == roFlat && FAngle != 0 && FAngle != 180) {
        if (FTextStyle == tsShadow) {
            width += FShadowDepth / 2;
            height += FShadowDepth / 2;
        }
        double t = (FAngle % 90) * kPi / 180;
        if (FAngle == 90 || FAngle == 270) t += kPi / 2;
        const int w = width, h = height;
        width = RoundEven(std::cos(t) * w + std::sin(t) * h);
        height = RoundEven(std::sin(t) * w + std::cos(t) * h);
    }

    int left = FLeft;
    if (FAlignment == taRightJustify) left += FWidth - width;
    SetBounds(left, FTop, width, height);
}

// ---------------------------------------------------------------- 4. painting

void TVtLabel::Paint() {
    TCanvas* canvas = Canvas();
    TCanvasStateSaver saver(canvas);
    const TRect r = PaintFrames(canvas, Rect(0, 0, FWidth, FHeight), FBorderWidth, FBevelWidth, FTransparent);
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(bsSolid);
    if (!FTransparent) canvas->FillRect(r);
    canvas->Brush()->SetStyle(bsClear);
    // An empty caption shows the frames and the fill alone.
    if (GetLabelText().empty()) return;
    if (FRotation == roCurve) PaintCurvedText(canvas);
    else PaintStraightOrRotatedText(canvas);
}

TRect TVtLabel::PlaceForLayout(TCanvas* canvas, const TRect& area, unsigned flags) {
    TRect placed = area;
    if (FLayout != tlTop) {
        TRect measured = placed;
        canvas->DrawText(GetLabelText(), measured, flags | DT_CALCRECT);
        int dy = FHeight - FBorderWidth - measured.Bottom;
        if (FLayout == tlCenter) dy /= 2;
        placed = OffsetRect(placed, 0, dy);
    }
    if (FAlignment == taRightJustify && FTextStyle == tsShadow) placed = OffsetRect(placed, -FShadowDepth, 0);
    if (FLayout == tlBottom && FTextStyle == tsShadow) placed = OffsetRect(placed, 0, -FShadowDepth);
    return placed;
}

void TVtLabel::PaintStraightOrRotatedText(TCanvas* canvas) {
    const std::string text = GetLabelText();
    const int half = FShadowDepth / 2;
    const TRect area = TextArea();
    canvas->Font()->Assign(*Font());

    // The copies in drawing order, as offsets from the main copy's place.
    std::vector<TTextCopy> copies;
    if (FEnabled) {
        const bool raised = FTextStyle == tsRaised;
        const TColor a = raised ? FShadowColor : FHighlightColor;  // the +1 copy
        const TColor z = raised ? FHighlightColor : FShadowColor;  // the -1 copy
        if (FTextStyle == tsRaised || FTextStyle == tsRecessed) {
            if (FTextStyle == tsRecessed || !FLightTextStyle) copies.push_back({1, 1, a});
            if (FTextStyle == tsRaised || !FLightTextStyle) copies.push_back({-1, -1, z});
        }
    }

    if (FRotation == roFlat) {
        // Where the text is anchored, and which point of it the anchor is.
        TPoint p{FWidth / 2, FHeight / 2};
        const double rho = FAngle * kPi / 180 + kPi / 2;
        const int cell = canvas->TextHeight("Pp");
        const double q = cell / 4.0;
        const int w = canvas->TextWidth(text);
        const int e = FTextStyle == tsShadow ? half : 0;
        const int ww = w + e, hh = cell + e;
        const bool centred = FAlignment == taCenter, right = FAlignment == taRightJustify;
        // Across the text, a quarter of its height towards the descent side.
        const int acrossX = RoundEven(std::cos(rho) * q);
        unsigned align = TA_LEFT | TA_BASELINE;
        switch (FAngle) {
            case 0:
                p.X = centred ? p.X : right ? area.Right - w - 2 * e : area.Left + e;
                p.Y -= hh / 2;
                align = centred ? TA_CENTER | TA_TOP : TA_LEFT | TA_TOP;
                break;
            case 90:
                p.X -= acrossX;
                p.Y = centred ? area.Bottom - (area.Bottom - ww) / 2 : right ? area.Top + ww + e : area.Bottom - e;
                break;
            case 180:
                p.X = centred ? area.Right - (area.Right - ww) / 2 : right ? area.Left + ww : area.Right - e;
                p.Y -= hh / 4;
                break;
            case 270:
                p.X -= acrossX;
                p.Y = centred ? (area.Bottom - ww) / 2 : right ? area.Bottom - ww - e : area.Top + e;
                break;
            default:
                p.X -= acrossX;
                p.Y += RoundEven(std::sin(rho) * q);
                align = TA_CENTER | TA_BASELINE;
                break;
        }
        canvas->SetTextAlign(align);
        canvas->Font()->SetHandle(MakeAngledFont(Font(), FAngle));

        // Each copy is clipped to C, which the raised and recessed copies move and the
        // main copy then keeps.
        TRect clip = area;
        auto drawAt = [&](int x, int y, TColor color) {
            canvas->Font()->SetColor(color);
            canvas->TextRect(clip, x, y, text);
        };
        if (!FEnabled) {
            drawAt(p.X + 1, p.Y + 1, clBtnHighlight);
            drawAt(p.X, p.Y, clBtnShadow);
            return;
        }
        for (const TTextCopy& c : copies) {
            clip = OffsetRect(area, c.Dx, c.Dy);
            drawAt(p.X + c.Dx, p.Y + c.Dy, c.Color);
        }
        if (FTextStyle == tsShadow) {
            clip = area;
            drawAt(p.X + half, p.Y + half, FShadowColor);
            drawAt(p.X - half, p.Y - half, FCurrentColor);
        } else {
            drawAt(p.X, p.Y, FCurrentColor);
        }
        return;
    }

    const unsigned flags = DrawingFlags();
    const TRect placed = PlaceForLayout(canvas, area, flags);
    auto drawIn = [&](int dx, int dy, TColor color) {
        TRect r = OffsetRect(placed, dx, dy);
        canvas->Font()->SetColor(color);
        canvas->DrawText(text, r, flags);
    };
    if (!FEnabled) {
        drawIn(1, 1, clBtnHighlight);
        drawIn(0, 0, clBtnShadow);
        return;
    }
    for (const TTextCopy& c : copies) drawIn(c.Dx, c.Dy, c.Color);
    if (FTextStyle == tsShadow) drawIn(FShadowDepth, FShadowDepth, FShadowColor);
    drawIn(0, 0, FCurrentColor);
}

void TVtLabel::PaintCurvedText(TCanvas* canvas) {
    const std::string text = GetLabelText();
    const int b = FBorderWidth;
    const int midX = FWidth / 2, midY = FHeight / 2;
    TPoint c, d;
    switch (FCenterPoint) {
        case cpUpperLeft: c = {b, b}; break;
        case cpUpperCenter: c = {midX, b}; break;
        case cpUpperRight: c = {FWidth - b, b}; break;
        case cpLeftCenter: c = {b, midY}; break;
        case cpCenter: c = {midX, midY}; break;
        case cpRightCenter: c = {FWidth - b, midY}; break;
        case cpLowerLeft: c = {b, FHeight - b}; break;
        case cpLowerCenter: c = {midX, FHeight - b}; break;
        case cpLowerRight: c = {FWidth - b, FHeight - b}; break;
    }
    switch (FCenterPoint) {
        case cpUpperCenter:
        case cpLowerCenter: d = {midX - 2 * b, FHeight - 2 * b}; break;
        case cpLeftCenter:
        case cpRightCenter: d = {FWidth - 2 * b, midY - 2 * b}; break;
        case cpCenter: d = {midX - 2 * b, midY - 2 * b}; break;
        default: d = {FWidth - 2 * b, FHeight - 2 * b}; break;
    }
    // Characters step along the curve by the horizontal radius; there is none to walk.
    if (d.X <= 0) return;

    canvas->Font()->Assign(*Font());
    canvas->SetTextAlign(TA_CENTER | TA_BASELINE);
    const int h = canvas->TextHeight("Yy");
    std::vector<TTextCopy> copies;
    if (!FEnabled) {
        copies = {{1, 1, clBtnHighlight}, {0, 0, clBtnShadow}};
    } else {
        const bool raised = FTextStyle == tsRaised;
        const TColor a = raised ? FShadowColor : FHighlightColor;
        const TColor z = raised ? FHighlightColor : FShadowColor;
        if (FTextStyle == tsRaised || FTextStyle == tsRecessed) {
            if (FTextStyle == tsRecessed || !FLightTextStyle) copies.push_back({1, 1, a});
            if (FTextStyle == tsRaised || !FLightTextStyle) copies.push_back({-1, -1, z});
        }
        if (FTextStyle == tsShadow) copies.push_back({FShadowDepth, FShadowDepth, FShadowColor});
        copies.push_back({0, 0, FCurrentColor});
    }

    double theta = FAngle * kPi / 180;
    for (char ch : text) {
        const int x = c.X - RoundEven((d.X - h) * std::sin(theta));
        const int y = c.Y - RoundEven((d.Y - h) * std::cos(theta));
        TLogFont lf = LogFontOf(*Font());
        lf.Escapement = RoundEven(theta * 1800 / kPi);
        canvas->Font()->SetHandle(CreateFontIndirect(lf));
        const std::string one(1, ch);
        for (const TTextCopy& copy : copies) {
            canvas->Font()->SetColor(copy.Color);
            canvas->TextOut(x + copy.Dx, y + copy.Dy, one);
        }
        theta -= (canvas->TextWidth("w") + 2) / static_cast<double>(d.X);
    }
}

// ---------------------------------------------------------------- 5. notifications

void TVtLabel::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case BlinkQueryMessage: m.Result = FBlinking ? 1 : 0; break;
        case BlinkStateMessage:
            if (!FBlinking) break;
            FCurrentColor = m.WParam == 1 ? FBlinkColor : FNormalColor;
            Repaint();
            break;
        default: TLabel::Dispatch(m); break;
    }
}

void TVtLabel::CMFontChanged(TMessage& m) {
    TLabel::CMFontChanged(m);
    if (!FHoverShown) FHoverSavedColor = Font()->Color();
    if (Loading()) return;
    if (!FBlinking) FNormalColor = FCurrentColor = Font()->Color();
    // A face that cannot turn loses its angle; the rotation itself stays.
    if (FAngle != 0 && !IsOutlineFont(Font())) FAngle = 0;
}

void TVtLabel::CMTextChanged(TMessage& m) {
    TLabel::CMTextChanged(m);
    Repaint();
}

void TVtLabel::CMMouseEnter(TMessage& m) {
    TLabel::CMMouseEnter(m);
    if (ComponentState().Contains(csDesigning)) return;
    if (FFlyByEnabled) {
        FHoverSavedColor = Font()->Color();
        FHoverShown = true;
        Font()->SetColor(FFlyByColor);
    }
    if (OnMouseEnter) OnMouseEnter(this);
}

void TVtLabel::CMMouseLeave(TMessage& m) {
    TLabel::CMMouseLeave(m);
    if (FFlyByEnabled) {
        FHoverShown = false;
        Font()->SetColor(FHoverSavedColor);
    }
    if (OnMouseLeave) OnMouseLeave(this);
}

void TVtLabel::CMParentColorChanged(TMessage& m) {
    if (FConstructing) return;
    TLabel::CMParentColorChanged(m);
}

void TVtLabel::Loaded() {
    TLabel::Loaded();
    if (FRotation == roNone && FAngle != 0) FRotation = roFlat;
    if (FRotation != roNone && !IsOutlineFont(Font())) Font()->SetName(kRotatableFace);
    FNormalColor = FCurrentColor = Font()->Color();
    if (ComponentState().Contains(csDesigning)) Repaint();
}

// ---------------------------------------------------------------- 6. class tables

void TVtLabel::RegisterClassInfo() {
    RegisterClass<TVtLabel>("TVtLabel", "TLabel", [](TClassBuilder<TVtLabel>& b) {
        using L = TVtLabel;
        using D = TVtLabel::Defaults;
        using BlinkD = TVtBlinkingControlsList::Defaults;
        b.Color("Color", &L::Color, &L::SetColor).Default(D::Color).Stored([](L& x) { return !x.ParentColor(); });
        b.Boolean("ParentColor", &L::ParentColor, &L::SetParentColor).Default(D::ParentColor);
        b.Enumeration("TextStyle", TextStyleInfo(), &L::TextStyle, &L::SetTextStyle).Default(D::TextStyle);
        b.Integer("ShadowDepth", &L::ShadowDepth, &L::SetShadowDepth).Default(D::ShadowDepth);
        b.Color("ShadowColor", &L::ShadowColor, &L::SetShadowColor).Default(D::ShadowColor);
        b.Color("HighlightColor", &L::HighlightColor, &L::SetHighlightColor).Default(D::HighlightColor);
        b.Boolean("LightTextStyle", &L::LightTextStyle, &L::SetLightTextStyle).Default(D::LightTextStyle);
        // Angle before Rotation: the angle switches the rotation on, and the rotation that
        // follows is then no change and keeps the angle.
        b.Integer("Angle", &L::Angle, &L::SetAngle).Default(D::Angle);
        b.Enumeration("Rotation", RotationInfo(), &L::Rotation, &L::SetRotation).Default(D::Rotation);
        b.Enumeration("CenterPoint", CenterPointInfo(), &L::CenterPoint, &L::SetCenterPoint).Default(D::CenterPoint);
        b.Boolean("Blinking", &L::Blinking, &L::SetBlinking).Default(D::Blinking);
        b.Color("BlinkColor", &L::BlinkColor, &L::SetBlinkColor).Default(D::BlinkColor);
        b.Integer("BlinkIntervalOn", &L::BlinkIntervalOn, &L::SetBlinkIntervalOn).Default(BlinkD::IntervalOn);
        b.Integer("BlinkIntervalOff", &L::BlinkIntervalOff, &L::SetBlinkIntervalOff).Default(BlinkD::IntervalOff);
        b.Boolean("FlyByEnabled", &L::FlyByEnabled, &L::SetFlyByEnabled).Default(D::FlyByEnabled);
        b.Color("FlyByColor", &L::FlyByColor, &L::SetFlyByColor).Default(D::FlyByColor);
        b.Enumeration("CondenseCaption", CondenseCaptionInfo(), &L::CondenseCaption, &L::SetCondenseCaption)
            .Default(D::CondenseCaption);
        PublishFrameSettings(b, D::Frame, TVtFrameWidthRows{D::BorderWidth, D::BevelWidth});
        b.Component("FrameController", &L::FrameController, &L::SetFrameController);
        b.Event("OnMouseEnter", &L::OnMouseEnter);
        b.Event("OnMouseLeave", &L::OnMouseLeave);
        // Older descriptions stored the sides of a frame the label no longer has.
        b.Discard("FrameSides");
    });
}
