// The inside of a realised font, for the text code only: glyph coverage images and the
// line positions the text code draws underline and strike-out from. Every HFONT that
// CreateFontIndirect hands out is one of these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/graphics/font.h"

// One rasterised glyph: coverage 0..255 per pixel, row by row. (Left, Top) is the offset of
// the image's top-left pixel from the pen position on the baseline, Top counting upwards,
// as FreeType's bitmap_left / bitmap_top do.
struct TGlyphImage {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Rows = 0;
    std::vector<uint8_t> Coverage;
};

// Offsets in pixels from the baseline, positive downwards, of the first row of a line.
struct TDecorationMetrics {
    int UnderlineOffset = 1;
    int UnderlineThickness = 1;
    int StrikeOutOffset = -3;
    int StrikeOutThickness = 1;
};

class TRealisedFont : public TFontObject {
public:
    // Rotated glyphs are cached per quarter-pixel phase of their origin.
    static constexpr int kPhases = 4;

    // Baseline angle, counter-clockwise, in radians; zero for upright text.
    virtual double Angle() const = 0;
    bool Rotated() const { return Angle() != 0.0; }
    virtual const TDecorationMetrics& Decorations() const = 0;
    // The glyph of an ANSI byte. For rotated fonts phaseX / phaseY (0..kPhases-1) say how
    // far right and down, in quarter pixels, the origin lies from its pixel corner; upright
    // glyphs ignore them. Rasterised once, then served from the cache.
    virtual const TGlyphImage& Glyph(uint8_t ch, int phaseX = 0, int phaseY = 0) const = 0;
};

// How many glyphs all fonts have rasterised so far, on any thread: what a first picture
// still rasterises itself, and what was rasterised ahead of it, can be counted.
std::size_t GlyphsRasterised();

inline const TRealisedFont& Realised(const HFONT& font) { return static_cast<const TRealisedFont&>(*font); }
