// System palette and colour names.
#include "framework/graphics/color.h"

#include <strings.h>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace {

// The classic desktop scheme the window was designed on, by system colour index. Index 25
// has no colour of its own and reads as black, like any index past the table.
constexpr TColor kSystemPalette[] = {
    RGB(212, 208, 200),  // 0 clScrollBar
    RGB(0, 78, 152),     // 1 clBackground
    RGB(0, 84, 227),     // 2 clActiveCaption
    RGB(122, 150, 223),  // 3 clInactiveCaption
    RGB(255, 255, 255),  // 4 clMenu
    RGB(255, 255, 255),  // 5 clWindow
    RGB(0, 0, 0),        // 6 clWindowFrame
    RGB(0, 0, 0),        // 7 clMenuText
    RGB(0, 0, 0),        // 8 clWindowText
    RGB(255, 255, 255),  // 9 clCaptionText
    RGB(212, 208, 200),  // 10 clActiveBorder
    RGB(212, 208, 200),  // 11 clInactiveBorder
    RGB(128, 128, 128),  // 12 clAppWorkSpace
    RGB(49, 106, 197),   // 13 clHighlight
    RGB(255, 255, 255),  // 14 clHighlightText
    RGB(236, 233, 216),  // 15 clBtnFace
    RGB(172, 168, 153),  // 16 clBtnShadow
    RGB(172, 168, 153),  // 17 clGrayText
    RGB(0, 0, 0),        // 18 clBtnText
    RGB(216, 228, 248),  // 19 clInactiveCaptionText
    RGB(255, 255, 255),  // 20 clBtnHighlight
    RGB(113, 111, 100),  // 21 cl3DDkShadow
    RGB(241, 239, 226),  // 22 cl3DLight
    RGB(0, 0, 0),        // 23 clInfoText
    RGB(255, 255, 225),  // 24 clInfoBk
    RGB(0, 0, 0),        // 25 (unused)
    RGB(0, 0, 128),      // 26 clHotLight
    RGB(61, 149, 255),   // 27 clGradientActiveCaption
    RGB(157, 185, 235),  // 28 clGradientInactiveCaption
    RGB(49, 106, 197),   // 29 clMenuHighlight
    RGB(236, 233, 216),  // 30 clMenuBar
};

struct NamedColor {
    TColor Value;
    std::string_view Name;  // a literal: its text ends in a NUL
};

// The first entry of a value is its name; later ones (clLtGray, clDkGray) are only read.
constexpr NamedColor kNamedColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
};

}  // namespace

TColor ColorToRGB(TColor color) {
    if (!IsSystemColor(color)) return color;
    const std::size_t index = color & 0xFF;
    return index < std::size(kSystemPalette) ? kSystemPalette[index] : clBlack;
}

// Stored descriptions are matched without regard to case, as identifiers are.
bool IdentToColor(const char* ident, TColor& color) {
    if (!ident) return false;
    // The lengths first: they rule out most of the table without comparing letters.
    const std::size_t length = std::string_view(ident).size();
    for (const NamedColor& c : kNamedColors) {
        if (c.Name.size() == length && strcasecmp(c.Name.data(), ident) == 0) {
            color = c.Value;
            return true;
        }
    }
    return false;
}

bool ColorToIdent(TColor color, const char*& ident) {
    for (const NamedColor& c : kNamedColors) {
        if (c.Value == color) {
            ident = c.Name.data();
            return true;
        }
    }
    return false;
}
