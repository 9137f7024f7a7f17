// Image lists. Sections: change links · contents · drawing · class tables
#include "framework/stdctrls/imglist.h"

#include <algorithm>

#include "framework/core/sysutils.h"
#include "framework/core/typinfo.h"

// ---------------------------------------------------------------- change links

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
    // Links that outlive the list just lose it; their owners hear of the list's end
    // through FreeNotification.
    for (TChangeLink* link : FLinks) link->FSender = nullptr;
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link || link->FSender == this) return;
    if (link->FSender) link->FSender->UnRegisterChanges(link);
    link->FSender = this;
    FLinks.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    if (!link) return;
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end());
    if (link->FSender == this) link->FSender = nullptr;
}

void TCustomImageList::Change() {
    // A listener may unregister while it hears the news: walk a copy.
    const std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links)
        if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end() && link->OnChange) link->OnChange(this);
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- contents

void TCustomImageList::Resize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Change();
}

void TCustomImageList::SetWidth(int v) { Resize(v, FHeight); }
void TCustomImageList::SetHeight(int v) { Resize(FWidth, v); }

int TCustomImageList::AddImages(const TBitmap* bitmap, const std::vector<uint8_t>& opaque) {
    const int first = Count();
    const int bw = bitmap ? bitmap->Width() : 0;
    const int bh = bitmap ? bitmap->Height() : 0;
    const int count = std::max(1, bw / FWidth);
    for (int n = 0; n < count; ++n) {
        Image image;
        image.Pixels.assign(static_cast<size_t>(FWidth) * FHeight, 0);
        image.Opaque.assign(static_cast<size_t>(FWidth) * FHeight, 0);
        for (int y = 0; y < FHeight && y < bh; ++y) {
            const TPixel* row = bitmap->ScanLine(y);
            for (int x = 0; x < FWidth; ++x) {
                const int sx = n * FWidth + x;
                if (sx >= bw) break;
                const size_t i = static_cast<size_t>(y) * FWidth + x;
                image.Pixels[i] = row[sx];
                image.Opaque[i] = !FMasked || opaque[static_cast<size_t>(y) * bw + sx];
            }
        }
        FImages.push_back(std::move(image));
    }
    Change();
    return first;
}

int TCustomImageList::Add(const TBitmap* bitmap, const TBitmap* mask) {
    const int bw = bitmap ? bitmap->Width() : 0;
    const int bh = bitmap ? bitmap->Height() : 0;
    std::vector<uint8_t> opaque(static_cast<size_t>(bw) * bh, 1);
    if (mask) {
        for (int y = 0; y < bh; ++y)
            for (int x = 0; x < bw; ++x) {
                // Outside the mask counts as drawn; a set (non-black) mask pixel is see-through.
                if (y >= mask->Height() || x >= mask->Width()) continue;
                if ((mask->ScanLine(y)[x] & 0x00FFFFFFu) != 0) opaque[static_cast<size_t>(y) * bw + x] = 0;
            }
    }
    return AddImages(bitmap, opaque);
}

int TCustomImageList::AddMasked(const TBitmap* bitmap, TColor maskColor) {
    const int bw = bitmap ? bitmap->Width() : 0;
    const int bh = bitmap ? bitmap->Height() : 0;
    std::vector<uint8_t> opaque(static_cast<size_t>(bw) * bh, 1);
    if (bitmap && !bitmap->Empty()) {
        const TPixel key = maskColor == clDefault ? (bitmap->ScanLine(bh - 1)[0] & 0x00FFFFFFu)
                                                  : (PixelFromColor(ColorToRGB(maskColor)) & 0x00FFFFFFu);
        for (int y = 0; y < bh; ++y)
            for (int x = 0; x < bw; ++x)
                if ((bitmap->ScanLine(y)[x] & 0x00FFFFFFu) == key) opaque[static_cast<size_t>(y) * bw + x] = 0;
    }
    return AddImages(bitmap, opaque);
}

