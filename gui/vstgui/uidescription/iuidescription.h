// What views and view creators may ask of an editor description.
#pragma once

#include <cstdint>

namespace VSTGUI {

class CBitmap;
class CFontDesc;
struct CColor;
class IController;
class IControlListener;
class IViewFactory;
using UTF8StringPtr = const char*;

class IUIDescription
{
public:
	virtual ~IUIDescription () noexcept = default;

	// The bitmap named in the description's "bitmaps", or nullptr.
	virtual CBitmap* getBitmap (UTF8StringPtr name) const = 0;
	// A colour of the description, a standard colour name ("~ WhiteCColor") or
	// "#rrggbb" / "#rrggbbaa"; false leaves `color` untouched.
	virtual bool getColor (UTF8StringPtr name, CColor& color) const = 0;
	// A font by name (the standard fonts, "~ NormalFont", ...), or nullptr.
	virtual CFontDesc* getFont (UTF8StringPtr name) const = 0;
	// The name under which the description holds this bitmap, colour or font.
	virtual UTF8StringPtr lookupBitmapName (const CBitmap* bitmap) const = 0;
	virtual UTF8StringPtr lookupColorName (const CColor& color) const = 0;
	virtual UTF8StringPtr lookupFontName (const CFontDesc* font) const = 0;
	virtual UTF8StringPtr lookupControlTagName (int32_t tag) const = 0;
	// A "control-tags" name, else a plain integer, then offered to the
	// current controller; -1 when nothing resolves.
	virtual int32_t getTagForName (UTF8StringPtr name) const = 0;
	// The current controller's listener for a control of this tag name.
	virtual IControlListener* getControlListener (UTF8StringPtr name) const = 0;
	// The controller in charge of the views being built (a sub-controller
	// while building below the view that carries it).
	virtual IController* getController () const = 0;
	virtual const IViewFactory* getViewFactory () const = 0;
};

} // namespace VSTGUI
