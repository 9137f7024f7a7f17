// Status panes and the clock on a headless form: the clock's text in 24- and 12-hour locales,
// midnight, the date-time hook, the 500 ms poll on the virtual clock redrawing the text area
// only when the text changes, hidden panes, the one shared timer and the shared list's
// lifetime; the pane's pixels in the editor's configuration, the engraved disabled text,
// fitting the width, the fill colour following Color, blinking, the stored description.
//
// Sections: fixture and probes · clock text · polling · pixels · pane behaviour · descriptions
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../framework/control_tree_fixture.h"
#include "controls/vt_status.h"
#include "framework/core/streaming.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/bitmap.h"
#include "framework/ui/timers.h"

namespace {

// ---------------------------------------------------------------- fixture and probes

// A clock that counts its drawings and can finish loading as a description would.
class TProbeClock : public TVtClockStatus {
public:
    using TVtClockStatus::TVtClockStatus;
    int TextDrawings = 0;
    int Paints = 0;
    std::vector<std::string> Drawn;
    void FinishLoading() { Loaded(); }
    void PaintPaneText(const std::string& text) override {
        ++TextDrawings;
        Drawn.push_back(text);
        TVtClockStatus::PaintPaneText(text);
    }

protected:
    void Paint() override {
        ++Paints;
        TVtClockStatus::Paint();
    }
};

class VtStatusTest : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        SetLocalTime(2026, 12, 8, 14, 30, 15, 0);
    }
    // The local time the desktop reports now; it runs on with the virtual clock.
    void SetLocalTime(int y, int mo, int d, int h, int mi, int s, int ms) {
        Desk->SetLocalTimeAtStart({y, mo, d, h, mi, s, ms - static_cast<int>(Desk->NowMs())});
    }
    void SetLocale(const std::string& pattern, char dateSep, bool twelveHour, bool inFront, bool leadingZero) {
        Desk->SetLocaleFormats({pattern, dateSep, ':', twelveHour, inFront, leadingZero, "AM", "PM"});
    }
    TProbeClock* Clock(TRect bounds = Bounds(20, 40, 150, 20)) {
        auto* c = new TProbeClock(Form);
        c->SetBoundsRect(bounds);
        c->SetParent(Form);
        return c;
    }
    TVtPollingStatus* Poller(const std::string& name) {
        auto* p = new TVtPollingStatus(Form);
        p->SetName(name);
        p->SetParent(Form);
        return p;
    }
    void Advance(int ms) {
        Desk->AdvanceTime(ms);
        App->ProcessMessages();
    }
    // Pixels of the form's screen in the rectangle, row by row.
    std::vector<TColor> ScreenArea(const TRect& r) {
        std::vector<TColor> out;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) out.push_back(ScreenPixel(x, y));
        return out;
    }
};

// ---------------------------------------------------------------- clock text

TEST_F(VtStatusTest, TheCTextFollowsTheLocale) {
    TProbeClock* clock = Clock();
    SetLocale("dd/mm/yyyy", '.', false, false, true);
    clock->FinishLoading();
    EXPECT_EQ(clock->ClockText(), "08.12.2026 14:30:15");
    EXPECT_EQ(clock->Text(), clock->ClockText());

    SetLocale("m/d/yyyy", '/', true, false, false);
    clock->RefreshClockText();
    EXPECT_EQ(clock->ClockText(), "12/8/2026 2:30:15 PM");

    SetLocale("yyyy/m/d", '-', true, true, false);
    clock->RefreshClockText();
    EXPECT_EQ(clock->ClockText(), "2026-12-8 PM 2:30:15");

    // No pattern from the locale: the classic short date.
    SetLocale("", '/', false, false, true);
    clock->RefreshClockText();
    EXPECT_EQ(clock->ClockText(), "12/8/26 14:30:15");
}

