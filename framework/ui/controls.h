// The control tree: TControl (bounds, parent, visibility, colour and font that can follow
// the parent, text, input), TGraphicControl (windowless: paints on its parent's surface),
// TWinControl (windowed: children, focus, tab order, a non-client area and a "handle" that
// can be recreated) and TCustomControl (its own canvas and Paint).
//
// Every control has one dispatch: WndProc → Dispatch by message id → one protected virtual
// per notification (names as the message: CMEnabledChanged for CM_ENABLEDCHANGED). Input
// for a disabled control is dropped in WndProc, nowhere else.
//
// Windows here are virtual: the one platform window is the form's; a windowed control is a
// rectangle of the form's back buffer with a client area inside its non-client border.
// Painting is scheduled by the form (forms.h): Invalidate collects, the loop paints back to
// front when the queue is empty, Repaint / Update paint at once.
//
// Drag and drop, docking: a control starts a drag with BeginDrag (or on a left press with
// dmAutomatic); while it lasts the form hands the mouse to the drag (capture held), the
// control under the pointer hears CM_DRAG → DragOver / DragDrop, a dkDock drag talks to
// dock sites instead (GetSiteInfo, DockOver, DockDrop). One drag at a time; the machinery
// lives in dragdock.cpp.
//
// Assistive tools: every control describes itself through the accessibility virtuals below
// (accessibility.h builds the form's tree from them).
//
// Sections: vocabulary · drag objects · TControlCanvas · TControl · TGraphicControl ·
//           TWinControl · TCustomControl · services (capture, posting, device contexts,
//           state queries, drag routing)
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/platform/accessible.h"
#include "framework/platform/input.h"
#include "framework/ui/messages.h"

class TControl;
class TWinControl;
class TCustomForm;
struct TEnumInfo;

// ---------------------------------------------------------------- vocabulary

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
using TLeftRight = TAlignment;
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = Set<TAnchorKind>;

enum TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = Set<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = Set<TControlStateFlag>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// A drag that has not started waits until the pointer moved this far with the left
// button held.
constexpr int DefaultDragThreshold = 5;

class TDragObject;
class TDragDockObject;
// Source is the dragged control (for the framework's own drag objects) or the drag object
// a start-drag handler supplied; Target of an end-drag is nullptr when nothing was dropped.
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TDockOverEvent =
    std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDockDropEvent = std::function<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TUnDockEvent = std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;
// InfluenceRect (form client coordinates) enters as the site's bounds; the site is a
// candidate when it contains MousePos and CanDock stays true.
using TGetSiteInfoEvent =
    std::function<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;

// What a windowed control's platform window is made from (CreateParams).
struct TCreateParams {
    uint32_t Style = 0;    // WS_ flags: WS_BORDER, WS_CLIPCHILDREN, scroll bars
    uint32_t ExStyle = 0;  // WS_EX_CLIENTEDGE
    uint32_t WindowClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
};

// ---------------------------------------------------------------- drag objects

// What is being dragged, for the time of one drag. Points are in the form's client
// coordinates.
class TDragObject : public TObject {
public:
    TPoint DragPos;                  // the pointer now
    TControl* DragTarget = nullptr;  // the control (or dock site) last asked
    bool Dropped = false;            // set before the target's drop
    // The pointer's shape over the current target.
    virtual TCursor GetDragCursor(bool accepted, int x, int y);
};

// The framework's drag object for a control: the control itself is the Source the
// targets see, and its DragCursor is shown while a target accepts.
class TDragControlObject : public TDragObject {
public:
    explicit TDragControlObject(TControl* control) : FControl(control) {}
    TControl* Control() const { return FControl; }
    TCursor GetDragCursor(bool accepted, int x, int y) override;

private:
    TControl* FControl;
};

// A docking drag. DockRect (form client coordinates) is where the control would land; a
// site's DockOver sets it (the default: the site's client area).
class TDragDockObject : public TDragControlObject {
public:
    explicit TDragDockObject(TControl* control) : TDragControlObject(control) {}
    TRect DockRect;
    TAlign DropAlign = alNone;
    TControl* DropOnControl = nullptr;
};

// ---------------------------------------------------------------- TControlCanvas

