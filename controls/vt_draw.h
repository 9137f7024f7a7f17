// The control set's shared drawing vocabulary: frame styles and sides, the painters that draw
// frames pixel by pixel and return the rectangle left inside them (so frames nest), colour
// arithmetic on a 240-step hue/saturation/lightness scale, angled fonts, gradients and the
// scroller's arrow glyph. Everything draws through a TCanvas; nothing here owns a window.
//
// Sections: frame vocabulary · frame painters · colour arithmetic · fonts · gradient and glyph ·
//           parent background
#pragma once

#include <array>
#include <cstdint>

#include "framework/base/types.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/color.h"
#include "framework/graphics/font.h"

class TControl;

// ---------------------------------------------------------------- frame vocabulary

enum TFrameStyle {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold
};

// TFrameStyle plus fsFlatRounded (ordinal 11). Two plain enums cannot share value names, and
// an enum never converts to another implicitly, so the extended style is a small value type:
// every TFrameStyle value converts to it implicitly (callers write fsFlat for both types),
// TFrameStyleEx(11) builds it from its ordinal, it converts to int implicitly (switch, ==,
// streaming) and to TFrameStyle explicitly (TFrameStyle(style) for ordinals 0..10).
class TFrameStyleEx {
public:
    constexpr TFrameStyleEx() = default;
    constexpr TFrameStyleEx(TFrameStyle style) : FOrdinal(style) {}
    constexpr explicit TFrameStyleEx(int ordinal) : FOrdinal(ordinal) {}
    constexpr operator int() const { return FOrdinal; }
    constexpr explicit operator TFrameStyle() const { return static_cast<TFrameStyle>(FOrdinal); }

private:
    int FOrdinal = fsNone;
};
inline constexpr TFrameStyleEx fsFlatRounded{11};

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = Set<TSide>;  // bits 1, 2, 4, 8 as stored
inline constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

// Pixels one side of the frame takes: what the painters consume and what a framed container
// subtracts for its client area. fsStatus and fsPopup are as wide as the bevel.
int FrameThickness(TFrameStyleEx style, int bevelWidth);

// ---------------------------------------------------------------- frame painters
// UL colour: left and top lines; LR colour: right and bottom lines, drawn last so that they
// win the top-right and bottom-left pixels. clNone draws nothing but the sides still move in.

// One-pixel lines on the requested sides; returns the bounds less 1 on each of them.
TRect PaintEdgeLines(TCanvas* canvas, const TRect& bounds, TColor ulColor, TColor lrColor, TSides sides);
// count nested edge lines (pen width 1); count <= 0 draws nothing.
TRect PaintEdgeBands(TCanvas* canvas, const TRect& bounds, TColor ulColor, TColor lrColor, int count, TSides sides);
// The system-coloured lowered or raised two-pixel bevel.
TRect PaintBevelEdges(TCanvas* canvas, const TRect& bounds, bool lowered, TSides sides);
// The system-coloured two-pixel push-button edge.
TRect PaintButtonEdges(TCanvas* canvas, const TRect& bounds, bool down, TSides sides);
TRect PaintButtonEdges(TCanvas* canvas, const TRect& bounds, bool down);
// The button edge in shades of baseColor.
TRect PaintTintedButtonEdges(TCanvas* canvas, const TRect& bounds, TColor baseColor, bool down, TSides sides);
TRect PaintTintedButtonEdges(TCanvas* canvas, const TRect& bounds, TColor baseColor, bool down);
// A frame style in system colours.
TRect PaintFrameStyle(TCanvas* canvas, const TRect& bounds, TFrameStyle style, TSides sides);
TRect PaintFrameStyle(TCanvas* canvas, const TRect& bounds, TFrameStyle style);
// A frame style in shades of baseColor (for controls whose colour is not clWindow).
TRect PaintTintedFrameStyle(TCanvas* canvas, const TRect& bounds, TColor baseColor, TFrameStyle style, TSides sides);
TRect PaintTintedFrameStyle(TCanvas* canvas, const TRect& bounds, TColor baseColor, TFrameStyle style);
// A one-pixel frame with cut corners (three pixels of each corner left untouched).
TRect PaintRoundedFlatFrame(TCanvas* canvas, const TRect& bounds, TColor color, TSides sides);
// The panel's and label's frame: outer style, solid border band, inner style. Returns the area
// left for the fill and the content.
TRect PaintOuterInnerFrames(TCanvas* canvas, const TRect& bounds, TFrameStyleEx outerStyle, TFrameStyleEx innerStyle,
                            int borderWidth, TSides sides, int bevelWidth, TColor borderColor, TColor borderHighlight,
                            TColor borderShadow, TColor flatColor, int flatColorAdjustment, TColor controlColor,
                            TColor parentColor, bool transparent, bool cutCorners);
