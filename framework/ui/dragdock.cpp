// Drag and drop, docking. Sections:
//   1. the drag session: one drag at a time, waiting for its threshold or started
//   2. finding targets: the control under the pointer, or the dock site that wants it
//   3. running a drag: start, move, drop or cancel; the form's input hooks
//   4. TControl: the source's side, the target's CM_DRAG, ManualDock / ManualFloat
//   5. TWinControl: the dock site's side
//   6. lifetime: forgetting controls that are destroyed
//
// Order of one drop on an accepting target: the target's DragDrop, then the source's
// DoEndDrag(target). A docking drop: the old site's unDock query (a refusal cancels) and
// CM_UNDOCKCLIENT, the new site's CM_DOCKCLIENT (the control moves; the old site's
// DoRemoveDockClient), the new site's OnDockDrop, the source's DoEndDock(site).
// A cancel (Escape, release where nothing accepts, EndDrag(false)): the target hears
// dsDragLeave, the source DoEndDrag(nullptr).
#include <algorithm>
#include <cstdlib>

#include "framework/ui/control_tree_internal.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

// Reaches the private dock bookkeeping of TControl and TWinControl.
struct TDockMachinery {
    static TWinControl*& Host(TControl* c) { return c->FHostDockSite; }
    static std::vector<TControl*>& Clients(TWinControl* w) { return w->FDockClients; }
    static void Forget(TControl* client);
    static void MoveInto(TControl* client, TWinControl* site, const TRect& rect);
    static bool Undock(TControl* client, TWinControl* newTarget);
    static void ReturnHome(TControl* client);
    static TWinControl*& UndockParent(TControl* c) { return c->FUndockParent; }
    static TRect& UndockBounds(TControl* c) { return c->FUndockBounds; }
    static TAlign& UndockAlign(TControl* c) { return c->FUndockAlign; }
    static void StartDrag(TControl* c, TDragObject*& o) { c->DoStartDrag(o); }
    static void StartDock(TControl* c, TDragDockObject*& o) { c->DoStartDock(o); }
    static void EndDrag(TControl* c, TObject* t, int x, int y) { c->DoEndDrag(t, x, y); }
    static void EndDock(TControl* c, TObject* t, int x, int y) { c->DoEndDock(t, x, y); }
    static void SiteInfo(TWinControl* s, TControl* c, TRect& r, TPoint p, bool& can) { s->GetSiteInfo(c, r, p, can); }
    static bool AskUnDock(TWinControl* s, TWinControl* t, TControl* c) { return s->DoUnDock(t, c); }
    static void Removed(TWinControl* s, TControl* c) { s->DoRemoveDockClient(c); }
    static void Added(TWinControl* s, TControl* c, const TRect& r) { s->DoAddDockClient(c, r); }
    static void Dropped(TWinControl* s, TDragDockObject* o, int x, int y) { s->DockDrop(o, x, y); }
};

// ---------------------------------------------------------------- 1. the drag session