// A control's own canvas. While the control paints it is bound to the control's area of
// the target surface; outside painting, asking the control for it binds it to the
// control's area of the form's back buffer (drawing "on the screen").
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    TControl* Control() const { return FControl; }
    // Whether the canvas needs a binding to the screen: it has none, or the one it has is a
    // screen binding made by an earlier request. Those are made afresh on every request, so
    // that the control's current place is used and every such drawing reaches the screen.
    bool NeedsScreenBinding() const { return !Bound() || BindingSerial() == FScreenBinding; }
    void NoteScreenBinding() { FScreenBinding = BindingSerial(); }

private:
    TControl* FControl;
    unsigned FScreenBinding = ~0u;
};

// ---------------------------------------------------------------- TControl

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    // Forgets where the control's canvas drew (it moved); controls without one have nothing
    // to forget.
    virtual void UnbindCanvas() {}
    // The control as a windowed control, or as a form; null when it is not one. The tree
    // asks on every insert, move and focus question, and a cast would compare class names
    // level by level up the control's classes.
    virtual TWinControl* AsWinControl() const { return nullptr; }
    virtual TCustomForm* AsCustomForm() const { return nullptr; }

    // ---- geometry (pixels, relative to the parent's client area)
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    // Sends WM_WINDOWPOSCHANGED; the framework's handling stores the bounds, repaints what
    // was uncovered and sends WM_SIZE when the size changed.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The client rectangle, (0, 0, width, height) of the client area.
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int v);
    virtual void SetClientHeight(int v);
    // Client (0, 0) in the coordinates of the top-level form's client area ("screen").
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The point-in-control test: inside (0, 0, Width, Height).
    bool PtInControl(TPoint clientPoint) const;

    // ---- tree
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    // Streaming: the container is the parent control.
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    // ---- state
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    // Asks the parents to show this control (a page control activates the page), then
    // makes it visible.
    void Show();
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a shown form.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v) {
        if (Change(FEnabled, v)) Perform(CM_ENABLEDCHANGED);
    }
    TColor Color() const { return FColor; }
    virtual void SetColor(TColor c);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* f) { FFont->Assign(*f); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);
    // Caption and Text are one value; edit controls keep it in their own buffer.
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& s) { SetText(s); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& s);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor c) {
        if (Change(FCursor, c)) Perform(CM_CURSORCHANGED);
    }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& h) { FHint = h; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign a) {
        if (Change(FAlign, a)) RequestAlign();
    }
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors a) { FAnchors = a; }
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle s) { FControlStyle = s; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState s) { FControlState = s; }

    // ---- painting
    // Deferred: the area is painted by the event loop, coalesced per form. Windowless
    // controls invalidate their bounds in the parent, erasing unless csOpaque.
    virtual void Invalidate();
    // Paints at once (what is pending for this control, then everything above it there).
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    // Last (drawn over its siblings) or first among the parent's windowed children, or among
    // its windowless ones.
    void BringToFront();
    void SendToBack();

    // ---- messages
    LRESULT Perform(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The one entry: drops input to a disabled control, then dispatches.
    virtual void WndProc(TMessage& message);
    // What runs when no handler took a message (the platform's default behaviour).
    virtual void DefaultHandler(TMessage& message);

    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // ---- drag and drop, docking
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode v) { FDragMode = v; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind v) { FDragKind = v; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor v) { FDragCursor = v; }
    // Immediate: the drag starts now. Otherwise it starts once the pointer has moved by
    // threshold pixels (-1: DefaultDragThreshold) with the left button held; until then
    // the mouse behaves normally. Nothing happens while another drag is on.
    void BeginDrag(bool immediate, int threshold = -1);
    // drop: drop on the current target when it accepts, else cancel.
    void EndDrag(bool drop);
    // This control is the source of the current drag (started or waiting for the threshold).
    bool Dragging() const;
    // The dock site this control is docked in (its parent may be a page of it).
    TWinControl* HostDockSite() const { return FHostDockSite; }
    // Docks into newDockSite (nullptr: ManualFloat); false when the old site refused the
    // undock or the site cannot hold this control.
    bool ManualDock(TWinControl* newDockSite, TControl* dropControl = nullptr, TAlign controlSide = alNone);
    // There are no floating dock forms here: undocking puts the control back where it was
    // before it was first docked (parent, bounds, alignment). False when not docked or the
    // site refused.
    bool ManualFloat();

    // ---- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDockEvent OnStartDock;
    TEndDragEvent OnEndDock;

    // ---- accessibility: what assistive tools are told (accessibility.h)
    // The role of the control (part index -1) or of a part it draws itself (part index 0 …); arNone
    // leaves it, and everything in it, out of the tree.
    virtual TAccessibleRole AccessibleRole(int part) const;
    // Name, states, bounds, text and actions; the tree adds role, parent and children.
    virtual void GetAccessibleInfo(int part, TAccessibleInfo& info);
    // The objects inside, in reading order.
    virtual void GetAccessibleChildren(int part, std::vector<TAccessibleId>& children);
    // The part that holds the keyboard focus while the control has it (-1: the control).
    virtual int AccessibleFocusPart() const { return -1; }
    // Runs an action GetAccessibleInfo offers; the tree queues it, so it runs from the
    // event loop as input does. False when there is no such action now.
    virtual bool DoAccessibleAction(int part, TAccessibleAction action);
    // Selects text from anchor to caret (equal: moves the caret); false without a text.
    virtual bool SetAccessibleSelection(int part, int anchor, int caret);
    // The label that names the control (forgotten when the label goes); without one, a
    // label whose FocusControl is this control names it.
    TControl* AccessibleLabel() const { return FAccessibleLabel; }
    void SetAccessibleLabel(TControl* label);
    // Left out of the tree with everything inside it (decoration).
    bool AccessibleHidden() const { return FAccessibleHidden; }
    void SetAccessibleHidden(bool v);

    // Caption is what a description stores, unless the control stores Text (edits); a
    // form stores ClientWidth / ClientHeight instead of Width / Height.
    bool StoresText() const { return FStoresText; }
    bool StoresClientSize() const { return FStoresClientSize; }

    static void RegisterClassInfo();

