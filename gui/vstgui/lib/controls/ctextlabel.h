// Controls that show a text.
#pragma once

#include "../cstring.h"
#include "ccontrol.h"

namespace VSTGUI {

class CTextLabel : public CControl
{
public:
	CTextLabel (const CRect& size, UTF8StringPtr txt = nullptr, CBitmap* background = nullptr,
	            int32_t style = 0);
	CTextLabel (const CTextLabel& label) = default;

	// redraws when the text changes
	virtual void setText (const UTF8String& txt);
	virtual const UTF8String& getText () const { return text; }
	int32_t getStyle () const { return style; }
	virtual void setStyle (int32_t val) { style = val; }

	void draw (CDrawContext* context) override;
	CView* newCopy () const override { return new CTextLabel (*this); }

private:
	UTF8String text;
	int32_t style;
};

class CMultiLineTextLabel : public CTextLabel
{
public:
	enum class LineLayout
	{
		clip,
		truncate,
		wrap
	};

	explicit CMultiLineTextLabel (const CRect& size);
	CMultiLineTextLabel (const CMultiLineTextLabel&) = default;

	void setLineLayout (LineLayout layout) { lineLayout = layout; }
	LineLayout getLineLayout () const { return lineLayout; }

	CView* newCopy () const override { return new CMultiLineTextLabel (*this); }

private:
	LineLayout lineLayout {LineLayout::clip};
};

} // namespace VSTGUI
