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

bool CopyModeUsesSource(TCopyMode mode) { return mode != cmDstInvert && mode != cmBlackness && mode != cmWhiteness; }

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

bool DashOn(const DashPattern& p, int64_t phase) {
    int period = 0;
    for (int i = 0; i < p.Count; ++i) period += p.Runs[i];
    int pos = static_cast<int>(phase % period);
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
    // A value that changes from run to run (an enlarged picture's columns) is stored
    // directly: refreshing the ready row first would write every pixel twice.
    if (readyValue != value) {
        readyValue = value;
        ready.clear();
        std::fill(dst, dst + n, value);
        return;
    }
    if (ready.size() < static_cast<std::size_t>(n)) ready.assign(std::max<std::size_t>(n, 2 * ready.size()), value);
    std::memcpy(dst, ready.data(), static_cast<std::size_t>(n) * sizeof(TPixel));
}

// One step of a stroke: a pen pixel, or a gap pixel of a dashed pen.
struct StrokePixel {
    TPoint P;  // surface coordinates
    bool On;
};

int ClampTo(int64_t v, int lo, int hi) { return static_cast<int>(std::clamp<int64_t>(v, lo, hi)); }

// How far step k of a line of `steps` steps has moved along an axis it covers by `d`
// (0 <= d <= steps): round(k * d / steps) with halves away from the start.
int64_t StepOffset(int64_t k, int64_t d, int64_t steps) {
    return static_cast<int64_t>((__int128(steps) + 2 * __int128(k) * d) / (2 * __int128(steps)));
}

// The first step at which the offset reaches m (0 <= m <= d, d > 0).
int64_t FirstStepAt(int64_t m, int64_t d, int64_t steps) {
    if (m <= 0) return 0;
    const __int128 n = __int128(2 * m - 1) * steps, den = 2 * __int128(d);
    return static_cast<int64_t>((n + den - 1) / den);
}

// The steps [First, End) of a line whose coordinate on one axis, starting at `from` and
// moving by `delta` over `steps` steps, lies in [lo, hi].
struct TStepRange {
    int64_t First = 0;
    int64_t End = 0;
};
TStepRange StepsWithin(int64_t from, int64_t delta, int64_t steps, int64_t lo, int64_t hi) {
    const int64_t d = delta < 0 ? -delta : delta;
    // The offsets that land inside, counted in the direction the line moves.
    const int64_t mLo = delta < 0 ? from - hi : lo - from, mHi = delta < 0 ? from - lo : hi - from;
    if (mHi < 0 || mLo > mHi || mLo > d) return {};
    if (d == 0) return mLo <= 0 ? TStepRange{0, steps} : TStepRange{};
    return {FirstStepAt(mLo, d, steps), mHi >= d ? steps : FirstStepAt(mHi + 1, d, steps)};
}

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
    return OffsetRect(r, -(int64_t{FDeviceOrigin.X} + FViewportOrigin.X),
                      -(int64_t{FDeviceOrigin.Y} + FViewportOrigin.Y));
}

TRegion TCanvas::ClipRegion() const {
    const TRect surface = SurfaceClipRect();
    if (surface.IsEmpty()) return {};
    TRegion device = TRegion::FromRect(OffsetRect(surface, -FDeviceOrigin.X, -FDeviceOrigin.Y));
    if (FClipRgn) device = device.Intersect(*FClipRgn);
    return device.Offset(-FViewportOrigin.X, -FViewportOrigin.Y);
}

void TCanvas::SelectClipRgn(const TRegion* deviceRegion) {
    if (deviceRegion) FClipRgn = std::make_shared<const TRegion>(*deviceRegion);
    else FClipRgn.reset();
}

// Without a selected region, the clip starts as the whole binding.
void TCanvas::IntersectClipRect(const TRect& logical) {
    const TRect device = OffsetRect(logical, FViewportOrigin.X, FViewportOrigin.Y);
    const TRegion base =
        FClipRgn ? *FClipRgn : TRegion::FromRect(OffsetRect(SurfaceClipRect(), -FDeviceOrigin.X, -FDeviceOrigin.Y));
    FClipRgn = std::make_shared<const TRegion>(base.Intersect(device));
}

