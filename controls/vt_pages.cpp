// The page control and its pages. Sections:
//   1. TVtTabSheet
//   2. TVtPageControl: pages, the active page
//   3. TVtPageControl: the tab control's operations, notifications, loading
//   4. class tables
#include "controls/vt_pages.h"

#include <algorithm>

#include "framework/core/scope_guards.h"
#include "framework/core/sysutils.h"
#include "framework/core/typinfo.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/forms.h"

// ---------------------------------------------------------------- 1. TVtTabSheet

TVtTabSheet::TVtTabSheet(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
    FColor = Defaults::Color;
    FParentColor = false;
    FVisible = false;
    FAlign = alClient;
}

TVtTabSheet::~TVtTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TVtTabSheet::SetPageControl(TVtPageControl* pageControl) {
    if (FPageControl == pageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = pageControl;
    if (!pageControl) return;
    SetParent(pageControl);
    pageControl->InsertPage(this);
}

void TVtTabSheet::SetParentComponent(TComponent* parent) {
    if (auto* pc = dynamic_cast<TVtPageControl*>(parent)) SetPageControl(pc);
    else TCustomControl::SetParentComponent(parent);
}

void TVtTabSheet::TabChangedHere() {
    if (FPageControl && !FPageControl->ComponentState().Contains(csDestroying)) FPageControl->LayoutChanged();
}

void TVtTabSheet::SetColor(TColor color) {
    if (color == Color()) return;
    if (FPageControl && !FPageControl->UseColoredTabs() && color != FPageControl->Color())
        FPageControl->SetUseColoredTabs(true);
    // Without coloured tabs the pages share the page control's colour.
    if (FPageControl && !FPageControl->UseColoredTabs() && Color() == FPageControl->Color()) return;
    TCustomControl::SetColor(color);
    TabChangedHere();
}

int TVtTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TVtTabSheet::SetPageIndex(int v) {
    if (!FPageControl) return;
    const int last = FPageControl->PageCount() - 1;
    if (v > last)
        throw EListError(Format("%d is an invalid PageIndex value. PageIndex must be between 0 and %d", v, last));
    if (v < 0) throw EListError(Format("List index out of bounds (%d)", v));
    FPageControl->MovePage(this, v);
}

int TVtTabSheet::TabIndex() const {
    if (!FTabVisible || !FPageControl) return -1;
    int index = 0;
    for (const TVtTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        if (page->FTabVisible) ++index;
    }
    return -1;
}

void TVtTabSheet::SetVisible(bool) { throw EInvalidOperation("You cannot change the Visible property of a page"); }

void TVtTabSheet::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TVtTabSheet::CMTextChanged(TMessage& message) {
    TCustomControl::CMTextChanged(message);
    TabChangedHere();
}

void TVtTabSheet::Paint() {
    TCanvas* canvas = Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    bool handled = false;
    if (OnPaintBackground) OnPaintBackground(this, canvas, r, handled);
    if (handled) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
}

// ---------------------------------------------------------------- 2. TVtPageControl: pages

TVtPageControl::TVtPageControl(TComponent* owner) : TVtCustomTabControl(owner) {
    // Only pages are dropped on a page control; it paints all of itself.
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
    SetUseColoredTabs(Defaults::UseColoredTabs);
    SetShowCard(true);
    SetBounds(Left(), Top(), Width(), 150);
}

TVtPageControl::~TVtPageControl() {
    Destroying();
    for (TVtTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
    FActivePageDefault = nullptr;
}

TVtTabSheet* TVtPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError(Format("List index out of bounds (%d)", index));
    return FPages[static_cast<size_t>(index)];
}

TVtTabSheet* TVtPageControl::PageForTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TVtTabSheet* page : FPages)
        if (page->TabVisible() && tabIndex-- == 0) return page;
    return nullptr;
}

void TVtPageControl::InsertPage(TVtTabSheet* page) {
    FPages.push_back(page);
    LayoutChanged();
}

void TVtPageControl::RemovePage(TVtTabSheet* page) {
    if (page == FActivePage) SetActivePage(nullptr);
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    LayoutChanged();
    page->FPageControl = nullptr;
}

void TVtPageControl::MovePage(TVtTabSheet* page, int index) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    FPages.insert(FPages.begin() + index, page);
    LayoutChanged();
}

void TVtPageControl::ChangeActivePage(TVtTabSheet* page) {
    if (page == FActivePage) return;
    TVtTabSheet* old = FActivePage;
    TCustomForm* form = GetParentForm(this);
    if (form && form->ComponentState().Contains(csDestroying)) form = nullptr;  // no focus to keep
    // The focus must not stay inside controls about to be hidden.
    auto activeControl = [form] { return form ? form->ActiveControl() : nullptr; };
    if (form && old && activeControl() && activeControl() != old && old->ContainsControl(activeControl()))
        form->SetActiveControl(old);
    if (page) {
        page->BringToFront();
        page->ShowPage(true);
        if (form && old && activeControl() == old)
            form->SetActiveControl(page->CanFocus() ? static_cast<TWinControl*>(page) : this);
    }
    if (old) {
        old->ShowPage(false);
        if (FSaveResources && !Designing()) old->DestroyHandle();
    }
    FActivePage = page;
    if (form && page && activeControl() == page) page->SelectFirst();
}

