// The tab control: a strip of tabs along one edge and, beside it, the card the tabs belong
// to. Everything is drawn by the control itself into an off-screen bitmap: polygon tabs in
// four shapes, gradient fills for unselected tabs, per-tab colours, a one-pixel card frame
// with a gap under the selected tab and a two-pixel soft shadow, hot tracking, a small
// two-button scroller for tabs that do not fit, and rows in multi-line mode.
//
// The work is split by concern:
//   vt_tabs.cpp         helpers, properties, notifications, class tables
//   vt_tabs_layout.cpp  geometry, strip coordinates, shapes, regions, measuring, layout
//   vt_tabs_paint.cpp   painting: background, tabs back to front, card, drawing commands
//   vt_tabs_input.cpp   selection, hit testing, mouse, keyboard, hot tracking, scroller,
//                       close button, tab dragging, what assistive tools are told (a page
//                       tab list whose parts are the tabs)
//
// Sections: vocabulary · caption text · TVtTabData, TVtTabDataList · TVtTabColors, TVtTextColors ·
//           TVtTabRegionCache · TVtTabScroller, TVtTabCloseButton · TVtCustomTabControl
#pragma once

#include <functional>
#include <initializer_list>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/vt_vocabulary.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/region.h"
#include "framework/stdctrls/imglist.h"
#include "framework/ui/controls.h"

struct TEnumInfo;
class TVtCustomTabControl;
template <class T>
class TClassBuilder;

// ---------------------------------------------------------------- vocabulary

enum TVtTabStyle { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners };
enum TVtTabOrientation { toTop, toLeft, toBottom, toRight };
enum TVtTabSequence { tsStandard, tsReverse };
enum TVtHotTrackStyle { htsTab, htsText };
enum TOrientation { orHorizontal, orVertical };
enum TVtImagePosition { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum TVtHorizontalAlignment { haLeft, haCenter, haRight };
enum TVtVerticalAlignment { vaTop, vaCenter, vaBottom };
// Which text colour a tab is about to use (OnGetTextColor).
enum TVtTextStyle { tsHotTrack, tsSelected, tsUnselected, tsDisabledHighlight, tsDisabledShadow };

const TEnumInfo& TabStyleInfo();
const TEnumInfo& TabOrientationInfo();
const TEnumInfo& TabSequenceInfo();
const TEnumInfo& HotTrackStyleInfo();
const TEnumInfo& OrientationInfo();
const TEnumInfo& ImagePositionInfo();
const TEnumInfo& HorizontalAlignmentInfo();
const TEnumInfo& VerticalAlignmentInfo();

using TVtTabChangingEvent = std::function<void(TObject* Sender, int NewIndex, bool& AllowChange)>;
using TVtTabCloseEvent = std::function<void(TObject* Sender, bool& AllowClose)>;
using TVtGetTextColorEvent =
    std::function<void(TObject* Sender, int ATabIndex, TVtTextStyle AStyle, TColor& AColor, bool& Handled)>;
using TVtPaintBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool& Handled)>;
using TVtPaintCardBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ARow, const TRect& ARect, bool& Handled)>;
using TVtPaintTabBackgroundEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int ATabIndex, const TRect& ARect, bool& Handled)>;

// Caption text: lines split at CR LF (a trailing break adds no line), and a line cut at its
// accelerator: a single "&" marks the next character, "&&" stands for "&", a final "&" is
// a plain character.
struct TAccelParts {
    std::string Before;
    bool HasAccel = false;
    char Accel = 0;
    std::string After;
};
std::vector<std::string> SplitCaptionLines(const std::string& caption);
TAccelParts SplitAccelerator(const std::string& line);
std::string StripAccelerator(const std::string& line);

// ---------------------------------------------------------------- TVtTabData, TVtTabDataList