TEST_F(VtStatusTest, EmptyFormatIsCAndAFormatChangeRefreshesAtOnce) {
    TProbeClock* clock = Clock();
    clock->FinishLoading();
    const std::string c = clock->ClockText();
    EXPECT_EQ(c, "08/12/2026 14:30:15");  // the headless desktop's locale
    clock->SetFormat("c");
    EXPECT_EQ(clock->ClockText(), c);
    clock->SetFormat("hh:nn");
    EXPECT_EQ(clock->ClockText(), "14:30");
    clock->SetFormat("");
    EXPECT_EQ(clock->ClockText(), c);
}

// A desktop whose locale changes, or one that comes after the window was read, sends
// CM_WININICHANGE down the window: a clock inside a panel formats the moment again at once.
TEST_F(VtStatusTest, TheClockFormatsAgainWhenTheLocaleSettingsChange) {
    TProbeBox* panel = Box("Panel", Form, Bounds(10, 10, 180, 60));
    TProbeClock* clock = Clock();
    clock->SetParent(panel);
    clock->FinishLoading();
    EXPECT_EQ(clock->ClockText(), "08/12/2026 14:30:15");
    SetLocale("m/d/yyyy", '/', true, false, false);
    EXPECT_EQ(clock->ClockText(), "08/12/2026 14:30:15");  // nobody has said so yet
    Form->Perform(CM_WININICHANGE);
    EXPECT_EQ(clock->ClockText(), "12/8/2026 2:30:15 PM");
    EXPECT_EQ(clock->Text(), clock->ClockText());
}

TEST_F(VtStatusTest, MidnightShowsOnlyTheDateForThatSecond) {
    SetLocalTime(2026, 12, 9, 0, 0, 0, 250);
    TProbeClock* clock = Clock();
    clock->FinishLoading();
    EXPECT_EQ(clock->ClockText(), "09/12/2026");
    Advance(500);
    EXPECT_EQ(clock->ClockText(), "09/12/2026");
    Advance(500);
    EXPECT_EQ(clock->ClockText(), "09/12/2026 00:00:01");
}

TEST_F(VtStatusTest, TheDateTimeHookMayMoveTheMoment) {
    TProbeClock* clock = Clock();
    TObject* sender = nullptr;
    clock->OnGetDateTime = [&](TObject* s, TDateTime& t) {
        sender = s;
        t += OneHour;
    };
    clock->FinishLoading();
    EXPECT_EQ(sender, clock);
    EXPECT_EQ(clock->ClockText(), "08/12/2026 15:30:15");
}

// ---------------------------------------------------------------- polling

TEST_F(VtStatusTest, PollsEveryHalfSecondAndRedrawsOnlyWhenTheTextChanges) {
    TProbeClock* clock = Clock();
    int expired = 0;
    clock->OnTimerExpired = [&](TObject*) { ++expired; };
    clock->FinishLoading();
    ShowForm();
    ASSERT_EQ(clock->ClockText(), "08/12/2026 14:30:15");
    const TRect area = OffsetRect(clock->PaneTextArea(), clock->Left(), clock->Top());
    const std::vector<TColor> first = ScreenArea(area);
    // The first paint drew the frame and the text loading computed.
    EXPECT_EQ(clock->Paints, 1);
    EXPECT_EQ(clock->Drawn, (std::vector<std::string>{"08/12/2026 14:30:15"}));
    clock->TextDrawings = 0;
    clock->Paints = 0;
    clock->Drawn.clear();

    Advance(499);
    EXPECT_EQ(expired, 0);
    Advance(1);  // 14:30:15.500: the same text, nothing drawn
    EXPECT_EQ(expired, 1);
    EXPECT_EQ(clock->TextDrawings, 0);
    Advance(500);  // 14:30:16: the text area alone, straight away
    EXPECT_EQ(expired, 2);
    EXPECT_EQ(clock->ClockText(), "08/12/2026 14:30:16");
    EXPECT_EQ(clock->Drawn, (std::vector<std::string>{"08/12/2026 14:30:16"}));
    EXPECT_NE(ScreenArea(area), first);
    Advance(500);
    Advance(500);
    EXPECT_EQ(expired, 4);
    EXPECT_EQ(clock->Drawn, (std::vector<std::string>{"08/12/2026 14:30:16", "08/12/2026 14:30:17"}));
    // No repaint was asked for: the frame was never drawn again.
    EXPECT_EQ(clock->Paints, 0);
}

