// The control set's framed container: a windowed panel that paints an outer frame, a solid
// band of BorderWidth pixels, an inner frame and a fill (solid or gradient), optionally a
// grid and a caption, and lays its children out inside the frames.
//
// TVtCustomPanel holds all behaviour; TVtPanel only publishes it. The framework panel's own
// bevels are switched off, so every frame pixel comes from the frame painters of vt_draw.h.
//
// Sections: vocabulary · TVtCustomPanel · TVtPanel
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "controls/vt_blink.h"
#include "controls/vt_button.h"
#include "controls/vt_draw.h"
#include "controls/vt_frame.h"
#include "framework/stdctrls/extctrls.h"

struct TEnumInfo;

// ---------------------------------------------------------------- vocabulary

enum TVtGridStyle { gsDots, gsDottedLines, gsSolidLines };

const TEnumInfo& GridStyleInfo();

// ---------------------------------------------------------------- TVtCustomPanel

class TVtCustomPanel : public TVtFramedControl<TCustomPanel> {
public:
    // Published defaults: the fields and the constructor start from them, the class table
    // names them.
    struct Defaults {
        static constexpr TVtFrameSettings Frame{.Outer = fsRaised};
        static constexpr TBevelCut BevelOuter = bvNone;
        static constexpr TAlignmentVertical AlignmentVertical = avCenter;
        static constexpr bool Transparent = false;
        static constexpr bool UseGradients = false;
        static constexpr TColor GradientColorStart = clWhite;
        static constexpr TColor GradientColorStop = clBtnFace;
        static constexpr TGradientDirection GradientDirection = gdHorizontalEnd;
        static constexpr bool ThemeAware = true;
        static constexpr bool ShowGrid = false;
        static constexpr TVtGridStyle GridStyle = gsDots;
        static constexpr TColor GridColor = clBtnShadow;
        static constexpr uint16_t GridXSize = 8;
        static constexpr uint16_t GridYSize = 8;
        static constexpr bool UseDockManager = true;
        static constexpr bool ShowDockClientCaptions = true;
    };

    explicit TVtCustomPanel(TComponent* owner);
    ~TVtCustomPanel() override;

    // ---- frames: TVtFramedControl. BorderWidth, BevelWidth (the line count of fsStatus /
    // fsPopup), Alignment, Caption, Color and FullRepaint are the framework panel's.

    // ---- fill and caption
    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    void SetAlignmentVertical(TAlignmentVertical v) {
        if (Change(FAlignmentVertical, v)) Invalidate();
    }
    // No fill: the parent shows through inside the frames.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool UseGradients() const { return FUseGradients; }
    void SetUseGradients(bool v) {
        if (Change(FUseGradients, v)) Invalidate();
    }
    TColor GradientColorStart() const { return FGradientColorStart; }
    void SetGradientColorStart(TColor v) {
        if (Change(FGradientColorStart, v)) Invalidate();
    }
    TColor GradientColorStop() const { return FGradientColorStop; }
    void SetGradientColorStop(TColor v) {
        if (Change(FGradientColorStop, v)) Invalidate();
    }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection v) {
        if (Change(FGradientDirection, v)) Invalidate();
    }
    // With visual styles active the gradient takes the inactive caption colours.
    bool ThemeAware() const { return FThemeAware; }
    void SetThemeAware(bool v) {
        if (Change(FThemeAware, v)) Invalidate();
    }

    // ---- grid
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool v) {
        if (Change(FShowGrid, v)) Invalidate();
    }
    TVtGridStyle GridStyle() const { return FGridStyle; }
    void SetGridStyle(TVtGridStyle v) {
        if (Change(FGridStyle, v)) Invalidate();
    }
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor v) {
        if (Change(FGridColor, v)) Invalidate();
    }
    // Spacing in pixels; 0 draws no grid in that direction.
    uint16_t GridXSize() const { return FGridXSize; }
    void SetGridXSize(uint16_t v) {
        if (Change(FGridXSize, v)) Invalidate();
    }
    uint16_t GridYSize() const { return FGridYSize; }
    void SetGridYSize(uint16_t v) {
        if (Change(FGridYSize, v)) Invalidate();
    }

    // ---- docking
    // A dock site reports its client rectangle inside the frames as well.
    // The framework keeps both flags, so that its docking finds the panel as a site; the
    // panel only adds the layout that follows them.
    bool DockSite() const { return TCustomPanel::DockSite(); }
    void SetDockSite(bool v);
    bool UseDockManager() const { return TCustomPanel::UseDockManager(); }
    void SetUseDockManager(bool v);
    bool ShowDockClientCaptions() const { return FShowDockClientCaptions; }
    void SetShowDockClientCaptions(bool v) {
        if (Change(FShowDockClientCaptions, v)) Invalidate();
    }

    // Called after the panel has painted.
    TNotifyEvent OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    TRect ClientRect() const override;
    // Aligned to the bottom (right), a new height (width) keeps the bottom (right) edge put.
    void SetBounds(int left, int top, int width, int height) override;

    static void RegisterClassInfo();

protected:
    // The alignment rectangle moves in by both frames on the sides in BorderSides.
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void PaintCaption(TCanvas* canvas, TRect rect) override;
    virtual void PaintGrid(TCanvas* canvas, const TRect& rect);
    void Dispatch(TMessage& message) override;

    void CMEnabledChanged(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override;
    void WMWindowPosChanged(TWMWindowPosChanged& message) override;

    // (0, 0, Width, Height) less BorderWidth on every side and both frames on BorderSides.
    TRect InnerRect() const;
    // Re-aligns the children and invalidates: the frames changed the client area.
    void FramesChanged() override;

    TAlignmentVertical FAlignmentVertical = Defaults::AlignmentVertical;
    bool FTransparent = Defaults::Transparent;
    bool FUseGradients = Defaults::UseGradients;
    TColor FGradientColorStart = Defaults::GradientColorStart;
    TColor FGradientColorStop = Defaults::GradientColorStop;
    TGradientDirection FGradientDirection = Defaults::GradientDirection;
    bool FThemeAware = Defaults::ThemeAware;
    bool FShowGrid = Defaults::ShowGrid;
    TVtGridStyle FGridStyle = Defaults::GridStyle;
    TColor FGridColor = Defaults::GridColor;
    uint16_t FGridXSize = Defaults::GridXSize;
    uint16_t FGridYSize = Defaults::GridYSize;
    bool FShowDockClientCaptions = Defaults::ShowDockClientCaptions;

private:
    // Each child's enabled state when the panel was last disabled, in child order.
    std::vector<std::pair<TControl*, bool>> FRememberedStates;
};

// ---------------------------------------------------------------- TVtPanel

class TVtPanel : public TVtCustomPanel {
public:
    explicit TVtPanel(TComponent* owner) : TVtCustomPanel(owner) {}
    static void RegisterClassInfo();
};
