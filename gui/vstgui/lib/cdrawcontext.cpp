// CDrawContext state and the standard line styles.
#include "cdrawcontext.h"

namespace VSTGUI {

const CLineStyle kLineSolid;

CDrawContext::~CDrawContext () noexcept = default;

} // namespace VSTGUI
