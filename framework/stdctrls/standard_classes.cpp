#include "framework/stdctrls/standard_classes.h"

#include "framework/ui/controls.h"
#include "framework/ui/dialogs.h"
#include "framework/stdctrls/edits.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/ui/forms.h"
#include "framework/stdctrls/imglist.h"
#include "framework/stdctrls/memo.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/ui/timers.h"
#include "framework/core/typinfo.h"

void RegisterStandardClasses() {
    RegisterFrameworkClasses();
    RegisterControlClasses();
    TCustomForm::RegisterClassInfo();
    TForm::RegisterClassInfo();
    TSaveDialog::RegisterClassInfo();
    TTimer::RegisterClassInfo();
    RegisterStdControlClasses();
    RegisterExtControlClasses();
    RegisterImageListClasses();
    RegisterEditClasses();
    RegisterMemoClasses();
}
