// The framework's panel and picture controls.
//
// TCustomPanel / TPanel: a windowed container drawn as an outer bevel, a band of BorderWidth
// pixels in Color, an inner bevel and a fill, with a caption on top. Its client rectangle is
// its bounds less BorderWidth on every side, and before children are aligned the bevels
// shrink the alignment rectangle too (AdjustClientRect), so a derived panel that draws its
// own frame switches the bevels off and shrinks the rectangle by its own frame instead.
//
// TPicture: holds one TBitmap; its stored form (Picture.Data) is the class-name-prefixed
// blob of stored descriptions or a plain BMP file image.
// TImage: a windowless control that draws its picture from the top-left corner, cut at its
// bounds, or centred, or stretched to the bounds.
//
// Sections: TCustomPanel, TPanel · TPicture · TImage · registration
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/ui/controls.h"
#include "framework/ui/forms.h"

// ---------------------------------------------------------------- TCustomPanel, TPanel

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;
// A panel's border is none or single (the form's first two border styles).
using TBorderStyle = TFormBorderStyle;

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);
    ~TCustomPanel() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) {
        if (Change(FAlignment, v)) Invalidate();
    }
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel v);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);  // 1 or more
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v);  // 0 or more
    // bsSingle adds a non-client border: the sunken edge with Ctl3D, else one pixel in
    // clWindowFrame.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // Repaint everything when resized (the platform window's redraw-on-resize styles).
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool v) {
        if (Change(FFullRepaint, v)) RecreateWnd();
    }
    // Kept for stored descriptions; the framework gives it no meaning.
    bool Locked() const { return FLocked; }
    void SetLocked(bool v) { FLocked = v; }

    // Bounds less BorderWidth on every side; the client size setters count the border in.
    TRect ClientRect() const override;
    void SetClientWidth(int v) override;
    void SetClientHeight(int v) override;
    // A panel named by its caption.
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;

    static void RegisterClassInfo();

protected:
    void CreateParams(TCreateParams& params) override;
    // The bevels (BevelWidth each) move the alignment rectangle in.
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    // The caption in rect (the fill), single line, vertically centred, embossed when
    // disabled.
    virtual void PaintCaption(TCanvas* canvas, TRect rect);
    void CMTextChanged(TMessage& message) override;

    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    bool FFullRepaint = true;
    bool FLocked = false;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
    static void RegisterClassInfo();
};

// The classic three-dimensional frame, width rings from the outside in: top and left in
// topColor, right and bottom in bottomColor (those take the top-right and bottom-left
// pixels). rect is moved in by width.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// ---------------------------------------------------------------- TPicture

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // The picture's pixels; empty when there is no picture.
    TBitmap* Bitmap() { return &FBitmap; }
    const TBitmap* Bitmap() const { return &FBitmap; }
    int Width() const { return FBitmap.Width(); }
    int Height() const { return FBitmap.Height(); }
    bool Empty() const { return FBitmap.Empty(); }
    void Clear();

    // The stored form: a length byte, the class name "TBitmap", then the bitmap's data (a
    // BMP file image, optionally preceded by its 32-bit length). A plain BMP file image is
    // read too. Empty data clears the picture. EInvalidGraphic when it is neither.
    void SetData(const std::string& bytes);
    // Writes the class-name-prefixed form with a 24-bit BMP file image; "" when empty.
    std::string Data() const;
    void LoadFromBmp(const std::vector<uint8_t>& bmp);
    void Assign(const TPersistent* source) override;
    // The pixels changed through Bitmap() (drawing, SetSize): tell the owner.
    void Changed();

    TNotifyEvent OnChange;

    static void RegisterClassInfo();

private:
    TBitmap FBitmap;
};

// A 24-bit bottom-up BMP file image of the bitmap.
std::vector<uint8_t> SaveBitmapToBmp(const TBitmap& bitmap);

// ---------------------------------------------------------------- TImage

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() { return FPicture.get(); }
    void SetPicture(const TPicture* picture) { FPicture->Assign(picture); }
    // Scale the picture to the bounds.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v) {
        if (Change(FStretch, v)) PictureChanged();
    }
    // Centre the picture in the bounds (when not stretched).
    bool Center() const { return FCenter; }
    void SetCenter(bool v) {
        if (Change(FCenter, v)) PictureChanged();
    }
    // Pixels of the picture's transparent colour (the bottom-left pixel unless the bitmap
    // names one) are not drawn.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v) {
        if (Change(FTransparent, v)) PictureChanged();
    }
    // Takes the picture's size whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) {
        if (Change(FAutoSize, v)) PictureChanged();
    }
    // Where the picture lands, in client coordinates.
    TRect DestRect() const;

    static void RegisterClassInfo();

protected:
    void Paint() override;
    void WMSize(TWMSize& message) override;
    void PictureChanged();
    void UpdateOpaque();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// ---------------------------------------------------------------- registration

const TEnumInfo& BevelCutInfo();
