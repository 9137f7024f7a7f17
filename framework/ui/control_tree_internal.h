// What the files of the control tree share among themselves (control.cpp, win_control.cpp,
// posted_messages.cpp, dragdock.cpp, the forms and the application). Nothing outside the
// ui layer uses it.
#pragma once

#include <vector>

#include "framework/ui/controls.h"

// control.cpp: a canvas that belongs to a control and draws "on the screen" outside
// painting loses its binding when the control or a parent moves, so the next use binds
// afresh.
void DropCanvasBindings(TControl* control);
// control.cpp: the mouse capture is dropped, without telling anyone, when it lies on control
// or inside it (the control is leaving its parent).
void ForgetCaptureInside(TControl* control);
// control.cpp: the control under the pointer is forgotten when it lies on control or
// inside it.
void ForgetMouseControl(TControl* control);

// posted_messages.cpp: the messages still queued for a control that goes.
void RemovePostedMessages(TControl* control);

// dragdock.cpp: a drag ends when the capture is taken from its source; destroyed controls
// are forgotten by the drag and the dock lists.
void DragCaptureChanged(TControl* now);
void DragDockControlDestroyed(TControl* control);
void DockSiteDestroyed(TWinControl* site);

// form.cpp: every form that exists, in creation order.
std::vector<TCustomForm*>& AllForms();

// One dispatch case: the message read as its typed view, handled, and the view's results
// stored back.
template <class View, class Handler>
void Typed(TMessage& m, Handler&& handler) {
    View v = View::From(m);
    handler(v);
    v.StoreTo(m);
}
