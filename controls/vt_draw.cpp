// Frame painters, colour arithmetic, angled fonts, gradients and the arrow glyph.
//
// Sections: line helpers · edge lines and bands · system-coloured frames · tinted frames ·
// rounded, outer/inner, edit and focus frames · colour arithmetic · fonts · gradient · arrow glyph
#include "controls/vt_draw.h"

#include "framework/core/scope_guards.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// ---------------------------------------------------------------- line helpers
// Lines of zero or negative length draw nothing (a frame on bounds too small for it), where a
// plain LineTo would run backwards.

void VerticalLine(TCanvas* canvas, int x, int y1, int y2) {
    if (y2 <= y1) return;
    canvas->MoveTo(x, y1);
    canvas->LineTo(x, y2);
}

void HorizontalLine(TCanvas* canvas, int x1, int x2, int y) {
    if (x2 <= x1) return;
    canvas->MoveTo(x1, y);
    canvas->LineTo(x2, y);
}

void SetPixelUnlessNone(TCanvas* canvas, int x, int y, TColor color) {
    if (color != clNone) canvas->SetPixels(x, y, color);
}

// The bounds moved in by n on each side in the set.
TRect Shrink(const TRect& r, int n, TSides sides) {
    return {SaturatingAdd(r.Left, sides.Contains(sdLeft) ? n : 0), SaturatingAdd(r.Top, sides.Contains(sdTop) ? n : 0),
            SaturatingAdd(r.Right, sides.Contains(sdRight) ? -int64_t{n} : 0),
            SaturatingAdd(r.Bottom, sides.Contains(sdBottom) ? -int64_t{n} : 0)};
}

// How many bands, counted from the bounds inwards, can put a pixel inside the clip box:
// band i draws its lines i pixels in from each side, so past this count every line lies
// beyond the box.
int64_t BandsThatCanShow(const TRect& clip, const TRect& bounds, TSides sides) {
    if (clip.IsEmpty()) return 0;
    int64_t n = 0;
    if (sides.Contains(sdLeft)) n = std::max(n, int64_t{clip.Right} - bounds.Left);
    if (sides.Contains(sdTop)) n = std::max(n, int64_t{clip.Bottom} - bounds.Top);
    if (sides.Contains(sdRight)) n = std::max(n, int64_t{bounds.Right} - clip.Left);
    if (sides.Contains(sdBottom)) n = std::max(n, int64_t{bounds.Bottom} - clip.Top);
    return n;
}

// Two one-pixel bands, the second on what the first left.
TRect PaintTwoBands(TCanvas* canvas, const TRect& bounds, TColor outerUL, TColor outerLR, TColor innerUL,
                    TColor innerLR, TSides sides) {
    TRect r = PaintEdgeBands(canvas, bounds, outerUL, outerLR, 1, sides);
    return PaintEdgeBands(canvas, r, innerUL, innerLR, 1, sides);
}

// Grooves (A = dark, Z = light) and bumps (the reverse): two one-pixel frames offset by one
// pixel, with the corners patched first so that each shows the right colour.
TRect PaintEtchedFrame(TCanvas* canvas, const TRect& b, TColor a, TColor z, TSides sides) {
    const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
    if (right) SetPixelUnlessNone(canvas, b.Right - 1, b.Top, z);
    if (top && !right) SetPixelUnlessNone(canvas, b.Right - 1, b.Top, a);
    if (bottom) SetPixelUnlessNone(canvas, b.Left, b.Bottom - 1, z);
    if (left && !bottom) SetPixelUnlessNone(canvas, b.Left, b.Bottom - 1, a);
    if (top && !left) SetPixelUnlessNone(canvas, b.Left, b.Top + 1, z);
    if (left && !top) SetPixelUnlessNone(canvas, b.Left + 1, b.Top, z);
    if (bottom && !right) SetPixelUnlessNone(canvas, b.Right - 1, b.Bottom - 2, a);
    if (right && !bottom) SetPixelUnlessNone(canvas, b.Right - 2, b.Bottom - 1, a);
    PaintEdgeLines(canvas, {b.Left + 1, b.Top + 1, b.Right, b.Bottom}, z, z, sides);
    PaintEdgeLines(canvas, {b.Left, b.Top, b.Right - 1, b.Bottom - 1}, a, a, sides);
    return Shrink(b, 2, sides);
}

}  // namespace

