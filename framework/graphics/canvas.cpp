// The canvas's pixel rules (text lives in canvas_text.cpp).
//
// Sections: pen and brush · binding and state · clipping · pixel helpers · lines ·
//           filled shapes · single pixels · copies
#include "framework/graphics/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr TPixel kOpaque = 0xFF000000u;
constexpr TPixel kRgbMask = 0x00FFFFFFu;

// ROP2 of the pen modes on one pixel.
TPixel ApplyPenMode(TPixel dst, TPixel pen, TPenMode mode) {
    switch (mode) {
    case pmCopy: return pen;
    case pmNot: return ~dst | kOpaque;
    case pmXor: return (dst ^ pen) | kOpaque;
    case pmNotXor: return ~(dst ^ pen) | kOpaque;
    case pmBlack: return kOpaque;
    case pmWhite: return kOpaque | kRgbMask;
    }
    return pen;
}

bool CopyModeUsesSource(TCopyMode mode) {
    return mode != cmDstInvert && mode != cmBlackness && mode != cmWhiteness;
}

// The raster operations of CopyRect; an unknown mode copies plainly.
TPixel ApplyCopyMode(TPixel dst, TPixel src, TCopyMode mode) {
    switch (mode) {
    case cmSrcInvert: return (dst ^ src) | kOpaque;
    case cmSrcAnd: return (dst & src) | kOpaque;
    case cmSrcPaint: return dst | src | kOpaque;
    case cmNotSrcCopy: return ~src | kOpaque;
    case cmDstInvert: return ~dst | kOpaque;
    case cmBlackness: return kOpaque;
    case cmWhiteness: return kOpaque | kRgbMask;
    default: return src | kOpaque;
    }
}

// The cosmetic dash patterns of one-pixel pens: alternating on and off runs, in pixels.
struct DashPattern {
    const int* Runs;
    int Count;
};
constexpr int kDashRuns[] = {18, 6};
constexpr int kDotRuns[] = {3, 3};
constexpr int kDashDotRuns[] = {9, 6, 3, 6};
constexpr int kDashDotDotRuns[] = {9, 3, 3, 3, 3, 3};

const DashPattern* PatternOf(TPenStyle style) {
    static const DashPattern dash{kDashRuns, 2}, dot{kDotRuns, 2}, dashDot{kDashDotRuns, 4},
        dashDotDot{kDashDotDotRuns, 6};
    switch (style) {
    case psDash: return &dash;
    case psDot: return &dot;
    case psDashDot: return &dashDot;
    case psDashDotDot: return &dashDotDot;
    default: return nullptr;
    }
}

bool DashOn(const DashPattern& p, int phase) {
    int period = 0;
    for (int i = 0; i < p.Count; ++i) period += p.Runs[i];
    int pos = phase % period;
    for (int i = 0; i < p.Count; ++i) {
        if (pos < p.Runs[i]) return i % 2 == 0;
        pos -= p.Runs[i];
    }
    return false;
}

int Modulo(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

// The 8 x 8 hatch brushes, aligned to device (0, 0): is (x, y) on a hatch line?
bool HatchHit(TBrushStyle style, int x, int y) {
    const int mx = Modulo(x, 8), my = Modulo(y, 8), down = Modulo(x - y, 8), up = Modulo(x + y, 8);
    switch (style) {
    case bsHorizontal: return my == 0;
    case bsVertical: return mx == 0;
    case bsFDiagonal: return down == 0;
    case bsBDiagonal: return up == 0;
    case bsCross: return mx == 0 || my == 0;
    case bsDiagCross: return down == 0 || up == 0;
    default: return true;
    }
}

// Fills n pixels with one value at memcpy speed: a row of the value is kept ready and copied,
// which a plain store loop does not reach on wide surfaces.
void FillPixels(TPixel* dst, int n, TPixel value) {
    thread_local std::vector<TPixel> ready;
    thread_local TPixel readyValue = 0;
    if (n <= 0) return;
    if (n < 16) {
        std::fill(dst, dst + n, value);
        return;
    }
    if (readyValue != value || ready.size() < static_cast<std::size_t>(n)) {
        ready.assign(std::max<std::size_t>(n, ready.size()), value);
        readyValue = value;
    }
    std::memcpy(dst, ready.data(), static_cast<std::size_t>(n) * sizeof(TPixel));
}

// One step of a stroke: a pen pixel, or a gap pixel of a dashed pen.
struct StrokePixel {
    TPoint P;  // surface coordinates
    bool On;
};

}  // namespace

