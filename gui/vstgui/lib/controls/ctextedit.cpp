// CTextEdit.
#include "ctextedit.h"

namespace VSTGUI {

CTextEdit::CTextEdit (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt)
: CTextLabel (size, txt)
{
	setListener (listener);
	setTag (tag);
	setWantsFocus (true);
}

} // namespace VSTGUI
