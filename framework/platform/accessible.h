// What assistive tools (screen readers, magnifiers, automation) are told about a window, in
// the words both sides of the platform interface share: every object a window presents has a
// role, a name, a set of states, its bounds and, where it has them, a text with caret and
// selection and actions. The framework describes its controls in these terms (a tree per
// window, TAccessibleTree); a driver hands them on to the desktop's accessibility bus, and
// the headless driver keeps them for tests.
//
// The tree is asked, never pushed: a driver describes an object only when an assistive tool
// asks about it, so nothing is built while none listens. Changes are announced as events
// that name the object; the driver asks again for what it needs.
//
// Sections: vocabulary · one object · the tree
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/base/types.h"

// ---------------------------------------------------------------- vocabulary

enum TAccessibleRole {
    arNone,         // not presented: decoration, or nothing an assistive tool could use
    arWindow,       // a top-level window; its name is the title
    arPanel,        // a container that groups other objects
    arPageTabList,  // a strip of page tabs
    arPageTab,      // one page tab; the page it shows is its child
    arPushButton,
    arEditableText,  // a text field or a multi-line text, possibly read-only
    arStaticText,    // a label
    arStatusBar,
    arSeparator,
};

enum TAccessibleState {
    asFocusable,
    asFocused,
    asDisabled,  // the object or one of its containers is disabled
    asSelectable,
    asSelected,
    asReadOnly,
    asMultiLine,
    asInvisible,  // alive but not presented now (hidden, or on a page not shown)
};
using TAccessibleStates = Set<TAccessibleState>;

enum TAccessibleAction {
    aaPress,   // what a click does
    aaSelect,  // choose this item (a page tab: show its page)
    aaFocus,   // move the keyboard focus here
};

// What happened to an object. Changed and ChildrenChanged name a control and mean the
// control itself and every part it draws (Part -1 covers them all).
enum TAccessibleEvent {
    aeFocus,            // the object has the keyboard focus now
    aeChanged,          // its name, states or text may have changed
    aeCaretMoved,       // its text caret or selection moved
    aeChildrenChanged,  // objects appeared in it or left it
    aeMoved,            // its bounds changed
    aeGone,             // it was destroyed: forget everything about it
};

// One presented object: a control (part index -1) or one part a control draws itself (a tab of
// a tab strip: part index 0, 1, …). Object 0 is no object. Ids are never reused.
struct TAccessibleId {
    uint32_t Object = 0;
    int Part = -1;
    bool Valid() const { return Object != 0; }
    friend bool operator==(const TAccessibleId& a, const TAccessibleId& b) {
        return a.Object == b.Object && a.Part == b.Part;
    }
    friend bool operator!=(const TAccessibleId& a, const TAccessibleId& b) { return !(a == b); }
};

const char* AccessibleRoleName(TAccessibleRole role);
const char* AccessibleActionName(TAccessibleAction action);

// ---------------------------------------------------------------- one object

struct TAccessibleInfo {
    TAccessibleRole Role = arNone;
    std::string Name;  // ANSI, as the window shows it
    TAccessibleStates States;
    TRect Bounds;  // in the window's client coordinates
    std::vector<TAccessibleAction> Actions;
    // A text an assistive tool can read (fields, the clock): the text, its caret and its
    // selection as offsets in it (SelStart == SelEnd: nothing selected). Lines are separated
    // by a single "\n".
    bool HasText = false;
    std::string Text;
    int Caret = 0;
    int SelStart = 0;
    int SelEnd = 0;
    // The tree: the object it belongs to (none for the window) and its objects in reading
    // order, top to bottom and left to right.
    TAccessibleId Parent;
    std::vector<TAccessibleId> Children;
    // The label that names it (none when it names itself).
    TAccessibleId LabelledBy;

    bool Has(TAccessibleState s) const { return States.Contains(s); }
    bool Offers(TAccessibleAction a) const;
};

// ---------------------------------------------------------------- the tree

// One window's objects, as the framework presents them. Every call answers from the controls
// as they are at that moment.
class TAccessibleTree {
public:
    virtual ~TAccessibleTree() = default;
    // The window itself.
    virtual TAccessibleId Root() = 0;
    // Whether the object still exists in this window (it may be not presented just now).
    virtual bool Exists(TAccessibleId id) = 0;
    // Everything about the object; false when it no longer exists.
    virtual bool Describe(TAccessibleId id, TAccessibleInfo& info) = 0;
    // The object with the keyboard focus (the window when no control has it).
    virtual TAccessibleId Focus() = 0;
    // Runs one of the actions the object offers. The action is queued and runs from the
    // event loop, as input does; false when the object does not offer it.
    virtual bool DoAction(TAccessibleId id, TAccessibleAction action) = 0;
    // Selects the text from anchor to caret (equal: only the caret moves), offsets as in
    // TAccessibleInfo::Text; false when the object has no text.
    virtual bool SetTextSelection(TAccessibleId id, int anchor, int caret) = 0;
};
