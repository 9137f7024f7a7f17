// The frame settings' geometry.
#include "controls/vt_frame.h"

int TVtFrameSettings::Inset(TSide side, int bevelWidth) const {
    if (!Sides.Contains(side)) return 0;
    return FrameThickness(Outer, bevelWidth) + FrameThickness(Inner, bevelWidth);
}

TRect TVtFrameSettings::Shrink(TRect r, int bevelWidth) const {
    r.Left += Inset(sdLeft, bevelWidth);
    r.Top += Inset(sdTop, bevelWidth);
    r.Right -= Inset(sdRight, bevelWidth);
    r.Bottom -= Inset(sdBottom, bevelWidth);
    return r;
}
