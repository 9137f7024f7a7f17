// The line. Sections:
//   1. vocabulary and helpers
//   2. properties and geometry
//   3. painting
//   4. notifications: size, hit test, pointer
//   5. class table
#include "controls/vt_line.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/core/typinfo.h"

// ---------------------------------------------------------------- 1. vocabulary and helpers

const TEnumInfo& LineSlopeInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtLineSlope", {"lsDown", "lsUp"});
    return info;
}

const TEnumInfo& ShowArrowsInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtShowArrows", {"saNone", "saStart", "saEnd", "saBoth"});
    return info;
}

namespace {

// To the nearest integer, halves to even (the default floating-point rounding mode).
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

// ---------------------------------------------------------------- 2. properties and geometry

TVtLine::TVtLine(TComponent* owner) : TGraphicControl(owner) { UpdateEndPoints(); }

TVtLine::~TVtLine() = default;

void TVtLine::SetLineWidth(int v) {
    if (FLineWidth == v) return;
    // Arrow heads sit centred on the line only when it has a middle pixel.
    if (FShowArrows != saNone && v % 2 == 0) v = v > FLineWidth ? v + 1 : v - 1;
    FLineWidth = v;
    Invalidate();
}

void TVtLine::SetLineSlope(TVtLineSlope v) {
    if (!Change(FLineSlope, v)) return;
    UpdateEndPoints();
    Invalidate();
}

void TVtLine::SetArrowLength(int v) {
    if (!Change(FArrowLength, v)) return;
    FMargin = v / 2;
    EnforceMinimumSize();
    UpdateEndPoints();
    Invalidate();
}

void TVtLine::EnforceMinimumSize() {
    if (FWidth < 2 * FMargin) SetWidth(2 * FMargin);
    if (FHeight < 2 * FMargin) SetHeight(2 * FMargin);
}

void TVtLine::UpdateEndPoints() {
    FX1 = FMargin;
    FX2 = FWidth - FMargin;
    if (FLineSlope == lsDown) {
        FY1 = FMargin;
        FY2 = FHeight - FMargin;
    } else {
        FY1 = FHeight - FMargin;
        FY2 = FMargin;
    }
}

bool TVtLine::PointOnLine(int x, int y) const {
    const int k = std::max(FLineWidth / 2, 4);
    const int inset = FMargin - k;
    if (!Rect(inset, inset, FWidth - inset, FHeight - inset).Contains({x, y})) return false;
    if (FX1 == FX2) return std::abs(x - FX1) <= k;
    const double slope = static_cast<double>(FY2 - FY1) / (FX2 - FX1);
    auto lineY = [&](int ox, int oy) { return RoundEven(slope * (x + ox - FX1) + oy + FY1); };
    int ya = FLineSlope == lsDown ? lineY(k, -k) : lineY(-k, -k);
    int yb = FLineSlope == lsDown ? lineY(-k, k) : lineY(k, k);
    if (ya > yb) std::swap(ya, yb);
    return ya <= y && y <= yb;
}

// ---------------------------------------------------------------- 3. painting

void TVtLine::Paint() {
    TCanvas* canvas = Canvas();
    TCanvasStateSaver saver(canvas);
    constexpr double kHalfPi = std::numbers::pi / 2;
    const double theta = FX1 == FX2 ? kHalfPi : std::atan(static_cast<double>(FY2 - FY1) / (FX2 - FX1));
    // A vertical lsUp line runs upwards: every offset along it turns round.
    const int turn = (FLineSlope == lsUp && theta == kHalfPi) ? -1 : 1;
    const bool atStart = FShowArrows == saStart || FShowArrows == saBoth;
    const bool atEnd = FShowArrows == saEnd || FShowArrows == saBoth;

    // Each arrowed end is shortened by half an arrow length, so the line stops inside the head.
    int a1 = FX1, b1 = FY1, a2 = FX2, b2 = FY2;
    if (FShowArrows != saNone) {
        const int s = FArrowLength / 2;
        const int dx = turn * RoundEven(std::cos(theta) * s);
        const int dy = turn * RoundEven(std::sin(theta) * s);
        if (atStart) a1 += dx, b1 += dy;
        if (atEnd) a2 -= dx, b2 -= dy;
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(FLineColor);
    canvas->Pen()->SetStyle(FLineStyle);
    canvas->Pen()->SetWidth(FLineWidth);
    canvas->MoveTo(a1, b1);
    canvas->LineTo(a2, b2);
    if (FShowArrows == saNone) return;

    // The heads' sides leave the tip 22.5 degrees either side of the line.
    const double alpha = theta - std::numbers::pi / 8;
    const double beta = theta + std::numbers::pi / 8;
    const int t = turn * RoundEven(std::cos(alpha) * FArrowLength);
    const int r = turn * RoundEven(std::sin(alpha) * FArrowLength);
    const int v = turn * RoundEven(std::cos(beta) * FArrowLength);
    const int u = turn * RoundEven(std::sin(beta) * FArrowLength);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FLineColor);
    canvas->Pen()->SetWidth(1);
    if (atStart) {
        const TPoint head[3] = {{FX1, FY1}, {FX1 + v, FY1 + u}, {FX1 + t, FY1 + r}};
        canvas->Polygon(head, 3);
    }
    if (atEnd) {
        const TPoint head[3] = {{FX2, FY2}, {FX2 - v, FY2 - u}, {FX2 - t, FY2 - r}};
        canvas->Polygon(head, 3);
    }
}

// ---------------------------------------------------------------- 4. notifications

void TVtLine::Loaded() {
    TGraphicControl::Loaded();
    UpdateEndPoints();
}

void TVtLine::WMSize(TWMSize& message) {
    TGraphicControl::WMSize(message);
    EnforceMinimumSize();
    UpdateEndPoints();
}

void TVtLine::CMHitTest(TCMHitTest& message) {
    message.Result = PointOnLine(message.XPos, message.YPos) ? HTCLIENT : HTNOWHERE;
}

void TVtLine::CMMouseEnter(TMessage& message) {
    TGraphicControl::CMMouseEnter(message);
    if (!ComponentState().Contains(csDesigning) && OnMouseEnter) OnMouseEnter(this);
}

void TVtLine::CMMouseLeave(TMessage& message) {
    TGraphicControl::CMMouseLeave(message);
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---------------------------------------------------------------- 5. class table

void TVtLine::RegisterClassInfo() {
    RegisterClass<TVtLine>("TVtLine", "TGraphicControl", [](TClassBuilder<TVtLine>& b) {
        using L = TVtLine;
        using D = TVtLine::Defaults;
        b.Color("LineColor", &L::LineColor, &L::SetLineColor).Default(D::LineColor);
        b.Integer("LineWidth", &L::LineWidth, &L::SetLineWidth).Default(D::LineWidth);
        b.Enumeration("LineStyle", PenStyleInfo(), &L::LineStyle, &L::SetLineStyle).Default(D::LineStyle);
        b.Enumeration("LineSlope", LineSlopeInfo(), &L::LineSlope, &L::SetLineSlope).Default(D::LineSlope);
        b.Enumeration("ShowArrows", ShowArrowsInfo(), &L::ShowArrows, &L::SetShowArrows).Default(D::ShowArrows);
        b.Integer("ArrowLength", &L::ArrowLength, &L::SetArrowLength).Default(D::ArrowLength);
        b.Event("OnMouseEnter", &L::OnMouseEnter);
        b.Event("OnMouseLeave", &L::OnMouseLeave);
    });
}