protected:
    // Message id → handler.
    virtual void Dispatch(TMessage& message);

    virtual std::string GetText() const { return FText; }
    // Stores the new text; SetText sends CM_TEXTCHANGED afterwards.
    virtual void SetTextValue(const std::string& s) { FText = s; }
    void SetStoresText(bool v) { FStoresText = v; }

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Wheel: the events first (OnMouseWheel, then OnMouseWheelDown / Up); true = handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void Resize();
    // Takes the parent's colour and font when it follows them.
    void ReadingDone() override;
    void Loaded() override;
    // Asks the parent to align its children again (this one is aligned or anchored).
    virtual void RequestAlign();
    // The bounds changed (no message): the fields are already set.
    void UpdateBoundsFields(int left, int top, int width, int height);

    // ---- drag and drop, docking (the source's side; the target's through CMDrag)
    // OnStartDrag; a handler may supply its own drag object (it stays the handler's).
    virtual void DoStartDrag(TDragObject*& dragObject);
    // Accept enters as "OnDragOver is assigned"; then OnDragOver.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    // OnEndDrag: target is where it was dropped (x, y in its client coordinates), or nullptr.
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DoStartDock(TDragDockObject*& dragObject);
    virtual void DoEndDock(TObject* target, int x, int y);
    // Tells the dock site of a notification this docked control received.
    void SendDockNotification(unsigned msg, WPARAM wParam, LPARAM lParam);

    // ---- notifications
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMSysColorChange(TMessage& message);
    virtual void CMWinIniChange(TMessage& message);
    virtual void CMCursorChanged(TMessage& message);
    virtual void CMHitTest(TCMHitTest& message);
    virtual void CMDialogKey(TCMDialogKey& message);
    virtual void CMDialogChar(TCMDialogChar& message);
    virtual void CMFocusChanged(TCMFocusChanged& message);
    // Enter / move / leave → DragOver (Result: accepted), drop → DragDrop.
    virtual void CMDrag(TCMDrag& message);
    virtual void WMMouseDown(TWMMouse& message);  // every button, double clicks too
    virtual void WMMouseMove(TWMMouse& message);
    virtual void WMMouseUp(TWMMouse& message);
    virtual void WMMouseWheel(TWMMouseWheel& message);
    virtual void WMWindowPosChanged(TWMWindowPosChanged& message);
    virtual void WMSize(TWMSize& message);
    // Windowless: paints on message.Canvas.
    virtual void WMPaint(TWMPaint& message);
    void Notification(TComponent* component, TOperation operation) override;

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    bool FParentFont = true;
    std::unique_ptr<TFont> FFont;
    std::string FText;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FStoresText = false;
    bool FStoresClientSize = false;