// One tab, in tab order. StripRect and Row belong to the layout.
class TVtTabData : public TPersistent {
public:
    std::string Caption;
    TColor Color = clBtnFace;
    int DisabledIndex = -1;
    bool Enabled = true;
    std::string Hint;
    int ImageIndex = -1;
    TRect StripRect;  // strip coordinates: along the strip, across it (0 at the outer edge)
    bool Visible = true;
    int Row = 0;

    // Copies caption, images, colour, enabled, visible and hint; not the layout.
    void Assign(const TPersistent* source) override;
};

class TVtTabDataList : public TPersistent {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TVtTabData* Items(int index) const;  // EListError "List index out of bounds (%d)"
    TVtTabData* operator[](int index) const { return Items(index); }
    TVtTabData* Add();
    void Clear() { FItems.clear(); }
    // Clears this list and copies every entry of source.
    void Assign(const TPersistent* source) override;

private:
    std::vector<std::unique_ptr<TVtTabData>> FItems;
};

// ---------------------------------------------------------------- TVtTabColors, TVtTextColors

// A set of colours that tells its owner of every change. Values is a plain struct of the
// colours; its member initialisers are the defaults.
template <class Values>
class TVtColorSet : public TPersistent {
public:
    const Values& Colors() const { return FColors; }
    // Stores a changed colour, then OnChange.
    void SetColor(TColor Values::*color, TColor v) {
        if (Change(FColors.*color, v) && OnChange) OnChange(this);
    }
    // From a set of the same colours: all of them, then OnChange once.
    void Assign(const TPersistent* source) override {
        auto* s = dynamic_cast<const TVtColorSet*>(source);
        if (!s) {
            TPersistent::Assign(source);
            return;
        }
        FColors = s->FColors;
        if (OnChange) OnChange(this);
    }
    TNotifyEvent OnChange;

protected:
    // The class table of Set: one colour property for each named member, in the order given,
    // its default the member's initialiser.
    template <class Set>
    static void PublishColors(TClassBuilder<Set>& b,
                              std::initializer_list<std::pair<const char*, TColor Values::*>> colors) {
        const Values defaults{};
        for (const auto& entry : colors) {
            TColor Values::*color = entry.second;  // a plain variable: lambdas capture it
            b.Color(
                 entry.first, [color](Set& s) { return s.Colors().*color; },
                 [color](Set& s, TColor v) { s.SetColor(color, v); })
                .Default(defaults.*color);
        }
    }

private:
    Values FColors;
};

struct TVtTabColorValues {
    TColor HighlightBar = clHighlight;
    TColor Shadow = clBtnFace;
    TColor Unselected = clWindow;
};

class TVtTabColors : public TVtColorSet<TVtTabColorValues> {
public:
    static void RegisterClassInfo();
};

struct TVtTextColorValues {
    TColor DisabledHighlight = clBtnHighlight;
    TColor DisabledShadow = clBtnShadow;
    TColor Selected = clBtnText;
    TColor Unselected = clBtnText;
};

class TVtTextColors : public TVtColorSet<TVtTextColorValues> {
public:
    static void RegisterClassInfo();
};

// ---------------------------------------------------------------- TVtTabRegionCache

// Tab regions, most recently used first, keyed by the tab's bounding rectangle.
class TVtTabRegionCacheItem {
public:
    TRect Key{-1, -1, -1, -1};
    const HRGN& Region() const { return FRegion; }
    void SetRegion(HRGN region) { FRegion = std::move(region); }  // the old one is deleted

private:
    HRGN FRegion;
};

class TVtTabRegionCache {
public:
    explicit TVtTabRegionCache(int capacity = 1) { SetCapacity(capacity); }
    // -1 caches every region; 0 and values below -1 fail and leave the capacity as it was.
    int Capacity() const { return FCapacity; }
    void SetCapacity(int capacity);
    int Count() const { return static_cast<int>(FItems.size()); }
    // The region for key: a hit moves to the front; a miss calls make, inserts the result at
    // the front and drops the least recently used item beyond the capacity.
    const HRGN& Find(const TRect& key, const std::function<HRGN()>& make);
    void Clear() { FItems.clear(); }
    const std::list<TVtTabRegionCacheItem>& Items() const { return FItems; }

private:
    void Trim();
    int FCapacity = 1;
    std::list<TVtTabRegionCacheItem> FItems;
};

