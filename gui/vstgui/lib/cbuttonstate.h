// Mouse buttons and modifier keys as one int32 word; mouse-event results.
#pragma once

#include "vstguifwd.h"

#include <cstdint>

namespace VSTGUI {

enum CButton
{
	kLButton = 1 << 1,
	kMButton = 1 << 2,
	kRButton = 1 << 3,
	kShift = 1 << 4,
	kControl = 1 << 5, // Command on macOS
	kAlt = 1 << 6, // Option on macOS
	kApple = 1 << 7, // Control on macOS
	kButton4 = 1 << 8,
	kButton5 = 1 << 9,
	kDoubleClick = 1 << 10
};

struct CButtonState
{
	static constexpr int32_t kButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5;
	static constexpr int32_t kModifierMask = kShift | kControl | kAlt | kApple;

	constexpr CButtonState (int32_t state = 0) : state (state) {}

	int32_t getButtonState () const { return state & (kButtonMask | kDoubleClick); }
	int32_t getModifierState () const { return state & kModifierMask; }
	// Exactly one mouse button down, whatever the modifiers.
	bool isLeftButton () const { return (state & kButtonMask) == kLButton; }
	bool isRightButton () const { return (state & kButtonMask) == kRButton; }
	bool isDoubleClick () const { return (state & kDoubleClick) != 0; }

	operator int32_t () const { return state; }
	int32_t operator& (int32_t mask) const { return state & mask; }
	int32_t operator| (int32_t bits) const { return state | bits; }
	CButtonState& operator|= (int32_t bits)
	{
		state |= bits;
		return *this;
	}
	bool operator== (const CButtonState& o) const { return state == o.state; }
	bool operator!= (const CButtonState& o) const { return state != o.state; }
	bool operator== (int32_t o) const { return state == o; }
	bool operator!= (int32_t o) const { return state != o; }

private:
	int32_t state;
};

enum CMouseEventResult
{
	kMouseEventNotImplemented = 0,
	kMouseEventHandled,
	kMouseEventNotHandled,
	kMouseDownEventHandledButDontNeedMovedOrUpEvents,
	kMouseMoveEventHandledButDontNeedMoreEvents
};

enum CMouseWheelAxis
{
	kMouseWheelAxisX = 0,
	kMouseWheelAxisY
};

} // namespace VSTGUI
