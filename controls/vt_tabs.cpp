// The tab control's data, properties, framework notifications and class tables. Sections:
//   1. vocabulary names
//   2. TVtTabData, TVtTabDataList, TVtTabColors, TVtTextColors, TVtTabRegionCache
//   3. TVtCustomTabControl: creation, properties
//   4. TVtCustomTabControl: overridable operations and notifications
//   5. class tables
#include "controls/vt_tabs.h"

#include "controls/vt_draw.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/forms.h"
#include "framework/core/sysutils.h"
#include "framework/ui/timers.h"
#include "framework/core/typinfo.h"

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

void TVtTabColors::Change(TColor& field, TColor v) {
    if (field == v) return;
    field = v;
    if (OnChange) OnChange(this);
}

void TVtTabColors::Assign(const TPersistent* source) {
    auto* s = dynamic_cast<const TVtTabColors*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    FHighlightBar = s->FHighlightBar;
    FShadow = s->FShadow;
    FUnselected = s->FUnselected;
    if (OnChange) OnChange(this);
}

void TVtTextColors::Change(TColor& field, TColor v) {
    if (field == v) return;
    field = v;
    if (OnChange) OnChange(this);
}

void TVtTextColors::Assign(const TPersistent* source) {
    auto* s = dynamic_cast<const TVtTextColors*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    FDisabledHighlight = s->FDisabledHighlight;
    FDisabledShadow = s->FDisabledShadow;
    FSelected = s->FSelected;
    FUnselected = s->FUnselected;
    if (OnChange) OnChange(this);
}

