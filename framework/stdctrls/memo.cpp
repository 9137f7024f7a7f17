// The multi-line edit. Sections:
//   1. TMemoStrings
//   2. TCustomMemo: construction and properties
//   3. rows: the lines, or their wrapped parts
//   4. scrolling and the scroll bars in the non-client area
//   5. layout queries, painting and caret movement
//   6. input
//   7. class tables
#include "framework/stdctrls/memo.h"

#include <algorithm>

#include "framework/core/scope_guards.h"
#include "framework/core/typinfo.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

namespace {
constexpr uintptr_t kScrollTimer = 2;
}

// ---------------------------------------------------------------- 1. TMemoStrings

int TMemoStrings::Count() const {
    const TEditBuffer& b = FMemo->FBuffer;
    if (b.Length() == 0) return 0;
    const int n = b.LineCount();
    return b.LineLength(n - 1) == 0 ? n - 1 : n;
}

std::string TMemoStrings::Get(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return std::string(FMemo->FBuffer.LineText(index));
}

void TMemoStrings::Put(int index, const std::string& s) {
    if (index < 0 || index >= Count()) IndexError(index);
    TEditBuffer& b = FMemo->FBuffer;
    b.SetSelection(b.LineStart(index), b.LineEnd(index));
    b.ReplaceSelection(s);
    FMemo->CaretMoved();
}

void TMemoStrings::Insert(int index, const std::string& s) {
    const int n = Count();
    if (index < 0 || index > n) IndexError(index);
    TEditBuffer& b = FMemo->FBuffer;
    if (index < n) {
        b.SetSelection(b.LineStart(index), b.LineStart(index));
        b.ReplaceSelection(s + "\r\n");
    } else if (b.LineLength(b.LineCount() - 1) == 0) {
        // After a final line break (or into nothing): the new line takes one of its own.
        b.SetSelection(b.Length(), b.Length());
        b.ReplaceSelection(s + "\r\n");
    } else {
        b.SetSelection(b.Length(), b.Length());
        b.ReplaceSelection("\r\n" + s);
    }
    FMemo->CaretMoved();
}

void TMemoStrings::Delete(int index) {
    if (index < 0 || index >= Count()) IndexError(index);
    TEditBuffer& b = FMemo->FBuffer;
    const int start = b.LineStart(index);
    const int end = index + 1 < b.LineCount() ? b.LineStart(index + 1) : b.Length();
    b.SetSelection(start, end);
    b.ReplaceSelection("");
    FMemo->CaretMoved();
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

void TMemoStrings::SetText(const std::string& text) { FMemo->SetText(text); }

// ---------------------------------------------------------------- 2. TCustomMemo

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner, true), FLines(std::make_unique<TMemoStrings>(this)) {
    SetAutoSize(false);
    FWidth = 185;
    FHeight = 89;
    FVert.OnScroll = [this](TScrollCode code, int pos) { Scroll(sbVertical, code, pos); };
    FHorz.OnScroll = [this](TScrollCode code, int pos) { Scroll(sbHorizontal, code, pos); };
}

TCustomMemo::~TCustomMemo() { KillTimer(this, kScrollTimer); }

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    if (!::Change(FScrollBars, v)) return;
    RecreateWnd();
    LayoutChanged();
}

void TCustomMemo::SetWordWrap(bool v) {
    if (!::Change(FWordWrap, v)) return;
    FScrollX = 0;
    LayoutChanged();
    ScrollCaretIntoView();
}

bool TCustomMemo::WantsChar(char ch) { return ch == '\r' ? FWantReturns : ch == '\t' ? FWantTabs : false; }

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
}

void TCustomMemo::WMGetDlgCode(TMessage& m) {
    TCustomEdit::WMGetDlgCode(m);
    if (FWantReturns) m.Result |= DLGC_WANTALLKEYS;
    if (FWantTabs) m.Result |= DLGC_WANTTAB;
}

// ---------------------------------------------------------------- 3. rows

void TCustomMemo::TextChanged(const TEditChange& change) {
    TCustomEdit::TextChanged(change);
    if (FRowsValid) RewrapChange(change);
    FMaxWidth = -1;
    RedrawWindow(nullptr, RDW_FRAME);  // the bars' ranges follow the text
}

