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
// Never released: the standard fonts are shared by every label of the process.
CFontRef makeFont (UTF8StringPtr name, CCoord size, int32_t style = kNormalFace)
{
	return new CFontDesc (name, size, style);
}

constexpr auto kSansFamily = "DejaVu Sans";
} // namespace

const CFontRef kSystemFont = makeFont (kSansFamily, 12.);
const CFontRef kNormalFontVeryBig = makeFont (kSansFamily, 18.);
const CFontRef kNormalFontBig = makeFont (kSansFamily, 14.);
const CFontRef kNormalFont = makeFont (kSansFamily, 12.);
const CFontRef kNormalFontSmall = makeFont (kSansFamily, 11.);
const CFontRef kNormalFontSmaller = makeFont (kSansFamily, 10.);
const CFontRef kNormalFontVerySmall = makeFont (kSansFamily, 9.);
const CFontRef kSymbolFont = makeFont ("Symbol", 12.);

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
