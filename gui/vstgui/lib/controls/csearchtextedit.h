// A text edit for search terms.
#pragma once

#include "ctextedit.h"

namespace VSTGUI {

class CSearchTextEdit : public CTextEdit
{
public:
	CSearchTextEdit (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt = nullptr);
	CSearchTextEdit (const CSearchTextEdit&) = default;

	CView* newCopy () const override { return new CSearchTextEdit (*this); }
};

} // namespace VSTGUI
