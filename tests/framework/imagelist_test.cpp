// Image lists: cutting a strip into images, masks, drawing normal, greyed, blended and on a
// background colour, and the change notifications controls listen to.
#include <gtest/gtest.h>

#include "framework/core/sysutils.h"
#include "framework/stdctrls/imglist.h"

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor c) {
    auto b = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = PixelFromColor(c);
    return b;
}

void Put(TBitmap& b, int x, int y, TColor c) { b.ScanLine(y)[x] = PixelFromColor(c); }

TColor At(TBitmap& b, int x, int y) { return ColorFromPixel(b.ScanLine(y)[x]); }

}  // namespace

TEST(ImageList, StripsMasksAndNormalDrawing) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    list.SetWidth(4);
    list.SetHeight(4);

    // An 8-pixel strip gives two images: red, then green with a fuchsia hole at (1, 1).
    auto strip = Filled(8, 4, clRed);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x) Put(*strip, x, y, clGreen);
    Put(*strip, 5, 1, clFuchsia);
    EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(list.IsOpaque(1, 1, 1));
    EXPECT_TRUE(list.IsOpaque(1, 2, 1));

    TBitmap target(10, 10);
    target.Canvas()->Brush()->SetColor(clYellow);
    target.Canvas()->FillRect(Rect(0, 0, 10, 10));
    list.Draw(target.Canvas(), 3, 2, 1);
    EXPECT_EQ(At(target, 3, 2), clGreen);
    EXPECT_EQ(At(target, 6, 5), clGreen);
    EXPECT_EQ(At(target, 4, 3), clYellow);  // the hole
    EXPECT_EQ(At(target, 7, 2), clYellow);  // outside the 4 × 4 image
    list.Draw(target.Canvas(), 0, 0, 7);    // not an image: nothing
    EXPECT_EQ(At(target, 0, 0), clYellow);

    // A mask bitmap: white is see-through. A background colour fills the holes.
    auto mask = Filled(4, 4, clBlack);
    Put(*mask, 0, 0, clWhite);
    EXPECT_EQ(list.Add(Filled(4, 4, clNavy).get(), mask.get()), 2);
    list.SetBkColor(clAqua);
    list.Draw(target.Canvas(), 0, 6, 2);
    EXPECT_EQ(At(target, 0, 6), clAqua);
    EXPECT_EQ(At(target, 1, 6), clNavy);
    list.Draw(target.Canvas(), 5, 6, 2, dsTransparent, true);
    EXPECT_EQ(At(target, 5, 6), clYellow);

    // Selected blends half of the blend colour in.
    list.SetBlendColor(clWhite);
    list.Draw(target.Canvas(), 0, 0, 0, dsSelected, true);
    EXPECT_EQ(At(target, 0, 0), RGB(255, 128, 128));

    try {
        list.Delete(5);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
}

TEST(ImageList, GreyedDrawingIsAnEmbossedSilhouette) {
    TImageList list(nullptr);
    list.SetWidth(10);
    list.SetHeight(10);
    auto image = Filled(10, 10, clFuchsia);
    Put(*image, 2, 2, clBlack);
    Put(*image, 4, 4, clWhite);  // white is background to the silhouette
    Put(*image, 6, 6, clRed);
    list.AddMasked(image.get(), clFuchsia);

    TBitmap target(12, 12);
    target.Canvas()->Brush()->SetColor(clYellow);
    target.Canvas()->FillRect(Rect(0, 0, 12, 12));
    list.Draw(target.Canvas(), 0, 0, 0, false);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor highlight = ColorToRGB(clBtnHighlight);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            TColor expected = clYellow;
            if ((x == 2 && y == 2) || (x == 6 && y == 6)) expected = shadow;
            else if ((x == 3 && y == 3) || (x == 7 && y == 7)) expected = highlight;
            EXPECT_EQ(At(target, x, y), expected) << x << "," << y;
        }
}

TEST(ImageList, ChangeLinksHearEveryChange) {
    auto list = std::make_unique<TImageList>(nullptr);
    int linked = 0;
    int events = 0;
    TObject* sender = nullptr;
    TChangeLink link;
    link.OnChange = [&](TObject* s) {
        ++linked;
        sender = s;
    };
    list->RegisterChanges(&link);
    list->OnChange = [&](TObject*) { ++events; };
    EXPECT_EQ(link.Sender(), list.get());

    list->Add(Filled(32, 16, clRed).get(), nullptr);
    EXPECT_EQ(linked, 1);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(sender, list.get());
    list->SetWidth(8);  // a new size empties the list
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(linked, 2);
    list->SetWidth(8);  // no change, no news
    EXPECT_EQ(linked, 2);

    {
        TChangeLink shortLived;
        int heard = 0;
        shortLived.OnChange = [&](TObject*) { ++heard; };
        list->RegisterChanges(&shortLived);
        list->Clear();  // already empty: nothing
        list->SetBkColor(clBlack);
        EXPECT_EQ(heard, 1);
    }  // unregisters itself
    list->SetBkColor(clWhite);
    EXPECT_EQ(linked, 4);

    list->UnRegisterChanges(&link);
    EXPECT_EQ(link.Sender(), nullptr);
    list->SetBkColor(clNone);
    EXPECT_EQ(linked, 4);
    list->RegisterChanges(&link);
    list.reset();
    EXPECT_EQ(link.Sender(), nullptr);  // the list went first
}
