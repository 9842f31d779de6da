// A text label whose text the user can edit; without a platform text field the
// text is changed through setText.
#pragma once

#include "ctextlabel.h"

namespace VSTGUI {

class CTextEdit : public CTextLabel
{
public:
	CTextEdit (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt = nullptr,
	           CBitmap* background = nullptr, int32_t style = 0);
	CTextEdit (const CTextEdit&) = default;

	void setPlaceholderString (const UTF8String& str) { placeholder = str; }
	const UTF8String& getPlaceholderString () const { return placeholder; }

	CView* newCopy () const override { return new CTextEdit (*this); }

private:
	UTF8String placeholder;
};

} // namespace VSTGUI
