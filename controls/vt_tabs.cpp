// The tab control's data, properties, framework notifications and class tables. Sections:
//   1. vocabulary names
//   2. TVtTabData, TVtTabDataList, TVtTabRegionCache
//   3. TVtCustomTabControl: creation, properties
//   4. TVtCustomTabControl: overridable operations and notifications
//   5. class tables
#include "controls/vt_tabs.h"

#include "controls/vt_draw.h"
#include "framework/core/sysutils.h"
#include "framework/core/typinfo.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

// ---------------------------------------------------------------- 1. vocabulary names

const TEnumInfo& TabStyleInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TVtTabStyle", {"tsSingleSlant", "tsDoubleSlant", "tsCutCorner", "tsRoundCorners"});
    return info;
}
const TEnumInfo& TabOrientationInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtTabOrientation", {"toTop", "toLeft", "toBottom", "toRight"});
    return info;
}
const TEnumInfo& TabSequenceInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtTabSequence", {"tsStandard", "tsReverse"});
    return info;
}
const TEnumInfo& HotTrackStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtHotTrackStyle", {"htsTab", "htsText"});
    return info;
}
const TEnumInfo& OrientationInfo() {
    static const TEnumInfo info = MakeEnumInfo("TOrientation", {"orHorizontal", "orVertical"});
    return info;
}
const TEnumInfo& ImagePositionInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TVtImagePosition", {"ipLeft", "ipTop", "ipRight", "ipBottom", "ipBack", "ipStretch"});
    return info;
}
const TEnumInfo& HorizontalAlignmentInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtHorizontalAlignment", {"haLeft", "haCenter", "haRight"});
    return info;
}
const TEnumInfo& VerticalAlignmentInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtVerticalAlignment", {"vaTop", "vaCenter", "vaBottom"});
    return info;
}

// ---------------------------------------------------------------- 2. small classes

void TVtTabData::Assign(const TPersistent* source) {
    auto* s = dynamic_cast<const TVtTabData*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    Caption = s->Caption;
    DisabledIndex = s->DisabledIndex;
    ImageIndex = s->ImageIndex;
    Color = s->Color;
    Enabled = s->Enabled;
    Visible = s->Visible;
    Hint = s->Hint;
}

TVtTabData* TVtTabDataList::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)].get();
}

TVtTabData* TVtTabDataList::Add() {
    FItems.push_back(std::make_unique<TVtTabData>());
    return FItems.back().get();
}

void TVtTabDataList::Assign(const TPersistent* source) {
    auto* s = dynamic_cast<const TVtTabDataList*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    if (s == this) return;
    Clear();
    for (int i = 0; i < s->Count(); ++i) Add()->Assign(s->Items(i));
}

void TVtTabRegionCache::SetCapacity(int capacity) {
    if (capacity == 0 || capacity < -1) throw EInvalidOperation("Capacity must be -1 (to cache all regions) or > 0");
    FCapacity = capacity;
    Trim();
}

void TVtTabRegionCache::Trim() {
    if (FCapacity < 0) return;
    while (Count() > FCapacity) FItems.pop_back();
}

const HRGN& TVtTabRegionCache::Find(const TRect& key, const std::function<HRGN()>& make) {
    for (auto it = FItems.begin(); it != FItems.end(); ++it) {
        if (it->Key == key) {
            FItems.splice(FItems.begin(), FItems, it);
            return FItems.front().Region();
        }
    }
    TVtTabRegionCacheItem item;
    item.Key = key;
    item.SetRegion(make());
    FItems.push_front(std::move(item));
    Trim();
    return FItems.front().Region();
}

// ---------------------------------------------------------------- 3. TVtCustomTabControl: properties

TVtCustomTabControl::TVtCustomTabControl(TComponent* owner)
    : TCustomControl(owner),
      FTabColors(std::make_unique<TVtTabColors>()),
      FTextColors(std::make_unique<TVtTextColors>()) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    FColor = Defaults::Color;
    FTabStop = Defaults::TabStop;
    FTabFont.Assign(*Font());
    FTabColors->OnChange = [this](TObject*) { RepaintTabs(); };
    FTextColors->OnChange = [this](TObject*) { RepaintTabs(); };
    FImageChangeLink.OnChange = [this](TObject*) { LayoutChanged(); };
    SetBounds(0, 0, 300, 100);
}

TVtCustomTabControl::~TVtCustomTabControl() {
    StopHotTrackTimer();
    if (FImages) FImages->UnRegisterChanges(&FImageChangeLink);
    // The scroller and close button are children; they go with the control.
    DestroyComponents();
}

TColor TVtCustomTabControl::OutlineColor() const { return ShiftColorLightness(FFlatColor, FFlatColorAdjustment); }