int FrameThickness(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
        case fsNone: return 0;
        case fsFlat: return 1;
        case fsStatus:
        case fsPopup: return bevelWidth;
        default: return 2;  // the two-pixel styles, fsFlatBold and fsFlatRounded
    }
}

// ---------------------------------------------------------------- edge lines and bands

TRect PaintEdgeLines(TCanvas* canvas, const TRect& bounds, TColor ulColor, TColor lrColor, TSides sides) {
    const TRect& b = bounds;
    if (ulColor != clNone) {
        canvas->Pen()->SetColor(ulColor);
        if (sides.Contains(sdLeft)) VerticalLine(canvas, b.Left, b.Top, b.Bottom);
        if (sides.Contains(sdTop)) HorizontalLine(canvas, b.Left, b.Right, b.Top);
    }
    if (lrColor != clNone) {
        canvas->Pen()->SetColor(lrColor);
        if (sides.Contains(sdRight)) VerticalLine(canvas, b.Right - 1, b.Top, b.Bottom);
        if (sides.Contains(sdBottom)) HorizontalLine(canvas, b.Left, b.Right, b.Bottom - 1);
    }
    return Shrink(b, 1, sides);
}

TRect PaintEdgeBands(TCanvas* canvas, const TRect& bounds, TColor ulColor, TColor lrColor, int count, TSides sides) {
    canvas->Pen()->SetWidth(1);
    // The bands beyond the clip box only move the rectangle in; the first is always drawn,
    // so the pen is left as a full run leaves it.
    const int64_t drawn =
        std::min<int64_t>(count, std::max<int64_t>(1, BandsThatCanShow(canvas->ClipRect(), bounds, sides)));
    TRect r = bounds;
    for (int64_t i = 0; i < drawn; ++i) r = PaintEdgeLines(canvas, r, ulColor, lrColor, sides);
    return count > drawn ? Shrink(bounds, count, sides) : r;
}

// ---------------------------------------------------------------- system-coloured frames

TRect PaintBevelEdges(TCanvas* canvas, const TRect& bounds, bool lowered, TSides sides) {
    if (lowered) return PaintTwoBands(canvas, bounds, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, sides);
    return PaintTwoBands(canvas, bounds, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow, sides);
}

TRect PaintButtonEdges(TCanvas* canvas, const TRect& bounds, bool down, TSides sides) {
    if (down) return PaintTwoBands(canvas, bounds, clBtnText, clBtnText, clBtnShadow, clBtnShadow, sides);
    return PaintTwoBands(canvas, bounds, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow, sides);
}

TRect PaintButtonEdges(TCanvas* canvas, const TRect& bounds, bool down) {
    return PaintButtonEdges(canvas, bounds, down, AllSides);
}

TRect PaintFrameStyle(TCanvas* canvas, const TRect& bounds, TFrameStyle style, TSides sides) {
    switch (style) {
        case fsFlat: return PaintEdgeLines(canvas, bounds, cl3DDkShadow, cl3DDkShadow, sides);
        case fsGroove: return PaintEtchedFrame(canvas, bounds, clBtnShadow, clBtnHighlight, sides);
        case fsBump: return PaintEtchedFrame(canvas, bounds, clBtnHighlight, clBtnShadow, sides);
        case fsLowered: return PaintBevelEdges(canvas, bounds, true, sides);
        case fsRaised: return PaintBevelEdges(canvas, bounds, false, sides);
        case fsButtonDown: return PaintButtonEdges(canvas, bounds, true, sides);
        case fsButtonUp: return PaintButtonEdges(canvas, bounds, false, sides);
        case fsStatus: return PaintEdgeLines(canvas, bounds, clBtnShadow, clBtnHighlight, sides);
        case fsPopup: return PaintEdgeLines(canvas, bounds, clBtnHighlight, clBtnShadow, sides);
        case fsFlatBold: return PaintEdgeBands(canvas, bounds, clBtnShadow, clBtnShadow, 2, sides);
        case fsNone:
        default: return bounds;
    }
}