void TCanvas::ExcludeClipRect(const TRect& logical) {
    const TRect device = OffsetRect(logical, FViewportOrigin.X, FViewportOrigin.Y);
    const TRegion base =
        FClipRgn ? *FClipRgn : TRegion::FromRect(OffsetRect(SurfaceClipRect(), -FDeviceOrigin.X, -FDeviceOrigin.Y));
    FClipRgn = std::make_shared<const TRegion>(base.Subtract(TRegion::FromRect(device)));
}

void TCanvas::ForEachVisibleSpan(const TRect& surfaceRect, const SpanFunction& fn) const {
    const TRect r = IntersectRect(surfaceRect, SurfaceClipRect());
    if (r.IsEmpty()) return;
    if (!FClipRgn) {
        for (int y = r.Top; y < r.Bottom; ++y) fn(y, r.Left, r.Right);
        return;
    }
    ForEachSpanOf(FClipRgn->Intersect(OffsetRect(r, -FDeviceOrigin.X, -FDeviceOrigin.Y)), fn);
}

void TCanvas::ForEachVisibleSpan(const TRegion& surfaceRegion, const SpanFunction& fn) const {
    TRegion visible = surfaceRegion.Intersect(SurfaceClipRect()).Offset(-FDeviceOrigin.X, -FDeviceOrigin.Y);
    if (FClipRgn) visible = visible.Intersect(*FClipRgn);
    ForEachSpanOf(visible, fn);
}

// The spans of a device region that is already cut to the binding, in surface coordinates.
void TCanvas::ForEachSpanOf(const TRegion& deviceRegion, const SpanFunction& fn) const {
    for (const TRegion::Band& band : deviceRegion.Bands())
        for (int y = band.Top; y < band.Bottom; ++y)
            for (const TRegion::Span& s : band.Spans)
                fn(y + FDeviceOrigin.Y, s.Left + FDeviceOrigin.X, s.Right + FDeviceOrigin.X);
}

// ---------------------------------------------------------------- pixel helpers