void TVtCustomTabControl::SetBackgroundColor(TColor v) {
    FParentBackgroundColor = false;
    if (Change(FBackgroundColor, v)) Invalidate();
}
void TVtCustomTabControl::OutlineColorChanged() {
    UpdateButtonColors();
    Invalidate();
}
void TVtCustomTabControl::SetHotTrack(bool v) {
    if (!Change(FHotTrack, v)) return;
    if (!FHotTrack && !FTabHints) StopHotTrackTimer();
}
void TVtCustomTabControl::SetImages(TCustomImageList* v) {
    if (FImages == v) return;
    if (FImages) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = v;
    if (FImages) {
        FImages->RegisterChanges(&FImageChangeLink);
        FImages->FreeNotification(this);
    }
    LayoutChanged();
}
void TVtCustomTabControl::SetParentBackgroundColor(bool v) {
    if (!Change(FParentBackgroundColor, v)) return;
    if (v && Parent() && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}
void TVtCustomTabControl::SetShowCloseButton(bool v) {
    if (!Change(FShowCloseButton, v)) return;
    if (v) EnsureCloseButton();
    if (FCloseButton) FCloseButton->SetVisible(v && !Designing());
    LayoutChanged();
    Invalidate();
}
void TVtCustomTabControl::SetShowFullFrame(bool v) {
    if (!Change(FShowFullFrame, v)) return;
    if (!v) FShowShadow = false;
    LayoutChanged();
}
void TVtCustomTabControl::SetShowShadow(bool v) {
    if (!Change(FShowShadow, v)) return;
    if (v) FShowFullFrame = true;
    LayoutChanged();
    Invalidate();
}
void TVtCustomTabControl::SetTabHints(bool v) {
    if (!Change(FTabHints, v)) return;
    if (!FTabHints && !FHotTrack) StopHotTrackTimer();
}
void TVtCustomTabControl::SetTabOrientation(TVtTabOrientation v) {
    if (!Change(FTabOrientation, v)) return;
    if (FScroller) FScroller->SetOrientation(SideTabs() ? orVertical : orHorizontal);
    if (!Loading()) LayoutChanged();
}
void TVtCustomTabControl::SetTextOrientation(TOrientation v) {
    if (!Change(FTextOrientation, v)) return;
    // Only scalable faces turn; a bitmap face gives way to one that does.
    if (!Loading() && !IsOutlineFont(Font())) Font()->SetName("Verdana");
    LayoutChanged();
}

void TVtCustomTabControl::SetLayoutDirty(bool v) {
    FLayoutDirty = v;
    if (v) Invalidate();
}
void TVtCustomTabControl::SetRowCount(int v) {
    if (v >= 1) FRowCount = v;
}
void TVtCustomTabControl::SetRegionCacheCapacity(int v) {
    if ((v == -1 || v > 0) && v != FRegionCache.Capacity()) FRegionCache.SetCapacity(v);
}

// ---------------------------------------------------------------- 4. operations and notifications

void TVtCustomTabControl::QueryTabChange(int newIndex, bool& allowChange) {
    if (OnChanging) OnChanging(this, newIndex, allowChange);
}
void TVtCustomTabControl::QueryTabTextColor(int tabIndex, TVtTextStyle style, TColor& color, bool& handled) {
    if (OnGetTextColor) OnGetTextColor(this, tabIndex, style, color, handled);
}
void TVtCustomTabControl::LayoutChanged() {
    SetLayoutDirty(true);
    // Tabs may have come, gone or been renamed.
    NotifyAccessible(this, aeChildrenChanged);
    NotifyAccessible(this, aeChanged);
}
void TVtCustomTabControl::TabClicked() {
    if (OnTabClick) OnTabClick(this);
}
void TVtCustomTabControl::RepaintTabs() {
    FSkipShadow = false;
    Invalidate();
}
void TVtCustomTabControl::PaintControlBackground(TCanvas* canvas, const TRect& rect, bool& handled) {
    if (OnPaintBackground) OnPaintBackground(this, canvas, rect, handled);
}
void TVtCustomTabControl::PaintCardFill(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
    if (OnPaintCardBackground) OnPaintCardBackground(this, canvas, row, rect, handled);
}
void TVtCustomTabControl::PaintTabFill(TCanvas* canvas, int tabIndex, const TRect& rect, bool& handled) {
    if (OnPaintTabBackground) OnPaintTabBackground(this, canvas, tabIndex, rect, handled);
}
void TVtCustomTabControl::TabChanged() {
    if (OnChange) OnChange(this);
}

void TVtCustomTabControl::Loaded() {
    TCustomControl::Loaded();
    FSavedHint = Hint();
    SetLayoutDirty(true);
    // The stored index is applied through the selection operation only to repair rows and
    // scrolling: being equal to the current one, it asks and tells nothing, since handlers
    // must not run while the rest of the window is still being loaded.
    const int stored = FTabIndex;
    if (FTextOrientation == orVertical && !IsOutlineFont(Font())) Font()->SetName("Verdana");
    SetTabIndex(stored);
}

void TVtCustomTabControl::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    // The off-screen picture repaints what changed; a resize must not wipe everything.
    params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TVtCustomTabControl::AdjustClientRect(TRect& rect) {
    rect = DisplayRect();
    FLastDisplayRect = rect;
    PlaceButtons();
}

void TVtCustomTabControl::WMSize(TWMSize& message) {
    LayoutChanged();
    TCustomControl::WMSize(message);
}

void TVtCustomTabControl::CMFontChanged(TMessage& message) {
    FTabFont.Assign(*Font());
    LayoutChanged();
    TCustomControl::CMFontChanged(message);
}

void TVtCustomTabControl::CMColorChanged(TMessage& message) {
    if (FUseColoredTabs) {
        NotifyControls(CM_PARENTCOLORCHANGED);
        return;
    }
    TCustomControl::CMColorChanged(message);
    Invalidate();
}

void TVtCustomTabControl::CMParentColorChanged(TMessage& message) {
    TCustomControl::CMParentColorChanged(message);
    if (FParentBackgroundColor && Parent()) {
        SetBackgroundColor(Parent()->Color());
        FParentBackgroundColor = true;
    }
}

void TVtCustomTabControl::WMSetFocus(TWMSetFocus& message) {
    TCustomControl::WMSetFocus(message);
    Invalidate();
}

void TVtCustomTabControl::WMKillFocus(TWMKillFocus& message) {
    TCustomControl::WMKillFocus(message);
    Invalidate();
}

void TVtCustomTabControl::WMGetDlgCode(TMessage& message) { message.Result = DLGC_WANTARROWS; }

void TVtCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        LayoutChanged();
    }
}

