// CTextLabel and CMultiLineTextLabel. Without a text backend the text is kept and
// the background drawn; the glyphs are left to a real drawing context.
#include "ctextlabel.h"

namespace VSTGUI {

CTextLabel::CTextLabel (const CRect& size, UTF8StringPtr txt) : CControl (size, nullptr, -1), text (txt)
{
	setWantsFocus (false);
}

void CTextLabel::setText (const UTF8String& txt)
{
	if (text == txt)
		return;
	text = txt;
	invalid ();
}

void CTextLabel::draw (CDrawContext* context)
{
	drawBackground (context);
	setDirty (false);
}

CMultiLineTextLabel::CMultiLineTextLabel (const CRect& size) : CTextLabel (size) {}

} // namespace VSTGUI
