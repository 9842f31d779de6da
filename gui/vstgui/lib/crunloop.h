// The run loop that fires the layer's timers. While a timer loop (the host's,
// when an editor is attached to a window) is installed, timers run there;
// without one nothing drives them by itself and the owner (a test) calls advance().
#pragma once

#include "vstguifwd.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VSTGUI {

// A loop that fires timers for the layer, e.g. the host's run loop.
class ITimerLoop
{
public:
	virtual ~ITimerLoop () noexcept = default;

	// Calls timer->fire () every interval ms until stopTimer; false when the loop refuses.
	virtual bool startTimer (CVSTGUITimer* timer, uint32_t interval) = 0;
	virtual void stopTimer (CVSTGUITimer* timer) = 0;
};

class RunLoop final
{
public:
	static RunLoop& instance ();

	// Moves the clock forward by ms, firing every timer that falls due on the way
	// in time order (equal times: in order of starting). Timers on a timer loop
	// are not fired here. A nested call from a timer callback does nothing.
	void advance (uint32_t ms);
	// milliseconds advanced since the process started
	uint64_t getTime () const { return now; }
	// running timers, wherever they run
	size_t getNbTimers () const { return timers.size (); }
	// running timers handed to a timer loop
	size_t getNbLoopTimers () const;

	// Timers started from now on run on the latest installed loop. Removing a loop
	// moves its timers to the latest remaining one, else back to advance().
	void addTimerLoop (ITimerLoop* loop);
	void removeTimerLoop (ITimerLoop* loop);

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
		ITimerLoop* loop; // null: fired by advance
	};

	// the entry's timer on the latest loop that takes it, else on advance
	void place (Entry& entry, uint32_t interval);

	std::vector<Entry> timers;
	std::vector<ITimerLoop*> loops;
	uint64_t now {0};
	uint64_t nextOrder {0};
	bool advancing {false};
};

} // namespace VSTGUI