TEST_F(VtStatusTest, AHiddenPaneIsSkipped) {
    TVtPollingStatus* shown = Poller("Shown");
    TVtPollingStatus* hidden = Poller("Hidden");
    std::vector<std::string> ticks;
    shown->OnTimerExpired = [&](TObject*) { ticks.push_back("Shown"); };
    hidden->OnTimerExpired = [&](TObject*) { ticks.push_back("Hidden"); };
    hidden->SetVisible(false);
    Advance(500);
    EXPECT_EQ(ticks, (std::vector<std::string>{"Shown"}));
    hidden->SetVisible(true);
    Advance(500);
    EXPECT_EQ(ticks, (std::vector<std::string>{"Shown", "Shown", "Hidden"}));
}

TEST_F(VtStatusTest, ActiveAndIntervalActOnTheOneSharedTimer) {
    TVtPollingStatus* a = Poller("A");
    TVtPollingStatus* b = Poller("B");
    int ticks = 0;
    b->OnTimerExpired = [&](TObject*) { ++ticks; };
    EXPECT_TRUE(b->Active());
    EXPECT_EQ(b->Interval(), 500);
    a->SetInterval(200);
    EXPECT_EQ(b->Interval(), 200);
    Advance(200);
    Advance(200);
    EXPECT_EQ(ticks, 2);
    const int running = ActiveTimerCount();
    a->SetActive(false);
    EXPECT_FALSE(b->Active());
    EXPECT_EQ(ActiveTimerCount(), running - 1);
    Advance(1000);
    EXPECT_EQ(ticks, 2);
    b->SetActive(true);
    Advance(200);
    EXPECT_EQ(ticks, 3);
    // An interval of 0 stops polling as well.
    b->SetInterval(0);
    Advance(1000);
    EXPECT_EQ(ticks, 3);
}

TEST_F(VtStatusTest, TheSharedListLivesFromTheFirstPollingPaneToTheLast) {
    ASSERT_EQ(TVtPollingList::Instance(), nullptr);
    const int timersBefore = ActiveTimerCount();
    auto* a = new TVtPollingStatus(Form);
    TVtPollingList* list = TVtPollingList::Instance();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->TimerActive());
    EXPECT_EQ(list->TimerInterval(), 500);
    // The poll timer and the blink timer run although nothing blinks.
    EXPECT_EQ(ActiveTimerCount(), timersBefore + 2);
    auto* b = new TVtClockStatus(Form);
    EXPECT_EQ(TVtPollingList::Instance(), list);
    EXPECT_EQ(list->Count(), 2);
    delete a;
    EXPECT_EQ(TVtPollingList::Instance(), list);
    EXPECT_EQ(list->Count(), 1);
    delete b;
    EXPECT_EQ(TVtPollingList::Instance(), nullptr);
    EXPECT_EQ(TVtBlinkingControlsList::Instance(), nullptr);
    EXPECT_EQ(ActiveTimerCount(), timersBefore);
}

TEST_F(VtStatusTest, APollHandlerMayFreeTheLastPane) {
    TVtPollingStatus* a = Poller("A");
    a->OnTimerExpired = [a](TObject*) { delete a; };
    Advance(500);
    EXPECT_EQ(TVtPollingList::Instance(), nullptr);
    EXPECT_EQ(Form->FindComponent("A"), nullptr);
}

// ---------------------------------------------------------------- pixels

constexpr TColor kWindowGrey = 15395562;  // #EAEAEA

