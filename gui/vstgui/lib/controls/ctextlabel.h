// Controls that show a text.
#pragma once

#include "../ccolor.h"
#include "../cfont.h"
#include "../cstring.h"
#include "ccontrol.h"

namespace VSTGUI {

class CTextLabel : public CControl
{
public:
	explicit CTextLabel (const CRect& size, UTF8StringPtr txt = nullptr);
	CTextLabel (const CTextLabel& label) = default;

	// redraws when the text changes
	virtual void setText (const UTF8String& txt);
	virtual const UTF8String& getText () const { return text; }

	// The look; each setter redraws when the value changes. A null font keeps the current one.
	virtual void setFont (CFontRef newFont);
	CFontRef getFont () const { return font; }
	virtual void setFontColor (CColor color);
	CColor getFontColor () const { return fontColor; }
	// filled behind the text unless the label is transparent
	virtual void setBackColor (CColor color);
	CColor getBackColor () const { return backColor; }
	virtual void setHoriAlign (CHoriTxtAlign align);
	CHoriTxtAlign getHoriAlign () const { return horiAlign; }

	void draw (CDrawContext* context) override;
	CView* newCopy () const override { return new CTextLabel (*this); }

private:
	UTF8String text;
	SharedPointer<CFontDesc> font;
	CColor fontColor {kWhiteCColor};
	CColor backColor {kBlackCColor};
	CHoriTxtAlign horiAlign {kCenterText};
};

class CMultiLineTextLabel : public CTextLabel
{
public:
	explicit CMultiLineTextLabel (const CRect& size);
	CMultiLineTextLabel (const CMultiLineTextLabel&) = default;

	CView* newCopy () const override { return new CMultiLineTextLabel (*this); }
};

} // namespace VSTGUI
