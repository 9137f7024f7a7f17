// The tab control's painting: everything is composed in the off-screen bitmap and copied to
// the screen in one piece. Sections:
//   1. the paint pass (background, tabs back to front, the selected tab, cards)
//   2. a tab: fill, contents (content rectangle, image, bar, text, focus rectangle)
//   3. a card: fill and frame
//   4. drawing commands: outlines, frames and the soft shadow
#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "controls/vt_draw.h"
#include "controls/vt_tabs.h"
#include "framework/core/sysutils.h"

namespace {

// The recorded drawing commands; coordinates follow as two words where a command has them.
enum TTabCommand {
    tcPen,      // pen to the outline colour
    tcOutline,  // kind (0 tab, 1 card), index: an outline follows; resets the pen
    tcMoveTo,
    tcLineTo,
    tcShadowTo30,  // shadow line to the point with strength 30
    tcShadowTo15,  // … with strength 15
};

constexpr int kShadowStrong = 30;
constexpr int kShadowSoft = 15;

void FillSolid(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
}

}  // namespace

// ---------------------------------------------------------------- 1. the paint pass

void TVtCustomTabControl::Paint() {
    EnsureLayout();
    // The form's back buffer is already off the screen, so the tab control composes straight
    // onto it: nothing shows until the form presents the whole paint.
    TCanvas* canvas = Canvas();
    const TRect clip = canvas->ClipRect();
    // A hot-tracking repaint covers only the strip; the shadow lies outside it.
    const TRect strip = TabStripRect();
    const TRect stripExclusive = Rect(strip.Left, strip.Top, strip.Right + 1, strip.Bottom + 1);
    FShadowSkippedNow = FSkipShadow && IntersectRect(clip, stripExclusive) == clip;

    {
        TCanvasStateSaver state(canvas);
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetStyle(psSolid);

        bool handled = false;
        PaintControlBackground(canvas, ClientRect(), handled);
        if (!handled) {
            if (FTransparent) PaintParentBackground(this, canvas, false);
            else FillSolid(canvas, ClientRect(), FBackgroundColor);
        }
        PlaceButtons();

        // Unselected tabs from the back row forwards and, in a row, from the last to the first,
        // so that each slanted side lies over its right-hand neighbour; then the selected tab
        // over both neighbours, then the card it opens into.
        const int n = FTabs.Count();
        if (n > 0 && FShowCard) {
            int firstOfRow0 = 0;
            while (firstOfRow0 < n && !(FTabs[firstOfRow0]->Visible && FTabs[firstOfRow0]->Row == 0)) ++firstOfRow0;
            if (firstOfRow0 == n) firstOfRow0 = 0;
            const int start = (firstOfRow0 - 1 + n) % n;
            int running = FRowCount - 1;
            for (int k = 0; k < n; ++k) {
                const int i = (start - k + n) % n;
                const TVtTabData& tab = *FTabs[i];
                if (!tab.Visible || !TabFullyInView(i) || i < FFirstVisibleTab || i == FTabIndex) continue;
                if (tab.Row < running && running > 0) {
                    PaintCard(canvas, running);
                    running = tab.Row;
                }
                PaintTab(canvas, i);
            }
            if (running == 1) PaintCard(canvas, 1);
        } else if (n > 0) {
            for (int i = n - 1; i >= 0; --i)
                if (FTabs[i]->Visible && TabFullyInView(i) && i >= FFirstVisibleTab && i != FTabIndex)
                    PaintTab(canvas, i);
        }
        if (FTabIndex >= 0 && FTabIndex < n && FTabIndex >= FFirstVisibleTab && TabFullyInView(FTabIndex))
            PaintTab(canvas, FTabIndex);
        PaintCard(canvas, 0);
    }
}

// ---------------------------------------------------------------- 2. a tab

