#include "framework/ui/ui_classes.h"

#include "framework/core/typinfo.h"
#include "framework/ui/controls.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

void RegisterUiClasses() {
    RegisterCoreClasses();
    TControl::RegisterClassInfo();
    TGraphicControl::RegisterClassInfo();
    TWinControl::RegisterClassInfo();
    TCustomControl::RegisterClassInfo();
    TCustomForm::RegisterClassInfo();
    TForm::RegisterClassInfo();
    TOpenDialog::RegisterClassInfo();
    TSaveDialog::RegisterClassInfo();
    TTimer::RegisterClassInfo();
}
