// CSearchTextEdit.
#include "csearchtextedit.h"

namespace VSTGUI {

CSearchTextEdit::CSearchTextEdit (const CRect& size, IControlListener* listener, int32_t tag,
                                  UTF8StringPtr txt)
: CTextEdit (size, listener, tag, txt)
{
}

} // namespace VSTGUI
