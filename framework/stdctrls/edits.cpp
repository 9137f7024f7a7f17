// The single-line edits. Sections:
//   1. TEditGlyphs
//   2. TCustomEdit: construction, properties, selection and clipboard requests
//   3. layout of the single line: lazily measured x positions, scrolling, hit tests
//   4. painting: background, text, selection, caret
//   5. input: keys, characters, mouse, focus and the caret's blink
//   6. class tables
#include "framework/stdctrls/edits.h"

#include <algorithm>

#include "framework/core/typinfo.h"
#include "framework/ui/accessibility.h"
#include "framework/ui/forms.h"
#include "framework/ui/timers.h"

namespace {

constexpr uintptr_t kBlinkTimer = 1;

bool PlatformClipboardAvailable() { return PlatformInstalled(); }

}  // namespace

// ---------------------------------------------------------------- 1. TEditGlyphs

void TEditGlyphs::SetFont(const TFont& font) {
    FHandle = font.Handle();
    const TTextMetric& m = FHandle->Metrics();
    FCell = m.tmHeight;
    // Advances are asked of the font when a byte first appears.
    std::fill(std::begin(FAdvance), std::end(FAdvance), kUnmeasured);
    FTabStop = 8 * (m.tmAveCharWidth > 0 ? m.tmAveCharWidth : std::max(1, Width(' ')));
}

int TEditGlyphs::Width(uint8_t ch) const {
    if (FAdvance[ch] == kUnmeasured) FAdvance[ch] = FHandle->CharAdvance(ch);
    return FAdvance[ch];
}

int TEditGlyphs::Advance(uint8_t ch, int x) const {
    if (ch == '\t') return (x / FTabStop + 1) * FTabStop;
    return x + Width(ch);
}

int TEditGlyphs::Extent(std::string_view s, int x) const {
    for (char c : s) x = Advance(static_cast<uint8_t>(c), x);
    return x;
}

int TEditGlyphs::IndexAt(std::string_view s, int x, int x0) const {
    int cur = x0;
    for (size_t i = 0; i < s.size(); ++i) {
        const int next = Advance(static_cast<uint8_t>(s[i]), cur);
        if (x < cur + (next - cur + 1) / 2) return static_cast<int>(i);
        cur = next;
    }
    return static_cast<int>(s.size());
}

void TEditGlyphs::Draw(TCanvas* canvas, int offset, int y, std::string_view s, int rowX, int clipLeft,
                       int clipRight) const {
    const int left = clipLeft - offset;
    const int right = clipRight - offset;
    size_t i = 0;
    int x = rowX;
    // Skip what ends left of the clip (one byte is kept for overhanging glyphs).
    while (i + 1 < s.size()) {
        const int next = Advance(static_cast<uint8_t>(s[i]), x);
        if (Advance(static_cast<uint8_t>(s[i + 1]), next) > left) break;
        x = next;
        ++i;
    }
    while (i < s.size() && x < right) {
        if (s[i] == '\t') {
            x = Advance('\t', x);
            ++i;
            continue;
        }
        const size_t from = i;
        const int runX = x;
        while (i < s.size() && s[i] != '\t' && x < right) x += Width(static_cast<uint8_t>(s[i++]));
        canvas->TextOut(offset + runX, y, s.substr(from, i - from));
    }
}

// ---------------------------------------------------------------- 2. TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomEdit(owner, false) {}

TCustomEdit::TCustomEdit(TComponent* owner, bool multiLine) : TCustomControl(owner), FBuffer(multiLine) {
    FWidth = 121;
    FHeight = 21;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FCursor = crIBeam;
    SetStoresText(true);
    FBuffer.OnChange = [this](const TEditChange& change) {
        TextChanged(change);
        FModified = true;
        InvalidateText();
        NotifyAccessible(this, aeChanged);
        Change();
    };
}

TCustomEdit::~TCustomEdit() {
    FBuffer.OnChange = nullptr;
    if (FBlinking) KillTimer(this, kBlinkTimer);
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::SetTextValue(const std::string& s) {
    FBuffer.SetText(s);
    FModified = false;
    FScrollX = 0;
    FDesiredX = -1;
    ScrollCaretIntoView();
}

void TCustomEdit::SetAlignment(TAlignment v) {
    if (!::Change(FAlignment, v)) return;
    LayoutChanged();
    ScrollCaretIntoView();
    InvalidateText();
}

void TCustomEdit::AdjustHeight() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    const int border = PlatformInstalled() ? Platform().BorderWidth() : 1;
    SetHeight(Glyphs().CellHeight() + border * (FCtl3D ? 8 : 6));
}

