// The tab control's selection and input. Sections:
//   1. the selection operation and the hit test
//   2. mouse, keyboard, accelerators
//   3. hot tracking and tab hints
//   4. scrolling steps, the scroller and the close button
//   5. tab dragging
//   6. assistive tools
#include <algorithm>

#include "controls/vt_draw.h"
#include "controls/vt_tabs.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

namespace {

constexpr uintptr_t kHotTrackTimer = 1;
constexpr unsigned kHotTrackInterval = 60;

}  // namespace

// ---------------------------------------------------------------- 1. selection and hit test

void TVtCustomTabControl::SetTabIndex(int v) {
    if (Loading()) {
        FTabIndex = v;
        return;
    }
    const int n = FTabs.Count();
    if (v < 0 || v >= n) {
        FTabIndex = -1;
        RepaintTabs();
    } else {
        bool allowed = v == FTabIndex || FBypassChangeQuery;
        if (!allowed) {
            allowed = FTabs[v]->Visible && (FTabs[v]->Enabled || Designing());
            if (allowed) QueryTabChange(v, allowed);
        }
        if (allowed) {
            const int oldIndex = FTabIndex, oldFirst = FFirstVisibleTab;
            FTabIndex = v;
            if (!FScrollingNeeded) {
                RotateRows();
            } else if (v < FFirstVisibleTab) {
                FFirstVisibleTab = v;
                RepaintTabs();
            } else {
                while (FFirstVisibleTab < v && !TabFullyInView(v)) ++FFirstVisibleTab;
            }
            if (FFirstVisibleTab != oldFirst || FTabIndex != oldIndex) {
                RepaintTabs();
                if (FScroller) FScroller->Invalidate();
                if (FTabIndex != oldIndex) {
                    NotifyAccessible(this, aeChanged);
                    if (Focused()) NotifyAccessible(this, aeFocus, FTabIndex);
                    TabChanged();
                }
            }
        }
    }
    // Its inactive look depends on whether a tab is selected.
    if (FCloseButton && FShowCloseButton) FCloseButton->Invalidate();
}

int TVtCustomTabControl::TabAtPos(TPoint p) {
    EnsureLayout();
    const int n = FTabs.Count();
    if (n == 0 || FFirstVisibleTab < 0 || FFirstVisibleTab >= n) return -1;
    auto hit = [&](int i) {
        return TabFullyInView(i) && TabBoundsRect(i).Contains(p) && PtInRegion(TabRegion(i), p.X, p.Y);
    };
    // The selected tab is drawn on top of its neighbours.
    if (FTabIndex >= 0 && FTabIndex < n && hit(FTabIndex)) return FTabIndex;
    for (int k = 0; k < n; ++k) {
        const int i = (FFirstVisibleTab + k) % n;
        if (i != FTabIndex && hit(i)) return i;
    }
    return -1;
}

// ---------------------------------------------------------------- 2. mouse, keyboard, accelerators

void TVtCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || (!Enabled() && !Designing())) return;
    const int i = TabAtPos({x, y});
    if (i < 0 || !FTabs[i]->Enabled) return;
    // Pressing the selected tab focuses the control; another tab is only selected, and the
    // page switch decides where the focus goes.
    if (TabStop() && i == FTabIndex && !Designing()) {
        if (CanFocus()) SetFocus();
        if (!Focused()) return;
    }
    SetTabIndex(i);
    if (FTabIndex == i) TabClicked();
}

// From `from`, stepping by step: the first tab that may be selected (the changing query
// included), or -1 when the walk meets TabIndex, runs off the list (without wrap) or has
// tried every tab (with wrap).
int TVtCustomTabControl::SearchSelectable(int from, int step, bool wrap) {
    const int n = FTabs.Count();
    if (!wrap) {
        for (int i = from; i >= 0 && i < n; i += step) {
            if (i == FTabIndex) return -1;
            if (Selectable(i, true)) return i;
        }
        return -1;
    }
    int i = from < 0 ? (step > 0 ? -1 : n) : from;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + step) % n + n) % n;
        if (i == FTabIndex) return -1;
        if (Selectable(i, true)) return i;
    }
    return -1;
}

