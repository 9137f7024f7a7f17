// The application object: the exception box with the "." rule, timers on the virtual clock,
// the loop's end, the main form, and the save dialog.
#include <gtest/gtest.h>

#include "framework/core/sysutils.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/timers.h"
#include "tests/framework/control_tree_fixture.h"

using Application_ = ControlTreeTest;

TEST_F(Application_, AnEscapedExceptionIsShownWithTheTitleAndTheFinalPeriod) {
    TProbeBox* a = Box("A", Form, Rect(0, 0, 40, 40));
    std::string message;
    a->OnClick = [&](TObject*) { throw EFCreateError(message); };
    ShowForm();
    for (const char* m : {"Disk full", "Done.", "Really?", "(x)", ""}) {
        message = m;
        ClickAt({5, 5});
    }
    a->OnClick = [](TObject*) { throw EAbort(); };
    ClickAt({5, 5});
    const auto& boxes = Desk->MessageBoxes();
    ASSERT_EQ(boxes.size(), 5u);  // the abort is silent
    EXPECT_EQ(boxes[0].Text, "Disk full.");
    EXPECT_EQ(boxes[0].Caption, "Verbolt Editor v1.0");
    EXPECT_EQ(boxes[0].Icon, miError);
    EXPECT_EQ(boxes[0].Buttons, mbOKOnly);
    EXPECT_EQ(boxes[1].Text, "Done.");
    EXPECT_EQ(boxes[2].Text, "Really?.");
    EXPECT_EQ(boxes[3].Text, "(x)");
    EXPECT_EQ(boxes[4].Text, "");
    // The loop goes on: the control still answers.
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    ClickAt({5, 5});
    EXPECT_EQ(clicks, 1);
}

TEST_F(Application_, TimersFireOnTheVirtualClockWhileTheLoopRuns) {
    auto* timer = new TTimer(Form);
    timer->SetInterval(500);
    std::vector<int64_t> ticks;
    timer->OnTimer = [&](TObject*) {
        ticks.push_back(Desk->NowMs());
        // A new interval counts from this tick, as the blink timer relies on.
        timer->SetInterval(ticks.size() % 2 == 1 ? 700 : 300);
        if (ticks.size() == 4) App->Terminate();
    };
    App->Run();
    EXPECT_EQ(ticks, (std::vector<int64_t>{500, 1200, 1500, 2200}));
    EXPECT_TRUE(App->Terminated());
}

TEST_F(Application_, WindowTimersSendWmTimerUntilKilled) {
    struct TTicker : TProbeBox {
        using TProbeBox::TProbeBox;
        std::vector<uintptr_t> Ids;
        void WMTimer(TWMTimer& m) override { Ids.push_back(m.TimerID); }
    };
    auto* t = new TTicker(Form);
    t->SetParent(Form);
    ShowForm();
    SetTimer(t, 7, 60);
    Desk->AdvanceTime(60);
    App->ProcessMessages();
    Desk->AdvanceTime(59);
    App->ProcessMessages();
    EXPECT_EQ(t->Ids, (std::vector<uintptr_t>{7}));
    Desk->AdvanceTime(1);
    App->ProcessMessages();
    EXPECT_EQ(t->Ids.size(), 2u);
    KillTimer(t, 7);
    Desk->AdvanceTime(500);
    App->ProcessMessages();
    EXPECT_EQ(t->Ids.size(), 2u);
    delete t;
    EXPECT_EQ(NextTimerDeadline(), -1);
}

TEST_F(Application_, TheFirstFormIsTheMainFormAndClosingItEndsTheLoop) {
    TForm* second = nullptr;
    App->CreateForm(second);
    EXPECT_EQ(App->MainForm(), Form);
    int created = 0;
    Form->OnCreate = [&](TObject*) { ++created; };
    Desk->OnIdleWait = [&] {
        TPlatformEvent e;
        e.Window = Window();
        e.Type = TPlatformEvent::CloseRequest;
        Desk->Inject(e);
    };
    App->Run();
    EXPECT_TRUE(App->Terminated());
    const auto* w = Desk->FindWindow(Window());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Params.ClientWidth, 200);
    EXPECT_EQ(w->Params.ClientHeight, 100);
    EXPECT_FALSE(w->Params.Resizable);
    EXPECT_EQ(w->Params.Title, "");
}

TEST_F(Application_, TheSaveDialogProposesItsNameAndKeepsTheChosenPath) {
    auto* dlg = new TSaveDialog(Form);
    EXPECT_EQ(dlg->Options(), (TOpenOptions{ofHideReadOnly, ofEnableSizing}));
    EXPECT_FALSE(dlg->Options().Contains(ofOverwritePrompt));
    dlg->SetFileName("kv4_lang.php");
    dlg->SetDefaultExt("php");
    Desk->AnswerSaveDialog(std::optional<std::string>("/tmp/verbolt_lang"));
    Desk->AnswerSaveDialog(std::optional<std::string>());
    EXPECT_TRUE(dlg->Execute());
    EXPECT_EQ(dlg->FileName(), "/tmp/verbolt_lang.php");
    EXPECT_FALSE(dlg->Execute());
    EXPECT_EQ(dlg->FileName(), "/tmp/verbolt_lang.php");
    ASSERT_EQ(Desk->SaveDialogs().size(), 2u);
    EXPECT_EQ(Desk->SaveDialogs()[0].FileName, "kv4_lang.php");
    EXPECT_EQ(Desk->SaveDialogs()[0].DefaultExt, "php");
    EXPECT_EQ(Desk->SaveDialogs()[0].Filter, "");
    EXPECT_EQ(Desk->SaveDialogs()[1].FileName, "/tmp/verbolt_lang.php");
}

TEST_F(Application_, TheEditorsWindowSettingsReachThePlatform) {
    Form->SetCaption("Verbolt Editor v1.0 | For Korvane System 4");
    Form->SetBorderStyle(bsSingle);
    Form->SetBorderIcons({biSystemMenu, biMinimize});
    Form->SetPosition(poDesigned);
    Form->SetLeft(0);
    Form->SetTop(0);
    Form->SetClientWidth(689);
    Form->SetClientHeight(427);
    Form->Show();
    App->ProcessMessages();
    const auto* w = Desk->FindWindow(Window());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Params.Title, "Verbolt Editor v1.0 | For Korvane System 4");
    EXPECT_EQ(w->Params.ClientWidth, 689);
    EXPECT_EQ(w->Params.ClientHeight, 427);
    EXPECT_TRUE(w->Params.PositionGiven);
    EXPECT_EQ(w->Params.Position, (TPoint{0, 0}));
    EXPECT_FALSE(w->Params.Resizable);
    EXPECT_TRUE(w->Params.CloseBox);
    EXPECT_TRUE(w->Params.MinimizeBox);
    EXPECT_FALSE(w->Params.MaximizeBox);
    EXPECT_TRUE(w->Visible);
    EXPECT_EQ(Desk->Screen(Window())->Width(), 689);
    // The taskbar shows the application's title, not the window's caption.
    EXPECT_EQ(Desk->ApplicationTitle(), "Verbolt Editor v1.0");
    App->SetTitle("Another title");
    EXPECT_EQ(Desk->ApplicationTitle(), "Another title");
    EXPECT_EQ(w->Params.Title, "Verbolt Editor v1.0 | For Korvane System 4");
}
