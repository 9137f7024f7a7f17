// The editor window, Form1: built from its stored description, it owns every control; its
// five handlers are the program's whole behaviour (create, clear, save, exit, and the
// initial state).
#pragma once

#include <string>

#include "framework/forms.h"

class TVtButton;
class TVtMemo;
class TVtPageControl;
class TVtTabSheet;
class TSaveDialog;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    // The controls the handlers act on, found by name once the description is read.
    TVtButton* btnCreate = nullptr;
    TVtButton* btnSave = nullptr;
    TVtButton* btnRecreate = nullptr;
    TVtButton* btnExit = nullptr;
    TVtPageControl* VtPageControl1 = nullptr;
    TVtTabSheet* TabSheet1 = nullptr;
    TVtTabSheet* TabSheet6 = nullptr;
    TVtMemo* Editor = nullptr;
    TSaveDialog* SavePHP = nullptr;

    void FormCreate(TObject* Sender);
    void btnCreateClick(TObject* Sender);
    void btnRecreateClick(TObject* Sender);
    void btnSaveClick(TObject* Sender);
    void btnExitClick(TObject* Sender);

    const TMethodTable* MethodTable() const override { return &FMethods; }
    static void RegisterClassInfo();

private:
    template <class T>
    T* Find(const char* name);
    TMethodTable FMethods;
};

// The built-in description the window is read from.
std::string_view EditorFormDescription();
