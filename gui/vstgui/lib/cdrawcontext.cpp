// CDrawContext state and the standard line styles.
#include "cdrawcontext.h"

namespace VSTGUI {

const CLineStyle kLineSolid;
const CLineStyle kLineOnOffDash (CLineStyle::kLineCapButt, CLineStyle::kLineJoinMiter, 0., {1., 1.});

CDrawContext::CDrawContext (const CRect& surfaceRect) : surfaceRect (surfaceRect) {}

CDrawContext::~CDrawContext () noexcept = default;

} // namespace VSTGUI
