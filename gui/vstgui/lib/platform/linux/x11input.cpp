// Mapping of X buttons and modifiers to the layer's input types.
#include "x11input.h"

#include <cmath>

namespace VSTGUI {
namespace X11 {

CButtonState buttonStateFromX (uint16_t state)
{
	int32_t result = 0;
	if (state & kXButton1Mask)
		result |= kLButton;
	if (state & kXButton2Mask)
		result |= kMButton;
	if (state & kXButton3Mask)
		result |= kRButton;
	if (state & kXShiftMask)
		result |= kShift;
	if (state & kXControlMask)
		result |= kControl;
	if (state & kXMod1Mask)
		result |= kAlt;
	return CButtonState (result);
}

int32_t buttonFromX (uint8_t button)
{
	switch (button)
	{
		case 1: return kLButton;
		case 2: return kMButton;
		case 3: return kRButton;
		default: return 0;
	}
}

bool wheelFromButton (uint8_t button, WheelStep& step)
{
	switch (button)
	{
		case 4: step = {kMouseWheelAxisY, 1.f}; return true;
		case 5: step = {kMouseWheelAxisY, -1.f}; return true;
		case 6: step = {kMouseWheelAxisX, 1.f}; return true;
		case 7: step = {kMouseWheelAxisX, -1.f}; return true;
		default: return false;
	}
}

bool DoubleClickDetector::press (int32_t button, uint32_t time, const CPoint& where)
{
	// unsigned difference: the server's clock wraps after 49 days
	const bool isDouble = button != 0 && button == lastButton && time - lastTime <= kMaxInterval &&
	                      std::abs (where.x - lastWhere.x) <= kMaxDistance &&
	                      std::abs (where.y - lastWhere.y) <= kMaxDistance;
	lastButton = isDouble ? 0 : button;
	lastTime = time;
	lastWhere = where;
	return isDouble;
}

bool PointerPress::down (int32_t button)
{
	if (held)
	{
		held |= button;
		return false;
	}
	first = held = button;
	return true;
}

bool PointerPress::up (int32_t button)
{
	if (!(held & button))
		return false;
	held &= ~button;
	if (held)
		return false;
	first = 0;
	return true;
}

CButtonState PointerPress::forViews (uint16_t state) const
{
	return CButtonState (buttonStateFromX (state).getModifierState () | first);
}

bool PointerPress::lost (uint16_t state) const
{
	return held && !(buttonStateFromX (state) & held);
}

} // namespace X11
} // namespace VSTGUI
