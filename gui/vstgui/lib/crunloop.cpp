// The explicitly driven run loop.
#include "crunloop.h"

#include "cvstguitimer.h"

#include <algorithm>

namespace VSTGUI {

RunLoop& RunLoop::instance ()
{
	static RunLoop runLoop;
	return runLoop;
}

void RunLoop::add (CVSTGUITimer* timer, uint32_t interval)
{
	remove (timer);
	timers.push_back ({timer, now + interval, nextOrder++});
}

void RunLoop::remove (CVSTGUITimer* timer)
{
	timers.erase (std::remove_if (timers.begin (), timers.end (),
	                              [timer] (const Entry& e) { return e.timer == timer; }),
	              timers.end ());
}

void RunLoop::advance (uint32_t ms)
{
	if (advancing)
		return;
	advancing = true;
	const uint64_t target = now + ms;
	for (;;)
	{
		// the earliest due timer; callbacks may add, stop or delete timers, so search anew each time
		auto next = timers.end ();
		for (auto it = timers.begin (); it != timers.end (); ++it)
			if (it->due <= target && (next == timers.end () || it->due < next->due ||
			                          (it->due == next->due && it->order < next->order)))
				next = it;
		if (next == timers.end ())
			break;
		CVSTGUITimer* timer = next->timer;
		now = next->due;
		next->due = now + timer->getFireTime ();
		next->order = nextOrder++;
		timer->fire ();
	}
	now = target;
	advancing = false;
}

} // namespace VSTGUI