private:
    friend class TWinControl;
    friend class TCustomForm;
    friend struct TDockMachinery;
    friend TAccessibleId AccessibleIdOf(TControl* control, int part);
    friend void ForgetAccessibleControl(TControl* control);
    void FontChanged();
    // Moves the control to the front or the back of the sibling list it is drawn from;
    // false when it was there already.
    bool MoveAmongSiblings(bool toFront);
    bool FFontChanging = false;
    TDragMode FDragMode = dmManual;
    TDragKind FDragKind = dkDrag;
    TCursor FDragCursor = crDrag;
    TWinControl* FHostDockSite = nullptr;
    // Where the control was before it was first docked; undocking returns it there.
    TWinControl* FUndockParent = nullptr;
    TRect FUndockBounds;
    TAlign FUndockAlign = alNone;
    uint32_t FAccessibleObject = 0;  // 0 until the accessible tree first names the control
    TControl* FAccessibleLabel = nullptr;
    bool FAccessibleHidden = false;
};

// ---------------------------------------------------------------- TGraphicControl

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    // Bound to the control's bounds on its parent's surface.
    TCanvas* Canvas();
    // The next Canvas() binds afresh.
    void UnbindCanvas() override { FCanvas->Unbind(); }
    static void RegisterClassInfo();

protected:
    virtual void Paint() {}
    void WMPaint(TWMPaint& message) override;
    std::unique_ptr<TControlCanvas> FCanvas;

private:
    friend class TWinControl;
};

