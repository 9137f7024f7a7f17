// The modal dialogs: the open-file and save-file dialogs and the message box, all shown by
// the platform.
// While one is open the platform keeps the framework's timers and painting going.
#pragma once

#include <string>

#include "framework/core/classes.h"
#include "framework/platform/platform.h"

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = Set<TOpenOption>;

// The open-file dialog; the save-file dialog is the same with the other purpose.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner);

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

protected:
    TFileDialogRequest Request() const;
    void Accept(const TFileDialogRequest& answer);

private:
    std::string FFileName;
    std::string FDefaultExt;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FInitialDir;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
    std::string FTitle;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner);
    bool Execute() override;
    static void RegisterClassInfo();
};

// A modal message box captioned with the application's title (caption empty) or the given
// caption.
TMessageResult MessageBox(const std::string& text, const std::string& caption = {}, TMessageIcon icon = miNone,
                          TMessageButtons buttons = mbOKOnly);
void ShowMessage(const std::string& text);