TRect PaintFrameStyle(TCanvas* canvas, const TRect& bounds, TFrameStyle style) {
    return PaintFrameStyle(canvas, bounds, style, AllSides);
}

// ---------------------------------------------------------------- tinted frames

TRect PaintTintedButtonEdges(TCanvas* canvas, const TRect& bounds, TColor baseColor, bool down, TSides sides) {
    const TColor d50 = DarkenColor(baseColor, 50), d100 = DarkenColor(baseColor, 100);
    TRect r;
    if (down) {
        r = PaintEdgeLines(canvas, bounds, d100, d100, sides);
        return PaintEdgeLines(canvas, r, d50, d50, sides);
    }
    r = PaintEdgeLines(canvas, bounds, LightenColor(baseColor, 100), d100, sides);
    return PaintEdgeLines(canvas, r, LightenColor(baseColor, 40), d50, sides);
}

TRect PaintTintedButtonEdges(TCanvas* canvas, const TRect& bounds, TColor baseColor, bool down) {
    return PaintTintedButtonEdges(canvas, bounds, baseColor, down, AllSides);
}

TRect PaintTintedFrameStyle(TCanvas* canvas, const TRect& bounds, TColor baseColor, TFrameStyle style, TSides sides) {
    auto d = [&](uint8_t n) { return DarkenColor(baseColor, n); };
    auto l = [&](uint8_t n) { return LightenColor(baseColor, n); };
    switch (style) {
        case fsNone: return bounds;
        case fsFlat: return PaintEdgeLines(canvas, bounds, d(50), d(50), sides);
        case fsStatus: return PaintEdgeLines(canvas, bounds, d(50), l(100), sides);
        case fsPopup: return PaintEdgeLines(canvas, bounds, l(100), d(50), sides);
        case fsFlatBold: {
            const TColor d50 = d(50);
            return PaintEdgeLines(canvas, PaintEdgeLines(canvas, bounds, d50, d50, sides), d50, d50, sides);
        }
        case fsLowered: return PaintTwoBands(canvas, bounds, d(50), l(100), d(100), l(50), sides);
        case fsRaised: return PaintTwoBands(canvas, bounds, l(50), d(100), l(100), d(50), sides);
        case fsButtonDown:
        case fsButtonUp: return PaintTintedButtonEdges(canvas, bounds, baseColor, style == fsButtonDown, sides);
        case fsGroove: return PaintEtchedFrame(canvas, bounds, d(50), l(100), sides);
        case fsBump:
        default: return PaintEtchedFrame(canvas, bounds, l(100), d(50), sides);
    }
}

TRect PaintTintedFrameStyle(TCanvas* canvas, const TRect& bounds, TColor baseColor, TFrameStyle style) {
    return PaintTintedFrameStyle(canvas, bounds, baseColor, style, AllSides);
}

// ---------------------------------------------------------------- rounded, outer/inner, edit and focus frames

TRect PaintRoundedFlatFrame(TCanvas* canvas, const TRect& bounds, TColor color, TSides sides) {
    const TRect& b = bounds;
    const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
    if (color != clNone) {
        canvas->Pen()->SetColor(color);
        const int a = top ? 2 : 0, bo = bottom ? 2 : 0, c = left ? 2 : 0, d = right ? 2 : 0;
        if (left) VerticalLine(canvas, b.Left, b.Top + a, b.Bottom - bo);
        if (top) HorizontalLine(canvas, b.Left + c, b.Right - d, b.Top);
        if (right) VerticalLine(canvas, b.Right - 1, b.Top + a, b.Bottom - bo);
        if (bottom) HorizontalLine(canvas, b.Left + c, b.Right - d, b.Bottom - 1);
        if (left && top) canvas->SetPixels(b.Left + 1, b.Top + 1, color);
        if (top && right) canvas->SetPixels(b.Right - 2, b.Top + 1, color);
        if (right && bottom) canvas->SetPixels(b.Right - 2, b.Bottom - 2, color);
        if (left && bottom) canvas->SetPixels(b.Left + 1, b.Bottom - 2, color);
    }
    return Shrink(b, 2, sides);
}