// ---------------------------------------------------------------- TWinControl

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    TWinControl* AsWinControl() const override { return const_cast<TWinControl*>(this); }

    // ---- children: windowless ones first (z-order), then windowed ones (z-order)
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;
    // Is control this one or inside it?
    bool ContainsControl(const TControl* control) const;
    // The topmost visible control at a client point: windowed children first, then
    // windowless ones that answer CM_HITTEST, else this one. allowDisabled false stops at
    // a disabled windowed child (it swallows the input of its whole area).
    TControl* ControlAtPoint(TPoint clientPoint, bool allowDisabled);
    void Broadcast(TMessage& message);  // to every child until one sets Result
    void NotifyControls(unsigned msg);  // to every child

    // ---- focus and tab order
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) {
        if (Change(FTabStop, v)) Perform(CM_TABSTOPCHANGED);
    }
    // The platform focus is here.
    bool Focused() const;
    // It and every parent up to the form are visible and enabled.
    virtual bool CanFocus() const;
    virtual void SetFocus();
    // Windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    // Focuses the first tab-stop child that can take the focus.
    void SelectFirst();
    // The request to show a child: walks up the parents (a page control activates the page).
    virtual void ShowControl(TControl* control);

    // ---- docking: other controls can be docked into a dock site
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool v);
    // A dock manager lays the clients out (a control that has one honours this).
    bool UseDockManager() const { return FUseDockManager; }
    void SetUseDockManager(bool v) { FUseDockManager = v; }
    int DockClientCount() const { return static_cast<int>(FDockClients.size()); }
    TControl* DockClients(int index) const;

    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool v);

    // ---- the platform window
    bool HandleAllocated() const { return FHandleAllocated; }
    void HandleNeeded();
    // Destroys and creates the window again; text and properties stay.
    void RecreateWnd();
    // Releases the window; it is created again when the control is next shown.
    void DestroyHandle();
    bool Showing() const override;
    const TCreateParams& WindowParams() const;

    // ---- client area and alignment
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    // The client rectangle inside (0, 0, Width, Height), as WM_NCCALCSIZE decided it.
    TRect ClientInWindow() const;
    void SetClientWidth(int v) override;
    void SetClientHeight(int v) override;
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();

    // ---- painting
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    // A client rectangle (nullptr: all of it), painted later; erase asks for WM_ERASEBKGND.
    void InvalidateRect(const TRect* rect, bool erase);
    // RDW_ flags: RDW_FRAME repaints the non-client area too, RDW_UPDATENOW at once.
    void RedrawWindow(const TRect* rect, unsigned flags);
    // Paint + windowless children onto canvas, client (0, 0) at canvas's (0, 0).
    void PaintHandler(TCanvas* canvas);

    // ---- events
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;
    TGetSiteInfoEvent OnGetSiteInfo;

    void SetParent(TWinControl* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    // A panel of its visible children, focusable when it is a tab stop.
    TAccessibleRole AccessibleRole(int part) const override;
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;
    void GetAccessibleChildren(int part, std::vector<TAccessibleId>& children) override;
    bool DoAccessibleAction(int part, TAccessibleAction action) override;
    static void RegisterClassInfo();

protected:
    void Dispatch(TMessage& message) override;
    // Also takes the parent's 3-D look when it follows it.
    void ReadingDone() override;
    void Loaded() override;

    virtual void CreateParams(TCreateParams& params);
    // The window-created notification: overrides call the base first, then act.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    // Children are aligned in the client rectangle after AdjustClientRect had its say.
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void AdjustClientRect(TRect& /*rect*/) {}
    // Paints the control's own content on canvas (TCustomControl: Paint).
    virtual void PaintWindow(TCanvas* canvas);
    // The windowless children, back to front, each clipped to its bounds.
    void PaintControls(TCanvas* canvas);

    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyUp(Word& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();

    // ---- docking (the site's side)
    // Asked while a docking drag looks for a site: influenceRect enters as the site's
    // bounds; canDock enters true. Then OnGetSiteInfo.
    virtual void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock);
    // Sets source->DockRect to the client area, then OnDockOver (accept enters true).
    virtual void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept);
    // Docks the control (CM_DOCKCLIENT), then OnDockDrop.
    virtual void DockDrop(TDragDockObject* source, int x, int y);
    // The unDock query: OnUnDock; false refuses.
    virtual bool DoUnDock(TWinControl* newTarget, TControl* client);
    // Makes client a child here at rect (this control's client coordinates).
    virtual void DoAddDockClient(TControl* client, const TRect& rect);
    // client has left this site (it already has its new parent).
    virtual void DoRemoveDockClient(TControl* client);

    // ---- notifications
    virtual void WMSetFocus(TWMSetFocus& message);
    virtual void WMKillFocus(TWMKillFocus& message);
    void WMPaint(TWMPaint& message) override;
    virtual void WMEraseBkgnd(TWMEraseBkgnd& message);
    virtual void WMNCCalcSize(TWMNCCalcSize& message);
    virtual void WMNCPaint(TWMNCPaint& message);
    virtual void WMGetDlgCode(TMessage& message);
    virtual void WMKeyDown(TWMKey& message);
    virtual void WMKeyUp(TWMKey& message);
    virtual void WMChar(TWMKey& message);
    virtual void WMTimer(TWMTimer& message);
    virtual void CMEnter(TMessage& message);
    virtual void CMExit(TMessage& message);
    virtual void CMShowingChanged(TMessage& message);
    virtual void CMCtl3DChanged(TMessage& message);
    virtual void CMParentCtl3DChanged(TMessage& message);
    void CMDialogKey(TCMDialogKey& message) override;
    void CMDialogChar(TCMDialogChar& message) override;
    void CMFocusChanged(TCMFocusChanged& message) override;
    // Docking drags go to DockOver / DockDrop, the others to the base.
    void CMDrag(TCMDrag& message) override;
    // The default docks DockSource's control here: DoAddDockClient at the dock rectangle.
    virtual void CMDockClient(TCMDockClient& message);
    virtual void CMUnDockClient(TCMUnDockClient& message);
    virtual void CMDockNotification(TCMDockNotification& message);
    void CMColorChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMSysColorChange(TMessage& message) override;
    void CMWinIniChange(TMessage& message) override;
    void WMWindowPosChanged(TWMWindowPosChanged& message) override;
    void WMSize(TWMSize& message) override;

    // Creates or releases windows to match Showing, top-down.
    void UpdateShowing();
    // Non-client size from WM_NCCALCSIZE.
    void UpdateClientInWindow();
    // Draws the border the window styles ask for (the framework's non-client painting).
    void PaintDefaultFrame(TCanvas* canvas);

    bool FTabStop = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FTopLevelShown = false;  // a form: its platform window is shown

