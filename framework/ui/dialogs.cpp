#include "framework/ui/dialogs.h"

#include "framework/core/typinfo.h"
#include "framework/ui/forms.h"

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

TFileDialogRequest TOpenDialog::Request() const {
    TFileDialogRequest request;
    request.Title = FTitle;
    request.FileName = FFileName;
    request.InitialDir = FInitialDir;
    request.DefaultExt = FDefaultExt;
    request.Filter = FFilter;
    request.FilterIndex = FFilterIndex;
    // Painting that is due goes out before the dialog covers the window.
    if (Application) Application->PaintAll();
    return request;
}

void TOpenDialog::Accept(const TFileDialogRequest& answer) {
    FFileName = answer.FileName;
    FFilterIndex = answer.FilterIndex;
}

bool TOpenDialog::Execute() {
    TFileDialogRequest request = Request();
    if (!Platform().ExecuteOpenDialog(request)) return false;
    Accept(request);
    return true;
}

TSaveDialog::TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

bool TSaveDialog::Execute() {
    TFileDialogRequest request = Request();
    if (!Platform().ExecuteSaveDialog(request)) return false;
    Accept(request);
    return true;
}

namespace {
const TEnumInfo& OpenOptionsInfo() {
    static const TEnumInfo info = MakeEnumInfo(
        "TOpenOption", {"ofReadOnly",         "ofOverwritePrompt",    "ofHideReadOnly",        "ofNoChangeDir",
                        "ofShowHelp",         "ofNoValidate",         "ofAllowMultiSelect",    "ofExtensionDifferent",
                        "ofPathMustExist",    "ofFileMustExist",      "ofCreatePrompt",        "ofShareAware",
                        "ofNoReadOnlyReturn", "ofNoTestFileCreate",   "ofNoNetworkButton",     "ofNoLongNames",
                        "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
                        "ofDontAddToRecent",  "ofForceShowHidden"});
    return info;
}
}  // namespace

void TOpenDialog::RegisterClassInfo() {
    RegisterClass<TOpenDialog>("TOpenDialog", "TComponent", [](TClassBuilder<TOpenDialog>& b) {
        b.String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
        b.String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
        b.String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
        b.Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default();
        b.String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
        b.SetOf("Options", OpenOptionsInfo(), &TOpenDialog::Options, &TOpenDialog::SetOptions).Default();
        b.String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    });
}

void TSaveDialog::RegisterClassInfo() { RegisterClass<TSaveDialog>("TSaveDialog", "TOpenDialog"); }

TMessageResult MessageBox(const std::string& text, const std::string& caption, TMessageIcon icon,
                          TMessageButtons buttons) {
    const std::string c = caption.empty() && Application ? Application->Title() : caption;
    if (Application) Application->PaintAll();
    return Platform().MessageBox(c, text, icon, buttons);
}

void ShowMessage(const std::string& text) { MessageBox(text); }
