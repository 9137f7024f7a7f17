// Image lists: a row of equally sized images with optional transparency, drawn by index,
// normal or greyed, and the change links through which controls hear that the list changed.
//
// Greyed drawing is the classic disabled look: every drawn pixel of the image that is not
// white becomes a clBtnShadow silhouette over a clBtnHighlight copy one pixel right and down.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/classes.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"

class TCustomImageList;
struct TEnumInfo;

// A listener of one image list. A control owns one, sets OnChange and registers it; the link
// unregisters itself when it dies, and its Sender becomes nullptr when the list dies first
// (the control learns of that through FreeNotification).
class TChangeLink {
public:
    TChangeLink() = default;
    ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    TCustomImageList* Sender() const { return FSender; }
    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* FSender = nullptr;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    // Size of every image (16 by 16 by default). Changing it empties the list.
    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    int Count() const { return static_cast<int>(FImages.size()); }

    // Setters: ::Change stores a new value, Change() then tells the list's users.
    // Keep masks: without them every pixel of an image is drawn.
    bool Masked() const { return FMasked; }
    void SetMasked(bool v) {
        if (::Change(FMasked, v)) Change();
    }
    // clNone: transparent pixels stay unpainted; otherwise they are filled with this colour.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor v) {
        if (::Change(FBkColor, v)) Change();
    }
    // The colour dsFocus (a quarter) and dsSelected (a half) blend into the image; clNone
    // blends clHighlight.
    TColor BlendColor() const { return FBlendColor; }
    void SetBlendColor(TColor v) {
        if (::Change(FBlendColor, v)) Change();
    }
    TDrawingStyle DrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TDrawingStyle v) {
        if (::Change(FDrawingStyle, v)) Change();
    }

    // Cuts bitmap into images of Width by Height from left to right (a bitmap narrower than
    // Width gives one image, the rest empty). mask: white (non-black) pixels are transparent;
    // nullptr: none are. Returns the index of the first image added.
    int Add(const TBitmap* bitmap, const TBitmap* mask);
    // Pixels of maskColor are transparent (clDefault: the bottom-left pixel's colour).
    int AddMasked(const TBitmap* bitmap, TColor maskColor);
    // EListError "List index out of bounds (%d)" for an index that is not an image.
    void Delete(int index);
    void Clear();
    // The image's pixels, and whether each is drawn, as copies.
    void GetBitmap(int index, TBitmap* image) const;
    bool IsOpaque(int index, int x, int y) const;

    // Draws image index with its top-left at (x, y); greyed when not enabled. An index that
    // is not an image draws nothing.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, bool enabled);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);
    // Tells every change link, then OnChange.
    virtual void Change();
    TNotifyEvent OnChange;

    static void RegisterClassInfo();

private:
    struct Image {
        std::vector<TPixel> Pixels;   // Width × Height, row by row
        std::vector<uint8_t> Opaque;  // 1 where drawn
    };
    int AddImages(const TBitmap* bitmap, const std::vector<uint8_t>& opaque);
    const Image& ImageAt(int index) const;
    void Resize(int width, int height);

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    TColor FBkColor = clNone;
    TColor FBlendColor = clNone;
    TDrawingStyle FDrawingStyle = dsNormal;
    std::vector<Image> FImages;
    std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* owner) : TCustomImageList(owner) {}
    static void RegisterClassInfo();
};

const TEnumInfo& DrawingStyleInfo();
