// The page control: the tab control whose tabs are its pages. Each page is a TVtTabSheet
// filling the display rectangle; every page with a visible tab contributes one tab, in page
// order. Choosing a tab shows its page in front and hides the one shown before; a page's
// colour becomes its tab's colour and the card's.
//
// Sections: TVtTabSheet · TVtPageControl
#pragma once

#include <string>
#include <vector>

#include "controls/vt_tabs.h"

class TVtPageControl;

// ---------------------------------------------------------------- TVtTabSheet

class TVtTabSheet : public TCustomControl {
public:
    // Published defaults: the fields and the constructor start from them, the class table
    // names them.
    struct Defaults {
        static constexpr TColor Color = clBtnFace;
        static constexpr int DisabledIndex = -1;
        static constexpr int ImageIndex = -1;
        static constexpr bool TabEnabled = true;
        static constexpr bool TabVisible = true;
    };

    explicit TVtTabSheet(TComponent* owner);
    ~TVtTabSheet() override;

    TVtPageControl* PageControl() const { return FPageControl; }
    // Leaves the current page control, then joins the new one as its last page.
    void SetPageControl(TVtPageControl* pageControl);

    // With a page control that does not colour its tabs, a page can only take its colour.
    void SetColor(TColor color) override;
    int DisabledIndex() const { return FDisabledIndex; }
    void SetDisabledIndex(int v) {
        if (Change(FDisabledIndex, v)) TabChangedHere();
    }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) {
        if (Change(FImageIndex, v)) TabChangedHere();
    }
    // Position in the page list; "%d is an invalid PageIndex value. …" beyond the last.
    int PageIndex() const;
    void SetPageIndex(int v);
    bool TabEnabled() const { return FTabEnabled; }
    void SetTabEnabled(bool v) {
        if (Change(FTabEnabled, v)) TabChangedHere();
    }
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v) {
        if (Change(FTabVisible, v)) TabChangedHere();
    }
    // -1 without a visible tab, else the number of pages before it that have one.
    int TabIndex() const;
    // The page control alone shows and hides pages: "You cannot change the Visible property
    // of a page".
    void SetVisible(bool v);

    TVtPaintBackgroundEvent OnPaintBackground;

    void SetParentComponent(TComponent* parent) override;
    static void RegisterClassInfo();

protected:
    void Paint() override;
    void CreateParams(TCreateParams& params) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override { message.Result = 1; }
    void CMTextChanged(TMessage& message) override;

private:
    friend class TVtPageControl;
    void ShowPage(bool v) { TControl::SetVisible(v); }
    void TabChangedHere();

    TVtPageControl* FPageControl = nullptr;
    int FDisabledIndex = Defaults::DisabledIndex;
    int FImageIndex = Defaults::ImageIndex;
    bool FTabEnabled = Defaults::TabEnabled;
    bool FTabVisible = Defaults::TabVisible;
};

// ---------------------------------------------------------------- TVtPageControl

class TVtPageControl : public TVtCustomTabControl {
public:
    // Published defaults: the fields and the constructor start from them, the class table
    // names them.
    struct Defaults {
        static constexpr bool SaveResources = false;
        static constexpr bool DblClickUndocks = true;
        static constexpr bool UseColoredTabs = false;
    };

    explicit TVtPageControl(TComponent* owner);
    ~TVtPageControl() override;

    TVtTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TVtTabSheet* page);
    TVtTabSheet* ActivePageDefault() const { return FActivePageDefault; }
    void SetActivePageDefault(TVtTabSheet* page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    void SetActivePageIndex(int index);
    bool SaveResources() const { return FSaveResources; }
    void SetSaveResources(bool v);
    bool DblClickUndocks() const { return FDblClickUndocks; }
    void SetDblClickUndocks(bool v) { FDblClickUndocks = v; }

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TVtTabSheet* Pages(int index) const;  // EListError "List index out of bounds (%d)"
    // The page whose tab is tab index t, or nullptr.
    TVtTabSheet* PageForTab(int tabIndex) const;
    // The next page with a visible tab after the active one, wrapping; nullptr when none.
    TVtTabSheet* FindNextPage(bool goForward) const;
    void SelectNextPage(bool goForward);

    void SetUseColoredTabs(bool v) override;
    void ShowControl(TControl* control) override;
    // A page tab holds the page it shows.
    void GetAccessibleChildren(int part, std::vector<TAccessibleId>& children) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    static void RegisterClassInfo();

protected:
    void QueryTabChange(int newIndex, bool& allowChange) override;
    void LayoutChanged() override;
    void PaintCardFill(TCanvas* canvas, int row, const TRect& rect, bool& handled) override;
    void CloseActiveTab() override;
    void MoveActiveTab(int newIndex) override;
    void TabChanged() override;
    void HideAllTabs() override;
    void ShowAllTabs() override;

    void Loaded() override;
    void CMColorChanged(TMessage& message) override;
    void CMDialogKey(TCMDialogKey& message) override;
    void WMSetFocus(TWMSetFocus& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TVtTabSheet;
    void InsertPage(TVtTabSheet* page);
    void RemovePage(TVtTabSheet* page);
    void MovePage(TVtTabSheet* page, int index);
    // The one place where pages are shown and hidden.
    void ChangeActivePage(TVtTabSheet* page);

    std::vector<TVtTabSheet*> FPages;
    TVtTabSheet* FActivePage = nullptr;
    TVtTabSheet* FActivePageDefault = nullptr;
    bool FSaveResources = Defaults::SaveResources;
    bool FDblClickUndocks = Defaults::DblClickUndocks;
    // Set while loading completes: no OnChanging, no OnChange.
    bool FCompletingLoad = false;
};