// The non-client frame of edits and memos on (0, 0, width, height).
void PaintEditFrame(TCanvas* canvas, int width, int height, TFrameStyle style, TColor baseColor, TColor frameColor,
                    TSides sides, bool skipErase);
// Black dots on every other pixel of the outline; returns the bounds less 1 on every side.
TRect PaintDottedFocusFrame(TCanvas* canvas, const TRect& bounds);

// ---------------------------------------------------------------- colour arithmetic
// H, S and L run from 0 to 240. System colours are resolved here, when the channels are needed.

void SplitColorHsl(TColor color, uint8_t& h, uint8_t& s, uint8_t& l);
TColor JoinHslColor(uint8_t h, uint8_t s, uint8_t l);
uint8_t HueOfColor(TColor color);
TColor DarkenColor(TColor color, uint8_t amount);
TColor LightenColor(TColor color, uint8_t amount);
// Negative amounts darken, positive ones lighten (as an 8-bit amount); 0 returns the colour
// itself, unresolved.
TColor ShiftColorLightness(TColor color, int amount);
// weight 255 gives color1, 0 gives color2.
TColor MixColors(TColor color1, TColor color2, uint8_t weight);
// Close in hue and lightness; saturation is ignored.
bool ColorsLookAlike(TColor color1, TColor color2);
// Fully saturated, at the given lightness, half way round the hue circle.
TColor OppositeHueColor(TColor color, uint8_t lightness);
// Our surfaces are 32-bit, so gradients are always worth drawing.
bool DisplayHasManyColors();

// ---------------------------------------------------------------- fonts

// A new realised font like font, rotated counter-clockwise by angle whole degrees.
HFONT MakeAngledFont(TFont* font, int angle);
// Scalable faces can be rotated; bitmap faces cannot.
bool IsOutlineFont(TFont* font);

// ---------------------------------------------------------------- gradient and glyph

enum TGradientDirection {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};

// Draws the pattern off-screen and copies it to the bounds' top-left corner in one go.
// bandMergeCount > 1 gives each group of that many steps the colour of the step nearest
// stopColor.
void PaintGradient(TCanvas* canvas, const TRect& bounds, TGradientDirection direction, TColor startColor,
                   TColor stopColor, int bandMergeCount);

// The tab scroller's triangle: direction 0 up, 1 down, 2 left, 3 right; anything else draws
// nothing. Only the classic look exists here, so themed is accepted and ignored.
void PaintArrowGlyph(TCanvas* canvas, const TRect& bounds, bool themed, int direction, bool pressed, bool enabled);
// The triangle's corners for PaintArrowGlyph; false for a direction outside 0..3.
bool ArrowGlyphPoints(const TRect& bounds, int direction, bool pressed, bool enabled, std::array<TPoint, 3>& points);

// ---------------------------------------------------------------- parent background

// What a transparent control shows behind itself: the parent's erase and paint drawn into dc
// in the control's own coordinates, clipped to the parent's client area. With
// invalidateParent, a parent that is a plain windowed container (not custom drawn, not a
// form) is also invalidated so that it repaints around the control.
void PaintParentBackground(TControl* control, TCanvas* dc, bool invalidateParent);