void TVtCustomTabControl::PaintTab(TCanvas* canvas, int index) {
    const TRect bounds = TabBoundsRect(index);
    if (IntersectRect(bounds, canvas->ClipRect()).IsEmpty()) return;
    const HRGN region = TabRegion(index);
    {
        TCanvasStateSaver state(canvas);
        canvas->SelectClipRgn(region);
        bool handled = false;
        PaintTabFill(canvas, index, bounds, handled);
        if (!handled) {
            const TVtTabData& tab = *FTabs[index];
            TColor selected = Color(), unselected = FTabColors->Colors().Unselected;
            TColor shadow = FTabColors->Colors().Shadow;
            if (FUseColoredTabs) {
                selected = unselected = tab.Color;
                // A white tab would vanish into a white card; it shades to the face colour.
                shadow = ColorToRGB(tab.Color) == RGB(255, 255, 255) ? clBtnFace : DarkenColor(tab.Color, 30);
            }
            if (index == FTabIndex) {
                FillSolid(canvas, bounds, selected);
            } else if (FUseGradients && DisplayHasManyColors()) {
                // From the unselected colour at the outer edge to the shadow at the card.
                switch (FTabOrientation) {
                    case toTop: PaintGradient(canvas, bounds, gdHorizontalEnd, unselected, shadow, 1); break;
                    case toBottom: PaintGradient(canvas, bounds, gdHorizontalEnd, shadow, unselected, 1); break;
                    case toLeft: PaintGradient(canvas, bounds, gdVerticalEnd, unselected, shadow, 1); break;
                    case toRight: PaintGradient(canvas, bounds, gdVerticalEnd, shadow, unselected, 1); break;
                }
            } else {
                FillSolid(canvas, bounds, unselected);
            }
        }
        PaintTabContents(canvas, index, bounds);
    }
    RecordTabOutline(index);
    ExecuteCommands(canvas);
}

TColor TVtCustomTabControl::TextColorFor(int index, TVtTextStyle style, TColor fallback) {
    TColor color = fallback;
    bool handled = false;
    QueryTabTextColor(index, style, color, handled);
    return handled ? color : fallback;
}

namespace {

// Insets of the content rectangle from the bounding rectangle: from the outer edge, from
// the card edge, from the start and from the end of the tab along the strip.
struct TInsets {
    int Outer, Card, Start, End;
};

}  // namespace

// Whether a tab is the selected one, the colour of its text and that of the bar on its outer
// edge (clNone: none).
struct TVtCustomTabControl::TTabLook {
    bool Selected = false;
    TColor Text = clNone;
    TColor Bar = clNone;
};

// A caption's lines laid out in a tab's text area.
struct TVtCustomTabControl::TTabText {
    std::vector<std::string> Lines;
    std::vector<int> Widths;  // without the accelerator marks
    TRect Area;
    TRect Placed;  // the block of lines inside Area
    int LineHeight = 0;
    int AcrossStart = 0;  // where the first line starts, across the writing direction
    bool Vertical = false;
    bool Bold = false;
};

void TVtCustomTabControl::PaintTabContents(TCanvas* canvas, int index, const TRect& bounds) {
    const TVtTabData& tab = *FTabs[index];
    const TRect content = TabContentRect(bounds);
    // Image and text areas: without an image the text has the whole content rectangle.
    const TRect textArea = FImages && tab.ImageIndex != -1 ? PaintTabImage(canvas, tab, content) : content;
    // State: text colour and the bar on the outer edge.
    const TTabLook look = TabLook(index);
    if (look.Bar != clNone) PaintTabBar(canvas, bounds, look.Bar);
    // Text: the block of caption lines placed in the text area.
    const TRect placed = PaintTabText(canvas, index, tab, textArea, look);
    // Focus rectangle around the placed text.
    if (FShowFocusRect && look.Selected && Focused()) PaintTabFocusRect(canvas, placed);
}

