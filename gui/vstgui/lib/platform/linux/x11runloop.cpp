// The host's run loop: handlers that the host may hold longer than we need them.
#include "x11runloop.h"

#include "../../cvstguitimer.h"

#include "base/source/fobject.h"

namespace VSTGUI {
namespace X11 {

using namespace Steinberg;

// What the host holds and calls. Hosts may keep a reference after we
// unregister it, so it is cut off from its target on unregistering.
class RunLoopHandler final : public FObject, public Linux::IEventHandler, public Linux::ITimerHandler
{
public:
	explicit RunLoopHandler (const HostRunLoop::Callback& callback) : callback (callback) {}
	explicit RunLoopHandler (CVSTGUITimer* timer) : timer (timer) {}

	void detach ()
	{
		callback = nullptr;
		timer = nullptr;
	}

	void PLUGIN_API onFDIsSet (Linux::FileDescriptor) override { call (); }
	void PLUGIN_API onTimer () override { call (); }

	OBJ_METHODS (RunLoopHandler, FObject)
	DEFINE_INTERFACES
		DEF_INTERFACE (Linux::IEventHandler)
		DEF_INTERFACE (Linux::ITimerHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)

private:
	void call ()
	{
		// The callback may unregister this handler, which empties `callback` and
		// may drop the last reference: both are kept alive for the call.
		IPtr<RunLoopHandler> guard (this);
		if (timer)
		{
			timer->fire ();
		}
		else if (callback)
		{
			const HostRunLoop::Callback copy (callback);
			copy ();
		}
	}

	HostRunLoop::Callback callback;
	CVSTGUITimer* timer {nullptr};
};

HostRunLoop::HostRunLoop (Linux::IRunLoop* hostLoop) : host (hostLoop)
{
}

HostRunLoop::~HostRunLoop () noexcept
{
	while (!timerHandlers.empty ())
		stopTimer (timerHandlers.begin ()->first);
	while (!fdHandlers.empty ())
		unwatch (fdHandlers.begin ()->first);
}

bool HostRunLoop::watch (int fd, const Callback& callback)
{
	if (!host || fd < 0 || fdHandlers.count (fd))
		return false;
	auto handler = Steinberg::owned (new RunLoopHandler (callback));
	if (host->registerEventHandler (handler, fd) != kResultTrue)
	{
		handler->detach ();
		return false;
	}
	fdHandlers[fd] = handler;
	return true;
}

void HostRunLoop::unwatch (int fd)
{
	const auto it = fdHandlers.find (fd);
	if (it == fdHandlers.end ())
		return;
	auto handler = it->second;
	fdHandlers.erase (it);
	handler->detach ();
	host->unregisterEventHandler (handler);
}

bool HostRunLoop::startTimer (CVSTGUITimer* timer, uint32_t interval)
{
	if (!host || !timer)
		return false;
	stopTimer (timer);
	auto handler = Steinberg::owned (new RunLoopHandler (timer));
	if (host->registerTimer (handler, interval) != kResultTrue)
	{
		handler->detach ();
		return false;
	}
	timerHandlers[timer] = handler;
	return true;
}

void HostRunLoop::stopTimer (CVSTGUITimer* timer)
{
	const auto it = timerHandlers.find (timer);
	if (it == timerHandlers.end ())
		return;
	auto handler = it->second;
	timerHandlers.erase (it);
	handler->detach ();
	host->unregisterTimer (handler);
}

} // namespace X11
} // namespace VSTGUI
