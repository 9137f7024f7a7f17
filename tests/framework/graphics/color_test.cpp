// System palette resolution and colour names.
#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/color.h"

TEST(ColorToRGB, ResolvesTheClassicDesktopScheme) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(236, 233, 216));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(172, 168, 153));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(113, 111, 100));
    EXPECT_EQ(ColorToRGB(cl3DLight), RGB(241, 239, 226));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(49, 106, 197));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clHotLight), RGB(0, 0, 128));
    EXPECT_EQ(ColorToRGB(clMenuBar), RGB(236, 233, 216));
    EXPECT_EQ(ColorToRGB(clScrollBar), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clWindowText), RGB(0, 0, 0));
}

TEST(ColorToRGB, LeavesOtherValuesAlone) {
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clMaroon), 0x000080u);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
    // Index 25 and indexes past the table have no colour of their own.
    EXPECT_EQ(ColorToRGB(clSystemColor | 25), clBlack);
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);
}

TEST(ColorIdents, EveryNameRoundTrips) {
    const char* names[] = {"clBlack",
                           "clMaroon",
                           "clGreen",
                           "clOlive",
                           "clNavy",
                           "clPurple",
                           "clTeal",
                           "clGray",
                           "clSilver",
                           "clRed",
                           "clLime",
                           "clYellow",
                           "clBlue",
                           "clFuchsia",
                           "clAqua",
                           "clWhite",
                           "clMoneyGreen",
                           "clSkyBlue",
                           "clCream",
                           "clMedGray",
                           "clScrollBar",
                           "clBackground",
                           "clActiveCaption",
                           "clInactiveCaption",
                           "clMenu",
                           "clWindow",
                           "clWindowFrame",
                           "clMenuText",
                           "clWindowText",
                           "clCaptionText",
                           "clActiveBorder",
                           "clInactiveBorder",
                           "clAppWorkSpace",
                           "clHighlight",
                           "clHighlightText",
                           "clBtnFace",
                           "clBtnShadow",
                           "clGrayText",
                           "clBtnText",
                           "clInactiveCaptionText",
                           "clBtnHighlight",
                           "cl3DDkShadow",
                           "cl3DLight",
                           "clInfoText",
                           "clInfoBk",
                           "clHotLight",
                           "clGradientActiveCaption",
                           "clGradientInactiveCaption",
                           "clMenuHighlight",
                           "clMenuBar",
                           "clNone",
                           "clDefault"};
    for (const char* name : names) {
        TColor c = 0x12345678;
        ASSERT_TRUE(IdentToColor(name, c)) << name;
        const char* back = nullptr;
        ASSERT_TRUE(ColorToIdent(c, back)) << name;
        EXPECT_EQ(std::string(back), name);
    }
}

TEST(ColorIdents, ValuesAndAliases) {
    TColor c = 0;
    ASSERT_TRUE(IdentToColor("clBtnFace", c));
    EXPECT_EQ(c, 0xFF00000Fu);
    ASSERT_TRUE(IdentToColor("clwindow", c));  // identifiers ignore case
    EXPECT_EQ(c, 0xFF000005u);
    ASSERT_TRUE(IdentToColor("clLtGray", c));
    EXPECT_EQ(c, clSilver);
    ASSERT_TRUE(IdentToColor("clNone", c));
    EXPECT_EQ(c, 0x1FFFFFFFu);
    EXPECT_FALSE(IdentToColor("clNoSuchColour", c));
    EXPECT_FALSE(IdentToColor(nullptr, c));

    const char* name = nullptr;
    ASSERT_TRUE(ColorToIdent(clDkGray, name));
    EXPECT_STREQ(name, "clGray");
    EXPECT_FALSE(ColorToIdent(RGB(1, 2, 3), name));
    EXPECT_FALSE(ColorToIdent(14737632, name));  // the footer's colour is a plain number
}