TRect TVtCustomTabControl::TabContentRect(const TRect& b) const {
    const int depth = SideTabs() ? b.Width() : b.Height();
    // Left tabs follow the top tabs' rules, right tabs the bottom tabs'.
    const bool outerFirst = FTabOrientation == toTop || FTabOrientation == toLeft;
    const int cut = FCutCornerSize, slant = Slant(depth);
    TInsets in{};
    switch (FTabStyle) {
        case tsSingleSlant: in = outerFirst ? TInsets{4, 2, 5, 2 * slant + 1} : TInsets{3, 3, 5, 2 * slant + 1}; break;
        case tsDoubleSlant:
            in = outerFirst ? TInsets{4, 2, depth + 1, depth - 1} : TInsets{3, 3, depth + 1, depth - 1};
            break;
        case tsCutCorner: in = outerFirst ? TInsets{5, 2, cut + 4, cut + 4} : TInsets{4, 3, cut + 4, cut + 4}; break;
        case tsRoundCorners: in = TInsets{3, 3, 5, 5}; break;
    }
    if (FTabSequence == tsReverse) std::swap(in.Start, in.End);
    TRect content;
    switch (FTabOrientation) {
        case toTop: content = Rect(b.Left + in.Start, b.Top + in.Outer, b.Right - in.End, b.Bottom - in.Card); break;
        case toBottom: content = Rect(b.Left + in.Start, b.Top + in.Card, b.Right - in.End, b.Bottom - in.Outer); break;
        case toLeft: content = Rect(b.Left + in.Outer, b.Top + in.End, b.Right - in.Card, b.Bottom - in.Start); break;
        case toRight: content = Rect(b.Left + in.Card, b.Top + in.Start, b.Right - in.Outer, b.Bottom - in.End); break;
    }
    return content;
}

TRect TVtCustomTabControl::PaintTabImage(TCanvas* canvas, const TVtTabData& tab, const TRect& content) {
    TRect imageArea = content, textArea = content;
    const int iw = FImages->Width(), ih = FImages->Height();
    const int gap = FImageMargin;
    switch (FImagePosition) {
        case ipLeft:
            imageArea.Right = content.Left + iw;
            textArea.Left = content.Left + iw + gap;
            break;
        case ipRight:
            imageArea.Left = content.Right - iw;
            textArea.Right = content.Right - iw - gap;
            break;
        case ipTop:
            imageArea.Bottom = content.Top + ih;
            textArea.Top = content.Top + ih + gap;
            break;
        case ipBottom:
            imageArea.Top = content.Bottom - ih;
            textArea.Bottom = content.Bottom - ih - gap;
            break;
        case ipBack:
        case ipStretch: break;
    }
    int x = imageArea.Left, y = imageArea.Top;
    if (FImagePosition != ipStretch) {
        if (FImageAlignment == haCenter) x += (imageArea.Width() - iw) / 2;
        else if (FImageAlignment == haRight) x = imageArea.Right - iw;
        if (FImageAlignmentVertical == vaCenter) y += (imageArea.Height() - ih) / 2;
        else if (FImageAlignmentVertical == vaBottom) y = imageArea.Bottom - ih;
    }
    if (tab.DisabledIndex == -1) FImages->Draw(canvas, x, y, tab.ImageIndex, tab.Enabled);
    else FImages->Draw(canvas, x, y, tab.Enabled ? tab.ImageIndex : tab.DisabledIndex, true);
    return textArea;
}

TVtCustomTabControl::TTabLook TVtCustomTabControl::TabLook(int index) {
    const TVtTabData& tab = *FTabs[index];
    const bool hot = FHotTrack && index == FHotTab;
    TTabLook look;
    look.Selected = index == FTabIndex;
    if (tab.Enabled && hot) {
        const TColor hotText = FHotTrackStyle == htsText ? FHotTrackColor : FTextColors->Colors().Selected;
        look.Text = TextColorFor(index, tsHotTrack, hotText);
        if (FHotTrackStyle == htsTab)
            look.Bar = FHotTrackColorType == htctActual ? FHotTrackColor : OppositeHueColor(FHotTrackColor, 140);
    } else if (tab.Enabled && look.Selected) {
        look.Text = TextColorFor(index, tsSelected, FTextColors->Colors().Selected);
        if (FHotTrack && FHotTrackStyle == htsTab) look.Bar = FTabColors->Colors().HighlightBar;
    } else if (tab.Enabled) {
        look.Text = TextColorFor(index, tsUnselected, FTextColors->Colors().Unselected);
    }
    return look;
}

void TVtCustomTabControl::PaintTabBar(TCanvas* canvas, const TRect& b, TColor color) {
    TRect bar = InflateRect(b, 1, 1);
    switch (FTabOrientation) {
        case toTop: bar.Bottom = bar.Top + 6; break;
        case toLeft: bar.Right = bar.Left + 6; break;
        case toBottom: bar.Top = bar.Bottom - 4; break;
        case toRight: bar.Left = bar.Right - 4; break;
    }
    TCanvasStateSaver state(canvas);
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->Rectangle(bar);  // leaves out the last row and column
}