namespace {

struct DragSession {
    TControl* Source = nullptr;
    bool Started = false;
    bool Docking = false;
    TPoint StartPos;
    int Threshold = DefaultDragThreshold;
    TCustomForm* Form = nullptr;
    TDragObject* Object = nullptr;
    bool OwnsObject = false;
    TControl* Target = nullptr;
    bool Accepted = false;
};

DragSession gDrag;
TPoint gLastMousePos;  // the pointer of the last mouse event the forms routed
std::vector<TWinControl*> gDockSites;
std::vector<TControl*> gDockedClients;

TRect WindowRectInForm(const TControl* c) {
    if (auto* w = dynamic_cast<const TWinControl*>(c)) {
        const TRect ci = w->ClientInWindow();
        const TPoint co = w->ClientOrigin();
        return Bounds(co.X - ci.Left, co.Y - ci.Top, w->Width(), w->Height());
    }
    const TPoint o = c->ClientOrigin();
    return Bounds(o.X, o.Y, c->Width(), c->Height());
}

TRect ClientRectInForm(const TWinControl* w) {
    const TPoint co = w->ClientOrigin();
    const TRect cr = w->ClientRect();
    return Bounds(co.X, co.Y, cr.Width(), cr.Height());
}

int Depth(const TControl* c) {
    int d = 0;
    for (; c; c = c->Parent()) ++d;
    return d;
}

TObject* SourceSeenByTargets(TDragObject* o) {
    if (auto* c = dynamic_cast<TDragControlObject*>(o)) return c->Control();
    return o;
}

// ---------------------------------------------------------------- 2. finding targets

TControl* FindDragTarget(TCustomForm* form, TPoint pos) {
    if (!form || !form->Showing()) return nullptr;
    if (!form->ClientRect().Contains(pos)) return nullptr;
    TControl* c = form->ControlAtPoint(pos, false);
    // Disabled controls take no input, dragged things included.
    return c && c->Enabled() ? c : nullptr;
}

// The dock site that wants the client at pos: of the candidates (influence rectangle holds
// the pointer, CanDock stays true) the first one up the parents of the control under the
// pointer, so that the topmost site wins; else the innermost one whose influence reaches
// out to the pointer.
TWinControl* FindDockSite(TCustomForm* form, TControl* client, TPoint pos) {
    std::vector<TWinControl*> candidates;
    for (TWinControl* site : std::vector<TWinControl*>(gDockSites)) {
        if (GetParentForm(site) != form || !site->Showing() || !site->Enabled()) continue;
        if (site == client) continue;
        if (auto* w = dynamic_cast<TWinControl*>(client); w && w->ContainsControl(site)) continue;
        TRect influence = WindowRectInForm(site);
        bool canDock = true;
        TDockMachinery::SiteInfo(site, client, influence, pos, canDock);
        if (canDock && influence.Contains(pos)) candidates.push_back(site);
    }
    if (candidates.empty()) return nullptr;
    if (form->ClientRect().Contains(pos))
        for (TControl* c = form->ControlAtPoint(pos, true); c; c = c->Parent())
            if (auto it = std::find(candidates.begin(), candidates.end(), c); it != candidates.end()) return *it;
    TWinControl* best = nullptr;
    for (TWinControl* site : candidates)
        if (!best || Depth(site) > Depth(best)) best = site;
    return best;
}

// ---------------------------------------------------------------- 3. running a drag

bool SendDrag(TControl* target, TDragMessage msg, TPoint pos) {
    TDragRec rec{pos, gDrag.Object, target, gDrag.Docking};
    return target->Perform(CM_DRAG, msg, PtrToLParam(&rec)) != 0;
}

void ShowDragCursor(TPoint pos) {
    if (!gDrag.Form || !gDrag.Object) return;
    TPoint p = pos;
    if (gDrag.Target) p = gDrag.Target->ScreenToClient(pos);
    gDrag.Form->SetPointerCursor(gDrag.Object->GetDragCursor(gDrag.Accepted, p.X, p.Y));
}

void DragTo(TPoint pos) {
    if (!gDrag.Started) return;
    gDrag.Object->DragPos = pos;
    TControl* now = gDrag.Docking ? FindDockSite(gDrag.Form, gDrag.Source, pos) : FindDragTarget(gDrag.Form, pos);
    if (!gDrag.Started) return;  // a site-info handler ended it
    if (now != gDrag.Target) {
        TControl* old = gDrag.Target;
        gDrag.Target = nullptr;
        gDrag.Accepted = false;
        if (old) SendDrag(old, dmDragLeave, pos);
        if (!gDrag.Started) return;
        gDrag.Target = now;
        gDrag.Object->DragTarget = now;
        if (now) gDrag.Accepted = SendDrag(now, dmDragEnter, pos);
    } else if (now) {
        gDrag.Accepted = SendDrag(now, dmDragMove, pos);
    }
    if (gDrag.Started) ShowDragCursor(pos);
}

void StartDrag() {
    TControl* source = gDrag.Source;
    gDrag.Started = true;
    gDrag.Docking = source->DragKind() == dkDock;
    gDrag.Form = GetParentForm(source);
    TDragObject* object = nullptr;
    if (gDrag.Docking) {
        TDragDockObject* dock = nullptr;
        TDockMachinery::StartDock(source, dock);
        object = dock;
    } else {
        TDockMachinery::StartDrag(source, object);
    }
    if (gDrag.Source != source) return;  // the start handler ended it
    gDrag.OwnsObject = object == nullptr;
    if (!object) object = gDrag.Docking ? new TDragDockObject(source) : new TDragControlObject(source);
    gDrag.Object = object;
    if (gDrag.Docking) static_cast<TDragDockObject*>(object)->DockRect = WindowRectInForm(source);
    // The press that led here is no click any more, for the source and for the control
    // that took it (a page control starting the drag of a docked control from its tab).
    for (TControl* c : {source, GetCaptureControl()}) {
        if (!c) continue;
        TControlState state = c->ControlState();
        state.Exclude(csClicked);
        c->SetControlState(state);
    }
    // The drag holds the mouse until it ends.
    SetCaptureControl(source);
    DragTo(gLastMousePos);
}

void ClearSession() {
    TControl* source = gDrag.Source;
    gDrag = DragSession{};
    if (source && GetCaptureControl() == source) SetCaptureControl(nullptr);
}

void FinishDrag(bool drop) {
    if (!gDrag.Source) return;
    if (!gDrag.Started) {
        gDrag = DragSession{};
        return;
    }
    DragSession s = gDrag;
    gDrag.OwnsObject = false;  // from here the object is this call's
    const TPoint pos = s.Object->DragPos;
    TControl* target = s.Target;
    bool dropHere = drop && target && s.Accepted;
    // Docking: the old site may refuse to let the control go.
    auto* site = dynamic_cast<TWinControl*>(target);
    if (dropHere && s.Docking && site && !TDockMachinery::Undock(s.Source, site)) dropHere = false;
    TPoint at;
    if (dropHere) {
        at = target->ScreenToClient(pos);
        s.Object->Dropped = true;
        SendDrag(target, dmDragDrop, pos);
    } else {
        if (target) SendDrag(target, dmDragLeave, pos);
        target = nullptr;
    }
    // The target or the source may have gone in the handlers.
    if (gDrag.Source != s.Source) {
        if (s.OwnsObject) delete s.Object;
        return;
    }
    if (target && gDrag.Target != target) {
        target = nullptr;
        at = {};
    }
    TCustomForm* form = gDrag.Form;
    ClearSession();
    if (form) form->UpdatePointerCursor(pos);
    if (s.Docking) TDockMachinery::EndDock(s.Source, target, at.X, at.Y);
    else TDockMachinery::EndDrag(s.Source, target, at.X, at.Y);
    if (s.OwnsObject) delete s.Object;
}

}  // namespace

