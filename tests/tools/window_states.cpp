// Renders the editor window on the headless desktop in the states a user sees — every page,
// every header button hot and pressed, every tab hot, a focused and a typed-in field, the
// File page after Create and after Clear File — and writes each as a PNG into a folder.
// Two folders written before and after a change that must not change pixels are compared
// with `cmp`; any difference is a fault of the change.
// Usage: verbolt-window-states OUTDIR
#include <cstdio>
#include <string>

#include "app/editor_form.h"
#include "controls/vt_button.h"
#include "controls/vt_edit.h"
#include "controls/vt_pages.h"
#include "framework/platform/headless/headless_platform.h"
#include "tests/support/input.h"

namespace {

THeadlessPlatform* gDesk = nullptr;
TForm1* gForm = nullptr;
std::string gOut;
int gCount = 0;

void Settle() { Application->ProcessMessages(); }

void Shot(const std::string& name) {
    Settle();
    gDesk->Screen(gForm->WindowId())->SavePng(gOut + "/" + name + ".png");
    ++gCount;
}

TPoint Middle(TControl* c) { return c->ClientToScreen({c->Width() / 2, c->Height() / 2}); }

void Away() {
    gDesk->MoveMouse(gForm->WindowId(), {680, 420});
    Settle();
    // The tab strip's hot-tracking timer notices the pointer has gone.
    gDesk->AdvanceTime(100);
    Settle();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    gOut = argv[1];
    gDesk = &InstallHeadlessPlatform();
    TApplication* app = CreateApplication();
    app->Initialize();
    app->SetTitle("Verbolt Editor v1.0");
    app->CreateForm(gForm);
    gForm->Show();
    Away();
    Shot("start");

    TVtPageControl* pages = gForm->VtPageControl1;
    for (int i = 0; i < pages->PageCount(); ++i) {
        pages->SetActivePageIndex(i);
        Shot("page" + std::to_string(i));
    }
    pages->SetActivePageIndex(0);
    Settle();

    // Hot tabs: the pointer over the middle of each tab (window coordinates).
    const int tabMiddles[] = {70, 200, 320, 420, 530, 605};
    for (int i = 0; i < pages->PageCount() && i < 6; ++i) {
        gDesk->MoveMouse(gForm->WindowId(), {tabMiddles[i], 90});
        gDesk->AdvanceTime(100);
        Shot("tabhot" + std::to_string(i));
    }
    Away();

    TVtButton* buttons[] = {gForm->btnCreate, gForm->btnSave, gForm->btnRecreate, gForm->btnExit};
    const char* names[] = {"create", "save", "clear", "exit"};
    for (int i = 0; i < 4; ++i) {
        gDesk->MoveMouse(gForm->WindowId(), Middle(buttons[i]));
        Shot(std::string("hot-") + names[i]);
        input::MouseDown(*gDesk, gForm->WindowId(), Middle(buttons[i]));
        Shot(std::string("pressed-") + names[i]);
        // Released away from the button: no click.
        gDesk->MoveMouse(gForm->WindowId(), {680, 420});
        input::MouseUp(*gDesk, gForm->WindowId(), {680, 420});
        Away();
    }

    auto* author = dynamic_cast<TVtEdit*>(gForm->FindComponent("edAuthor"));
    author->SetFocus();
    Shot("focused-field");
    gDesk->TypeText(gForm->WindowId(), " and more");
    Shot("typed-field");
    gForm->btnRecreate->SetFocus();
    Shot("focused-button");

    gDesk->Click(gForm->WindowId(), Middle(gForm->btnCreate));
    Away();
    Shot("created");
    gDesk->Click(gForm->WindowId(), Middle(gForm->btnRecreate));
    Away();
    Shot("cleared");

    DestroyApplication();
    InstallPlatform(nullptr);
    std::printf("window states: %d pictures in %s\n", gCount, gOut.c_str());
    return 0;
}