TRect TVtCustomTabControl::PaintTabText(TCanvas* canvas, int index, const TVtTabData& tab, const TRect& area,
                                        const TTabLook& look) {
    const bool bold = FBoldCurrentTab && look.Selected;
    TTabText text;
    {
        TCanvasStateSaver fontState(canvas);
        FFontStack.push_back(CreateFontIndirect(TabLogFont(bold)));
        canvas->Font()->SetHandle(FFontStack.back());
        text = LayOutTabText(canvas, tab.Caption, area, bold);
        if (tab.Enabled) {
            DrawTabText(canvas, text, look.Text, 0, 0);
        } else {
            const TVtTextColorValues& colors = FTextColors->Colors();
            DrawTabText(canvas, text, TextColorFor(index, tsDisabledHighlight, colors.DisabledHighlight), 1, 1);
            DrawTabText(canvas, text, TextColorFor(index, tsDisabledShadow, colors.DisabledShadow), 0, 0);
        }
    }
    FFontStack.pop_back();
    return text.Placed;
}

TVtCustomTabControl::TTabText TVtCustomTabControl::LayOutTabText(TCanvas* canvas, const std::string& caption,
                                                                 const TRect& area, bool bold) const {
    TTabText t;
    t.Lines = SplitCaptionLines(caption);
    t.Area = area;
    t.Vertical = FTextOrientation == orVertical;
    t.Bold = bold;
    t.LineHeight = canvas->TextHeight("A");
    for (const std::string& line : t.Lines) t.Widths.push_back(canvas->TextWidth(StripAccelerator(line)));
    const int block = t.LineHeight * static_cast<int>(t.Lines.size());
    // Across the lines (vertical placement for horizontal text) and along each line.
    const int acrossSpace = t.Vertical ? area.Width() : area.Height();
    t.AcrossStart = t.Vertical ? area.Left : area.Top;
    if (FTextAlignmentVertical == vaCenter) t.AcrossStart += (acrossSpace - block) / 2;
    else if (FTextAlignmentVertical == vaBottom) t.AcrossStart += acrossSpace - block;
    t.Placed = area;
    if (t.Vertical) {
        t.Placed.Left = t.AcrossStart;
        t.Placed.Right = t.AcrossStart + block;
    } else {
        t.Placed.Top = t.AcrossStart;
        t.Placed.Bottom = t.AcrossStart + block;
    }
    return t;
}

void TVtCustomTabControl::DrawTabText(TCanvas* canvas, const TTabText& t, TColor color, int dx, int dy) {
    canvas->Brush()->SetStyle(bsClear);
    for (size_t k = 0; k < t.Lines.size(); ++k) {
        const int alongSpace = t.Vertical ? t.Area.Height() : t.Area.Width();
        int offset = 0;
        if (FTextAlignment == haCenter) offset = (alongSpace - t.Widths[k]) / 2;
        else if (FTextAlignment == haRight) offset = alongSpace - t.Widths[k];
        const int across = t.AcrossStart + static_cast<int>(k) * t.LineHeight;
        // Each part starts where the previous one ended, along the writing direction.
        TPoint at, step;
        if (!t.Vertical) {
            at = {t.Area.Left + offset, across}, step = {1, 0};
        } else if (FTabOrientation == toRight) {
            at = {across + t.LineHeight, t.Area.Top + offset}, step = {0, 1};
        } else {
            at = {across, t.Area.Bottom - offset}, step = {0, -1};
        }
        at = {at.X + dx, at.Y + dy};
        const TAccelParts parts = SplitAccelerator(t.Lines[k]);
        DrawTabTextPart(canvas, t, parts.Before, false, color, at, step);
        if (parts.HasAccel) {
            const bool underline = !FTabFont.Style().Contains(fsUnderline);
            DrawTabTextPart(canvas, t, std::string(1, parts.Accel), underline, color, at, step);
            DrawTabTextPart(canvas, t, parts.After, false, color, at, step);
        }
    }
}

