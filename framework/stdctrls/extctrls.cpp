// TCustomPanel, TPanel, TPicture, TImage. Sections:
//   1. Frame3D
//   2. TCustomPanel: setters, client rectangle, painting
//   3. TPicture: stored form, BMP writer
//   4. TImage
//   5. class tables
#include "framework/stdctrls/extctrls.h"

#include <algorithm>

#include "framework/base/errors.h"
#include "framework/core/sysutils.h"
#include "framework/core/typinfo.h"
#include "framework/graphics/canvas.h"

// ---------------------------------------------------------------- 1. Frame3D

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    TCanvasStateSaver saver(canvas);
    canvas->Brush()->SetStyle(bsSolid);
    auto band = [canvas](const TRect& r, TColor c) {
        canvas->Brush()->SetColor(c);
        canvas->FillRect(r);
    };
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        const TRect& r = rect;
        band(Rect(r.Left, r.Top, r.Left + 1, r.Bottom), topColor);
        band(Rect(r.Left, r.Top, r.Right, r.Top + 1), topColor);
        band(Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomColor);
        band(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomColor);
        rect = InflateRect(rect, -1, -1);
    }
}

// ---------------------------------------------------------------- 2. TCustomPanel

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csOpaque,          csDoubleClicks, csReplicatable};
    FColor = clBtnFace;
    FParentColor = false;
    UpdateBoundsFields(FLeft, FTop, 185, 41);
}

TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::SetBevelInner(TPanelBevel v) {
    if (!Change(FBevelInner, v)) return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel v) {
    if (!Change(FBevelOuter, v)) return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
    v = std::clamp(v, 1, kMaxBorderWidth);
    if (FBevelWidth == v) return;
    FBevelWidth = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int v) {
    v = std::clamp(v, 0, kMaxBorderWidth);
    if (FBorderWidth == v) return;
    FBorderWidth = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
    if (v != bsSingle) v = bsNone;
    if (FBorderStyle == v) return;
    FBorderStyle = v;
    RecreateWnd();
    Realign();
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FBorderStyle == bsSingle) {
        if (FCtl3D) params.ExStyle |= WS_EX_CLIENTEDGE;
        else params.Style |= WS_BORDER;
    }
    if (!FFullRepaint) params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

TRect TCustomPanel::ClientRect() const {
    const TRect all = TCustomControl::ClientRect();
    TRect r = InflateRect(all, -FBorderWidth, -FBorderWidth);
    // A border wider than half the panel leaves an empty rectangle in the middle.
    if (r.Right < r.Left) r.Left = r.Right = all.Left + all.Width() / 2;
    if (r.Bottom < r.Top) r.Top = r.Bottom = all.Top + all.Height() / 2;
    return r;
}

void TCustomPanel::SetClientWidth(int v) { TCustomControl::SetClientWidth(v + 2 * FBorderWidth); }
void TCustomPanel::SetClientHeight(int v) { TCustomControl::SetClientHeight(v + 2 * FBorderWidth); }

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    int inset = 0;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    rect = InflateRect(rect, -inset, -inset);
}

namespace {

void BevelColors(TPanelBevel bevel, TColor face, TColor& top, TColor& bottom) {
    switch (bevel) {
        case bvLowered:
            top = clBtnShadow;
            bottom = clBtnHighlight;
            break;
        case bvRaised:
            top = clBtnHighlight;
            bottom = clBtnShadow;
            break;
        default: top = bottom = face; break;  // bvSpace: room without relief
    }
}

}  // namespace

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TCanvasStateSaver saver(canvas);
    const TRect ci = ClientInWindow();
    TRect r = Rect(0, 0, ci.Width(), ci.Height());
    TColor top = clNone;
    TColor bottom = clNone;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, FColor, top, bottom);
        Frame3D(canvas, r, top, bottom, FBevelWidth);
    }
    Frame3D(canvas, r, FColor, FColor, FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, FColor, top, bottom);
        Frame3D(canvas, r, top, bottom, FBevelWidth);
    }
    if (r.IsEmpty()) return;
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    if (!Caption().empty()) PaintCaption(canvas, r);
}

