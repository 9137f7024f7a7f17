#include "framework/standard_classes.h"

#include "framework/controls.h"
#include "framework/dialogs.h"
#include "framework/edits.h"
#include "framework/extctrls.h"
#include "framework/forms.h"
#include "framework/imglist.h"
#include "framework/memo.h"
#include "framework/stdctrls.h"
#include "framework/timers.h"
#include "framework/typinfo.h"

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
