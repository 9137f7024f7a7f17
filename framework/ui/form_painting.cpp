// A form's paint schedule: invalidations collected per windowed control, painted back to
// front into the back buffer when the loop has nothing else to do (or at once for Update),
// and the painted rectangle presented.
#include <algorithm>
#include <functional>

#include "framework/ui/forms.h"

void TCustomForm::InvalidateWindow(TWinControl* w, const TRect& clientRect, bool erase, bool frame) {
    if (ComponentState().Contains(csDestroying) || !FCreated) return;
    if (clientRect.IsEmpty() && !frame) return;
    for (Job& j : FJobs) {
        if (j.Control != w) continue;
        j.Client = UnionRect(j.Client, clientRect);
        j.Erase = j.Erase || erase;
        j.Frame = j.Frame || frame;
        return;
    }
    FJobs.push_back({w, clientRect, erase, frame});
    if (PlatformInstalled()) Platform().Wake();
}

void TCustomForm::MarkPresent(const TRect& r) { FPresentDirty = UnionRect(FPresentDirty, r); }

void TCustomForm::PresentNow() {
    if (FPresentDirty.IsEmpty() || !FWindow) return;
    const TRect r = FPresentDirty;
    FPresentDirty = {};
    Platform().Present(FWindow, FBackBuffer, r);
}

namespace {

// Where a windowed control lies in the form's client coordinates.
TRect WindowRectInForm(const TWinControl* w) {
    const TRect ci = w->ClientInWindow();
    const TPoint co = w->ClientOrigin();
    return Bounds(co.X - ci.Left, co.Y - ci.Top, w->Width(), w->Height());
}
TRect ClientRectInForm(const TWinControl* w) {
    const TRect ci = w->ClientInWindow();
    const TPoint co = w->ClientOrigin();
    return Bounds(co.X, co.Y, ci.Width(), ci.Height());
}

}  // namespace

void TCustomForm::PaintPending(TWinControl* only) {
    if (!FCreated || !FShowing || FBackBuffer.Empty()) return;
    std::vector<Job> jobs;
    if (only) {
        auto it = std::stable_partition(FJobs.begin(), FJobs.end(), [only](const Job& j) { return j.Control != only; });
        jobs.assign(it, FJobs.end());
        FJobs.erase(it, FJobs.end());
    } else {
        jobs.swap(FJobs);
    }
    if (jobs.empty()) return;

    // Back to front: a control's own jobs, plus whatever lies under a part already painted
    // over it (those were overwritten and are painted again, erased unless the control is
    // opaque: it paints its whole area itself, so an erase would only be painted over).
    std::vector<TRect> painted;
    std::exception_ptr failure;
    std::function<void(TWinControl*, const TRect&)> visit = [&](TWinControl* w, const TRect& parentClip) {
        if (!w->Showing() || !w->HandleAllocated()) return;
        const TRect win = IntersectRect(WindowRectInForm(w), parentClip);
        if (win.IsEmpty()) return;
        const TRect client = IntersectRect(ClientRectInForm(w), parentClip);
        const TPoint co = w->ClientOrigin();
        TRect part;
        bool erase = false;
        const bool opaque = w->ControlStyle().Contains(csOpaque);
        bool frame = false;
        for (const Job& j : jobs) {
            if (j.Control != w) continue;
            part = UnionRect(part, IntersectRect(OffsetRect(j.Client, co.X, co.Y), client));
            erase = erase || j.Erase;
            frame = frame || j.Frame;
        }
        for (const TRect& p : painted) {
            const TRect over = IntersectRect(p, win);
            if (over.IsEmpty()) continue;
            const TRect inClient = IntersectRect(over, client);
            if (!(inClient == over)) frame = true;
            if (!inClient.IsEmpty()) {
                part = UnionRect(part, inClient);
                erase = erase || !opaque;
            }
        }
        if (frame) {
            PaintFrame(w, failure);
            const TRect ring[4] = {Rect(win.Left, win.Top, win.Right, client.Top),
                                   Rect(win.Left, client.Bottom, win.Right, win.Bottom),
                                   Rect(win.Left, client.Top, client.Left, client.Bottom),
                                   Rect(client.Right, client.Top, win.Right, client.Bottom)};
            for (const TRect& r : ring)
                if (!r.IsEmpty()) painted.push_back(r);
        }
        if (!part.IsEmpty()) {
            PaintWindowPart(w, part, erase, failure);
            painted.push_back(part);
        }
        for (size_t i = 0; i < w->FWinControls.size(); ++i) visit(w->FWinControls[i], client);
    };
    visit(this, Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height()));
    PresentNow();
    // A failing paint is reported once; its area is not scheduled again.
    if (failure) {
        if (Application) {
            try {
                std::rethrow_exception(failure);
            } catch (...) {
                Application->HandleCurrentException();
            }
        }
    }
}

void TCustomForm::PaintWindowPart(TWinControl* w, const TRect& formRect, bool erase, std::exception_ptr& failure) {
    TCanvas scratch;
    TCanvas* canvas = &scratch;
    auto* custom = dynamic_cast<TCustomControl*>(w);
    if (custom) canvas = custom->FCanvas.get();
    canvas->Bind(&FBackBuffer, w->ClientOrigin(), formRect);
    // Windows clip their children: whatever the windowed children cover is painted by them
    // (they are painted after, wherever this part overlaps them), so the parent leaves it.
    const TPoint co = w->ClientOrigin();
    for (TWinControl* child : w->FWinControls)
        if (child->Showing() && child->HandleAllocated()) {
            const TRect r = IntersectRect(WindowRectInForm(child), formRect);
            if (!r.IsEmpty()) canvas->ExcludeClipRect(OffsetRect(r, -co.X, -co.Y));
        }
    try {
        if (erase) w->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas));
        w->Perform(WM_PAINT, reinterpret_cast<WPARAM>(canvas));
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    canvas->Unbind();
    MarkPresent(formRect);
}

void TCustomForm::PaintFrame(TWinControl* w, std::exception_ptr& failure) {
    try {
        w->Perform(WM_NCPAINT, 1);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    MarkPresent(IntersectRect(WindowRectInForm(w), Rect(0, 0, FBackBuffer.Width(), FBackBuffer.Height())));
}
