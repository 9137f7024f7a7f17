// Verbolt Editor v1.0: the desktop, the application, the editor window, the loop.
#include <cstdio>
#include <string>

#include "app/editor_form.h"
#include "framework/platform/qt/qt_platform.h"

int main(int argc, char** argv) {
    std::string error;
    auto desktop = CreateQtPlatform(argc, argv, &error);
    if (!desktop) {
        std::fprintf(stderr, "verbolt-editor: %s\n", error.c_str());
        return 2;
    }
    InstallPlatform(std::move(desktop));
    TApplication* app = CreateApplication();
    app->Initialize();
    app->SetTitle("Verbolt Editor v1.0");
    TForm1* Form1 = nullptr;
    app->CreateForm(Form1);
    app->Run();
    DestroyApplication();
    InstallPlatform(nullptr);
    return 0;
}