// ---------------------------------------------------------------- pen and brush

void TPen::SetColor(TColor c) {
    if (c == FColor) return;
    FColor = c;
    Changed();
}

void TPen::SetWidth(int w) {
    if (w == FWidth) return;
    FWidth = w;
    Changed();
}

void TPen::SetStyle(TPenStyle s) {
    if (s == FStyle) return;
    FStyle = s;
    Changed();
}

void TPen::SetMode(TPenMode m) {
    if (m == FMode) return;
    FMode = m;
    Changed();
}

void TPen::Assign(const TPen& other) {
    FColor = other.FColor;
    FWidth = other.FWidth;
    FStyle = other.FStyle;
    FMode = other.FMode;
    Changed();
}

void TBrush::SetColor(TColor c) {
    if (c == FColor) return;
    FColor = c;
    Changed();
}

void TBrush::SetStyle(TBrushStyle s) {
    if (s == FStyle) return;
    FStyle = s;
    Changed();
}

void TBrush::SetBitmap(TBitmap* pattern) {
    if (pattern == FBitmap && (!pattern || FStyle == bsSolid)) return;
    FBitmap = pattern;
    if (pattern) FStyle = bsSolid;
    Changed();
}

void TBrush::Assign(const TBrush& other) {
    FColor = other.FColor;
    FStyle = other.FStyle;
    FBitmap = other.FBitmap;
    Changed();
}

// ---------------------------------------------------------------- binding and state

TCanvas::TCanvas() = default;

TCanvas::TCanvas(TBitmap* surface) {
    if (surface) Bind(surface, {0, 0}, {0, 0, surface->Width(), surface->Height()});
}

TCanvas::~TCanvas() = default;

void TCanvas::Bind(TBitmap* surface, TPoint deviceOrigin, const TRect& deviceClip) {
    ++FBindingSerial;
    FSurface = surface;
    FDeviceOrigin = deviceOrigin;
    FDeviceClip = deviceClip;
    FViewportOrigin = {};
    FClipRgn.reset();
    FTextAlign = TA_LEFT | TA_TOP;
    FPenPos = {};
    FSaved.clear();
}

void TCanvas::Unbind() {
    ++FBindingSerial;
    FSurface = nullptr;
    FSaved.clear();
}

TCanvasState TCanvas::CaptureState() const {
    TCanvasState s;
    s.ViewportOrigin = FViewportOrigin;
    s.ClipRgn = FClipRgn;
    s.TextAlign = FTextAlign;
    s.PenPos = FPenPos;
    s.PenColor = FPen.Color();
    s.PenWidth = FPen.Width();
    s.PenStyle = FPen.Style();
    s.PenMode = FPen.Mode();
    s.BrushColor = FBrush.Color();
    s.BrushStyle = FBrush.Style();
    s.BrushBitmap = FBrush.Bitmap();
    s.Font.Assign(FFont);  // Assign keeps an adopted (angled) handle
    s.CopyMode = FCopyMode;
    return s;
}

void TCanvas::ApplyState(const TCanvasState& s) {
    FViewportOrigin = s.ViewportOrigin;
    FClipRgn = s.ClipRgn;
    FTextAlign = s.TextAlign;
    FPenPos = s.PenPos;
    FPen.SetColor(s.PenColor);
    FPen.SetWidth(s.PenWidth);
    FPen.SetStyle(s.PenStyle);
    FPen.SetMode(s.PenMode);
    FBrush.SetColor(s.BrushColor);
    FBrush.SetBitmap(s.BrushBitmap);
    FBrush.SetStyle(s.BrushStyle);
    FFont.Assign(s.Font);
    FCopyMode = s.CopyMode;
}

int TCanvas::SaveDC() {
    FSaved.push_back(CaptureState());
    return static_cast<int>(FSaved.size());
}

