#include "app/command_line.h"

#include <charconv>

namespace {

// The code pages the language file can be written in.
constexpr int kCodePages[] = {1250, 1251, 1252, 1253, 1254, 1257};

}  // namespace

TCommandLineSyntax EditorCommandLine() {
    TCommandLineSyntax syntax;
    syntax.Program = "verbolt-editor";
    syntax.Description = "Writes the translated language file of the Korvane System v4.";
    syntax.VersionText = "Verbolt Editor 1.0";
    syntax.Options.push_back(
        {"codepage", "N",
         "Type, show, write and read phrases in code page N (1250, 1251, 1252, 1253, 1254 or 1257) "
         "instead of the locale's."});
    syntax.ArgumentName = "FILE";
    syntax.ArgumentDescription = "A language file to open at start.";
    syntax.MaxArguments = 1;
    return syntax;
}

bool InterpretEditorCommandLine(const TCommandLine& line, EditorStart& start, std::string& error) {
    start = {};
    if (line.Has("codepage")) {
        const std::string& text = line.Values.at("codepage");
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        bool known = ec == std::errc() && end == text.data() + text.size();
        if (known) {
            known = false;
            for (int cp : kCodePages) known = known || cp == value;
        }
        if (!known) {
            error = "unsupported code page \"" + text + "\" (use 1250, 1251, 1252, 1253, 1254 or 1257)";
            return false;
        }
        start.CodePage = value;
    }
    if (!line.Arguments.empty()) start.File = line.Arguments.front();
    return true;
}