namespace {

// fsPopup, fsStatus and the system-coloured styles, shared by both frames of PaintOuterInnerFrames.
TRect PaintBevelOrSystemFrame(TCanvas* canvas, const TRect& r, TFrameStyleEx style, TSides sides, int bevelWidth,
                              TColor highlight, TColor shadow) {
    if (style == fsPopup) return PaintEdgeBands(canvas, r, highlight, shadow, bevelWidth, sides);
    if (style == fsStatus) return PaintEdgeBands(canvas, r, shadow, highlight, bevelWidth, sides);
    if (style > fsNone && style <= fsFlatBold) return PaintFrameStyle(canvas, r, TFrameStyle(style), sides);
    return r;
}

}  // namespace

TRect PaintOuterInnerFrames(TCanvas* canvas, const TRect& bounds, TFrameStyleEx outerStyle, TFrameStyleEx innerStyle,
                            int borderWidth, TSides sides, int bevelWidth, TColor borderColor, TColor borderHighlight,
                            TColor borderShadow, TColor flatColor, int flatColorAdjustment, TColor controlColor,
                            TColor parentColor, bool transparent, bool cutCorners) {
    const TColor flat = ShiftColorLightness(flatColor, flatColorAdjustment);
    TRect r = bounds;

    // The rings under a rounded frame give its cut corners the colours of what lies around
    // them; they only paint, the rounded frame alone moves r.
    switch (outerStyle) {
        case fsFlat: r = PaintEdgeBands(canvas, r, flat, flat, 1, sides); break;
        case fsFlatBold: r = PaintEdgeBands(canvas, r, flat, flat, 2, sides); break;
        case int(fsFlatRounded): {
            const bool framedInside = borderWidth > 0 || innerStyle != fsNone;
            if (!transparent) {
                const TRect second = PaintEdgeBands(canvas, r, parentColor, parentColor, 1, sides);
                const TColor secondColor = framedInside ? borderColor : controlColor;
                PaintEdgeBands(canvas, second, secondColor, secondColor, 1, sides);
            } else if (framedInside) {
                PaintEdgeBands(canvas, InflateRect(r, -1, -1), borderColor, borderColor, 1, sides);
            }
            r = PaintRoundedFlatFrame(canvas, r, flat, sides);
            break;
        }
        default: r = PaintBevelOrSystemFrame(canvas, r, outerStyle, sides, bevelWidth, borderHighlight, borderShadow);
    }

    if (borderWidth > 0) r = PaintEdgeBands(canvas, r, borderColor, borderColor, borderWidth, sides);

    switch (innerStyle) {
        case fsFlat:
            if (cutCorners) {
                if (flat != clNone) {
                    canvas->Pen()->SetColor(flat);
                    VerticalLine(canvas, r.Left, r.Top + 1, r.Bottom - 1);
                    HorizontalLine(canvas, r.Left + 1, r.Right - 1, r.Top);
                    VerticalLine(canvas, r.Right - 1, r.Top + 1, r.Bottom - 1);
                    HorizontalLine(canvas, r.Left + 1, r.Right - 1, r.Bottom - 1);
                }
                r = InflateRect(r, -1, -1);
            } else {
                r = PaintEdgeBands(canvas, r, flat, flat, 1, sides);
            }
            break;
        case fsFlatBold: r = PaintEdgeBands(canvas, r, flat, flat, 2, sides); break;
        case int(fsFlatRounded): {
            const TRect second = PaintEdgeBands(canvas, r, borderColor, borderColor, 1, sides);
            if (!transparent) PaintEdgeBands(canvas, second, controlColor, controlColor, 1, sides);
            r = PaintRoundedFlatFrame(canvas, r, flat, sides);
            break;
        }
        default: r = PaintBevelOrSystemFrame(canvas, r, innerStyle, sides, bevelWidth, borderHighlight, borderShadow);
    }
    return r;
}

void PaintEditFrame(TCanvas* canvas, int width, int height, TFrameStyle style, TColor baseColor, TColor frameColor,
                    TSides sides, bool skipErase) {
    const TRect r{0, 0, width, height};
    if (!skipErase) PaintEdgeBands(canvas, r, baseColor, baseColor, 2, AllSides);
    switch (style) {
        case fsFlat: PaintEdgeLines(canvas, r, frameColor, frameColor, sides); break;
        case fsFlatBold: PaintEdgeBands(canvas, r, frameColor, frameColor, 2, sides); break;
        default:
            if (baseColor == clWindow) PaintFrameStyle(canvas, r, style, sides);
            else PaintTintedFrameStyle(canvas, r, baseColor, style, sides);
    }
}