bool DragMouseInput(TCustomForm* form, unsigned msg, TPoint pos, TShiftState shift) {
    gLastMousePos = pos;
    if (!gDrag.Source) return false;
    if (!gDrag.Started) {
        // Waiting for the threshold: the mouse behaves normally meanwhile.
        if (msg == WM_LBUTTONUP || !shift.Contains(ssLeft)) {
            gDrag = DragSession{};
            return false;
        }
        if (msg != WM_MOUSEMOVE) return false;
        if (std::abs(pos.X - gDrag.StartPos.X) < gDrag.Threshold &&
            std::abs(pos.Y - gDrag.StartPos.Y) < gDrag.Threshold)
            return false;
        StartDrag();
        return true;
    }
    if (form != gDrag.Form) return true;
    if (msg == WM_MOUSEMOVE) {
        if (!(pos == gDrag.Object->DragPos)) DragTo(pos);
    } else if (msg == WM_LBUTTONUP) {
        if (!(pos == gDrag.Object->DragPos)) DragTo(pos);
        FinishDrag(true);
    }
    return true;
}

bool DragKeyDown(Word key) {
    if (!gDrag.Source || !gDrag.Started || key != VK_ESCAPE) return false;
    FinishDrag(false);
    return true;
}

void CancelDrag() {
    if (gDrag.Source) FinishDrag(false);
}

TControl* DragSource() { return gDrag.Source; }

// Capture taken away from the source ends its drag.
void DragCaptureChanged(TControl* now) {
    if (gDrag.Source && gDrag.Started && now != gDrag.Source) FinishDrag(false);
}

// ---------------------------------------------------------------- 4. TControl

TCursor TDragObject::GetDragCursor(bool accepted, int, int) { return accepted ? crDrag : crNoDrop; }

