// Span regions: polygon rasterisation by pixel centres, point tests, set operations.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/graphics/region.h"

namespace {

// Row y of the region over columns [x0, x1) as '#' (inside) and '.'.
std::string RowOf(const TRegion& r, int y, int x0, int x1) {
    std::string s;
    for (int x = x0; x < x1; ++x) s += r.Contains(x, y) ? '#' : '.';
    return s;
}

std::vector<TPoint> Pentagram(double cx, double cy, double radius) {
    std::vector<TPoint> pts;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + (i * 2 % 5) * 2 * M_PI / 5;  // every second vertex
        pts.push_back({static_cast<int>(std::lround(cx + radius * std::cos(a))),
                       static_cast<int>(std::lround(cy + radius * std::sin(a)))});
    }
    return pts;
}

}  // namespace

TEST(Region, RectangleExcludesRightAndBottom) {
    const TRegion r = TRegion::FromRect({2, 3, 6, 5});
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(5, 4));
    EXPECT_FALSE(r.Contains(6, 4));
    EXPECT_FALSE(r.Contains(5, 5));
    EXPECT_FALSE(r.Contains(1, 3));
    EXPECT_EQ(r.Bounds(), (TRect{2, 3, 6, 5}));
    EXPECT_TRUE(TRegion::FromRect({5, 5, 5, 9}).Empty());
    EXPECT_TRUE(TRegion::FromRect({5, 5, 3, 9}).Empty());
    EXPECT_EQ(TRegion().Bounds(), TRect{});
}

TEST(Region, PolygonCoversPixelCentresInside) {
    // An axis-aligned polygon is the rectangle it outlines, right and bottom excluded.
    const std::vector<TPoint> square = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    EXPECT_EQ(TRegion::FromPolygon(square), TRegion::FromRect({1, 1, 5, 4}));

    // Right triangle: row y holds the centres left of the hypotenuse x = 10 - (y + 0.5);
    // a centre exactly on it is outside.
    const std::vector<TPoint> tri = {{0, 0}, {10, 0}, {0, 10}};
    const TRegion t = TRegion::FromPolygon(tri);
    EXPECT_EQ(RowOf(t, 0, 0, 11), "#########..");
    EXPECT_EQ(RowOf(t, 4, 0, 11), "#####......");
    EXPECT_EQ(RowOf(t, 8, 0, 11), "#..........");
    EXPECT_EQ(RowOf(t, 9, 0, 11), "...........");
    EXPECT_EQ(RowOf(t, -1, 0, 11), "...........");

    // Winding direction does not matter.
    const std::vector<TPoint> reversed = {{0, 10}, {10, 0}, {0, 0}};
    EXPECT_EQ(TRegion::FromPolygon(reversed), t);

    EXPECT_TRUE(TRegion::FromPolygon(tri.data(), 2).Empty());
}

TEST(Region, SelfIntersectingStarLeavesItsCentreEmpty) {
    const TRegion star = TRegion::FromPolygon(Pentagram(20, 20, 18));
    EXPECT_FALSE(star.Contains(20, 20));  // the inner pentagon is crossed twice
    EXPECT_FALSE(star.Contains(21, 22));
    EXPECT_TRUE(star.Contains(20, 5));    // the top point
    EXPECT_TRUE(star.Contains(5, 15));    // the left point
    EXPECT_FALSE(star.Contains(20, 33));  // between the two lower points
}

TEST(Region, SetOperations) {
    const TRegion a = TRegion::FromRect({0, 0, 4, 4});
    const TRegion b = TRegion::FromRect({2, 2, 6, 6});
    EXPECT_EQ(a.Intersect(b), TRegion::FromRect({2, 2, 4, 4}));
    EXPECT_EQ(a.Intersect(TRect{2, 2, 6, 6}), TRegion::FromRect({2, 2, 4, 4}));

    const TRegion u = a.Union(b);
    EXPECT_EQ(u.Bounds(), (TRect{0, 0, 6, 6}));
    EXPECT_EQ(RowOf(u, 1, 0, 7), "####...");
    EXPECT_EQ(RowOf(u, 3, 0, 7), "######.");
    EXPECT_EQ(RowOf(u, 5, 0, 7), "..####.");

    const TRegion d = a.Subtract(b);
    EXPECT_EQ(RowOf(d, 1, 0, 5), "####.");
    EXPECT_EQ(RowOf(d, 3, 0, 5), "##...");

    // A frame: the rectangle less its inside, one span per side.
    const TRegion frame = TRegion::FromRect({0, 0, 5, 4}).Subtract(TRegion::FromRect({1, 1, 4, 3}));
    EXPECT_EQ(frame.RowSpans(1).size(), 2u);
    EXPECT_EQ(RowOf(frame, 1, 0, 5), "#...#");

    // Touching pieces merge into the same region as one rectangle.
    EXPECT_EQ(TRegion::FromRect({0, 0, 2, 3}).Union(TRegion::FromRect({2, 0, 5, 3})), TRegion::FromRect({0, 0, 5, 3}));
    EXPECT_TRUE(a.Subtract(a).Empty());
    EXPECT_TRUE(a.Intersect(TRegion::FromRect({10, 10, 12, 12})).Empty());
    EXPECT_EQ(TRegion().Union(a), a);
}

TEST(Region, OffsetAndHandles) {
    const TRegion r = TRegion::FromRect({0, 0, 2, 2}).Offset(5, -1);
    EXPECT_EQ(r, TRegion::FromRect({5, -1, 7, 1}));

    const TPoint tri[] = {{0, 0}, {10, 0}, {0, 10}};
    HRGN rgn = CreatePolygonRgn(tri, 3);
    EXPECT_TRUE(PtInRegion(rgn, 1, 1));
    EXPECT_FALSE(PtInRegion(rgn, 9, 9));
    DeleteObject(rgn);
    EXPECT_FALSE(PtInRegion(rgn, 1, 1));

    // CreateRectRgn accepts its corners in any order.
    EXPECT_EQ(*CreateRectRgn(4, 4, 1, 2), TRegion::FromRect({1, 2, 4, 4}));
}
