// A font description: family name, size in frame units and style bits, and
// the library's standard fonts that editor descriptions name ("~ NormalFont").
#pragma once

#include "vstguibase.h"

#include <string>

namespace VSTGUI {

enum CTxtFace : int32_t
{
	kNormalFace = 0,
	kBoldFace = 1 << 0,
	kItalicFace = 1 << 1,
	kUnderlineFace = 1 << 2,
	kStrikethroughFace = 1 << 3
};

enum CHoriTxtAlign : int32_t
{
	kLeftText = 0,
	kCenterText,
	kRightText
};

class CFontDesc : public CBaseObject
{
public:
	explicit CFontDesc (UTF8StringPtr name = nullptr, CCoord size = 0., int32_t style = kNormalFace);
	CFontDesc (const CFontDesc& font) = default;
	~CFontDesc () noexcept override;

	const std::string& getName () const { return name; }
	CCoord getSize () const { return size; }
	int32_t getStyle () const { return style; }
	void setName (UTF8StringPtr newName) { name = newName ? newName : ""; }
	void setSize (CCoord newSize) { size = newSize; }
	void setStyle (int32_t newStyle) { style = newStyle; }

	bool operator== (const CFontDesc& o) const { return name == o.name && size == o.size && style == o.style; }
	bool operator!= (const CFontDesc& o) const { return !(*this == o); }

private:
	std::string name;
	CCoord size;
	int32_t style;
};

using CFontRef = CFontDesc*;

// The standard fonts; they live as long as the module.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

// The standard fonts by their description names ("~ NormalFont", ...): nullptr when unknown.
CFontRef lookupStandardFont (UTF8StringPtr name);
// The description name of a standard font object, or nullptr.
UTF8StringPtr lookupStandardFontName (const CFontDesc* font);

} // namespace VSTGUI
