// Text forms of colours and bitmaps in editor descriptions.
#include "uiviewcreator.h"

#include "iuidescription.h"

#include "../lib/cbitmap.h"
#include "../lib/ccolor.h"

#include <cstdio>

namespace VSTGUI {
namespace UIViewCreator {

bool stringToColor (const std::string* value, CColor& color, const IUIDescription* desc)
{
	if (!value)
		return false;
	if (value->empty ())
	{
		color = kTransparentCColor;
		return true;
	}
	return desc && desc->getColor (value->c_str (), color);
}

bool colorToString (const CColor& color, std::string& string, const IUIDescription* desc)
{
	if (desc)
	{
		if (auto name = desc->lookupColorName (color))
		{
			string = name;
			return true;
		}
	}
	char text[10];
	std::snprintf (text, sizeof (text), "#%02x%02x%02x%02x", color.red, color.green, color.blue,
	               color.alpha);
	string = text;
	return true;
}

bool stringToBitmap (const std::string* value, CBitmap*& bitmap, const IUIDescription* desc)
{
	if (!value)
		return false;
	bitmap = value->empty () || !desc ? nullptr : desc->getBitmap (value->c_str ());
	return true;
}

bool bitmapToString (CBitmap* bitmap, std::string& string, const IUIDescription* desc)
{
	if (!bitmap)
		return true;
	if (desc)
	{
		if (auto name = desc->lookupBitmapName (bitmap))
		{
			string = name;
			return true;
		}
	}
	// A bitmap made in code has neither name nor number: empty text, not
	// whatever the caller's text held.
	const auto& resource = bitmap->getResourceDescription ();
	if (resource.type == CResourceDescription::kStringType)
		string = resource.getName ();
	else if (resource.type == CResourceDescription::kIntegerType)
		string = std::to_string (resource.u.id);
	else
		string.clear ();
	return true;
}

} // namespace UIViewCreator
} // namespace VSTGUI
