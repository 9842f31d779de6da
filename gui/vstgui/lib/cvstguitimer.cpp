// CVSTGUITimer on the layer's run loop.
#include "cvstguitimer.h"

#include "crunloop.h"

#include <algorithm>

namespace VSTGUI {

CVSTGUITimer::CVSTGUITimer (const CallbackFunc& callback, uint32_t fireTime, bool doStart)
: callback (callback), fireTime (std::max<uint32_t> (fireTime, 1))
{
	if (doStart)
		start ();
}

CVSTGUITimer::~CVSTGUITimer () noexcept
{
	stop ();
}

bool CVSTGUITimer::start ()
{
	if (running)
		return false;
	RunLoop::instance ().add (this, fireTime);
	running = true;
	return true;
}

bool CVSTGUITimer::stop ()
{
	if (!running)
		return false;
	RunLoop::instance ().remove (this);
	running = false;
	return true;
}

bool CVSTGUITimer::setFireTime (uint32_t newFireTime)
{
	newFireTime = std::max<uint32_t> (newFireTime, 1);
	if (newFireTime == fireTime)
		return false;
	fireTime = newFireTime;
	if (running)
	{
		stop ();
		start ();
	}
	return true;
}

void CVSTGUITimer::fire ()
{
	if (!running || !callback)
		return;
	SharedPointer<CVSTGUITimer> guard (this);
	callback (this);
}

} // namespace VSTGUI