void TVtCustomTabControl::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const int n = FTabs.Count();
    if (n == 0 || key == 0) return;
    // Home goes to the first tab where the sequence starts on screen.
    const bool homeForward = (FTabOrientation != toLeft) == (FTabSequence == tsStandard);
    const bool forwardSign = FTabSequence == tsStandard;
    int found = -1;
    switch (key) {
        case VK_HOME: found = homeForward ? SearchSelectable(0, 1, false) : SearchSelectable(n - 1, -1, false); break;
        case VK_END: found = homeForward ? SearchSelectable(n - 1, -1, false) : SearchSelectable(0, 1, false); break;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            const bool nextKey =
                FTabOrientation == toLeft ? (key == VK_LEFT || key == VK_UP) : (key == VK_RIGHT || key == VK_DOWN);
            const int step = nextKey == forwardSign ? 1 : -1;
            found = SearchSelectable(FTabIndex, step, true);
            break;
        }
        default: return;
    }
    if (found < 0 || found == FTabIndex) return;
    // The changing query was asked during the search.
    FBypassChangeQuery = true;
    SetTabIndex(found);
    FBypassChangeQuery = false;
    TabClicked();
}

void TVtCustomTabControl::CMDialogChar(TCMDialogChar& message) {
    if (CanFocus()) {
        const char ch = static_cast<char>(message.CharCode);
        for (int i = 0; i < FTabs.Count(); ++i) {
            const TVtTabData& tab = *FTabs[i];
            if (!tab.Enabled || !tab.Visible || !IsAccel(ch, tab.Caption)) continue;
            message.Result = 1;
            SetFocus();
            if (Focused()) {
                SetTabIndex(i);
                if (FTabIndex == i) TabClicked();
            }
            return;
        }
    }
    TCustomControl::CMDialogChar(message);
}

// ---------------------------------------------------------------- 3. hot tracking and tab hints

void TVtCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    const TPoint p{x, y};
    if (FAllowTabDragging && shift.Contains(ssLeft) && !Dragging() && TabAtPos(p) >= 0) BeginDrag(false);
    if (!(FHotTrack || FTabHints) || Designing()) return;
    const int i = TabAtPos(p);
    if (i < 0) {
        EndHotTracking(p, false);
        return;
    }
    if (i == FHotTab) return;
    FHotTab = i;
    if (FHotTrack) {
        // Only the strip changes; the shadow pass is skipped for it.
        FSkipShadow = true;
        const TRect s = TabStripRect();
        const TRect strip = Rect(s.Left, s.Top, s.Right + 1, s.Bottom + 1);
        InvalidateRect(&strip, false);
    }
    if (FTabHints) {
        if (Application) Application->CancelHint();
        if (!FTabs[i]->Hint.empty()) SetHint(FTabs[i]->Hint);
    }
    if (!FHotTimerRunning) {
        SetTimer(this, kHotTrackTimer, kHotTrackInterval);
        FHotTimerRunning = true;
    }
}

void TVtCustomTabControl::EndHotTracking(TPoint p, bool fromTimer) {
    const TRect s = TabStripRect();
    const TRect strip = Rect(s.Left, s.Top, s.Right + 1, s.Bottom + 1);
    const bool inStrip = strip.Contains(p);
    if (FTabHints && (FHotTab >= 0 || inStrip) && Application) Application->CancelHint();
    StopHotTrackTimer();
    FHotTab = -1;
    InvalidateRect(&strip, false);
    SetHint(FTabHints && inStrip && !fromTimer ? std::string() : FSavedHint);
}

void TVtCustomTabControl::StopHotTrackTimer() {
    if (!FHotTimerRunning) return;
    KillTimer(this, kHotTrackTimer);
    FHotTimerRunning = false;
}

