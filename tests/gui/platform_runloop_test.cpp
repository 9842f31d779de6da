// The layer's timers and watched descriptors on a host's Linux::IRunLoop (a
// fake that records registrations and fires on demand): where a timer runs
// while a host loop is installed and after it goes, and what stays registered.
#include "vstgui/lib/crunloop.h"
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/platform/linux/x11runloop.h"

#include "platform_fakehost.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace Steinberg;

namespace {

using FakeRunLoop = PlatformTest::FakeHost;

struct HostLoopFixture : ::testing::Test
{
	void TearDown () override
	{
		RunLoop::instance ().removeTimerLoop (adapter.get ());
		adapter.reset ();
		EXPECT_TRUE (host.timers.empty ());
		EXPECT_TRUE (host.handlers.empty ());
		EXPECT_EQ (host.refs, 1u) << "the adapter kept a reference on the host's loop";
	}
	void install ()
	{
		adapter = std::make_unique<X11::HostRunLoop> (static_cast<Linux::IRunLoop*> (&host));
		RunLoop::instance ().addTimerLoop (adapter.get ());
	}

	FakeRunLoop host;
	std::unique_ptr<X11::HostRunLoop> adapter;
	int fired {0};
};

} // namespace

TEST_F (HostLoopFixture, TimersRunOnTheHostLoopWhileItIsInstalled)
{
	install ();
	auto timer = makeOwned<CVSTGUITimer> ([this] (CVSTGUITimer*) { ++fired; }, 16);
	ASSERT_EQ (host.onlyInterval (), 16u);
	EXPECT_EQ (RunLoop::instance ().getNbLoopTimers (), 1u);
	// advance() no longer drives it; the host does
	RunLoop::instance ().advance (100);
	EXPECT_EQ (fired, 0);
	host.fireTimers ();
	host.fireTimers ();
	EXPECT_EQ (fired, 2);

	timer->setFireTime (500);
	EXPECT_EQ (host.onlyInterval (), 500u) << "a new interval re-registers";
	timer->stop ();
	EXPECT_TRUE (host.timers.empty ());

	// A timer may stop and drop itself in its callback, while the host holds
	// its handler; a late call on the unregistered handler reaches nothing.
	timer = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer* t) {
		++fired;
		t->stop ();
		timer = nullptr;
	}, 10);
	auto* handler = host.timers.begin ()->first;
	handler->addRef ();
	host.fireTimers ();
	EXPECT_EQ (timer, nullptr);
	EXPECT_TRUE (host.timers.empty ());
	handler->onTimer ();
	EXPECT_EQ (fired, 3);
	handler->release ();
}

TEST_F (HostLoopFixture, TimersGoBackToTheDrivenLoopWhenTheHostLoopGoes)
{
	FakeRunLoop otherHost;
	X11::HostRunLoop other (&otherHost);
	RunLoop::instance ().addTimerLoop (&other);
	install ();
	auto timer = makeOwned<CVSTGUITimer> ([this] (CVSTGUITimer*) { ++fired; }, 20);
	EXPECT_EQ (host.timers.size (), 1u) << "the latest loop takes new timers";

	// to the loop installed before
	RunLoop::instance ().removeTimerLoop (adapter.get ());
	EXPECT_TRUE (host.timers.empty ());
	EXPECT_EQ (otherHost.onlyInterval (), 20u);

	// then to advance(), with a full interval to go
	RunLoop::instance ().removeTimerLoop (&other);
	EXPECT_TRUE (otherHost.timers.empty ());
	EXPECT_EQ (RunLoop::instance ().getNbLoopTimers (), 0u);
	RunLoop::instance ().advance (19);
	EXPECT_EQ (fired, 0);
	RunLoop::instance ().advance (1);
	EXPECT_EQ (fired, 1);

	// a host that refuses a timer leaves it on advance()
	install ();
	host.refuseTimers = true;
	timer->setFireTime (5);
	EXPECT_TRUE (host.timers.empty ());
	RunLoop::instance ().advance (5);
	EXPECT_EQ (fired, 2);
}

TEST_F (HostLoopFixture, WatchedDescriptorsAndTimersAreUnregisteredWhenTheAdapterGoes)
{
	install ();
	int calls = 0;
	EXPECT_TRUE (adapter->watch (7, [&] { ++calls; }));
	EXPECT_FALSE (adapter->watch (7, [&] { ++calls; })) << "one handler per descriptor";
	EXPECT_FALSE (adapter->watch (-1, [&] { ++calls; }));
	ASSERT_EQ (host.handlers.size (), 1u);
	auto* handler = host.handlers.begin ()->first;
	EXPECT_EQ (host.handlers.begin ()->second, 7);
	handler->onFDIsSet (7);
	EXPECT_EQ (calls, 1);
	auto timer = makeOwned<CVSTGUITimer> ([] (CVSTGUITimer*) {}, 10);
	EXPECT_EQ (adapter->getNbRegistrations (), 2u);

	handler->addRef ();
	RunLoop::instance ().removeTimerLoop (adapter.get ());
	adapter.reset ();
	EXPECT_TRUE (host.handlers.empty ());
	EXPECT_TRUE (host.timers.empty ());
	handler->onFDIsSet (7);
	EXPECT_EQ (calls, 1) << "an unregistered handler still calls back";
	handler->release ();
}