void TCustomMemo::LayoutChanged() {
    TCustomEdit::LayoutChanged();
    FRowsValid = false;
    FMaxWidth = -1;
    RedrawWindow(nullptr, RDW_FRAME);
}

void TCustomMemo::WrapLine(int line, std::vector<TRow>& out) {
    const TEditGlyphs& g = Glyphs();
    const int width = TextArea().Width();
    const std::string& text = FBuffer.Text();
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const int s = FBuffer.LineStart(line), e = FBuffer.LineEnd(line);
    int rowStart = s, x = 0, lastBreak = -1;
    for (int i = s; i < e; ++i) {
        const auto ch = static_cast<uint8_t>(text[i]);
        int next = g.Advance(ch, x);
        // Blanks may hang over the edge; anything else wraps, after the last blank when the
        // row has one, else just before itself.
        if (next > width && i > rowStart && !blank(text[i]) && width > 0) {
            const int cut = lastBreak > rowStart ? lastBreak : i;
            out.push_back({rowStart, cut});
            rowStart = cut;
            lastBreak = -1;
            x = g.Extent(std::string_view(text).substr(rowStart, i - rowStart));
            next = g.Advance(ch, x);
        }
        if (blank(text[i])) lastBreak = i + 1;
        x = next;
    }
    out.push_back({rowStart, e});
}

void TCustomMemo::EnsureRows() {
    if (!FWordWrap || FRowsValid) return;
    FRowsValid = true;
    FRows.clear();
    for (int line = 0; line < FBuffer.LineCount(); ++line) WrapLine(line, FRows);
}

// Only the lines an edit touched are wrapped again; the rows after them shift.
void TCustomMemo::RewrapChange(const TEditChange& change) {
    auto firstAtOrAfter = [this](int pos) {
        return static_cast<int>(
            std::lower_bound(FRows.begin(), FRows.end(), pos, [](const TRow& r, int p) { return r.Start < p; }) -
            FRows.begin());
    };
    // The text before change.Pos is as it was, so its line starts where it did.
    const int firstLine = FBuffer.LineFromPos(change.Pos);
    const int from = firstAtOrAfter(FBuffer.LineStart(firstLine));
    // The old rows up to the end of the old line that held the end of the removed text.
    const int oldEnd = change.Pos + change.Removed;
    int to = std::max(from, firstAtOrAfter(oldEnd + 1) - 1);
    while (to + 1 < static_cast<int>(FRows.size()) && FRows[to + 1].Start == FRows[to].End) ++to;
    if (from >= static_cast<int>(FRows.size())) {
        FRowsValid = false;
        return;
    }
    const int delta = change.Inserted - change.Removed;
    std::vector<TRow> fresh;
    const int lastLine = FBuffer.LineFromPos(change.Pos + change.Inserted);
    for (int line = firstLine; line <= lastLine; ++line) WrapLine(line, fresh);
    for (size_t i = to + 1; i < FRows.size(); ++i) {
        FRows[i].Start += delta;
        FRows[i].End += delta;
    }
    FRows.erase(FRows.begin() + from, FRows.begin() + to + 1);
    FRows.insert(FRows.begin() + from, fresh.begin(), fresh.end());
}

int TCustomMemo::RowCount() {
    if (!FWordWrap) return FBuffer.LineCount();
    EnsureRows();
    return static_cast<int>(FRows.size());
}

int TCustomMemo::RowStart(int row) {
    if (!FWordWrap) return FBuffer.LineStart(row);
    EnsureRows();
    return FRows[row].Start;
}

int TCustomMemo::RowEnd(int row) {
    if (!FWordWrap) return FBuffer.LineEnd(row);
    EnsureRows();
    return FRows[row].End;
}

int TCustomMemo::RowOf(int pos) {
    if (!FWordWrap) return FBuffer.LineFromPos(pos);
    EnsureRows();
    // A position where a row wraps belongs to the row it starts.
    auto it = std::upper_bound(FRows.begin(), FRows.end(), pos, [](int p, const TRow& r) { return p < r.Start; });
    return std::max(0, static_cast<int>(it - FRows.begin()) - 1);
}

