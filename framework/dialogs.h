// The modal dialogs: the save-file dialog and the message box, both shown by the platform.
// While one is open the platform keeps the framework's timers and painting going.
#pragma once

#include <string>

#include "framework/classes.h"
#include "framework/platform/platform.h"

enum TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
    ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
    ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
    ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = Set<TOpenOption>;

class TSaveDialog : public TComponent {
public:
    explicit TSaveDialog(TComponent* owner);

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& v) { FFileName = v; }
    // Without the dot; added to a chosen name that has no extension.
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& v) { FDefaultExt = v; }
    // "Text files|*.txt|All|*.*"; empty: no file-type list.
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& v) { FFilter = v; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int v) { FFilterIndex = v; }
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& v) { FInitialDir = v; }
    // The default asks no overwrite question.
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions v) { FOptions = v; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }

    // Shows the dialog; true with FileName set to the chosen full path when confirmed.
    virtual bool Execute();

    static void RegisterClassInfo();

private:
    std::string FFileName;
    std::string FDefaultExt;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FInitialDir;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
    std::string FTitle;
};

// A modal message box captioned with the application's title (caption empty) or the given
// caption.
TMessageResult MessageBox(const std::string& text, const std::string& caption = {}, TMessageIcon icon = miNone,
                          TMessageButtons buttons = mbOKOnly);
void ShowMessage(const std::string& text);
