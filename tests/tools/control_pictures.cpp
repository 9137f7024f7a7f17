// Draws control-set pictures on the headless desktop for looking at by eye, each written as
// a PNG under its own name into the folder given:
//   pages-editor.png         the editor's page control, its six pages, as the window shows it
//   pages-editor-top-x2.png  its top 60 rows (strip, tabs, the card's top edge), twice the size
//   pages-strip-x4.png       the strip's first 340 × 30 pixels, four times the size
//   label-title.png          the editor's rotated, shadowed title and the Popups caption
//   label-title-x3.png       the same, three times the size
// Usage: verbolt-control-pictures OUTDIR
#include <cstdio>
#include <string>

#include "controls/vt_label.h"
#include "controls/vt_pages.h"
#include "framework/graphics/bitmap.h"
#include "framework/stdctrls/extctrls.h"
#include "tests/support/headless_session.h"

namespace {

std::string gOut;
int gCount = 0;

void Save(const TBitmap& picture, const std::string& name) {
    picture.SavePng(gOut + "/" + name + ".png");
    ++gCount;
}

// The picture enlarged factor times, to see the pixels.
void SaveEnlarged(const TBitmap& picture, int factor, const std::string& name) {
    TBitmap big(factor * picture.Width(), factor * picture.Height());
    big.Canvas()->StretchDraw(Rect(0, 0, big.Width(), big.Height()), const_cast<TBitmap*>(&picture));
    Save(big, name);
}

// The window's form: single border, Tahoma 8 pt.
void ShapeForm(TForm* form, TColor color, int width, int height) {
    form->SetName("Form");
    form->SetBorderStyle(bsSingle);
    form->SetColor(color);
    form->SetClientWidth(width);
    form->SetClientHeight(height);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-11);
}

// A focusable field on a page, a phrase field's stand-in.
class TField : public TCustomControl {
public:
    explicit TField(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetBounds(16, 16, 100, 19);
    }
};

// VtPageControl1 with its six white pages, each holding one field.
void PagesPictures() {
    HeadlessSession<> s;
    s.Start("Verbolt Editor v1.0");
    ShapeForm(s.Form, 15395562, 689, 427);
    const char* const captions[] = {"Language Information", "Messages and Categories", "Main Information",
                                    "Extra Information",    "Extra Information 2",     "File"};
    auto* pc = new TVtPageControl(s.Form);
    pc->SetName("VtPageControl1");
    pc->SetBounds(8, 80, 676, 321);
    pc->SetBackgroundColor(15000804);
    pc->SetUseColoredTabs(true);
    pc->SetParent(s.Form);
    TVtTabSheet* first = nullptr;
    for (int i = 0; i < 6; ++i) {
        auto* page = new TVtTabSheet(s.Form);
        page->SetName("TabSheet" + std::to_string(i + 1));
        page->SetCaption(captions[i]);
        page->SetPageControl(pc);
        page->SetColor(clWhite);
        auto* field = new TField(s.Form);
        field->SetName("Field" + std::to_string(i + 1));
        field->SetColor(clNavy);
        field->SetParent(page);
        if (!first) first = page;
    }
    pc->SetActivePage(first);
    s.Form->Show();
    s.Settle();

    TBitmap shot(pc->Width(), pc->Height());
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            shot.ScanLine(y)[x] = PixelFromColor(s.ScreenPixel(pc->Left() + x, pc->Top() + y));
    Save(shot, "pages-editor");
    TBitmap top(shot.Width(), 60);
    top.Canvas()->CopyRect(Rect(0, 0, top.Width(), top.Height()), shot.Canvas(), Rect(0, 0, top.Width(), top.Height()));
    SaveEnlarged(top, 2, "pages-editor-top-x2");
    TBitmap strip(340, 30);
    strip.Canvas()->CopyRect(Rect(0, 0, 340, 30), shot.Canvas(), Rect(0, 0, 340, 30));
    SaveEnlarged(strip, 4, "pages-strip-x4");
}

// The editor's title, rotated and shadowed, and the vertical Popups caption on its panel.
void LabelPictures() {
    HeadlessSession<> s;
    s.Start("Verbolt Editor v1.0");
    ShapeForm(s.Form, RGB(192, 192, 192), 400, 200);
    auto* title = new TVtLabel(s.Form);
    title->SetName("Title");
    title->SetLeft(20);
    title->SetTop(0);
    title->SetCaption("Verbolt Editor v1.0");
    title->SetParent(s.Form);
    title->Font()->SetHeight(-27);
    title->Font()->SetStyle({fsBold, fsItalic, fsUnderline});
    title->SetTransparent(true);
    title->SetTextStyle(tsShadow);
    title->SetShadowDepth(5);
    title->SetLightTextStyle(true);
    title->SetAngle(9);
    auto* panel = new TPanel(s.Form);
    panel->SetBounds(300, 20, 80, 120);
    panel->SetColor(6173981);
    panel->SetParent(s.Form);
    auto* popups = new TVtLabel(s.Form);
    popups->SetBounds(8, 40, 13, 41);
    popups->SetCaption("Popups");
    popups->Font()->SetStyle({fsBold});
    popups->Font()->SetColor(clWhite);
    popups->SetAngle(90);
    popups->SetParent(panel);
    s.Form->Show();
    s.Settle();

    const TBitmap& screen = *s.Desk->Screen(s.Window());
    Save(screen, "label-title");
    SaveEnlarged(screen, 3, "label-title-x3");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    gOut = argv[1];
    PagesPictures();
    LabelPictures();
    std::printf("control pictures: %d pictures in %s\n", gCount, gOut.c_str());
    return 0;
}
