// The classic drawn scroll bar. Sections: range and geometry · painting · mouse
#include "framework/ui/scrollbars.h"

#include <algorithm>

// ---------------------------------------------------------------- range and geometry

void TClassicScrollBar::SetRange(int max, int page, int position) {
    FMax = std::max(0, max);
    FPage = std::max(0, page);
    FPosition = std::clamp(position, 0, std::max(0, MaxPosition()));
}

int TClassicScrollBar::MaxPosition() const { return std::max(0, FMax - std::max(FPage, 1) + 1); }

namespace {
int Length(const TRect& r, TScrollBarKind k) { return k == sbVertical ? r.Height() : r.Width(); }
int Thickness(const TRect& r, TScrollBarKind k) { return k == sbVertical ? r.Width() : r.Height(); }
}  // namespace

// Arrows are squares of the bar's thickness, shrunk evenly when the bar is too short.
TRect TClassicScrollBar::ArrowRect(bool first) const {
    const int a = std::min(Thickness(FBounds, FKind), Length(FBounds, FKind) / 2);
    const TRect& b = FBounds;
    if (FKind == sbVertical)
        return first ? Rect(b.Left, b.Top, b.Right, b.Top + a) : Rect(b.Left, b.Bottom - a, b.Right, b.Bottom);
    return first ? Rect(b.Left, b.Top, b.Left + a, b.Bottom) : Rect(b.Right - a, b.Top, b.Right, b.Bottom);
}

TRect TClassicScrollBar::TrackRect() const {
    const TRect a = ArrowRect(true), z = ArrowRect(false);
    if (FKind == sbVertical) return Rect(FBounds.Left, a.Bottom, FBounds.Right, z.Top);
    return Rect(a.Right, FBounds.Top, z.Left, FBounds.Bottom);
}

int TClassicScrollBar::TrackStart() const {
    const TRect t = TrackRect();
    return FKind == sbVertical ? t.Top : t.Left;
}

int TClassicScrollBar::TrackLength() const { return std::max(0, Length(TrackRect(), FKind)); }

int TClassicScrollBar::ThumbLength() const {
    const int track = TrackLength();
    int len =
        FPage > 0 ? static_cast<int>(static_cast<long long>(track) * FPage / (FMax + 1)) : Thickness(FBounds, FKind);
    return std::max(len, kMinThumbSize);
}

int TClassicScrollBar::ThumbStart() const {
    const int room = TrackLength() - ThumbLength();
    const int maxPos = MaxPosition();
    const int pos = FPressed == spThumb ? FDragPosition : FPosition;
    if (maxPos <= 0 || room <= 0) return TrackStart();
    return TrackStart() + static_cast<int>((static_cast<long long>(room) * pos + maxPos / 2) / maxPos);
}

TRect TClassicScrollBar::ThumbRect() const {
    if (!Enabled() || ThumbLength() > TrackLength()) return {};
    const int s = ThumbStart(), e = s + ThumbLength();
    if (FKind == sbVertical) return Rect(FBounds.Left, s, FBounds.Right, e);
    return Rect(s, FBounds.Top, e, FBounds.Bottom);
}

TScrollBarPart TClassicScrollBar::HitTest(TPoint p) const {
    if (!FBounds.Contains(p)) return spNone;
    if (ArrowRect(true).Contains(p)) return spLineUp;
    if (ArrowRect(false).Contains(p)) return spLineDown;
    const TRect thumb = ThumbRect();
    if (thumb.IsEmpty()) return spNone;
    if (thumb.Contains(p)) return spThumb;
    return Along(p) < (FKind == sbVertical ? thumb.Top : thumb.Left) ? spPageUp : spPageDown;
}

// ---------------------------------------------------------------- painting

namespace {

void Fill(TCanvas* c, const TRect& r, TColor color) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

}  // namespace

// A raised classic button: light and highlight above-left, dark shadow and shadow below-right;
// pressed, a flat one-pixel shadow frame.
void TClassicScrollBar::PaintButton(TCanvas* c, const TRect& r, bool pressed) const {
    Fill(c, r, clBtnFace);
    if (r.Width() < 2 || r.Height() < 2) return;
    if (pressed) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
        return;
    }
    auto ring = [c](TRect q, TColor ul, TColor lr) {
        Fill(c, Rect(q.Left, q.Top, q.Right, q.Top + 1), ul);
        Fill(c, Rect(q.Left, q.Top, q.Left + 1, q.Bottom), ul);
        Fill(c, Rect(q.Right - 1, q.Top, q.Right, q.Bottom), lr);
        Fill(c, Rect(q.Left, q.Bottom - 1, q.Right, q.Bottom), lr);
    };
    ring(r, cl3DLight, cl3DDkShadow);
    if (r.Width() > 3 && r.Height() > 3) ring(InflateRect(r, -1, -1), clBtnHighlight, clBtnShadow);
}