void TCustomEdit::SetSelStart(int v) { SetSelection(v, v); }

void TCustomEdit::SetSelLength(int v) {
    const int s = FBuffer.SelStart();
    SetSelection(s, s + std::max(0, v));
}

void TCustomEdit::SetSelection(int anchor, int caret) {
    FBuffer.SetSelection(anchor, caret);
    CaretMoved();
}

void TCustomEdit::SetSelText(const std::string& s) {
    FBuffer.ReplaceSelection(s);
    CaretMoved();
}

void TCustomEdit::SelectAll() {
    FBuffer.SelectAll();
    CaretMoved();
}

void TCustomEdit::ClearSelection() {
    if (FReadOnly || !FBuffer.HasSelection()) return;
    FBuffer.DeleteBackward();
    CaretMoved();
}

void TCustomEdit::CopyToClipboard() {
    if (!FBuffer.HasSelection() || !PlatformClipboardAvailable()) return;
    Platform().SetClipboardText(FBuffer.SelText());
}

void TCustomEdit::CutToClipboard() {
    if (!FBuffer.HasSelection()) return;
    if (FReadOnly) {
        Refuse();
        return;
    }
    CopyToClipboard();
    FBuffer.DeleteBackward();
    CaretMoved();
}

void TCustomEdit::PasteFromClipboard() {
    if (!PlatformClipboardAvailable()) return;
    // The platform hands over ANSI already: what the code page lacks arrives as "?".
    const std::string text = Platform().ClipboardText();
    if (text.empty()) return;
    InsertByUser(text, ekOther);
}

void TCustomEdit::Undo() {
    if (FReadOnly) {
        Refuse();
        return;
    }
    if (FBuffer.Undo()) CaretMoved();
}

void TCustomEdit::Refuse() {
    if (PlatformInstalled()) Platform().Beep();
}

void TCustomEdit::InsertByUser(std::string_view s, TEditKind kind) {
    if (FReadOnly) {
        Refuse();
        return;
    }
    const TEditResult r = FBuffer.ReplaceSelection(s, kind);
    if (r.Truncated) Refuse();
    CaretMoved();
}

void TCustomEdit::CaretMoved(bool keepColumn) {
    if (!keepColumn) FDesiredX = -1;
    ScrollCaretIntoView();
    RestartBlink();
    InvalidateText();
    NotifyAccessible(this, aeCaretMoved);
}

TPoint TCustomEdit::CaretPixel() { return PosFromChar(FBuffer.Caret()); }

// ---------------------------------------------------------------- 3. layout

const TEditGlyphs& TCustomEdit::Glyphs() {
    if (!FGlyphsValid) {
        FGlyphs.SetFont(*Font());
        FGlyphsValid = true;
    }
    return FGlyphs;
}

void TCustomEdit::TextChanged(const TEditChange& change) {
    // Positions up to the change keep their x.
    if (static_cast<int>(FX.size()) > change.Pos + 1) FX.resize(change.Pos + 1);
}

void TCustomEdit::LayoutChanged() {
    FX.clear();
    FGlyphsValid = false;
}

int TCustomEdit::XOf(int pos) {
    const std::string& text = FBuffer.Text();
    pos = std::clamp(pos, 0, static_cast<int>(text.size()));
    const TEditGlyphs& g = Glyphs();
    if (FX.empty()) FX.push_back(0);
    while (static_cast<int>(FX.size()) <= pos) {
        const size_t i = FX.size() - 1;
        FX.push_back(g.Advance(static_cast<uint8_t>(text[i]), FX[i]));
    }
    return FX[pos];
}

int TCustomEdit::TextWidth() { return XOf(FBuffer.Length()); }

int TCustomEdit::PositionAtX(int x) {
    // The last position whose x is at most x, measuring no further than needed.
    const std::string& text = FBuffer.Text();
    const int n = static_cast<int>(text.size());
    if (FX.empty()) FX.push_back(0);
    const TEditGlyphs& g = Glyphs();
    while (static_cast<int>(FX.size()) <= n && FX.back() <= x) {
        const size_t i = FX.size() - 1;
        FX.push_back(g.Advance(static_cast<uint8_t>(text[i]), FX[i]));
    }
    auto it = std::upper_bound(FX.begin(), FX.end(), x);
    return std::max(0, static_cast<int>(it - FX.begin()) - 1);
}