std::string_view TCustomMemo::RowText(int row) {
    const int s = RowStart(row);
    return std::string_view(FBuffer.Text()).substr(s, RowEnd(row) - s);
}

bool TCustomMemo::SoftBreakAfter(int row) {
    return FWordWrap && row + 1 < RowCount() && RowStart(row + 1) == RowEnd(row);
}

int TCustomMemo::RowOrigin(int row) {
    const TRect area = TextArea();
    int x = area.Left - FScrollX;
    if (Alignment() != taLeftJustify) {
        const int w = Glyphs().Extent(RowText(row));
        const int avail = area.Width();
        if (w < avail) x += Alignment() == taRightJustify ? avail - w - 1 : (avail - w) / 2;
    }
    return x;
}

int TCustomMemo::MaxLineWidth() {
    if (FMaxWidth < 0) {
        const TEditGlyphs& g = Glyphs();
        FMaxWidth = 0;
        for (int line = 0; line < FBuffer.LineCount(); ++line)
            FMaxWidth = std::max(FMaxWidth, g.Extent(FBuffer.LineText(line)));
    }
    return FMaxWidth;
}

// ---------------------------------------------------------------- 4. scrolling

TRect TCustomMemo::TextArea() {
    const TRect c = ClientRect();
    return Rect(kMemoMarginX, kMemoMarginY, std::max(kMemoMarginX, c.Right - kMemoMarginX), c.Bottom);
}

int TCustomMemo::VisibleRows() {
    const int cell = std::max(1, Glyphs().CellHeight());
    return std::max(1, TextArea().Height() / cell);
}

int TCustomMemo::MaxTopRow() { return std::max(0, RowCount() - VisibleRows()); }

void TCustomMemo::SetTopRow(int row) {
    row = std::clamp(row, 0, MaxTopRow());
    if (row == FTopRow) return;
    FTopRow = row;
    ScrollChanged();
}

void TCustomMemo::SetScrollX(int x) {
    x = std::max(0, x);
    if (x == FScrollX) return;
    FScrollX = x;
    ScrollChanged();
}

void TCustomMemo::ScrollChanged() {
    InvalidateText();
    RedrawWindow(nullptr, RDW_FRAME);
}

int TCustomMemo::FirstVisibleLine() {
    if (RowCount() == 0) return 0;
    return FBuffer.LineFromPos(RowStart(std::min(FTopRow, RowCount() - 1)));
}

void TCustomMemo::LineScroll(int rows) { SetTopRow(FTopRow + rows); }

void TCustomMemo::ScrollToLine(int line) {
    const int start = FBuffer.LineStart(line);
    if (start < 0) return;
    SetTopRow(RowOf(start));
}

void TCustomMemo::Scroll(TScrollBarKind kind, TScrollCode code, int pos) {
    const bool vertical = kind == sbVertical;
    const int line = vertical ? 1 : std::max(1, Glyphs().CellHeight());  // a column's step
    const int page = vertical ? VisibleRows() : std::max(1, TextArea().Width());
    int target = vertical ? FTopRow : FScrollX;
    switch (code) {
        case scLineUp: target -= line; break;
        case scLineDown: target += line; break;
        case scPageUp: target -= page; break;
        case scPageDown: target += page; break;
        case scTrack:
        case scPosition: target = pos; break;
        case scTop: target = 0; break;
        case scBottom: target = vertical ? MaxTopRow() : MaxLineWidth(); break;
        case scEndScroll: RedrawWindow(nullptr, RDW_FRAME); return;
    }
    if (vertical) {
        SetTopRow(target);
    } else {
        const int maxX = std::max(0, MaxLineWidth() + 2 * kMemoMarginX - TextArea().Width());
        SetScrollX(std::clamp(target, 0, maxX));
    }
}

TClassicScrollBar* TCustomMemo::VerticalScrollBar() {
    if (!(WindowParams().Style & WS_VSCROLL)) return nullptr;
    SyncScrollBars();
    return &FVert;
}

TClassicScrollBar* TCustomMemo::HorizontalScrollBar() {
    if (!(WindowParams().Style & WS_HSCROLL)) return nullptr;
    SyncScrollBars();
    return &FHorz;
}