void TClassicScrollBar::PaintArrow(TCanvas* c, const TRect& r, bool first, bool pressed) const {
    PaintButton(c, r, pressed);
    // A solid triangle pointing outwards: 4 rows, 7 pixels at its base on a 16-pixel
    // button, scaled with the button; it moves by a pixel while pressed.
    const int size = std::min(r.Width(), r.Height());
    const int rows = std::max(2, size / 4);
    const int shift = pressed ? 1 : 0;
    auto draw = [&](int d, TColor color) {
        for (int i = 0; i < rows; ++i) {
            if (FKind == sbVertical) {
                const int cx = r.Left + (r.Width() - 1) / 2 + shift + d;
                const int top = r.Top + (r.Height() - rows) / 2 + shift + d;
                const int y = first ? top + i : top + rows - 1 - i;
                Fill(c, Rect(cx - i, y, cx + i + 1, y + 1), color);
            } else {
                const int cy = r.Top + (r.Height() - 1) / 2 + shift + d;
                const int left = r.Left + (r.Width() - rows) / 2 + shift + d;
                const int x = first ? left + i : left + rows - 1 - i;
                Fill(c, Rect(x, cy - i, x + 1, cy + i + 1), color);
            }
        }
    };
    if (Enabled()) {
        draw(0, clBtnText);
    } else {
        // Disabled: embossed, a highlight copy one pixel down-right under a shadow one.
        draw(1, clBtnHighlight);
        draw(0, clBtnShadow);
    }
}

void TClassicScrollBar::Paint(TCanvas* c) const {
    if (FBounds.IsEmpty()) return;
    TCanvasStateSaver saver(c);
    c->IntersectClipRect(FBounds);
    const bool upHeld = FPressed == spLineUp && FOverPressed;
    const bool downHeld = FPressed == spLineDown && FOverPressed;
    PaintArrow(c, ArrowRect(true), true, upHeld);
    PaintArrow(c, ArrowRect(false), false, downHeld);
    const TRect track = TrackRect();
    if (track.IsEmpty()) return;
    Fill(c, track, clScrollBar);
    const TRect thumb = ThumbRect();
    if (thumb.IsEmpty()) return;
    // A held page area darkens between the thumb and the arrow it moves towards.
    if ((FPressed == spPageUp || FPressed == spPageDown) && FOverPressed) {
        TRect part = track;
        if (FKind == sbVertical) {
            if (FPressed == spPageUp) part.Bottom = thumb.Top;
            else part.Top = thumb.Bottom;
        } else {
            if (FPressed == spPageUp) part.Right = thumb.Left;
            else part.Left = thumb.Right;
        }
        Fill(c, part, cl3DDkShadow);
    }
    PaintButton(c, thumb, false);
}

// ---------------------------------------------------------------- mouse

void TClassicScrollBar::Step(TScrollBarPart part) {
    if (!OnScroll) return;
    switch (part) {
        case spLineUp: OnScroll(scLineUp, 0); break;
        case spLineDown: OnScroll(scLineDown, 0); break;
        case spPageUp: OnScroll(scPageUp, 0); break;
        case spPageDown: OnScroll(scPageDown, 0); break;
        default: break;
    }
}

bool TClassicScrollBar::MouseDown(TPoint p) {
    const TScrollBarPart part = HitTest(p);
    if (part == spNone || !Enabled()) return false;
    FPressed = part;
    FOverPressed = true;
    FLastPoint = p;
    if (part == spThumb) {
        FDragOffset = Along(p) - ThumbStart();
        FDragPosition = FPosition;
        return true;
    }
    Step(part);
    return true;
}

void TClassicScrollBar::MouseMove(TPoint p) {
    if (FPressed == spNone) return;
    FLastPoint = p;
    if (FPressed != spThumb) {
        FOverPressed = HitTest(p) == FPressed;
        return;
    }
    const int room = TrackLength() - ThumbLength();
    const int maxPos = MaxPosition();
    if (room <= 0 || maxPos <= 0) return;
    const int start = std::clamp(Along(p) - FDragOffset - TrackStart(), 0, room);
    const int pos = static_cast<int>((static_cast<long long>(start) * maxPos + room / 2) / room);
    if (pos == FDragPosition) return;
    FDragPosition = pos;
    if (OnScroll) OnScroll(scTrack, pos);
}

void TClassicScrollBar::MouseUp(TPoint p) {
    if (FPressed == spNone) return;
    MouseMove(p);
    const bool thumb = FPressed == spThumb;
    const int pos = FDragPosition;
    FPressed = spNone;
    FOverPressed = false;
    if (thumb && OnScroll) OnScroll(scPosition, pos);
    if (OnScroll) OnScroll(scEndScroll, 0);
}

void TClassicScrollBar::Repeat() {
    if (!WantsRepeat()) return;
    // A page press stops once the thumb has reached the pointer.
    FOverPressed = HitTest(FLastPoint) == FPressed;
    if (FOverPressed) Step(FPressed);
}
