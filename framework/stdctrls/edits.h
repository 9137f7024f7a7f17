// The framework's single-line edits: TCustomEdit (text with caret and selection, keyboard and
// mouse editing, the platform clipboard, one-step undo, ReadOnly, MaxLength, horizontal
// scrolling that keeps the caret in view, a blinking caret, the I-beam cursor, OnChange, the
// Ctl3D border and the automatic height), TEdit, and TCustomMaskEdit / TMaskEdit (a masked
// edit on which no mask is ever set, so its Text passes unchanged).
//
// The text lives in a TEditBuffer; the control lays it out lazily: the x of each position is
// measured only as far as painting or the caret needs, and only from the first changed
// position onwards after an edit, so typing into a long text costs the same as a short one.
// TCustomMemo (memo.h) derives from TCustomEdit and replaces the layout by rows.
//
// Sections: TEditGlyphs (measuring and drawing runs of text) · TCustomEdit · TEdit ·
//           TCustomMaskEdit · TMaskEdit
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/stdctrls/edit_buffer.h"
#include "framework/ui/controls.h"

// ---------------------------------------------------------------- TEditGlyphs

// Measures and draws ANSI text the way the edit controls lay it out: every byte takes its
// font advance, a tab reaches the next stop of eight average character widths. Rows are
// measured from their own start (x 0), so a tab's width depends on where it stands.
class TEditGlyphs {
public:
    void SetFont(const TFont& font);
    int CellHeight() const { return FCell; }
    // x after ch when ch starts at x.
    int Advance(uint8_t ch, int x) const;
    // x at the end of s when s starts at x.
    int Extent(std::string_view s, int x = 0) const;
    // The index in s (0 … size) nearest to x, s starting at x0.
    int IndexAt(std::string_view s, int x, int x0 = 0) const;
    // Draws s, whose first byte lies at row x rowX, at canvas x offset + rowX, baseline top y;
    // only the bytes that can touch [clipLeft, clipRight) (canvas x) are drawn.
    void Draw(TCanvas* canvas, int offset, int y, std::string_view s, int rowX, int clipLeft, int clipRight) const;

private:
    int Width(uint8_t ch) const;
    static constexpr int kUnmeasured = -1;
    HFONT FHandle;
    int FCell = 0;
    int FTabStop = 64;
    mutable int FAdvance[256] = {};
};

// ---------------------------------------------------------------- TCustomEdit

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    // ---- properties
    int MaxLength() const { return FBuffer.MaxLength(); }
    void SetMaxLength(int v) { FBuffer.SetMaxLength(v); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    // (Setters write ::Change: Change() is the edit's text-change notification.)
    // The height follows the font: character cell + 6 border widths (8 with Ctl3D).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v) {
        if (::Change(FAutoSize, v)) AdjustHeight();
    }
    // While unfocused the selection is not drawn (false: it is, in the highlight colours).
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) {
        if (::Change(FHideSelection, v)) InvalidateText();
    }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    // Set by every edit of the user; SetText clears it.
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }

    // ---- selection and editing (as the platform's EM_ requests do them)
    int SelStart() const { return FBuffer.SelStart(); }
    void SetSelStart(int v);
    int SelLength() const { return FBuffer.SelLength(); }
    void SetSelLength(int v);
    std::string SelText() const { return FBuffer.SelText(); }
    // Replaces the selection (ReadOnly does not stop the program, only the user).
    void SetSelText(const std::string& s);
    // Anchor and caret, the caret being the end that moves; both clamped.
    void SetSelection(int anchor, int caret);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(""); }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return FBuffer.CanUndo(); }
    void Undo();
    void ClearUndo() { FBuffer.ClearUndo(); }

    // ---- caret queries (client coordinates)
    // The top of the caret (GetCaretPos).
    TPoint CaretPixel();
    // The position nearest to a client point (EM_CHARFROMPOS); -1 when there is no text.
    virtual int CharFromPos(TPoint p);
    // The client point of a position's top-left (EM_POSFROMCHAR).
    virtual TPoint PosFromChar(int pos);
    // Whether the caret is drawn at this moment of its blink.
    bool CaretShown() const { return FCaretShown; }
    const TEditBuffer& Buffer() const { return FBuffer; }

    // An editable text named by its label, with its text, caret and selection; read-only
    // and multi-line as it is.
    TAccessibleRole AccessibleRole(int part) const override;
    void GetAccessibleInfo(int part, TAccessibleInfo& info) override;
    bool SetAccessibleSelection(int part, int anchor, int caret) override;

    TNotifyEvent OnChange;

    static void RegisterClassInfo();

