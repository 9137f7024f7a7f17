// The real desktop through Qt 6 Widgets. This header names no Qt type, so the program's
// main can install the driver without seeing Qt.
#pragma once

#include <memory>
#include <string>

#include "framework/platform/command_line.h"
#include "framework/platform/platform.h"

// Who the program is to the desktop. Empty fields leave Qt's own defaults.
struct TDesktopIdentity {
    std::string ProgramName;      // the window class, matched by the desktop entry's StartupWMClass
    std::string DesktopFileName;  // the application ID that names the desktop entry and the icon
};

// The Qt driver, or nullptr with a one-line reason in *error when there is no display to
// connect to (the program then says so and exits non-zero instead of aborting).
std::unique_ptr<TPlatform> CreateQtPlatform(int& argc, char** argv, std::string* error,
                                            const TDesktopIdentity& identity = {});

// Parses the program's command line with Qt's parser; answers --help and --version on
// standard output and usage errors on standard error itself (see TCommandLine::Exit).
// Needs no display.
TCommandLine ParseCommandLine(int argc, char** argv, const TCommandLineSyntax& syntax);
