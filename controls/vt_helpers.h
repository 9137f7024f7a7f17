// Small tools of the control set's property setters and scopes. They belong in the framework's
// component core and move there once it offers them:
//   Change      the one form of a property setter: store a changed value, say whether it changed
//   TFlagScope  a flag raised for the length of a scope
//   TScopeExit  an action run when a scope is left, however it is left
//
// Sections: property setters · scope guards
#pragma once

#include <type_traits>
#include <utility>

// ---------------------------------------------------------------- property setters

// Stores value in field when it differs; true when it did. A setter that stores and then
// asks for one repaint is one line:
//   void SetShadowDepth(int v) { if (Change(FShadowDepth, v)) Invalidate(); }
template <class V>
bool Change(V& field, std::type_identity_t<V> value) {
    if (field == value) return false;
    field = std::move(value);
    return true;
}

// ---------------------------------------------------------------- scope guards

// Raises flag for the length of a scope and lowers it when the scope is left, also by an
// exception.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
};

// Runs action when the scope is left, also by an exception: releasing what the scope took.
template <class Action>
class TScopeExit {
public:
    explicit TScopeExit(Action action) : FAction(std::move(action)) {}
    ~TScopeExit() { FAction(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    Action FAction;
};
