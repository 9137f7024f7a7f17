// A program's command line as the program describes it; the desktop driver parses it with
// its toolkit's parser, before any window or display is needed.
#pragma once

#include <map>
#include <string>
#include <vector>

struct TCommandLineOption {
    std::string Name;       // long name without dashes ("codepage")
    std::string ValueName;  // "N" for an option with a value; empty for a switch
    std::string Description;
};

struct TCommandLineSyntax {
    std::string Program;                      // the executable's name in the usage line
    std::string Description;                  // one line under the usage line
    std::string VersionText;                  // what --version prints
    std::vector<TCommandLineOption> Options;  // besides --help and --version
    std::string ArgumentName;                 // e.g. "FILE"; empty: no arguments
    std::string ArgumentDescription;
    int MaxArguments = 1;
};

struct TCommandLine {
    // --help or --version was answered, or the line was wrong: the program ends with
    // ExitStatus (0 after help or version, 2 after a usage error) without a window.
    bool Exit = false;
    int ExitStatus = 0;
    std::map<std::string, std::string> Values;  // option name → its value ("" for a switch)
    std::vector<std::string> Arguments;         // in the file system's bytes
    std::string Usage;                          // the full help text
    bool Has(const std::string& option) const { return Values.count(option) != 0; }
};
