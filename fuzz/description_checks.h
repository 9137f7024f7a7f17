// What the description fuzz programs share: the classes a description may name, and what a
// parsed tree must stand up to (kept as bytes and read back, looked into, applied to a form).
#pragma once

#include <string>
#include <string_view>

#include "controls/vt_classes.h"
#include "framework/core/streaming.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "framework/ui/forms.h"

// A headless desktop and application, every standard class and the whole control set.
inline void PrepareDescriptionFuzzing() {
    InstallHeadlessPlatform();
    CreateApplication()->Initialize();
    RegisterStdCtrlsClasses();
    RegisterControlSetClasses();
}

// The bytes the tree writes read back to a tree that writes them again; every object is
// looked into; the tree is applied to a form, which takes whatever it built with it. The
// reader's errors pass to the caller.
inline void CheckParsedTree(const TParsedDescription& parsed) {
    const std::string written = ParsedDescriptionBytes(parsed);
    if (ParsedDescriptionBytes(ParsedDescriptionFromBytes(written)) != written) __builtin_trap();
    parsed.VisitObjects([](int depth, std::string_view, const TParsedDescription::TLookup& value) {
        if (depth < 0) __builtin_trap();
        for (const char* path : {"Font.Name", "Caption", "Lines.Strings"}) (void)value(path);
    });
    TForm form(nullptr);
    ReadComponent(&form, parsed);
}