void TVtTabRegionCache::SetCapacity(int capacity) {
    if (capacity == 0 || capacity < -1)
        throw EInvalidOperation("Capacity must be -1 (to cache all regions) or > 0");
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

namespace {

// Stores v when it differs; true when it did.
template <class T>
bool Change(T& field, const T& v) {
    if (field == v) return false;
    field = v;
    return true;
}

}  // namespace

TVtCustomTabControl::TVtCustomTabControl(TComponent* owner)
    : TCustomControl(owner),
      FTabColors(std::make_unique<TVtTabColors>()),
      FTextColors(std::make_unique<TVtTextColors>()),
      FBitmap(std::make_unique<TBitmap>()) {
    static const bool registered = (RegisterClassInfo(), true);
    (void)registered;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    FColor = clBtnFace;
    FTabStop = true;
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

void TVtCustomTabControl::SetAlignTabs(bool v) {
    if (Change(FAlignTabs, v) && FMultiLine) LayoutChanged();
}
void TVtCustomTabControl::SetBackgroundColor(TColor v) {
    FParentBackgroundColor = false;
    if (Change(FBackgroundColor, v)) Invalidate();
}
void TVtCustomTabControl::SetBoldCurrentTab(bool v) {
    if (Change(FBoldCurrentTab, v)) LayoutChanged();
}
void TVtCustomTabControl::SetCutCornerSize(int v) {
    if (v < 0) return;
    if (Change(FCutCornerSize, v) && FTabStyle == tsCutCorner) LayoutChanged();
}
void TVtCustomTabControl::SetFlatColor(TColor v) {
    if (!Change(FFlatColor, v)) return;
    UpdateButtonColors();
    Invalidate();
}
void TVtCustomTabControl::SetFlatColorAdjustment(int v) {
    if (!Change(FFlatColorAdjustment, v)) return;
    UpdateButtonColors();
    Invalidate();
}
void TVtCustomTabControl::SetHotTrack(bool v) {
    if (!Change(FHotTrack, v)) return;
    if (!FHotTrack && !FTabHints) StopHotTrackTimer();
}
void TVtCustomTabControl::SetHotTrackColor(TColor v) {
    if (Change(FHotTrackColor, v)) Invalidate();
}
void TVtCustomTabControl::SetHotTrackColorType(TVtHotTrackColorType v) {
    if (Change(FHotTrackColorType, v)) Invalidate();
}
void TVtCustomTabControl::SetHotTrackStyle(TVtHotTrackStyle v) {
    if (Change(FHotTrackStyle, v)) Invalidate();
}
void TVtCustomTabControl::SetImageAlignment(TVtHorizontalAlignment v) {
    if (Change(FImageAlignment, v)) LayoutChanged();
}
void TVtCustomTabControl::SetImageAlignmentVertical(TVtVerticalAlignment v) {
    if (Change(FImageAlignmentVertical, v)) LayoutChanged();
}
void TVtCustomTabControl::SetImageMargin(int v) {
    if (v >= 0 && Change(FImageMargin, v)) LayoutChanged();
}
void TVtCustomTabControl::SetImagePosition(TVtImagePosition v) {
    if (Change(FImagePosition, v)) LayoutChanged();
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
void TVtCustomTabControl::SetMargin(int v) {
    if (v >= 0 && Change(FMargin, v)) LayoutChanged();
}
void TVtCustomTabControl::SetMultiLine(bool v) {
    if (Change(FMultiLine, v)) LayoutChanged();
}
void TVtCustomTabControl::SetParentBackgroundColor(bool v) {
    if (!Change(FParentBackgroundColor, v)) return;
    if (v && Parent() && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}
void TVtCustomTabControl::SetRowIndent(int v) {
    if (v >= 0 && Change(FRowIndent, v)) LayoutChanged();
}
void TVtCustomTabControl::SetRowOverlap(int v) {
    if (v >= 0 && Change(FRowOverlap, v)) LayoutChanged();
}
void TVtCustomTabControl::SetShowCardFrame(bool v) {
    if (Change(FShowCardFrame, v)) LayoutChanged();
}
void TVtCustomTabControl::SetShowCloseButton(bool v) {
    if (!Change(FShowCloseButton, v)) return;
    if (v) EnsureCloseButton();
    if (FCloseButton) FCloseButton->SetVisible(v && !Designing());
    LayoutChanged();
    Invalidate();
}
void TVtCustomTabControl::SetShowFocusRect(bool v) {
    if (Change(FShowFocusRect, v)) Invalidate();
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
void TVtCustomTabControl::SetTabHeight(int v) {
    if (v >= 0 && Change(FTabHeight, v)) LayoutChanged();
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
void TVtCustomTabControl::SetTabSequence(TVtTabSequence v) {
    if (Change(FTabSequence, v)) LayoutChanged();
}
void TVtCustomTabControl::SetTabStyle(TVtTabStyle v) {
    if (Change(FTabStyle, v)) LayoutChanged();
}
void TVtCustomTabControl::SetTabWidth(int v) {
    if (v >= 0 && Change(FTabWidth, v)) LayoutChanged();
}
void TVtCustomTabControl::SetTextAlignment(TVtHorizontalAlignment v) {
    if (Change(FTextAlignment, v)) LayoutChanged();
}
void TVtCustomTabControl::SetTextAlignmentVertical(TVtVerticalAlignment v) {
    if (Change(FTextAlignmentVertical, v)) LayoutChanged();
}
void TVtCustomTabControl::SetTextOrientation(TOrientation v) {
    if (!Change(FTextOrientation, v)) return;
    // Only scalable faces turn; a bitmap face gives way to one that does.
    if (!Loading() && !IsOutlineFont(Font())) Font()->SetName("Verdana");
    LayoutChanged();
}
void TVtCustomTabControl::SetTransparent(bool v) {
    if (Change(FTransparent, v)) Invalidate();
}
void TVtCustomTabControl::SetUseColoredTabs(bool v) {
    if (Change(FUseColoredTabs, v)) Invalidate();
}
void TVtCustomTabControl::SetUseGradients(bool v) {
    if (Change(FUseGradients, v)) Invalidate();
}
void TVtCustomTabControl::SetAllowTabDragging(bool v) { FAllowTabDragging = v; }

void TVtCustomTabControl::SetLayoutDirty(bool v) {
    FLayoutDirty = v;
    if (v) Invalidate();
}
void TVtCustomTabControl::SetShowCard(bool v) {
    if (Change(FShowCard, v)) LayoutChanged();
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
        using C = TVtTabColors;
        b.Color("HighlightBar", &C::HighlightBar, &C::SetHighlightBar).Default(clHighlight);
        b.Color("Shadow", &C::Shadow, &C::SetShadow).Default(clBtnFace);
        b.Color("Unselected", &C::Unselected, &C::SetUnselected).Default(clWindow);
    });
}

void TVtTextColors::RegisterClassInfo() {
    RegisterClass<TVtTextColors>("TVtTextColors", "", [](TClassBuilder<TVtTextColors>& b) {
        using C = TVtTextColors;
        b.Color("DisabledHighlight", &C::DisabledHighlight, &C::SetDisabledHighlight).Default(clBtnHighlight);
        b.Color("DisabledShadow", &C::DisabledShadow, &C::SetDisabledShadow).Default(clBtnShadow);
        b.Color("Selected", &C::Selected, &C::SetSelected).Default(clBtnText);
        b.Color("Unselected", &C::Unselected, &C::SetUnselected).Default(clBtnText);
    });
}

void TVtCustomTabControl::RegisterClassInfo() {
    RegisterControlClasses();
    TVtTabColors::RegisterClassInfo();
    TVtTextColors::RegisterClassInfo();
    RegisterClass<TVtCustomTabControl>("TVtCustomTabControl", "TCustomControl", [](TClassBuilder<TVtCustomTabControl>& b) {
        using T = TVtCustomTabControl;
        b.Color("Color", &T::Color, &T::SetColor).Default(clBtnFace).Stored([](T& x) { return !x.ParentColor(); });
        b.Boolean("TabStop", &T::TabStop, &T::SetTabStop).Default(true);
        b.Boolean("AlignTabs", &T::AlignTabs, &T::SetAlignTabs).Default(false);
        b.Color("BackgroundColor", &T::BackgroundColor, &T::SetBackgroundColor)
            .Default(clBtnFace)
            .Stored([](T& x) { return !x.ParentBackgroundColor(); });
        b.Boolean("BoldCurrentTab", &T::BoldCurrentTab, &T::SetBoldCurrentTab).Default(false);
        b.Integer("CutCornerSize", &T::CutCornerSize, &T::SetCutCornerSize).Default(6);
        b.Color("FlatColor", &T::FlatColor, &T::SetFlatColor).Default(clBtnShadow);
        b.Integer("FlatColorAdjustment", &T::FlatColorAdjustment, &T::SetFlatColorAdjustment).Default(0);
        b.Boolean("HotTrack", &T::HotTrack, &T::SetHotTrack).Default(true);
        b.Color("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor).Default(clHighlight);
        b.Enumeration("HotTrackColorType", HotTrackColorTypeInfo(), &T::HotTrackColorType, &T::SetHotTrackColorType)
            .Default(htctComplement);
        b.Enumeration("HotTrackStyle", HotTrackStyleInfo(), &T::HotTrackStyle, &T::SetHotTrackStyle).Default(htsTab);
        b.Enumeration("ImageAlignment", HorizontalAlignmentInfo(), &T::ImageAlignment, &T::SetImageAlignment)
            .Default(haCenter);
        b.Enumeration("ImageAlignmentVertical", VerticalAlignmentInfo(), &T::ImageAlignmentVertical,
                      &T::SetImageAlignmentVertical)
            .Default(vaCenter);
        b.Integer("ImageMargin", &T::ImageMargin, &T::SetImageMargin).Default(2);
        b.Enumeration("ImagePosition", ImagePositionInfo(), &T::ImagePosition, &T::SetImagePosition).Default(ipLeft);
        b.Component("Images", &T::Images, &T::SetImages);
        b.Integer("Margin", &T::Margin, &T::SetMargin).Default(0);
        b.Boolean("MultiLine", &T::MultiLine, &T::SetMultiLine).Default(false);
        b.Boolean("ParentBackgroundColor", &T::ParentBackgroundColor, &T::SetParentBackgroundColor).Default(true);
        b.Integer("RowIndent", &T::RowIndent, &T::SetRowIndent).Default(5);
        b.Integer("RowOverlap", &T::RowOverlap, &T::SetRowOverlap).Default(5);
        b.Boolean("ShowCardFrame", &T::ShowCardFrame, &T::SetShowCardFrame).Default(true);
        b.Boolean("ShowCloseButton", &T::ShowCloseButton, &T::SetShowCloseButton).Default(false);
        b.Boolean("ShowFocusRect", &T::ShowFocusRect, &T::SetShowFocusRect).Default(true);
        b.Boolean("ShowFullFrame", &T::ShowFullFrame, &T::SetShowFullFrame).Default(true);
        b.Boolean("ShowShadow", &T::ShowShadow, &T::SetShowShadow).Default(true);
        b.Object("TabColors", "TVtTabColors", &T::TabColors);
        b.Integer("TabHeight", &T::TabHeight, &T::SetTabHeight).Default(0);
        b.Boolean("TabHints", &T::TabHints, &T::SetTabHints).Default(false);
        b.Integer("TabIndex", &T::TabIndex, &T::SetTabIndex).Default(-1);
        b.Enumeration("TabOrientation", TabOrientationInfo(), &T::TabOrientation, &T::SetTabOrientation)
            .Default(toTop);
        b.Enumeration("TabSequence", TabSequenceInfo(), &T::TabSequence, &T::SetTabSequence).Default(tsStandard);
        b.Enumeration("TabStyle", TabStyleInfo(), &T::TabStyle, &T::SetTabStyle).Default(tsSingleSlant);
        b.Integer("TabWidth", &T::TabWidth, &T::SetTabWidth).Default(0);
        b.Enumeration("TextAlignment", HorizontalAlignmentInfo(), &T::TextAlignment, &T::SetTextAlignment)
            .Default(haCenter);
        b.Enumeration("TextAlignmentVertical", VerticalAlignmentInfo(), &T::TextAlignmentVertical,
                      &T::SetTextAlignmentVertical)
            .Default(vaCenter);
        b.Object("TextColors", "TVtTextColors", &T::TextColors);
        b.Enumeration("TextOrientation", OrientationInfo(), &T::TextOrientation, &T::SetTextOrientation)
            .Default(orHorizontal);
        b.Boolean("Transparent", &T::Transparent, &T::SetTransparent).Default(false);
        b.Boolean("UseColoredTabs", &T::UseColoredTabs, &T::SetUseColoredTabs).Default(false);
        b.Boolean("UseGradients", &T::UseGradients, &T::SetUseGradients).Default(true);
        b.Boolean("AllowTabDragging", &T::AllowTabDragging, &T::SetAllowTabDragging).Default(false);
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
