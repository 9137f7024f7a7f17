// The framework's multi-line edit: TCustomMemo / TMemo. It is a TCustomEdit whose buffer
// holds lines (CR LF between them) laid out in rows: one row per line, or with WordWrap as
// many as the width needs. It adds Lines (a live TStrings view of the buffer), the classic
// scroll bars in its non-client area, WantReturns / WantTabs, Up/Down, PageUp/PageDown and
// Ctrl+Home/End, the platform's wheel scrolling, and the caret queries the control set's
// memo is built on (character from point, line from character, line index and length,
// first visible line, scrolling to a line).
//
// Sections: TMemoStrings · TCustomMemo · TMemo
#pragma once

#include <memory>
#include <vector>

#include "framework/core/strings.h"
#include "framework/stdctrls/edits.h"
#include "framework/ui/scrollbars.h"

class TCustomMemo;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleInfo();

// ---------------------------------------------------------------- TMemoStrings

// The memo's lines, read from and written into its buffer directly: what the list says is
// what the memo shows. A final line break does not count as an empty last line.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    void SetText(const std::string& text) override;

private:
    TCustomMemo* FMemo;
};

// ---------------------------------------------------------------- TCustomMemo

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;

    TStrings* Lines() { return FLines.get(); }
    void SetLines(const TStrings* lines) { FLines->Assign(lines); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool v) { FWantReturns = v; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool v) { FWantTabs = v; }

    // ---- caret and line queries (lines are the text's lines, counted from 0)
    int LineCount() const { return FBuffer.LineCount(); }
    int LineFromChar(int pos) const { return FBuffer.LineFromPos(pos); }
    // -1 when there is no such line.
    int LineIndex(int line) const { return FBuffer.LineStart(line); }
    int LineLength(int line) const { return FBuffer.LineStart(line) < 0 ? 0 : FBuffer.LineLength(line); }
    // The caret as column (X) and line (Y), from 0; setting it places the caret there.
    TPoint CaretPos() const;
    void SetCaretPos(TPoint p);
    int CharFromPos(TPoint p) override;
    TPoint PosFromChar(int pos) override;

    // ---- rows and scrolling
    int RowCount();
    int VisibleRows();
    int TopRow() const { return FTopRow; }
    // The first visible line: the line of the top row.
    int FirstVisibleLine();
    // Scrolls by rows (positive: towards the end), clamped (the platform's EM_LINESCROLL).
    void LineScroll(int rows);
    // Makes a line's first row the top one, as far as the text allows.
    void ScrollToLine(int line);
    int ScrollX() const { return FScrollX; }
    void SetScrollX(int x);
    // The scroll bars as they stand now (window coordinates); nullptr when absent.
    TClassicScrollBar* VerticalScrollBar();
    TClassicScrollBar* HorizontalScrollBar();

    static void RegisterClassInfo();

protected:
    friend class TMemoStrings;

    TRect TextArea() override;
    void PaintText(TCanvas* canvas) override;
    void ScrollCaretIntoView() override;
    void TextChanged(const TEditChange& change) override;
    void LayoutChanged() override;
    int HomePos(int pos, bool ctrl) override;
    int EndPos(int pos, bool ctrl) override;
    int VerticalPos(int pos, int rows) override;
    int PageRows() override { return VisibleRows(); }
    bool WantsChar(char ch) override;

    void CreateParams(TCreateParams& params) override;
    void WMGetDlgCode(TMessage& message) override;
    void WMNCCalcSize(TWMNCCalcSize& message) override;
    void WMNCPaint(TWMNCPaint& message) override;
    void WMTimer(TWMTimer& message) override;
    void DefaultHandler(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    struct TRow {
        int Start;
        int End;  // before the line break, or where the row wraps
    };
    void EnsureRows();
    void WrapLine(int line, std::vector<TRow>& out);
    void RewrapChange(const TEditChange& change);
    int RowStart(int row);
    int RowEnd(int row);
    int RowOf(int pos);
    std::string_view RowText(int row);
    int RowOrigin(int row);  // client x of the row's first byte
    // The row wraps into the next one (no line break between them).
    bool SoftBreakAfter(int row);
    int MaxTopRow();
    int MaxLineWidth();
    void SetTopRow(int row);
    void ScrollChanged();
    // The bars' places and ranges from the current layout.
    void SyncScrollBars();
    void Scroll(TScrollBarKind kind, TScrollCode code, int pos);
    TClassicScrollBar* BarAt(TPoint windowPoint);
    TPoint ToWindow(int x, int y) const;

    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FTopRow = 0;
    std::vector<TRow> FRows;  // with WordWrap only
    bool FRowsValid = false;
    int FMaxWidth = -1;  // the widest line's width; -1: not measured
    TClassicScrollBar FVert{sbVertical};
    TClassicScrollBar FHorz{sbHorizontal};
    TClassicScrollBar* FBarCapture = nullptr;
};

// ---------------------------------------------------------------- TMemo

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
    static void RegisterClassInfo();
};

// Where text starts inside the memo's client area.
constexpr int kMemoMarginX = 1;
constexpr int kMemoMarginY = 0;
