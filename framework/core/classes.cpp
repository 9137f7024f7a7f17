// Sections: TObject and TPersistent, TMethodTable, TComponent.
#include "framework/core/classes.h"

#include <cxxabi.h>
#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include "framework/core/typinfo.h"

// ---------------------------------------------------------------- TObject, TPersistent

std::string TObject::ClassName() const {
    if (const TClassInfo* info = ClassInfoOf(this)) return info->Name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : typeid(*this).name();
    std::free(demangled);
    return name;
}

void TPersistent::Assign(const TPersistent* source) {
    if (source) source->AssignTo(this);
    else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
    throw EConvertError(
        Format("Cannot assign a %s to a %s", source ? source->ClassName() : std::string("nil"), ClassName()));
}

// ---------------------------------------------------------------- TMethodTable

const std::any* TMethodTable::Find(const std::string& name) const {
    auto it = FMethods.find(Key(name));
    return it == FMethods.end() ? nullptr : &it->second.Handler;
}

// ---------------------------------------------------------------- TComponent

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Everyone linked to us hears of it, newest link first; the links go both ways, so each
    // partner's list loses us too, whether or not its Notification passes on to ours.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->Notification(this, opRemove);
        auto& theirs = other->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

namespace {
// Drops a component from its owner's index of names, if it is there under its own name.
void ForgetName(std::unordered_map<std::string, TComponent*>& named, const TComponent* component) {
    if (component->Name().empty()) return;
    const auto it = named.find(UpperCase(component->Name()));
    if (it != named.end() && it->second == component) named.erase(it);
}
}  // namespace

void TComponent::SetName(const std::string& name) {
    if (name == FName) return;
    if (!name.empty() && !IsValidIdent(name)) throw EComponentError(Format("'%s' is not a valid component name", name));
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this) throw EComponentError(Format("A component named %s already exists", name));
    }
    if (FOwner) ForgetName(FOwner->FNamed, this);
    FName = name;
    if (FOwner && !FName.empty()) FOwner->FNamed[UpperCase(FName)] = this;
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EListError(Format("List index out of bounds (%d)", index));
    return FComponents[index];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    const auto it = FNamed.find(UpperCase(name));
    return it != FNamed.end() ? it->second : nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->FOwner == this) return;
    if (!component->FName.empty()) {
        TComponent* other = FindComponent(component->FName);
        if (other && other != component)
            throw EComponentError(Format("A component named %s already exists", component->FName));
    }
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
    if (!component->FName.empty()) FNamed[UpperCase(component->FName)] = component;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->FOwner != this) return;
    Notification(component, opRemove);
    Unlink(component);
}

void TComponent::Unlink(TComponent* component) {
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
    ForgetName(FNamed, component);
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    // Last to first; each one is unlinked before it dies, so it does not notify us again.
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        Unlink(last);
        delete last;
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) return;
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::SetDesigning(bool value) {
    SetStateFlag(csDesigning, value);
    for (TComponent* c : FComponents) c->SetDesigning(value);
}

void TComponent::SetStateFlag(TComponentStateFlag flag, bool on) {
    if (on) FComponentState.Include(flag);
    else FComponentState.Exclude(flag);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(component);
        component->FFreeNotifies.push_back(this);
    }
    FComponentState.Include(csFreeNotification);
    component->FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    auto& theirs = component->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Pass the news on, newest first; a receiver may free components, so the index is
    // clamped after every call.
    int i = ComponentCount() - 1;
    while (i >= 0) {
        TComponent* c = FComponents[i];
        if (c != component) c->Notification(component, operation);
        i = std::min(i - 1, ComponentCount() - 1);
    }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    if (root != this) return;
    for (TComponent* c : FComponents)
        if (!c->HasParent()) proc(c);
}

std::string TComponent::EventMethodName(const std::string& event) const {
    auto it = FEventMethods.find(UpperCase(event));
    return it == FEventMethods.end() ? std::string() : it->second;
}

void TComponent::SetEventMethodName(const std::string& event, const std::string& method) {
    if (method.empty()) FEventMethods.erase(UpperCase(event));
    else FEventMethods[UpperCase(event)] = method;
}
