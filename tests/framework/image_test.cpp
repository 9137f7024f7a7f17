// The picture control on a real form: a stretched gradient, a picture cut at its box,
// centring and transparency, and Picture.Data in its stored forms.
#include <gtest/gtest.h>

#include <cstdio>

#include "framework/base/errors.h"
#include "framework/core/streaming.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls_classes.h"
#include "tests/framework/control_tree_fixture.h"

namespace {

// Every pixel its own colour, so a misplaced one shows.
std::unique_ptr<TBitmap> Pattern(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = PixelFromColor(RGB(x * 3, y * 4, 200));
    return b;
}

// A vertical grey gradient, the same in both columns.
std::unique_ptr<TBitmap> Gradient(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b->ScanLine(y)[x] = PixelFromColor(RGB(y % 256, y / 2, 255 - y % 256));
    return b;
}

std::string Hex(const std::string& bytes) {
    std::string out;
    char two[3];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02X", c);
        out += two;
    }
    return out;
}

std::string BmpBytes(const TBitmap& b) {
    const std::vector<uint8_t> bmp = SaveBitmapToBmp(b);
    return std::string(bmp.begin(), bmp.end());
}

class Image : public ControlTreeTest {
protected:
    void SetUp() override {
        ControlTreeTest::SetUp();
        Form->SetClientWidth(700);
        Form->SetClientHeight(200);
    }
    TImage* MakeImage(TRect bounds) {
        auto* i = new TImage(Form);
        i->SetBoundsRect(bounds);
        i->SetParent(Form);
        return i;
    }
};

}  // namespace

TEST_F(Image, StretchedGradientFillsTheBoxRowByRow) {
    auto source = Gradient(2, 264);
    TImage* image = MakeImage(Rect(0, 0, 689, 177));
    image->Picture()->Bitmap()->Assign(*source);
    image->Picture()->Changed();
    image->SetStretch(true);
    ShowForm();
    for (int y = 0; y < 177; ++y) {
        const TColor row = ScreenPixel(0, y);
        for (int x = 1; x < 689; ++x) ASSERT_EQ(ScreenPixel(x, y), row) << x << "," << y;
    }
    EXPECT_EQ(ScreenPixel(0, 0), ColorFromPixel(source->ScanLine(0)[0]));
    EXPECT_EQ(ScreenPixel(0, 176), ColorFromPixel(source->ScanLine(263)[0]));
    EXPECT_EQ(ScreenPixel(689, 100), clWhite);
    EXPECT_EQ(ScreenPixel(0, 177), clWhite);
}

TEST_F(Image, UnstretchedPictureIsDrawnFromTheTopLeftAndCutAtTheBox) {
    auto source = Pattern(70, 63);
    TImage* image = MakeImage(Bounds(120, 52, 65, 57));
    image->Picture()->Bitmap()->Assign(*source);
    image->Picture()->Changed();
    ShowForm();
    EXPECT_EQ(ScreenPixel(120, 52), ColorFromPixel(source->ScanLine(0)[0]));
    EXPECT_EQ(ScreenPixel(120 + 64, 52 + 56), ColorFromPixel(source->ScanLine(56)[64]));
    EXPECT_EQ(ScreenPixel(150, 80), ColorFromPixel(source->ScanLine(28)[30]));
    for (int y = 50; y < 120; ++y) EXPECT_EQ(ScreenPixel(185, y), clWhite) << y;   // right of the box
    for (int x = 110; x < 200; ++x) EXPECT_EQ(ScreenPixel(x, 109), clWhite) << x;  // below it

    // Centred, a picture smaller than its box sits in the middle; the rest is the parent's.
    image->Picture()->Bitmap()->Assign(*Pattern(5, 3));
    image->Picture()->Changed();
    image->SetCenter(true);
    App->ProcessMessages();
    EXPECT_EQ(image->DestRect(), Bounds(30, 27, 5, 3));
    EXPECT_EQ(ScreenPixel(150, 79), ColorFromPixel(Pattern(5, 3)->ScanLine(0)[0]));
    EXPECT_EQ(ScreenPixel(149, 79), clWhite);
    EXPECT_EQ(ScreenPixel(120, 52), clWhite);
}

TEST_F(Image, TransparentLetsTheBottomLeftColourThrough) {
    Glyph("Under", Form, Rect(10, 10, 30, 30), clBlue);
    auto source = std::make_unique<TBitmap>(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) source->ScanLine(y)[x] = PixelFromColor(x < 10 ? clLime : clRed);
    TImage* image = MakeImage(Rect(10, 10, 30, 30));
    image->Picture()->Bitmap()->Assign(*source);
    image->Picture()->Changed();
    ShowForm();
    EXPECT_EQ(ScreenPixel(12, 12), clLime);
    image->SetTransparent(true);
    App->ProcessMessages();
    EXPECT_EQ(ScreenPixel(12, 12), clBlue);  // lime is the bottom-left colour
    EXPECT_EQ(ScreenPixel(25, 12), clRed);
}

TEST_F(Image, PictureDataFromAStoredDescription) {
    RegisterStdCtrlsClasses();
    auto source = Pattern(3, 2);
    const std::string bmp = BmpBytes(*source);
    const std::string prefixed = std::string(
                                     "\x07"
                                     "TBitmap") +
                                 bmp;
    const uint32_t n = static_cast<uint32_t>(bmp.size());
    const std::string withLength = std::string(
                                       "\x07"
                                       "TBitmap") +
                                   std::string{static_cast<char>(n), static_cast<char>(n >> 8),
                                               static_cast<char>(n >> 16), static_cast<char>(n >> 24)} +
                                   bmp;
    for (const std::string& data : {prefixed, withLength, bmp}) {
        std::unique_ptr<TComponent> c(
            CreateComponentFromText("object Image3: TImage\n"
                                    "  Left = 120\n"
                                    "  Top = 152\n"
                                    "  Width = 65\n"
                                    "  Height = 57\n"
                                    "  Picture.Data = {\n"
                                    "    " +
                                    Hex(data) +
                                    "}\n"
                                    "end\n"));
        auto* image = dynamic_cast<TImage*>(c.get());
        ASSERT_NE(image, nullptr);
        const TBitmap* b = image->Picture()->Bitmap();
        ASSERT_EQ(b->Width(), 3);
        ASSERT_EQ(b->Height(), 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(b->ScanLine(y)[x], source->ScanLine(y)[x]);
        EXPECT_FALSE(image->Stretch());
    }

    // Written back as the class-name-prefixed blob, and read again to the same pixels.
    TImage image(nullptr);
    image.SetName("Image3");
    image.Picture()->SetData(prefixed);
    EXPECT_EQ(image.Picture()->Data(), prefixed);
    const std::string text = WriteComponentText(&image);
    EXPECT_NE(text.find("Picture.Data = {"), std::string::npos);
    std::unique_ptr<TComponent> again(CreateComponentFromText(text));
    EXPECT_EQ(dynamic_cast<TImage*>(again.get())->Picture()->Data(), prefixed);

    EXPECT_THROW(image.Picture()->SetData(std::string("\x05"
                                                      "TIcon") +
                                          bmp),
                 EInvalidGraphic);
    image.Picture()->SetData("");
    EXPECT_TRUE(image.Picture()->Empty());
}