TCursor TDragControlObject::GetDragCursor(bool accepted, int, int) {
    return accepted ? FControl->DragCursor() : crNoDrop;
}

void TControl::BeginDrag(bool immediate, int threshold) {
    if (gDrag.Source) return;
    gDrag = DragSession{};
    gDrag.Source = this;
    gDrag.StartPos = gLastMousePos;
    gDrag.Threshold = threshold < 0 ? DefaultDragThreshold : threshold;
    if (immediate) StartDrag();
}

void TControl::EndDrag(bool drop) {
    if (gDrag.Source == this) FinishDrag(drop);
}

bool TControl::Dragging() const { return gDrag.Source == this; }

void TControl::DoStartDrag(TDragObject*& dragObject) {
    if (OnStartDrag) OnStartDrag(this, dragObject);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
    if (OnEndDrag) OnEndDrag(this, target, x, y);
}

void TControl::DoStartDock(TDragDockObject*& dragObject) {
    if (OnStartDock) OnStartDock(this, dragObject);
}

void TControl::DoEndDock(TObject* target, int x, int y) {
    if (OnEndDock) OnEndDock(this, target, x, y);
}

void TControl::CMDrag(TCMDrag& m) {
    if (!m.DragRec) return;
    const TPoint p = ScreenToClient(m.DragRec->Pos);
    TObject* source = SourceSeenByTargets(m.DragRec->Source);
    if (m.DragMessage == dmDragDrop) {
        DragDrop(source, p.X, p.Y);
        return;
    }
    bool accept = false;
    DragOver(source, p.X, p.Y, static_cast<TDragState>(m.DragMessage), accept);
    m.Result = accept ? 1 : 0;
}

void TControl::SendDockNotification(unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (!FHostDockSite) return;
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    TDockNotifyRec rec{msg, wParam, lParam, 0};
    FHostDockSite->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), PtrToLParam(&rec));
}

bool TControl::ManualDock(TWinControl* newDockSite, TControl* dropControl, TAlign controlSide) {
    if (!newDockSite) return ManualFloat();
    if (newDockSite == this) return false;
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->ContainsControl(newDockSite)) return false;
    if (!TDockMachinery::Undock(this, newDockSite)) return false;
    TDragDockObject object(this);
    object.DockRect = ClientRectInForm(newDockSite);
    object.DropOnControl = dropControl;
    object.DropAlign = controlSide;
    object.DragTarget = newDockSite;
    object.DragPos = newDockSite->ClientOrigin();
    object.Dropped = true;
    TDockMachinery::Dropped(newDockSite, &object, 0, 0);
    return FHostDockSite == newDockSite;
}

bool TControl::ManualFloat() {
    if (!FHostDockSite) return false;
    if (!TDockMachinery::Undock(this, nullptr)) return false;
    TDockMachinery::ReturnHome(this);
    return true;
}

// ---- the bookkeeping behind docking

// The old site's query and CM_UNDOCKCLIENT; true when the control may go (or was not docked).
bool TDockMachinery::Undock(TControl* client, TWinControl* newTarget) {
    TWinControl* host = client->FHostDockSite;
    if (!host) return true;
    if (!host->DoUnDock(newTarget, client)) return false;
    host->Perform(CM_UNDOCKCLIENT, reinterpret_cast<WPARAM>(newTarget), PtrToLParam(client));
    return true;
}

void TDockMachinery::Forget(TControl* client) {
    if (TWinControl* host = client->FHostDockSite) {
        auto& list = host->FDockClients;
        list.erase(std::remove(list.begin(), list.end(), client), list.end());
    }
    client->FHostDockSite = nullptr;
    gDockedClients.erase(std::remove(gDockedClients.begin(), gDockedClients.end(), client), gDockedClients.end());
}

void TDockMachinery::MoveInto(TControl* client, TWinControl* site, const TRect& rect) {
    TWinControl* old = client->FHostDockSite;
    if (!old) {
        client->FUndockParent = client->Parent();
        client->FUndockBounds = client->BoundsRect();
        client->FUndockAlign = client->Align();
    }
    Forget(client);
    client->FHostDockSite = site;
    site->FDockClients.push_back(client);
    gDockedClients.push_back(client);
    site->DoAddDockClient(client, rect);
    if (old) old->DoRemoveDockClient(client);
}

