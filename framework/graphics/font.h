// Fonts. TFont is the description a control publishes (Name, Height, Style, …); a realised
// font (TFontObject, handed around as HFONT) is a FreeType face at one pixel size, style and
// escapement, found through fontconfig, with its glyph bitmaps and advances cached so that
// measuring text never rasterises.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/base/types.h"
#include "framework/graphics/color.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset EASTEUROPE_CHARSET = 238;
constexpr TFontCharset RUSSIAN_CHARSET = 204;
constexpr TFontCharset GREEK_CHARSET = 161;
constexpr TFontCharset TURKISH_CHARSET = 162;
constexpr TFontCharset BALTIC_CHARSET = 186;

// Pitch-and-family bits of a font description and of text metrics.
constexpr uint8_t DEFAULT_PITCH = 0;
constexpr uint8_t FIXED_PITCH = 1;
constexpr uint8_t VARIABLE_PITCH = 2;
constexpr uint8_t TMPF_TRUETYPE = 4;  // in TTextMetric::tmPitchAndFamily: a scalable face
// GDI's other metric bits: TMPF_FIXED_PITCH is, as there, set for a *variable*-pitch face.
constexpr uint8_t TMPF_FIXED_PITCH = 1;
constexpr uint8_t TMPF_VECTOR = 2;
// Families (high nibble of the pitch-and-family byte).
constexpr uint8_t FF_DONTCARE = 0x00;
constexpr uint8_t FF_ROMAN = 0x10;
constexpr uint8_t FF_SWISS = 0x20;
constexpr uint8_t FF_MODERN = 0x30;
constexpr uint8_t FF_SCRIPT = 0x40;
constexpr uint8_t FF_DECORATIVE = 0x50;

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// What a font is created from. Height < 0: character height in pixels (cell less internal
// leading); Height > 0: cell height; 0: a default size. Escapement in tenths of a degree,
// counter-clockwise.
struct TLogFont {
    int Height = 0;
    int Width = 0;
    int Escapement = 0;
    int Orientation = 0;
    int Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TFontCharset CharSet = DEFAULT_CHARSET;
    uint8_t PitchAndFamily = DEFAULT_PITCH;
    std::string FaceName;
    friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

// GDI-style metrics of a realised font, in pixels.
struct TTextMetric {
    int tmHeight = 0;  // ascent + descent: the cell height
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = FW_NORMAL;
    uint8_t tmItalic = 0;
    uint8_t tmUnderlined = 0;
    uint8_t tmStruckOut = 0;
    uint8_t tmPitchAndFamily = 0;
    TFontCharset tmCharSet = DEFAULT_CHARSET;
};

class TFontObject;
using HFONT = std::shared_ptr<TFontObject>;

// A realised font. Cached: equal descriptions share one object. Fonts may be realised on
// another thread while this one uses none (a program preparing its window as it starts);
// a realised font is used by one thread at a time.
HFONT CreateFontIndirect(const TLogFont& description);

// Realised fonts, with the glyphs and advances they have made, can be kept in a file for
// the next start, which then realises them without reading a font. Kept fonts hold while
// the font files, fontconfig's folders and configuration and the program are as they were;
// otherwise, and whatever is wrong with the file, fonts are realised as without it.
// The file to use, "" for none (the default); set before the first font is realised.
void SetFontCacheFile(std::string path);
// $XDG_CACHE_HOME/<program>/fonts, or ~/.cache/<program>/fonts; "" without either.
std::string DefaultFontCacheFile(std::string_view program);
// Writes the file when a font was realised or a glyph rasterised since it was read or last
// written. False when nothing could be written: no file set, fonts configured by the
// environment, fontconfig's folders changed since it was read, or the write failed.
bool SaveRealisedFonts();
// Lets go of every realised font (handles held elsewhere stay as they are): the next ones
// are realised afresh, from the file when one is set, as by a new start.
void ForgetRealisedFonts();

class TFontObject {
public:
    virtual ~TFontObject() = default;
    virtual const TLogFont& LogFont() const = 0;
    virtual const TTextMetric& Metrics() const = 0;
    // The family fontconfig actually gave us ("Tahoma" for Wine's Tahoma, "DejaVu Sans", …).
    virtual const std::string& RealisedFamily() const = 0;
    // Advance of one ANSI character (the locale's code page), in whole pixels, from a dense
    // table filled when the font is realised.
    virtual int CharAdvance(uint8_t ch) const = 0;
    // Sum of advances along the writing direction; no kerning.
    virtual int TextWidth(std::string_view text) const = 0;
};

class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);  // copies the description, not OnChange
    ~TFont();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Points at PixelsPerInch: Size = -Height * 72 / PixelsPerInch (rounded).
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    static constexpr int PixelsPerInch = 96;

    // Copies every setting (and an adopted handle) from source, then signals one change.
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

    // The realised font of the current description, created on first use and cached; or
    // the handle adopted through SetHandle until the description changes again.
    HFONT Handle() const;
    // Adopts a font created elsewhere (an angled font for rotated text): the description
    // takes the handle's height, weight, style and face name, and text drawn with this font
    // uses that very handle, escapement included.
    void SetHandle(HFONT handle);

    // Called after every change of any setting.
    std::function<void()> OnChange;

private:
    void Changed();
    // Every setting and the handle; the one list of what a copy of a font takes.
    void CopyDescription(const TFont& source);
    std::string FName;
    int FHeight;
    TFontStyles FStyle;
    TColor FColor;
    TFontCharset FCharset;
    TFontPitch FPitch;
    mutable HFONT FHandle;  // realised or adopted; reset by any description change
};

// A TLogFont that describes the TFont (escapement 0).
TLogFont LogFontOf(const TFont& font);
