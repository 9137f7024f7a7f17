// Verbolt Editor v1.0: the command line, the desktop, the application, the editor window,
// the loop.
#include <cstdio>
#include <string>
#include <thread>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/command_line.h"
#include "app/editor_form.h"
#include "framework/core/thread_heap.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/codepage.h"
#include "framework/graphics/font.h"
#include "framework/platform/qt/qt_platform.h"
#include "framework/ui/timers.h"

int main(int argc, char** argv) {
    // --help and --version answer without a display.
    const TCommandLineSyntax syntax = EditorCommandLine();
    const TCommandLine line = ParseCommandLine(argc, argv, syntax);
    if (line.Exit) return line.ExitStatus;
    EditorStart start;
    std::string wrong;
    if (!InterpretEditorCommandLine(line, start, wrong)) {
        std::fprintf(stderr, "verbolt-editor: %s\n%s", wrong.c_str(), line.Usage.c_str());
        return 2;
    }

    // Before any font is realised: fonts map bytes to glyphs in this page.
    if (start.CodePage != 0) SetAnsiCodePage(start.CodePage);
    // The fonts of the last start, glyphs and all: read without opening a font.
    SetFontCacheFile(DefaultFontCacheFile(syntax.Program));
    // While this thread connects to the desktop, another registers the window's classes,
    // realises its fonts and reads the window; this one runs none of our code until then.
    // Reading starts before Qt loads its display plugin: the loading then interrupts it at
    // every page the loader changes, which delays the start less than loading the plugin
    // first, with one thread, would.
    std::unique_ptr<TForm1> readAhead;
    std::jthread reading([&readAhead] {
        // Reading the window takes some 1.6 MB of this thread's heap: grown in a few steps,
        // not a page at a time while this one faults in Qt's pages.
        ReserveThreadHeap(2 << 20);
        readAhead = ReadEditorFormAhead();
    });
    std::string error;
    // The desktop knows the program by its application ID (the desktop entry, the icon)
    // and its windows by the program's name.
    auto desktop = CreateQtPlatform(argc, argv, &error, {syntax.Program, VERBOLT_APP_ID});
    if (!desktop) {
        std::fprintf(stderr, "verbolt-editor: %s\n", error.c_str());
        return 2;
    }
    reading.join();
    InstallPlatform(std::move(desktop));
    TApplication* app = CreateApplication();
    app->Initialize();
    app->SetTitle("Verbolt Editor v1.0");
    TForm1* Form1 = nullptr;
    if (readAhead) app->TakeForm(Form1, std::move(readAhead));
    else app->CreateForm(Form1);
    // The window shows (and paints) before anything else is tidied up; a file from the
    // command line is then opened in it, and one that cannot be opened is reported over the
    // window, which stays as it started.
    Form1->Show();
    if (!start.File.empty()) app->Guard([&] { Form1->OpenLanguageFile(start.File); });
    // The back buffer made ahead was taken by the window; if not, it is not needed.
    TBitmap::DiscardPreparedPixels();
#ifdef __GLIBC__
    // Reading the description leaves its parse tree and scratch space free on the heap:
    // handed back now, the window keeps only what it uses.
    malloc_trim(0);
#endif
    // What this start realised is kept for the next once the window is up, and again at
    // the end for what was typed since.
    TTimer keepFonts(nullptr);
    keepFonts.SetInterval(250);
    keepFonts.SetOnTimer([&keepFonts](TObject*) {
        keepFonts.SetEnabled(false);
        SaveRealisedFonts();
    });
    app->Run();
    SaveRealisedFonts();
    DestroyApplication();
    InstallPlatform(nullptr);
    return 0;
}
