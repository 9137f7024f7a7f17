// The object model under every control: TObject (a class name), TPersistent (Assign),
// TComponent (name, owner, owned components, state, free notification, loading) and the
// method table through which a stored description binds events by handler name.
//
//   1. TObject, TPersistent, events, the setter helper
//   2. TMethodTable
//   3. TComponent
//      - ownership: an owner frees what it owns, last to first; a component that is freed
//        on its own unlinks itself from its owner
//      - free notification
//      - the hooks a stored description uses (how a container lists and adopts children)
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/base/types.h"
#include "framework/core/sysutils.h"

// ---------------------------------------------------------------- 1. TObject, TPersistent

class TObject {
public:
    virtual ~TObject() = default;
    // The name the class was registered under (typinfo.h); for a class that was not
    // registered, the name of its nearest registered ancestor, else the C++ type name.
    std::string ClassName() const;
};

// The event every notification handler has: who sent it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// The first step of a property setter: stores value in field when it differs, and answers
// whether it did, so that the setter reacts only to a real change:
//
//   void SetLayout(TTextLayout v) { if (Change(FLayout, v)) Invalidate(); }
//
// (In a class that has a Change() notification of its own, write ::Change.)
template <class V>
bool Change(V& field, std::type_identity_t<V> value) {
    if (field == value) return false;
    field = std::move(value);
    return true;
}

class TPersistent : public TObject {
public:
    // Copies the settings of source. The default asks source to AssignTo this; when neither
    // side knows the other, EConvertError "Cannot assign a %s to a %s".
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest) const;
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

// ---------------------------------------------------------------- 2. TMethodTable

// A form's published handlers by name. Each entry holds the std::function of the event type
// it serves (TNotifyEvent for OnClick), bound to the form; an event property takes an entry
// whose type is its own.
//
//   FMethods.Add<TNotifyEvent>("btnCreateClick", this, &TForm1::btnCreateClick);
class TMethodTable {
public:
    template <class Event>
    void Add(const std::string& name, Event handler) {
        FMethods[Key(name)] = Entry{name, std::any(std::move(handler))};
    }
    // A member function of obj, wrapped as an Event.
    template <class Event, class C, class R, class... A>
    void Add(const std::string& name, C* obj, R (C::*method)(A...)) {
        Add<Event>(name, Event([obj, method](A... args) { return (obj->*method)(args...); }));
    }
    // nullptr when there is no handler of that name (names compare case-insensitively).
    const std::any* Find(const std::string& name) const;
    int Count() const { return static_cast<int>(FMethods.size()); }

private:
    struct Entry {
        std::string Name;
        std::any Handler;
    };
    static std::string Key(const std::string& name) { return UpperCase(name); }
    std::map<std::string, Entry> FMethods;
};

// ---------------------------------------------------------------- 3. TComponent

enum TComponentStateFlag {
    csLoading,     // from creation by a reader until Loaded
    csReading,     // while the reader sets its properties
    csWriting,     // while a writer stores it
    csDestroying,  // from Destroying() on
    csDesigning,
    csUpdating,
    csFreeNotification  // others asked to be told when it goes, or it asked them
};
using TComponentState = Set<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    // With an owner, the component becomes the owner's last component and the owner frees
    // it. Its name starts empty.
    explicit TComponent(TComponent* owner);
    // Tells everyone that asked for FreeNotification, frees the owned components last to
    // first, and leaves the owner (whose Notification(this, opRemove) then runs).
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return FName; }
    // A valid identifier or empty, unique (case-insensitively) among the owner's
    // components: otherwise EComponentError "'%s' is not a valid component name" /
    // "A component named %s already exists".
    virtual void SetName(const std::string& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;  // EListError "List index out of bounds (%d)"
    int ComponentIndex() const;               // position in the owner's list, -1 without one
    // The owned component of that name, compared case-insensitively; nullptr for "".
    TComponent* FindComponent(const std::string& name) const;
    // Take over / give up ownership. Both notify the owner (and through it every owned
    // component) with opInsert / opRemove.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last to first. A derived destructor whose children must
    // die while it is still whole (a form, a windowed control) calls this first.
    void DestroyComponents();

    TComponentState ComponentState() const { return FComponentState; }
    // Sets csDestroying here and in every owned component; the destructor does it anyway,
    // a derived destructor calls it first when its own teardown must see the flag.
    void Destroying();
    // Sets or clears csDesigning here and in every owned component.
    void SetDesigning(bool value);

    // component will receive Notification(this, opRemove) when this goes, and this receives
    // Notification(component, opRemove) when component goes. Asking twice is harmless.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // ---- hooks of stored descriptions (streaming.h)
    //
    // Storing: a container lists, in its own order, the children that are stored inside it
    // by calling proc for each. The default lists nothing, except for the root of a stored
    // description, which lists the components it owns that have no parent (HasParent false):
    // the plain non-visual container.
    // The control tree overrides it: a windowed control lists its child controls whose
    // owner is root; a form lists its owned components that have no parent control, then
    // its child controls; a page control lists its pages in page order.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
    // Reading: a component created inside another one's "object … end" block is first
    // created with the root as owner, then, before any of its properties is set, asked to
    // join that container through SetParentComponent(container) (the control tree sets
    // Parent there; a page joins its page control). The root itself is not asked. After all
    // children of a container are read, SetChildOrder(child, i) is called on the container
    // for each with its position among them (a page control sets PageIndex).
    virtual void SetParentComponent(TComponent* /*parent*/) {}
    virtual void SetChildOrder(TComponent* /*child*/, int /*order*/) {}
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    // The handlers events of a stored description are bound to: the root's table (a form's
    // own methods). nullptr: no handlers.
    virtual const TMethodTable* MethodTable() const { return nullptr; }

    // The handler name an event was bound to by a stored description (kept so that a writer
    // can store it again); "" when it was not bound by name.
    std::string EventMethodName(const std::string& event) const;
    void SetEventMethodName(const std::string& event, const std::string& method);

protected:
    // Another component arrives (opInsert) or goes (opRemove): an owner hears of its own
    // components, and everyone hears of those it asked FreeNotification for. The default
    // drops a leaving component's free-notification link and passes the news on to every
    // owned component. Overrides compare pointers only: at opInsert the newcomer is still
    // under construction, at opRemove it is already partly destroyed.
    virtual void Notification(TComponent* component, TOperation operation);
    // Sent by the reader to every component of a description, root first, once all of them
    // are read and their references resolved, and before any of them gets Loaded: the last
    // part of applying the description (a control takes its parent's settings here). Every
    // component still carries csLoading, so nothing reacts as to a change on a running window.
    virtual void ReadingDone() {}
    // Sent by the reader after ReadingDone, to each component in turn, root first;
    // csLoading is already cleared when it arrives.
    virtual void Loaded();

private:
    friend class TReader;
    friend class TWriter;
    void SetStateFlag(TComponentStateFlag flag, bool on);
    void Unlink(TComponent* component);  // drop from owned list without notification

    std::string FName;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    // The named ones of FComponents by upper-cased name: a window's hundreds of components
    // are each checked against all the others' names as they are named and inserted.
    std::unordered_map<std::string, TComponent*> FNamed;
    std::vector<TComponent*> FFreeNotifies;
    TComponentState FComponentState;
    int FTag = 0;
    std::map<std::string, std::string> FEventMethods;  // upper-cased event → handler name
};
