#include "framework/dialogs.h"

#include "framework/forms.h"
#include "framework/typinfo.h"

TSaveDialog::TSaveDialog(TComponent* owner) : TComponent(owner) {
    static const bool registered = (TSaveDialog::RegisterClassInfo(), true);
    (void)registered;
}

bool TSaveDialog::Execute() {
    TSaveDialogRequest request;
    request.Title = FTitle;
    request.FileName = FFileName;
    request.InitialDir = FInitialDir;
    request.DefaultExt = FDefaultExt;
    request.Filter = FFilter;
    request.FilterIndex = FFilterIndex;
    // Painting that is due goes out before the dialog covers the window.
    if (Application) Application->PaintAll();
    if (!Platform().ExecuteSaveDialog(request)) return false;
    FFileName = request.FileName;
    FFilterIndex = request.FilterIndex;
    return true;
}

namespace {
const TEnumInfo& OpenOptionsInfo() {
    static const TEnumInfo info = MakeEnumInfo(
        "TOpenOption",
        {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
         "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
         "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
         "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
         "ofDontAddToRecent", "ofForceShowHidden"});
    return info;
}
}  // namespace

void TSaveDialog::RegisterClassInfo() {
    RegisterClass<TSaveDialog>("TSaveDialog", "TComponent", [](TClassBuilder<TSaveDialog>& b) {
        b.String("DefaultExt", &TSaveDialog::DefaultExt, &TSaveDialog::SetDefaultExt);
        b.String("FileName", &TSaveDialog::FileName, &TSaveDialog::SetFileName);
        b.String("Filter", &TSaveDialog::Filter, &TSaveDialog::SetFilter);
        b.Integer("FilterIndex", &TSaveDialog::FilterIndex, &TSaveDialog::SetFilterIndex).Default(1);
        b.String("InitialDir", &TSaveDialog::InitialDir, &TSaveDialog::SetInitialDir);
        b.SetOf("Options", OpenOptionsInfo(), &TSaveDialog::Options, &TSaveDialog::SetOptions)
            .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
        b.String("Title", &TSaveDialog::Title, &TSaveDialog::SetTitle);
    });
}

TMessageResult MessageBox(const std::string& text, const std::string& caption, TMessageIcon icon,
                          TMessageButtons buttons) {
    const std::string c = caption.empty() && Application ? Application->Title() : caption;
    if (Application) Application->PaintAll();
    return Platform().MessageBox(c, text, icon, buttons);
}

void ShowMessage(const std::string& text) { MessageBox(text); }