// ---------------------------------------------------------------- TVtTabScroller, TVtTabCloseButton

// Two arrow buttons sharing one pixel; scrolls the tabs that do not fit.
class TVtTabScroller : public TCustomControl {
public:
    TVtTabScroller(TComponent* owner, TVtCustomTabControl* tabControl);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor v) {
        if (Change(FFrameColor, v)) Invalidate();
    }
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation v) {
        if (Change(FOrientation, v)) Invalidate();
    }
    TNotifyEvent OnUpRightClick;
    TNotifyEvent OnDownLeftClick;

    bool Captured() const { return FCaptured; }
    bool ShownPressed() const { return FShownPressed; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override { message.Result = 1; }

private:
    bool InUpRightHalf(int x, int y) const;
    TRect HalfRect(bool upRight) const;
    TVtCustomTabControl* FTabControl;
    TColor FFrameColor = clBtnShadow;
    TOrientation FOrientation = orHorizontal;
    bool FCaptured = false;
    bool FShownPressed = false;
    bool FPressedUpRight = false;
};

// The platform's caption-close glyph in a one-pixel frame.
class TVtTabCloseButton : public TCustomControl {
public:
    TVtTabCloseButton(TComponent* owner, TVtCustomTabControl* tabControl);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor v) {
        if (Change(FFrameColor, v)) Invalidate();
    }
    TNotifyEvent OnClose;
    bool ShownPressed() const { return FShownPressed; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override { message.Result = 1; }

private:
    TVtCustomTabControl* FTabControl;
    TColor FFrameColor = clBtnShadow;
    bool FCaptured = false;
    bool FShownPressed = false;
};

// ---------------------------------------------------------------- TVtCustomTabControl

class TVtCustomTabControl : public TCustomControl {
public:
    // Published defaults: the fields and the constructor start from them, the class table
    // names them.
    struct Defaults {
        static constexpr TColor Color = clBtnFace;
        static constexpr bool TabStop = true;
        static constexpr bool AlignTabs = false;
        static constexpr TColor BackgroundColor = clBtnFace;
        static constexpr bool BoldCurrentTab = false;
        static constexpr int CutCornerSize = 6;
        static constexpr TColor FlatColor = clBtnShadow;
        static constexpr int FlatColorAdjustment = 0;
        static constexpr bool HotTrack = true;
        static constexpr TColor HotTrackColor = clHighlight;
        static constexpr TVtHotTrackColorType HotTrackColorType = htctComplement;
        static constexpr TVtHotTrackStyle HotTrackStyle = htsTab;
        static constexpr TVtHorizontalAlignment ImageAlignment = haCenter;
        static constexpr TVtVerticalAlignment ImageAlignmentVertical = vaCenter;
        static constexpr int ImageMargin = 2;
        static constexpr TVtImagePosition ImagePosition = ipLeft;
        static constexpr int Margin = 0;
        static constexpr bool MultiLine = false;
        static constexpr bool ParentBackgroundColor = true;
        static constexpr int RowIndent = 5;
        static constexpr int RowOverlap = 5;
        static constexpr bool ShowCardFrame = true;
        static constexpr bool ShowCloseButton = false;
        static constexpr bool ShowFocusRect = true;
        static constexpr bool ShowFullFrame = true;
        static constexpr bool ShowShadow = true;
        static constexpr int TabHeight = 0;
        static constexpr bool TabHints = false;
        static constexpr int TabIndex = -1;
        static constexpr TVtTabOrientation TabOrientation = toTop;
        static constexpr TVtTabSequence TabSequence = tsStandard;
        static constexpr TVtTabStyle TabStyle = tsSingleSlant;
        static constexpr int TabWidth = 0;
        static constexpr TVtHorizontalAlignment TextAlignment = haCenter;
        static constexpr TVtVerticalAlignment TextAlignmentVertical = vaCenter;
        static constexpr TOrientation TextOrientation = orHorizontal;
        static constexpr bool Transparent = false;
        static constexpr bool UseColoredTabs = false;
        static constexpr bool UseGradients = true;
        static constexpr bool AllowTabDragging = false;
    };

