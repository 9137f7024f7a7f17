#include "controls/vt_vocabulary.h"

#include "framework/core/typinfo.h"

const TEnumInfo& FrameStyleInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TFrameStyle", {"fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown", "fsRaised",
                                     "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold"});
    return info;
}
const TEnumInfo& FrameStyleExInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TFrameStyleEx", {"fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown",
                                       "fsRaised", "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold", "fsFlatRounded"});
    return info;
}
const TEnumInfo& SidesInfo() {
    static const TEnumInfo info = MakeEnumInfo("TSide", {"sdLeft", "sdTop", "sdRight", "sdBottom"});
    return info;
}
const TEnumInfo& FramingPreferenceInfo() {
    static const TEnumInfo info = MakeEnumInfo("TFramingPreference", {"fpCustomFraming", "fpXPThemes"});
    return info;
}
const TEnumInfo& TextStyleInfo() {
    static const TEnumInfo info = MakeEnumInfo("TTextStyle", {"tsNormal", "tsRaised", "tsRecessed", "tsShadow"});
    return info;
}
const TEnumInfo& AlignmentVerticalInfo() {
    static const TEnumInfo info = MakeEnumInfo("TAlignmentVertical", {"avTop", "avCenter", "avBottom"});
    return info;
}
const TEnumInfo& HotTrackColorTypeInfo() {
    static const TEnumInfo info = MakeEnumInfo("TVtHotTrackColorType", {"htctComplement", "htctActual"});
    return info;
}
const TEnumInfo& GradientDirectionInfo() {
    static const TEnumInfo info =
        MakeEnumInfo("TGradientDirection",
                     {"gdDiagonalUp", "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
                      "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox", "gdSquareBox", "gdBigSquareBox"});
    return info;
}