void TCustomPanel::PaintCaption(TCanvas* canvas, TRect rect) {
    TCanvasStateSaver saver(canvas);
    canvas->Font()->Assign(*Font());
    canvas->Brush()->SetStyle(bsClear);
    unsigned flags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    else if (FAlignment == taCenter) flags |= DT_CENTER;
    const std::string text = Caption();
    if (!FEnabled) {
        TRect raised = OffsetRect(rect, 1, 1);
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->DrawText(text, raised, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    canvas->DrawText(text, rect, flags);
}

void TCustomPanel::CMTextChanged(TMessage& message) {
    TCustomControl::CMTextChanged(message);
    Invalidate();
}

// ---------------------------------------------------------------- 3. TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Clear() {
    if (FBitmap.Empty()) return;
    FBitmap.SetSize(0, 0);
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::LoadFromBmp(const std::vector<uint8_t>& bmp) {
    FBitmap.LoadFromBmp(bmp);
    Changed();
}

namespace {

const std::string kBitmapClassName = "TBitmap";

bool StartsWithBmp(const std::string& s, size_t at) { return s.size() >= at + 2 && s[at] == 'B' && s[at + 1] == 'M'; }

}  // namespace

void TPicture::SetData(const std::string& bytes) {
    if (bytes.empty()) {
        Clear();
        return;
    }
    size_t start = 0;
    if (!StartsWithBmp(bytes, 0)) {
        const size_t nameLength = static_cast<uint8_t>(bytes[0]);
        if (bytes.size() < 1 + nameLength) throw EInvalidGraphic("Picture data ends inside its class name");
        const std::string name = bytes.substr(1, nameLength);
        if (!SameText(name, kBitmapClassName)) throw EInvalidGraphic(Format("Unsupported picture class %s", name));
        start = 1 + nameLength;
        // The bitmap's own stored form may lead with its 32-bit length.
        if (!StartsWithBmp(bytes, start) && StartsWithBmp(bytes, start + 4)) start += 4;
    }
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data()) + start;
    FBitmap.LoadFromBmp(p, bytes.size() - start);
    Changed();
}

std::string TPicture::Data() const {
    if (FBitmap.Empty()) return {};
    const std::vector<uint8_t> bmp = SaveBitmapToBmp(FBitmap);
    std::string out;
    out.reserve(1 + kBitmapClassName.size() + bmp.size());
    out.push_back(static_cast<char>(kBitmapClassName.size()));
    out += kBitmapClassName;
    out.append(reinterpret_cast<const char*>(bmp.data()), bmp.size());
    return out;
}

void TPicture::Assign(const TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    if (const auto* other = dynamic_cast<const TPicture*>(source)) {
        if (other == this) return;
        FBitmap.Assign(other->FBitmap);
        FBitmap.Transparent = other->FBitmap.Transparent;
        FBitmap.TransparentColor = other->FBitmap.TransparentColor;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

std::vector<uint8_t> SaveBitmapToBmp(const TBitmap& bitmap) {
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const uint32_t rowSize = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    const uint32_t headerSize = 14 + 40;
    const uint32_t fileSize = headerSize + rowSize * static_cast<uint32_t>(h);
    std::vector<uint8_t> out;
    out.reserve(fileSize);
    auto u16 = [&out](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    u32(fileSize);
    u32(0);
    u32(headerSize);
    u32(40);
    u32(static_cast<uint32_t>(w));
    u32(static_cast<uint32_t>(h));  // positive: bottom-up rows
    u16(1);
    u16(24);
    u32(0);  // no compression
    u32(rowSize * static_cast<uint32_t>(h));
    u32(3780);  // 96 pixels per inch, in pixels per metre
    u32(3780);
    u32(0);
    u32(0);
    for (int y = h - 1; y >= 0; --y) {
        const TPixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            out.push_back(static_cast<uint8_t>(row[x]));
            out.push_back(static_cast<uint8_t>(row[x] >> 8));
            out.push_back(static_cast<uint8_t>(row[x] >> 16));
        }
        for (uint32_t pad = static_cast<uint32_t>(w) * 3; pad < rowSize; ++pad) out.push_back(0);
    }
    return out;
}

// ---------------------------------------------------------------- 4. TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
    FControlStyle.Include(csReplicatable);
    UpdateBoundsFields(FLeft, FTop, 105, 105);
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

TRect TImage::DestRect() const {
    const int pw = FPicture->Width();
    const int ph = FPicture->Height();
    if (FStretch) return Rect(0, 0, FWidth, FHeight);
    if (FCenter) return Bounds((FWidth - pw) / 2, (FHeight - ph) / 2, pw, ph);
    return Rect(0, 0, pw, ph);
}

void TImage::UpdateOpaque() {
    // Opaque when the picture covers every pixel of the bounds: the parent need not erase.
    const TRect d = DestRect();
    const bool covers =
        !FTransparent && !FPicture->Empty() && d.Left <= 0 && d.Top <= 0 && d.Right >= FWidth && d.Bottom >= FHeight;
    if (covers) FControlStyle.Include(csOpaque);
    else FControlStyle.Exclude(csOpaque);
}

void TImage::PictureChanged() {
    if (FAutoSize && !FPicture->Empty()) SetBounds(FLeft, FTop, FPicture->Width(), FPicture->Height());
    UpdateOpaque();
    Invalidate();
}

void TImage::WMSize(TWMSize& message) {
    TGraphicControl::WMSize(message);
    UpdateOpaque();
}

void TImage::Paint() {
    if (FPicture->Empty()) return;
    TBitmap* bitmap = FPicture->Bitmap();
    bitmap->Transparent = FTransparent;
    TCanvas* canvas = Canvas();
    TCanvasStateSaver saver(canvas);
    canvas->SetCopyMode(cmSrcCopy);
    const TRect d = DestRect();
    // Not stretched: drawn at its own size and cut at the bounds by the canvas's clip.
    if (d.Width() == bitmap->Width() && d.Height() == bitmap->Height()) canvas->Draw(d.Left, d.Top, bitmap);
    else canvas->StretchDraw(d, bitmap);
}

// ---------------------------------------------------------------- 5. class tables

const TEnumInfo& BevelCutInfo() {
    static const TEnumInfo info = MakeEnumInfo("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return info;
}

namespace {
const TEnumInfo& PanelBorderStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TBorderStyle", {"bsNone", "bsSingle"});
    return info;
}
}  // namespace

void TCustomPanel::RegisterClassInfo() {
    RegisterClass<TCustomPanel>("TCustomPanel", "TCustomControl", [](TClassBuilder<TCustomPanel>& b) {
        using P = TCustomPanel;
        b.Enumeration("Alignment", AlignmentInfo(), &P::Alignment, &P::SetAlignment).Default();
        b.Enumeration("BevelInner", BevelCutInfo(), &P::BevelInner, &P::SetBevelInner).Default();
        b.Enumeration("BevelOuter", BevelCutInfo(), &P::BevelOuter, &P::SetBevelOuter).Default();
        b.Integer("BevelWidth", &P::BevelWidth, &P::SetBevelWidth).Default();
        b.Integer("BorderWidth", &P::BorderWidth, &P::SetBorderWidth).Default();
        b.Enumeration("BorderStyle", PanelBorderStyleInfo(), &P::BorderStyle, &P::SetBorderStyle).Default();
        b.Color("Color", &P::Color, &P::SetColor).Default().Stored([](P& p) { return !p.ParentColor(); });
        b.Boolean("ParentColor", &P::ParentColor, &P::SetParentColor).Default();
        b.Boolean("FullRepaint", &P::FullRepaint, &P::SetFullRepaint).Default();
        b.Boolean("Locked", &P::Locked, &P::SetLocked).Default();
    });
}

void TPanel::RegisterClassInfo() { RegisterClass<TPanel>("TPanel", "TCustomPanel"); }

void TPicture::RegisterClassInfo() {
    RegisterClass<TPicture>("TPicture", "",
                            [](TClassBuilder<TPicture>& b) { b.Binary("Data", &TPicture::Data, &TPicture::SetData); });
}

void TImage::RegisterClassInfo() {
    RegisterClass<TImage>("TImage", "TGraphicControl", [](TClassBuilder<TImage>& b) {
        using I = TImage;
        b.Boolean("AutoSize", &I::AutoSize, &I::SetAutoSize).Default();
        b.Boolean("Center", &I::Center, &I::SetCenter).Default();
        b.Object("Picture", "TPicture", &I::Picture);
        b.Boolean("Stretch", &I::Stretch, &I::SetStretch).Default();
        b.Boolean("Transparent", &I::Transparent, &I::SetTransparent).Default();
    });
}
