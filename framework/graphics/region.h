// Regions: sets of whole pixels kept as bands of rows that share the same sorted horizontal
// spans, so a rectangle is one band however tall it is. Polygon regions use the alternate
// (even-odd) rule, as GDI's ALTERNATE fill mode does.
#pragma once

#include <memory>
#include <vector>

#include "framework/base/types.h"

class TRegion {
public:
    struct Span {
        int Left;   // first pixel
        int Right;  // one past the last pixel
    };
    // Rows [Top, Bottom) that all hold the same spans.
    struct Band {
        int Top;
        int Bottom;
        std::vector<Span> Spans;
    };

    TRegion() = default;
    static TRegion FromRect(const TRect& r);
    // The pixels whose centres (x + 0.5, y + 0.5) lie inside the polygon under the even-odd
    // rule; fewer than three points give an empty region. With `within`, only the part
    // inside that rectangle, computed over its rows alone.
    static TRegion FromPolygon(const TPoint* points, int count);
    static TRegion FromPolygon(const TPoint* points, int count, const TRect& within);
    static TRegion FromPolygon(const std::vector<TPoint>& points) {
        return FromPolygon(points.data(), static_cast<int>(points.size()));
    }

    // Rows of spans from row `top` on, in any order and possibly overlapping; merged here.
    static TRegion FromRows(int top, std::vector<std::vector<Span>> rows);

    bool Empty() const { return FBands.empty(); }
    bool Contains(int x, int y) const;
    bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
    TRect Bounds() const;

    TRegion Intersect(const TRegion& other) const;
    TRegion Intersect(const TRect& r) const;
    TRegion Union(const TRegion& other) const;
    TRegion Subtract(const TRegion& other) const;
    TRegion Offset(int dx, int dy) const;

    // Top to bottom, not overlapping, none empty; touching bands always differ in their spans,
    // so equal pixel sets have equal bands.
    const std::vector<Band>& Bands() const { return FBands; }
    // The spans of row y (empty outside the region).
    const std::vector<Span>& RowSpans(int y) const;

    friend bool operator==(const TRegion&, const TRegion&);

private:
    explicit TRegion(std::vector<Band> bands) : FBands(std::move(bands)) {}
    std::vector<Band> FBands;
};

// The platform-handle flavour the control set's code is written against (CreatePolygonRgn,
// PtInRegion, SelectClipRgn, DeleteObject): a shared handle that deletes itself.
using HRGN = std::shared_ptr<TRegion>;
HRGN CreatePolygonRgn(const TPoint* points, int count);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
bool PtInRegion(const HRGN& region, int x, int y);
inline void DeleteObject(HRGN& region) { region.reset(); }