TRect PaintDottedFocusFrame(TCanvas* canvas, const TRect& bounds) {
    const TRect& b = bounds;
    for (int y = b.Top + 1; y < b.Bottom; y += 2) {
        canvas->SetPixels(b.Left, y, clBlack);
        canvas->SetPixels(b.Right - 1, y, clBlack);
    }
    for (int x = b.Left + 1; x < b.Right; x += 2) {
        canvas->SetPixels(x, b.Top, clBlack);
        canvas->SetPixels(x, b.Bottom - 1, clBlack);
    }
    return InflateRect(b, -1, -1);
}

// ---------------------------------------------------------------- colour arithmetic
// Rounding is to the nearest integer with halves to even (the default floating-point rounding
// mode), which the shade tables of the buttons and tabs were computed with.

namespace {

uint8_t RoundToByte(double value) { return static_cast<uint8_t>(std::nearbyint(std::clamp(value, 0.0, 255.0))); }

}  // namespace

void SplitColorHsl(TColor color, uint8_t& h, uint8_t& s, uint8_t& l) {
    const TColor rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double lightness = (mx + mn) / 2;
    double hue = 0, saturation = 0;
    if (mx != mn) {
        const double d = mx - mn;
        saturation = lightness < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx) hue = (g - b) / d;
        else if (g == mx) hue = 2 + (b - r) / d;
        else hue = 4 + (r - g) / d;
        hue = hue / 6;
        if (hue < 0) hue = hue + 1;
    }
    h = RoundToByte(hue * 240);
    s = RoundToByte(saturation * 240);
    l = RoundToByte(lightness * 240);
}

TColor JoinHslColor(uint8_t h, uint8_t s, uint8_t l) {
    // Hue is read on a scale of 239, saturation and lightness on 240.
    const double hue = h / 239.0, sat = s / 240.0, lum = l / 240.0;
    const double m2 = lum < 0.5 ? lum * (1 + sat) : lum + sat - lum * sat;
    if (m2 <= 0) return clBlack;
    const double m1 = 2 * lum - m2;
    const int k = static_cast<int>(6 * hue);
    const double f = 6 * hue - k;
    const double t = (m2 - m1) * f;
    const double up = m1 + t, down = m2 - t;
    double r, g, b;
    switch (k) {
        case 1: r = down, g = m2, b = m1; break;
        case 2: r = m1, g = m2, b = up; break;
        case 3: r = m1, g = down, b = m2; break;
        case 4: r = up, g = m1, b = m2; break;
        case 5: r = m2, g = m1, b = down; break;
        default: r = m2, g = up, b = m1; break;
    }
    return RGB(RoundToByte(std::min(r, 1.0) * 255), RoundToByte(std::min(g, 1.0) * 255),
               RoundToByte(std::min(b, 1.0) * 255));
}

uint8_t HueOfColor(TColor color) {
    uint8_t h, s, l;
    SplitColorHsl(color, h, s, l);
    return h;
}

TColor DarkenColor(TColor color, uint8_t amount) {
    uint8_t h, s, l;
    SplitColorHsl(color, h, s, l);
    return JoinHslColor(h, s, static_cast<uint8_t>(std::max(l - amount, 0)));
}

TColor LightenColor(TColor color, uint8_t amount) {
    uint8_t h, s, l;
    SplitColorHsl(color, h, s, l);
    return JoinHslColor(h, s, static_cast<uint8_t>(std::min(l + amount, 255)));
}

TColor ShiftColorLightness(TColor color, int amount) {
    if (amount < 0) return DarkenColor(color, static_cast<uint8_t>(-amount));
    if (amount > 0) return LightenColor(color, static_cast<uint8_t>(amount));
    return color;
}