void TVtCustomTabControl::DrawTabTextPart(TCanvas* canvas, const TTabText& t, const std::string& part, bool underline,
                                          TColor color, TPoint& at, TPoint step) {
    if (part.empty()) return;
    int advance = 0;
    {
        TCanvasStateSaver partState(canvas);
        if (underline) {
            TLogFont lf = TabLogFont(t.Bold);
            lf.Underline = true;
            FFontStack.push_back(CreateFontIndirect(lf));
            canvas->Font()->SetHandle(FFontStack.back());
        }
        canvas->Font()->SetColor(color);
        canvas->TextOut(at.X, at.Y, part);
        advance = canvas->TextWidth(part);
    }
    if (underline) FFontStack.pop_back();
    at = {at.X + step.X * advance, at.Y + step.Y * advance};
}

void TVtCustomTabControl::PaintTabFocusRect(TCanvas* canvas, const TRect& placed) {
    // One pixel wider along the strip.
    TRect focus = SideTabs() ? InflateRect(placed, 0, 1) : InflateRect(placed, 1, 0);
    if (FTabStyle == tsRoundCorners) {
        switch (FTabOrientation) {
            case toTop: ++focus.Top; break;
            case toLeft: focus.Left += 2; break;
            case toBottom: --focus.Bottom; break;
            case toRight: focus.Right -= 2; break;
        }
    }
    canvas->DrawFocusRect(focus);
}

// ---------------------------------------------------------------- 3. a card

void TVtCustomTabControl::PaintCard(TCanvas* canvas, int row) {
    const TRect c = CardRect(row);
    if (c.Right < c.Left || c.Bottom < c.Top) return;
    const TRect fill = Rect(c.Left, c.Top, c.Right + 1, c.Bottom + 1);
    bool handled = false;
    PaintCardFill(canvas, row, fill, handled);
    if (!handled) {
        const bool tabColour = FUseColoredTabs && FTabIndex >= 0 && FTabIndex < FTabs.Count();
        FillSolid(canvas, fill, tabColour ? FTabs[FTabIndex]->Color : Color());
    }
    if (!FShowCardFrame) return;
    RecordCardFrame(row);
    ExecuteCommands(canvas);
}

// ---------------------------------------------------------------- 4. drawing commands

void TVtCustomTabControl::RecordTabOutline(int index) {
    FCommands.clear();
    const std::vector<TPoint> pts = TabShape(index);
    static constexpr size_t kPoints[] = {5, 4, 5, 6};
    if (pts.size() != kPoints[FTabStyle]) throw Exception("Incorrect number of points in tab shape");
    FCommands.insert(FCommands.end(), {tcOutline, 0, index, tcMoveTo, pts[0].X, pts[0].Y});
    for (size_t k = 1; k < pts.size(); ++k) FCommands.insert(FCommands.end(), {tcLineTo, pts[k].X, pts[k].Y});
}