void TVtCustomTabControl::WMTimer(TWMTimer& message) {
    if (message.TimerID != kHotTrackTimer) {
        TCustomControl::WMTimer(message);
        return;
    }
    const TPoint p = ScreenToClient(GetCursorPos());
    if (TabAtPos(p) < 0) EndHotTracking(p, true);
}

// ---------------------------------------------------------------- 4. scrolling, scroller, close button

bool TVtCustomTabControl::ScrollTowardsEnd() {
    const int n = FTabs.Count();
    if (n == 0) return false;
    int last = n - 1;
    while (last > 0 && !FTabs[last]->Visible) --last;
    const int old = FFirstVisibleTab;
    if (old >= n - 1 || TabFullyInView(last)) return false;
    int f = old + 1;
    for (; f < n; ++f) {
        FFirstVisibleTab = f;
        if (TabFullyInView(f)) break;
    }
    if (f >= n) {
        FFirstVisibleTab = old;
        return false;
    }
    RepaintTabs();
    if (FScroller) FScroller->Invalidate();
    return true;
}

bool TVtCustomTabControl::ScrollTowardsStart() {
    const int n = FTabs.Count();
    int firstShown = 0;
    while (firstShown < n && !FTabs[firstShown]->Visible) ++firstShown;
    const int old = FFirstVisibleTab;
    if (old <= 0 || firstShown >= n || TabFullyInView(firstShown)) return false;
    int f = old - 1;
    for (; f >= 0; --f) {
        FFirstVisibleTab = f;
        if (TabFullyInView(f)) break;
    }
    if (f < 0) {
        FFirstVisibleTab = old;
        return false;
    }
    RepaintTabs();
    if (FScroller) FScroller->Invalidate();
    return true;
}

namespace {

// The scroller's down/left half scrolls towards the start where the sequence runs with the
// screen's axes.
bool DownLeftScrollsToStart(TVtTabOrientation o, TVtTabSequence s) { return (o != toRight) == (s == tsStandard); }

}  // namespace

void TVtCustomTabControl::EnsureScroller() {
    if (FScroller) return;
    FScroller = new TVtTabScroller(this, this);
    FScroller->SetOrientation(SideTabs() ? orVertical : orHorizontal);
    FScroller->SetFrameColor(OutlineColor());
    FScroller->OnDownLeftClick = [this](TObject*) {
        DownLeftScrollsToStart(FTabOrientation, FTabSequence) ? ScrollTowardsStart() : ScrollTowardsEnd();
    };
    FScroller->OnUpRightClick = [this](TObject*) {
        DownLeftScrollsToStart(FTabOrientation, FTabSequence) ? ScrollTowardsEnd() : ScrollTowardsStart();
    };
    FScroller->SetVisible(!Designing());
    FScroller->SetParent(this);
    PlaceButtons();
}

void TVtCustomTabControl::EnsureCloseButton() {
    if (FCloseButton) return;
    FCloseButton = new TVtTabCloseButton(this, this);
    FCloseButton->SetFrameColor(OutlineColor());
    FCloseButton->OnClose = [this](TObject*) { CloseButtonClicked(); };
    FCloseButton->SetVisible(false);
    FCloseButton->SetParent(this);
}

void TVtCustomTabControl::CloseButtonClicked() {
    if (FTabIndex < 0) return;
    bool allow = false;
    if (OnClose) OnClose(this, allow);
    if (allow) CloseActiveTab();
}

void TVtCustomTabControl::UpdateButtonColors() {
    if (FScroller) FScroller->SetFrameColor(OutlineColor());
    if (FCloseButton) FCloseButton->SetFrameColor(OutlineColor());
}

