// CDrawContext state: the save/restore stack, offset, clip and font.
#include "cdrawcontext.h"

namespace VSTGUI {

const CLineStyle kLineSolid;
const CLineStyle kLineOnOffDash (CLineStyle::kLineCapButt, CLineStyle::kLineJoinMiter, 0., {1., 1.});

CDrawContext::CDrawContext (const CRect& surface) : surfaceRect (surface)
{
	state.font = kNormalFont;
	state.clipRect = surfaceRect;
}

CDrawContext::~CDrawContext () noexcept = default;

void CDrawContext::setFont (const CFontDesc* font, CCoord size, int32_t style)
{
	if (!font)
		return;
	if (size <= 0. && style < 0)
	{
		state.font = const_cast<CFontDesc*> (font);
		return;
	}
	auto* copy = new CFontDesc (*font);
	if (size > 0.)
		copy->setSize (size);
	if (style >= 0)
		copy->setStyle (style);
	state.font = SharedPointer<CFontDesc> (copy, false);
}

void CDrawContext::setClipRect (const CRect& clip)
{
	CRect r (clip);
	r.normalize ();
	r.offset (state.offset);
	state.clipRect = r.bound (surfaceRect);
}

CRect& CDrawContext::getClipRect (CRect& clip) const
{
	clip = state.clipRect;
	return clip.offsetInverse (state.offset);
}

void CDrawContext::resetClipRect ()
{
	state.clipRect = surfaceRect;
}

void CDrawContext::saveGlobalState ()
{
	stack.push_back (state);
}

void CDrawContext::restoreGlobalState ()
{
	if (stack.empty ())
		return;
	state = std::move (stack.back ());
	stack.pop_back ();
}

void CDrawContext::drawLine (const CPoint&, const CPoint&) {}

void CDrawContext::drawString (UTF8StringPtr, const CRect&, CHoriTxtAlign, bool) {}

CCoord CDrawContext::getStringWidth (UTF8StringPtr)
{
	return 0.;
}

} // namespace VSTGUI
