// A text edit for search terms.
#pragma once

#include "ctextedit.h"

namespace VSTGUI {

class CSearchTextEdit : public CTextEdit
{
public:
	CSearchTextEdit (const CRect& size, IControlListener* listener, int32_t tag,
	                 UTF8StringPtr txt = nullptr, CBitmap* background = nullptr, int32_t style = 0);
	CSearchTextEdit (const CSearchTextEdit&) = default;

	CView* newCopy () const override { return new CSearchTextEdit (*this); }
};

} // namespace VSTGUI
