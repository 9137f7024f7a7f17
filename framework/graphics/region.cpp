// Band regions: construction (rectangle, polygon, rows), queries, set operations, handles.
//
// Every region is kept in one canonical form (bands top to bottom, none empty, touching
// bands with different spans), which the band builder below produces from rows or bands
// given in order; equality of pixel sets is then equality of bands.
#include "framework/graphics/region.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

using Span = TRegion::Span;
using Band = TRegion::Band;
using Row = std::vector<Span>;

int Saturate(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// Sorts and merges overlapping or touching spans, dropping empty ones.
void NormalizeRow(Row& row) {
    std::erase_if(row, [](const Span& s) { return s.Right <= s.Left; });
    if (row.size() < 2) return;
    std::sort(row.begin(), row.end(), [](const Span& a, const Span& b) { return a.Left < b.Left; });
    std::size_t out = 0;
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (row[i].Left <= row[out].Right) {
            row[out].Right = std::max(row[out].Right, row[i].Right);
        } else {
            row[++out] = row[i];
        }
    }
    row.resize(out + 1);
}

bool SameSpans(const Row& a, const Row& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Span& x, const Span& y) { return x.Left == y.Left && x.Right == y.Right; });
}

// Collects bands in top-to-bottom order into the canonical form.
class TBandBuilder {
public:
    // Rows [top, bottom) holding spans (any order; normalized here).
    void Add(int top, int bottom, Row spans) {
        if (bottom <= top) return;
        NormalizeRow(spans);
        if (spans.empty()) return;
        if (!FBands.empty() && FBands.back().Bottom == top && SameSpans(FBands.back().Spans, spans)) {
            FBands.back().Bottom = bottom;
            return;
        }
        FBands.push_back({top, bottom, std::move(spans)});
    }
    std::vector<Band> Take() { return std::move(FBands); }

private:
    std::vector<Band> FBands;
};

enum class Op { Intersect, Union, Subtract };

// One row of a set operation: a sweep over the edges of both (normalized) rows.
Row CombineRows(const Row& a, const Row& b, Op op) {
    Row result;
    if (op == Op::Intersect && (a.empty() || b.empty())) return result;
    if (op == Op::Subtract && b.empty()) return a;
    if (op == Op::Union && b.empty()) return a;
    if (op == Op::Union && a.empty()) return b;
    std::size_t ia = 0, ib = 0;
    bool inA = false, inB = false, inResult = false;
    int start = 0;
    while (ia < a.size() * 2 || ib < b.size() * 2) {
        const int64_t xa = ia < a.size() * 2 ? (ia % 2 ? a[ia / 2].Right : a[ia / 2].Left) : INT64_MAX;
        const int64_t xb = ib < b.size() * 2 ? (ib % 2 ? b[ib / 2].Right : b[ib / 2].Left) : INT64_MAX;
        const int64_t x = std::min(xa, xb);
        if (xa == x) {
            inA = !inA;
            ++ia;
        }
        if (xb == x) {
            inB = !inB;
            ++ib;
        }
        const bool now = op == Op::Intersect ? (inA && inB) : op == Op::Union ? (inA || inB) : (inA && !inB);
        if (now != inResult) {
            if (now) start = static_cast<int>(x);
            else result.push_back({start, static_cast<int>(x)});
            inResult = now;
        }
    }
    return result;
}

