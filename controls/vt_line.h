// The control set's line: a windowless control that draws one straight line from corner to
// corner of its bounds (less a margin), optionally with filled arrow heads at either end.
// Only points on the line belong to it; the rest fall through to what lies below.
//
// Sections: vocabulary · TVtLine
#pragma once

#include "framework/ui/controls.h"

struct TEnumInfo;

// ---------------------------------------------------------------- vocabulary

// lsDown runs from top-left to bottom-right, lsUp from bottom-left to top-right.
enum TVtLineSlope { lsDown, lsUp };
enum TVtShowArrows { saNone, saStart, saEnd, saBoth };

const TEnumInfo& LineSlopeInfo();
const TEnumInfo& ShowArrowsInfo();

// ---------------------------------------------------------------- TVtLine

class TVtLine : public TGraphicControl {
public:
    // Published defaults: the fields start from them, the class table names them.
    struct Defaults {
        static constexpr TColor LineColor = clWindowText;
        static constexpr int LineWidth = 1;
        static constexpr TPenStyle LineStyle = psSolid;
        static constexpr TVtLineSlope LineSlope = lsDown;
        static constexpr TVtShowArrows ShowArrows = saNone;
        static constexpr int ArrowLength = 10;
    };

    explicit TVtLine(TComponent* owner);
    ~TVtLine() override;

    // ---- published
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor v) {
        if (Change(FLineColor, v)) Invalidate();
    }
    // With arrows shown an even width is made odd, towards the requested change.
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int v);
    TPenStyle LineStyle() const { return FLineStyle; }
    void SetLineStyle(TPenStyle v) {
        if (Change(FLineStyle, v)) Invalidate();
    }
    TVtLineSlope LineSlope() const { return FLineSlope; }
    void SetLineSlope(TVtLineSlope v);
    TVtShowArrows ShowArrows() const { return FShowArrows; }
    void SetShowArrows(TVtShowArrows v) {
        if (Change(FShowArrows, v)) Invalidate();
    }
    // The arrow heads' side length; a change sets the margin to half of it.
    int ArrowLength() const { return FArrowLength; }
    void SetArrowLength(int v);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- geometry
    // The distance of the end points from the bounds.
    int Margin() const { return FMargin; }
    TPoint StartPoint() const { return {FX1, FY1}; }
    TPoint EndPoint() const { return {FX2, FY2}; }
    // True for points (client coordinates) that belong to the line.
    bool PointOnLine(int x, int y) const;

    // A separator.
    TAccessibleRole AccessibleRole(int part) const override { return part < 0 ? arSeparator : arNone; }

    static void RegisterClassInfo();

protected:
    void Paint() override;
    void Loaded() override;
    void WMSize(TWMSize& message) override;
    void CMHitTest(TCMHitTest& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;

    // Grows the control to twice the margin in each direction where it is smaller.
    void EnforceMinimumSize();
    void UpdateEndPoints();

private:
    TColor FLineColor = Defaults::LineColor;
    int FLineWidth = Defaults::LineWidth;
    TPenStyle FLineStyle = Defaults::LineStyle;
    TVtLineSlope FLineSlope = Defaults::LineSlope;
    TVtShowArrows FShowArrows = Defaults::ShowArrows;
    int FArrowLength = Defaults::ArrowLength;
    int FMargin = 10;
    int FX1 = 0;
    int FY1 = 0;
    int FX2 = 0;
    int FY2 = 0;
};
