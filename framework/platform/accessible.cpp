#include "framework/platform/accessible.h"

#include <algorithm>

const char* AccessibleRoleName(TAccessibleRole role) {
    switch (role) {
        case arNone: return "none";
        case arWindow: return "window";
        case arPanel: return "panel";
        case arPageTabList: return "page tab list";
        case arPageTab: return "page tab";
        case arPushButton: return "push button";
        case arEditableText: return "editable text";
        case arStaticText: return "static text";
        case arStatusBar: return "status bar";
        case arSeparator: return "separator";
    }
    return "none";
}

const char* AccessibleActionName(TAccessibleAction action) {
    switch (action) {
        case aaPress: return "press";
        case aaSelect: return "select";
        case aaFocus: return "focus";
    }
    return "";
}

bool TAccessibleInfo::Offers(TAccessibleAction a) const {
    return std::find(Actions.begin(), Actions.end(), a) != Actions.end();
}
