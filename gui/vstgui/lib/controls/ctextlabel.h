// Controls that show a text.
#pragma once

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

	void draw (CDrawContext* context) override;
	CView* newCopy () const override { return new CTextLabel (*this); }

private:
	UTF8String text;
};

class CMultiLineTextLabel : public CTextLabel
{
public:
	explicit CMultiLineTextLabel (const CRect& size);
	CMultiLineTextLabel (const CMultiLineTextLabel&) = default;

	CView* newCopy () const override { return new CMultiLineTextLabel (*this); }
};

} // namespace VSTGUI
