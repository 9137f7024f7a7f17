// Span regions: construction (rectangle, polygon, rows), queries, set operations, handles.
#include "framework/graphics/region.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

using Span = TRegion::Span;
using Row = std::vector<Span>;

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
        const int xa = ia < a.size() * 2 ? (ia % 2 ? a[ia / 2].Right : a[ia / 2].Left) : INT_MAX;
        const int xb = ib < b.size() * 2 ? (ib % 2 ? b[ib / 2].Right : b[ib / 2].Left) : INT_MAX;
        const int x = std::min(xa, xb);
        if (xa == x) { inA = !inA; ++ia; }
        if (xb == x) { inB = !inB; ++ib; }
        const bool now = op == Op::Intersect ? (inA && inB) : op == Op::Union ? (inA || inB) : (inA && !inB);
        if (now != inResult) {
            if (now) start = x;
            else result.push_back({start, x});
            inResult = now;
        }
    }
    return result;
}

TRegion Combine(const TRegion& a, const TRegion& b, Op op) {
    if (a.Empty()) return op == Op::Union ? b : TRegion{};
    if (b.Empty()) return op == Op::Intersect ? TRegion{} : a;
    const int aTop = a.TopRow(), aBottom = aTop + static_cast<int>(a.Rows().size());
    const int bTop = b.TopRow(), bBottom = bTop + static_cast<int>(b.Rows().size());
    int top = std::min(aTop, bTop), bottom = std::max(aBottom, bBottom);
    if (op == Op::Intersect) { top = std::max(aTop, bTop); bottom = std::min(aBottom, bBottom); }
    if (op == Op::Subtract) { top = aTop; bottom = aBottom; }
    if (bottom <= top) return TRegion{};
    static const Row kNoRow;
    std::vector<Row> rows(static_cast<std::size_t>(bottom - top));
    for (int y = top; y < bottom; ++y) {
        const Row& ra = y >= aTop && y < aBottom ? a.Rows()[y - aTop] : kNoRow;
        const Row& rb = y >= bTop && y < bBottom ? b.Rows()[y - bTop] : kNoRow;
        rows[y - top] = CombineRows(ra, rb, op);
    }
    return TRegion::FromRows(top, std::move(rows));
}

// ceil(n / d) for d > 0.
int64_t CeilDiv(int64_t n, int64_t d) {
    return n >= 0 ? (n + d - 1) / d : -((-n) / d);
}

}  // namespace

// ---------------------------------------------------------------- construction

TRegion TRegion::FromRect(const TRect& r) {
    TRegion region;
    if (r.IsEmpty()) return region;
    region.FTop = r.Top;
    region.FRows.assign(static_cast<std::size_t>(r.Height()), Row{{r.Left, r.Right}});
    return region;
}

TRegion TRegion::FromRows(int top, std::vector<std::vector<Span>> rows) {
    TRegion region;
    region.FTop = top;
    region.FRows = std::move(rows);
    region.Normalize();
    return region;
}

// Each row y is cut at its pixel-centre line y + 0.5, which never passes through a vertex of
// integer coordinates, so every crossing is unambiguous. A crossing at x covers the pixels
// whose centres lie at or right of x; the even-odd pairs of crossings then give the spans.
// All in exact integer arithmetic.
TRegion TRegion::FromPolygon(const TPoint* points, int count) {
    if (!points || count < 3) return TRegion{};
    int minY = points[0].Y, maxY = points[0].Y;
    for (int i = 1; i < count; ++i) {
        minY = std::min(minY, points[i].Y);
        maxY = std::max(maxY, points[i].Y);
    }
    std::vector<Row> rows(static_cast<std::size_t>(maxY - minY));
    std::vector<int64_t> crossings;
    for (int y = minY; y < maxY; ++y) {
        crossings.clear();
        const int64_t twiceCentre = 2 * int64_t{y} + 1;
        for (int i = 0; i < count; ++i) {
            const TPoint& p = points[i];
            const TPoint& q = points[(i + 1) % count];
            if (p.Y == q.Y) continue;
            const int64_t lo = std::min(p.Y, q.Y), hi = std::max(p.Y, q.Y);
            if (twiceCentre < 2 * lo || twiceCentre > 2 * hi) continue;
            // First pixel x with x + 0.5 >= crossing: ceil(crossing - 0.5).
            const int64_t dy = q.Y - p.Y, dx = q.X - p.X;
            int64_t num = (2 * int64_t{p.X} - 1) * dy + (twiceCentre - 2 * p.Y) * dx;
            int64_t den = 2 * dy;
            if (den < 0) { num = -num; den = -den; }
            crossings.push_back(CeilDiv(num, den));
        }
        std::sort(crossings.begin(), crossings.end());
        Row& row = rows[y - minY];
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            row.push_back({static_cast<int>(crossings[i]), static_cast<int>(crossings[i + 1])});
    }
    return FromRows(minY, std::move(rows));
}