private:
    friend class TControl;
    friend class TCustomForm;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void AlignChildren();

    std::vector<TControl*> FControls;        // windowless, back to front
    std::vector<TWinControl*> FWinControls;  // windowed, back to front
    std::vector<TWinControl*> FTabList;
    bool FHandleAllocated = false;
    bool FShowing = false;
    TCreateParams FParams;
    bool FParamsValid = false;
    TRect FClientInWindow;
    bool FClientValid = false;
    int FAlignLevel = 0;
    bool FRealignPending = false;
    bool FAligning = false;
    int FTabOrderRequest = -1;  // TabOrder given while loading, applied by the parent's Loaded
    friend struct TDockMachinery;
    bool FDockSite = false;
    bool FUseDockManager = false;
    std::vector<TControl*> FDockClients;
};

// ---------------------------------------------------------------- TCustomControl

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // While painting: bound to the part being painted. Otherwise: the client area of the
    // back buffer, for drawing at once.
    TCanvas* Canvas();
    void UnbindCanvas() override { FCanvas->Unbind(); }
    static void RegisterClassInfo();

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas* canvas) override;
    std::unique_ptr<TControlCanvas> FCanvas;

private:
    friend class TCustomForm;
};

// ---------------------------------------------------------------- services

// The form that holds control (itself for a form); nullptr when it is on none.
TCustomForm* GetParentForm(const TControl* control);

// Mouse capture: all mouse input goes to this control until released.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
// The control the idle pass last found under the pointer.
TControl* GetMouseControl();

// Shift, Ctrl, Alt and mouse buttons as the last input event had them, together with what
// the platform reports now.
TShiftState GetShiftState();
// The input path records each raw event's shift state here.
void SetLastInputShift(TShiftState shift);
// The pointer in the active form's client coordinates ("screen" coordinates here).
TPoint GetCursorPos();

// Queues a message; the loop delivers it after the events pending now. A posted
// WM_KEYDOWN or WM_CHAR goes through the form's keyboard handling as typed input does.
void PostMessage(TControl* control, unsigned msg, WPARAM wParam, LPARAM lParam);
// Delivers posted messages; true when there were any.
bool DeliverPostedMessages();
bool HasPostedMessages();

// A place a canvas can be bound to: the whole window of a windowed control (non-client
// area included, origin at its outer top-left corner) or its client area.
struct TDeviceContext {
    TBitmap* Surface = nullptr;
    TPoint Origin;  // surface point of the window's (0, 0)
    TRect Clip;     // surface rectangle it may touch
    TCustomForm* Form = nullptr;
    bool Valid() const { return Surface != nullptr; }
};
TDeviceContext GetWindowDC(TWinControl* control);
TDeviceContext GetDC(TWinControl* control);
// Hands the drawn pixels to the screen.
void ReleaseDC(TWinControl* control, const TDeviceContext& dc);
void BindCanvas(TCanvas* canvas, const TDeviceContext& dc);

// Paints control (erase, paint, windowless children) onto canvas with the control's client
// (0, 0) at the canvas's logical point origin. The canvas state is kept.
void PaintControlTo(TWinControl* control, TCanvas* canvas, TPoint origin);
// Binds canvas to draw where target draws, with canvas's logical (0, 0) at target's
// logical point origin, clipped to target's clip and to clip (in canvas's logical terms).
void BindCanvasTo(TCanvas* canvas, TCanvas* target, TPoint origin, const TRect& clip);

// Drag routing for the form's input path (true: the drag took the event), and a cancel
// for when the window loses the input. Points are in the form's client coordinates.
bool DragMouseInput(TCustomForm* form, unsigned msg, TPoint pos, TShiftState shift);
bool DragKeyDown(Word key);
void CancelDrag();
// The control whose drag is on (started or waiting for the threshold), or nullptr.
TControl* DragSource();

// The platform's visual styles (themes) are never active here: every control draws its
// classic look.
inline bool VisualStylesActive() { return false; }

// True when the character is the accelerator of caption ("&x"), ignoring case.
bool IsAccel(char ch, const std::string& caption);

const TEnumInfo& AlignInfo();
const TEnumInfo& AlignmentInfo();
const TEnumInfo& AnchorsInfo();
const TEnumInfo& DragModeInfo();
const TEnumInfo& DragKindInfo();