TColor MixColors(TColor color1, TColor color2, uint8_t weight) {
    const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
    const double x = weight / 255.0;
    auto mix = [x](uint8_t c1, uint8_t c2) { return RoundToByte(c1 * x + c2 * (1 - x)); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

bool ColorsLookAlike(TColor color1, TColor color2) {
    uint8_t h1, s1, l1, h2, s2, l2;
    SplitColorHsl(color1, h1, s1, l1);
    SplitColorHsl(color2, h2, s2, l2);
    return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor OppositeHueColor(TColor color, uint8_t lightness) {
    const uint8_t h = HueOfColor(color);
    return JoinHslColor(static_cast<uint8_t>(h >= 120 ? h - 120 : h + 120), 240, lightness);
}

bool DisplayHasManyColors() { return true; }

// ---------------------------------------------------------------- fonts

HFONT MakeAngledFont(TFont* font, int angle) {
    const TFontStyles style = font->Style();
    TLogFont lf;
    lf.Height = font->Height();
    lf.Width = 0;
    lf.Escapement = angle * 10;
    lf.Orientation = 0;
    lf.Weight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.Italic = style.Contains(fsItalic);
    lf.Underline = style.Contains(fsUnderline);
    lf.StrikeOut = style.Contains(fsStrikeOut);
    lf.CharSet = DEFAULT_CHARSET;
    switch (font->Pitch()) {
        case fpVariable: lf.PitchAndFamily = VARIABLE_PITCH; break;
        case fpFixed: lf.PitchAndFamily = FIXED_PITCH; break;
        default: lf.PitchAndFamily = DEFAULT_PITCH; break;
    }
    lf.FaceName = font->Name();
    return CreateFontIndirect(lf);
}

bool IsOutlineFont(TFont* font) {
    const HFONT handle = font->Handle();
    return handle && (handle->Metrics().tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

// ---------------------------------------------------------------- gradient
// Every pattern is a number of colour steps between the two colours. Step k counted from the
// stop colour has, per channel, stop + k × Δ in 16.16 fixed point, Δ = (start − stop) / n
// truncated: the step next to the stop is the stop colour itself, the last one lies one step
// short of the start colour.

namespace {

constexpr int kStripSize = 8;

// The colours of the n steps, indexed by their distance from the stop colour. A merge count
// above 1 gives each group of steps the colour of its step nearest the stop.
std::vector<TPixel> GradientSteps(TColor startRgb, TColor stopRgb, int n, int mergeCount) {
    const int start[3] = {GetRValue(startRgb), GetGValue(startRgb), GetBValue(startRgb)};
    const int stop[3] = {GetRValue(stopRgb), GetGValue(stopRgb), GetBValue(stopRgb)};
    int delta[3];
    for (int c = 0; c < 3; ++c) delta[c] = (start[c] * 65536 - stop[c] * 65536) / n;
    const int merge = std::max(mergeCount, 1);
    std::vector<TPixel> steps(n);
    for (int k = 0; k < n; ++k) {
        const int kk = k - k % merge;
        uint8_t v[3];
        for (int c = 0; c < 3; ++c) v[c] = static_cast<uint8_t>((stop[c] * 65536 + kk * delta[c]) / 65536);
        steps[k] = PixelFromColor(RGB(v[0], v[1], v[2]));
    }
    return steps;
}

// One linear run over `length` rows (or columns) starting at `first` of a strip: position
// first + i takes the step length − 1 − i from the stop. Consecutive positions of one colour
// form a band; bands are filled from the stop end backwards.
void PaintLinearRun(std::vector<TPixel>& strip, int first, int length, TColor startRgb, TColor stopRgb,
                    int mergeCount) {
    if (length <= 0) return;
    const std::vector<TPixel> steps = GradientSteps(startRgb, stopRgb, length, mergeCount);
    // Position p holds step first + length - 1 - p.
    auto stepAt = [&](int p) { return steps[first + length - 1 - p]; };
    int bandEnd = first + length;  // exclusive
    while (bandEnd > first) {
        const TPixel colour = stepAt(bandEnd - 1);
        int bandStart = bandEnd - 1;
        while (bandStart > first && stepAt(bandStart - 1) == colour) --bandStart;
        std::fill(strip.begin() + bandStart, strip.begin() + bandEnd, colour);
        bandEnd = bandStart;
    }
}

// The colour of each row (or column) along a linear pattern: one run, or two runs split at
// the middle with the colours exchanged for the second.
std::vector<TPixel> LinearProfile(int length, bool centred, TColor startRgb, TColor stopRgb, int mergeCount) {
    std::vector<TPixel> profile(length);
    if (!centred) {
        PaintLinearRun(profile, 0, length, startRgb, stopRgb, mergeCount);
    } else {
        const int half = length / 2;
        PaintLinearRun(profile, 0, half, startRgb, stopRgb, mergeCount);
        PaintLinearRun(profile, half, length - half, stopRgb, startRgb, mergeCount);
    }
    return profile;
}

// Rows of uniform colour: each row of the 8-pixel strip is copied side by side across the width.
void PaintRowBands(TBitmap& bitmap, const std::vector<TPixel>& rowColours) {
    const int w = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        TPixel strip[kStripSize];
        std::fill(std::begin(strip), std::end(strip), rowColours[y]);
        TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; x += kStripSize) std::copy_n(strip, std::min(kStripSize, w - x), row + x);
    }
}

// Columns of uniform colour: every row is the row of column colours (what tiling an 8-row
// strip of them downwards gives).
void PaintColumnBands(TBitmap& bitmap, const std::vector<TPixel>& columnColours) {
    for (int y = 0; y < bitmap.Height(); ++y) std::copy(columnColours.begin(), columnColours.end(), bitmap.ScanLine(y));
}

// Nested rectangular bands in the top-left quarter, mirrored onto the other three. The band
// of a pixel is the smaller of its column's and its row's band; band i starts i × half / n
// in from the edge, so a reduced half-width packs the bands nearer the edge.
void PaintBoxBands(TBitmap& bitmap, TGradientDirection direction, TColor startRgb, TColor stopRgb, int mergeCount) {
    const int w = bitmap.Width(), h = bitmap.Height();
    int halfW = w / 2, halfH = h / 2;
    if (direction == gdHorizontalBox || direction == gdBigSquareBox) halfW -= w / 4;
    if (direction == gdVerticalBox || direction == gdBigSquareBox) halfH -= h / 4;
    const int n = std::max({halfW, halfH, 1});
    const std::vector<TPixel> steps = GradientSteps(startRgb, stopRgb, n, mergeCount);
    const int quarterW = (w + 1) / 2, quarterH = (h + 1) / 2;

    // The band of each position along one axis: the largest i with i × half / n <= p, that
    // is i × half < (p + 1) × n.
    auto bandsAlong = [n](int count, int half) {
        std::vector<int> band(count, n - 1);
        if (half > 0)
            for (int p = 0; p < count; ++p)
                band[p] = static_cast<int>(std::min<long long>(n - 1, ((p + 1LL) * n - 1) / half));
        return band;
    };
    const std::vector<int> columnBand = bandsAlong(quarterW, halfW);
    const std::vector<int> rowBand = bandsAlong(quarterH, halfH);

    for (int y = 0; y < quarterH; ++y) {
        TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < quarterW; ++x) row[x] = steps[n - 1 - std::min(columnBand[x], rowBand[y])];
        for (int x = quarterW; x < w; ++x) row[x] = row[w - 1 - x];
    }
    for (int y = quarterH; y < h; ++y) std::copy_n(bitmap.ScanLine(h - 1 - y), w, bitmap.ScanLine(y));
}

// Bands along the diagonals x + y = constant, from the top-left corner (start) to the
// bottom-right one (stop); the downward pattern is the same run mirrored left to right.
void PaintDiagonalBands(TBitmap& bitmap, bool mirrored, TColor startRgb, TColor stopRgb, int mergeCount) {
    const int w = bitmap.Width(), h = bitmap.Height();
    const int n = w + h - 1;
    const std::vector<TPixel> steps = GradientSteps(startRgb, stopRgb, n, mergeCount);
    for (int y = 0; y < h; ++y) {
        TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int diagonal = (mirrored ? w - 1 - x : x) + y;
            row[x] = steps[n - 1 - diagonal];
        }
    }
}

}  // namespace

void PaintGradient(TCanvas* canvas, const TRect& bounds, TGradientDirection direction, TColor startColor,
                   TColor stopColor, int bandMergeCount) {
    const int w = bounds.Width(), h = bounds.Height();
    if (w <= 0 || h <= 0) return;
    const TColor start = ColorToRGB(startColor), stop = ColorToRGB(stopColor);
    // Every band painter below writes every pixel.
    TBitmap bitmap(w, h, TBitmap::TUnfilled{});
    switch (direction) {
        case gdHorizontalEnd:
        case gdHorizontalCenter:
            PaintRowBands(bitmap, LinearProfile(h, direction == gdHorizontalCenter, start, stop, bandMergeCount));
            break;
        case gdVerticalEnd:
        case gdVerticalCenter:
            PaintColumnBands(bitmap, LinearProfile(w, direction == gdVerticalCenter, start, stop, bandMergeCount));
            break;
        case gdHorizontalBox:
        case gdVerticalBox:
        case gdSquareBox:
        case gdBigSquareBox: PaintBoxBands(bitmap, direction, start, stop, bandMergeCount); break;
        case gdDiagonalUp:
        case gdDiagonalDown:
            PaintDiagonalBands(bitmap, direction == gdDiagonalDown, start, stop, bandMergeCount);
            break;
    }
    canvas->Draw(bounds.Left, bounds.Top, &bitmap);
}

// ---------------------------------------------------------------- arrow glyph

bool ArrowGlyphPoints(const TRect& bounds, int direction, bool pressed, bool enabled, std::array<TPoint, 3>& points) {
    const int cx = bounds.Left + (bounds.Right - bounds.Left) / 2;
    int cy = bounds.Top + (bounds.Bottom - bounds.Top) / 2;
    if ((bounds.Bottom - bounds.Top) % 2 == 0) --cy;
    int x = cx, y = cy;
    if (direction == 0 || direction == 1) y += 2;
    else x -= 2;
    if (enabled && pressed) ++x, ++y;
    switch (direction) {
        case 0: points = {TPoint{x, y - 5}, TPoint{x + 4, y}, TPoint{x - 4, y}}; return true;
        case 1: points = {TPoint{x, y + 1}, TPoint{x - 3, y - 3}, TPoint{x + 4, y - 3}}; return true;
        case 2: points = {TPoint{x, y}, TPoint{x + 4, y - 4}, TPoint{x + 4, y + 4}}; return true;
        case 3: points = {TPoint{x + 4, y}, TPoint{x, y + 4}, TPoint{x, y - 4}}; return true;
        default: return false;
    }
}

void PaintArrowGlyph(TCanvas* canvas, const TRect& bounds, bool /*themed*/, int direction, bool pressed, bool enabled) {
    std::array<TPoint, 3> points;
    if (!ArrowGlyphPoints(bounds, direction, pressed, enabled, points)) return;
    const TColor savedBrush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(enabled ? clBlack : clBtnShadow);
    canvas->Pen()->SetStyle(psClear);  // filled, without an outline
    canvas->Polygon(points.data(), static_cast<int>(points.size()));
    canvas->Brush()->SetColor(savedBrush);
    canvas->Pen()->SetStyle(psSolid);
}

// ---------------------------------------------------------------- parent background

void PaintParentBackground(TControl* control, TCanvas* dc, bool invalidateParent) {
    TWinControl* parent = control->Parent();
    if (parent == nullptr) return;
    // A windowless control is painted as part of its parent; asking again from inside that
    // nested paint would never end.
    static std::vector<const TControl*> inProgress;
    if (std::find(inProgress.begin(), inProgress.end(), control) != inProgress.end()) return;
    inProgress.push_back(control);
    TScopeExit pop([] { inProgress.pop_back(); });
    const bool designing = control->ComponentState().Contains(csDesigning);
    {
        TCanvasStateSaver saver(dc);
        // Parent coordinates land where the parent's pixels lie behind the control.
        dc->OffsetViewportOrigin(-control->Left(), -control->Top());
        dc->IntersectClipRect(Rect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
        try {
            parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
            parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
        } catch (...) {
            if (!designing) throw;
        }
    }
    if (invalidateParent && !designing && dynamic_cast<TCustomControl*>(parent) == nullptr &&
        dynamic_cast<TCustomForm*>(parent) == nullptr)
        parent->Invalidate();
}
