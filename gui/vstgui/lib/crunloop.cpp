// The run loop: timers on an installed timer loop, or driven by advance().
#include "crunloop.h"

#include "cvstguitimer.h"

#include <algorithm>

namespace VSTGUI {

RunLoop& RunLoop::instance ()
{
	static RunLoop runLoop;
	return runLoop;
}

size_t RunLoop::getNbLoopTimers () const
{
	return static_cast<size_t> (
	    std::count_if (timers.begin (), timers.end (), [] (const Entry& e) { return e.loop != nullptr; }));
}

void RunLoop::place (Entry& entry, uint32_t interval)
{
	entry.loop = nullptr;
	entry.due = now + interval;
	for (auto it = loops.rbegin (); it != loops.rend (); ++it)
		if ((*it)->startTimer (entry.timer, interval))
		{
			entry.loop = *it;
			return;
		}
}

void RunLoop::addTimerLoop (ITimerLoop* loop)
{
	if (loop && std::find (loops.begin (), loops.end (), loop) == loops.end ())
		loops.push_back (loop);
}

void RunLoop::removeTimerLoop (ITimerLoop* loop)
{
	const auto it = std::find (loops.begin (), loops.end (), loop);
	if (it == loops.end ())
		return;
	loops.erase (it);
	for (auto& entry : timers)
		if (entry.loop == loop)
		{
			loop->stopTimer (entry.timer);
			place (entry, entry.timer->getFireTime ());
		}
}

void RunLoop::add (CVSTGUITimer* timer, uint32_t interval)
{
	remove (timer);
	Entry entry {timer, 0, nextOrder++, nullptr};
	place (entry, interval);
	timers.push_back (entry);
}

void RunLoop::remove (CVSTGUITimer* timer)
{
	const auto it =
	    std::find_if (timers.begin (), timers.end (), [timer] (const Entry& e) { return e.timer == timer; });
	if (it == timers.end ())
		return;
	ITimerLoop* loop = it->loop;
	timers.erase (it);
	if (loop)
		loop->stopTimer (timer);
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
			if (!it->loop && it->due <= target &&
			    (next == timers.end () || it->due < next->due ||
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
