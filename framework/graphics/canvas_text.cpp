// The canvas's text: TextOut with the reference alignment (upright and rotated), TextRect,
// measuring, and DrawText on top of the layout engine.
//
// Sections: drawing helpers (glyph runs, decorations) · TextOut and TextRect · measuring ·
// DrawText
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <optional>

#include "framework/graphics/canvas.h"
#include "framework/graphics/realised_font.h"
#include "framework/graphics/text_layout.h"

// ---------------------------------------------------------------- drawing helpers

namespace {

// Pixel coordinates from the baseline's doubles, stopping at the integer limits (far outside
// any surface) for text placed near them. For values in range WholePixel truncates as a
// plain conversion does; RoundPixel rounds halves away from zero.
int WholePixel(double v) { return v >= INT_MAX ? INT_MAX : v <= INT_MIN ? INT_MIN : static_cast<int>(v); }
int RoundPixel(double v) { return WholePixel(std::round(v)); }

// The baseline frame of a run: where the baseline starts (logical coordinates), the writing
// direction U and the "down" direction V of the glyphs.
struct TBaseline {
    double X = 0, Y = 0;
    double Ux = 1, Uy = 0;
    double Vx = 0, Vy = 1;
    TPoint At(double u, double v) const { return {RoundPixel(X + u * Ux + v * Vx), RoundPixel(Y + u * Uy + v * Vy)}; }
};

TBaseline BaselineFor(const TRealisedFont& font, double x, double y) {
    TBaseline b;
    b.X = x;
    b.Y = y;
    if (font.Rotated()) {
        const double a = font.Angle();
        // Counter-clockwise on a screen whose y axis points down.
        b.Ux = std::cos(a);
        b.Uy = -std::sin(a);
        b.Vx = std::sin(a);
        b.Vy = std::cos(a);
    }
    return b;
}

// Where text may draw: the canvas, and optionally a rectangle of its own (DrawText's and
// TextRect's), kept here rather than as a clip region because it is only a rectangle.
struct TTextTarget {
    TCanvas& Canvas;
    std::optional<TRect> Clip;  // logical coordinates

