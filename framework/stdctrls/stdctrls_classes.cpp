#include "framework/stdctrls/stdctrls_classes.h"

#include "framework/stdctrls/edits.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/imglist.h"
#include "framework/stdctrls/memo.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/ui/ui_classes.h"

void RegisterStdCtrlsClasses() {
    RegisterUiClasses();
    TCustomLabel::RegisterClassInfo();
    TLabel::RegisterClassInfo();
    TCustomPanel::RegisterClassInfo();
    TPanel::RegisterClassInfo();
    TPicture::RegisterClassInfo();
    TImage::RegisterClassInfo();
    TCustomEdit::RegisterClassInfo();
    TEdit::RegisterClassInfo();
    TCustomMaskEdit::RegisterClassInfo();
    TMaskEdit::RegisterClassInfo();
    TCustomMemo::RegisterClassInfo();
    TMemo::RegisterClassInfo();
    TCustomImageList::RegisterClassInfo();
    TImageList::RegisterClassInfo();
}
