// The control tree as assistive tools see it. Every visible control presents itself through
// the virtuals TControl declares for it (AccessibleRole, GetAccessibleInfo,
// GetAccessibleChildren, DoAccessibleAction, SetAccessibleSelection, AccessibleFocusPart);
// this file turns them into one TAccessibleTree per form, which the form hands to the
// platform with its window, and announces changes to the platform.
//
// Nothing is built while no assistive tool listens: a control gets its accessible id the
// first time the tree names it, and announcements stop at one question to the platform.
// The announcements that every control needs (text, enabled and visibility changes,
// children arriving and leaving, moves, focus) come from the control's own dispatch; the
// rest (typing, caret moves, a new tab) from the controls that know.
//
// The default descriptions of the control tree's classes (control, windowed control, form)
// live in accessibility.cpp, those of the standard controls (label, panel, picture, edit,
// memo) in framework/stdctrls/stdctrls_accessibility.cpp.
//
// Sections: ids · announcing · helpers for describing · the form's tree · control-tree hooks
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/platform/accessible.h"

class TControl;
class TWinControl;
class TCustomForm;

// ---------------------------------------------------------------- ids

// The id assistive tools know the control (part -1) or one of its parts by; the control's
// is made on first use.
TAccessibleId AccessibleIdOf(TControl* control, int part = -1);
// The control an id names, or nullptr when it has been destroyed (or never existed).
TControl* AccessibleControlOf(TAccessibleId id);

// ---------------------------------------------------------------- announcing

// An assistive tool is listening, so changes are worth announcing.
bool AccessibilityListening();
// Announces a change of a control (part -1: of the control and its parts) to the platform.
void NotifyAccessible(TControl* control, TAccessibleEvent event, int part = -1);

// ---------------------------------------------------------------- helpers for describing

// A control's bounds in its window's client coordinates.
TRect AccessibleBoundsOf(const TControl* control);
// The role a control presents, arNone when it is hidden from the tree.
TAccessibleRole PresentedRole(const TControl* control, int part = -1);
// The visible, presented children of a windowed control, in reading order: by the
// middle of their height, then from the left (a field's label and the field share a row).
void CollectAccessibleChildren(TWinControl* parent, std::vector<TAccessibleId>& children);
// A caption as it reads: "&" accelerator marks removed ("&&" is one "&").
std::string AccessibleCaption(const std::string& caption);

// ---------------------------------------------------------------- the form's tree

std::unique_ptr<TAccessibleTree> CreateAccessibleTree(TCustomForm* form);

// ---------------------------------------------------------------- control-tree hooks

// After a control handled a notification: the announcement it implies, if any.
void NoteAccessibleNotification(TControl* control, unsigned msg);
// A control is being destroyed: its id is forgotten and the platform told.
void ForgetAccessibleControl(TControl* control);