const TCustomImageList::Image& TCustomImageList::ImageAt(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    return FImages[static_cast<size_t>(index)];
}

void TCustomImageList::Delete(int index) {
    ImageAt(index);
    FImages.erase(FImages.begin() + index);
    Change();
}

void TCustomImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Change();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) const {
    const Image& src = ImageAt(index);
    image->SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y)
        std::copy_n(src.Pixels.begin() + static_cast<ptrdiff_t>(y) * FWidth, FWidth, image->ScanLine(y));
}

bool TCustomImageList::IsOpaque(int index, int x, int y) const {
    const Image& src = ImageAt(index);
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return false;
    return src.Opaque[static_cast<size_t>(y) * FWidth + x] != 0;
}

// ---------------------------------------------------------------- drawing

namespace {

TColor Blend(TColor rgb, TColor with, int weight256) {
    auto mix = [weight256](int a, int b) {
        return static_cast<uint8_t>((a * (256 - weight256) + b * weight256 + 128) >> 8);
    };
    return RGB(mix(GetRValue(rgb), GetRValue(with)), mix(GetGValue(rgb), GetGValue(with)),
               mix(GetBValue(rgb), GetBValue(with)));
}

}  // namespace

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, FDrawingStyle, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, bool enabled) {
    if (!canvas || index < 0 || index >= Count()) return;
    const Image& image = FImages[static_cast<size_t>(index)];
    const auto at = [&](int ix, int iy) { return static_cast<size_t>(iy) * FWidth + ix; };
    if (!enabled) {
        const auto dark = [&](int ix, int iy) {
            const size_t i = at(ix, iy);
            return image.Opaque[i] && (image.Pixels[i] & 0x00FFFFFFu) != 0x00FFFFFFu;
        };
        for (const auto& [dx, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
            const TColor rgb = ColorToRGB(color);
            for (int iy = 0; iy < FHeight; ++iy)
                for (int ix = 0; ix < FWidth; ++ix)
                    if (dark(ix, iy)) canvas->SetPixels(x + ix + dx, y + iy + dx, rgb);
        }
        return;
    }
    const bool fillBack = FBkColor != clNone && style != dsTransparent;
    const TColor back = ColorToRGB(FBkColor);
    int weight = 0;
    if (style == dsFocus) weight = 64;
    else if (style == dsSelected) weight = 128;
    const TColor blendWith = ColorToRGB(FBlendColor == clNone ? clHighlight : FBlendColor);
    for (int iy = 0; iy < FHeight; ++iy)
        for (int ix = 0; ix < FWidth; ++ix) {
            const size_t i = at(ix, iy);
            TColor c;
            if (image.Opaque[i]) c = ColorFromPixel(image.Pixels[i]);
            else if (fillBack) c = back;
            else continue;
            if (weight) c = Blend(c, blendWith, weight);
            canvas->SetPixels(x + ix, y + iy, c);
        }
}

// ---------------------------------------------------------------- class tables

const TEnumInfo& DrawingStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TDrawingStyle", {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"});
    return info;
}

void TCustomImageList::RegisterClassInfo() {
    RegisterClass<TCustomImageList>("TCustomImageList", "TComponent", [](TClassBuilder<TCustomImageList>& b) {
        using L = TCustomImageList;
        b.Color("BkColor", &L::BkColor, &L::SetBkColor).Default();
        b.Color("BlendColor", &L::BlendColor, &L::SetBlendColor).Default();
        b.Enumeration("DrawingStyle", DrawingStyleInfo(), &L::DrawingStyle, &L::SetDrawingStyle).Default();
        b.Integer("Height", &L::Height, &L::SetHeight).Default();
        b.Integer("Width", &L::Width, &L::SetWidth).Default();
        b.Boolean("Masked", &L::Masked, &L::SetMasked).Default();
        b.Event("OnChange", &L::OnChange);
    });
}

void TImageList::RegisterClassInfo() { RegisterClass<TImageList>("TImageList", "TCustomImageList"); }
