// The accessible tree. Sections:
//   1. ids
//   2. announcing, and the hooks in the control tree
//   3. helpers for describing
//   4. the ui layer's own descriptions: control, windowed control, form (the standard
//      controls describe themselves in stdctrls_accessibility.cpp)
//   5. the form's tree
#include "framework/ui/accessibility.h"

#include <algorithm>
#include <unordered_map>

#include "framework/ui/forms.h"

// ---------------------------------------------------------------- 1. ids

namespace {

struct TAccessibleIds {
    std::unordered_map<uint32_t, TControl*> Controls;
    uint32_t Next = 1;
};

// Never freed: a control destroyed during the program's shutdown may still ask.
TAccessibleIds& Ids() {
    static TAccessibleIds* ids = new TAccessibleIds;
    return *ids;
}

}  // namespace

TAccessibleId AccessibleIdOf(TControl* control, int part) {
    if (!control) return {};
    if (control->FAccessibleObject == 0) {
        control->FAccessibleObject = Ids().Next++;
        Ids().Controls[control->FAccessibleObject] = control;
    }
    return {control->FAccessibleObject, part};
}

TControl* AccessibleControlOf(TAccessibleId id) {
    if (!id.Valid()) return nullptr;
    const auto& controls = Ids().Controls;
    const auto it = controls.find(id.Object);
    return it == controls.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- 2. announcing, hooks

bool AccessibilityListening() { return PlatformInstalled() && Platform().AccessibilityActive(); }

void NotifyAccessible(TControl* control, TAccessibleEvent event, int part) {
    if (!control || !AccessibilityListening()) return;
    TCustomForm* form = GetParentForm(control);
    if (!form || !form->WindowId() || form->ComponentState().Contains(csDestroying)) return;
    if (control->ComponentState().Contains(csLoading)) return;
    Platform().AccessibleEvent(form->WindowId(), AccessibleIdOf(control, part), event);
}

void NoteAccessibleNotification(TControl* control, unsigned msg) {
    // Only the message is looked at before a tool is known to listen: a handler may have
    // destroyed the control.
    switch (msg) {
        case CM_TEXTCHANGED:
        case CM_ENABLEDCHANGED:
        case CM_TABSTOPCHANGED:
        case WM_KILLFOCUS:
        case WM_SETFOCUS:
        case CM_VISIBLECHANGED:
        case CM_CONTROLCHANGE:
        case WM_WINDOWPOSCHANGED: break;
        default: return;
    }
    if (!AccessibilityListening()) return;
    switch (msg) {
        case WM_SETFOCUS:
            // Also when the window is activated again: the tool hears where the focus is.
            if (auto* w = dynamic_cast<TWinControl*>(control); w && w->Focused())
                NotifyAccessible(control, aeFocus, control->AccessibleFocusPart());
            break;
        case CM_VISIBLECHANGED:
            NotifyAccessible(control, aeChanged);
            if (control->Parent()) NotifyAccessible(control->Parent(), aeChildrenChanged);
            break;
        case CM_CONTROLCHANGE: NotifyAccessible(control, aeChildrenChanged); break;
        case WM_WINDOWPOSCHANGED: NotifyAccessible(control, aeMoved); break;
        default: NotifyAccessible(control, aeChanged); break;
    }
}

void ForgetAccessibleControl(TControl* control) {
    const uint32_t object = control->FAccessibleObject;
    if (object == 0) return;
    control->FAccessibleObject = 0;
    Ids().Controls.erase(object);
    // Told even when no tool listens now: a driver may still hold what it was told before.
    if (PlatformInstalled()) Platform().AccessibleEvent(0, TAccessibleId{object, -1}, aeGone);
}

// ---------------------------------------------------------------- 3. helpers for describing

namespace {

bool Contains(const std::vector<TAccessibleId>& ids, TAccessibleId id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

TRect AccessibleBoundsOf(const TControl* control) {
    if (!control->Parent()) return control->ClientRect();
    const TPoint o = control->Parent()->ClientOrigin();
    return Bounds(o.X + control->Left(), o.Y + control->Top(), control->Width(), control->Height());
}

TAccessibleRole PresentedRole(const TControl* control, int part) {
    return control->AccessibleHidden() ? arNone : control->AccessibleRole(part);
}

void CollectAccessibleChildren(TWinControl* parent, std::vector<TAccessibleId>& children) {
    std::vector<TControl*> shown;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c->Visible() && PresentedRole(c) != arNone) shown.push_back(c);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const TControl* a, const TControl* b) {
        const int ma = a->Top() + a->Height() / 2, mb = b->Top() + b->Height() / 2;
        return ma != mb ? ma < mb : a->Left() < b->Left();
    });
    for (TControl* c : shown) children.push_back(AccessibleIdOf(c));
}

std::string AccessibleCaption(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

// ---------------------------------------------------------------- 4. the ui layer's descriptions

TAccessibleRole TControl::AccessibleRole(int) const { return arNone; }

void TControl::GetAccessibleInfo(int, TAccessibleInfo& info) {
    info.Bounds = AccessibleBoundsOf(this);
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Enabled()) {
            info.States.Include(asDisabled);
            break;
        }
}

void TControl::GetAccessibleChildren(int, std::vector<TAccessibleId>&) {}

bool TControl::DoAccessibleAction(int, TAccessibleAction) { return false; }

bool TControl::SetAccessibleSelection(int, int, int) { return false; }

