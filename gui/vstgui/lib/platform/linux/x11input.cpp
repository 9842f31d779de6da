// Mapping of X buttons, modifiers and key symbols to the layer's input types.
#include "x11input.h"

#include <X11/keysym.h>

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

namespace {

unsigned char virtualKey (uint32_t keysym)
{
	switch (keysym)
	{
		case XK_BackSpace: return VKEY_BACK;
		case XK_Tab:
		case XK_ISO_Left_Tab: return VKEY_TAB;
		case XK_Clear: return VKEY_CLEAR;
		case XK_Return: return VKEY_RETURN;
		case XK_Pause: return VKEY_PAUSE;
		case XK_Escape: return VKEY_ESCAPE;
		case XK_space: return VKEY_SPACE;
		case XK_End:
		case XK_KP_End: return VKEY_END;
		case XK_Home:
		case XK_KP_Home: return VKEY_HOME;
		case XK_Left:
		case XK_KP_Left: return VKEY_LEFT;
		case XK_Up:
		case XK_KP_Up: return VKEY_UP;
		case XK_Right:
		case XK_KP_Right: return VKEY_RIGHT;
		case XK_Down:
		case XK_KP_Down: return VKEY_DOWN;
		case XK_Page_Up:
		case XK_KP_Page_Up: return VKEY_PAGEUP;
		case XK_Page_Down:
		case XK_KP_Page_Down: return VKEY_PAGEDOWN;
		case XK_Select: return VKEY_SELECT;
		case XK_Print: return VKEY_PRINT;
		case XK_KP_Enter: return VKEY_ENTER;
		case XK_Insert:
		case XK_KP_Insert: return VKEY_INSERT;
		case XK_Delete:
		case XK_KP_Delete: return VKEY_DELETE;
		case XK_Help: return VKEY_HELP;
		case XK_KP_Multiply: return VKEY_MULTIPLY;
		case XK_KP_Add: return VKEY_ADD;
		case XK_KP_Separator: return VKEY_SEPARATOR;
		case XK_KP_Subtract: return VKEY_SUBTRACT;
		case XK_KP_Decimal: return VKEY_DECIMAL;
		case XK_KP_Divide: return VKEY_DIVIDE;
		case XK_Num_Lock: return VKEY_NUMLOCK;
		case XK_Scroll_Lock: return VKEY_SCROLL;
		case XK_Shift_L:
		case XK_Shift_R: return VKEY_SHIFT;
		case XK_Control_L:
		case XK_Control_R: return VKEY_CONTROL;
		case XK_Alt_L:
		case XK_Alt_R: return VKEY_ALT;
		case XK_KP_Equal: return VKEY_EQUALS;
		default: break;
	}
	if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
		return static_cast<unsigned char> (VKEY_NUMPAD0 + (keysym - XK_KP_0));
	if (keysym >= XK_F1 && keysym <= XK_F12)
		return static_cast<unsigned char> (VKEY_F1 + (keysym - XK_F1));
	return 0;
}

// Latin-1 symbols are their code points; the others of Unicode carry it with 0x01000000.
int32_t characterOf (uint32_t keysym)
{
	if ((keysym >= 0x20 && keysym <= 0x7e) || (keysym >= 0xa0 && keysym <= 0xff))
		return static_cast<int32_t> (keysym);
	if (keysym >= 0x01000100 && keysym <= 0x0110ffff)
		return static_cast<int32_t> (keysym & 0x00ffffff);
	return 0;
}

} // namespace

VstKeyCode keyCodeFromKeysym (uint32_t keysym, uint16_t state)
{
	VstKeyCode key;
	key.virt = virtualKey (keysym);
	if (key.virt == 0 || key.virt == VKEY_SPACE)
		key.character = characterOf (keysym);
	// Control is the command key off macOS: it becomes kControl like the mouse's Control
	if (state & kXShiftMask)
		key.modifier |= MODIFIER_SHIFT;
	if (state & kXControlMask)
		key.modifier |= MODIFIER_COMMAND;
	if (state & kXMod1Mask)
		key.modifier |= MODIFIER_ALTERNATE;
	return key;
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

} // namespace X11
} // namespace VSTGUI
