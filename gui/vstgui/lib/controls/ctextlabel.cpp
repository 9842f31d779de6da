// CTextLabel and CMultiLineTextLabel: back colour, background bitmap, then the
// text in its font and colour, clipped to the label.
#include "ctextlabel.h"

#include "../cdrawcontext.h"

namespace VSTGUI {

CTextLabel::CTextLabel (const CRect& size, UTF8StringPtr txt)
: CControl (size, nullptr, -1), text (txt), font (kNormalFont)
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

void CTextLabel::setFont (CFontRef newFont)
{
	if (!newFont || newFont == font)
		return;
	font = newFont;
	invalid ();
}

void CTextLabel::setFontColor (CColor color)
{
	if (color == fontColor)
		return;
	fontColor = color;
	invalid ();
}

void CTextLabel::setBackColor (CColor color)
{
	if (color == backColor)
		return;
	backColor = color;
	invalid ();
}

void CTextLabel::setHoriAlign (CHoriTxtAlign align)
{
	if (align == horiAlign)
		return;
	horiAlign = align;
	invalid ();
}

void CTextLabel::draw (CDrawContext* context)
{
	if (!context)
		return;
	const CRect& r = getViewSize ();
	if (!getTransparency ())
	{
		context->setFillColor (backColor);
		context->drawRect (r, kDrawFilled);
	}
	drawBackground (context);
	if (!text.empty ())
	{
		context->saveGlobalState ();
		CRect clip;
		context->setClipRect (context->getClipRect (clip).bound (r));
		context->setFont (font);
		context->setFontColor (fontColor);
		context->drawString (text, r, horiAlign, true);
		context->restoreGlobalState ();
	}
	setDirty (false);
}

CMultiLineTextLabel::CMultiLineTextLabel (const CRect& size) : CTextLabel (size) {}

} // namespace VSTGUI