void TVtPageControl::SetActivePage(TVtTabSheet* page) {
    if (page && page->PageControl() != this) return;
    if (page) page->ShowPage(true);
    if (Loading()) {
        FActivePage = page;
        return;
    }
    const int t = page ? page->TabIndex() : -1;
    if (t < 0) ChangeActivePage(page);
    SetTabIndex(t);
}

void TVtPageControl::SetActivePageDefault(TVtTabSheet* page) {
    if (FActivePageDefault == page) return;
    if (FActivePageDefault) FActivePageDefault->RemoveFreeNotification(this);
    FActivePageDefault = page;
    if (page) page->FreeNotification(this);
}

void TVtPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
}

void TVtPageControl::SetSaveResources(bool v) {
    if (!Change(FSaveResources, v)) return;
    if (!v || Designing()) return;
    for (TVtTabSheet* page : FPages)
        if (page != FActivePage) page->DestroyHandle();
}

TVtTabSheet* TVtPageControl::FindNextPage(bool goForward) const {
    const int n = PageCount();
    if (n == 0) return nullptr;
    const int start = FActivePage ? FActivePage->PageIndex() : (goForward ? n - 1 : 0);
    int i = start;
    do {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        if (FPages[static_cast<size_t>(i)]->TabVisible()) return FPages[static_cast<size_t>(i)];
    } while (i != start);
    return nullptr;
}

void TVtPageControl::SelectNextPage(bool goForward) {
    if (TVtTabSheet* page = FindNextPage(goForward)) SetActivePage(page);
}

// ---------------------------------------------------------------- 3. operations and notifications

void TVtPageControl::QueryTabChange(int newIndex, bool& allowChange) {
    if (!FCompletingLoad) TVtCustomTabControl::QueryTabChange(newIndex, allowChange);
    // The page changes before TabIndex and before OnChange.
    if (allowChange) ChangeActivePage(PageForTab(newIndex));
}

void TVtPageControl::TabChanged() {
    if (!FCompletingLoad) TVtCustomTabControl::TabChanged();
}

void TVtPageControl::LayoutChanged() {
    if (ComponentState().Contains(csDestroying)) return;
    TVtTabDataList& tabs = TabList();
    tabs.Clear();
    for (TVtTabSheet* page : FPages) {
        if (!page->TabVisible()) continue;
        TVtTabData* tab = tabs.Add();
        tab->Caption = page->Caption();
        tab->Color = page->Color();
        tab->Enabled = page->TabEnabled();
        tab->Visible = true;
        tab->Hint = page->Hint();
        tab->ImageIndex = page->ImageIndex();
        tab->DisabledIndex = page->DisabledIndex();
    }
    if (FActivePage) {
        const int t = FActivePage->TabIndex();
        if (t >= 0 && t != TabIndex()) SetTabIndex(t);
        else if (t < 0) SetTabIndex(-1);
    }
    TVtCustomTabControl::LayoutChanged();
}

void TVtPageControl::PaintCardFill(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
    TVtCustomTabControl::PaintCardFill(canvas, row, rect, handled);
    if (handled || row != 0 || TabIndex() < 0 || !FActivePage) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FActivePage->Color());
    canvas->FillRect(rect);
    handled = true;
}

void TVtPageControl::CloseActiveTab() {
    if (!FActivePage) return;
    const int index = TabIndex();
    delete FActivePage;
    SetTabIndex(index > 0 ? index - 1 : 0);
}

void TVtPageControl::MoveActiveTab(int newIndex) {
    if (FActivePage) FActivePage->SetPageIndex(newIndex);
}

void TVtPageControl::HideAllTabs() {
    for (TVtTabSheet* page : std::vector<TVtTabSheet*>(FPages)) page->SetTabVisible(false);
}

void TVtPageControl::ShowAllTabs() {
    for (TVtTabSheet* page : std::vector<TVtTabSheet*>(FPages)) page->SetTabVisible(true);
}

void TVtPageControl::SetUseColoredTabs(bool v) {
    const bool was = UseColoredTabs();
    TVtCustomTabControl::SetUseColoredTabs(v);
    // Turning it off gives every page the page control's colour again.
    if (was && !v && Parent()) Perform(CM_COLORCHANGED);
}

void TVtPageControl::CMColorChanged(TMessage& message) {
    if (!UseColoredTabs())
        for (TVtTabSheet* page : std::vector<TVtTabSheet*>(FPages)) page->SetColor(Color());
    TVtCustomTabControl::CMColorChanged(message);
}

