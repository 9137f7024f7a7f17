// The real desktop through Qt 6 Widgets. This header names no Qt type, so the program's
// main can install the driver without seeing Qt.
#pragma once

#include <memory>
#include <string>

#include "framework/platform/command_line.h"
#include "framework/platform/platform.h"

// The Qt driver, or nullptr with a one-line reason in *error when there is no display to
// connect to (the program then says so and exits non-zero instead of aborting).
std::unique_ptr<TPlatform> CreateQtPlatform(int& argc, char** argv, std::string* error);

// Parses the program's command line with Qt's parser; answers --help and --version on
// standard output and usage errors on standard error itself (see TCommandLine::Exit).
// Needs no display.
TCommandLine ParseCommandLine(int argc, char** argv, const TCommandLineSpec& spec);