void TRegion::Normalize() {
    for (Row& row : FRows) NormalizeRow(row);
    std::size_t first = 0;
    while (first < FRows.size() && FRows[first].empty()) ++first;
    std::size_t last = FRows.size();
    while (last > first && FRows[last - 1].empty()) --last;
    if (first == last) {
        FRows.clear();
        FTop = 0;
        return;
    }
    FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(last), FRows.end());
    FRows.erase(FRows.begin(), FRows.begin() + static_cast<std::ptrdiff_t>(first));
    FTop += static_cast<int>(first);
}

// ---------------------------------------------------------------- queries

bool TRegion::Empty() const { return FRows.empty(); }

bool TRegion::Contains(int x, int y) const {
    const int64_t index = int64_t{y} - FTop;
    if (index < 0 || index >= static_cast<int64_t>(FRows.size())) return false;
    const Row& row = FRows[static_cast<std::size_t>(index)];
    auto it = std::upper_bound(row.begin(), row.end(), x, [](int v, const Span& s) { return v < s.Left; });
    return it != row.begin() && x < std::prev(it)->Right;
}

TRect TRegion::Bounds() const {
    if (FRows.empty()) return {};
    TRect r{INT_MAX, FTop, INT_MIN, FTop + static_cast<int>(FRows.size())};
    for (const Row& row : FRows) {
        r.Left = std::min(r.Left, row.front().Left);
        r.Right = std::max(r.Right, row.back().Right);
    }
    return r;
}

bool operator==(const TRegion& a, const TRegion& b) {
    if (a.FTop != b.FTop || a.FRows.size() != b.FRows.size()) return false;
    for (std::size_t i = 0; i < a.FRows.size(); ++i) {
        const Row& ra = a.FRows[i];
        const Row& rb = b.FRows[i];
        if (ra.size() != rb.size()) return false;
        for (std::size_t k = 0; k < ra.size(); ++k)
            if (ra[k].Left != rb[k].Left || ra[k].Right != rb[k].Right) return false;
    }
    return true;
}

// ---------------------------------------------------------------- set operations

TRegion TRegion::Intersect(const TRegion& other) const { return Combine(*this, other, Op::Intersect); }
TRegion TRegion::Union(const TRegion& other) const { return Combine(*this, other, Op::Union); }
TRegion TRegion::Subtract(const TRegion& other) const { return Combine(*this, other, Op::Subtract); }

TRegion TRegion::Intersect(const TRect& r) const {
    if (r.IsEmpty() || FRows.empty()) return TRegion{};
    const int top = std::max(r.Top, FTop);
    const int bottom = std::min(r.Bottom, FTop + static_cast<int>(FRows.size()));
    if (bottom <= top) return TRegion{};
    std::vector<Row> rows(static_cast<std::size_t>(bottom - top));
    for (int y = top; y < bottom; ++y) {
        for (const Span& s : FRows[y - FTop]) {
            const int l = std::max(s.Left, r.Left), rr = std::min(s.Right, r.Right);
            if (l < rr) rows[y - top].push_back({l, rr});
        }
    }
    return FromRows(top, std::move(rows));
}

TRegion TRegion::Offset(int dx, int dy) const {
    TRegion result = *this;
    if (result.FRows.empty()) return result;
    result.FTop += dy;
    if (dx != 0)
        for (Row& row : result.FRows)
            for (Span& s : row) { s.Left += dx; s.Right += dx; }
    return result;
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
