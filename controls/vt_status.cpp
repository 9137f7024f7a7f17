// Status panes and the clock. Sections:
//   1. TVtCustomStatusPane: lifetime, properties, notifications, what assistive tools are
//      told, measuring, painting, blinking
//   2. TVtPollingList
//   3. TVtPollingStatus
//   4. TVtClockStatus
//   5. class tables
#include "controls/vt_status.h"

#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/timers.h"

// ---------------------------------------------------------------- 1. TVtCustomStatusPane

namespace {

// What a frame style takes from the text area on each side, beyond BorderWidth.
int FrameAllowance(TFrameStyle style) {
    switch (style) {
        case fsNone: return 0;
        case fsFlat:
        case fsStatus:
        case fsPopup: return 1;
        default: return 2;
    }
}

}  // namespace

TVtCustomStatusPane::TVtCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
    // The frame paint covers every pixel of the bounds.
    FControlStyle.Include(csOpaque);
    SetBounds(0, 0, 100, 20);
    FParentColor = true;
    FParentFillColor = Defaults::ParentFillColor;
    FFillColor = FColor;
    FNormalTextColor = Font()->Color();
    FCurrentTextColor = FNormalTextColor;
    TVtBlinkingControlsList::Obtain()->Register(this);
}

TVtCustomStatusPane::~TVtCustomStatusPane() {
    LinkFrameController(this, FFrameController, nullptr);
    if (TVtBlinkingControlsList* list = TVtBlinkingControlsList::Instance()) list->Unregister(this);
    TVtBlinkingControlsList::ReleaseIfEmpty();
}

// ---- properties

void TVtCustomStatusPane::SetBlinking(bool v) {
    if (!Change(FBlinking, v)) return;
    // Switching on waits for the next blink phase; switching off shows the normal colour now.
    if (!v) {
        FCurrentTextColor = FNormalTextColor;
        Repaint();
    }
}

uint16_t TVtCustomStatusPane::BlinkIntervalOff() const {
    const TVtBlinkingControlsList* list = TVtBlinkingControlsList::Instance();
    return list ? list->IntervalOff() : TVtBlinkingControlsList::Defaults::IntervalOff;
}

void TVtCustomStatusPane::SetBlinkIntervalOff(uint16_t ms) { TVtBlinkingControlsList::Obtain()->SetIntervalOff(ms); }

uint16_t TVtCustomStatusPane::BlinkIntervalOn() const {
    const TVtBlinkingControlsList* list = TVtBlinkingControlsList::Instance();
    return list ? list->IntervalOn() : TVtBlinkingControlsList::Defaults::IntervalOn;
}

void TVtCustomStatusPane::SetBlinkIntervalOn(uint16_t ms) { TVtBlinkingControlsList::Obtain()->SetIntervalOn(ms); }

void TVtCustomStatusPane::SetCaptionOffset(int v) {
    if (!Change(FCaptionOffset, v)) return;
    Invalidate();
    FitPaneWidth();
}

void TVtCustomStatusPane::SetFillColor(TColor v) {
    // Even an unchanged value stops the fill following Color: a description that stores
    // FillColor equal to Color means it.
    FParentFillColor = false;
    if (Change(FFillColor, v)) Invalidate();
}

void TVtCustomStatusPane::SetParentFillColor(bool v) {
    if (!Change(FParentFillColor, v)) return;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TVtCustomStatusPane::SetFrameController(TVtFrameController* v) { LinkFrameController(this, FFrameController, v); }

void TVtCustomStatusPane::ApplyFrameController(TVtFrameController* c) {
    if (!c->FrameVisible()) return;
    SetFrameStyle(c->FrameStyle());
    SetFlatColor(c->FrameColor());
    SetFlatColorAdjustment(0);
    SetFillColor(c->Color());
    SetParentColor(c->ParentColor());
    Invalidate();
}

// ---- notifications

void TVtCustomStatusPane::Loaded() {
    TGraphicControl::Loaded();
    FNormalTextColor = Font()->Color();
    FCurrentTextColor = FNormalTextColor;
    FitPaneWidth();
}

void TVtCustomStatusPane::Dispatch(TMessage& m) {
    if (m.Msg == BlinkQueryMessage) {
        m.Result = FBlinking ? 1 : 0;
        return;
    }
    if (m.Msg == BlinkStateMessage) {
        if (FBlinking) ShowBlinkPhase(static_cast<int>(m.WParam));
        return;
    }
    TGraphicControl::Dispatch(m);
}

void TVtCustomStatusPane::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFrameController) FFrameController = nullptr;
}