void TCustomMemo::SyncScrollBars() {
    const TRect ci = ClientInWindow();
    const uint32_t style = WindowParams().Style;
    if (style & WS_VSCROLL) {
        FVert.SetBounds(Rect(ci.Right, ci.Top, ci.Right + kScrollBarSize, ci.Bottom));
        FVert.SetRange(RowCount() - 1, VisibleRows(), FTopRow);
    }
    if (style & WS_HSCROLL) {
        FHorz.SetBounds(Rect(ci.Left, ci.Bottom, ci.Right, ci.Bottom + kScrollBarSize));
        const int width = FWordWrap ? 0 : MaxLineWidth() + 2 * kMemoMarginX;
        FHorz.SetRange(std::max(0, width - 1), ClientRect().Width(), FScrollX);
    }
}

void TCustomMemo::WMNCCalcSize(TWMNCCalcSize& m) {
    TCustomEdit::WMNCCalcSize(m);
    if (!m.Rect) return;
    const uint32_t style = WindowParams().Style;
    if (style & WS_VSCROLL) m.Rect->Right = std::max(m.Rect->Left, m.Rect->Right - kScrollBarSize);
    if (style & WS_HSCROLL) m.Rect->Bottom = std::max(m.Rect->Top, m.Rect->Bottom - kScrollBarSize);
}

void TCustomMemo::WMNCPaint(TWMNCPaint& m) {
    TCustomEdit::WMNCPaint(m);  // the border
    const uint32_t style = WindowParams().Style;
    if (!(style & (WS_VSCROLL | WS_HSCROLL))) return;
    TDeviceContext dc = GetWindowDC(this);
    if (!dc.Valid()) return;
    TCanvas canvas;
    BindCanvas(&canvas, dc);
    TScopeExit release([&] { ReleaseDC(this, dc); });
    SyncScrollBars();
    if (style & WS_VSCROLL) FVert.Paint(&canvas);
    if (style & WS_HSCROLL) FHorz.Paint(&canvas);
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
        // The corner where the bars meet.
        const TRect ci = ClientInWindow();
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(Rect(ci.Right, ci.Bottom, ci.Right + kScrollBarSize, ci.Bottom + kScrollBarSize));
    }
}

// ---------------------------------------------------------------- 5. layout queries and painting

TPoint TCustomMemo::ToWindow(int x, int y) const {
    const TRect ci = ClientInWindow();
    return {x + ci.Left, y + ci.Top};
}

int TCustomMemo::CharFromPos(TPoint p) {
    if (FBuffer.Length() == 0) return -1;
    const TRect area = TextArea();
    const int cell = std::max(1, Glyphs().CellHeight());
    const int dy = p.Y - area.Top;
    const int row = std::clamp(FTopRow + (dy < 0 ? -1 - (-dy - 1) / cell : dy / cell), 0, RowCount() - 1);
    const std::string_view text = RowText(row);
    int index = Glyphs().IndexAt(text, p.X - RowOrigin(row));
    // The end of a wrapped row is the start of the next one: stay on this row.
    if (SoftBreakAfter(row) && index == static_cast<int>(text.size()) && index > 0) --index;
    return RowStart(row) + index;
}

TPoint TCustomMemo::PosFromChar(int pos) {
    pos = std::clamp(pos, 0, FBuffer.Length());
    const int row = RowOf(pos);
    const int s = RowStart(row);
    const int cell = Glyphs().CellHeight();
    const int x = RowOrigin(row) + Glyphs().Extent(std::string_view(FBuffer.Text()).substr(s, pos - s));
    return {x, TextArea().Top + (row - FTopRow) * cell};
}

TPoint TCustomMemo::CaretPos() const {
    const int caret = FBuffer.Caret();
    const int line = FBuffer.LineFromPos(caret);
    return {caret - FBuffer.LineStart(line), line};
}

void TCustomMemo::SetCaretPos(TPoint p) {
    const int start = FBuffer.LineStart(std::clamp(p.Y, 0, FBuffer.LineCount() - 1));
    const int line = FBuffer.LineFromPos(start);
    SetSelStart(start + std::clamp(p.X, 0, FBuffer.LineLength(line)));
}

