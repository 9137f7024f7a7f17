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
#include "framework/stdctrls/extctrls.h"

struct TEnumInfo;

// ---------------------------------------------------------------- vocabulary

enum TVtGridStyle { gsDots, gsDottedLines, gsSolidLines };

const TEnumInfo& GridStyleInfo();

// ---------------------------------------------------------------- TVtCustomPanel

class TVtCustomPanel : public TCustomPanel, public IVtFrameControllerClient {
public:
    explicit TVtCustomPanel(TComponent* owner);
    ~TVtCustomPanel() override;

    // ---- frames
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TFrameStyleEx v);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    void SetBorderInner(TFrameStyleEx v);
    TSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TSides v);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    // The light and dark colours of fsStatus / fsPopup frames.
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor v);
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor v);
    // The base colour of flat frames, drawn shifted by FlatColorAdjustment lightness steps.
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int v);
    // BorderWidth, BevelWidth (the line count of fsStatus / fsPopup), Alignment, Caption,
    // Color and FullRepaint are the framework panel's.

    // ---- fill and caption
    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    void SetAlignmentVertical(TAlignmentVertical v);
    // No fill: the parent shows through inside the frames.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool UseGradients() const { return FUseGradients; }
    void SetUseGradients(bool v);
    TColor GradientColorStart() const { return FGradientColorStart; }
    void SetGradientColorStart(TColor v);
    TColor GradientColorStop() const { return FGradientColorStop; }
    void SetGradientColorStop(TColor v);
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection v);
    // With visual styles active the gradient takes the inactive caption colours.
    bool ThemeAware() const { return FThemeAware; }
    void SetThemeAware(bool v);

    // ---- grid
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool v);
    TVtGridStyle GridStyle() const { return FGridStyle; }
    void SetGridStyle(TVtGridStyle v);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor v);
    // Spacing in pixels; 0 draws no grid in that direction.
    uint16_t GridXSize() const { return FGridXSize; }
    void SetGridXSize(uint16_t v);
    uint16_t GridYSize() const { return FGridYSize; }
    void SetGridYSize(uint16_t v);

    // ---- shared settings and docking
    TVtFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TVtFrameController* v);
    void ApplyFrameController(TVtFrameController* controller) override;
    // A dock site reports its client rectangle inside the frames as well.
    // The framework keeps both flags, so that its docking finds the panel as a site; the
    // panel only adds the layout that follows them.
    bool DockSite() const { return TCustomPanel::DockSite(); }
    void SetDockSite(bool v);
    bool UseDockManager() const { return TCustomPanel::UseDockManager(); }
    void SetUseDockManager(bool v);
    bool ShowDockClientCaptions() const { return FShowDockClientCaptions; }
    void SetShowDockClientCaptions(bool v);

    // Called after the panel has painted.
    TNotifyEvent OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The outer and inner frames' thickness on one side (0 on a side not in BorderSides).
    int FrameInset(TSide side) const;
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
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;

    void CMEnabledChanged(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override;
    void WMWindowPosChanged(TWMWindowPosChanged& message) override;

    // (0, 0, Width, Height) less BorderWidth on every side and both frames on BorderSides.
    TRect InnerRect() const;
    // Re-aligns the children and invalidates: the frames changed the client area.
    void FramesChanged();

    TFrameStyleEx FBorderOuter = fsRaised;
    TFrameStyleEx FBorderInner = fsNone;
    TSides FBorderSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    TAlignmentVertical FAlignmentVertical = avCenter;
    bool FTransparent = false;
    bool FUseGradients = false;
    TColor FGradientColorStart = clWhite;
    TColor FGradientColorStop = clBtnFace;
    TGradientDirection FGradientDirection = gdHorizontalEnd;
    bool FThemeAware = true;
    bool FShowGrid = false;
    TVtGridStyle FGridStyle = gsDots;
    TColor FGridColor = clBtnShadow;
    uint16_t FGridXSize = 8;
    uint16_t FGridYSize = 8;
    TVtFrameController* FFrameController = nullptr;
    bool FShowDockClientCaptions = true;

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