    explicit TVtCustomTabControl(TComponent* owner);
    ~TVtCustomTabControl() override;

    // ---- published properties (setters: relayout or repaint as each one needs)
    bool AlignTabs() const { return FAlignTabs; }
    virtual void SetAlignTabs(bool v) {
        if (Change(FAlignTabs, v) && FMultiLine) LayoutChanged();
    }
    TColor BackgroundColor() const { return FBackgroundColor; }
    virtual void SetBackgroundColor(TColor v);
    bool BoldCurrentTab() const { return FBoldCurrentTab; }
    virtual void SetBoldCurrentTab(bool v) {
        if (Change(FBoldCurrentTab, v)) LayoutChanged();
    }
    int CutCornerSize() const { return FCutCornerSize; }
    virtual void SetCutCornerSize(int v) {
        if (v >= 0 && Change(FCutCornerSize, v) && FTabStyle == tsCutCorner) LayoutChanged();
    }
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor v) {
        if (Change(FFlatColor, v)) OutlineColorChanged();
    }
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int v) {
        if (Change(FFlatColorAdjustment, v)) OutlineColorChanged();
    }
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool v);
    TColor HotTrackColor() const { return FHotTrackColor; }
    virtual void SetHotTrackColor(TColor v) {
        if (Change(FHotTrackColor, v)) Invalidate();
    }
    TVtHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    virtual void SetHotTrackColorType(TVtHotTrackColorType v) {
        if (Change(FHotTrackColorType, v)) Invalidate();
    }
    TVtHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    virtual void SetHotTrackStyle(TVtHotTrackStyle v) {
        if (Change(FHotTrackStyle, v)) Invalidate();
    }
    TVtHorizontalAlignment ImageAlignment() const { return FImageAlignment; }
    virtual void SetImageAlignment(TVtHorizontalAlignment v) {
        if (Change(FImageAlignment, v)) LayoutChanged();
    }
    TVtVerticalAlignment ImageAlignmentVertical() const { return FImageAlignmentVertical; }
    virtual void SetImageAlignmentVertical(TVtVerticalAlignment v) {
        if (Change(FImageAlignmentVertical, v)) LayoutChanged();
    }
    int ImageMargin() const { return FImageMargin; }
    virtual void SetImageMargin(int v) {
        if (v >= 0 && Change(FImageMargin, v)) LayoutChanged();
    }
    TVtImagePosition ImagePosition() const { return FImagePosition; }
    virtual void SetImagePosition(TVtImagePosition v) {
        if (Change(FImagePosition, v)) LayoutChanged();
    }
    TCustomImageList* Images() const { return FImages; }
    virtual void SetImages(TCustomImageList* v);
    int Margin() const { return FMargin; }
    virtual void SetMargin(int v) {
        if (v >= 0 && Change(FMargin, v)) LayoutChanged();
    }
    bool MultiLine() const { return FMultiLine; }
    virtual void SetMultiLine(bool v) {
        if (Change(FMultiLine, v)) LayoutChanged();
    }
    bool ParentBackgroundColor() const { return FParentBackgroundColor; }
    virtual void SetParentBackgroundColor(bool v);
    int RowIndent() const { return FRowIndent; }
    virtual void SetRowIndent(int v) {
        if (v >= 0 && Change(FRowIndent, v)) LayoutChanged();
    }
    int RowOverlap() const { return FRowOverlap; }
    virtual void SetRowOverlap(int v) {
        if (v >= 0 && Change(FRowOverlap, v)) LayoutChanged();
    }
    bool ShowCardFrame() const { return FShowCardFrame; }
    virtual void SetShowCardFrame(bool v) {
        if (Change(FShowCardFrame, v)) LayoutChanged();
    }
    bool ShowCloseButton() const { return FShowCloseButton; }
    virtual void SetShowCloseButton(bool v);
    bool ShowFocusRect() const { return FShowFocusRect; }
    virtual void SetShowFocusRect(bool v) {
        if (Change(FShowFocusRect, v)) Invalidate();
    }
    bool ShowFullFrame() const { return FShowFullFrame; }
    virtual void SetShowFullFrame(bool v);
    bool ShowShadow() const { return FShowShadow; }
    virtual void SetShowShadow(bool v);
    TVtTabColors* TabColors() const { return FTabColors.get(); }
    void SetTabColors(const TVtTabColors* v) { FTabColors->Assign(v); }
    int TabHeight() const { return FTabHeight; }
    virtual void SetTabHeight(int v) {
        if (v >= 0 && Change(FTabHeight, v)) LayoutChanged();
    }
    bool TabHints() const { return FTabHints; }
    virtual void SetTabHints(bool v);
    // The selection operation: every way of choosing a tab ends here.
    int TabIndex() const { return FTabIndex; }
    virtual void SetTabIndex(int v);
    TVtTabOrientation TabOrientation() const { return FTabOrientation; }
    virtual void SetTabOrientation(TVtTabOrientation v);
    TVtTabSequence TabSequence() const { return FTabSequence; }
    virtual void SetTabSequence(TVtTabSequence v) {
        if (Change(FTabSequence, v)) LayoutChanged();
    }
    TVtTabStyle TabStyle() const { return FTabStyle; }
    virtual void SetTabStyle(TVtTabStyle v) {
        if (Change(FTabStyle, v)) LayoutChanged();
    }
    int TabWidth() const { return FTabWidth; }
    virtual void SetTabWidth(int v) {
        if (v >= 0 && Change(FTabWidth, v)) LayoutChanged();
    }
    TVtHorizontalAlignment TextAlignment() const { return FTextAlignment; }
    virtual void SetTextAlignment(TVtHorizontalAlignment v) {
        if (Change(FTextAlignment, v)) LayoutChanged();
    }
    TVtVerticalAlignment TextAlignmentVertical() const { return FTextAlignmentVertical; }
    virtual void SetTextAlignmentVertical(TVtVerticalAlignment v) {
        if (Change(FTextAlignmentVertical, v)) LayoutChanged();
    }
    TVtTextColors* TextColors() const { return FTextColors.get(); }
    void SetTextColors(const TVtTextColors* v) { FTextColors->Assign(v); }
    TOrientation TextOrientation() const { return FTextOrientation; }
    virtual void SetTextOrientation(TOrientation v);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v) {
        if (Change(FTransparent, v)) Invalidate();
    }
    bool UseColoredTabs() const { return FUseColoredTabs; }
    virtual void SetUseColoredTabs(bool v) {
        if (Change(FUseColoredTabs, v)) Invalidate();
    }
    bool UseGradients() const { return FUseGradients; }
    virtual void SetUseGradients(bool v) {
        if (Change(FUseGradients, v)) Invalidate();
    }
    bool AllowTabDragging() const { return FAllowTabDragging; }
    virtual void SetAllowTabDragging(bool v) { FAllowTabDragging = v; }

    TVtTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnTabClick;
    TVtTabCloseEvent OnClose;
    TVtGetTextColorEvent OnGetTextColor;
    TVtPaintBackgroundEvent OnPaintBackground;
    TVtPaintCardBackgroundEvent OnPaintCardBackground;
    TVtPaintTabBackgroundEvent OnPaintTabBackground;

    // ---- geometry (client coordinates; inclusive right and bottom unless called exclusive)
    // The depth of one row of tabs; the stored "FixedDimension".
    int FixedDimension() const { return FFixedDimension; }
    void SetFixedDimension(int v) { FFixedDimension = v; }
    int RowCount() const { return FRowCount; }
    int TabAreaDepth() const;
    TRect TabStripRect() const;
    int StripLength() const;
    TRect CardRect(int row) const;
    // Where the children (the pages) are aligned; exclusive.
    TRect DisplayRect() const;
    // The tab's drawing rectangle mapped to the client and normalised; exclusive.
    TRect TabBoundsRect(int index) const;
    // The tab's outline points in client coordinates, in drawing order.
    std::vector<TPoint> TabShape(int index) const;
    // The polygon region through the shape, from the region cache.
    HRGN TabRegion(int index);
    // The tab at a client point, or -1 (the selected tab is tested first).
    int TabAtPos(TPoint clientPoint);
    bool TabFullyInView(int index) const;
    int FirstVisibleTab() const { return FFirstVisibleTab; }
    bool ScrollingNeeded() const { return FScrollingNeeded; }
    int ButtonSize() const;
    int HotTab() const { return FHotTab; }
    bool LayoutDirty() const { return FLayoutDirty; }
    // Lays the tabs out now if the layout is dirty (painting does it otherwise).
    void EnsureLayout() {
        if (FLayoutDirty) PerformLayout();
    }
    const TVtTabDataList& Tabs() const { return FTabs; }
    TVtTabRegionCache& RegionCache() { return FRegionCache; }
    // FlatColor adjusted by FlatColorAdjustment: tabs, card and buttons are outlined in it.
    TColor OutlineColor() const;
    TVtTabScroller* Scroller() const { return FScroller; }
    TVtTabCloseButton* CloseButton() const { return FCloseButton; }

    // One scrolling step; false when it could not move.
    bool ScrollTowardsEnd();
    bool ScrollTowardsStart();

    void SetRegionCacheCapacity(int v);

    // ---- assistive tools: a page tab list; part i is tab i, a page tab with the "select"
    // action, selected while it is the current tab and focused while the control is.
    TAccessibleRole AccessibleRole(int part) const override;
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;
    void GetAccessibleChildren(int part, std::vector<TAccessibleId>& children) override;
    int AccessibleFocusPart() const override { return FTabIndex; }
    bool DoAccessibleAction(int part, TAccessibleAction action) override;

    static void RegisterClassInfo();

