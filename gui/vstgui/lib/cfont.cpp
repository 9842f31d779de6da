// CFontDesc and the standard fonts.
#include "cfont.h"

#include <cstring>

namespace VSTGUI {

CFontDesc::CFontDesc (UTF8StringPtr name, CCoord size, int32_t style)
: name (name ? name : ""), size (size), style (style)
{
}

CFontDesc::~CFontDesc () noexcept = default;

namespace {
// Static objects, so that a module unloaded with dlclose leaves nothing behind;
// every holder keeps a reference, so they are never deleted through forget.
constexpr auto kSansFamily = "DejaVu Sans";
CFontDesc systemFont (kSansFamily, 12.);
CFontDesc normalFontVeryBig (kSansFamily, 18.);
CFontDesc normalFontBig (kSansFamily, 14.);
CFontDesc normalFont (kSansFamily, 12.);
CFontDesc normalFontSmall (kSansFamily, 11.);
CFontDesc normalFontSmaller (kSansFamily, 10.);
CFontDesc normalFontVerySmall (kSansFamily, 9.);
CFontDesc symbolFont ("Symbol", 12.);
} // namespace

const CFontRef kSystemFont = &systemFont;
const CFontRef kNormalFontVeryBig = &normalFontVeryBig;
const CFontRef kNormalFontBig = &normalFontBig;
const CFontRef kNormalFont = &normalFont;
const CFontRef kNormalFontSmall = &normalFontSmall;
const CFontRef kNormalFontSmaller = &normalFontSmaller;
const CFontRef kNormalFontVerySmall = &normalFontVerySmall;
const CFontRef kSymbolFont = &symbolFont;

namespace {
struct NamedFont
{
	const char* name;
	const CFontRef* font;
};

const NamedFont standardFonts[] = {
	{"~ NormalFont", &kNormalFont},
	{"~ SystemFont", &kSystemFont},
	{"~ NormalFontVeryBig", &kNormalFontVeryBig},
	{"~ NormalFontBig", &kNormalFontBig},
	{"~ NormalFontSmall", &kNormalFontSmall},
	{"~ NormalFontSmaller", &kNormalFontSmaller},
	{"~ NormalFontVerySmall", &kNormalFontVerySmall},
	{"~ SymbolFont", &kSymbolFont},
};
} // namespace

CFontRef lookupStandardFont (UTF8StringPtr name)
{
	if (!name)
		return nullptr;
	for (const auto& entry : standardFonts)
		if (std::strcmp (entry.name, name) == 0)
			return *entry.font;
	return nullptr;
}

UTF8StringPtr lookupStandardFontName (const CFontDesc* font)
{
	if (!font)
		return nullptr;
	for (const auto& entry : standardFonts)
		if (*entry.font == font)
			return entry.name;
	return nullptr;
}

} // namespace VSTGUI
