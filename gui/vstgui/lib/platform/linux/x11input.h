// X input as the layer's input types: buttons and modifiers as CButtonState,
// wheel buttons as wheel steps, double clicks, and the one press the views see
// of a chord of buttons. Pure functions and state of the X event fields, so
// they are testable without a display.
#pragma once

#include "../../cbuttonstate.h"
#include "../../cpoint.h"

#include <cstdint>

namespace VSTGUI {
namespace X11 {

// The core protocol's state bits (KeyButMask) and pointer buttons.
enum : uint16_t
{
	kXShiftMask = 1 << 0,
	kXControlMask = 1 << 2,
	kXMod1Mask = 1 << 3, // Alt on every common keymap
	kXButton1Mask = 1 << 8,
	kXButton2Mask = 1 << 9,
	kXButton3Mask = 1 << 10
};

// Modifiers (Shift, Control as kControl, Alt as kAlt) and the buttons held in an
// event's state field. A press's state lacks the button just pressed.
CButtonState buttonStateFromX (uint16_t state);
// The button of a press or release (1 left, 2 middle, 3 right); 0 for others.
int32_t buttonFromX (uint8_t button);

struct WheelStep
{
	CMouseWheelAxis axis;
	float distance;
};
// Buttons 4/5 scroll up/down (+1/-1 on the vertical axis), 6/7 left/right
// (+1/-1 on the horizontal axis); false for every other button.
bool wheelFromButton (uint8_t button, WheelStep& step);

// Tells a second press of the same button, soon and near enough, from a new click.
class DoubleClickDetector final
{
public:
	static constexpr uint32_t kMaxInterval = 400; // ms, X server time
	static constexpr CCoord kMaxDistance = 4.; // window pixels, on either axis

	// true when this press completes a double click; a third press starts anew
	bool press (int32_t button, uint32_t time, const CPoint& where);

private:
	int32_t lastButton {0};
	uint32_t lastTime {0};
	CPoint lastWhere;
};

// X reports each button on its own; the views know one press at a time. A
// press lasts from the first button down to the last one up and is seen by
// the views as a press of its first button: other buttons pressed and released
// meanwhile start nothing, and only the modifier bits may change.
class PointerPress final
{
public:
	// A button (kLButton, kMButton or kRButton) went down; true when it starts a press.
	bool down (int32_t button);
	// A button went up; true when it was the last one held: the press ends.
	bool up (int32_t button);
	// The press ends without its release (the grab was lost).
	void cancel () { first = held = 0; }
	bool active () const { return held != 0; }
	// An event's state as the views see it: the press's button with the
	// event's modifiers, and no button when no press is on.
	CButtonState forViews (uint16_t state) const;
	// True when a press is on but the event's state shows none of its buttons:
	// their releases went to another window.
	bool lost (uint16_t state) const;

private:
	int32_t first {0};
	int32_t held {0};
};

} // namespace X11
} // namespace VSTGUI