protected:
    // ---- operations the page control overrides
    virtual void QueryTabChange(int newIndex, bool& allowChange);
    virtual void QueryTabTextColor(int tabIndex, TVtTextStyle style, TColor& color, bool& handled);
    virtual void LayoutChanged();
    virtual void TabClicked();
    virtual void RepaintTabs();
    virtual void PaintControlBackground(TCanvas* canvas, const TRect& rect, bool& handled);
    virtual void PaintCardFill(TCanvas* canvas, int row, const TRect& rect, bool& handled);
    virtual void PaintTabFill(TCanvas* canvas, int tabIndex, const TRect& rect, bool& handled);
    virtual void DrawDragMarker(const TRect& rect);
    virtual void CloseActiveTab() {}
    virtual void MoveActiveTab(int /*newIndex*/) {}
    virtual void SetLayoutDirty(bool v);
    virtual void SetShowCard(bool v) {
        if (Change(FShowCard, v)) LayoutChanged();
    }
    virtual void SetRowCount(int v);
    virtual void TabChanged();
    virtual void HideAllTabs() {}
    virtual void ShowAllTabs() {}

    TVtTabDataList& TabList() { return FTabs; }
    bool ShowCard() const { return FShowCard; }

    // ---- framework notifications
    void Paint() override;
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override { message.Result = 1; }
    void WMSize(TWMSize& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMParentColorChanged(TMessage& message) override;
    void WMSetFocus(TWMSetFocus& message) override;
    void WMKillFocus(TWMKillFocus& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void CMDialogChar(TCMDialogChar& message) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void WMTimer(TWMTimer& message) override;
    void DragOver(TObject* source, int x, int y, TDragState state, bool& accept) override;
    void DragDrop(TObject* source, int x, int y) override;
    void DoEndDrag(TObject* target, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;

    bool Loading() const { return ComponentState().Contains(csLoading); }
    bool Designing() const { return ComponentState().Contains(csDesigning); }

private:
    friend class TVtTabScroller;
    friend class TVtTabCloseButton;

    // ---- properties (vt_tabs.cpp)
    // The scroller and close button take the new outline colour; the control repaints.
    void OutlineColorChanged();

    // ---- layout (vt_tabs_layout.cpp)
    void PerformLayout();
    TSize MeasureTabContent(int index);
    TSize TabSizeFor(TSize content) const;
    void PositionSingleLine(int clampTo, const std::vector<int>& lengths);
    void PositionMultiLine(int available, const std::vector<int>& lengths);
    int FillRows(int available, const std::vector<int>& lengths, std::vector<int>* rowOf) const;
    void AlignRows(int available);
    void RotateRows();
    void UpdateScrolling();
    void RepairSelection();
    int Slant(int v) const;
    int ScrollOffset() const;
    int CloseButtonSize() const;
    bool SideTabs() const { return FTabOrientation == toLeft || FTabOrientation == toRight; }
    TPoint StripToClient(TPoint p) const;
    TRect DrawingRect(int index) const;
    bool Selectable(int index, bool askQuery);

    // ---- painting (vt_tabs_paint.cpp)
    struct TTabLook;
    struct TTabText;
    void PaintTab(TCanvas* canvas, int index);
    void PaintTabContents(TCanvas* canvas, int index, const TRect& bounds);
    // The tab's bounds less the insets of its shape.
    TRect TabContentRect(const TRect& bounds) const;
    // Draws the image in its place in content; returns what is left for the text.
    TRect PaintTabImage(TCanvas* canvas, const TVtTabData& tab, const TRect& content);
    // Hot, selected or neither; a disabled tab has no look of its own (its text is embossed).
    TTabLook TabLook(int index);
    void PaintTabBar(TCanvas* canvas, const TRect& bounds, TColor color);
    // The caption in the tab's font, embossed when the tab is disabled; returns the block of lines.
    TRect PaintTabText(TCanvas* canvas, int index, const TVtTabData& tab, const TRect& area, const TTabLook& look);
    TTabText LayOutTabText(TCanvas* canvas, const std::string& caption, const TRect& area, bool bold) const;
    void DrawTabText(TCanvas* canvas, const TTabText& text, TColor color, int dx, int dy);
    // One run of a line at, moving at on by its advance along step; the accelerator is underlined.
    void DrawTabTextPart(TCanvas* canvas, const TTabText& text, const std::string& part, bool underline, TColor color,
                         TPoint& at, TPoint step);
    void PaintTabFocusRect(TCanvas* canvas, const TRect& placed);
    void PaintCard(TCanvas* canvas, int row);
    void RecordTabOutline(int index);
    void RecordCardFrame(int row);
    void ExecuteCommands(TCanvas* canvas);
    TColor TextColorFor(int index, TVtTextStyle style, TColor fallback);
    TLogFont TabLogFont(bool bold) const;

    // ---- input (vt_tabs_input.cpp)
    int SearchSelectable(int from, int step, bool wrap);
    void EndHotTracking(TPoint clientPoint, bool fromTimer);
    void StopHotTrackTimer();
    void PlaceButtons();
    void EnsureScroller();
    void EnsureCloseButton();
    void CloseButtonClicked();
    void UpdateButtonColors();
    void HideDragMarker();

    // ---- published state
    bool FAlignTabs = Defaults::AlignTabs;
    TColor FBackgroundColor = Defaults::BackgroundColor;
    bool FBoldCurrentTab = Defaults::BoldCurrentTab;
    int FCutCornerSize = Defaults::CutCornerSize;
    TColor FFlatColor = Defaults::FlatColor;
    int FFlatColorAdjustment = Defaults::FlatColorAdjustment;
    bool FHotTrack = Defaults::HotTrack;
    TColor FHotTrackColor = Defaults::HotTrackColor;
    TVtHotTrackColorType FHotTrackColorType = Defaults::HotTrackColorType;
    TVtHotTrackStyle FHotTrackStyle = Defaults::HotTrackStyle;
    TVtHorizontalAlignment FImageAlignment = Defaults::ImageAlignment;
    TVtVerticalAlignment FImageAlignmentVertical = Defaults::ImageAlignmentVertical;
    int FImageMargin = Defaults::ImageMargin;
    TVtImagePosition FImagePosition = Defaults::ImagePosition;
    TCustomImageList* FImages = nullptr;
    int FMargin = Defaults::Margin;
    bool FMultiLine = Defaults::MultiLine;
    bool FParentBackgroundColor = Defaults::ParentBackgroundColor;
    int FRowIndent = Defaults::RowIndent;
    int FRowOverlap = Defaults::RowOverlap;
    bool FShowCardFrame = Defaults::ShowCardFrame;
    bool FShowCloseButton = Defaults::ShowCloseButton;
    bool FShowFocusRect = Defaults::ShowFocusRect;
    bool FShowFullFrame = Defaults::ShowFullFrame;
    bool FShowShadow = Defaults::ShowShadow;
    std::unique_ptr<TVtTabColors> FTabColors;
    int FTabHeight = Defaults::TabHeight;
    bool FTabHints = Defaults::TabHints;
    int FTabIndex = Defaults::TabIndex;
    TVtTabOrientation FTabOrientation = Defaults::TabOrientation;
    TVtTabSequence FTabSequence = Defaults::TabSequence;
    TVtTabStyle FTabStyle = Defaults::TabStyle;
    int FTabWidth = Defaults::TabWidth;
    TVtHorizontalAlignment FTextAlignment = Defaults::TextAlignment;
    TVtVerticalAlignment FTextAlignmentVertical = Defaults::TextAlignmentVertical;
    std::unique_ptr<TVtTextColors> FTextColors;
    TOrientation FTextOrientation = Defaults::TextOrientation;
    bool FTransparent = Defaults::Transparent;
    bool FUseColoredTabs = Defaults::UseColoredTabs;
    bool FUseGradients = Defaults::UseGradients;
    bool FAllowTabDragging = Defaults::AllowTabDragging;

    // ---- internal state
    TFont FTabFont;
    TVtTabDataList FTabs;
    int FFixedDimension = 19;
    int FFirstVisibleTab = 0;
    int FRowCount = 1;
    bool FScrollingNeeded = false;
    int FHotTab = -1;
    bool FHotTimerRunning = false;
    bool FLayoutDirty = true;
    bool FSkipShadow = false;
    bool FShadowSkippedNow = false;  // this paint pass leaves the shadow out
    bool FBypassChangeQuery = false;
    bool FShowCard = true;
    std::vector<int> FCommands;
    TVtTabRegionCache FRegionCache{1};
    TRect FLastDisplayRect{-1, -1, -1, -1};
    std::string FSavedHint;
    std::vector<HFONT> FFontStack;
    TChangeLink FImageChangeLink;
    TVtTabScroller* FScroller = nullptr;
    TVtTabCloseButton* FCloseButton = nullptr;
    // Tab dragging: the tab the marker stands at (-1: none) and where it was drawn.
    int FDragTarget = -1;
    TRect FDragMarker;
    bool FDragMarkerShown = false;
};
