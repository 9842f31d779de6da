// One editor's use of the host's Linux::IRunLoop: file descriptors it watches
// for us and the layer's timers, every registration undone when this goes.
#pragma once

#include "../../crunloop.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <functional>
#include <map>

namespace VSTGUI {
namespace X11 {

class RunLoopHandler;

class HostRunLoop final : public ITimerLoop
{
public:
	using Callback = std::function<void ()>;

	// holds a reference on the host's loop
	explicit HostRunLoop (Steinberg::Linux::IRunLoop* hostLoop);
	// unregisters every handler and timer still registered
	~HostRunLoop () noexcept override;
	HostRunLoop (const HostRunLoop&) = delete;
	HostRunLoop& operator= (const HostRunLoop&) = delete;

	// the host calls `callback` whenever fd is readable; false when it refuses
	bool watch (int fd, const Callback& callback);
	void unwatch (int fd);

	bool startTimer (CVSTGUITimer* timer, uint32_t interval) override;
	void stopTimer (CVSTGUITimer* timer) override;

	size_t getNbRegistrations () const { return fdHandlers.size () + timerHandlers.size (); }

private:
	Steinberg::IPtr<Steinberg::Linux::IRunLoop> host;
	std::map<int, Steinberg::IPtr<RunLoopHandler>> fdHandlers;
	std::map<CVSTGUITimer*, Steinberg::IPtr<RunLoopHandler>> timerHandlers;
};

} // namespace X11
} // namespace VSTGUI
