// The framework's plain label: TCustomLabel holds the behaviour, TLabel publishes it.
//
// A label is windowless: it draws its caption on its parent's surface, filling its bounds
// with Color first unless Transparent. With AutoSize (the default) it takes the size of its
// caption, measured by the same text-drawing step that paints it (DoDrawText in
// calculate-rectangle mode), and measures again after every text, font or size-relevant
// change. "&x" in the caption underlines x and makes Alt+x focus FocusControl.
#pragma once

#include <string>

#include "framework/ui/controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);
    ~TCustomLabel() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) {
        if (Change(FAlignment, v)) Invalidate();
    }
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v) {
        if (Change(FLayout, v)) Invalidate();
    }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) {
        if (Change(FAutoSize, v)) AdjustBounds();
    }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // The control the accelerator focuses; forgotten when it is destroyed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* control);

    // Static text named by its caption; a label without a caption presents nothing.
    TAccessibleRole AccessibleRole(int part) const override;
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;

    static void RegisterClassInfo();

protected:
    // The text that is drawn (the caption).
    virtual std::string GetLabelText() const;
    // Draws the label text into rect with the DT_ flags, on Canvas() in the canvas font;
    // with DT_CALCRECT it only measures and sets rect's right and bottom. Disabled text is
    // embossed: a clBtnHighlight copy one pixel right and down, then clBtnShadow.
    virtual void DoDrawText(TRect& rect, unsigned flags);
    // With AutoSize (and not while a description sets properties): measures the caption
    // and sets the size; a right-aligned label keeps its right edge.
    virtual void AdjustBounds();
    // Horizontal DT_ flag for Alignment, word break for WordWrap, expand tabs.
    unsigned TextFlags() const;
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMDialogChar(TCMDialogChar& message) override;

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    TWinControl* FFocusControl = nullptr;

private:
    TComponent* FFocusComponent = nullptr;  // the same object, compared in Notification
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
    static void RegisterClassInfo();
};

const TEnumInfo& TextLayoutInfo();

// The label that names control for assistive tools: its AccessibleLabel, else a label whose
// FocusControl it is; nullptr when there is none.
TControl* NamingLabelOf(const TControl* control);