void TVtCustomTabControl::RecordCardFrame(int row) {
    FCommands.clear();
    FCommands.insert(FCommands.end(), {tcOutline, 1, row});
    auto move = [this](TPoint p) { FCommands.insert(FCommands.end(), {tcMoveTo, p.X, p.Y}); };
    auto line = [this](TPoint p) { FCommands.insert(FCommands.end(), {tcLineTo, p.X, p.Y}); };
    auto shadow = [this](int strength, int x, int y) {
        FCommands.insert(FCommands.end(), {strength == kShadowStrong ? tcShadowTo30 : tcShadowTo15, x, y});
    };
    const TRect c = CardRect(row);
    const int cl = c.Left, ct = c.Top, cr = c.Right, cb = c.Bottom;
    const TPoint tl{cl, ct}, tr{cr, ct}, br{cr, cb}, bl{cl, cb};
    const bool reverse = FTabSequence == tsReverse;

    // The gap under the selected tab, from just past its first shape point to its last.
    TPoint along{};
    switch (FTabOrientation) {
        case toTop:
        case toBottom: along = {reverse ? -1 : 1, 0}; break;
        case toLeft: along = {0, reverse ? 1 : -1}; break;
        case toRight: along = {0, reverse ? -1 : 1}; break;
    }
    const bool gap = row == 0 && FTabIndex >= 0 && FTabIndex < FTabs.Count() && TabFullyInView(FTabIndex);
    TPoint g1{}, g2{};
    if (gap) {
        const std::vector<TPoint> shape = TabShape(FTabIndex);
        g1 = {shape.front().X + along.X, shape.front().Y + along.Y};
        g2 = shape.back();
    }

    if (FTabOrientation == toTop && !reverse && FShowShadow) {
        move(tl);
        if (gap) {
            line(g1);
            move(g2);
        }
        line({cr - 2, ct});
        line({cr - 2, cb - 2});
        line({cl, cb - 2});
        line(gap ? TPoint{cl, ct - 1} : tl);
        if (!FShadowSkippedNow) {
            move({cr - 1, ct + 1});
            shadow(kShadowStrong, cr - 1, cb - 1);
            shadow(kShadowStrong, cl, cb - 1);
            move({cr - 1, ct});
            shadow(kShadowSoft, cr, ct);
            shadow(kShadowSoft, cr, cb);
            shadow(kShadowSoft, cl, cb);
            shadow(kShadowSoft, cl, cb - 1);
        }
        return;
    }
    // The side along the tabs runs from its start corner to its end corner, then round.
    TPoint corners[4];
    switch (FTabOrientation) {
        case toTop:
            reverse ? (corners[0] = tr, corners[1] = tl, corners[2] = bl, corners[3] = br)
                    : (corners[0] = tl, corners[1] = tr, corners[2] = br, corners[3] = bl);
            break;
        case toBottom:
            reverse ? (corners[0] = br, corners[1] = bl, corners[2] = tl, corners[3] = tr)
                    : (corners[0] = bl, corners[1] = br, corners[2] = tr, corners[3] = tl);
            break;
        case toLeft:
            reverse ? (corners[0] = tl, corners[1] = bl, corners[2] = br, corners[3] = tr)
                    : (corners[0] = bl, corners[1] = tl, corners[2] = tr, corners[3] = br);
            break;
        case toRight:
            reverse ? (corners[0] = br, corners[1] = tr, corners[2] = tl, corners[3] = bl)
                    : (corners[0] = tr, corners[1] = br, corners[2] = bl, corners[3] = tl);
            break;
    }
    move(corners[0]);
    if (gap) {
        line(g1);
        move(g2);
    }
    if (!FShowFullFrame) {
        line({corners[1].X + along.X, corners[1].Y + along.Y});
        return;
    }
    line(corners[1]);
    line(corners[2]);
    line(corners[3]);
    line(corners[0]);
}

namespace {

// Black over each channel value at the shadow's strong or soft strength, as MixColors mixes
// each channel.
const std::array<uint8_t, 256>& Darkened(uint8_t strength) {
    auto make = [](uint8_t s) {
        std::array<uint8_t, 256> out{};
        for (int c = 0; c < 256; ++c) out[c] = GetRValue(MixColors(clBlack, RGB(c, 0, 0), s));
        return out;
    };
    static const std::array<uint8_t, 256> strong = make(kShadowStrong), soft = make(kShadowSoft);
    return strength == kShadowStrong ? strong : soft;
}

}  // namespace

