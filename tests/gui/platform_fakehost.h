// A host's side of the editor for the platform tests without a display: an
// IPlugFrame whose Linux::IRunLoop records what is registered and fires it on demand.
#pragma once

#include "pluginterfaces/gui/iplugview.h"

#include <map>

namespace PlatformTest {

using namespace Steinberg;

class FakeHost final : public IPlugFrame, public Linux::IRunLoop
{
public:
	explicit FakeHost (bool offerRunLoop = true) : offerRunLoop (offerRunLoop) {}

	tresult PLUGIN_API resizeView (IPlugView*, ViewRect*) override { return kResultTrue; }
	tresult PLUGIN_API registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd) override
	{
		handler->addRef ();
		handlers[handler] = fd;
		return kResultTrue;
	}
	tresult PLUGIN_API unregisterEventHandler (Linux::IEventHandler* handler) override
	{
		return drop (handlers, handler);
	}
	tresult PLUGIN_API registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval ms) override
	{
		if (refuseTimers)
			return kResultFalse;
		handler->addRef ();
		timers[handler] = ms;
		return kResultTrue;
	}
	tresult PLUGIN_API unregisterTimer (Linux::ITimerHandler* handler) override { return drop (timers, handler); }

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) override
	{
		QUERY_INTERFACE (iid, obj, FUnknown::iid, IPlugFrame)
		QUERY_INTERFACE (iid, obj, IPlugFrame::iid, IPlugFrame)
		if (offerRunLoop)
			QUERY_INTERFACE (iid, obj, Linux::IRunLoop::iid, Linux::IRunLoop)
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () override { return ++refs; }
	uint32 PLUGIN_API release () override { return --refs; }

	// as the host does when an interval has passed: every registered timer once
	void fireTimers ()
	{
		auto copy = timers;
		for (auto& entry : copy)
			if (timers.count (entry.first))
				entry.first->onTimer ();
	}
	Linux::TimerInterval onlyInterval () const { return timers.size () == 1 ? timers.begin ()->second : 0; }

	std::map<Linux::IEventHandler*, Linux::FileDescriptor> handlers;
	std::map<Linux::ITimerHandler*, Linux::TimerInterval> timers;
	bool offerRunLoop;
	bool refuseTimers {false};
	uint32 refs {1};

private:
	template <typename Map, typename Handler>
	tresult drop (Map& map, Handler* handler)
	{
		if (!map.erase (handler))
			return kResultFalse;
		handler->release ();
		return kResultTrue;
	}
};

} // namespace PlatformTest
