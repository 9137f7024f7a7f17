#include "framework/platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
TWindowParams Params(int width, int height) {
    TWindowParams p;
    p.Title = "t";
    p.ClientWidth = width;
    p.ClientHeight = height;
    return p;
}
}  // namespace

TEST(HeadlessPlatform, VirtualClockMovesOnlyWhenAskedAndLocalTimeRollsOver) {
    THeadlessPlatform p;
    p.SetLocalTimeAtStart({2026, 12, 31, 23, 59, 59, 500});
    EXPECT_EQ(p.NowMs(), 0);
    p.ProcessEvents(false, -1);
    EXPECT_EQ(p.NowMs(), 0);
    p.ProcessEvents(true, 700);  // nothing queued: the wait jumps to the deadline
    EXPECT_EQ(p.NowMs(), 700);
    const TLocalDateTime t = p.LocalNow();
    EXPECT_EQ(t.Year, 2027);
    EXPECT_EQ(t.Month, 1);
    EXPECT_EQ(t.Day, 1);
    EXPECT_EQ(t.Hour, 0);
    EXPECT_EQ(t.Second, 0);
    EXPECT_EQ(t.Millisecond, 200);
    p.SetLocalTimeAtStart({2028, 2, 28, 23, 0, 0, 0});
    p.AdvanceTime(3600 * 1000 - 700);
    EXPECT_EQ(p.LocalNow().Day, 29);  // a leap year
}

TEST(HeadlessPlatform, InjectedInputArrivesInOrderAndTracksTheCursor) {
    THeadlessPlatform p;
    const TWindowId w = p.CreateWindow(Params(100, 50));
    std::vector<TPlatformEvent::Kind> seen;
    p.OnEvent = [&](const TPlatformEvent& e) {
        seen.push_back(e.Type);
        if (e.Type == TPlatformEvent::MouseUp) p.PressKey(w, VK_TAB);  // queued for the next round
    };
    p.Click(w, {10, 20});
    p.TypeText(w, "ab");
    p.ProcessEvents(true, -1);
    EXPECT_EQ(seen,
              (std::vector<TPlatformEvent::Kind>{TPlatformEvent::MouseMove, TPlatformEvent::MouseDown,
                                                 TPlatformEvent::MouseUp, TPlatformEvent::Char, TPlatformEvent::Char}));
    EXPECT_EQ(p.CursorPos(w), (TPoint{10, 20}));
    EXPECT_TRUE(p.HasPendingEvents());
    p.ProcessEvents(false, -1);
    EXPECT_EQ(seen.back(), TPlatformEvent::KeyUp);
}

TEST(HeadlessPlatform, WaitingForeverWithoutAScriptIsAnError) {
    THeadlessPlatform p;
    EXPECT_THROW(p.ProcessEvents(true, -1), std::logic_error);
    int idle = 0;
    p.OnIdleWait = [&] { ++idle; };
    p.ProcessEvents(true, -1);
    EXPECT_EQ(idle, 1);
}

TEST(HeadlessPlatform, SaveDialogAnswersAddTheDefaultExtensionAndCancel) {
    THeadlessPlatform p;
    p.AnswerSaveDialog(std::optional<std::string>("/tmp/lang"));
    p.AnswerSaveDialog(std::optional<std::string>("/tmp/lang.txt"));
    p.AnswerSaveDialog(std::optional<std::string>());
    TSaveDialogRequest r;
    r.FileName = "kv4_lang.php";
    r.DefaultExt = "php";
    EXPECT_TRUE(p.ExecuteSaveDialog(r));
    EXPECT_EQ(r.FileName, "/tmp/lang.php");
    EXPECT_TRUE(p.ExecuteSaveDialog(r));
    EXPECT_EQ(r.FileName, "/tmp/lang.txt");
    EXPECT_FALSE(p.ExecuteSaveDialog(r));
    EXPECT_FALSE(p.ExecuteSaveDialog(r));  // no answer left: cancelled
    ASSERT_EQ(p.SaveDialogs().size(), 4u);
    EXPECT_EQ(p.SaveDialogs()[0].FileName, "kv4_lang.php");
}

TEST(HeadlessPlatform, MessageBoxesAreRecordedAndPresentedPixelsKept) {
    THeadlessPlatform p;
    EXPECT_EQ(p.MessageBox("Verbolt Editor v1.0", "Stream write error.", miError, mbOKOnly), mrOKResult);
    ASSERT_EQ(p.MessageBoxes().size(), 1u);
    EXPECT_EQ(p.MessageBoxes()[0].Text, "Stream write error.");
    EXPECT_EQ(p.MessageBoxes()[0].Icon, miError);

    const TWindowId w = p.CreateWindow(Params(4, 3));
    TBitmap buffer(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) buffer.ScanLine(y)[x] = PixelFromColor(clRed);
    p.Present(w, buffer, Rect(1, 1, 3, 2));
    const TBitmap* screen = p.Screen(w);
    EXPECT_EQ(ColorFromPixel(screen->ScanLine(1)[1]), clRed);
    EXPECT_EQ(ColorFromPixel(screen->ScanLine(1)[2]), clRed);
    EXPECT_NE(ColorFromPixel(screen->ScanLine(1)[3]), clRed);
    EXPECT_NE(ColorFromPixel(screen->ScanLine(0)[1]), clRed);
}