bool TCanvas::RestoreDC(int saved) {
    const int depth = static_cast<int>(FSaved.size());
    const int index = saved > 0 ? saved - 1 : depth + saved;  // -1: the last one saved
    if (saved == 0 || index < 0 || index >= depth) return false;
    TCanvasState state = std::move(FSaved[index]);
    FSaved.resize(index);
    ApplyState(state);
    return true;
}

// ---------------------------------------------------------------- clipping

TRect TCanvas::SurfaceClipRect() const {
    if (!FSurface) return {};
    return IntersectRect(FDeviceClip, {0, 0, FSurface->Width(), FSurface->Height()});
}

bool TCanvas::SurfaceVisible(int sx, int sy) const {
    if (!SurfaceClipRect().Contains({sx, sy})) return false;
    return !FClipRgn || FClipRgn->Contains(sx - FDeviceOrigin.X, sy - FDeviceOrigin.Y);
}

TRect TCanvas::ClipRect() const {
    TRect r = SurfaceClipRect();
    if (FClipRgn) r = IntersectRect(r, OffsetRect(FClipRgn->Bounds(), FDeviceOrigin.X, FDeviceOrigin.Y));
    if (r.IsEmpty()) return {};
    return OffsetRect(r, -(FDeviceOrigin.X + FViewportOrigin.X), -(FDeviceOrigin.Y + FViewportOrigin.Y));
}

void TCanvas::SelectClipRgn(const TRegion* deviceRegion) {
    if (deviceRegion) FClipRgn = *deviceRegion;
    else FClipRgn.reset();
}

// Without a selected region, the clip starts as the whole binding.
void TCanvas::IntersectClipRect(const TRect& logical) {
    const TRect device = OffsetRect(logical, FViewportOrigin.X, FViewportOrigin.Y);
    const TRegion base = FClipRgn ? *FClipRgn
                                  : TRegion::FromRect(OffsetRect(SurfaceClipRect(), -FDeviceOrigin.X, -FDeviceOrigin.Y));
    FClipRgn = base.Intersect(device);
}

void TCanvas::ExcludeClipRect(const TRect& logical) {
    const TRect device = OffsetRect(logical, FViewportOrigin.X, FViewportOrigin.Y);
    const TRegion base = FClipRgn ? *FClipRgn
                                  : TRegion::FromRect(OffsetRect(SurfaceClipRect(), -FDeviceOrigin.X, -FDeviceOrigin.Y));
    FClipRgn = base.Subtract(TRegion::FromRect(device));
}

void TCanvas::ForEachVisibleSpan(const TRect& surfaceRect, const SpanFunction& fn) const {
    const TRect r = IntersectRect(surfaceRect, SurfaceClipRect());
    if (r.IsEmpty()) return;
    if (!FClipRgn) {
        for (int y = r.Top; y < r.Bottom; ++y) fn(y, r.Left, r.Right);
        return;
    }
    const TRegion visible = FClipRgn->Intersect(OffsetRect(r, -FDeviceOrigin.X, -FDeviceOrigin.Y));
    const auto& rows = visible.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (const TRegion::Span& s : rows[i])
            fn(visible.TopRow() + static_cast<int>(i) + FDeviceOrigin.Y, s.Left + FDeviceOrigin.X,
               s.Right + FDeviceOrigin.X);
}

void TCanvas::ForEachVisibleSpan(const TRegion& surfaceRegion, const SpanFunction& fn) const {
    TRegion visible = surfaceRegion.Intersect(SurfaceClipRect()).Offset(-FDeviceOrigin.X, -FDeviceOrigin.Y);
    if (FClipRgn) visible = visible.Intersect(*FClipRgn);
    const auto& rows = visible.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (const TRegion::Span& s : rows[i])
            fn(visible.TopRow() + static_cast<int>(i) + FDeviceOrigin.Y, s.Left + FDeviceOrigin.X,
               s.Right + FDeviceOrigin.X);
}

// ---------------------------------------------------------------- pixel helpers

void TCanvas::PutSurfacePixel(int sx, int sy, TPixel value) {
    if (SurfaceVisible(sx, sy)) FSurface->ScanLine(sy)[sx] = value | kOpaque;
}

