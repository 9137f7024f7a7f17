// The real desktop through Qt 6 Widgets. This header names no Qt type, so the program's
// main can install the driver without seeing Qt.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// Loads Qt's X11 platform plugin and the libraries it brings before the program starts a
// second thread, which would otherwise be interrupted by every page their loading changes.
// Does nothing where no X11 display is set or Qt is told to use another platform or plugin
// folder. Needs no display.
void PreloadQtPlatform();
// What PreloadQtPlatform loads for an environment (env answers "" for an unset variable):
// plugins by their path in Qt's plugin folder, other libraries by their name.
struct TPreloadedLibrary {
    std::string Name;
    bool InPluginFolder = false;
};
std::vector<TPreloadedLibrary> QtLibrariesToPreload(const std::function<std::string(const char*)>& env);

// Parses the program's command line with Qt's parser; answers --help and --version on
// standard output and usage errors on standard error itself (see TCommandLine::Exit).
// Needs no display.
TCommandLine ParseCommandLine(int argc, char** argv, const TCommandLineSyntax& syntax);
