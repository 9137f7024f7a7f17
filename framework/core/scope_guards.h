// Small scope guards: what a scope changes for its own time is put back on the way out,
// whether the scope ends normally or by an exception.
//
//   TRestore          a variable holds a value for the scope and gets its old one back
//   TScopeExit        an action that runs on the way out, unless Release() said it is no
//                     longer due
//   TStringsUpdate    a text list's BeginUpdate, and the matching EndUpdate on the way out
//   TCanvasBinding    a canvas bound elsewhere for the scope, then unbound, or bound again
//                     where it was
//
// TCanvasStateSaver (canvas.h) keeps a canvas's drawing state in the same way.
//
// An action on the way out may throw (EndUpdate runs change handlers): the exception goes
// to the caller. While the scope is already being left by an exception, that first
// exception is the one reported, and the action's own is dropped.
#pragma once

#include <exception>
#include <utility>

#include "framework/core/strings.h"
#include "framework/graphics/canvas.h"

template <class T>
class TRestore {
public:
    TRestore(T& variable, T value) : FVariable(variable), FOld(std::exchange(variable, std::move(value))) {}
    ~TRestore() { FVariable = std::move(FOld); }
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;

private:
    T& FVariable;
    T FOld;
};

template <class F>
class TScopeExit {
public:
    explicit TScopeExit(F action) : FAction(std::move(action)), FExceptions(std::uncaught_exceptions()) {}
    ~TScopeExit() noexcept(false) {
        if (!FDue) return;
        if (std::uncaught_exceptions() > FExceptions) {
            try {
                FAction();
            } catch (...) {
            }
            return;
        }
        FAction();
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    // The action will not run.
    void Release() { FDue = false; }

private:
    F FAction;
    int FExceptions;
    bool FDue = true;
};

class TStringsUpdate {
public:
    explicit TStringsUpdate(TStrings* list) : FEnd((list->BeginUpdate(), EndUpdate{list})) {}

private:
    struct EndUpdate {
        TStrings* List;
        void operator()() const { List->EndUpdate(); }
    };
    TScopeExit<EndUpdate> FEnd;
};

// Made before the canvas is bound elsewhere. On the way out the canvas is unbound, or, with
// restorePrevious, bound again to the surface, origin and clip it had when the guard was
// made (unbound if it had none).
class TCanvasBinding {
public:
    explicit TCanvasBinding(TCanvas* canvas, bool restorePrevious = false)
        : FCanvas(canvas),
          FRestore(restorePrevious && canvas->Bound()),
          FSurface(canvas->Surface()),
          FOrigin(canvas->DeviceOrigin()),
          FClip(canvas->DeviceClip()) {}
    ~TCanvasBinding() {
        if (FRestore) FCanvas->Bind(FSurface, FOrigin, FClip);
        else FCanvas->Unbind();
    }
    TCanvasBinding(const TCanvasBinding&) = delete;
    TCanvasBinding& operator=(const TCanvasBinding&) = delete;

private:
    TCanvas* FCanvas;
    bool FRestore;
    TBitmap* FSurface;
    TPoint FOrigin;
    TRect FClip;
};