void TDockMachinery::ReturnHome(TControl* client) {
    TWinControl* old = client->FHostDockSite;
    Forget(client);
    TWinControl* home = client->FUndockParent;
    client->FUndockParent = nullptr;
    client->SetParent(home);
    client->SetAlign(client->FUndockAlign);
    client->SetBoundsRect(client->FUndockBounds);
    if (old) old->DoRemoveDockClient(client);
}

// ---------------------------------------------------------------- 5. TWinControl

void TWinControl::SetDockSite(bool v) {
    if (!Change(FDockSite, v)) return;
    if (v) gDockSites.push_back(this);
    else gDockSites.erase(std::remove(gDockSites.begin(), gDockSites.end(), this), gDockSites.end());
}

TControl* TWinControl::DockClients(int index) const {
    if (index < 0 || index >= DockClientCount()) throw EListError(Format("List index out of bounds (%d)", index));
    return FDockClients[index];
}

void TWinControl::GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) {
    if (OnGetSiteInfo) OnGetSiteInfo(this, client, influenceRect, mousePos, canDock);
}

void TWinControl::DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept) {
    source->DockRect = ClientRectInForm(this);
    if (OnDockOver) OnDockOver(this, source, x, y, state, accept);
}

void TWinControl::DockDrop(TDragDockObject* source, int x, int y) {
    Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(source), PointToLParam({x, y}));
    if (OnDockDrop) OnDockDrop(this, source, x, y);
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client) {
    bool allow = true;
    if (OnUnDock) OnUnDock(this, client, newTarget, allow);
    return allow;
}

void TWinControl::DoAddDockClient(TControl* client, const TRect& rect) {
    client->SetParent(this);
    client->SetBoundsRect(rect);
}

void TWinControl::DoRemoveDockClient(TControl*) {}

void TWinControl::CMDrag(TCMDrag& m) {
    if (!m.DragRec || !m.DragRec->Docking) {
        TControl::CMDrag(m);
        return;
    }
    auto* source = static_cast<TDragDockObject*>(m.DragRec->Source);
    const TPoint p = ScreenToClient(m.DragRec->Pos);
    if (m.DragMessage == dmDragDrop) {
        DockDrop(source, p.X, p.Y);
        return;
    }
    bool accept = true;
    DockOver(source, p.X, p.Y, static_cast<TDragState>(m.DragMessage), accept);
    m.Result = accept ? 1 : 0;
}

void TWinControl::CMDockClient(TCMDockClient& m) {
    if (!m.DockSource || !m.DockSource->Control()) return;
    const TPoint o = ClientOrigin();
    TDockMachinery::MoveInto(m.DockSource->Control(), this, OffsetRect(m.DockSource->DockRect, -o.X, -o.Y));
    m.Result = 1;
}

void TWinControl::CMUnDockClient(TCMUnDockClient&) {}
void TWinControl::CMDockNotification(TCMDockNotification&) {}

// ---------------------------------------------------------------- 6. lifetime

// From ~TControl: the drag and the dock lists forget the control.
void DragDockControlDestroyed(TControl* control) {
    if (gDrag.Source == control) {
        if (gDrag.OwnsObject) delete gDrag.Object;
        gDrag = DragSession{};
    } else if (gDrag.Target == control) {
        gDrag.Target = nullptr;
        gDrag.Accepted = false;
        if (gDrag.Object) gDrag.Object->DragTarget = nullptr;
    }
    TDockMachinery::Forget(control);
}

// From ~TWinControl, before its children go: a dock site's clients are docked nowhere
// any more, and a docked control whose home this was has none.
void DockSiteDestroyed(TWinControl* site) {
    gDockSites.erase(std::remove(gDockSites.begin(), gDockSites.end(), site), gDockSites.end());
    for (TControl* c : std::vector<TControl*>(TDockMachinery::Clients(site))) TDockMachinery::Forget(c);
    for (TControl* c : gDockedClients)
        if (TDockMachinery::UndockParent(c) == site) TDockMachinery::UndockParent(c) = nullptr;
}
