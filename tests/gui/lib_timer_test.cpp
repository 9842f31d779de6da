// Timers on the driven run loop, and wheel editing that rides on them.
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/crunloop.h"
#include "vstgui/lib/cvstguitimer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

class TestControl : public CControl
{
public:
	using CControl::CControl;
	void draw (CDrawContext*) override {}
	CView* newCopy () const override { return new TestControl (*this); }
};

class WheelControl : public TestControl, public CMouseWheelEditingSupport
{
public:
	using TestControl::TestControl;
	void wheel () { onMouseWheelEditing (this); }
	void press () { invalidMouseWheelEditTimer (this); }
};

struct EditCounter : IControlListener
{
	void valueChanged (CControl*) override {}
	void controlBeginEdit (CControl*) override { ++begins; }
	void controlEndEdit (CControl*) override { ++ends; }
	int begins {0};
	int ends {0};
};

RunLoop& loop ()
{
	return RunLoop::instance ();
}

} // namespace

TEST (LibTimer, RepeatingTimersFireInTimeOrder)
{
	std::vector<std::string> log;
	const uint64_t t0 = loop ().getTime ();
	auto fast = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer*) { log.push_back ("fast@" + std::to_string (loop ().getTime () - t0)); }, 30);
	auto slow = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer*) { log.push_back ("slow@" + std::to_string (loop ().getTime () - t0)); }, 50);
	auto idle = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { log.push_back ("idle"); }, 10, false);
	EXPECT_TRUE (fast->isRunning ());
	EXPECT_FALSE (idle->isRunning ());
	EXPECT_EQ (fast->getFireTime (), 30u);

	loop ().advance (29);
	EXPECT_TRUE (log.empty ());
	loop ().advance (71);
	EXPECT_EQ (log, (std::vector<std::string> {"fast@30", "slow@50", "fast@60", "fast@90", "slow@100"}));
	EXPECT_EQ (loop ().getTime () - t0, 100u);

	log.clear ();
	slow->stop ();
	EXPECT_FALSE (slow->isRunning ());
	fast->setFireTime (5); // restarts from now
	loop ().advance (12);
	EXPECT_EQ (log, (std::vector<std::string> {"fast@105", "fast@110"}));

	fast->stop ();
	slow = nullptr; // destroying a timer takes it off the loop
	fast = nullptr;
	idle = nullptr;
	EXPECT_EQ (loop ().getNbTimers (), 0u);
	// a zero interval counts as 1 ms, so the loop cannot stall
	int zeroTicks = 0;
	auto zero = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { ++zeroTicks; }, 0);
	loop ().advance (5);
	EXPECT_EQ (zeroTicks, 5);
}

TEST (LibTimer, CallbackMayReleaseItsOwnTimerAndOthers)
{
	SharedPointer<CVSTGUITimer> self;
	SharedPointer<CVSTGUITimer> victim;
	int selfTicks = 0;
	int victimTicks = 0;
	int observedRefs = 0;
	self = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer* t) {
		    ++selfTicks;
		    observedRefs = t->getNbReference ();
		    self = nullptr; // the last outside reference
		    victim = nullptr; // due at the same time, but gone before its turn
		    EXPECT_EQ (t->getFireTime (), 20u) << "the timer is still whole inside its callback";
	    },
	    20);
	victim = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { ++victimTicks; }, 20);
	loop ().advance (100);
	EXPECT_EQ (selfTicks, 1);
	EXPECT_EQ (victimTicks, 0);
	EXPECT_EQ (observedRefs, 2) << "the timer holds itself while its callback runs";
	EXPECT_EQ (loop ().getNbTimers (), 0u);

	// a callback that stops and restarts itself, and a nested advance that is ignored
	int ticks = 0;
	auto t = makeOwned<CVSTGUITimer> (
	    [&] (CVSTGUITimer* timer) {
		    ++ticks;
		    loop ().advance (1000);
		    timer->stop ();
		    if (ticks < 3)
			    timer->start ();
	    },
	    10);
	loop ().advance (100);
	EXPECT_EQ (ticks, 3);
	EXPECT_FALSE (t->isRunning ());
}

TEST (LibTimer, WheelEditOpensOnceAndClosesAfterQuietTimeout)
{
	EditCounter counter;
	auto c = makeOwned<WheelControl> (CRect (0, 0, 10, 10), &counter);
	c->wheel ();
	EXPECT_TRUE (c->isEditing ());
	loop ().advance (400);
	c->wheel (); // rearms: the edit stays open 500 ms from here
	loop ().advance (400);
	EXPECT_TRUE (c->isEditing ());
	EXPECT_EQ (counter.begins, 1);
	loop ().advance (100);
	EXPECT_FALSE (c->isEditing ());
	EXPECT_EQ (counter.ends, 1);
	loop ().advance (2000);
	EXPECT_EQ (counter.ends, 1);
	EXPECT_EQ (loop ().getNbTimers (), 0u);

	// a press drops the pending timer and closes the edit once
	c->wheel ();
	c->press ();
	EXPECT_FALSE (c->isEditing ());
	EXPECT_EQ (counter.begins, 2);
	EXPECT_EQ (counter.ends, 2);
	c->press ();
	loop ().advance (1000);
	EXPECT_EQ (counter.ends, 2);

	// an edit already open (a drag) is not opened a second time, and the
	// step arms no timer: only the drag's own end closes that edit
	c->beginEdit ();
	c->wheel ();
	EXPECT_EQ (counter.begins, 3);
	EXPECT_EQ (loop ().getNbTimers (), 0u);
	loop ().advance (500);
	EXPECT_TRUE (c->isEditing ());
	c->endEdit ();
	EXPECT_EQ (counter.ends, 3);

	// an edit closed while the timer is pending (Escape during a wheel edit)
	// is opened again by the next step, so that step's change is bracketed
	c->wheel ();
	c->endEdit ();
	EXPECT_EQ (counter.ends, 4);
	c->wheel ();
	EXPECT_TRUE (c->isEditing ());
	EXPECT_EQ (counter.begins, 5);
	loop ().advance (500);
	EXPECT_FALSE (c->isEditing ());
	EXPECT_EQ (counter.ends, 5);

	// a control destroyed with a pending wheel timer leaves nothing on the loop
	c->wheel ();
	c = nullptr;
	EXPECT_EQ (loop ().getNbTimers (), 0u);
	loop ().advance (1000);
}

TEST (LibTimer, WheelSupportEndsOnlyItsOwnEditAndSurvivesAReleasingListener)
{
	// A press whose release was lost: the next press ends its edit once,
	// with no wheel timer pending, so that the edits do not nest.
	EditCounter counter;
	auto c = makeOwned<WheelControl> (CRect (0, 0, 10, 10), &counter);
	c->beginEdit ();
	c->press ();
	EXPECT_FALSE (c->isEditing ());
	EXPECT_EQ (counter.ends, 1);
	c->press ();
	EXPECT_EQ (counter.ends, 1);

	// The end of a wheel edit lets a listener release the control; the timer
	// must not touch the control's members afterwards.
	struct Releasing : EditCounter
	{
		void controlEndEdit (CControl* control) override
		{
			EditCounter::controlEndEdit (control);
			control->forget ();
		}
	} releasing;
	auto* doomed = new WheelControl (CRect (0, 0, 10, 10), &releasing);
	doomed->wheel ();
	loop ().advance (500);
	EXPECT_EQ (releasing.ends, 1);
	EXPECT_EQ (loop ().getNbTimers (), 0u);
	loop ().advance (1000);
}
