// CTextEdit.
#include "ctextedit.h"

namespace VSTGUI {

CTextEdit::CTextEdit (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt,
                      CBitmap* background, int32_t style)
: CTextLabel (size, txt, background, style)
{
	setListener (listener);
	setTag (tag);
	setWantsFocus (true);
}

} // namespace VSTGUI