void TVtCustomTabControl::PlaceButtons() {
    const int s = ButtonSize();
    const TRect strip = TabStripRect();
    const int closeSize = CloseButtonSize();
    // The close button is always outermost, at the strip's far end.
    if (FCloseButton && FShowCloseButton) {
        int x = 0, y = 0;
        switch (FTabOrientation) {
            case toTop: x = strip.Right + (FShowShadow ? 0 : 2) - s - FMargin - 1, y = strip.Bottom - s - 2; break;
            case toBottom: x = strip.Right - s - FMargin - 1, y = strip.Top + 2; break;
            case toLeft: x = strip.Right - s - 2, y = strip.Top + FMargin + 1; break;
            case toRight: x = strip.Left + 2, y = strip.Bottom - s - FMargin - 1; break;
        }
        if (FTabSequence == tsReverse && !SideTabs()) x = strip.Left + FMargin + 1;
        FCloseButton->SetBounds(x, y, s, s);
    }
    if (!FScroller) return;
    const bool vertical = SideTabs();
    const int w = vertical ? s : 2 * s - 1, h = vertical ? 2 * s - 1 : s;
    if (!FScrollingNeeded) {
        FScroller->SetBounds(-w - 1, -h - 1, w, h);
        return;
    }
    const int beside = FShowCloseButton ? closeSize + FMargin + 2 : FMargin;
    int x = 0, y = 0;
    switch (FTabOrientation) {
        case toTop: x = strip.Right - w + (FShowShadow ? -1 : 1) - beside, y = strip.Bottom - h - 2; break;
        case toBottom: x = strip.Right - w - 1 - beside, y = strip.Top + 2; break;
        case toLeft: x = strip.Right - w - 2, y = strip.Top + 1 + beside; break;
        case toRight: x = strip.Left + 2, y = strip.Bottom - h - 1 - beside; break;
    }
    if (FTabSequence == tsReverse && !vertical) x = strip.Left + 1 + beside;
    FScroller->SetBounds(x, y, w, h);
}

TVtTabScroller::TVtTabScroller(TComponent* owner, TVtCustomTabControl* tabControl)
    : TCustomControl(owner), FTabControl(tabControl) {
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csNoDesignVisible};
    FParentColor = true;
}

TRect TVtTabScroller::HalfRect(bool upRight) const {
    const int w = Width(), h = Height();
    if (FOrientation == orHorizontal) return upRight ? Rect(w - w / 2 - 1, 0, w, h) : Rect(0, 0, w / 2 + 1, h);
    return upRight ? Rect(0, 0, w, h / 2 + 1) : Rect(0, h - h / 2 - 1, w, h);
}

bool TVtTabScroller::InUpRightHalf(int x, int y) const {
    return FOrientation == orHorizontal ? x >= Width() / 2 : y <= Height() / 2;
}

void TVtTabScroller::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(FTabControl->Color());
    canvas->FillRect(ClientRect());
    const bool toStartIsDownLeft = DownLeftScrollsToStart(FTabControl->TabOrientation(), FTabControl->TabSequence());
    const int n = FTabControl->Tabs().Count();
    int last = n - 1;
    while (last > 0 && !FTabControl->Tabs()[last]->Visible) --last;
    const bool canStart = FTabControl->FirstVisibleTab() > 0;
    const bool canEnd = n > 0 && !FTabControl->TabFullyInView(last);
    for (bool upRight : {false, true}) {
        const TRect half = HalfRect(upRight);
        const bool towardsStart = upRight != toStartIsDownLeft;
        const int direction = FOrientation == orHorizontal ? (upRight ? 3 : 2) : (upRight ? 0 : 1);
        const bool pressed = FShownPressed && FPressedUpRight == upRight;
        PaintArrowGlyph(canvas, half, false, direction, pressed, towardsStart ? canStart : canEnd);
        canvas->Brush()->SetColor(FFrameColor);
        canvas->FrameRect(half);
    }
}

void TVtTabScroller::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FCaptured = true;
    FPressedUpRight = InUpRightHalf(x, y);
    FShownPressed = true;
    Invalidate();
}

void TVtTabScroller::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!FCaptured) return;
    const bool inside = HalfRect(FPressedUpRight).Contains({x, y});
    if (inside != FShownPressed) {
        FShownPressed = inside;
        Invalidate();
    }
}