void TVtCustomTabControl::ExecuteCommands(TCanvas* canvas) {
    // The shadow darkens what lies behind the control: the parent's image, rendered once
    // when the list asks for it, and only over the pixels the shadow lines cross. Lines that
    // run together (the shadow's right side, its bottom) share an image of their own thin
    // bounds: one image of the whole card would be mostly untouched, yet every row is crossed.
    struct TBehind {
        TRegion Lines;
        TRect Box;
        std::unique_ptr<TBitmap> Image;
    };
    constexpr int kThin = 4;
    std::vector<TBehind> behind;
    TPoint pen = canvas->PenPos();
    for (size_t k = 0; k < FCommands.size();) {
        const int cmd = FCommands[k];
        if (cmd == tcPen) {
            ++k;
            continue;
        }
        const TPoint to{FCommands[k + 1], FCommands[k + 2]};
        k += 3;
        if (cmd == tcShadowTo30 || cmd == tcShadowTo15) {
            const TRect segment = Rect(std::min(pen.X, to.X), std::min(pen.Y, to.Y), std::max(pen.X, to.X) + 1,
                                       std::max(pen.Y, to.Y) + 1);
            auto staysThin = [&segment](const TBehind& b) {
                const TRect both = UnionRect(b.Box, segment);
                return std::min(both.Width(), both.Height()) <= kThin;
            };
            auto group = std::find_if(behind.begin(), behind.end(), staysThin);
            if (group == behind.end()) group = behind.insert(behind.end(), TBehind{{}, segment, nullptr});
            group->Box = UnionRect(group->Box, segment);
            group->Lines = group->Lines.Union(TRegion::FromRect(segment));
        }
        if (cmd != tcOutline) pen = to;
    }
    // Only the shadow pixels this paint can show (a hover repaints the strip alone).
    const TRegion shown = canvas->ClipRegion().Intersect(Rect(0, 0, std::max(Width(), 1), std::max(Height(), 1)));
    for (TBehind& b : behind) {
        b.Lines = b.Lines.Intersect(shown);
        if (b.Lines.Empty()) continue;
        b.Box = b.Lines.Bounds();
        b.Image = std::make_unique<TBitmap>(b.Box.Width(), b.Box.Height(), TBitmap::TUnfilled{});
        TCanvas* under = b.Image->Canvas();
        const TRegion clip = b.Lines.Offset(-b.Box.Left, -b.Box.Top);
        under->SelectClipRgn(&clip);
        under->SetViewportOrigin({-b.Box.Left, -b.Box.Top});
        FillSolid(under, b.Box, FBackgroundColor);
        PaintParentBackground(this, under, false);
    }
    const TRect shownBounds = shown.Bounds();
    auto behindAt = [&behind](TPoint p) -> std::optional<TColor> {
        // The box first: a shadow line's pixel lies in one group's box, and a box is four
        // comparisons where the lines are two searches.
        for (const TBehind& b : behind)
            if (b.Image && b.Box.Contains(p) && b.Lines.Contains(p))
                return ColorFromPixel(b.Image->ScanLine(p.Y - b.Box.Top)[p.X - b.Box.Left]);
        return std::nullopt;
    };
    // A level or upright shadow line is darkened into a strip of its own and copied at once;
    // the canvas's clip leaves out what it leaves out of every pixel.
    auto shadowStrip = [&](TPoint from, TPoint to, uint8_t strength) {
        // Only the part the canvas can show (a hover repaints the strip alone).
        const TRect line = IntersectRect(Rect(std::min(from.X, to.X), std::min(from.Y, to.Y),
                                              std::max(from.X, to.X) + 1, std::max(from.Y, to.Y) + 1),
                                         shownBounds);
        if (line.IsEmpty()) return;
        TBitmap strip(line.Width(), line.Height(), TBitmap::TUnfilled{});
        const std::array<uint8_t, 256>& dark = Darkened(strength);
        for (int y = line.Top; y < line.Bottom; ++y)
            for (int x = line.Left; x < line.Right; ++x) {
                const std::optional<TColor> under = behindAt({x, y});
                const TColor rgb = under ? *under : clBlack;  // not shown: the clip leaves it out
                strip.ScanLine(y - line.Top)[x - line.Left] =
                    PixelFromColor(RGB(dark[GetRValue(rgb)], dark[GetGValue(rgb)], dark[GetBValue(rgb)]));
            }
        TCanvasStateSaver saver(canvas);
        canvas->SetCopyMode(cmSrcCopy);
        canvas->Draw(line.Left, line.Top, &strip);
    };
    const TColor outline = OutlineColor();
    canvas->Pen()->SetColor(outline);
    for (size_t k = 0; k < FCommands.size();) {
        const int cmd = FCommands[k];
        if (cmd == tcPen) {
            canvas->Pen()->SetColor(outline);
            ++k;
            continue;
        }
        const int a = FCommands[k + 1], b = FCommands[k + 2];
        k += 3;
        switch (cmd) {
            case tcOutline: canvas->Pen()->SetColor(outline); break;
            case tcMoveTo: canvas->MoveTo(a, b); break;
            case tcLineTo: canvas->LineTo(a, b); break;
            case tcShadowTo30:
            case tcShadowTo15:
                // The frame records its shadow as level and upright lines only.
                shadowStrip(canvas->PenPos(), {a, b}, cmd == tcShadowTo30 ? kShadowStrong : kShadowSoft);
                canvas->SetPenPos({a, b});
                break;
            default: break;
        }
    }
}