void TCustomMemo::ScrollCaretIntoView() {
    const int rows = RowCount();
    if (rows == 0) return;
    const int row = RowOf(FBuffer.Caret());
    const int visible = VisibleRows();
    if (row < FTopRow) SetTopRow(row);
    else if (row >= FTopRow + visible) SetTopRow(row - visible + 1);
    if (FTopRow > MaxTopRow()) SetTopRow(MaxTopRow());
    if (FWordWrap) {
        SetScrollX(0);
        return;
    }
    const int w = TextArea().Width();
    if (w <= 0) return;
    const int s = RowStart(row);
    const int cx = Glyphs().Extent(std::string_view(FBuffer.Text()).substr(s, FBuffer.Caret() - s));
    int x = FScrollX;
    if (cx < x) x = std::max(0, cx - w / 4);
    else if (cx >= x + w) x = std::max(0, cx - w + w / 4);
    SetScrollX(x);
}

void TCustomMemo::PaintText(TCanvas* c) {
    const TEditGlyphs& g = Glyphs();
    const TRect area = TextArea();
    TCanvasStateSaver saver(c);
    const TRect clip = BeginTextPaint(c, area);
    if (clip.IsEmpty()) return;
    const TColor textColor = c->Font()->Color();
    const int cell = std::max(1, g.CellHeight());
    const int rows = RowCount();
    const int first = FTopRow + std::max(0, (clip.Top - area.Top) / cell);
    const int last = std::min(rows, FTopRow + (clip.Bottom - area.Top + cell - 1) / cell);
    const bool selection = SelectionVisible();
    const int selS = FBuffer.SelStart(), selE = FBuffer.SelEnd();
    const std::string_view text = FBuffer.Text();
    for (int r = first; r < last; ++r) {
        const int y = area.Top + (r - FTopRow) * cell;
        const int s = RowStart(r), e = RowEnd(r);
        const int origin = RowOrigin(r);
        auto run = [&](int a, int b) {
            if (a < b) {
                const int rowX = g.Extent(text.substr(s, a - s));
                g.Draw(c, origin, y, text.substr(a, b - a), rowX, clip.Left, clip.Right);
            }
        };
        if (!selection || selE <= s || selS > e) {
            run(s, e);
            continue;
        }
        const int a = std::clamp(selS, s, e), b = std::clamp(selE, s, e);
        run(s, a);
        run(b, e);
        const int xa = origin + g.Extent(text.substr(s, a - s));
        int xb = origin + g.Extent(text.substr(s, b - s));
        // A selected line break shows as a little highlighted space.
        if (selE > e && e < FBuffer.Length()) xb += std::max(1, g.Advance(' ', 0));
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clHighlight);
        c->FillRect(Rect(xa, y, xb, y + cell));
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(clHighlightText);
        run(a, b);
        c->Font()->SetColor(textColor);
    }
    if (rows > 0) PaintCaret(c, PosFromChar(FBuffer.Caret()));
}

int TCustomMemo::HomePos(int pos, bool ctrl) { return ctrl ? 0 : RowStart(RowOf(pos)); }

int TCustomMemo::EndPos(int pos, bool ctrl) {
    if (ctrl) return FBuffer.Length();
    const int row = RowOf(pos);
    int end = RowEnd(row);
    // A wrapped row ends before the position that starts the next row.
    if (SoftBreakAfter(row) && end > RowStart(row)) end = FBuffer.PrevPos(end);
    return end;
}

int TCustomMemo::VerticalPos(int pos, int rows) {
    const int row = RowOf(pos);
    const int count = RowCount();
    if (FDesiredX < 0) FDesiredX = PosFromChar(pos).X;
    const int target = std::clamp(row + rows, 0, count - 1);
    // A page moves the view by as much as the caret.
    if (rows > 1 || rows < -1) SetTopRow(FTopRow + (target - row));
    const std::string_view text = RowText(target);
    int index = Glyphs().IndexAt(text, FDesiredX - RowOrigin(target));
    if (SoftBreakAfter(target) && index == static_cast<int>(text.size()) && index > 0) --index;
    return RowStart(target) + index;
}

