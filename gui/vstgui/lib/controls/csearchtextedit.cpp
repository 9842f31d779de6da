// CSearchTextEdit.
#include "csearchtextedit.h"

namespace VSTGUI {

CSearchTextEdit::CSearchTextEdit (const CRect& size, IControlListener* listener, int32_t tag,
                                  UTF8StringPtr txt, CBitmap* background, int32_t style)
: CTextEdit (size, listener, tag, txt, background, style)
{
}

} // namespace VSTGUI
