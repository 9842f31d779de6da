// A repeating timer on the layer's run loop.
#pragma once

#include "vstguibase.h"

#include <functional>

namespace VSTGUI {

class CVSTGUITimer : public CBaseObject
{
public:
	using CallbackFunc = std::function<void (CVSTGUITimer*)>;

	// fireTime in milliseconds; 0 counts as 1 so that a timer cannot stall the loop
	explicit CVSTGUITimer (const CallbackFunc& callback, uint32_t fireTime = 100, bool doStart = true);
	CVSTGUITimer (const CVSTGUITimer&) = delete;
	CVSTGUITimer& operator= (const CVSTGUITimer&) = delete;
	~CVSTGUITimer () noexcept override;

	bool start ();
	bool stop ();
	bool isRunning () const { return running; }
	// restarts a running timer with the new interval
	bool setFireTime (uint32_t newFireTime);
	uint32_t getFireTime () const { return fireTime; }

	// Called by the run loop: runs the callback while holding a reference to itself,
	// so the callback may drop the last other reference.
	void fire ();

private:
	CallbackFunc callback;
	uint32_t fireTime;
	bool running {false};
};

} // namespace VSTGUI
