// The real Form1 on the headless desktop, with a scratch folder, as every editor test needs.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/editor_form.h"
#include "controls/vt_button.h"
#include "controls/vt_edit.h"
#include "controls/vt_pages.h"
#include "framework/platform/headless/headless_platform.h"
#include "framework/ui/dialogs.h"
#include "langfile/language_file.h"
#include "tests/support/headless_fixture.h"

namespace fs = std::filesystem;

class Editor : public HeadlessFixture<TForm1> {
protected:
    Editor() : HeadlessFixture("Verbolt Editor v1.0") {}
    void SetUp() override {
        HeadlessFixture::SetUp();
        Form1->Show();
        App->ProcessMessages();
        Dir = fs::temp_directory_path() / ("verbolt-editor-" + std::to_string(::getpid()));
        fs::create_directories(Dir);
    }
    void TearDown() override {
        HeadlessFixture::TearDown();
        fs::remove_all(Dir);
    }
    // A left click in the middle of a control, through the window as a user clicks.
    void Click(TControl* c) {
        const TPoint p = c->ClientToScreen({c->Width() / 2, c->Height() / 2});
        ClickAt(p);
    }
    std::vector<std::string> EditorLines() {
        std::vector<std::string> lines;
        for (int i = 0; i < Form1->Editor->Lines()->Count(); ++i) lines.push_back(Form1->Editor->Lines()->Strings(i));
        return lines;
    }
    static std::string ReadFile(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void WriteFile(const fs::path& p, const std::string& bytes) {
        std::ofstream out(p, std::ios::binary);
        out << bytes;
    }
    TVtEdit* Field(const char* name) { return dynamic_cast<TVtEdit*>(Form1->FindComponent(name)); }
    TVtEdit* Field(std::string_view name) { return Field(std::string(name).c_str()); }

    // The window under the name the program gives it.
    TForm1*& Form1 = Form;
    fs::path Dir;
};
