// Device contexts: where a windowed control's pixels lie in its form's back buffer, and
// binding canvases there or to where another canvas draws.
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

namespace {

// The part of the back buffer w's client area may show: its own client rectangle cut by
// every parent's client rectangle.
TRect VisibleClientClip(const TWinControl* w, TRect r) {
    for (const TWinControl* p = w->Parent(); p; p = p->Parent()) {
        const TPoint o = p->ClientOrigin();
        const TRect ci = p->ClientInWindow();
        r = IntersectRect(r, Rect(o.X, o.Y, o.X + ci.Width(), o.Y + ci.Height()));
        if (r.IsEmpty()) return {};
    }
    return r;
}

}  // namespace

TDeviceContext GetWindowDC(TWinControl* control) {
    TDeviceContext dc;
    TCustomForm* form = GetParentForm(control);
    if (!form || !control->HandleAllocated() || !control->Showing()) return dc;
    const TRect ci = control->ClientInWindow();
    const TPoint co = control->ClientOrigin();
    const TPoint origin{co.X - ci.Left, co.Y - ci.Top};
    TRect r = Bounds(origin.X, origin.Y, control->Width(), control->Height());
    r = VisibleClientClip(control, r);
    r = IntersectRect(r, Rect(0, 0, form->BackBuffer()->Width(), form->BackBuffer()->Height()));
    dc.Surface = form->BackBuffer();
    dc.Origin = origin;
    dc.Clip = r;
    dc.Form = form;
    return dc;
}

TDeviceContext GetDC(TWinControl* control) {
    TDeviceContext dc;
    TCustomForm* form = GetParentForm(control);
    if (!form || !control->HandleAllocated() || !control->Showing()) return dc;
    const TRect ci = control->ClientInWindow();
    const TPoint co = control->ClientOrigin();
    TRect r = Bounds(co.X, co.Y, ci.Width(), ci.Height());
    r = VisibleClientClip(control, r);
    r = IntersectRect(r, Rect(0, 0, form->BackBuffer()->Width(), form->BackBuffer()->Height()));
    dc.Surface = form->BackBuffer();
    dc.Origin = co;
    dc.Clip = r;
    dc.Form = form;
    return dc;
}

void ReleaseDC(TWinControl*, const TDeviceContext& dc) {
    if (dc.Form) dc.Form->MarkPresent(dc.Clip);
}

void BindCanvas(TCanvas* canvas, const TDeviceContext& dc) {
    if (!dc.Valid()) {
        canvas->Unbind();
        return;
    }
    canvas->Bind(dc.Surface, dc.Origin, dc.Clip);
}

void BindCanvasTo(TCanvas* canvas, TCanvas* target, TPoint origin, const TRect& clip) {
    if (!target->Bound()) {
        canvas->Unbind();
        return;
    }
    const TPoint so = target->ToSurface(origin.X, origin.Y);
    const TPoint t0 = target->ToSurface(0, 0);
    TRect r = OffsetRect(target->ClipRect(), t0.X, t0.Y);
    r = IntersectRect(r, target->DeviceClip());
    r = IntersectRect(r, OffsetRect(clip, so.X, so.Y));
    canvas->Bind(target->Surface(), so, r);
}

void PaintControlTo(TWinControl* control, TCanvas* canvas, TPoint origin) {
    TCanvasStateSaver saver(canvas);
    canvas->OffsetViewportOrigin(origin.X, origin.Y);
    const TRect ci = control->ClientInWindow();
    canvas->IntersectClipRect(Rect(0, 0, ci.Width(), ci.Height()));
    control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas));
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(canvas));
}
