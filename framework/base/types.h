// Points, rectangles and small sets: the value types every layer above speaks in.
// Rectangles exclude their right and bottom edges. Geometry saturates: a coordinate that
// would leave the integers stops at INT_MIN or INT_MAX (far outside any surface) instead of
// wrapping round onto it.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

// The nearest int to v.
constexpr int SaturateInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }
constexpr int SaturatingAdd(int a, int64_t b) { return SaturateInt(int64_t{a} + b); }

// The largest border, bevel or margin width a stored description may set, either way: wider
// than any surface, and small enough that sums and doubles of it stay integers.
constexpr int kMaxBorderWidth = 1 << 16;
constexpr int ClampBorderWidth(int v) { return std::clamp(v, -kMaxBorderWidth, kMaxBorderWidth); }

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return SaturateInt(int64_t{Right} - Left); }
    int Height() const { return SaturateInt(int64_t{Bottom} - Top); }
    // An inverted or zero-sized rectangle covers nothing.
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) { return {x, y}; }
inline TRect Rect(int l, int t, int r, int b) { return {l, t, r, b}; }
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, SaturatingAdd(left, width), SaturatingAdd(top, height)};
}
inline TRect OffsetRect(TRect r, int64_t dx, int64_t dy) {
    return {SaturatingAdd(r.Left, dx), SaturatingAdd(r.Top, dy), SaturatingAdd(r.Right, dx),
            SaturatingAdd(r.Bottom, dy)};
}
inline TRect InflateRect(TRect r, int64_t dx, int64_t dy) {
    return {SaturatingAdd(r.Left, -dx), SaturatingAdd(r.Top, -dy), SaturatingAdd(r.Right, dx),
            SaturatingAdd(r.Bottom, dy)};
}
// The common part; empty rectangles intersect to an empty (0,0,0,0).
inline TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}
// The smallest rectangle holding both; an empty side is ignored.
inline TRect UnionRect(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

// A set of enumeration values, bit n standing for ordinal n (so TSides stores left, top,
// right, bottom as 1, 2, 4, 8, as stored descriptions expect).
template <class E>
class Set {
    static_assert(std::is_enum_v<E>);

public:
    constexpr Set() = default;
    constexpr Set(std::initializer_list<E> values) {
        for (E v : values) bits_ |= Bit(v);
    }
    static constexpr Set FromBits(uint32_t bits) {
        Set s;
        s.bits_ = bits;
        return s;
    }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr Set& Include(E v) {
        bits_ |= Bit(v);
        return *this;
    }
    constexpr Set& Exclude(E v) {
        bits_ &= ~Bit(v);
        return *this;
    }
    constexpr Set operator+(Set o) const { return FromBits(bits_ | o.bits_); }
    constexpr Set operator-(Set o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr Set operator*(Set o) const { return FromBits(bits_ & o.bits_); }
    friend constexpr bool operator==(Set, Set) = default;

private:
    static constexpr uint32_t Bit(E v) { return uint32_t{1} << static_cast<unsigned>(v); }
    uint32_t bits_ = 0;
};