void TCanvas::BlendSurfacePixel(int sx, int sy, TColor rgb, uint8_t coverage) {
    if (coverage == 0 || !SurfaceVisible(sx, sy)) return;
    TPixel& dst = FSurface->ScanLine(sy)[sx];
    const TPixel src = PixelFromColor(ColorToRGB(rgb));
    if (coverage == 255) {
        dst = src;
        return;
    }
    TPixel out = kOpaque;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        out |= ((s * coverage + d * (255u - coverage) + 127u) / 255u) << shift;
    }
    dst = out;
}

// One pixel of the pen at a logical point, in the pen mode.
void TCanvas::PlotPen(int lx, int ly, TColor rgb) {
    const TPoint s = ToSurface(lx, ly);
    if (!SurfaceVisible(s.X, s.Y)) return;
    TPixel& dst = FSurface->ScanLine(s.Y)[s.X];
    dst = ApplyPenMode(dst, PixelFromColor(rgb), FPen.Mode());
}

void TCanvas::FillBrushSpan(int y, int x0, int x1) {
    TPixel* row = FSurface->ScanLine(y);
    const TBitmap* pattern = FBrush.Bitmap();
    if (pattern && !pattern->Empty()) {
        const TPixel* prow = pattern->ScanLine(Modulo(y - FDeviceOrigin.Y, pattern->Height()));
        const int pw = pattern->Width();
        int px = Modulo(x0 - FDeviceOrigin.X, pw);
        for (int x = x0; x < x1; ++x) {
            row[x] = prow[px] | kOpaque;
            if (++px == pw) px = 0;
        }
        return;
    }
    if (FBrush.Color() == clNone) return;
    const TPixel value = PixelFromColor(ColorToRGB(FBrush.Color()));
    if (FBrush.Style() == bsSolid) {
        FillPixels(row + x0, x1 - x0, value);
        return;
    }
    for (int x = x0; x < x1; ++x)
        if (HatchHit(FBrush.Style(), x - FDeviceOrigin.X, y - FDeviceOrigin.Y)) row[x] = value;
}

void TCanvas::FillSpans(const TRegion& surfaceRegion) {
    if (!FSurface || FBrush.Style() == bsClear) return;
    ForEachVisibleSpan(surfaceRegion, [this](int y, int x0, int x1) { FillBrushSpan(y, x0, x1); });
}

// ---------------------------------------------------------------- lines

