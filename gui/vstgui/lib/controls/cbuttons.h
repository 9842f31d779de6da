// A two-state button: a left click switches the value between min and max.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

class COnOffButton : public CControl
{
public:
	COnOffButton (const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
	              CBitmap* background = nullptr);
	COnOffButton (const COnOffButton&) = default;

	// the background holds the off image above the on image, each one view high
	void draw (CDrawContext* context) override;
	bool sizeToFit () override;
	CView* newCopy () const override { return new COnOffButton (*this); }

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;

private:
	void toggle ();
};

} // namespace VSTGUI
