// The canvas: GDI's drawing rules on a 32-bit surface, because every pixel rule of the control
// set is written against them. Lines leave out their end point, rectangles exclude right and
// bottom, polygons fill with the alternate rule, and only glyphs are anti-aliased.
//
// Coordinates: a canvas draws in logical coordinates; logical (x, y) lands on device
// (x + viewport origin). Device (0, 0) is the top-left of what the canvas was bound to (a
// bitmap, or a control inside the form's back buffer). Clip regions are in device
// coordinates, as SelectClipRgn's are; IntersectClipRect takes logical ones.
//
// Sections: pen and brush · device-context state · the canvas · text (canvas_text.cpp)
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/types.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/color.h"
#include "framework/graphics/font.h"
#include "framework/graphics/region.h"

// ---------------------------------------------------------------- pen and brush

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmNot, pmXor, pmNotXor, pmBlack, pmWhite };

class TPen {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    int Width() const { return FWidth; }
    void SetWidth(int w);  // values below 1 draw as 1
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle s);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode m);
    void Assign(const TPen& other);
    std::function<void()> OnChange;

private:
    friend class TCanvas;
    void Changed() {
        if (OnChange) OnChange();
    }
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle s);
    // A pattern brush: fills repeat this bitmap (not owned) aligned to device (0, 0) of the
    // surface. Setting one makes the style bsSolid; nullptr returns to the plain colour.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* pattern);
    void Assign(const TBrush& other);
    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// Copy modes (raster operations) of CopyRect and Draw, with GDI's values.
using TCopyMode = uint32_t;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;     // dest = src
constexpr TCopyMode cmSrcInvert = 0x00660046;   // dest = dest xor src
constexpr TCopyMode cmSrcAnd = 0x008800C6;      // dest = dest and src
constexpr TCopyMode cmSrcPaint = 0x00EE0086;    // dest = dest or src
constexpr TCopyMode cmNotSrcCopy = 0x00330008;  // dest = not src
constexpr TCopyMode cmDstInvert = 0x00550009;   // dest = not dest
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

// Text reference alignment (SetTextAlign), GDI's values.
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;
constexpr unsigned TA_HORZMASK = 6;
constexpr unsigned TA_VERTMASK = 24;

// DrawText flags, GDI's values.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_RTLREADING = 0x20000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

// ---------------------------------------------------------------- device-context state

// Everything SaveDC keeps and RestoreDC brings back, as one value.
struct TCanvasState {
    TPoint ViewportOrigin;  // device position of logical (0, 0)
    // Selected clip, device coordinates; none = no extra clip. Shared, never changed once
    // made, so saving a state copies no region.
    std::shared_ptr<const TRegion> ClipRgn;
    unsigned TextAlign = TA_LEFT | TA_TOP;
    TPoint PenPos;
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    TBitmap* BrushBitmap = nullptr;
    TFont Font;
    TCopyMode CopyMode = cmSrcCopy;
};

// ---------------------------------------------------------------- the canvas