// Bresenham along each segment, the segment's end point left out (the next segment starts
// there). A one-pixel pen with a dash style walks its pattern over every pixel of the path,
// so the pattern runs on across corners; the gaps take the background (brush) colour when
// the brush is not clear, as an opaque device context paints them. A wider pen draws solid
// squares of its width centred on each point. Pixels are written once per call, which keeps
// pmXor and pmNot outlines exact where squares overlap.
void TCanvas::StrokePath(const TPoint* points, int count, bool closed) {
    if (!FSurface || !points || count < 2 || FPen.Style() == psClear || FPen.Color() == clNone) return;
    const TPixel penPixel = PixelFromColor(ColorToRGB(FPen.Color()));
    const int width = std::max(1, FPen.Width());
    const DashPattern* pattern = width == 1 ? PatternOf(FPen.Style()) : nullptr;
    const bool paintGaps = pattern && FBrush.Style() != bsClear && FBrush.Color() != clNone;
    const TPixel gapPixel = paintGaps ? PixelFromColor(ColorToRGB(FBrush.Color())) : 0;

    // psInsideFrame keeps a wide pen inside the figure: the caller insets closed paths.
    const TRect clip = SurfaceClipRect();
    if (clip.IsEmpty()) return;
    const int half = width / 2;
    std::vector<StrokePixel> pixels;
    int phase = 0;
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const TPoint a = ToSurface(points[i].X, points[i].Y);
        const TPoint b = ToSurface(points[(i + 1) % count].X, points[(i + 1) % count].Y);
        const int64_t dx = int64_t{b.X} - a.X, dy = int64_t{b.Y} - a.Y;
        const int64_t steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
        const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        // Step k lies at round(k * d / steps) on each axis, halves away from the start; the
        // error terms keep 2 * k * d + steps - 2 * steps * offset without dividing.
        const int stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -1 : 1;
        int64_t errX = steps, errY = steps;
        int x = a.X, y = a.Y;
        for (int64_t k = 0; k < steps; ++k) {
            if (k > 0) {
                errX += 2 * adx;
                if (errX >= 2 * steps) { errX -= 2 * steps; x += stepX; }
                errY += 2 * ady;
                if (errY >= 2 * steps) { errY -= 2 * steps; y += stepY; }
            }
            const bool on = !pattern || DashOn(*pattern, phase);
            ++phase;
            if (!on && !paintGaps) continue;
            if (x + width - half <= clip.Left || x - half >= clip.Right || y + width - half <= clip.Top ||
                y - half >= clip.Bottom)
                continue;
            pixels.push_back({{x, y}, on});
        }
    }
    if (pixels.empty()) return;

    if (width == 1 && FPen.Mode() == pmCopy) {
        for (const StrokePixel& p : pixels) {
            if (!clip.Contains(p.P)) continue;
            if (FClipRgn && !FClipRgn->Contains(p.P.X - FDeviceOrigin.X, p.P.Y - FDeviceOrigin.Y)) continue;
            FSurface->ScanLine(p.P.Y)[p.P.X] = p.On ? penPixel : gapPixel;
        }
        return;
    }
    // Gather the covered pixels as regions, so that each is written exactly once.
    std::vector<std::vector<TRegion::Span>> onRows(static_cast<std::size_t>(clip.Height()));
    std::vector<std::vector<TRegion::Span>> offRows(onRows.size());
    for (const StrokePixel& p : pixels) {
        auto& rows = p.On ? onRows : offRows;
        const int top = std::max(p.P.Y - half, clip.Top), bottom = std::min(p.P.Y - half + width, clip.Bottom);
        for (int y = top; y < bottom; ++y) rows[y - clip.Top].push_back({p.P.X - half, p.P.X - half + width});
    }
    const TRegion on = TRegion::FromRows(clip.Top, std::move(onRows));
    const TRegion off = TRegion::FromRows(clip.Top, std::move(offRows)).Subtract(on);
    const TPenMode mode = FPen.Mode();
    auto paint = [&](const TRegion& region, TPixel value) {
        ForEachVisibleSpan(region, [&](int y, int x0, int x1) {
            TPixel* row = FSurface->ScanLine(y);
            for (int x = x0; x < x1; ++x) row[x] = ApplyPenMode(row[x], value, mode);
        });
    };
    paint(on, penPixel);
    if (paintGaps) paint(off, gapPixel);
}

void TCanvas::MoveTo(int x, int y) { FPenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
    const TPoint path[2] = {FPenPos, {x, y}};
    StrokePath(path, 2, false);
    FPenPos = {x, y};
}

void TCanvas::Polyline(const TPoint* points, int count) { StrokePath(points, count, false); }

// ---------------------------------------------------------------- filled shapes

void TCanvas::FillRect(const TRect& r) {
    if (!FSurface || FBrush.Style() == bsClear || r.IsEmpty()) return;
    const TPoint s = ToSurface(r.Left, r.Top);
    ForEachVisibleSpan(TRect{s.X, s.Y, s.X + r.Width(), s.Y + r.Height()},
                       [this](int y, int x0, int x1) { FillBrushSpan(y, x0, x1); });
}

void TCanvas::FrameRect(const TRect& r) {
    if (!FSurface || FBrush.Style() == bsClear || r.IsEmpty()) return;
    const TPoint s = ToSurface(r.Left, r.Top);
    const TRect outer{s.X, s.Y, s.X + r.Width(), s.Y + r.Height()};
    FillSpans(TRegion::FromRect(outer).Subtract(TRegion::FromRect(InflateRect(outer, -1, -1))));
}

void TCanvas::FillRegion(const TRegion& deviceRegion) {
    FillSpans(deviceRegion.Offset(FDeviceOrigin.X, FDeviceOrigin.Y));
}