TRect TCustomEdit::TextArea() {
    const TRect c = ClientRect();
    return Rect(kEditMarginX, kEditMarginY, std::max(kEditMarginX, c.Right - kEditMarginX), c.Bottom);
}

int TCustomEdit::AlignOffset() {
    if (FAlignment == taLeftJustify) return 0;
    const int avail = TextArea().Width();
    const int w = TextWidth();
    if (w >= avail) return 0;
    return FAlignment == taRightJustify ? avail - w - 1 : (avail - w) / 2;
}

void TCustomEdit::ScrollCaretIntoView() {
    const int w = TextArea().Width();
    if (w <= 0) return;
    if (FAlignment != taLeftJustify && TextWidth() < w) {
        FScrollX = 0;
        return;
    }
    const int cx = XOf(FBuffer.Caret());
    // Out of view the text jumps by a quarter of the width, as the platform's edit does.
    if (cx < FScrollX) FScrollX = std::max(0, cx - w / 4);
    else if (cx >= FScrollX + w) FScrollX = std::max(0, cx - w + w / 4);
    // Shorter text scrolls back so that no space is wasted at the right.
    if (FScrollX > 0) {
        const int total = TextWidth();
        if (total - FScrollX < w - 1) FScrollX = std::min(cx, std::max(0, total - w + 1));
    }
}

int TCustomEdit::CharFromPos(TPoint p) {
    const int n = FBuffer.Length();
    if (n == 0) return -1;
    const TRect area = TextArea();
    const int x = p.X - (area.Left - FScrollX + AlignOffset());
    if (x <= 0) return 0;
    int pos = PositionAtX(x);
    if (pos < n && x - XOf(pos) > XOf(pos + 1) - x) ++pos;
    return pos;
}

TPoint TCustomEdit::PosFromChar(int pos) {
    const TRect area = TextArea();
    return {area.Left - FScrollX + AlignOffset() + XOf(pos), area.Top};
}

int TCustomEdit::HomePos(int, bool) { return 0; }
int TCustomEdit::EndPos(int, bool) { return FBuffer.Length(); }
// A single line has no rows: up and down step like left and right.
int TCustomEdit::VerticalPos(int pos, int rows) {
    if (rows < 0) return FBuffer.PrevPos(pos);
    if (rows > 0) return FBuffer.NextPos(pos);
    return pos;
}
bool TCustomEdit::WantsChar(char) { return false; }

// ---------------------------------------------------------------- 4. painting

bool TCustomEdit::SelectionVisible() { return FBuffer.HasSelection() && (Focused() || !FHideSelection); }

void TCustomEdit::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(ClientRect());
    PaintText(c);
}

void TCustomEdit::PaintCaret(TCanvas* canvas, TPoint at) {
    if (!FCaretShown || !Focused()) return;
    TCanvasStateSaver saver(canvas);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetMode(pmNot);
    canvas->MoveTo(at.X, at.Y);
    canvas->LineTo(at.X, at.Y + Glyphs().CellHeight());
}

TRect TCustomEdit::BeginTextPaint(TCanvas* c, const TRect& area) {
    c->IntersectClipRect(area);
    const TRect clip = IntersectRect(c->ClipRect(), area);
    if (clip.IsEmpty()) return clip;
    c->Font()->Assign(*Font());
    if (!FEnabled) c->Font()->SetColor(clGrayText);
    c->Brush()->SetStyle(bsClear);
    return clip;
}

void TCustomEdit::PaintText(TCanvas* c) {
    const TEditGlyphs& g = Glyphs();
    const TRect area = TextArea();
    TCanvasStateSaver saver(c);
    const TRect clip = BeginTextPaint(c, area);
    if (clip.IsEmpty()) return;
    const int origin = area.Left - FScrollX + AlignOffset();
    const std::string_view text = FBuffer.Text();
    const int n = static_cast<int>(text.size());
    const int from = std::max(0, PositionAtX(clip.Left - origin) - 1);
    const int to = std::min(n, PositionAtX(clip.Right - origin) + 1);
    auto run = [&](int a, int b) {
        if (a < b) g.Draw(c, origin, area.Top, text.substr(a, b - a), XOf(a), clip.Left, clip.Right);
    };
    if (SelectionVisible()) {
        const int s0 = std::clamp(FBuffer.SelStart(), from, to);
        const int s1 = std::clamp(FBuffer.SelEnd(), from, to);
        run(from, s0);
        run(s1, to);
        if (s0 < s1) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clHighlight);
            c->FillRect(Rect(origin + XOf(s0), area.Top, origin + XOf(s1), area.Top + g.CellHeight()));
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(clHighlightText);
            run(s0, s1);
        }
    } else {
        run(from, to);
    }
    PaintCaret(c, {origin + XOf(FBuffer.Caret()), area.Top});
}