void TVtCustomStatusPane::CMFontChanged(TMessage& m) {
    TGraphicControl::CMFontChanged(m);
    if (ComponentState().Contains(csLoading)) return;
    FNormalTextColor = Font()->Color();
    if (!FBlinking) FCurrentTextColor = FNormalTextColor;
    FitPaneWidth();
}

void TVtCustomStatusPane::CMTextChanged(TMessage& m) {
    TGraphicControl::CMTextChanged(m);
    Invalidate();
    FitPaneWidth();
}

void TVtCustomStatusPane::CMColorChanged(TMessage& m) {
    TGraphicControl::CMColorChanged(m);
    if (FParentFillColor) FFillColor = FColor;
    Invalidate();
}

void TVtCustomStatusPane::CMParentColorChanged(TMessage& m) {
    TGraphicControl::CMParentColorChanged(m);
    if (FParentFillColor) FFillColor = FColor;
    Invalidate();
}

void TVtCustomStatusPane::CMMouseEnter(TMessage& m) {
    TGraphicControl::CMMouseEnter(m);
    if (!ComponentState().Contains(csDesigning) && OnMouseEnter) OnMouseEnter(this);
}

void TVtCustomStatusPane::CMMouseLeave(TMessage& m) {
    TGraphicControl::CMMouseLeave(m);
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---- assistive tools

void TVtCustomStatusPane::GetAccessibleInfo(int part, TAccessibleInfo& info) {
    TGraphicControl::GetAccessibleInfo(part, info);
    info.Name = Caption();
    info.HasText = true;
    info.Text = Caption();
}

// ---- measuring

int TVtCustomStatusPane::PaneFitWidth(TCanvas* canvas) {
    const std::string text = Text();
    if (text.empty()) return FDefaultWidth;
    TRect r = Rect(0, 0, 0, 0);
    canvas->DrawText(text, r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    return r.Width() + 2 * FBorderWidth + FCaptionOffset + 6;
}

void TVtCustomStatusPane::FitPaneWidth() {
    if (!FAutoSize || ComponentState().Contains(csReading)) return;
    // Measured off-screen: fitting draws nothing.
    TBitmap surface(1, 1);
    TCanvas* canvas = surface.Canvas();
    canvas->Font()->Assign(*Font());
    SetWidth(PaneFitWidth(canvas));
}

// ---- painting

TRect TVtCustomStatusPane::PaneTextArea() const {
    const int inset = FBorderWidth + FrameAllowance(FFrameStyle);
    return InflateRect(Rect(0, 0, FWidth, FHeight), -inset, -inset);
}

void TVtCustomStatusPane::PaintPaneFrame() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(Rect(0, 0, FWidth, FHeight));
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    const TRect r = InflateRect(Rect(0, 0, FWidth, FHeight), -FBorderWidth, -FBorderWidth);
    if (FFrameStyle != fsFlat) {
        PaintFrameStyle(c, r, FFrameStyle);
        return;
    }
    // Four lines that leave the corner pixels in Color.
    c->Pen()->SetColor(ShiftColorLightness(FFlatColor, FFlatColorAdjustment));
    auto line = [c](int x1, int y1, int x2, int y2) {
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    line(r.Left, r.Top + 1, r.Left, r.Bottom - 1);
    line(r.Left + 1, r.Top, r.Right - 1, r.Top);
    line(r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    line(r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
}

void TVtCustomStatusPane::PaintPaneText(const std::string& text) {
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    c->Font()->SetColor(FCurrentTextColor);
    const TRect a = PaneTextArea();
    int x = 0;
    unsigned align = TA_TOP;
    switch (FAlignment) {
        case taLeftJustify:
            x = a.Left + FCaptionOffset + 1;
            align |= TA_LEFT;
            break;
        case taRightJustify:
            x = a.Right - FCaptionOffset - 1;
            align |= TA_RIGHT;
            break;
        case taCenter:
            x = a.Left + (a.Right - a.Left) / 2;
            align |= TA_CENTER;
            break;
    }
    const int y = a.Top + (a.Bottom - a.Top - c->TextHeight("Pp")) / 2;
    const unsigned oldAlign = c->TextAlign();
    c->SetTextAlign(align);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FFillColor);
    // Each drawing fills the area with a solid brush, so the text area repaints as a whole.
    if (!Enabled()) {
        c->Font()->SetColor(clBtnHighlight);
        c->TextRect(a, x + 1, y + 1, text);
        c->Font()->SetColor(clBtnShadow);
        c->Brush()->SetStyle(bsClear);
    }
    c->TextRect(a, x, y, text);
    c->SetTextAlign(oldAlign);
    c->Brush()->SetStyle(bsSolid);
}

void TVtCustomStatusPane::PaintPaneTextNow(const std::string& text) {
    if (!FVisible) return;
    if (!Canvas()->Bound()) return;
    PaintPaneText(text);
}

void TVtCustomStatusPane::Paint() {
    PaintPaneFrame();
    PaintPaneText(Text());
}

// ---- blinking

void TVtCustomStatusPane::ShowBlinkPhase(int phase) {
    FCurrentTextColor = phase != 0 ? FBlinkColor : FNormalTextColor;
    Repaint();
}

// ---------------------------------------------------------------- 2. TVtPollingList

namespace {
TVtPollingList* gPollingList = nullptr;
}  // namespace

TVtPollingList* TVtPollingList::Obtain() {
    if (!gPollingList) gPollingList = new TVtPollingList();
    return gPollingList;
}

TVtPollingList* TVtPollingList::Instance() { return gPollingList; }

void TVtPollingList::ReleaseIfEmpty() {
    if (gPollingList && gPollingList->Count() == 0) delete gPollingList;
}

TVtPollingList::TVtPollingList() : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetEnabled(Defaults::TimerActive);
    FTimer->SetInterval(Defaults::TimerInterval);
    FTimer->SetOnTimer([this](TObject*) { Poll(); });
}

TVtPollingList::~TVtPollingList() {
    if (gPollingList == this) gPollingList = nullptr;
}

bool TVtPollingList::TimerActive() const { return FTimer->Enabled(); }

void TVtPollingList::SetTimerActive(bool v) {
    if (FTimer->Enabled() != v) FTimer->SetEnabled(v);
}

uint16_t TVtPollingList::TimerInterval() const { return static_cast<uint16_t>(FTimer->Interval()); }

void TVtPollingList::SetTimerInterval(uint16_t ms) {
    if (FTimer->Interval() != ms) FTimer->SetInterval(ms);
}

void TVtPollingList::Register(TVtPollingStatus* pane) { FPanes.push_back(pane); }

void TVtPollingList::Unregister(TVtPollingStatus* pane) { std::erase(FPanes, pane); }

void TVtPollingList::Poll() {
    // A handler may free panes, or the last of them and this list with it.
    const size_t n = FPanes.size();
    for (size_t i = 0; i < n && i < FPanes.size(); ++i) {
        TVtPollingStatus* pane = FPanes[i];
        if (pane->Visible()) pane->PollTick();
        if (gPollingList != this) return;
    }
}

// ---------------------------------------------------------------- 3. TVtPollingStatus

TVtPollingStatus::TVtPollingStatus(TComponent* owner) : TVtCustomStatusPane(owner) {
    TVtPollingList::Obtain()->Register(this);
}

TVtPollingStatus::~TVtPollingStatus() {
    if (TVtPollingList* list = TVtPollingList::Instance()) list->Unregister(this);
    TVtPollingList::ReleaseIfEmpty();
}

bool TVtPollingStatus::Active() const { return TVtPollingList::Obtain()->TimerActive(); }

void TVtPollingStatus::SetActive(bool v) { TVtPollingList::Obtain()->SetTimerActive(v); }

uint16_t TVtPollingStatus::Interval() const { return TVtPollingList::Obtain()->TimerInterval(); }

void TVtPollingStatus::SetInterval(uint16_t ms) { TVtPollingList::Obtain()->SetTimerInterval(ms); }

void TVtPollingStatus::PollTick() {
    if (OnTimerExpired) OnTimerExpired(this);
}

// ---------------------------------------------------------------- 4. TVtClockStatus

TVtClockStatus::TVtClockStatus(TComponent* owner) : TVtPollingStatus(owner) { SetWidth(150); }

TVtClockStatus::~TVtClockStatus() = default;

void TVtClockStatus::SetFormat(const std::string& v) {
    if (!Change(FFormat, v)) return;
    RefreshClockText();
    Invalidate();
}

void TVtClockStatus::RefreshClockText() {
    TDateTime moment = Now();
    if (OnGetDateTime) OnGetDateTime(this, moment);
    const std::string text =
        FormatDateTime(FFormat.empty() ? std::string("c") : FFormat, moment, LocaleFormatSettings());
    if (text == FClockText) return;
    FClockText = text;
    // The text itself changes quietly: only the text area is redrawn, below.
    SetTextValue(text);
    FitPaneWidth();
    PaintPaneTextNow(text);
    NotifyAccessible(this, aeChanged);
}

void TVtClockStatus::PollTick() {
    RefreshClockText();
    TVtPollingStatus::PollTick();
}

void TVtClockStatus::Loaded() {
    TVtPollingStatus::Loaded();
    RefreshClockText();
    SetTextValue(FClockText);
    FitPaneWidth();
}

void TVtClockStatus::CMWinIniChange(TMessage& m) {
    TVtPollingStatus::CMWinIniChange(m);
    RefreshClockText();
}

void TVtClockStatus::Paint() {
    SetTextValue(FClockText);
    TVtPollingStatus::Paint();
}

// ---------------------------------------------------------------- 5. class tables

void TVtCustomStatusPane::RegisterClassInfo() {
    RegisterClass<TVtCustomStatusPane>(
        "TVtCustomStatusPane", "TGraphicControl", [](TClassBuilder<TVtCustomStatusPane>& b) {
            using P = TVtCustomStatusPane;
            using D = TVtCustomStatusPane::Defaults;
            using BlinkD = TVtBlinkingControlsList::Defaults;
            b.Enumeration("Alignment", AlignmentInfo(), &P::Alignment, &P::SetAlignment).Default(D::Alignment);
            b.Boolean("AutoSize", &P::AutoSize, &P::SetAutoSize).Default(D::AutoSize);
            b.Integer("DefaultWidth", &P::DefaultWidth, &P::SetDefaultWidth).Default(D::DefaultWidth);
            b.Boolean("Blinking", &P::Blinking, &P::SetBlinking).Default(D::Blinking);
            b.Color("BlinkColor", &P::BlinkColor, &P::SetBlinkColor).Default(D::BlinkColor);
            b.Integer("BlinkIntervalOff", &P::BlinkIntervalOff, &P::SetBlinkIntervalOff).Default(BlinkD::IntervalOff);
            b.Integer("BlinkIntervalOn", &P::BlinkIntervalOn, &P::SetBlinkIntervalOn).Default(BlinkD::IntervalOn);
            b.Integer("BorderWidth", &P::BorderWidth, &P::SetBorderWidth).Default(D::BorderWidth);
            b.Integer("CaptionOffset", &P::CaptionOffset, &P::SetCaptionOffset).Default(D::CaptionOffset);
            b.Color("FillColor", &P::FillColor, &P::SetFillColor).NoDefault().Stored([](P& p) {
                return !p.ParentFillColor();
            });
            b.Boolean("ParentFillColor", &P::ParentFillColor, &P::SetParentFillColor).Default(D::ParentFillColor);
            b.Color("FlatColor", &P::FlatColor, &P::SetFlatColor).Default(D::FlatColor);
            b.Integer("FlatColorAdjustment", &P::FlatColorAdjustment, &P::SetFlatColorAdjustment)
                .Default(D::FlatColorAdjustment);
            b.Enumeration("FrameStyle", FrameStyleInfo(), &P::FrameStyle, &P::SetFrameStyle).Default(D::FrameStyle);
            b.Component("FrameController", &P::FrameController, &P::SetFrameController);
            b.Event("OnMouseEnter", &P::OnMouseEnter);
            b.Event("OnMouseLeave", &P::OnMouseLeave);
        });
}

void TVtPollingStatus::RegisterClassInfo() {
    RegisterClass<TVtPollingStatus>("TVtPollingStatus", "TVtCustomStatusPane", [](TClassBuilder<TVtPollingStatus>& b) {
        using P = TVtPollingStatus;
        using D = TVtPollingList::Defaults;
        b.Boolean("Active", &P::Active, &P::SetActive).Default(D::TimerActive);
        b.Integer("Interval", &P::Interval, &P::SetInterval).Default(D::TimerInterval);
        b.Event("OnTimerExpired", &P::OnTimerExpired);
    });
}

void TVtClockStatus::RegisterClassInfo() {
    RegisterClass<TVtClockStatus>("TVtClockStatus", "TVtPollingStatus", [](TClassBuilder<TVtClockStatus>& b) {
        using C = TVtClockStatus;
        b.String("Format", &C::Format, &C::SetFormat).Default("");
        b.Event("OnGetDateTime", &C::OnGetDateTime);
        // The text is the moment's, never a stored value.
        b.String("Caption", &TControl::Caption, &TControl::SetCaption).Stored(false);
    });
}
