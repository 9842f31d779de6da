// An 8-bit RGBA colour and the library's standard colours.
#pragma once

#include "vstguifwd.h"

#include <cstdint>

namespace VSTGUI {

struct CColor
{
	constexpr CColor (uint8_t red = 255, uint8_t green = 255, uint8_t blue = 255, uint8_t alpha = 255)
	: red (red), green (green), blue (blue), alpha (alpha)
	{
	}

	bool operator== (const CColor& o) const
	{
		return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
	}
	bool operator!= (const CColor& o) const { return !(*this == o); }

	uint8_t red;
	uint8_t green;
	uint8_t blue;
	uint8_t alpha;
};

constexpr CColor kTransparentCColor (255, 255, 255, 0);
constexpr CColor kBlackCColor (0, 0, 0, 255);
constexpr CColor kWhiteCColor (255, 255, 255, 255);
constexpr CColor kGreyCColor (127, 127, 127, 255);
constexpr CColor kRedCColor (255, 0, 0, 255);
constexpr CColor kGreenCColor (0, 255, 0, 255);
constexpr CColor kBlueCColor (0, 0, 255, 255);
constexpr CColor kYellowCColor (255, 255, 0, 255);
constexpr CColor kMagentaCColor (255, 0, 255, 255);
constexpr CColor kCyanCColor (0, 255, 255, 255);

// The standard colours as editor descriptions name them ("~ WhiteCColor", ...).
bool lookupStandardColor (UTF8StringPtr name, CColor& color);
// The name of the first standard colour equal to color, or nullptr.
UTF8StringPtr lookupStandardColorName (const CColor& color);

} // namespace VSTGUI