// ---------------------------------------------------------------- 5. class tables

void TVtTabColors::RegisterClassInfo() {
    RegisterClass<TVtTabColors>("TVtTabColors", "", [](TClassBuilder<TVtTabColors>& b) {
        using V = TVtTabColorValues;
        PublishColors(b, {{"HighlightBar", &V::HighlightBar}, {"Shadow", &V::Shadow}, {"Unselected", &V::Unselected}});
    });
}

void TVtTextColors::RegisterClassInfo() {
    RegisterClass<TVtTextColors>("TVtTextColors", "", [](TClassBuilder<TVtTextColors>& b) {
        using V = TVtTextColorValues;
        PublishColors(b, {{"DisabledHighlight", &V::DisabledHighlight},
                          {"DisabledShadow", &V::DisabledShadow},
                          {"Selected", &V::Selected},
                          {"Unselected", &V::Unselected}});
    });
}

void TVtCustomTabControl::RegisterClassInfo() {
    RegisterClass<TVtCustomTabControl>(
        "TVtCustomTabControl", "TCustomControl", [](TClassBuilder<TVtCustomTabControl>& b) {
            using T = TVtCustomTabControl;
            using D = TVtCustomTabControl::Defaults;
            b.Color("Color", &T::Color, &T::SetColor).Default(D::Color).Stored([](T& x) { return !x.ParentColor(); });
            b.Boolean("TabStop", &T::TabStop, &T::SetTabStop).Default(D::TabStop);
            b.Boolean("AlignTabs", &T::AlignTabs, &T::SetAlignTabs).Default(D::AlignTabs);
            b.Color("BackgroundColor", &T::BackgroundColor, &T::SetBackgroundColor)
                .Default(D::BackgroundColor)
                .Stored([](T& x) { return !x.ParentBackgroundColor(); });
            b.Boolean("BoldCurrentTab", &T::BoldCurrentTab, &T::SetBoldCurrentTab).Default(D::BoldCurrentTab);
            b.Integer("CutCornerSize", &T::CutCornerSize, &T::SetCutCornerSize).Default(D::CutCornerSize);
            b.Color("FlatColor", &T::FlatColor, &T::SetFlatColor).Default(D::FlatColor);
            b.Integer("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment)
                .Default(D::FlatColorAdjustment);
            b.Boolean("HotTrack", &T::HotTrack, &T::SetHotTrack).Default(D::HotTrack);
            b.Color("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor).Default(D::HotTrackColor);
            b.Enumeration("HotTrackColorType", HotTrackColorTypeInfo(), &T::HotTrackColorType, &T::SetHotTrackColorType)
                .Default(D::HotTrackColorType);
            b.Enumeration("HotTrackStyle", HotTrackStyleInfo(), &T::HotTrackStyle, &T::SetHotTrackStyle)
                .Default(D::HotTrackStyle);
            b.Enumeration("ImageAlignment", HorizontalAlignmentInfo(), &T::ImageAlignment, &T::SetImageAlignment)
                .Default(D::ImageAlignment);
            b.Enumeration("ImageAlignmentVertical", VerticalAlignmentInfo(), &T::ImageAlignmentVertical,
                          &T::SetImageAlignmentVertical)
                .Default(D::ImageAlignmentVertical);
            b.Integer("ImageMargin", &T::ImageMargin, &T::SetImageMargin).Default(D::ImageMargin);
            b.Enumeration("ImagePosition", ImagePositionInfo(), &T::ImagePosition, &T::SetImagePosition)
                .Default(D::ImagePosition);
            b.Component("Images", &T::Images, &T::SetImages);
            b.Integer("Margin", &T::Margin, &T::SetMargin).Default(D::Margin);
            b.Boolean("MultiLine", &T::MultiLine, &T::SetMultiLine).Default(D::MultiLine);
            b.Boolean("ParentBackgroundColor", &T::ParentBackgroundColor, &T::SetParentBackgroundColor)
                .Default(D::ParentBackgroundColor);
            b.Integer("RowIndent", &T::RowIndent, &T::SetRowIndent).Default(D::RowIndent);
            b.Integer("RowOverlap", &T::RowOverlap, &T::SetRowOverlap).Default(D::RowOverlap);
            b.Boolean("ShowCardFrame", &T::ShowCardFrame, &T::SetShowCardFrame).Default(D::ShowCardFrame);
            b.Boolean("ShowCloseButton", &T::ShowCloseButton, &T::SetShowCloseButton).Default(D::ShowCloseButton);
            b.Boolean("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect).Default(D::ShowFocusRect);
            b.Boolean("ShowFullFrame", &T::ShowFullFrame, &T::SetShowFullFrame).Default(D::ShowFullFrame);
            b.Boolean("ShowShadow", &T::ShowShadow, &T::SetShowShadow).Default(D::ShowShadow);
            b.Object("TabColors", "TVtTabColors", &T::TabColors);
            b.Integer("TabHeight", &T::TabHeight, &T::SetTabHeight).Default(D::TabHeight);
            b.Boolean("TabHints", &T::TabHints, &T::SetTabHints).Default(D::TabHints);
            b.Integer("TabIndex", &T::TabIndex, &T::SetTabIndex).Default(D::TabIndex);
            b.Enumeration("TabOrientation", TabOrientationInfo(), &T::TabOrientation, &T::SetTabOrientation)
                .Default(D::TabOrientation);
            b.Enumeration("TabSequence", TabSequenceInfo(), &T::TabSequence, &T::SetTabSequence)
                .Default(D::TabSequence);
            b.Enumeration("TabStyle", TabStyleInfo(), &T::TabStyle, &T::SetTabStyle).Default(D::TabStyle);
            b.Integer("TabWidth", &T::TabWidth, &T::SetTabWidth).Default(D::TabWidth);
            b.Enumeration("TextAlignment", HorizontalAlignmentInfo(), &T::TextAlignment, &T::SetTextAlignment)
                .Default(D::TextAlignment);
            b.Enumeration("TextAlignmentVertical", VerticalAlignmentInfo(), &T::TextAlignmentVertical,
                          &T::SetTextAlignmentVertical)
                .Default(D::TextAlignmentVertical);
            b.Object("TextColors", "TVtTextColors", &T::TextColors);
            b.Enumeration("TextOrientation", OrientationInfo(), &T::TextOrientation, &T::SetTextOrientation)
                .Default(D::TextOrientation);
            b.Boolean("Transparent", &T::Transparent, &T::SetTransparent).Default(D::Transparent);
            b.Boolean("UseColoredTabs", &T::UseColoredTabs, &T::SetUseColoredTabs).Default(D::UseColoredTabs);
            b.Boolean("UseGradients", &T::UseGradients, &T::SetUseGradients).Default(D::UseGradients);
            b.Boolean("AllowTabDragging", &T::AllowTabDragging, &T::SetAllowTabDragging).Default(D::AllowTabDragging);
            b.Event("OnChanging", &T::OnChanging);
            b.Event("OnChange", &T::OnChange);
            b.Event("OnTabClick", &T::OnTabClick);
            b.Event("OnClose", &T::OnClose);
            b.Event("OnGetTextColor", &T::OnGetTextColor);
            b.Event("OnPaintBackground", &T::OnPaintBackground);
            b.Event("OnPaintCardBackground", &T::OnPaintCardBackground);
            b.Event("OnPaintTabBackground", &T::OnPaintTabBackground);
            // The depth of one row of tabs, always stored so that pages are placed right while
            // a description is read, before the first layout.
            b.DefineInteger(
                "FixedDimension", [](T& x, int64_t v) { x.SetFixedDimension(static_cast<int>(v)); },
                [](T& x) { return std::optional<int64_t>(x.FixedDimension()); });
        });
}