// A sweep down both band lists: each stretch of rows where neither changes is one band.
std::vector<Band> Combine(const std::vector<Band>& a, const std::vector<Band>& b, Op op) {
    static const Row kNoRow;
    TBandBuilder out;
    std::size_t ia = 0, ib = 0;
    int64_t y = INT64_MIN;
    while (ia < a.size() || ib < b.size()) {
        const Band* ba = ia < a.size() ? &a[ia] : nullptr;
        const Band* bb = ib < b.size() ? &b[ib] : nullptr;
        if (y == INT64_MIN) y = std::min<int64_t>(ba ? ba->Top : INT_MAX, bb ? bb->Top : INT_MAX);
        const bool inA = ba && ba->Top <= y, inB = bb && bb->Top <= y;
        int64_t next = INT64_MAX;
        if (ba) next = std::min<int64_t>(next, inA ? ba->Bottom : ba->Top);
        if (bb) next = std::min<int64_t>(next, inB ? bb->Bottom : bb->Top);
        if (inA || inB)
            out.Add(static_cast<int>(y), static_cast<int>(next),
                    CombineRows(inA ? ba->Spans : kNoRow, inB ? bb->Spans : kNoRow, op));
        y = next;
        if (ba && ba->Bottom <= y) ++ia;
        if (bb && bb->Bottom <= y) ++ib;
    }
    return out.Take();
}

// ceil(n / d) for d > 0.
__int128 CeilDiv(__int128 n, __int128 d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

// The band holding row y, or nullptr.
const Band* BandAt(const std::vector<Band>& bands, int y) {
    auto it = std::upper_bound(bands.begin(), bands.end(), y, [](int v, const Band& b) { return v < b.Top; });
    if (it == bands.begin()) return nullptr;
    const Band& b = *std::prev(it);
    return y < b.Bottom ? &b : nullptr;
}

}  // namespace

// ---------------------------------------------------------------- construction

TRegion TRegion::FromRect(const TRect& r) {
    if (r.IsEmpty()) return TRegion{};
    return TRegion(std::vector<Band>{{r.Top, r.Bottom, Row{{r.Left, r.Right}}}});
}

TRegion TRegion::FromRows(int top, std::vector<std::vector<Span>> rows) {
    TBandBuilder out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int y = Saturate(int64_t{top} + static_cast<int64_t>(i));
        if (y == INT_MAX) break;
        out.Add(y, y + 1, std::move(rows[i]));
    }
    return TRegion(out.Take());
}

TRegion TRegion::FromPolygon(const TPoint* points, int count) {
    return FromPolygon(points, count, TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX});
}

// Each row y is cut at its pixel-centre line y + 0.5, which never passes through a vertex of
// integer coordinates, so every crossing is unambiguous. A crossing at x covers the pixels
// whose centres lie at or right of x; the even-odd pairs of crossings then give the spans.
// All in exact integer arithmetic, wide enough for any coordinates.
TRegion TRegion::FromPolygon(const TPoint* points, int count, const TRect& within) {
    if (!points || count < 3 || within.IsEmpty()) return TRegion{};
    int minY = points[0].Y, maxY = points[0].Y;
    for (int i = 1; i < count; ++i) {
        minY = std::min(minY, points[i].Y);
        maxY = std::max(maxY, points[i].Y);
    }
    const int top = std::max(minY, within.Top), bottom = std::min(maxY, within.Bottom);
    TBandBuilder out;
    std::vector<__int128> crossings;
    for (int64_t y = top; y < bottom; ++y) {
        crossings.clear();
        const int64_t twiceCentre = 2 * y + 1;
        for (int i = 0; i < count; ++i) {
            const TPoint& p = points[i];
            const TPoint& q = points[(i + 1) % count];
            if (p.Y == q.Y) continue;
            const int64_t lo = std::min(p.Y, q.Y), hi = std::max(p.Y, q.Y);
            if (twiceCentre < 2 * lo || twiceCentre > 2 * hi) continue;
            // First pixel x with x + 0.5 >= crossing: ceil(crossing - 0.5).
            const int64_t dy = int64_t{q.Y} - p.Y, dx = int64_t{q.X} - p.X;
            __int128 num = __int128(2 * int64_t{p.X} - 1) * dy + __int128(twiceCentre - 2 * int64_t{p.Y}) * dx;
            __int128 den = 2 * __int128(dy);
            if (den < 0) {
                num = -num;
                den = -den;
            }
            crossings.push_back(CeilDiv(num, den));
        }
        std::sort(crossings.begin(), crossings.end());
        Row row;
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const __int128 l = std::max<__int128>(crossings[i], within.Left);
            const __int128 r = std::min<__int128>(crossings[i + 1], within.Right);
            if (l < r) row.push_back({static_cast<int>(l), static_cast<int>(r)});
        }
        out.Add(static_cast<int>(y), static_cast<int>(y + 1), std::move(row));
    }
    return TRegion(out.Take());
}