// ---------------------------------------------------------------- 6. input

TClassicScrollBar* TCustomMemo::BarAt(TPoint w) {
    const uint32_t style = WindowParams().Style;
    if (!(style & (WS_VSCROLL | WS_HSCROLL))) return nullptr;
    SyncScrollBars();
    if ((style & WS_VSCROLL) && FVert.Bounds().Contains(w)) return &FVert;
    if ((style & WS_HSCROLL) && FHorz.Bounds().Contains(w)) return &FHorz;
    return nullptr;
}

void TCustomMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TPoint w = ToWindow(x, y);
    if (TClassicScrollBar* bar = BarAt(w)) {
        // The bars belong to the frame: no caret, no mouse events of the text area.
        if (button == mbLeft && bar->MouseDown(w)) {
            FBarCapture = bar;
            if (bar->WantsRepeat()) SetTimer(this, kScrollTimer, kScrollRepeatDelay);
            RedrawWindow(nullptr, RDW_FRAME);
        }
        return;
    }
    if (!ClientRect().Contains({x, y}) && !MouseCapture()) return;  // the border
    TCustomEdit::MouseDown(button, shift, x, y);
}

void TCustomMemo::MouseMove(TShiftState shift, int x, int y) {
    const TPoint w = ToWindow(x, y);
    if (FBarCapture) {
        FBarCapture->MouseMove(w);
        RedrawWindow(nullptr, RDW_FRAME);
        return;
    }
    // The I-beam belongs to the text; the bars show the arrow.
    FCursor = BarAt(w) ? crArrow : crIBeam;
    TCustomEdit::MouseMove(shift, x, y);
}

void TCustomMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (FBarCapture) {
        TClassicScrollBar* bar = FBarCapture;
        FBarCapture = nullptr;
        KillTimer(this, kScrollTimer);
        bar->MouseUp(ToWindow(x, y));
        RedrawWindow(nullptr, RDW_FRAME);
        return;
    }
    TCustomEdit::MouseUp(button, shift, x, y);
}

void TCustomMemo::WMTimer(TWMTimer& m) {
    if (m.TimerID != kScrollTimer) {
        TCustomEdit::WMTimer(m);
        return;
    }
    if (!FBarCapture || !FBarCapture->WantsRepeat()) {
        KillTimer(this, kScrollTimer);
        return;
    }
    SetTimer(this, kScrollTimer, kScrollRepeatInterval);
    FBarCapture->Repeat();
    RedrawWindow(nullptr, RDW_FRAME);
}

void TCustomMemo::DefaultHandler(TMessage& m) {
    if (m.Msg == WM_MOUSEWHEEL) {
        // The platform's own wheel scrolling: its lines per notch.
        const int delta = static_cast<int16_t>((m.WParam >> 16) & 0xFFFF);
        const int lines = PlatformInstalled() ? Platform().WheelScrollLines() : 3;
        LineScroll(delta > 0 ? -lines : lines);
        m.Result = 1;
        return;
    }
    TCustomEdit::DefaultHandler(m);
}

// ---------------------------------------------------------------- 7. class tables

const TEnumInfo& ScrollStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
    return info;
}

void TCustomMemo::RegisterClassInfo() {
    RegisterClass<TCustomMemo>("TCustomMemo", "TCustomEdit", [](TClassBuilder<TCustomMemo>& b) {
        b.Strings("Lines", &TCustomMemo::Lines);
        b.Enumeration("ScrollBars", ScrollStyleInfo(), &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default();
        b.Boolean("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default();
        b.Boolean("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default();
        b.Boolean("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default();
        b.Enumeration("Alignment", AlignmentInfo(), &TCustomEdit::Alignment, &TCustomEdit::SetAlignment).Default();
        // A memo keeps the height it is given, and its text is its lines.
        b.Boolean("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize).Default();
        b.String("Text", &TControl::Text, &TControl::SetText).Stored([](TCustomMemo&) { return false; });
    });
}

void TMemo::RegisterClassInfo() { RegisterClass<TMemo>("TMemo", "TCustomMemo"); }