void TCustomEdit::WMEraseBkgnd(TWMEraseBkgnd& m) {
    // Paint covers the whole client area.
    m.Result = 1;
}

// ---------------------------------------------------------------- 5. input

void TCustomEdit::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FCtl3D) params.ExStyle |= WS_EX_CLIENTEDGE;
    else params.Style |= WS_BORDER;
}

void TCustomEdit::Loaded() {
    TCustomControl::Loaded();
    AdjustHeight();
}

void TCustomEdit::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case WM_CUT: CutToClipboard(); break;
        case WM_COPY: CopyToClipboard(); break;
        case WM_PASTE: PasteFromClipboard(); break;
        case WM_CLEAR: ClearSelection(); break;
        case WM_UNDO: Undo(); break;
        default: TCustomControl::Dispatch(m); break;
    }
}

void TCustomEdit::WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }

void TCustomEdit::KeyDown(Word& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0) return;
    const bool ctrl = shift.Contains(ssCtrl);
    const bool extend = shift.Contains(ssShift);
    const int caret = FBuffer.Caret();
    int target = caret;
    bool vertical = false;
    switch (key) {
        case VK_LEFT:
            if (FBuffer.HasSelection() && !extend && !ctrl) target = FBuffer.SelStart();
            else target = ctrl ? FBuffer.WordLeft(caret) : FBuffer.PrevPos(caret);
            break;
        case VK_RIGHT:
            if (FBuffer.HasSelection() && !extend && !ctrl) target = FBuffer.SelEnd();
            else target = ctrl ? FBuffer.WordRight(caret) : FBuffer.NextPos(caret);
            break;
        case VK_HOME: target = HomePos(caret, ctrl); break;
        case VK_END: target = EndPos(caret, ctrl); break;
        case VK_UP:
            target = VerticalPos(caret, -1);
            vertical = true;
            break;
        case VK_DOWN:
            target = VerticalPos(caret, 1);
            vertical = true;
            break;
        case VK_PRIOR:
            if (PageRows() <= 0) return;
            target = VerticalPos(caret, -PageRows());
            vertical = true;
            break;
        case VK_NEXT:
            if (PageRows() <= 0) return;
            target = VerticalPos(caret, PageRows());
            vertical = true;
            break;
        case VK_DELETE:
            if (extend) {
                CutToClipboard();
            } else if (FReadOnly) {
                Refuse();
            } else {
                FBuffer.DeleteForward(ctrl);
                CaretMoved();
            }
            return;
        case VK_INSERT:
            if (ctrl) CopyToClipboard();
            else if (extend) PasteFromClipboard();
            return;
        default: return;
    }
    FBuffer.MoveCaret(target, extend);
    CaretMoved(vertical);
}

void TCustomEdit::WMChar(TWMKey& m) {
    // A typed character that the code page cannot hold arrives as 0.
    if (m.CharCode == 0) {
        Refuse();
        return;
    }
    TCustomControl::WMChar(m);  // KeyPress, OnKeyPress: may take the character away
    if (m.CharCode != 0) HandleChar(static_cast<char>(m.CharCode));
}