void TVtPageControl::ShowControl(TControl* control) {
    // A page being switched to is already active when its first field takes the focus.
    if (auto* page = dynamic_cast<TVtTabSheet*>(control); page && page->PageControl() == this && page != FActivePage)
        SetActivePage(page);
    TVtCustomTabControl::ShowControl(control);
}

void TVtPageControl::GetAccessibleChildren(int part, std::vector<TAccessibleId>& children) {
    TVtCustomTabControl::GetAccessibleChildren(part, children);
    if (part < 0) return;
    TVtTabSheet* page = PageForTab(part);
    if (page && page == FActivePage && page->Visible() && PresentedRole(page) != arNone)
        children.push_back(AccessibleIdOf(page));
}

void TVtPageControl::CMDialogKey(TCMDialogKey& message) {
    TVtCustomTabControl::CMDialogKey(message);
    if (message.Result != 0 || message.CharCode != VK_TAB) return;
    const TShiftState shift = GetShiftState();
    if (!shift.Contains(ssCtrl)) return;
    TCustomForm* form = GetParentForm(this);
    if (!form || !form->ActiveControl() || !ContainsControl(form->ActiveControl())) return;
    SelectNextPage(!shift.Contains(ssShift));
    message.Result = 1;
}

void TVtPageControl::WMSetFocus(TWMSetFocus& message) {
    TVtCustomTabControl::WMSetFocus(message);
    if (!FActivePage || FActivePage->TabVisible()) return;
    for (int i = 0; i < FActivePage->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(FActivePage->Controls(i))) {
            if (w->CanFocus()) w->SetFocus();
            return;
        }
}

void TVtPageControl::Notification(TComponent* component, TOperation operation) {
    TVtCustomTabControl::Notification(component, operation);
    if (operation == opRemove && component == FActivePageDefault) FActivePageDefault = nullptr;
}

void TVtPageControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TVtTabSheet* page : FPages)
        if (page->Owner() == root) proc(page);
}

void TVtPageControl::SetChildOrder(TComponent* child, int order) {
    if (auto* page = dynamic_cast<TVtTabSheet*>(child); page && page->PageControl() == this) page->SetPageIndex(order);
}

void TVtPageControl::Loaded() {
    TVtCustomTabControl::Loaded();
    const TRestore completing(FCompletingLoad, true);
    EnsureLayout();
    SetTabIndex(-1);
    TVtTabSheet* stored = FActivePage;
    TVtTabSheet* target = stored;
    if (FActivePageDefault && FActivePageDefault != stored) {
        if (stored) stored->ShowPage(false);
        target = FActivePageDefault;
    }
    FActivePage = nullptr;
    LayoutChanged();
    SetActivePage(target);
}

// ---------------------------------------------------------------- 4. class tables

void TVtTabSheet::RegisterClassInfo() {
    RegisterClass<TVtTabSheet>("TVtTabSheet", "TCustomControl", [](TClassBuilder<TVtTabSheet>& b) {
        using P = TVtTabSheet;
        using D = TVtTabSheet::Defaults;
        b.Color("Color", &P::Color, &P::SetColor).Default(D::Color);
        b.Integer("DisabledIndex", &P::DisabledIndex, &P::SetDisabledIndex).Default(D::DisabledIndex);
        b.Integer("ImageIndex", &P::ImageIndex, &P::SetImageIndex).Default(D::ImageIndex);
        // The stored order of pages is the page order.
        b.Integer("PageIndex", &P::PageIndex, &P::SetPageIndex).Stored(false);
        b.Boolean("TabEnabled", &P::TabEnabled, &P::SetTabEnabled).Default(D::TabEnabled);
        b.Boolean("TabVisible", &P::TabVisible, &P::SetTabVisible).Default(D::TabVisible);
        b.Boolean("Visible", &P::Visible, &P::SetVisible).Stored(false);
        b.Event("OnPaintBackground", &P::OnPaintBackground);
    });
}

void TVtPageControl::RegisterClassInfo() {
    RegisterClass<TVtPageControl>("TVtPageControl", "TVtCustomTabControl", [](TClassBuilder<TVtPageControl>& b) {
        using C = TVtPageControl;
        using D = TVtPageControl::Defaults;
        b.Component("ActivePage", &C::ActivePage, &C::SetActivePage);
        b.Component("ActivePageDefault", &C::ActivePageDefault, &C::SetActivePageDefault);
        b.Boolean("SaveResources", &C::SaveResources, &C::SetSaveResources).Default(D::SaveResources);
        b.Boolean("DblClickUndocks", &C::DblClickUndocks, &C::SetDblClickUndocks).Default(D::DblClickUndocks);
        b.Boolean("UseColoredTabs", &C::UseColoredTabs, &C::SetUseColoredTabs).Default(D::UseColoredTabs);
    });
}
