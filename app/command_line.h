// The editor's command line: `verbolt-editor [--codepage N] [FILE]`, plus --help and
// --version. What the options mean lives here; the desktop driver only parses.
#pragma once

#include <string>

#include "framework/platform/command_line.h"

struct EditorStart {
    int CodePage = 0;  // 0: the locale decides
    std::string File;  // a language file to open at start, or empty
};

TCommandLineSyntax EditorCommandLine();

// What a parsed line asks for; false with a one-line reason when a value is wrong.
bool InterpretEditorCommandLine(const TCommandLine& line, EditorStart& start, std::string& error);
