// The one text layout engine behind DrawText: accelerator prefixes, line breaks, word
// wrapping, tab expansion and ellipses, measured with a realised font's advances. It only
// places glyphs; the canvas draws them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/graphics/font.h"

struct TLaidGlyph {
    uint8_t Ch;
    int X;  // pen position from the line's start
};

struct TLaidLine {
    std::vector<TLaidGlyph> Glyphs;  // expanded tabs are not among them
    int Width = 0;
    // The accelerator character's span, to be underlined; PrefixWidth 0 when there is none.
    int PrefixX = 0;
    int PrefixWidth = 0;
};

struct TTextLayout {
    std::vector<TLaidLine> Lines;
    int Width = 0;       // of the widest line
    int LineHeight = 0;  // the font's cell height
    int Height() const { return static_cast<int>(Lines.size()) * LineHeight; }
};

// Lays text out for a rectangle maxWidth pixels wide with DrawText's DT_ flags (the
// placement flags are the caller's).
TTextLayout LayoutText(const TFontObject& font, std::string_view text, int maxWidth, unsigned flags);