namespace {

// The three channels of a pixel in 16-bit lanes of one word, and back: a channel times a
// coverage (at most 255 * 255) stays inside its lane.
constexpr uint64_t kLanes = 0x0000'00FF'00FF'00FF;
uint64_t Spread(TPixel p) { return (p & 0xFFu) | (uint64_t{p & 0xFF00u} << 8) | (uint64_t{p & 0xFF0000u} << 16); }
TPixel Gather(uint64_t lanes) {
    return static_cast<TPixel>((lanes & 0xFF) | ((lanes >> 8) & 0xFF00) | ((lanes >> 16) & 0xFF0000));
}

// src over dst with coverage 1..255 of 255, rounded per channel: (s*c + d*(255-c) + 127) / 255,
// all three channels at once. For x up to 255 * 255 + 127, x / 255 is (x + 1 + (x >> 8)) >> 8.
[[gnu::always_inline]] inline TPixel BlendPixel(TPixel dst, TPixel src, unsigned coverage) {
    if (coverage == 255) return src;
    const uint64_t x = Spread(src) * coverage + Spread(dst) * (255u - coverage) + 0x0000'007F'007F'007F;
    const uint64_t q = ((x + 0x0000'0001'0001'0001 + ((x >> 8) & kLanes)) >> 8) & kLanes;
    return Gather(q) | kOpaque;
}

}  // namespace

void TCanvas::PutSurfacePixel(int sx, int sy, TPixel value) {
    if (SurfaceVisible(sx, sy)) FSurface->ScanLine(sy)[sx] = value | kOpaque;
}

void TCanvas::BlendSurfacePixel(int sx, int sy, TColor rgb, uint8_t coverage) {
    if (coverage == 0 || !SurfaceVisible(sx, sy)) return;
    TPixel& dst = FSurface->ScanLine(sy)[sx];
    dst = BlendPixel(dst, PixelFromColor(ColorToRGB(rgb)), coverage);
}

void TCanvas::BlendSurfaceRow(int sx, int sy, const uint8_t* coverage, int count, TColor rgb) {
    BlendSurfaceBlock(sx, sy, coverage, 0, count, 1, rgb);
}

void TCanvas::BlendSurfaceBlock(int sx, int sy, const uint8_t* coverage, int stride, int width, int rows, TColor rgb) {
    const TRect clip = SurfaceClipRect();
    const int64_t top = std::max<int64_t>(sy, clip.Top), bottom = std::min<int64_t>(int64_t{sy} + rows, clip.Bottom);
    const int64_t left = std::max<int64_t>(sx, clip.Left), right = std::min<int64_t>(int64_t{sx} + width, clip.Right);
    if (top >= bottom || left >= right) return;
    const TPixel src = PixelFromColor(ColorToRGB(rgb));
    auto blend = [&](int64_t y, int64_t x0, int64_t x1) {
        TPixel* row = FSurface->ScanLine(static_cast<int>(y));
        const uint8_t* c = coverage + (y - sy) * stride;
        for (int64_t x = x0; x < x1; ++x)
            if (const uint8_t cx = c[x - sx]) row[x] = BlendPixel(row[x], src, cx);
    };
    if (!FClipRgn) {
        for (int64_t y = top; y < bottom; ++y) blend(y, left, right);
        return;
    }
    // Bands are sorted and do not overlap: the first one that ends below the top, then onwards.
    const std::vector<TRegion::Band>& bands = FClipRgn->Bands();
    const int64_t ox = FDeviceOrigin.X, oy = FDeviceOrigin.Y;
    auto band = std::upper_bound(bands.begin(), bands.end(), top,
                                 [oy](int64_t y, const TRegion::Band& b) { return y < b.Bottom + oy; });
    for (; band != bands.end() && band->Top + oy < bottom; ++band) {
        const int64_t y0 = std::max(top, band->Top + oy), y1 = std::min(bottom, band->Bottom + oy);
        for (const TRegion::Span& span : band->Spans) {
            const int64_t x0 = std::max(left, span.Left + ox), x1 = std::min(right, span.Right + ox);
            if (x0 < x1)
                for (int64_t y = y0; y < y1; ++y) blend(y, x0, x1);
        }
    }
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

TCanvas::TPoint64 TCanvas::SurfacePoint64(TPoint logical) const {
    return {int64_t{logical.X} + FViewportOrigin.X + FDeviceOrigin.X,
            int64_t{logical.Y} + FViewportOrigin.Y + FDeviceOrigin.Y};
}

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
    // A step's square of pen reaches the clip only from these positions (inclusive).
    const int64_t reachLo = int64_t{width} - half - 1, reachHi = half;
    // A solid one-pixel pen copying its colour writes every pixel of a path the same, in any
    // order: its straight segments (the frame painters' lines) go out as runs, clipped once.
    const bool runs = width == 1 && !pattern && FPen.Mode() == pmCopy;
    std::vector<StrokePixel> pixels;
    int64_t phase = 0;
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const TPoint64 a = SurfacePoint64(points[i]);
        const TPoint64 b = SurfacePoint64(points[(i + 1) % count]);
        const int64_t dx = b.X - a.X, dy = b.Y - a.Y;
        const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        const int64_t steps = std::max(adx, ady);
        const int64_t segmentPhase = phase;
        phase += steps;
        if (steps == 0) continue;
        if (runs && (dx == 0 || dy == 0)) {
            // The end point is left out: [a, b) going right or down, (b, a] going back.
            const int64_t lo = dx < 0 ? b.X + 1 : dy < 0 ? b.Y + 1 : dx == 0 ? a.Y : a.X;
            const int64_t hi = lo + steps;
            if (dy == 0) WriteRun(clip, a.Y, lo, hi, penPixel, true);
            else WriteRun(clip, a.X, lo, hi, penPixel, false);
            continue;
        }
        // Step k lies at round(k * d / steps) on each axis, halves away from the start; the
        // error terms keep 2 * k * d + steps - 2 * steps * offset without dividing. Only the
        // steps whose pixels can reach the clip are walked; where they start is computed.
        const TStepRange rx = StepsWithin(a.X, dx, steps, clip.Left - reachLo, clip.Right - 1 + reachHi);
        const TStepRange ry = StepsWithin(a.Y, dy, steps, clip.Top - reachLo, clip.Bottom - 1 + reachHi);
        const int64_t first = std::max(rx.First, ry.First), end = std::min(rx.End, ry.End);
        if (first >= end) continue;
        const int stepX = dx < 0 ? -1 : 1, stepY = dy < 0 ? -1 : 1;
        const int64_t offX = StepOffset(first, adx, steps), offY = StepOffset(first, ady, steps);
        int64_t errX = static_cast<int64_t>(steps + 2 * __int128(first) * adx - 2 * __int128(steps) * offX);
        int64_t errY = static_cast<int64_t>(steps + 2 * __int128(first) * ady - 2 * __int128(steps) * offY);
        int64_t x = a.X + stepX * offX, y = a.Y + stepY * offY;
        for (int64_t k = first; k < end; ++k) {
            if (k > first) {
                errX += 2 * adx;
                if (errX >= 2 * steps) {
                    errX -= 2 * steps;
                    x += stepX;
                }
                errY += 2 * ady;
                if (errY >= 2 * steps) {
                    errY -= 2 * steps;
                    y += stepY;
                }
            }
            const bool on = !pattern || DashOn(*pattern, segmentPhase + k);
            if (!on && !paintGaps) continue;
            if (x + width - half <= clip.Left || x - half >= clip.Right || y + width - half <= clip.Top ||
                y - half >= clip.Bottom)
                continue;
            pixels.push_back({{static_cast<int>(x), static_cast<int>(y)}, on});
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
        const int top = ClampTo(int64_t{p.P.Y} - half, clip.Top, clip.Bottom);
        const int bottom = ClampTo(int64_t{p.P.Y} - half + width, clip.Top, clip.Bottom);
        const int left = ClampTo(int64_t{p.P.X} - half, clip.Left, clip.Right);
        const int right = ClampTo(int64_t{p.P.X} - half + width, clip.Left, clip.Right);
        for (int y = top; y < bottom; ++y) rows[y - clip.Top].push_back({left, right});
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

// Pixels [from, to) of one row (horizontal) or one column, cut to the clip box and region.
void TCanvas::WriteRun(const TRect& clip, int64_t at, int64_t from, int64_t to, TPixel value, bool horizontal) {
    const int64_t crossLo = horizontal ? clip.Top : clip.Left, crossHi = horizontal ? clip.Bottom : clip.Right;
    if (at < crossLo || at >= crossHi) return;
    const int lo = ClampTo(from, horizontal ? clip.Left : clip.Top, horizontal ? clip.Right : clip.Bottom);
    const int hi = ClampTo(to, horizontal ? clip.Left : clip.Top, horizontal ? clip.Right : clip.Bottom);
    if (lo >= hi) return;
    const int fixed = static_cast<int>(at);
    if (horizontal) {
        TPixel* row = FSurface->ScanLine(fixed);
        if (!FClipRgn) {
            FillPixels(row + lo, hi - lo, value);
            return;
        }
        for (const TRegion::Span& span : FClipRgn->RowSpans(fixed - FDeviceOrigin.Y)) {
            const int x0 = std::max(lo, span.Left + FDeviceOrigin.X), x1 = std::min(hi, span.Right + FDeviceOrigin.X);
            if (x0 < x1) FillPixels(row + x0, x1 - x0, value);
        }
        return;
    }
    for (int y = lo; y < hi; ++y)
        if (!FClipRgn || FClipRgn->Contains(fixed - FDeviceOrigin.X, y - FDeviceOrigin.Y))
            FSurface->ScanLine(y)[fixed] = value;
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
    ForEachVisibleSpan(ToSurface(r), [this](int y, int x0, int x1) { FillBrushSpan(y, x0, x1); });
}

// The frame is cut to the clip before it becomes a region.
void TCanvas::FrameRect(const TRect& r) {
    if (!FSurface || FBrush.Style() == bsClear || r.IsEmpty()) return;
    const TRect outer = ToSurface(r), clip = SurfaceClipRect();
    const TRect visible = IntersectRect(outer, clip);
    if (visible.IsEmpty()) return;
    FillSpans(TRegion::FromRect(visible).Subtract(TRegion::FromRect(IntersectRect(InflateRect(outer, -1, -1), clip))));
}

void TCanvas::FillRegion(const TRegion& deviceRegion) {
    FillSpans(deviceRegion.Offset(FDeviceOrigin.X, FDeviceOrigin.Y));
}

// The frame pixels checkered from the top-left corner are inverted; inverting is its own
// undo, so drawing the same rectangle again removes it. Only the part of the outline inside
// the clip box is walked.
void TCanvas::DrawFocusRect(const TRect& r) {
    if (!FSurface || r.IsEmpty()) return;
    const TRect clip = ClipRect();
    if (clip.IsEmpty()) return;
    auto invert = [this, &r](int x, int y) {
        if (((int64_t{x} - r.Left) + (int64_t{y} - r.Top)) % 2 != 0) return;
        const TPoint s = ToSurface(x, y);
        if (SurfaceVisible(s.X, s.Y)) {
            TPixel& p = FSurface->ScanLine(s.Y)[s.X];
            p = ~p | kOpaque;
        }
    };
    auto rowVisible = [&clip](int y) { return y >= clip.Top && y < clip.Bottom; };
    auto columnVisible = [&clip](int x) { return x >= clip.Left && x < clip.Right; };
    const int x0 = std::max(r.Left, clip.Left), x1 = std::min(r.Right, clip.Right);
    const bool top = rowVisible(r.Top), bottom = r.Bottom - 1 > r.Top && rowVisible(r.Bottom - 1);
    for (int x = x0; x < x1; ++x) {
        if (top) invert(x, r.Top);
        if (bottom) invert(x, r.Bottom - 1);
    }
    const int y0 = std::max(r.Top + 1, clip.Top), y1 = std::min(r.Bottom - 1, clip.Bottom);
    const bool left = columnVisible(r.Left), right = r.Right - 1 > r.Left && columnVisible(r.Right - 1);
    for (int y = y0; y < y1; ++y) {
        if (left) invert(r.Left, y);
        if (right) invert(r.Right - 1, y);
    }
}

// The brush fills (l, t, r - 1, b - 1), the pen outlines the outer pixels on top. Without a
// pen the shape is thus one pixel smaller on the right and bottom, as GDI's is.
void TCanvas::Rectangle(int l, int t, int r, int b) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    if (r == l || b == t || !FSurface) return;
    if (FBrush.Style() != bsClear)
        ForEachVisibleSpan(ToSurface(TRect{l, t, r - 1, b - 1}),
                           [this](int y, int x0, int x1) { FillBrushSpan(y, x0, x1); });
    int inLT = 0, inRB = 0;
    const int w = std::max(1, FPen.Width());
    if (FPen.Style() == psInsideFrame && w > 1) {
        inLT = w / 2;
        inRB = w - 1 - w / 2;
    }
    const int x0 = SaturatingAdd(l, inLT), y0 = SaturatingAdd(t, inLT);
    const int x1 = std::max(x0, SaturatingAdd(r - 1, -inRB)), y1 = std::max(y0, SaturatingAdd(b - 1, -inRB));
    const TPoint path[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    if (x0 == x1 || y0 == y1) {
        // A one-pixel-wide rectangle is a single line, its last pixel included.
        const TPoint line[2] = {{x0, y0}, {SaturatingAdd(x1, y0 == y1 ? 1 : 0), SaturatingAdd(y1, y0 == y1 ? 0 : 1)}};
        StrokePath(line, 2, false);
        return;
    }
    StrokePath(path, 4, true);
}

void TCanvas::Polygon(const TPoint* points, int count) {
    if (!FSurface || !points || count < 2) return;
    if (FBrush.Style() != bsClear && count >= 3) {
        // Made in logical coordinates over the rows of the clip box alone (the pixel-centre
        // rule does not change under whole-pixel moves), then moved onto the surface.
        const int64_t ox = int64_t{FViewportOrigin.X} + FDeviceOrigin.X,
                      oy = int64_t{FViewportOrigin.Y} + FDeviceOrigin.Y;
        const TRect within = OffsetRect(SurfaceClipRect(), -ox, -oy);
        FillSpans(TRegion::FromPolygon(points, count, within).Offset(SaturateInt(ox), SaturateInt(oy)));
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
int64_t Sample(int64_t i, int64_t n, int64_t m) {
    return n == m ? i : static_cast<int64_t>((2 * __int128(i) + 1) * m / (2 * __int128(n)));
}

}  // namespace

void TCanvas::Blit(const TBitmap& src, TRect s, const TRect& destLogical, TCopyMode mode,
                   std::optional<TPixel> transparentKey) {
    if (!FSurface) return;
    TRect d = ToSurface(destLogical);
    bool flipX = false, flipY = false;
    if (d.Right < d.Left) {
        std::swap(d.Left, d.Right);
        flipX = !flipX;
    }
    if (d.Bottom < d.Top) {
        std::swap(d.Top, d.Bottom);
        flipY = !flipY;
    }
    if (s.Right < s.Left) {
        std::swap(s.Left, s.Right);
        flipX = !flipX;
    }
    if (s.Bottom < s.Top) {
        std::swap(s.Top, s.Bottom);
        flipY = !flipY;
    }
    const int64_t dw = int64_t{d.Right} - d.Left, dh = int64_t{d.Bottom} - d.Top;
    const int64_t sw = int64_t{s.Right} - s.Left, sh = int64_t{s.Bottom} - s.Top;
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
    std::vector<int64_t> columns(static_cast<std::size_t>(visible.Width()));
    for (int x = visible.Left; x < visible.Right; ++x) {
        const int64_t i = int64_t{x} - d.Left;
        columns[x - visible.Left] = s.Left + Sample(flipX ? dw - 1 - i : i, dw, sw);
    }
    // Runs of columns that read the same source column, the same on every row: an enlarged
    // picture repeats each source pixel over a run.
    struct TRun {
        int From, To;
        int64_t Column;
    };
    std::vector<TRun> runs;
    if (mode == cmSrcCopy)
        for (int x = visible.Left; x < visible.Right;) {
            const int64_t sx = columns[x - visible.Left];
            int end = x + 1;
            while (end < visible.Right && columns[end - visible.Left] == sx) ++end;
            runs.push_back({x, end, sx});
            x = end;
        }
    const bool usesSource = CopyModeUsesSource(mode);
    const bool plain = mode == cmSrcCopy && !transparentKey && !flipX && dw == sw;
    const int fromW = from->Width(), fromH = from->Height();
    ForEachVisibleSpan(visible, [&](int y, int x0, int x1) {
        const int64_t j = int64_t{y} - d.Top;
        const int64_t sy = s.Top + Sample(flipY ? dh - 1 - j : j, dh, sh);
        TPixel* row = FSurface->ScanLine(y);
        if (!usesSource) {
            for (int x = x0; x < x1; ++x) row[x] = ApplyCopyMode(row[x], 0, mode);
            return;
        }
        if (sy < 0 || sy >= fromH) return;
        const TPixel* srow = from->ScanLine(sy);
        if (plain) {
            // Only the part that lies inside the source is copied.
            const int first = static_cast<int>(std::max<int64_t>(x0, x0 - columns[x0 - visible.Left]));
            const int last = static_cast<int>(std::min<int64_t>(x1, x0 + fromW - columns[x0 - visible.Left]));
            if (first < last)
                std::memcpy(row + first, srow + columns[first - visible.Left], (last - first) * sizeof(TPixel));
            return;
        }
        const int64_t* column = columns.data() - visible.Left;
        // The common cases, stretched or mirrored copies with or without a transparent
        // colour, in loops of their own; every other mode combines pixel by pixel.
        if (mode == cmSrcCopy) {
            // The span may be part of the visible rectangle (a clip region): its runs, cut.
            auto run = std::upper_bound(runs.begin(), runs.end(), x0, [](int x, const TRun& r) { return x < r.To; });
            for (; run != runs.end() && run->From < x1; ++run) {
                const int from = std::max(run->From, x0), to = std::min(run->To, x1);
                if (run->Column < 0 || run->Column >= fromW) continue;
                const TPixel p = srow[run->Column];
                if (!transparentKey || (p & kRgbMask) != *transparentKey)
                    FillPixels(row + from, to - from, p | kOpaque);
            }
            return;
        }
        for (int x = x0; x < x1; ++x) {
            const int64_t sx = column[x];
            if (sx < 0 || sx >= fromW) continue;
            const TPixel p = srow[sx];
            if (transparentKey && (p & kRgbMask) == *transparentKey) continue;
            row[x] = ApplyCopyMode(row[x], p, mode);
        }
    });
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    if (!source || !source->Surface()) return;
    Blit(*source->Surface(), source->ToSurface(sourceRect), dest, FCopyMode, std::nullopt);
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    Blit(*bitmap, {0, 0, bitmap->Width(), bitmap->Height()}, Bounds(x, y, bitmap->Width(), bitmap->Height()), FCopyMode,
         TransparentKeyOf(*bitmap));
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    Blit(*bitmap, {0, 0, bitmap->Width(), bitmap->Height()}, dest, FCopyMode, TransparentKeyOf(*bitmap));
}
