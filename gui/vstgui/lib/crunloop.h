// The run loop that fires the layer's timers. Without a host window nothing
// drives it by itself: the owner (a test, a host adapter) calls advance().
#pragma once

#include "vstguifwd.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VSTGUI {

class RunLoop final
{
public:
	static RunLoop& instance ();

	// Moves the clock forward by ms, firing every timer that falls due on the way
	// in time order (equal times: in order of starting). A nested call from a
	// timer callback does nothing.
	void advance (uint32_t ms);
	// milliseconds advanced since the process started
	uint64_t getTime () const { return now; }
	size_t getNbTimers () const { return timers.size (); }

	// used by CVSTGUITimer
	void add (CVSTGUITimer* timer, uint32_t interval);
	void remove (CVSTGUITimer* timer);

private:
	RunLoop () = default;

	struct Entry
	{
		CVSTGUITimer* timer;
		uint64_t due;
		uint64_t order;
	};

	std::vector<Entry> timers;
	uint64_t now {0};
	uint64_t nextOrder {0};
	bool advancing {false};
};

} // namespace VSTGUI
