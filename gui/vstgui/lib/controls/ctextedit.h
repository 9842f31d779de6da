// A text label whose text the user can edit; without a platform text field the
// text is changed through setText.
#pragma once

#include "ctextlabel.h"

namespace VSTGUI {

class CTextEdit : public CTextLabel
{
public:
	CTextEdit (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt = nullptr);
	CTextEdit (const CTextEdit&) = default;

	CView* newCopy () const override { return new CTextEdit (*this); }
};

} // namespace VSTGUI
