// Text forms of colours and bitmaps in editor descriptions, shared by every
// view creator so that what one reads, another writes back the same way.
#pragma once

#include <string>

namespace VSTGUI {

class CBitmap;
struct CColor;
class IUIDescription;

namespace UIViewCreator {

// Empty text is transparent white; other text goes to the description's
// colour lookup. False (colour untouched) for no text, refused text or no
// description.
bool stringToColor (const std::string* value, CColor& color, const IUIDescription* desc);
// The description's name for exactly this colour, else "#rrggbbaa". Always true.
bool colorToString (const CColor& color, std::string& string, const IUIDescription* desc);

// False (bitmap untouched) only without text. Otherwise true, with the
// description's bitmap of that name, or nullptr for empty text, a name it
// lacks or no description.
bool stringToBitmap (const std::string* value, CBitmap*& bitmap, const IUIDescription* desc);
// The description's name for the bitmap, else its resource name or number,
// else empty text. No bitmap leaves the text as it was. Always true.
bool bitmapToString (CBitmap* bitmap, std::string& string, const IUIDescription* desc);

} // namespace UIViewCreator
} // namespace VSTGUI