    TRect ClipLogical(const TRect& r) const { return Clip ? IntersectRect(r, *Clip) : r; }
    // The part of r that can show: inside the text's own clip and the canvas's clip box.
    TRect Visible(const TRect& r) const { return IntersectRect(ClipLogical(r), Canvas.ClipRect()); }
    void Plot(int lx, int ly, TColor rgb, uint8_t coverage) const {
        if (Clip && !Clip->Contains({lx, ly})) return;
        const TPoint s = Canvas.ToSurface(lx, ly);
        Canvas.BlendSurfacePixel(s.X, s.Y, rgb, coverage);
    }
};

// Where a logical block lands on the surface, if it lands whole: both corners unsaturated,
// so the translation is the same for every pixel between them.
std::optional<TPoint> SurfaceBlock(const TCanvas& canvas, const TRect& box) {
    const TPoint a = canvas.ToSurface(box.Left, box.Top), b = canvas.ToSurface(box.Right, box.Bottom);
    if (a.X == INT_MIN || a.Y == INT_MIN || b.X == INT_MAX || b.Y == INT_MAX) return std::nullopt;
    if (int64_t{b.X} - a.X != int64_t{box.Right} - box.Left || int64_t{b.Y} - a.Y != int64_t{box.Bottom} - box.Top)
        return std::nullopt;
    return a;
}

void BlitGlyph(const TTextTarget& target, const TGlyphImage& g, int penX, int penY, TColor rgb) {
    const int left = SaturatingAdd(penX, g.Left), top = SaturatingAdd(penY, -int64_t{g.Top});
    const TRect box = target.ClipLogical({left, top, SaturatingAdd(left, g.Width), SaturatingAdd(top, g.Rows)});
    if (box.IsEmpty()) return;
    if (const std::optional<TPoint> at = SurfaceBlock(target.Canvas, box)) {
        const uint8_t* first =
            g.Coverage.data() + static_cast<std::size_t>(box.Top - top) * g.Width + (box.Left - left);
        target.Canvas.BlendSurfaceBlock(at->X, at->Y, first, g.Width, box.Width(), box.Height(), rgb);
        return;
    }
    for (int y = box.Top; y < box.Bottom; ++y) {
        const uint8_t* row = g.Coverage.data() + static_cast<std::size_t>(y - top) * g.Width;
        const TPoint s = target.Canvas.ToSurface(box.Left, y);
        // A run that starts on a saturated coordinate cannot be placed pixel for pixel.
        if (s.X == INT_MIN || s.X == INT_MAX || s.Y == INT_MIN || s.Y == INT_MAX) {
            for (int x = box.Left; x < box.Right; ++x)
                if (const uint8_t c = row[x - left]) {
                    const TPoint p = target.Canvas.ToSurface(x, y);
                    target.Canvas.BlendSurfacePixel(p.X, p.Y, rgb, c);
                }
            continue;
        }
        target.Canvas.BlendSurfaceRow(s.X, s.Y, row + (box.Left - left), box.Width(), rgb);
    }
}

// Glyphs at pen positions along the baseline. Upright runs sit on whole pixels; rotated
// ones on quarter pixels, each phase rasterised once by the font.
template <class Glyphs>
void DrawGlyphs(const TTextTarget& target, const TRealisedFont& font, const TBaseline& b, const Glyphs& glyphs,
                TColor rgb) {
    constexpr int phases = TRealisedFont::kPhases;
    for (const auto& [ch, penX] : glyphs) {
        if (!font.Rotated()) {
            BlitGlyph(target, font.Glyph(ch), SaturatingAdd(WholePixel(b.X), penX), WholePixel(b.Y), rgb);
            continue;
        }
        const double fx = b.X + penX * b.Ux, fy = b.Y + penX * b.Uy;
        const double flx = std::floor(fx), fly = std::floor(fy);
        if (std::abs(flx) >= INT_MAX - 1 || std::abs(fly) >= INT_MAX - 1) continue;  // far outside
        int ix = static_cast<int>(flx), iy = static_cast<int>(fly);
        int px = static_cast<int>(std::lround((fx - ix) * phases)),
            py = static_cast<int>(std::lround((fy - iy) * phases));
        if (px == phases) ++ix, px = 0;
        if (py == phases) ++iy, py = 0;
        BlitGlyph(target, font.Glyph(ch, px, py), ix, iy, rgb);
    }
}

// The coverage of a slanted band over the pixels of box: for each row, the columns some
// sample reaches, each with its hits out of sixteen as a coverage byte.
struct TBandCoverage {
    struct TRow {
        int Y, From, To;
        std::size_t Offset;  // into Bytes
    };
    std::vector<TRow> Rows;
    std::vector<uint8_t> Bytes;
};

TBandCoverage MeasureBand(const TBaseline& b, double u0, double u1, double v0, double v1, const TRect& box) {
    TBandCoverage out;
    // Sixteen samples a pixel. Along one row of samples the band is an interval of x, worked
    // out first with a pixel to spare; only the samples there are tested, each exactly as
    // every sample would be, so the coverage is the same as testing the whole box.
    std::vector<int> hits(static_cast<std::size_t>(box.Width()));
    auto slab = [](double lo, double hi, double along, double across, double& from, double& to) {
        // lo <= t * along + across < hi for the t in [from, to].
        if (along == 0) {
            if (!(across >= lo && across < hi)) from = 1, to = 0;
            return;
        }
        double a = (lo - across) / along, c = (hi - across) / along;
        if (a > c) std::swap(a, c);
        from = std::max(from, a), to = std::min(to, c);
    };
    for (int y = box.Top; y < box.Bottom; ++y) {
        // Only the columns some sample row reaches are counted and kept: a thin slanted line
        // crosses a few pixels of each row of its long box.
        int touchedFrom = box.Right, touchedTo = box.Left;
        for (int sy = 0; sy < 4; ++sy) {
            const double dyRow = y + (sy + 0.5) / 4 - b.Y;
            double from = -1e300, to = 1e300;  // in dx
            slab(u0, u1, b.Ux, dyRow * b.Uy, from, to);
            slab(v0, v1, b.Vx, dyRow * b.Vy, from, to);
            if (from > to) continue;
            const double left = std::max<double>(box.Left, std::floor(from + b.X) - 1);
            const double right = std::min<double>(box.Right - 1, std::floor(to + b.X) + 1);
            // Pixels whose four samples lie well inside the interval need no test: all hit.
            const double inLeft = std::ceil(from + b.X + 1e-6), inRight = std::floor(to + b.X - 1e-6) - 1;
            if (left > right) continue;
            touchedFrom = std::min(touchedFrom, static_cast<int>(left));
            touchedTo = std::max(touchedTo, static_cast<int>(right) + 1);
            for (int x = static_cast<int>(left); x <= static_cast<int>(right); ++x) {
                if (x >= inLeft && x <= inRight) {
                    hits[x - box.Left] += 4;
                    continue;
                }
                for (int sx = 0; sx < 4; ++sx) {
                    // Back into the text frame: u along U, v along V (an orthonormal pair).
                    const double dx = x + (sx + 0.5) / 4 - b.X, dy = y + (sy + 0.5) / 4 - b.Y;
                    const double u = dx * b.Ux + dy * b.Uy, v = dx * b.Vx + dy * b.Vy;
                    if (u >= u0 && u < u1 && v >= v0 && v < v1) ++hits[x - box.Left];
                }
            }
        }
        if (touchedFrom >= touchedTo) continue;
        out.Rows.push_back({y, touchedFrom, touchedTo, out.Bytes.size()});
        for (int x = touchedFrom; x < touchedTo; ++x) {
            int& n = hits[x - box.Left];
            out.Bytes.push_back(static_cast<uint8_t>(n * 255 / 16));
            n = 0;
        }
    }
    return out;
}

// A turned label paints the same bands (its copies, its underline) at every repaint: the
// last few are kept, each under exactly what it was measured from.
const TBandCoverage& BandCoverage(const TBaseline& b, double u0, double u1, double v0, double v1, const TRect& box) {
    struct TEntry {
        std::array<double, 10> Key;
        TRect Box;
        TBandCoverage Coverage;
    };
    constexpr std::size_t kKept = 8;
    thread_local std::vector<TEntry> kept;
    thread_local std::size_t next = 0;
    const std::array<double, 10> key = {b.X, b.Y, b.Ux, b.Uy, b.Vx, b.Vy, u0, u1, v0, v1};
    for (const TEntry& e : kept)
        if (e.Key == key && e.Box == box) return e.Coverage;
    TEntry made{key, box, MeasureBand(b, u0, u1, v0, v1, box)};
    if (kept.size() < kKept) {
        kept.push_back(std::move(made));
        return kept.back().Coverage;
    }
    TEntry& slot = kept[next];
    next = (next + 1) % kKept;
    slot = std::move(made);
    return slot.Coverage;
}

// A band of the text frame: u in [u0, u1) along the baseline, v in [v0, v1) downwards.
// Upright bands are whole pixels; rotated ones are covered by 4 × 4 samples per pixel.
void FillBand(const TTextTarget& target, const TBaseline& b, double u0, double u1, double v0, double v1, TColor rgb) {
    if (u1 <= u0 || v1 <= v0) return;
    if (b.Uy == 0 && b.Vx == 0 && b.Ux == 1) {
        const TRect band =
            target.Visible({WholePixel(b.X + u0), WholePixel(b.Y + v0), WholePixel(b.X + u1), WholePixel(b.Y + v1)});
        if (band.IsEmpty()) return;
        if (const std::optional<TPoint> at = SurfaceBlock(target.Canvas, band)) {
            // One row of full coverage serves every row (stride 0).
            thread_local std::vector<uint8_t> opaque;
            if (opaque.size() < static_cast<std::size_t>(band.Width())) opaque.assign(band.Width(), 255);
            target.Canvas.BlendSurfaceBlock(at->X, at->Y, opaque.data(), 0, band.Width(), band.Height(), rgb);
            return;
        }
        for (int y = band.Top; y < band.Bottom; ++y)
            for (int x = band.Left; x < band.Right; ++x) target.Plot(x, y, rgb, 255);
        return;
    }
    const std::array<TPoint, 4> corners = {b.At(u0, v0), b.At(u1, v0), b.At(u1, v1), b.At(u0, v1)};
    int minX = corners[0].X, maxX = minX, minY = corners[0].Y, maxY = minY;
    for (const TPoint& p : corners) {
        minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
    }
    // Every pixel the band may touch, one around its corners, as far as it can show.
    const TRect box = target.Visible(
        {SaturatingAdd(minX, -1), SaturatingAdd(minY, -1), SaturatingAdd(maxX, 2), SaturatingAdd(maxY, 2)});
    if (box.IsEmpty()) return;
    const TBandCoverage& coverage = BandCoverage(b, u0, u1, v0, v1, box);
    for (const TBandCoverage::TRow& row : coverage.Rows) {
        const uint8_t* bytes = coverage.Bytes.data() + row.Offset;
        const TRect span = {row.From, row.Y, row.To, row.Y + 1};
        if (const std::optional<TPoint> at = SurfaceBlock(target.Canvas, span)) {
            target.Canvas.BlendSurfaceBlock(at->X, at->Y, bytes, 0, span.Width(), 1, rgb);
            continue;
        }
        for (int x = row.From; x < row.To; ++x)
            if (const uint8_t c = bytes[x - row.From]) target.Plot(x, row.Y, rgb, c);
    }
}

// The cell behind a run, in the brush: the rectangle itself upright, a polygon rotated.
void FillCell(const TTextTarget& target, const TRealisedFont& font, const TBaseline& b, int width) {
    const TTextMetric& tm = font.Metrics();
    if (!font.Rotated()) {
        const int x = WholePixel(b.X), y = WholePixel(b.Y);
        target.Canvas.FillRect(target.ClipLogical(
            {x, SaturatingAdd(y, -int64_t{tm.tmAscent}), SaturatingAdd(x, width), SaturatingAdd(y, tm.tmDescent)}));
        return;
    }
    const TPoint origin = target.Canvas.ViewportOrigin();
    std::array<TPoint, 4> pts = {b.At(0, -tm.tmAscent), b.At(width, -tm.tmAscent), b.At(width, tm.tmDescent),
                                 b.At(0, tm.tmDescent)};
    for (TPoint& p : pts) p = {SaturatingAdd(p.X, origin.X), SaturatingAdd(p.Y, origin.Y)};
    TRegion cell = TRegion::FromPolygon(pts.data(), 4);
    if (target.Clip) cell = cell.Intersect(OffsetRect(*target.Clip, origin.X, origin.Y));
    target.Canvas.FillRegion(cell);
}

void DrawDecorations(const TTextTarget& target, const TRealisedFont& font, const TBaseline& b, int width, TColor rgb) {
    const TLogFont& lf = font.LogFont();
    const TDecorationMetrics& d = font.Decorations();
    if (lf.Underline) FillBand(target, b, 0, width, d.UnderlineOffset, d.UnderlineOffset + d.UnderlineThickness, rgb);
    if (lf.StrikeOut) FillBand(target, b, 0, width, d.StrikeOutOffset, d.StrikeOutOffset + d.StrikeOutThickness, rgb);
}

}  // namespace