void TCustomEdit::HandleChar(char ch) {
    const auto c = static_cast<uint8_t>(ch);
    switch (c) {
        case 1: SelectAll(); return;            // Ctrl+A
        case 3: CopyToClipboard(); return;      // Ctrl+C
        case 22: PasteFromClipboard(); return;  // Ctrl+V
        case 24: CutToClipboard(); return;      // Ctrl+X
        case 26: Undo(); return;                // Ctrl+Z
        case '\b':
            if (FReadOnly) {
                Refuse();
                return;
            }
            FBuffer.DeleteBackward(GetShiftState().Contains(ssCtrl));
            CaretMoved();
            return;
        case '\r':
        case '\t':
            if (!WantsChar(ch)) {
                // A single line beeps at Enter; a memo that leaves Enter alone just ignores it.
                if (c == '\r' && !FBuffer.MultiLine()) Refuse();
                return;
            }
            InsertByUser(c == '\r' ? "\r\n" : "\t", ekTyping);
            return;
        default: break;
    }
    if (c < 32 || c == 127) return;
    InsertByUser(std::string_view(&ch, 1), ekTyping);
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (!Focused() && CanFocus()) SetFocus();
        const int pos = std::max(0, CharFromPos({x, y}));
        if (shift.Contains(ssDouble)) {
            int s = 0, e = 0;
            FBuffer.WordAt(pos, s, e);
            FWordAnchorStart = s;
            FWordAnchorEnd = e;
            FBuffer.SetSelection(s, e);
        } else {
            FWordAnchorStart = FWordAnchorEnd = -1;
            FBuffer.MoveCaret(pos, shift.Contains(ssShift));
        }
        FSelecting = true;
        CaretMoved();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
    if (FSelecting && shift.Contains(ssLeft)) {
        const int pos = std::max(0, CharFromPos({x, y}));
        if (FWordAnchorStart >= 0) {
            // After a double click the selection grows by whole words.
            int s = 0, e = 0;
            FBuffer.WordAt(pos, s, e);
            if (pos < FWordAnchorStart) FBuffer.SetSelection(FWordAnchorEnd, s);
            else FBuffer.SetSelection(FWordAnchorStart, std::max(e, FWordAnchorEnd));
        } else {
            FBuffer.MoveCaret(pos, true);
        }
        CaretMoved();
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FSelecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::CMEnter(TMessage& m) {
    // Tabbing in selects everything; a click places the caret where it lands.
    if (FAutoSelect && !FBuffer.MultiLine() && !GetShiftState().Contains(ssLeft)) SelectAll();
    TCustomControl::CMEnter(m);
}

void TCustomEdit::WMSetFocus(TWMSetFocus& m) {
    TCustomControl::WMSetFocus(m);
    if (Focused()) Blink(true);
    InvalidateText();
}

void TCustomEdit::WMKillFocus(TWMKillFocus& m) {
    TCustomControl::WMKillFocus(m);
    Blink(false);
    FSelecting = false;
    InvalidateText();
}

void TCustomEdit::Blink(bool on) {
    FBlinking = on;
    FCaretShown = on;
    if (on) SetTimer(this, kBlinkTimer, kCaretBlinkMs);
    else KillTimer(this, kBlinkTimer);
}

void TCustomEdit::RestartBlink() {
    if (!FBlinking) return;
    FCaretShown = true;
    SetTimer(this, kBlinkTimer, kCaretBlinkMs);
}

void TCustomEdit::WMTimer(TWMTimer& m) {
    if (m.TimerID != kBlinkTimer || !FBlinking) {
        TCustomControl::WMTimer(m);
        return;
    }
    FCaretShown = !FCaretShown;
    const TPoint p = CaretPixel();
    const TRect r = Rect(p.X, p.Y, p.X + 1, p.Y + Glyphs().CellHeight());
    InvalidateRect(&r, false);
}

void TCustomEdit::WMSize(TWMSize& m) {
    TCustomControl::WMSize(m);
    LayoutChanged();
    ScrollCaretIntoView();
}

void TCustomEdit::CMFontChanged(TMessage& m) {
    TCustomControl::CMFontChanged(m);
    LayoutChanged();
    AdjustHeight();
    ScrollCaretIntoView();
}

void TCustomEdit::CMCtl3DChanged(TMessage& m) {
    TCustomControl::CMCtl3DChanged(m);
    AdjustHeight();
}

// ---------------------------------------------------------------- 6. class tables

void TCustomEdit::RegisterClassInfo() {
    RegisterClass<TCustomEdit>("TCustomEdit", "TCustomControl", [](TClassBuilder<TCustomEdit>& b) {
        b.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default();
        b.Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default();
        b.Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default();
        b.Boolean("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize).Default();
        b.Boolean("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection).Default();
        // An edit starts as a tab stop with the I-beam and the window colour.
        b.Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default();
        b.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor).Default();
        b.Color("Color", &TControl::Color, &TControl::SetColor).Default().Stored([](TCustomEdit& e) {
            return !e.ParentColor();
        });
        b.Event("OnChange", &TCustomEdit::OnChange);
    });
}

void TEdit::RegisterClassInfo() { RegisterClass<TEdit>("TEdit", "TCustomEdit"); }
void TCustomMaskEdit::RegisterClassInfo() { RegisterClass<TCustomMaskEdit>("TCustomMaskEdit", "TCustomEdit"); }
void TMaskEdit::RegisterClassInfo() { RegisterClass<TMaskEdit>("TMaskEdit", "TCustomMaskEdit"); }
