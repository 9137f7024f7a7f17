#include "controls/vt_classes.h"

#include "controls/vt_blink.h"
#include "controls/vt_button.h"
#include "controls/vt_edit.h"
#include "controls/vt_label.h"
#include "controls/vt_line.h"
#include "controls/vt_pages.h"
#include "controls/vt_panel.h"
#include "controls/vt_status.h"
#include "controls/vt_tabs.h"
#include "framework/stdctrls/stdctrls_classes.h"

// The one place the control set registers its classes: each class's RegisterClassInfo enters
// only its own table, so parents come first here, and nothing registers from a constructor.
void RegisterControlSetClasses() {
    RegisterStdCtrlsClasses();
    TVtFrameController::RegisterClassInfo();
    TVtRegIniFile::RegisterClassInfo();
    TVtCustomButton::RegisterClassInfo();
    TVtButton::RegisterClassInfo();
    TVtCustomEdit::RegisterClassInfo();
    TVtEdit::RegisterClassInfo();
    TVtMemo::RegisterClassInfo();
    TVtLabel::RegisterClassInfo();
    TVtLine::RegisterClassInfo();
    TVtCustomPanel::RegisterClassInfo();
    TVtPanel::RegisterClassInfo();
    TVtCustomStatusPane::RegisterClassInfo();
    TVtPollingStatus::RegisterClassInfo();
    TVtClockStatus::RegisterClassInfo();
    TVtTabColors::RegisterClassInfo();
    TVtTextColors::RegisterClassInfo();
    TVtCustomTabControl::RegisterClassInfo();
    TVtTabSheet::RegisterClassInfo();
    TVtPageControl::RegisterClassInfo();
}
