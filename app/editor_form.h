// The editor window, Form1: built from its stored description, it owns every control; its
// five handlers are the program's whole behaviour (create, clear, save, exit, and the
// initial state).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/streaming.h"
#include "framework/ui/forms.h"

class TVtButton;
class TVtMemo;
class TVtPageControl;
class TVtTabSheet;
class TOpenDialog;
class TSaveDialog;

// A language file larger than this is refused before it is read.
inline constexpr std::size_t kMaxLanguageFileBytes = 1024 * 1024;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

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

    // Opening a language file (the command line, Ctrl+O, a dropped file): the fields and
    // the comment take the file's texts and the window is left as Create leaves it, with
    // the file's path proposed for saving. A file that cannot be read or is no language
    // file raises the error the loop shows, and then nothing has changed.
    void OpenLanguageFile(const std::string& path);
    // Ctrl+O: the open dialog, starting in the folder of the last opened or saved file.
    void ChooseLanguageFile();
    TOpenDialog* OpenDialog() const { return FOpenDialog.get(); }

    const TMethodTable* MethodTable() const override { return &FMethods; }
    static void RegisterClassInfo();

private:
    template <class T>
    T* Find(const char* name);
    // What assistive tools are told beyond what the controls say of themselves.
    void PresentToAssistiveTools();
    void FormShortCut(TObject* Sender, Word Key, TShiftState Shift, bool& Handled);
    void FormDropFiles(TObject* Sender, const std::vector<std::string>& Files);
    TMethodTable FMethods;
    // Not part of the stored window: opening is an addition the description does not hold.
    std::unique_ptr<TOpenDialog> FOpenDialog;
};

// The built-in description the window is read from, parsed when the program was built.
TParsedDescription EditorFormDescription();
// Registers the classes of the window's description, reads it and realises the fonts it
// names, with the advances and glyphs of its texts, ahead of the window: the program runs
// this on another thread while it connects to the desktop (using no font or class
// meanwhile), and the next window made applies what was read. Without it, or when it
// failed, the window reads the description itself (and reports what is wrong with it).
void PrepareEditorForm();
// PrepareEditorForm, then the window made from what it read, owned by nobody and not shown:
// what the program does on that other thread, before any desktop is installed, so that only
// showing the window is left for when the desktop is there (TApplication::TakeForm).
// Nothing when reading failed: the application then makes the window and says why.
std::unique_ptr<TForm1> ReadEditorFormAhead();
