#include "app/editor_form.h"

#include <stdexcept>
#include <string>

#include "app/resources.h"
#include "controls/vt_button.h"
#include "controls/vt_classes.h"
#include "controls/vt_edit.h"
#include "controls/vt_pages.h"
#include "framework/dialogs.h"
#include "framework/streaming.h"
#include "framework/typinfo.h"
#include "langfile/catalogue.h"
#include "langfile/language_file.h"

std::string_view EditorFormDescription() { return EmbeddedFile("editor_form.vdf"); }

void TForm1::RegisterClassInfo() { RegisterClass<TForm1>("TForm1", "TForm"); }

template <class T>
T* TForm1::Find(const char* name) {
    T* c = dynamic_cast<T*>(FindComponent(name));
    // The description is built in; a missing control is a fault of the program itself.
    if (c == nullptr) throw std::logic_error(std::string("the window description has no ") + name);
    return c;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    FMethods.Add<TNotifyEvent>("FormCreate", this, &TForm1::FormCreate);
    FMethods.Add<TNotifyEvent>("btnCreateClick", this, &TForm1::btnCreateClick);
    FMethods.Add<TNotifyEvent>("btnRecreateClick", this, &TForm1::btnRecreateClick);
    FMethods.Add<TNotifyEvent>("btnSaveClick", this, &TForm1::btnSaveClick);
    FMethods.Add<TNotifyEvent>("btnExitClick", this, &TForm1::btnExitClick);
    RegisterControlSetClasses();
    RegisterClassInfo();
    const std::string_view icon = EmbeddedFile("icon.bmp");
    Icon()->LoadFromBmp(reinterpret_cast<const uint8_t*>(icon.data()), icon.size());
    ReadComponentText(this, EditorFormDescription());
    btnCreate = Find<TVtButton>("btnCreate");
    btnSave = Find<TVtButton>("btnSave");
    btnRecreate = Find<TVtButton>("btnRecreate");
    btnExit = Find<TVtButton>("btnExit");
    VtPageControl1 = Find<TVtPageControl>("VtPageControl1");
    TabSheet1 = Find<TVtTabSheet>("TabSheet1");
    TabSheet6 = Find<TVtTabSheet>("TabSheet6");
    Editor = Find<TVtMemo>("Editor");
    SavePHP = Find<TSaveDialog>("SavePHP");
}

void TForm1::FormCreate(TObject*) {
    btnCreate->SetEnabled(true);
    btnRecreate->SetEnabled(true);
    btnSave->SetEnabled(false);
    btnExit->SetEnabled(true);
    VtPageControl1->SetActivePage(TabSheet1);
}

void TForm1::btnCreateClick(TObject*) {
    Editor->Lines()->Clear();
    langfile::PhraseTexts texts;
    for (const langfile::PhraseEntry& e : langfile::Phrases())
        texts[std::string(e.field)] = Find<TVtEdit>(std::string(e.field).c_str())->Text();
    const std::string comment = Find<TVtEdit>(std::string(langfile::kCommentField).c_str())->Text();
    for (const std::string& line : langfile::BuildLanguageFile(texts, comment)) Editor->Lines()->Add(line);
    VtPageControl1->SetActivePage(TabSheet6);
    btnCreate->SetCaption("ReCreate");
    btnSave->SetEnabled(true);
}

void TForm1::btnRecreateClick(TObject*) {
    Editor->Lines()->Clear();
    Editor->Lines()->Add("Clear?");
    VtPageControl1->SetActivePage(TabSheet6);
}

void TForm1::btnSaveClick(TObject*) {
    if (SavePHP->Execute()) Editor->Lines()->SaveToFile(SavePHP->FileName());
}

void TForm1::btnExitClick(TObject*) {
    Editor->Lines()->Clear();
    Editor->Lines()->Add("Quit Program");
    Application->Terminate();
}
