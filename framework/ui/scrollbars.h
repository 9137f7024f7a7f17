// The classic drawn scroll bar a control keeps in its non-client area (the memo's): two arrow
// buttons, the track with its thumb, presses that step a line or a page and repeat while
// held, and thumb dragging. It is no control of its own: the owner places it in window
// coordinates, forwards the mouse to it, runs its repeat timer and hears OnScroll.
//
// Sections: vocabulary · TClassicScrollBar
#pragma once

#include <functional>

#include "framework/base/types.h"
#include "framework/graphics/canvas.h"

// ---------------------------------------------------------------- vocabulary

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
// Which part of the bar a point is on.
enum TScrollBarPart { spNone, spLineUp, spLineDown, spPageUp, spPageDown, spThumb };

// The platform's classic metrics: the bar's thickness (arrows are squares of it) and the
// smallest thumb.
constexpr int kScrollBarSize = 16;
constexpr int kMinThumbSize = 8;
// A held arrow or page area steps again after the first delay, then at the interval.
constexpr unsigned kScrollRepeatDelay = 400;
constexpr unsigned kScrollRepeatInterval = 50;

// ---------------------------------------------------------------- TClassicScrollBar

class TClassicScrollBar {
public:
    explicit TClassicScrollBar(TScrollBarKind kind) : FKind(kind) {}

    TScrollBarKind Kind() const { return FKind; }
    const TRect& Bounds() const { return FBounds; }
    void SetBounds(const TRect& r) { FBounds = r; }
    // Positions run from 0 to max − page + 1 (the platform's SCROLLINFO with nMin 0).
    void SetRange(int max, int page, int position);
    int Max() const { return FMax; }
    int Page() const { return FPage; }
    int Position() const { return FPosition; }
    int MaxPosition() const;
    // There is something to scroll: the arrows work and a thumb shows.
    bool Enabled() const { return MaxPosition() > 0; }

    // Geometry, in the owner's coordinates.
    TRect ArrowRect(bool first) const;
    TRect TrackRect() const;
    TRect ThumbRect() const;  // empty when there is no thumb
    TScrollBarPart HitTest(TPoint p) const;

    void Paint(TCanvas* canvas) const;

    // Mouse. MouseDown returns true when it started something the owner should keep the
    // mouse for (and run the repeat timer for, when WantsRepeat).
    bool MouseDown(TPoint p);
    void MouseMove(TPoint p);
    void MouseUp(TPoint p);
    // One tick of the owner's repeat timer.
    void Repeat();
    bool Tracking() const { return FPressed != spNone; }
    bool WantsRepeat() const { return FPressed != spNone && FPressed != spThumb; }
    TScrollBarPart Pressed() const { return FPressed; }

    // A request to scroll; pos matters for scTrack and scPosition.
    std::function<void(TScrollCode code, int pos)> OnScroll;

private:
    int Along(TPoint p) const { return FKind == sbVertical ? p.Y : p.X; }
    int TrackStart() const;
    int TrackLength() const;
    int ThumbLength() const;
    int ThumbStart() const;
    void Step(TScrollBarPart part);
    void PaintButton(TCanvas* canvas, const TRect& r, bool pressed) const;
    void PaintArrow(TCanvas* canvas, const TRect& r, bool first, bool pressed) const;

    TScrollBarKind FKind;
    TRect FBounds;
    int FMax = 0;
    int FPage = 0;
    int FPosition = 0;
    TScrollBarPart FPressed = spNone;
    bool FOverPressed = false;  // the pointer is still over the pressed part
    TPoint FLastPoint;
    int FDragOffset = 0;  // where on the thumb it was taken
    int FDragPosition = 0;
};
