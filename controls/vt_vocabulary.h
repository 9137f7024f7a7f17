// The control set's published vocabulary: the enumerations several controls publish and the
// names stored descriptions write for them (the frame styles and sides of vt_draw.h, the
// framing preference, the text styles, vertical alignment, hot-track colour type and
// gradient direction).
// One place, so that every control that publishes them shares one definition.
#pragma once

#include "controls/vt_draw.h"

struct TEnumInfo;

enum TFramingPreference { fpCustomFraming, fpXPThemes };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TVtHotTrackColorType { htctComplement, htctActual };

const TEnumInfo& FrameStyleInfo();
const TEnumInfo& FrameStyleExInfo();
const TEnumInfo& SidesInfo();
const TEnumInfo& FramingPreferenceInfo();
const TEnumInfo& TextStyleInfo();
const TEnumInfo& AlignmentVerticalInfo();
const TEnumInfo& HotTrackColorTypeInfo();
const TEnumInfo& GradientDirectionInfo();