// The frame pixels checkered from the top-left corner are inverted; inverting is its own
// undo, so drawing the same rectangle again removes it.
void TCanvas::DrawFocusRect(const TRect& r) {
    if (!FSurface || r.IsEmpty()) return;
    auto invert = [this, &r](int x, int y) {
        if (((x - r.Left) + (y - r.Top)) % 2 != 0) return;
        const TPoint s = ToSurface(x, y);
        if (SurfaceVisible(s.X, s.Y)) {
            TPixel& p = FSurface->ScanLine(s.Y)[s.X];
            p = ~p | kOpaque;
        }
    };
    for (int x = r.Left; x < r.Right; ++x) {
        invert(x, r.Top);
        if (r.Bottom - 1 > r.Top) invert(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        invert(r.Left, y);
        if (r.Right - 1 > r.Left) invert(r.Right - 1, y);
    }
}

// The brush fills (l, t, r - 1, b - 1), the pen outlines the outer pixels on top. Without a
// pen the shape is thus one pixel smaller on the right and bottom, as GDI's is.
void TCanvas::Rectangle(int l, int t, int r, int b) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    if (r - l < 1 || b - t < 1 || !FSurface) return;
    if (FBrush.Style() != bsClear) {
        const TPoint s = ToSurface(l, t);
        ForEachVisibleSpan(TRect{s.X, s.Y, s.X + (r - l - 1), s.Y + (b - t - 1)},
                           [this](int y, int x0, int x1) { FillBrushSpan(y, x0, x1); });
    }
    int inLT = 0, inRB = 0;
    const int w = std::max(1, FPen.Width());
    if (FPen.Style() == psInsideFrame && w > 1) {
        inLT = w / 2;
        inRB = w - 1 - w / 2;
    }
    const int x0 = l + inLT, y0 = t + inLT, x1 = std::max(x0, r - 1 - inRB), y1 = std::max(y0, b - 1 - inRB);
    const TPoint path[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    if (x0 == x1 || y0 == y1) {
        // A one-pixel-wide rectangle is a single line, its last pixel included.
        const TPoint line[2] = {{x0, y0}, {x1 + (y0 == y1 ? 1 : 0), y1 + (y0 == y1 ? 0 : 1)}};
        StrokePath(line, 2, false);
        return;
    }
    StrokePath(path, 4, true);
}

void TCanvas::Polygon(const TPoint* points, int count) {
    if (!FSurface || !points || count < 2) return;
    if (FBrush.Style() != bsClear && count >= 3) {
        std::vector<TPoint> surface(points, points + count);
        for (TPoint& p : surface) p = ToSurface(p.X, p.Y);
        FillSpans(TRegion::FromPolygon(surface));
    }
    StrokePath(points, count, true);
}

// ---------------------------------------------------------------- single pixels

TColor TCanvas::Pixels(int x, int y) const {
    if (!FSurface) return clNone;
    const TPoint s = ToSurface(x, y);
    if (s.X < 0 || s.Y < 0 || s.X >= FSurface->Width() || s.Y >= FSurface->Height()) return clNone;
    return ColorFromPixel(FSurface->ScanLine(s.Y)[s.X]);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    if (!FSurface || color == clNone) return;
    const TPoint s = ToSurface(x, y);
    PutSurfacePixel(s.X, s.Y, PixelFromColor(ColorToRGB(color)));
}

// ---------------------------------------------------------------- copies

namespace {

std::optional<TPixel> TransparentKeyOf(const TBitmap& bitmap) {
    if (!bitmap.Transparent || bitmap.Empty()) return std::nullopt;
    if (bitmap.TransparentColor == clDefault) return bitmap.ScanLine(bitmap.Height() - 1)[0] & kRgbMask;
    return PixelFromColor(ColorToRGB(bitmap.TransparentColor)) & kRgbMask;
}

// Nearest neighbour: destination pixel i of n samples source pixel centre (i + 0.5) * m / n.
int Sample(int i, int n, int m) {
    return n == m ? i : static_cast<int>((2 * int64_t{i} + 1) * m / (2 * int64_t{n}));
}

}  // namespace

void TCanvas::Blit(const TBitmap& src, TRect s, const TRect& destLogical, TCopyMode mode,
                   std::optional<TPixel> transparentKey) {
    if (!FSurface) return;
    const TPoint d0 = ToSurface(destLogical.Left, destLogical.Top);
    TRect d{d0.X, d0.Y, d0.X + destLogical.Width(), d0.Y + destLogical.Height()};
    bool flipX = false, flipY = false;
    if (d.Right < d.Left) { std::swap(d.Left, d.Right); flipX = !flipX; }
    if (d.Bottom < d.Top) { std::swap(d.Top, d.Bottom); flipY = !flipY; }
    if (s.Right < s.Left) { std::swap(s.Left, s.Right); flipX = !flipX; }
    if (s.Bottom < s.Top) { std::swap(s.Top, s.Bottom); flipY = !flipY; }
    const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;

    // Copying within one surface reads a snapshot, so overlapping rectangles copy cleanly.
    const TBitmap* from = &src;
    TBitmap snapshot;
    if (&src == FSurface) {
        const TRect keep = IntersectRect(s, {0, 0, src.Width(), src.Height()});
        if (keep.IsEmpty() && CopyModeUsesSource(mode)) return;
        snapshot.SetSize(keep.Width(), keep.Height());
        for (int y = 0; y < keep.Height(); ++y)
            std::memcpy(snapshot.ScanLine(y), src.ScanLine(keep.Top + y) + keep.Left, keep.Width() * sizeof(TPixel));
        s = OffsetRect(s, -keep.Left, -keep.Top);
        from = &snapshot;
    }

    const TRect visible = IntersectRect(d, SurfaceClipRect());
    if (visible.IsEmpty()) return;
    std::vector<int> columns(static_cast<std::size_t>(visible.Width()));
    for (int x = visible.Left; x < visible.Right; ++x) {
        const int i = x - d.Left;
        columns[x - visible.Left] = s.Left + Sample(flipX ? dw - 1 - i : i, dw, sw);
    }
    const bool usesSource = CopyModeUsesSource(mode);
    const bool plain = mode == cmSrcCopy && !transparentKey && !flipX && dw == sw;
    const int fromW = from->Width(), fromH = from->Height();
    ForEachVisibleSpan(visible, [&](int y, int x0, int x1) {
        const int j = y - d.Top;
        const int sy = s.Top + Sample(flipY ? dh - 1 - j : j, dh, sh);
        TPixel* row = FSurface->ScanLine(y);
        if (!usesSource) {
            for (int x = x0; x < x1; ++x) row[x] = ApplyCopyMode(row[x], 0, mode);
            return;
        }
        if (sy < 0 || sy >= fromH) return;
        const TPixel* srow = from->ScanLine(sy);
        if (plain) {
            // Only the part that lies inside the source is copied.
            const int first = std::max(x0, x0 - columns[x0 - visible.Left]);
            const int last = std::min(x1, x0 + fromW - columns[x0 - visible.Left]);
            if (first < last)
                std::memcpy(row + first, srow + columns[first - visible.Left], (last - first) * sizeof(TPixel));
            return;
        }
        for (int x = x0; x < x1; ++x) {
            const int sx = columns[x - visible.Left];
            if (sx < 0 || sx >= fromW) continue;
            const TPixel p = srow[sx];
            if (transparentKey && (p & kRgbMask) == *transparentKey) continue;
            row[x] = ApplyCopyMode(row[x], p, mode);
        }
    });
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (!source || !source->Surface()) return;
    const TPoint s = source->ToSurface(sourceRect.Left, sourceRect.Top);
    Blit(*source->Surface(), {s.X, s.Y, s.X + sourceRect.Width(), s.Y + sourceRect.Height()}, dest, FCopyMode,
         std::nullopt);
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    Blit(*bitmap, {0, 0, bitmap->Width(), bitmap->Height()}, {x, y, x + bitmap->Width(), y + bitmap->Height()},
         FCopyMode, TransparentKeyOf(*bitmap));
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    Blit(*bitmap, {0, 0, bitmap->Width(), bitmap->Height()}, dest, FCopyMode, TransparentKeyOf(*bitmap));
}
