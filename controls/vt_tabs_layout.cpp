// The tab control's geometry and layout. Sections:
//   1. measuring helpers (captions, accelerators, fonts)
//   2. geometry: depth, strip, cards, display rectangle, strip coordinates
//   3. shapes and regions
//   4. layout: measuring, sizes, positions, rows, scrolling, selection repair
#include <algorithm>

#include "controls/vt_tabs.h"
#include "framework/core/sysutils.h"

// ---------------------------------------------------------------- 1. measuring helpers

std::vector<std::string> SplitCaptionLines(const std::string& caption) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < caption.size()) {
        const size_t end = caption.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(caption.substr(start));
            break;
        }
        lines.push_back(caption.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TAccelParts SplitAccelerator(const std::string& line) {
    TAccelParts parts;
    std::string* target = &parts.Before;
    for (size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (ch != '&' || i + 1 == line.size()) {
            *target += ch;  // a final "&" is a plain character
            continue;
        }
        if (line[i + 1] == '&') {
            *target += '&';
            ++i;
            continue;
        }
        if (target == &parts.Before && !parts.HasAccel) {
            parts.HasAccel = true;
            parts.Accel = line[i + 1];
            ++i;
            target = &parts.After;
            continue;
        }
        // A second single "&" just disappears.
    }
    if (!parts.HasAccel) parts.After.clear();
    return parts;
}

std::string StripAccelerator(const std::string& line) {
    const TAccelParts p = SplitAccelerator(line);
    return p.HasAccel ? p.Before + p.Accel + p.After : p.Before;
}

TLogFont TVtCustomTabControl::TabLogFont(bool bold) const {
    TLogFont lf;
    lf.Height = FTabFont.Height();
    lf.Weight = bold ? FW_BOLD : FW_NORMAL;
    lf.Italic = FTabFont.Style().Contains(fsItalic);
    lf.Underline = FTabFont.Style().Contains(fsUnderline);
    lf.StrikeOut = FTabFont.Style().Contains(fsStrikeOut);
    if (FTextOrientation == orVertical) lf.Escapement = FTabOrientation == toRight ? 2700 : 900;
    lf.CharSet = DEFAULT_CHARSET;
    lf.FaceName = FTabFont.Name();
    return lf;
}

namespace {

// Measuring never needs pixels: the realised face answers directly (unrotated).
HFONT MeasuringFont(TLogFont lf) {
    lf.Escapement = 0;
    return CreateFontIndirect(lf);
}

}  // namespace

// ---------------------------------------------------------------- 2. geometry

int TVtCustomTabControl::Slant(int v) const {
    switch (FTabStyle) {
        case tsSingleSlant: return v / 2;
        case tsDoubleSlant: return v;
        default: return -1;
    }
}

int TVtCustomTabControl::TabAreaDepth() const {
    if (!FShowCard) return SideTabs() ? ClientWidth() - 1 : ClientHeight() - 1;
    const int d = FFixedDimension;
    int a = d + (d - FRowOverlap) * (FRowCount - 1);
    if (FTabStyle == tsRoundCorners) a += 3;
    return a;
}

TRect TVtCustomTabControl::TabStripRect() const {
    const int w = ClientWidth(), h = ClientHeight(), a = TabAreaDepth();
    switch (FTabOrientation) {
        case toTop: return Rect(0, 0, w - 1 - (FShowShadow ? 2 : 0), a);
        case toBottom: return Rect(0, h - 1 - a, w - 1, h - 1);
        case toLeft: return Rect(0, 0, a, h - 1);
        case toRight: return Rect(w - 1 - a, 0, w - 1, h - 1);
    }
    return {};
}

int TVtCustomTabControl::StripLength() const {
    const TRect s = TabStripRect();
    return SideTabs() ? s.Bottom - s.Top : s.Right - s.Left;
}

TRect TVtCustomTabControl::CardRect(int row) const {
    const int w = ClientWidth(), h = ClientHeight();
    if (!FShowCard) return Rect(0, 0, -1, -1);
    if (FTabs.Count() == 0) return Rect(0, 0, w - 1, h - 1);
    const int a = TabAreaDepth(), step = FFixedDimension - FRowOverlap, r = FRowCount;
    const int indentStart = row * FRowIndent, indentEnd = FRowIndent * (r - 1 - row);
    switch (FTabOrientation) {
        case toTop: return Rect(indentStart, a - row * step, w - 1 - indentEnd, h - 1 - row * step);
        case toBottom: return Rect(indentStart, row * step, w - 1 - indentEnd, h - 1 - a + row * step);
        case toLeft: return Rect(a - row * step, indentStart, w - 1 - row * step, h - 1 - indentEnd);
        case toRight: return Rect(row * step, indentStart, w - 1 - a + row * step, h - 1 - indentEnd);
    }
    return {};
}

TRect TVtCustomTabControl::DisplayRect() const {
    TRect r = CardRect(0);
    if (!FShowCardFrame) {
        ++r.Right;
        ++r.Bottom;
    } else if (FShowFullFrame) {
        ++r.Left;
        ++r.Top;
        if (FTabOrientation == toTop && FTabSequence == tsStandard && FShowShadow) {
            r.Right -= 2;
            r.Bottom -= 2;
        }
    } else {
        if (FTabOrientation != toRight) ++r.Top;
        ++r.Right;
        ++r.Bottom;
    }
    return r;
}

int TVtCustomTabControl::ScrollOffset() const {
    const int adjust = FMargin + (FTabStyle == tsRoundCorners ? 2 : 0);
    if (FFirstVisibleTab < 0 || FFirstVisibleTab >= FTabs.Count()) return FMargin - adjust;
    return FTabs[FFirstVisibleTab]->StripRect.Left - adjust;
}

int TVtCustomTabControl::ButtonSize() const {
    TTextMetric tm = MeasuringFont(TabLogFont(FBoldCurrentTab))->Metrics();
    const bool vertical = FTextOrientation == orVertical;
    const int s = tm.tmHeight + (vertical ? 2 : 4);
    const int limit = FFixedDimension - 2;
    const bool grow = SideTabs() ? (vertical && FTabWidth > 0) : (!vertical && FTabHeight > 0);
    return grow ? std::max(s, limit) : std::min(s, limit);
}

int TVtCustomTabControl::CloseButtonSize() const { return FShowCloseButton && FTabs.Count() > 0 ? ButtonSize() : 0; }

TPoint TVtCustomTabControl::StripToClient(TPoint p) const {
    const TRect s = TabStripRect();
    int along = p.X - ScrollOffset();
    // The reverse sequence runs from the strip's far end.
    if (FTabSequence == tsReverse) along = StripLength() - along;
    switch (FTabOrientation) {
        case toTop: return {along + s.Left, p.Y + s.Top};
        case toBottom: return {along + s.Left, s.Bottom - p.Y};
        case toLeft: return {p.Y + s.Left, s.Bottom - along};
        case toRight: return {s.Right - p.Y, along + s.Top};
    }
    return p;
}

bool TVtCustomTabControl::TabFullyInView(int index) const {
    if (index < 0 || index >= FTabs.Count() || !FTabs[index]->Visible) return false;
    if (!FScrollingNeeded) return true;
    const int o = ScrollOffset();
    const int view = StripLength() - 2 * ButtonSize() - 2 * FMargin - CloseButtonSize();
    const TRect& r = FTabs[index]->StripRect;
    return r.Left >= o && r.Right <= o + view;
}

// ---------------------------------------------------------------- 3. shapes and regions

TRect TVtCustomTabControl::DrawingRect(int index) const {
    TRect r = FTabs[index]->StripRect;
    r = OffsetRect(r, FTabs[index]->Row * FRowIndent, 0);
    if (FTabStyle == tsRoundCorners && index == FTabIndex) {
        r.Left -= 2;
        r.Right += 2;
        r.Top -= 2;
    }
    return r;
}

TRect TVtCustomTabControl::TabBoundsRect(int index) const {
    const TRect r = DrawingRect(index);
    const TPoint a = StripToClient({r.Left, r.Top});
    const TPoint b = StripToClient({r.Right, r.Bottom});
    return Rect(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

std::vector<TPoint> TVtCustomTabControl::TabShape(int index) const {
    const TRect r = DrawingRect(index);
    const int l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom, h = b - t, c = FCutCornerSize;
    std::vector<TPoint> pts;
    switch (FTabStyle) {
        case tsSingleSlant: pts = {{l, b}, {l, t + 2}, {l + 2, t}, {rt - h, t}, {rt, b}}; break;
        case tsDoubleSlant: pts = {{l, b}, {l + h, t}, {rt - h, t}, {rt, b}}; break;
        case tsCutCorner: pts = {{l, b}, {l, t}, {rt - c, t}, {rt, t + c}, {rt, b}}; break;
        case tsRoundCorners: pts = {{l, b}, {l, t + 2}, {l + 2, t}, {rt - 2, t}, {rt, t + 2}, {rt, b}}; break;
    }
    for (TPoint& p : pts) p = StripToClient(p);
    return pts;
}

HRGN TVtCustomTabControl::TabRegion(int index) {
    return FRegionCache.Find(TabBoundsRect(index), [this, index] {
        const std::vector<TPoint> pts = TabShape(index);
        HRGN region = CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()));
        if (!region) throw Exception("Error creating region");
        return region;
    });
}

// ---------------------------------------------------------------- 4. layout

TSize TVtCustomTabControl::MeasureTabContent(int index) {
    const TVtTabData& tab = *FTabs[index];
    const HFONT font = MeasuringFont(TabLogFont(FBoldCurrentTab));
    int widest = 0, sum = 0;
    for (const std::string& line : SplitCaptionLines(tab.Caption)) {
        widest = std::max(widest, font->TextWidth(StripAccelerator(line)));
        sum += font->Metrics().tmHeight;
    }
    const bool vertical = FTextOrientation == orVertical;
    const TSize text = vertical ? TSize{sum, widest} : TSize{widest, sum};
    TSize image;
    if (FImages && tab.ImageIndex != -1) image = {FImages->Width(), FImages->Height()};
    TSize c;
    switch (FImagePosition) {
        case ipLeft:
        case ipRight: c = {FImageMargin + image.cx + text.cx, std::max(image.cy, text.cy)}; break;
        case ipTop:
        case ipBottom: c = {std::max(image.cx, text.cx), FImageMargin + image.cy + text.cy}; break;
        case ipBack: c = {std::max(image.cx, text.cx), std::max(image.cy, text.cy)}; break;
        case ipStretch: c = text; break;
    }
    const int minWidth = font->TextWidth(FTabStyle == tsRoundCorners ? "AAA" : "A");
    const int minHeight = std::abs(FTabFont.Height());
    const int wMin = vertical ? minHeight : minWidth, hMin = vertical ? minWidth : minHeight;
    if (FTabWidth == 0) c.cx = std::max(c.cx, wMin);
    if (FTabHeight == 0) c.cy = std::max(c.cy, hMin);
    return c;
}

TSize TVtCustomTabControl::TabSizeFor(TSize content) const {
    // content: (along the strip, across it); the result likewise.
    const int cw = content.cx, ch = content.cy, cut = FCutCornerSize;
    const bool vertical = FTextOrientation == orVertical;
    int w = 0, h = 0;
    switch (FTabStyle) {
        case tsSingleSlant:
            w = cw + 6 + 2 * ((ch + 6) / 2) + FTabHeight / 2;
            h = ch + 6;
            break;
        case tsDoubleSlant:
            w = cw + 2 * ch + 10 + FTabHeight;
            h = ch + 6;
            break;
        case tsCutCorner:
            w = vertical ? cw + 10 : cw + 8 + 2 * cut;
            h = vertical ? ch + cut + 7 : ch + 7;
            break;
        case tsRoundCorners:
            w = vertical ? cw + 6 : cw + 16;
            h = vertical ? ch + 16 : ch + 6;
            break;
    }
    if (SideTabs()) {
        if (FTabWidth > 0) h = FTabWidth;
        if (FTabHeight > 0) w = FTabHeight;
    } else {
        if (FTabWidth > 0) w = FTabWidth;
        if (FTabHeight > 0) h = FTabHeight;
    }
    return {w, h};
}

void TVtCustomTabControl::PerformLayout() {
    FLayoutDirty = false;
    const int n = FTabs.Count();

    // Measure; all tabs share the deepest content.
    std::vector<TSize> content(static_cast<size_t>(n));
    int deepest = 0;
    for (int i = 0; i < n; ++i) {
        if (!FTabs[i]->Visible) continue;
        const TSize c = MeasureTabContent(i);
        content[i] = SideTabs() ? TSize{c.cy, c.cx} : c;
        deepest = std::max(deepest, content[i].cy);
    }
    std::vector<int> lengths(static_cast<size_t>(n), 0);
    int depth = -1;
    for (int i = 0; i < n; ++i) {
        if (!FTabs[i]->Visible) continue;
        const TSize size = TabSizeFor({content[i].cx, deepest});
        lengths[i] = size.cx;
        depth = std::max(depth, size.cy);
    }
    if (depth >= 0) FFixedDimension = depth;

    FRowCount = 1;
    const int len = StripLength();
    if (FMultiLine) {
        FRowCount = FillRows(len - 2 * FMargin, lengths, nullptr);
        const int available = len - 2 * FMargin - FRowIndent * (FRowCount - 1);
        PositionMultiLine(available, lengths);
    } else {
        // Room for the scroller always, and for the close button when shown.
        int available = len - 2 * FMargin - (2 * ButtonSize() + 2);
        if (FShowCloseButton) available -= CloseButtonSize() + 2;
        PositionSingleLine(available - (FTabStyle == tsRoundCorners ? 4 : 0), lengths);
    }
    FRegionCache.Clear();
    UpdateScrolling();
    RepairSelection();
    if (DisplayRect() != FLastDisplayRect) Realign();
}

void TVtCustomTabControl::PositionSingleLine(int clampTo, const std::vector<int>& lengths) {
    const int a = TabAreaDepth(), d = FFixedDimension, step = Slant(d);
    int x = FMargin;
    for (int i = 0; i < FTabs.Count(); ++i) {
        TVtTabData& tab = *FTabs[i];
        const int length = std::min(lengths[i], clampTo);
        tab.Row = 0;
        if (!tab.Visible) {
            tab.StripRect = Rect(x, a - d, x, a);
            continue;
        }
        tab.StripRect = Rect(x, a - d, x + length, a);
        x += length - step + 1;
    }
}

// Greedy rows in tab order; grows the row count until the tabs fit. rowOf receives each
// visible tab's row.
int TVtCustomTabControl::FillRows(int fullLength, const std::vector<int>& lengths, std::vector<int>* rowOf) const {
    const int step = Slant(FFixedDimension);
    for (int rows = 1;; ++rows) {
        const int available = fullLength - FRowIndent * (rows - 1);
        std::vector<int> assigned(lengths.size(), 0);
        int row = 0, pos = FMargin;
        bool rowEmpty = true, forceBreak = false;
        for (size_t i = 0; i < lengths.size(); ++i) {
            if (!FTabs[static_cast<int>(i)]->Visible) continue;
            const int l = lengths[i];
            if (!rowEmpty && (forceBreak || pos + l >= available)) {
                ++row;
                pos = FMargin;
                rowEmpty = true;
            }
            assigned[i] = row;
            // A tab longer than a whole row stands alone.
            forceBreak = l >= available;
            pos += l - step + 1;
            rowEmpty = false;
        }
        const int needed = row + 1;
        if (needed <= rows || rows > static_cast<int>(lengths.size()) + 1) {
            if (rowOf) *rowOf = assigned;
            return std::max(needed, 1);
        }
    }
}

void TVtCustomTabControl::PositionMultiLine(int available, const std::vector<int>& lengths) {
    std::vector<int> rowOf;
    FillRows(StripLength() - 2 * FMargin, lengths, &rowOf);
    const int a = TabAreaDepth(), d = FFixedDimension, step = Slant(d), rowStep = d - FRowOverlap;
    const int clampTo = available - (FTabStyle == tsRoundCorners ? 4 : 0);
    int x = FMargin, row = 0;
    for (int i = 0; i < FTabs.Count(); ++i) {
        TVtTabData& tab = *FTabs[i];
        if (!tab.Visible) {
            tab.StripRect = Rect(x, a - d, x, a);
            tab.Row = 0;
            continue;
        }
        if (rowOf[i] != row) {
            row = rowOf[i];
            x = FMargin;
        }
        const int length = std::min(lengths[i], clampTo);
        tab.Row = row;
        tab.StripRect = Rect(x, a - d - row * rowStep, x + length, a - row * rowStep);
        x += length - step + 1;
    }
    AlignRows(available);
}

void TVtCustomTabControl::AlignRows(int available) {
    const bool fixed = SideTabs() ? FTabHeight > 0 : FTabWidth > 0;
    if (!FAlignTabs || fixed) return;
    const int step = Slant(FFixedDimension);
    for (int row = 0; row < FRowCount; ++row) {
        std::vector<TVtTabData*> tabs;
        for (int i = 0; i < FTabs.Count(); ++i)
            if (FTabs[i]->Visible && FTabs[i]->Row == row) tabs.push_back(FTabs[i]);
        if (tabs.empty()) continue;
        const int used = tabs.back()->StripRect.Right - FMargin;
        const int spare = available - used - (FTabStyle == tsRoundCorners ? 4 : 0);
        if (spare <= 0) continue;
        const int count = static_cast<int>(tabs.size());
        int shift = 0;
        for (int k = 0; k < count; ++k) {
            const int grow = spare / count + (k < spare % count ? 1 : 0);
            tabs[k]->StripRect.Left += shift;
            tabs[k]->StripRect.Right += shift + grow;
            shift += grow;
        }
        (void)step;
    }
}

void TVtCustomTabControl::RotateRows() {
    if (!FMultiLine || FRowCount <= 1 || FTabIndex < 0 || FTabIndex >= FTabs.Count()) return;
    const int selectedRow = FTabs[FTabIndex]->Row;
    if (selectedRow == 0) return;
    const int a = TabAreaDepth(), d = FFixedDimension, rowStep = d - FRowOverlap;
    for (int i = 0; i < FTabs.Count(); ++i) {
        TVtTabData& tab = *FTabs[i];
        tab.Row = (tab.Row - selectedRow + FRowCount) % FRowCount;
        tab.StripRect.Top = a - d - tab.Row * rowStep;
        tab.StripRect.Bottom = a - tab.Row * rowStep;
    }
    FRegionCache.Clear();
}

void TVtCustomTabControl::UpdateScrolling() {
    const int n = FTabs.Count();
    int firstShown = 0;
    while (firstShown < n && !FTabs[firstShown]->Visible) ++firstShown;
    if (firstShown == n) firstShown = 0;
    FScrollingNeeded = false;
    if (!FMultiLine && n > 0) {
        int last = n - 1;
        while (last > 0 && !FTabs[last]->Visible) --last;
        FScrollingNeeded = FTabs[last]->StripRect.Right > StripLength() - 2 * FMargin - CloseButtonSize();
    }
    if (!FScrollingNeeded) {
        FFirstVisibleTab = firstShown;
        if (FScroller) PlaceButtons();
        return;
    }
    EnsureScroller();
    const int old = std::clamp(FFirstVisibleTab, 0, n - 1);
    FFirstVisibleTab = old;
    while (FFirstVisibleTab < n && !TabFullyInView(FFirstVisibleTab)) ++FFirstVisibleTab;
    if (FFirstVisibleTab >= n) {
        FFirstVisibleTab = old - 1;
        while (FFirstVisibleTab >= 0 && !TabFullyInView(FFirstVisibleTab)) --FFirstVisibleTab;
        if (FFirstVisibleTab < 0) FFirstVisibleTab = firstShown;
    }
}

bool TVtCustomTabControl::Selectable(int index, bool askQuery) {
    if (index < 0 || index >= FTabs.Count()) return false;
    const TVtTabData& tab = *FTabs[index];
    if (!tab.Visible || !(tab.Enabled || Designing())) return false;
    if (!askQuery || index == FTabIndex) return true;
    bool allow = true;
    QueryTabChange(index, allow);
    return allow;
}

void TVtCustomTabControl::RepairSelection() {
    const int n = FTabs.Count();
    bool anyVisible = false;
    for (int i = 0; i < n && !anyVisible; ++i) anyVisible = FTabs[i]->Visible;
    int target = -1;
    if (anyVisible && FTabIndex != -1) {
        if (FTabIndex > n) {
            target = FTabIndex;  // the selection operation turns it into -1
        } else {
            int i = FTabIndex;
            while (i < n && !Selectable(i, true)) ++i;
            if (i < n) {
                target = i;
            } else {
                int k = FTabIndex - 1;
                while (k >= 0 && !Selectable(k, true)) --k;
                target = k;
            }
        }
    }
    FBypassChangeQuery = target != FTabIndex;
    SetTabIndex(target);
    FBypassChangeQuery = false;
}