// ---------------------------------------------------------------- TextOut and TextRect

namespace {

// Where the baseline of a run starts for a reference point and the text alignment: the
// alignment is measured along the (possibly rotated) baseline.
TBaseline PlaceRun(const TRealisedFont& font, unsigned align, int x, int y, int width) {
    const TTextMetric& tm = font.Metrics();
    const unsigned h = align & TA_HORZMASK, v = align & TA_VERTMASK;
    const int du = h == TA_CENTER ? -(width / 2) : h == TA_RIGHT ? -width : 0;
    const int dv = v == TA_BASELINE ? 0 : v == TA_BOTTOM ? -tm.tmDescent : tm.tmAscent;
    TBaseline b = BaselineFor(font, x, y);
    if (!font.Rotated()) {
        b.X = double(x) + du;
        b.Y = double(y) + dv;
    } else {
        b.X = x + du * b.Ux + dv * b.Vx;
        b.Y = y + du * b.Uy + dv * b.Vy;
    }
    return b;
}

void DrawRun(const TTextTarget& target, const TRealisedFont& font, const TBaseline& b, std::string_view text, int width,
             bool fillCell, TColor color) {
    if (fillCell) FillCell(target, font, b, width);
    if (color == clNone) return;
    const TColor rgb = ColorToRGB(color);
    std::vector<TLaidGlyph> glyphs;
    glyphs.reserve(text.size());
    int pen = 0;
    for (char c : text) {
        const auto ch = static_cast<uint8_t>(c);
        glyphs.push_back({ch, pen});
        pen += font.CharAdvance(ch);
    }
    DrawGlyphs(target, font, b, glyphs, rgb);
    DrawDecorations(target, font, b, width, rgb);
}

}  // namespace

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (!FSurface) return;
    const HFONT handle = FFont.Handle();
    const TRealisedFont& font = Realised(handle);
    const int width = font.TextWidth(text);
    DrawRun({*this, std::nullopt}, font, PlaceRun(font, FTextAlign, x, y, width), text, width,
            FBrush.Style() != bsClear, FFont.Color());
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
    if (!FSurface) return;
    if (FBrush.Style() != bsClear) FillRect(r);
    const HFONT handle = FFont.Handle();
    const TRealisedFont& font = Realised(handle);
    const int width = font.TextWidth(text);
    DrawRun({*this, r}, font, PlaceRun(font, FTextAlign, x, y, width), text, width, false, FFont.Color());
}

