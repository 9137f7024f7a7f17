#include "controls/vt_classes.h"

#include "controls/vt_blink.h"
#include "controls/vt_button.h"
#include "controls/vt_edit.h"
#include "controls/vt_label.h"
#include "controls/vt_line.h"
#include "controls/vt_pages.h"
#include "controls/vt_panel.h"
#include "controls/vt_status.h"

void RegisterControlSetClasses() {
    RegisterBlinkClasses();
    TVtCustomButton::RegisterClassInfo();
    TVtButton::RegisterClassInfo();
    RegisterEditControlClasses();
    RegisterLabelClasses();
    TVtLine::RegisterClassInfo();
    TVtCustomPanel::RegisterClassInfo();
    TVtPanel::RegisterClassInfo();
    RegisterStatusClasses();
    TVtPageControl::RegisterClassInfo();  // with the tab control, tab sheets and colour sets
}
