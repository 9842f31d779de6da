// COnOffButton: a left press flips the value between min and max inside one edit bracket.
#include "cbuttons.h"

#include "../cbitmap.h"

namespace VSTGUI {

COnOffButton::COnOffButton (const CRect& size, IControlListener* listener, int32_t tag,
                            CBitmap* background)
: CControl (size, listener, tag, background)
{
}

void COnOffButton::draw (CDrawContext* context)
{
	if (auto* bitmap = getDrawBackground ())
	{
		const bool on = getValue () == getMax () && getMax () != getMin ();
		bitmap->draw (context, getViewSize (), CPoint (0, on ? getViewSize ().getHeight () : 0.));
	}
	setDirty (false);
}

bool COnOffButton::sizeToFit ()
{
	auto* bitmap = getDrawBackground ();
	if (!bitmap)
		return false;
	CRect r (getViewSize ());
	r.setWidth (bitmap->getWidth ());
	r.setHeight (bitmap->getHeight () / 2.);
	setViewSize (r);
	setMouseableArea (r);
	return true;
}

void COnOffButton::toggle ()
{
	beginEdit ();
	setValue (getValue () == getMax () ? getMin () : getMax ());
	invalid ();
	valueChanged ();
	endEdit ();
}

CMouseEventResult COnOffButton::onMouseDown (CPoint&, const CButtonState& buttons)
{
	if (!buttons.isLeftButton ())
		return kMouseEventNotHandled;
	toggle ();
	return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

} // namespace VSTGUI