// ---------------------------------------------------------------- queries

bool TRegion::Contains(int x, int y) const {
    const Band* band = BandAt(FBands, y);
    if (!band) return false;
    const Row& row = band->Spans;
    auto it = std::upper_bound(row.begin(), row.end(), x, [](int v, const Span& s) { return v < s.Left; });
    return it != row.begin() && x < std::prev(it)->Right;
}

const std::vector<TRegion::Span>& TRegion::RowSpans(int y) const {
    static const Row kNoRow;
    const Band* band = BandAt(FBands, y);
    return band ? band->Spans : kNoRow;
}

TRect TRegion::Bounds() const {
    if (FBands.empty()) return {};
    TRect r{INT_MAX, FBands.front().Top, INT_MIN, FBands.back().Bottom};
    for (const Band& band : FBands) {
        r.Left = std::min(r.Left, band.Spans.front().Left);
        r.Right = std::max(r.Right, band.Spans.back().Right);
    }
    return r;
}

bool operator==(const TRegion& a, const TRegion& b) {
    return std::equal(a.FBands.begin(), a.FBands.end(), b.FBands.begin(), b.FBands.end(),
                      [](const Band& x, const Band& y) {
                          return x.Top == y.Top && x.Bottom == y.Bottom && SameSpans(x.Spans, y.Spans);
                      });
}

// ---------------------------------------------------------------- set operations

TRegion TRegion::Intersect(const TRegion& other) const { return TRegion(Combine(FBands, other.FBands, Op::Intersect)); }
TRegion TRegion::Union(const TRegion& other) const { return TRegion(Combine(FBands, other.FBands, Op::Union)); }
TRegion TRegion::Subtract(const TRegion& other) const { return TRegion(Combine(FBands, other.FBands, Op::Subtract)); }

TRegion TRegion::Intersect(const TRect& r) const {
    if (r.IsEmpty()) return TRegion{};
    TBandBuilder out;
    for (const Band& band : FBands) {
        if (band.Bottom <= r.Top) continue;
        if (band.Top >= r.Bottom) break;
        Row row;
        for (const Span& s : band.Spans) {
            const int l = std::max(s.Left, r.Left), rr = std::min(s.Right, r.Right);
            if (l < rr) row.push_back({l, rr});
        }
        out.Add(std::max(band.Top, r.Top), std::min(band.Bottom, r.Bottom), std::move(row));
    }
    return TRegion(out.Take());
}

// Coordinates that would leave the integers stop at their limits.
TRegion TRegion::Offset(int dx, int dy) const {
    if (dx == 0 && dy == 0) return *this;
    TBandBuilder out;
    for (const Band& band : FBands) {
        Row row = band.Spans;
        for (Span& s : row) {
            s.Left = Saturate(int64_t{s.Left} + dx);
            s.Right = Saturate(int64_t{s.Right} + dx);
        }
        out.Add(Saturate(int64_t{band.Top} + dy), Saturate(int64_t{band.Bottom} + dy), std::move(row));
    }
    return TRegion(out.Take());
}

// ---------------------------------------------------------------- handles

HRGN CreatePolygonRgn(const TPoint* points, int count) {
    return std::make_shared<TRegion>(TRegion::FromPolygon(points, count));
}

// As GDI does, the corners may come in any order.
HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return std::make_shared<TRegion>(TRegion::FromRect(
        {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)}));
}

bool PtInRegion(const HRGN& region, int x, int y) { return region && region->Contains(x, y); }