class TCanvas {
public:
    TCanvas();
    explicit TCanvas(TBitmap* surface);  // bound to the whole bitmap
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Binding. deviceOrigin: where device (0, 0) lies on the surface; deviceClip: the part of
    // the surface (surface coordinates) this binding may touch. Rebinding resets the state
    // (origin, clip region, text alignment) but keeps pen, brush and font.
    void Bind(TBitmap* surface, TPoint deviceOrigin, const TRect& deviceClip);
    void Unbind();
    bool Bound() const { return FSurface != nullptr; }
    TBitmap* Surface() const { return FSurface; }
    // Changes with every Bind and Unbind, so an owner can tell whether the binding it made
    // is still the one in force.
    unsigned BindingSerial() const { return FBindingSerial; }
    TPoint DeviceOrigin() const { return FDeviceOrigin; }
    const TRect& DeviceClip() const { return FDeviceClip; }

    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    TFont* Font() { return &FFont; }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode m) { FCopyMode = m; }

    // Lines (pen). MoveTo/LineTo leave out the end point; a wider pen draws a square brush
    // of its width centred on each point (always solid). psClear draws nothing. A dashed
    // one-pixel pen paints its gaps in the brush colour unless the brush is bsClear (GDI's
    // opaque background); its pattern runs on across the segments of one Polyline.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const TPoint* points, int count);
    void Polyline(const std::vector<TPoint>& points) { Polyline(points.data(), static_cast<int>(points.size())); }

    // Filled shapes: the brush fills, the pen outlines.
    void Polygon(const TPoint* points, int count);  // alternate fill rule
    void Polygon(const std::vector<TPoint>& points) { Polygon(points.data(), static_cast<int>(points.size())); }
    // Outline on the outer pixels, fill inside; with psClear the fill leaves out the last
    // column and row, as GDI's does.
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);                 // brush only, right and bottom excluded
    void FrameRect(const TRect& r);                // one-pixel frame in the brush colour
    void DrawFocusRect(const TRect& r);            // dotted frame drawn by inverting; twice = none
    void FillRegion(const TRegion& deviceRegion);  // brush, region in device coordinates

    // Single pixels (logical coordinates). Reading outside the surface gives clNone.
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

    // Copies (another canvas's current binding, or a bitmap). Stretches when the
    // rectangles differ in size (nearest neighbour). The copy mode applies.
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    void Draw(int x, int y, TBitmap* bitmap);
    void StretchDraw(const TRect& dest, TBitmap* bitmap);

    // Clipping. ClipRect is the bounding box of what may be drawn, in logical coordinates.
    TRect ClipRect() const;
    // Exactly what may be drawn, in logical coordinates (ClipRect is its bounding box).
    TRegion ClipRegion() const;
    void SelectClipRgn(const TRegion* deviceRegion);  // nullptr: no extra clip
    void SelectClipRgn(const HRGN& region) { SelectClipRgn(region.get()); }
    void IntersectClipRect(const TRect& logical);
    void ExcludeClipRect(const TRect& logical);

    // Viewport origin.
    TPoint ViewportOrigin() const { return FViewportOrigin; }
    void SetViewportOrigin(TPoint origin) { FViewportOrigin = origin; }
    void OffsetViewportOrigin(int dx, int dy) {
        FViewportOrigin.X += dx;
        FViewportOrigin.Y += dy;
    }

    // Whole-state save and restore. SaveDC returns the new depth (1, 2, …); RestoreDC(n)
    // returns to the state saved as n, and RestoreDC(-1) to the last one; false when no such
    // state exists.
    int SaveDC();
    bool RestoreDC(int saved);

    // Text reference alignment of TextOut and TextRect.
    unsigned TextAlign() const { return FTextAlign; }
    void SetTextAlign(unsigned align) { FTextAlign = align; }

    // ------------------------------------------------------------ text (canvas_text.cpp)
    // All text goes through the font's realised handle, in Font()->Color(); the brush fills
    // the cell behind it unless the brush style is bsClear.
    void TextOut(int x, int y, std::string_view text);
    // Clipped to r (and filling r with the brush unless bsClear), text at (x, y).
    void TextRect(const TRect& r, int x, int y, std::string_view text);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);
    TSize TextExtent(std::string_view text);
    // Lays text out in r with the DT_ flags above; returns the height of the text. With
    // DT_CALCRECT it only measures and sets r's right and bottom to the text's extent.
    int DrawText(std::string_view text, TRect& r, unsigned flags);
    // Metrics of the selected font.
    TTextMetric TextMetrics();

    // ------------------------------------------------------------ for drawing code
    // Logical point to surface point (saturating, see types.h).
    TPoint ToSurface(int x, int y) const {
        return {SaturateInt(int64_t{x} + FViewportOrigin.X + FDeviceOrigin.X),
                SaturateInt(int64_t{y} + FViewportOrigin.Y + FDeviceOrigin.Y)};
    }
    // Logical rectangle to surface rectangle, each side moved (an inverted one stays inverted).
    TRect ToSurface(const TRect& r) const {
        const TPoint a = ToSurface(r.Left, r.Top), b = ToSurface(r.Right, r.Bottom);
        return {a.X, a.Y, b.X, b.Y};
    }
    // Is the surface pixel inside the binding and the selected clip?
    bool SurfaceVisible(int sx, int sy) const;
    // Blends a colour into one surface pixel with coverage 0..255 (255 = opaque), if visible.
    void BlendSurfacePixel(int sx, int sy, TColor rgb, uint8_t coverage);
    // The same for the count pixels of row sy from sx on, one coverage each; the clip is
    // resolved once for the run.
    void BlendSurfaceRow(int sx, int sy, const uint8_t* coverage, int count, TColor rgb);
    // The same for a block of rows, `stride` coverage bytes apart (a glyph): the clip box once
    // for the block, the clip region's bands walked in step with the rows.
    void BlendSurfaceBlock(int sx, int sy, const uint8_t* coverage, int stride, int width, int rows, TColor rgb);

private:
    using SpanFunction = std::function<void(int y, int x0, int x1)>;
    void ApplyState(const TCanvasState& s);
    TCanvasState CaptureState() const;
    void PlotPen(int lx, int ly, TColor rgb);
    void PutSurfacePixel(int sx, int sy, TPixel value);
    void FillSpans(const TRegion& surfaceRegion);
    // The binding's clip, cut to the surface (surface coordinates).
    TRect SurfaceClipRect() const;
    // Calls fn for every visible run of surface pixels of the rectangle or region.
    void ForEachVisibleSpan(const TRect& surfaceRect, const SpanFunction& fn) const;
    void ForEachVisibleSpan(const TRegion& surfaceRegion, const SpanFunction& fn) const;
    void ForEachSpanOf(const TRegion& deviceRegion, const SpanFunction& fn) const;
    void FillBrushSpan(int y, int x0, int x1);
    // A logical point on the surface, exactly, however far outside it lies.
    struct TPoint64 {
        int64_t X, Y;
    };
    TPoint64 SurfacePoint64(TPoint logical) const;
    // Draws the pen along the points (logical), the last point left out unless closed.
    void StrokePath(const TPoint* points, int count, bool closed);
    void WriteRun(const TRect& clip, int64_t at, int64_t from, int64_t to, TPixel value, bool horizontal);
    // Copies src's surface rectangle (either may be mirrored by inverted sides) to dest.
    void Blit(const TBitmap& src, TRect srcRect, const TRect& destLogical, TCopyMode mode,
              std::optional<TPixel> transparentKey);

    TBitmap* FSurface = nullptr;
    unsigned FBindingSerial = 0;
    TPoint FDeviceOrigin;
    TRect FDeviceClip;
    TPoint FViewportOrigin;
    std::shared_ptr<const TRegion> FClipRgn;  // device coordinates; see TCanvasState::ClipRgn
    unsigned FTextAlign = TA_LEFT | TA_TOP;
    TPoint FPenPos;
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TCopyMode FCopyMode = cmSrcCopy;
    std::vector<TCanvasState> FSaved;
};

// Keeps a canvas's state for one scope (SaveDC on entry, RestoreDC on exit).
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas* canvas) : FCanvas(canvas), FLevel(canvas->SaveDC()) {}
    ~TCanvasStateSaver() { FCanvas->RestoreDC(FLevel); }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas* FCanvas;
    int FLevel;
};