TEST_F(VtStatusTest, TheHeaderClockDrawsItsFlatFrameFillAndCentredText) {
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object VtClockStatus1: TVtClockStatus\n"
                      "    Left = 20\n"
                      "    Top = 40\n"
                      "    Width = 150\n"
                      "    Height = 20\n"
                      "    Alignment = taCenter\n"
                      "    BlinkColor = 2960685\n"
                      "    Color = 15395562\n"
                      "    FillColor = 15395562\n"
                      "    Format = 'c'\n"
                      "    ParentColor = False\n"
                      "    ParentFillColor = False\n"
                      "  end\n"
                      "end\n");
    auto* clock = dynamic_cast<TVtClockStatus*>(Form->FindComponent("VtClockStatus1"));
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->ClockText(), "08/12/2026 14:30:15");  // computed when loading completed
    EXPECT_FALSE(clock->ParentFillColor());
    EXPECT_EQ(clock->FrameStyle(), fsFlat);
    ShowForm();

    const int ox = clock->Left(), oy = clock->Top();
    auto at = [&](int x, int y) { return ScreenPixel(ox + x, oy + y); };
    const TColor grey = ColorToRGB(kWindowGrey);
    const TColor frame = RGB(201, 198, 188);  // clBtnShadow (172, 168, 153) lightened by 30
    // The outer ring and the frame's corner pixels keep Color.
    for (int x = 0; x < 150; ++x) {
        EXPECT_EQ(at(x, 0), grey) << x;
        EXPECT_EQ(at(x, 19), grey) << x;
    }
    for (TPoint p : {TPoint{1, 1}, TPoint{148, 1}, TPoint{1, 18}, TPoint{148, 18}}) EXPECT_EQ(at(p.X, p.Y), grey);
    for (int y = 2; y <= 17; ++y) {
        EXPECT_EQ(at(1, y), frame) << y;
        EXPECT_EQ(at(148, y), frame) << y;
        EXPECT_EQ(at(0, y), grey);
        EXPECT_EQ(at(149, y), grey);
    }
    for (int x = 2; x <= 147; ++x) {
        EXPECT_EQ(at(x, 1), frame) << x;
        EXPECT_EQ(at(x, 18), frame) << x;
    }
    EXPECT_EQ(clock->PaneTextArea(), Rect(2, 2, 148, 18));

    // The text: in the window text colour, inside the text area, centred on x = 75.
    int minX = 1000, maxX = -1;
    for (int y = 2; y < 18; ++y)
        for (int x = 2; x < 148; ++x) {
            const TColor c = at(x, y);
            if (c == grey) continue;
            EXPECT_EQ(c, ColorToRGB(clWindowText)) << x << "," << y;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
        }
    ASSERT_GE(maxX, 0) << "no text drawn";
    EXPECT_NEAR((minX + maxX) / 2.0, 75.0, 1.5);

    // A fill of its own shows exactly on the text area, inside the frame.
    clock->SetFillColor(clYellow);
    App->ProcessMessages();
    EXPECT_EQ(at(2, 2), ColorToRGB(clYellow));
    EXPECT_EQ(at(147, 17), ColorToRGB(clYellow));
    EXPECT_EQ(at(1, 2), frame);
    EXPECT_EQ(at(2, 1), frame);
}

TEST_F(VtStatusTest, ADisabledPaneEngravesItsText) {
    TVtPollingStatus* pane = Poller("Pane");
    pane->SetBounds(10, 10, 60, 20);
    pane->SetFillColor(clYellow);
    pane->SetCaption("WM");
    pane->SetEnabled(false);
    ShowForm();
    const TRect a = pane->PaneTextArea();
    int shadow = 0, lit = 0;
    for (int y = a.Top; y < a.Bottom; ++y)
        for (int x = a.Left; x < a.Right; ++x) {
            const TColor c = ScreenPixel(10 + x, 10 + y);
            if (c == ColorToRGB(clBtnShadow)) {
                ++shadow;
            } else if (c == ColorToRGB(clBtnHighlight)) {
                ++lit;
                // Every highlight pixel belongs to the copy one pixel right and down.
                EXPECT_EQ(ScreenPixel(10 + x - 1, 10 + y - 1), ColorToRGB(clBtnShadow)) << x << "," << y;
            } else {
                EXPECT_EQ(c, ColorToRGB(clYellow)) << x << "," << y;
            }
        }
    EXPECT_GT(shadow, 0);
    EXPECT_GT(lit, 0);
}

// ---------------------------------------------------------------- pane behaviour