// ---------------------------------------------------------------- measuring

int TCanvas::TextWidth(std::string_view text) { return FFont.Handle()->TextWidth(text); }

int TCanvas::TextHeight(std::string_view) { return FFont.Handle()->Metrics().tmHeight; }

TSize TCanvas::TextExtent(std::string_view text) {
    const HFONT font = FFont.Handle();
    return {font->TextWidth(text), font->Metrics().tmHeight};
}

TTextMetric TCanvas::TextMetrics() { return FFont.Handle()->Metrics(); }

// ---------------------------------------------------------------- DrawText

int TCanvas::DrawText(std::string_view text, TRect& r, unsigned flags) {
    const HFONT handle = FFont.Handle();
    const TRealisedFont& font = Realised(handle);
    const TTextLayout layout = LayoutText(font, text, r.Width(), flags);
    const int height = layout.Height();
    if (flags & DT_CALCRECT) {
        r.Right = SaturatingAdd(r.Left, layout.Width);
        r.Bottom = SaturatingAdd(r.Top, height);
        return height;
    }
    if (!FSurface || layout.Lines.empty()) return height;

    // Positions in 64 bits, saturated where they become pixels.
    int64_t top = r.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER) top = r.Top + (int64_t{r.Bottom} - r.Top - layout.LineHeight) / 2;
        else if (flags & DT_BOTTOM) top = int64_t{r.Bottom} - layout.LineHeight;
    }
    const TTextTarget target{*this, flags & DT_NOCLIP ? std::nullopt : std::optional<TRect>(r)};
    const bool fill = FBrush.Style() != bsClear;
    const TColor color = FFont.Color();
    const TColor rgb = ColorToRGB(color);
    const TDecorationMetrics& deco = font.Decorations();
    for (const TLaidLine& line : layout.Lines) {
        int64_t left = r.Left;
        if (flags & DT_CENTER) left = r.Left + (int64_t{r.Right} - r.Left - line.Width) / 2;
        else if (flags & DT_RIGHT) left = int64_t{r.Right} - line.Width;
        const TBaseline b = PlaceRun(font, TA_LEFT | TA_TOP, SaturateInt(left), SaturateInt(top), line.Width);
        if (fill) FillCell(target, font, b, line.Width);
        if (color != clNone) {
            DrawGlyphs(target, font, b, line.Glyphs, rgb);
            DrawDecorations(target, font, b, line.Width, rgb);
            if (line.PrefixWidth > 0 && !font.LogFont().Underline)
                FillBand(target, b, line.PrefixX, line.PrefixX + line.PrefixWidth, deco.UnderlineOffset,
                         deco.UnderlineOffset + deco.UnderlineThickness, rgb);
        }
        top += layout.LineHeight;
    }
    return height;
}
