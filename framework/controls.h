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
// Sections: vocabulary · TControlCanvas · TControl · TGraphicControl · TWinControl ·
//           TCustomControl · services (capture, posting, device contexts, state queries)
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/classes.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/messages.h"
#include "framework/platform/input.h"

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
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
    csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
    csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = Set<TControlStyleFlag>;

enum TControlStateFlag {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
    csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = Set<TControlStateFlag>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// What a windowed control's platform window is made from (CreateParams).
struct TCreateParams {
    uint32_t Style = 0;             // WS_ flags: WS_BORDER, WS_CLIPCHILDREN, scroll bars
    uint32_t ExStyle = 0;           // WS_EX_CLIENTEDGE
    uint32_t WindowClassStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
};

// ---------------------------------------------------------------- TControlCanvas

// A control's own canvas. While the control paints it is bound to the control's area of
// the target surface; outside painting, asking the control for it binds it to the
// control's area of the form's back buffer (drawing "on the screen").
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    TControl* Control() const { return FControl; }

private:
    TControl* FControl;
};

// ---------------------------------------------------------------- TControl

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

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
    virtual void SetEnabled(bool v);
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
    void SetCursor(TCursor c);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& h) { FHint = h; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign a);
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
    void Loaded() override;
    // Asks the parent to align its children again (this one is aligned or anchored).
    virtual void RequestAlign();
    // The bounds changed (no message): the fields are already set.
    void UpdateBoundsFields(int left, int top, int width, int height);

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
    virtual void CMCursorChanged(TMessage& message);
    virtual void CMHitTest(TCMHitTest& message);
    virtual void CMDialogKey(TCMDialogKey& message);
    virtual void CMDialogChar(TCMDialogChar& message);
    virtual void CMFocusChanged(TCMFocusChanged& message);
    virtual void WMMouseDown(TWMMouse& message);  // every button, double clicks too
    virtual void WMMouseMove(TWMMouse& message);
    virtual void WMMouseUp(TWMMouse& message);
    virtual void WMMouseWheel(TWMMouseWheel& message);
    virtual void WMWindowPosChanged(TWMWindowPosChanged& message);
    virtual void WMSize(TWMSize& message);
    // Windowless: paints on message.Canvas.
    virtual void WMPaint(TWMPaint& message);

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
    void FontChanged();
    bool FFontChanging = false;
};

// ---------------------------------------------------------------- TGraphicControl

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    // Bound to the control's bounds on its parent's surface.
    TCanvas* Canvas();
    // Forgets where the canvas drew (the control moved); the next Canvas() binds afresh.
    void UnbindCanvas() { FCanvas->Unbind(); }
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
    void SetTabStop(bool v);
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

    void SetParent(TWinControl* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    static void RegisterClassInfo();

protected:
    void Dispatch(TMessage& message) override;
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
    void CMColorChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMSysColorChange(TMessage& message) override;
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

    std::vector<TControl*> FControls;      // windowless, back to front
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
};

// ---------------------------------------------------------------- TCustomControl

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    // While painting: bound to the part being painted. Otherwise: the client area of the
    // back buffer, for drawing at once.
    TCanvas* Canvas();
    void UnbindCanvas() { FCanvas->Unbind(); }
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

// The platform's visual styles (themes) are never active here: every control draws its
// classic look.
inline bool VisualStylesActive() { return false; }

// True when the character is the accelerator of caption ("&x"), ignoring case.
bool IsAccel(char ch, const std::string& caption);

// The framework's class tables (TControl … TCustomControl); run once, from the first
// control's constructor too.
void RegisterControlClasses();
const TEnumInfo& AlignInfo();
const TEnumInfo& AlignmentInfo();
const TEnumInfo& AnchorsInfo();