TEST_F(VtStatusTest, AutoSizeFitsTheText) {
    TVtPollingStatus* pane = Poller("Pane");
    EXPECT_EQ(pane->Width(), 100);
    EXPECT_EQ(pane->Height(), 20);
    pane->SetAutoSize(true);
    EXPECT_EQ(pane->Width(), 40);  // DefaultWidth for no text
    pane->SetDefaultWidth(33);
    EXPECT_EQ(pane->Width(), 33);
    pane->SetCaption("A&B\tC");
    TBitmap surface(1, 1);
    surface.Canvas()->Font()->Assign(*pane->Font());
    TRect r = Rect(0, 0, 0, 0);
    surface.Canvas()->DrawText("A&B\tC", r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    EXPECT_EQ(pane->Width(), r.Width() + 2 * 1 + 2 + 6);
    pane->SetCaptionOffset(10);
    EXPECT_EQ(pane->Width(), r.Width() + 2 * 1 + 10 + 6);
}

TEST_F(VtStatusTest, TheFillFollowsColorUntilSetItself) {
    TVtPollingStatus* pane = Poller("Pane");
    EXPECT_TRUE(pane->ParentColor());
    EXPECT_EQ(pane->Color(), clWhite);  // the form's
    EXPECT_EQ(pane->FillColor(), clWhite);
    Form->SetColor(clNavy);
    EXPECT_EQ(pane->FillColor(), clNavy);
    pane->SetColor(clGreen);
    EXPECT_EQ(pane->FillColor(), clGreen);
    pane->SetFillColor(clYellow);
    EXPECT_FALSE(pane->ParentFillColor());
    pane->SetColor(clMaroon);
    EXPECT_EQ(pane->FillColor(), clYellow);
    // Following again takes the colour at once.
    pane->SetParentFillColor(true);
    EXPECT_EQ(pane->FillColor(), clMaroon);
}

TEST_F(VtStatusTest, BlinkingSwitchesTheTextColourWithThePhases) {
    TVtPollingStatus* pane = Poller("Pane");
    pane->Font()->SetColor(clGreen);
    EXPECT_EQ(pane->Perform(BlinkQueryMessage), 0);
    pane->SetBlinking(true);
    EXPECT_EQ(pane->Perform(BlinkQueryMessage), 1);
    EXPECT_EQ(pane->CurrentTextColor(), clGreen);  // waits for the next phase
    pane->Perform(BlinkStateMessage, 1);
    EXPECT_EQ(pane->CurrentTextColor(), clHighlight);
    // A font change while blinking changes the normal colour only.
    pane->Font()->SetColor(clNavy);
    EXPECT_EQ(pane->CurrentTextColor(), clHighlight);
    pane->SetBlinking(false);
    EXPECT_EQ(pane->CurrentTextColor(), clNavy);
    pane->Perform(BlinkStateMessage, 1);
    EXPECT_EQ(pane->CurrentTextColor(), clNavy);
}

// ---------------------------------------------------------------- descriptions

TEST_F(VtStatusTest, TheClockStoresItsSettingsButNeverItsText) {
    ReadComponentText(Form,
                      "object Form: TForm\n"
                      "  object Clock: TVtClockStatus\n"
                      "    Color = 15395562\n"
                      "    FillColor = 15395562\n"
                      "    Format = 'c'\n"
                      "    ParentColor = False\n"
                      "    ParentFillColor = False\n"
                      "  end\n"
                      "end\n");
    auto* clock = dynamic_cast<TVtClockStatus*>(Form->FindComponent("Clock"));
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(clock->Width(), 150);
    EXPECT_FALSE(clock->Text().empty());
    const std::string text = WriteComponentText(Form);
    EXPECT_EQ(text.find("Caption"), std::string::npos) << text;
    EXPECT_NE(text.find("FillColor = 15395562"), std::string::npos) << text;
    EXPECT_NE(text.find("ParentFillColor = False"), std::string::npos) << text;
    EXPECT_NE(text.find("Format = 'c'"), std::string::npos) << text;
    EXPECT_EQ(text.find("Interval"), std::string::npos) << text;
}

}  // namespace