void TVtTabScroller::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!FCaptured) return;
    FCaptured = false;
    const bool fire = FShownPressed;
    FShownPressed = false;
    Invalidate();
    if (!fire) return;
    if (FPressedUpRight) {
        if (OnUpRightClick) OnUpRightClick(this);
    } else if (OnDownLeftClick) {
        OnDownLeftClick(this);
    }
}

TVtTabCloseButton::TVtTabCloseButton(TComponent* owner, TVtCustomTabControl* tabControl)
    : TCustomControl(owner), FTabControl(tabControl) {
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csNoDesignVisible};
}

void TVtTabCloseButton::Paint() {
    // The flat caption-close glyph: a cross on the button face, shifted while pushed and
    // greyed while no tab is selected.
    TCanvas* canvas = Canvas();
    const TRect r = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(r);
    const bool inactive = FTabControl->TabIndex() < 0;
    const int shift = FShownPressed ? 1 : 0;
    const int size = std::max(r.Width() - 8, 2);
    const int x0 = (r.Width() - size) / 2 + shift, y0 = (r.Height() - size) / 2 + shift;
    auto cross = [&](TColor color, int dx) {
        canvas->Pen()->SetColor(color);
        canvas->Pen()->SetStyle(psSolid);
        for (int k = 0; k < 2; ++k) {
            canvas->MoveTo(x0 + k + dx, y0 + dx);
            canvas->LineTo(x0 + size + k - 1 + dx, y0 + size - 1 + dx);
            canvas->MoveTo(x0 + size - 1 - k + dx, y0 + dx);
            canvas->LineTo(x0 - k + dx, y0 + size - 1 + dx);
        }
    };
    if (inactive) {
        cross(clBtnHighlight, 1);
        cross(clBtnShadow, 0);
    } else {
        cross(clBtnText, 0);
    }
    canvas->Brush()->SetColor(FFrameColor);
    canvas->FrameRect(r);
}

void TVtTabCloseButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FCaptured = true;
    FShownPressed = true;
    Invalidate();
}

void TVtTabCloseButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!FCaptured) return;
    const bool inside = ClientRect().Contains({x, y});
    if (inside != FShownPressed) {
        FShownPressed = inside;
        Invalidate();
    }
}

void TVtTabCloseButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (!FCaptured) return;
    FCaptured = false;
    const bool fire = FShownPressed && ClientRect().Contains({x, y});
    FShownPressed = false;
    Invalidate();
    if (fire && OnClose) OnClose(this);
}

// ---------------------------------------------------------------- 5. tab dragging

void TVtCustomTabControl::DrawDragMarker(const TRect& rect) {
    // Two black triangles on clBtnShadow, pointing at the tab's outer edge from both sides;
    // inverted onto the screen so that drawing it again removes it.
    const bool side = SideTabs();
    TBitmap marker(rect.Width(), rect.Height());
    TCanvas* m = marker.Canvas();
    m->Brush()->SetColor(clBtnShadow);
    m->FillRect(Rect(0, 0, rect.Width(), rect.Height()));
    m->Brush()->SetColor(clBlack);
    m->Pen()->SetStyle(psClear);
    const int w = rect.Width(), h = rect.Height();
    if (!side) {
        m->Polygon(std::vector<TPoint>{{0, 0}, {w, 0}, {w / 2, h / 2}});
        m->Polygon(std::vector<TPoint>{{0, h}, {w, h}, {w / 2, h / 2}});
    } else {
        m->Polygon(std::vector<TPoint>{{0, 0}, {0, h}, {w / 2, h / 2}});
        m->Polygon(std::vector<TPoint>{{w, 0}, {w, h}, {w / 2, h / 2}});
    }
    TDeviceContext dc = GetDC(this);
    if (!dc.Valid()) return;
    TCanvas screen;
    BindCanvas(&screen, dc);
    screen.SetCopyMode(cmSrcInvert);
    screen.Draw(rect.Left, rect.Top, &marker);
    ReleaseDC(this, dc);
}

void TVtCustomTabControl::HideDragMarker() {
    if (FDragMarkerShown) DrawDragMarker(FDragMarker);
    FDragMarkerShown = false;
    FDragTarget = -1;
}

void TVtCustomTabControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    if (!FAllowTabDragging || source != this) {
        TCustomControl::DragOver(source, x, y, state, accept);
        return;
    }
    const int target = state == dsDragLeave ? -1 : TabAtPos({x, y});
    accept = target >= 0 && target != FTabIndex;
    if (!accept) {
        HideDragMarker();
        return;
    }
    if (target == FDragTarget && FDragMarkerShown) return;
    HideDragMarker();
    // Where the selected tab would land: the target's start edge when the target comes
    // before it, its end edge otherwise; on slanted sides half the row depth inwards.
    const TRect& r = FTabs[target]->StripRect;
    const int d = FFixedDimension;
    int along = 0;
    if (target < FTabIndex) along = r.Left + (FTabStyle == tsDoubleSlant ? d / 2 : 0);
    else along = r.Right - (FTabStyle == tsSingleSlant || FTabStyle == tsDoubleSlant ? d / 2 : 0);
    along += FTabs[target]->Row * FRowIndent;
    const TPoint edge = StripToClient({along, r.Top});
    FDragMarker = SideTabs() ? Rect(edge.X - 4, edge.Y - 7, edge.X + 4, edge.Y + 8)
                             : Rect(edge.X - 7, edge.Y - 4, edge.X + 8, edge.Y + 4);
    DrawDragMarker(FDragMarker);
    FDragMarkerShown = true;
    FDragTarget = target;
}

void TVtCustomTabControl::DragDrop(TObject* source, int x, int y) {
    if (!FAllowTabDragging || source != this) {
        TCustomControl::DragDrop(source, x, y);
        return;
    }
    HideDragMarker();
    const int target = TabAtPos({x, y});
    if (target >= 0 && target != FTabIndex) MoveActiveTab(target);
}

void TVtCustomTabControl::DoEndDrag(TObject* target, int x, int y) {
    HideDragMarker();
    TCustomControl::DoEndDrag(target, x, y);
}

// ---------------------------------------------------------------- 6. assistive tools

TAccessibleRole TVtCustomTabControl::AccessibleRole(int part) const {
    if (part < 0) return arPageTabList;
    return part < FTabs.Count() && FTabs[part]->Visible ? arPageTab : arNone;
}

void TVtCustomTabControl::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TCustomControl::GetAccessibleInfo(part, info);
    if (part < 0 || part >= FTabs.Count()) return;
    const TVtTabData& tab = *FTabs[part];
    for (const std::string& line : SplitCaptionLines(tab.Caption)) {
        if (!info.Name.empty()) info.Name += ' ';
        info.Name += StripAccelerator(line);
    }
    info.States.Include(asSelectable);
    if (part == FTabIndex) info.States.Include(asSelected);
    if (!tab.Enabled) info.States.Include(asDisabled);
    if (FTabStop) info.States.Include(asFocusable);
    if (part == FTabIndex && Focused()) info.States.Include(asFocused);
    info.Actions.push_back(aaSelect);
    // Where painting last laid the tabs out: describing never lays out, since a tool may
    // ask in the middle of a change.
    const TPoint o = ClientOrigin();
    info.Bounds = TabFullyInView(part) ? OffsetRect(TabBoundsRect(part), o.X, o.Y) : TRect{};
}

void TVtCustomTabControl::GetAccessibleChildren(int part, std::vector<TAccessibleId>& children) {
    if (part >= 0) return;
    for (int i = 0; i < FTabs.Count(); ++i)
        if (FTabs[i]->Visible) children.push_back(AccessibleIdOf(this, i));
}

bool TVtCustomTabControl::DoAccessibleAction(int part, TAccessibleAction action) {
    if (part < 0) return TCustomControl::DoAccessibleAction(part, action);
    // As a click on the tab: it is chosen, and the focus stays where it is.
    if (action != aaSelect || !Enabled() || !Selectable(part, false)) return false;
    SetTabIndex(part);
    if (FTabIndex == part) TabClicked();
    return true;
}