void TControl::SetAccessibleLabel(TControl* label) {
    if (FAccessibleLabel == label) return;
    if (FAccessibleLabel) RemoveFreeNotification(FAccessibleLabel);
    FAccessibleLabel = label;
    if (label) FreeNotification(label);
    NotifyAccessible(this, aeChanged);
}

void TControl::SetAccessibleHidden(bool v) {
    if (!Change(FAccessibleHidden, v)) return;
    if (FParent) NotifyAccessible(FParent, aeChildrenChanged);
}

TAccessibleRole TWinControl::AccessibleRole(int part) const { return part < 0 ? arPanel : arNone; }

void TWinControl::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TControl::GetAccessibleInfo(part, info);
    if (part >= 0) return;
    // Offered while it cannot be taken too (the tree refuses it then): a tool learns once
    // which actions an object has.
    if (FTabStop) {
        info.States.Include(asFocusable);
        info.Actions.push_back(aaFocus);
    }
    if (Focused() && AccessibleFocusPart() < 0) info.States.Include(asFocused);
}

void TWinControl::GetAccessibleChildren(int part, std::vector<TAccessibleId>& children) {
    if (part < 0) CollectAccessibleChildren(this, children);
}

bool TWinControl::DoAccessibleAction(int part, TAccessibleAction action) {
    if (part >= 0 || action != aaFocus || !FTabStop || !CanFocus()) return false;
    SetFocus();
    return true;
}

TAccessibleRole TCustomForm::AccessibleRole(int part) const { return part < 0 ? arWindow : arNone; }

void TCustomForm::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TControl::GetAccessibleInfo(part, info);
    info.Name = Caption();
}

// ---------------------------------------------------------------- 5. the form's tree

namespace {

class TFormAccessibleTree : public TAccessibleTree {
public:
    explicit TFormAccessibleTree(TCustomForm* form) : FForm(form) {}

    TAccessibleId Root() override { return AccessibleIdOf(FForm); }

    bool Exists(TAccessibleId id) override {
        TControl* c = Resolve(id);
        return c && (id.Part < 0 || c->AccessibleRole(id.Part) != arNone);
    }

    bool Describe(TAccessibleId id, TAccessibleInfo& info) override {
        if (!Exists(id)) return false;
        TControl* c = Resolve(id);
        info = TAccessibleInfo{};
        info.Role = PresentedRole(c, id.Part);
        c->GetAccessibleInfo(id.Part, info);
        c->GetAccessibleChildren(id.Part, info.Children);
        info.Parent = ParentOf(c, id.Part);
        if (!Presented(c, id.Part)) info.States.Include(asInvisible);
        return true;
    }

    TAccessibleId Focus() override {
        TWinControl* at = FForm->FocusHandle();
        if (!at || at == FForm || !Resolve(AccessibleIdOf(at))) return Root();
        return AccessibleIdOf(at, at->AccessibleFocusPart());
    }

    bool DoAction(TAccessibleId id, TAccessibleAction action) override {
        TAccessibleInfo info;
        if (!Describe(id, info) || !info.Offers(action) || info.Has(asDisabled) || info.Has(asInvisible)) return false;
        PostMessage(Resolve(id), CM_ACCESSIBLEACTION, static_cast<WPARAM>(action), id.Part);
        return true;
    }

    bool SetTextSelection(TAccessibleId id, int anchor, int caret) override {
        TControl* c = Resolve(id);
        return c && c->SetAccessibleSelection(id.Part, anchor, caret);
    }

private:
    // The control behind an id, while it lives in this form and is not being destroyed.
    TControl* Resolve(TAccessibleId id) const {
        TControl* c = AccessibleControlOf(id);
        if (!c || FForm->ComponentState().Contains(csDestroying) || c->ComponentState().Contains(csDestroying))
            return nullptr;
        return GetParentForm(c) == FForm ? c : nullptr;
    }

    // The object whose children hold this one: a part belongs to its control; a control to
    // its parent, or to the part of its parent that shows it (a page to its tab). None when
    // it is not presented.
    TAccessibleId ParentOf(TControl* c, int part) {
        if (part >= 0) return AccessibleIdOf(c);
        TWinControl* p = c->Parent();
        if (c == FForm || !p || PresentedRole(p) == arNone) return {};
        const TAccessibleId me = AccessibleIdOf(c), parent = AccessibleIdOf(p);
        std::vector<TAccessibleId> children;
        p->GetAccessibleChildren(-1, children);
        if (Contains(children, me)) return parent;
        for (const TAccessibleId& k : children) {
            if (k.Object != parent.Object || k.Part < 0) continue;
            std::vector<TAccessibleId> inPart;
            p->GetAccessibleChildren(k.Part, inPart);
            if (Contains(inPart, me)) return k;
        }
        return {};
    }

    // Reachable from the window through presented objects.
    bool Presented(TControl* c, int part) {
        TAccessibleId at = AccessibleIdOf(c, part);
        while (at != Root()) {
            TControl* here = Resolve(at);
            if (!here || PresentedRole(here, at.Part) == arNone) return false;
            at = ParentOf(here, at.Part);
            if (!at.Valid()) return false;
        }
        return true;
    }

    TCustomForm* FForm;
};

}  // namespace

std::unique_ptr<TAccessibleTree> CreateAccessibleTree(TCustomForm* form) {
    return std::make_unique<TFormAccessibleTree>(form);
}