protected:
    TCustomEdit(TComponent* owner, bool multiLine);

    // After every change of the text (typing, pasting, undo, SetText, Lines): OnChange.
    virtual void Change();

    // ---- layout, replaced by the memo
    // The text area inside the client rectangle.
    virtual TRect TextArea();
    virtual void PaintText(TCanvas* canvas);
    // Scrolls so that the caret is visible.
    virtual void ScrollCaretIntoView();
    // A text change at change.Pos: forget what was measured from there on.
    virtual void TextChanged(const TEditChange& change);
    // The font or the size changed: forget everything measured.
    virtual void LayoutChanged();
    // Keys that move the caret: Home/End of the row, rows up and down, the page.
    virtual int HomePos(int pos, bool ctrl);
    virtual int EndPos(int pos, bool ctrl);
    virtual int VerticalPos(int pos, int rows);
    virtual int PageRows() { return 0; }
    // The Enter and Tab characters: refused in a single line.
    virtual bool WantsChar(char ch);

    // ---- framework hooks
    void CreateParams(TCreateParams& params) override;
    void Loaded() override;
    void Paint() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Dispatch(TMessage& message) override;
    void WMGetDlgCode(TMessage& message) override;
    void WMChar(TWMKey& message) override;
    void WMSetFocus(TWMSetFocus& message) override;
    void WMKillFocus(TWMKillFocus& message) override;
    void WMTimer(TWMTimer& message) override;
    void WMEraseBkgnd(TWMEraseBkgnd& message) override;
    void WMSize(TWMSize& message) override;
    void CMEnter(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMCtl3DChanged(TMessage& message) override;
    std::string GetText() const override { return FBuffer.Text(); }
    void SetTextValue(const std::string& s) override;

    // ---- for the memo
    // Sets the height from the font when AutoSize is on.
    void AdjustHeight();
    // The caret moved or the text changed through the user: show the caret, keep it in
    // view, repaint. keepColumn: a move up or down keeps the column it aims at.
    void CaretMoved(bool keepColumn = false);
    // A character that reached the control (after OnKeyPress left it).
    virtual void HandleChar(char ch);
    // Restarts the blink with the caret shown.
    void RestartBlink();
    // The selection is drawn now.
    bool SelectionVisible();
    // The opening every text paint shares: the canvas clipped to area, the control's font in
    // its own colour (grey while disabled), text drawn without a background. Returns the part
    // of area to paint, empty when there is none. The caller keeps the canvas state around.
    TRect BeginTextPaint(TCanvas* canvas, const TRect& area);
    // Paints the caret (inverted) at a client point when it is shown.
    void PaintCaret(TCanvas* canvas, TPoint at);
    void Refuse();  // a beep
    // Typed or pasted text through MaxLength and ReadOnly.
    void InsertByUser(std::string_view s, TEditKind kind);
    // A rectangle of the client area needs painting (no erase: Paint covers everything).
    void InvalidateText() { InvalidateRect(nullptr, false); }

    TEditBuffer FBuffer;
    TEditGlyphs FGlyphs;
    bool FGlyphsValid = false;
    int FScrollX = 0;  // pixels of text scrolled out at the left
    bool FSelecting = false;
    int FWordAnchorStart = -1;  // a double click's word: dragging extends by words
    int FWordAnchorEnd = -1;
    int FDesiredX = -1;  // the x that moves up and down aim at; -1: the caret's own
    const TEditGlyphs& Glyphs();

private:
    // x of a position from the start of the text, measured as far as needed.
    int XOf(int pos);
    int TextWidth();
    int PositionAtX(int x);
    int AlignOffset();
    void Blink(bool on);

    bool FReadOnly = false;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    bool FHideSelection = true;
    TAlignment FAlignment = taLeftJustify;
    bool FModified = false;
    bool FCaretShown = false;
    bool FBlinking = false;
    std::vector<int> FX;  // FX[i]: x of position i; valid for the entries present
};

// ---------------------------------------------------------------- TEdit

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
    static void RegisterClassInfo();
};

// ---------------------------------------------------------------- TCustomMaskEdit

// A masked edit without a mask: EditMask stays empty, Text reads and writes the text as it is.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}
    bool IsMasked() const { return false; }
    static void RegisterClassInfo();
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}
    static void RegisterClassInfo();
};

// The caret's blink period in milliseconds (the platform's default).
constexpr unsigned kCaretBlinkMs = 530;
// Where text starts inside the client area of a single-line edit.
constexpr int kEditMarginX = 1;
constexpr int kEditMarginY = 1;
