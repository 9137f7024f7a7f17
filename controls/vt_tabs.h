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
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "controls/vt_vocabulary.h"
#include "framework/ui/controls.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/region.h"
#include "framework/stdctrls/imglist.h"

struct TEnumInfo;
class TVtCustomTabControl;

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

class TVtTabColors : public TPersistent {
public:
    TColor HighlightBar() const { return FHighlightBar; }
    void SetHighlightBar(TColor v) { Change(FHighlightBar, v); }
    TColor Shadow() const { return FShadow; }
    void SetShadow(TColor v) { Change(FShadow, v); }
    TColor Unselected() const { return FUnselected; }
    void SetUnselected(TColor v) { Change(FUnselected, v); }
    void Assign(const TPersistent* source) override;
    TNotifyEvent OnChange;
    static void RegisterClassInfo();

private:
    void Change(TColor& field, TColor v);
    TColor FHighlightBar = clHighlight;
    TColor FShadow = clBtnFace;
    TColor FUnselected = clWindow;
};

class TVtTextColors : public TPersistent {
public:
    TColor DisabledHighlight() const { return FDisabledHighlight; }
    void SetDisabledHighlight(TColor v) { Change(FDisabledHighlight, v); }
    TColor DisabledShadow() const { return FDisabledShadow; }
    void SetDisabledShadow(TColor v) { Change(FDisabledShadow, v); }
    TColor Selected() const { return FSelected; }
    void SetSelected(TColor v) { Change(FSelected, v); }
    TColor Unselected() const { return FUnselected; }
    void SetUnselected(TColor v) { Change(FUnselected, v); }
    void Assign(const TPersistent* source) override;
    TNotifyEvent OnChange;
    static void RegisterClassInfo();

private:
    void Change(TColor& field, TColor v);
    TColor FDisabledHighlight = clBtnHighlight;
    TColor FDisabledShadow = clBtnShadow;
    TColor FSelected = clBtnText;
    TColor FUnselected = clBtnText;
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
    void SetFrameColor(TColor v);
    TOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TOrientation v);
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
    void SetFrameColor(TColor v);
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
    explicit TVtCustomTabControl(TComponent* owner);
    ~TVtCustomTabControl() override;

    // ---- published properties (setters: relayout or repaint as each one needs)
    bool AlignTabs() const { return FAlignTabs; }
    virtual void SetAlignTabs(bool v);
    TColor BackgroundColor() const { return FBackgroundColor; }
    virtual void SetBackgroundColor(TColor v);
    bool BoldCurrentTab() const { return FBoldCurrentTab; }
    virtual void SetBoldCurrentTab(bool v);
    int CutCornerSize() const { return FCutCornerSize; }
    virtual void SetCutCornerSize(int v);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int v);
    bool HotTrack() const { return FHotTrack; }
    virtual void SetHotTrack(bool v);
    TColor HotTrackColor() const { return FHotTrackColor; }
    virtual void SetHotTrackColor(TColor v);
    TVtHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    virtual void SetHotTrackColorType(TVtHotTrackColorType v);
    TVtHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    virtual void SetHotTrackStyle(TVtHotTrackStyle v);
    TVtHorizontalAlignment ImageAlignment() const { return FImageAlignment; }
    virtual void SetImageAlignment(TVtHorizontalAlignment v);
    TVtVerticalAlignment ImageAlignmentVertical() const { return FImageAlignmentVertical; }
    virtual void SetImageAlignmentVertical(TVtVerticalAlignment v);
    int ImageMargin() const { return FImageMargin; }
    virtual void SetImageMargin(int v);
    TVtImagePosition ImagePosition() const { return FImagePosition; }
    virtual void SetImagePosition(TVtImagePosition v);
    TCustomImageList* Images() const { return FImages; }
    virtual void SetImages(TCustomImageList* v);
    int Margin() const { return FMargin; }
    virtual void SetMargin(int v);
    bool MultiLine() const { return FMultiLine; }
    virtual void SetMultiLine(bool v);
    bool ParentBackgroundColor() const { return FParentBackgroundColor; }
    virtual void SetParentBackgroundColor(bool v);
    int RowIndent() const { return FRowIndent; }
    virtual void SetRowIndent(int v);
    int RowOverlap() const { return FRowOverlap; }
    virtual void SetRowOverlap(int v);
    bool ShowCardFrame() const { return FShowCardFrame; }
    virtual void SetShowCardFrame(bool v);
    bool ShowCloseButton() const { return FShowCloseButton; }
    virtual void SetShowCloseButton(bool v);
    bool ShowFocusRect() const { return FShowFocusRect; }
    virtual void SetShowFocusRect(bool v);
    bool ShowFullFrame() const { return FShowFullFrame; }
    virtual void SetShowFullFrame(bool v);
    bool ShowShadow() const { return FShowShadow; }
    virtual void SetShowShadow(bool v);
    TVtTabColors* TabColors() const { return FTabColors.get(); }
    void SetTabColors(const TVtTabColors* v) { FTabColors->Assign(v); }
    int TabHeight() const { return FTabHeight; }
    virtual void SetTabHeight(int v);
    bool TabHints() const { return FTabHints; }
    virtual void SetTabHints(bool v);
    // The selection operation: every way of choosing a tab ends here.
    int TabIndex() const { return FTabIndex; }
    virtual void SetTabIndex(int v);
    TVtTabOrientation TabOrientation() const { return FTabOrientation; }
    virtual void SetTabOrientation(TVtTabOrientation v);
    TVtTabSequence TabSequence() const { return FTabSequence; }
    virtual void SetTabSequence(TVtTabSequence v);
    TVtTabStyle TabStyle() const { return FTabStyle; }
    virtual void SetTabStyle(TVtTabStyle v);
    int TabWidth() const { return FTabWidth; }
    virtual void SetTabWidth(int v);
    TVtHorizontalAlignment TextAlignment() const { return FTextAlignment; }
    virtual void SetTextAlignment(TVtHorizontalAlignment v);
    TVtVerticalAlignment TextAlignmentVertical() const { return FTextAlignmentVertical; }
    virtual void SetTextAlignmentVertical(TVtVerticalAlignment v);
    TVtTextColors* TextColors() const { return FTextColors.get(); }
    void SetTextColors(const TVtTextColors* v) { FTextColors->Assign(v); }
    TOrientation TextOrientation() const { return FTextOrientation; }
    virtual void SetTextOrientation(TOrientation v);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v);
    bool UseColoredTabs() const { return FUseColoredTabs; }
    virtual void SetUseColoredTabs(bool v);
    bool UseGradients() const { return FUseGradients; }
    virtual void SetUseGradients(bool v);
    bool AllowTabDragging() const { return FAllowTabDragging; }
    virtual void SetAllowTabDragging(bool v);

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
    void EnsureLayout() { if (FLayoutDirty) PerformLayout(); }
    const TVtTabDataList& Tabs() const { return FTabs; }
    TVtTabRegionCache& RegionCache() { return FRegionCache; }
    // FlatColor adjusted by FlatColorAdjustment: tabs, card and buttons are outlined in it.
    TColor OutlineColor() const;
    TVtTabScroller* Scroller() const { return FScroller; }
    TVtTabCloseButton* CloseButton() const { return FCloseButton; }
    // The off-screen picture of the last paint.
    TBitmap* OffscreenBitmap() const { return FBitmap.get(); }

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
    virtual void SetShowCard(bool v);
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
    void PaintTab(TCanvas* canvas, int index);
    void PaintTabContents(TCanvas* canvas, int index, const TRect& bounds);
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
    bool FAlignTabs = false;
    TColor FBackgroundColor = clBtnFace;
    bool FBoldCurrentTab = false;
    int FCutCornerSize = 6;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 0;
    bool FHotTrack = true;
    TColor FHotTrackColor = clHighlight;
    TVtHotTrackColorType FHotTrackColorType = htctComplement;
    TVtHotTrackStyle FHotTrackStyle = htsTab;
    TVtHorizontalAlignment FImageAlignment = haCenter;
    TVtVerticalAlignment FImageAlignmentVertical = vaCenter;
    int FImageMargin = 2;
    TVtImagePosition FImagePosition = ipLeft;
    TCustomImageList* FImages = nullptr;
    int FMargin = 0;
    bool FMultiLine = false;
    bool FParentBackgroundColor = true;
    int FRowIndent = 5;
    int FRowOverlap = 5;
    bool FShowCardFrame = true;
    bool FShowCloseButton = false;
    bool FShowFocusRect = true;
    bool FShowFullFrame = true;
    bool FShowShadow = true;
    std::unique_ptr<TVtTabColors> FTabColors;
    int FTabHeight = 0;
    bool FTabHints = false;
    int FTabIndex = -1;
    TVtTabOrientation FTabOrientation = toTop;
    TVtTabSequence FTabSequence = tsStandard;
    TVtTabStyle FTabStyle = tsSingleSlant;
    int FTabWidth = 0;
    TVtHorizontalAlignment FTextAlignment = haCenter;
    TVtVerticalAlignment FTextAlignmentVertical = vaCenter;
    std::unique_ptr<TVtTextColors> FTextColors;
    TOrientation FTextOrientation = orHorizontal;
    bool FTransparent = false;
    bool FUseColoredTabs = false;
    bool FUseGradients = true;
    bool FAllowTabDragging = false;

    // ---- internal state
    std::unique_ptr<TBitmap> FBitmap;
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
