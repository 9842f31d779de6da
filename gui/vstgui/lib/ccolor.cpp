// Names of the standard colours in editor descriptions.
#include "ccolor.h"

#include <cstring>

namespace VSTGUI {

namespace {
struct NamedColor
{
	const char* name;
	CColor color;
};

constexpr NamedColor standardColors[] = {
	{"~ BlackCColor", kBlackCColor},     {"~ WhiteCColor", kWhiteCColor},
	{"~ GreyCColor", kGreyCColor},       {"~ RedCColor", kRedCColor},
	{"~ GreenCColor", kGreenCColor},     {"~ BlueCColor", kBlueCColor},
	{"~ YellowCColor", kYellowCColor},   {"~ CyanCColor", kCyanCColor},
	{"~ MagentaCColor", kMagentaCColor}, {"~ TransparentCColor", kTransparentCColor},
};
} // namespace

bool lookupStandardColor (UTF8StringPtr name, CColor& color)
{
	if (!name)
		return false;
	for (const auto& entry : standardColors)
	{
		if (std::strcmp (entry.name, name) == 0)
		{
			color = entry.color;
			return true;
		}
	}
	return false;
}

UTF8StringPtr lookupStandardColorName (const CColor& color)
{
	for (const auto& entry : standardColors)
		if (entry.color == color)
			return entry.name;
	return nullptr;
}

} // namespace VSTGUI
