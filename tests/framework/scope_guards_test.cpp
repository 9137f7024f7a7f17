// The scope guards: what a scope changed is put back on a normal exit and on an exception,
// an action's own failure reaches the caller unless another exception is already on its
// way, a text list's update block ends exactly once, a canvas returns to its binding.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/core/scope_guards.h"

namespace {

TEST(ScopeGuards, RestoreGivesTheOldValueBackOnEveryExit) {
    bool flag = false;
    {
        TRestore<bool> set(flag, true);
        EXPECT_TRUE(flag);
    }
    EXPECT_FALSE(flag);
    int depth = 3;
    EXPECT_THROW(
        {
            TRestore<int> deeper(depth, 4);
            throw std::runtime_error("inside");
        },
        std::runtime_error);
    EXPECT_EQ(depth, 3);
}

TEST(ScopeGuards, ScopeExitRunsOnceUnlessReleasedAndReportsItsOwnFailure) {
    int runs = 0;
    {
        TScopeExit count([&] { ++runs; });
    }
    EXPECT_EQ(runs, 1);
    EXPECT_THROW(
        {
            TScopeExit count([&] { ++runs; });
            throw std::runtime_error("inside");
        },
        std::runtime_error);
    EXPECT_EQ(runs, 2);
    {
        TScopeExit count([&] { ++runs; });
        count.Release();
    }
    EXPECT_EQ(runs, 2);
    // Left normally, the action's exception is the caller's; left by an exception, that
    // first one is reported.
    EXPECT_THROW({ TScopeExit failing([] { throw std::runtime_error("on the way out"); }); }, std::runtime_error);
    EXPECT_THROW(
        {
            TScopeExit failing([] { throw std::runtime_error("on the way out"); });
            throw std::logic_error("first");
        },
        std::logic_error);
}

TEST(ScopeGuards, AnUpdateBlockEndsOnceAndAnnouncesOnce) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    {
        TStringsUpdate update(&list);
        list.Add("a");
        list.Add("b");
        EXPECT_EQ(list.UpdateCount(), 1);
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(changes, 1);
    // A block left by an exception ends too, and what changed is announced.
    EXPECT_THROW(
        {
            TStringsUpdate update(&list);
            list.Add("c");
            list.Delete(7);  // out of range
        },
        EStringListError);
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\n");
}

TEST(ScopeGuards, ACanvasIsUnboundOrBoundAgainWhereItWas) {
    TBitmap first(8, 8), second(4, 4);
    TCanvas canvas;
    canvas.Bind(&first, {1, 2}, Rect(1, 2, 7, 8));
    {
        TCanvasBinding binding(&canvas, true);
        canvas.Bind(&second, {0, 0}, Rect(0, 0, 4, 4));
        EXPECT_EQ(canvas.Surface(), &second);
    }
    EXPECT_EQ(canvas.Surface(), &first);
    EXPECT_EQ(canvas.DeviceOrigin(), (TPoint{1, 2}));
    EXPECT_EQ(canvas.DeviceClip(), Rect(1, 2, 7, 8));
    EXPECT_THROW(
        {
            TCanvasBinding binding(&canvas);
            canvas.Bind(&second, {0, 0}, Rect(0, 0, 4, 4));
            throw std::runtime_error("painting failed");
        },
        std::runtime_error);
    EXPECT_FALSE(canvas.Bound());
    // Nothing to go back to: unbound.
    {
        TCanvasBinding binding(&canvas, true);
        canvas.Bind(&second, {0, 0}, Rect(0, 0, 4, 4));
    }
    EXPECT_FALSE(canvas.Bound());
}

}  // namespace
