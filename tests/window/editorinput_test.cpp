// Real X input on the editor's window and the edits the host hears: a drag
// on the free-click Rate slider (also beyond the window, with other buttons
// chorded in, or cut short by the host hiding its window), the default-value
// click, a wheel step whose edit the host's loop closes, the Bypass switch,
// and keys that pass over the editor to the host's window.
#include "windowtestkit.h"

using namespace WindowTest;

namespace {

struct Expected
{
	Call call;
	ParamID id;
	double value;
};

void expectEvents (const std::vector<RecordingComponentHandler::Event>& got, const std::vector<Expected>& want)
{
	ASSERT_EQ (got.size (), want.size ());
	for (size_t i = 0; i < want.size (); ++i)
	{
		EXPECT_EQ (got[i].call, want[i].call) << "event " << i;
		EXPECT_EQ (got[i].id, want[i].id) << "event " << i;
		if (want[i].call == Call::performEdit)
		{
			EXPECT_NEAR (got[i].value, want[i].value, 1e-6) << "event " << i;
		}
	}
}

} // namespace

TEST_F (EditorWindow, RateDragBracketsItsEditsAndFollowsThePointerBeyondTheWindow)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	// Free click puts the handle's centre under the pointer: the value is
	// (x - left - handle width / 2 + 1) / travel.
	const int y = rateSlider.centreY ();
	auto valueAt = [] (int x) { return (x - rateSlider.left - 5) / static_cast<double> (rateSlider.travel ()); };

	display->moveTo (300, y);
	display->press (1);
	frame.runFor (40);
	display->moveTo (400, y);
	frame.runFor (40);
	// Outside the editor and the host's window the drag goes on.
	display->moveTo (700, y);
	frame.runFor (40);
	display->moveTo (350, 350);
	frame.runFor (40);
	display->release (1);
	frame.runFor (40);

	expectEvents (events (), {{Call::beginEdit, kRate, 0.},
	                          {Call::performEdit, kRate, valueAt (300)},
	                          {Call::performEdit, kRate, valueAt (400)},
	                          {Call::performEdit, kRate, 1.},
	                          {Call::performEdit, kRate, valueAt (350)},
	                          {Call::endEdit, kRate, 0.}});
	EXPECT_NEAR (parameter (kRate), valueAt (350), 1e-6);
	eventually ([&] {
		return findHandle (capture (), rateSlider).position == rateSlider.handlePosition (valueAt (350));
	});
	expectHandleAt (capture (), rateSlider, valueAt (350));
}

TEST_F (EditorWindow, OtherButtonsDuringADragNeitherEndNorRestartIt)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	const int y = rateSlider.centreY ();
	auto valueAt = [] (int x) { return (x - rateSlider.left - 5) / static_cast<double> (rateSlider.travel ()); };
	auto step = [&] (const std::function<void ()>& input) {
		input ();
		frame.runFor (30);
	};

	step ([&] { display->moveTo (300, y); });
	step ([&] { display->press (1); });
	step ([&] { display->press (3); });
	step ([&] { display->moveTo (350, y); });
	step ([&] { display->release (3); });
	step ([&] { display->press (2); });
	// the left button is up, the middle one still down: the press goes on
	step ([&] { display->release (1); });
	step ([&] { display->moveTo (380, y); });
	ASSERT_FALSE (events ().empty ());
	EXPECT_NE (events ().back ().call, Call::endEdit) << "the press ended before its last button";
	step ([&] { display->release (2); });

	expectEvents (events (), {{Call::beginEdit, kRate, 0.},
	                          {Call::performEdit, kRate, valueAt (300)},
	                          {Call::performEdit, kRate, valueAt (350)},
	                          {Call::performEdit, kRate, valueAt (380)},
	                          {Call::endEdit, kRate, 0.}});
}

TEST_F (EditorWindow, AHiddenWindowEndsTheDragWhoseReleaseItWillNotSee)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	const int y = rateSlider.centreY ();
	const double before = parameter (kRate);
	// the pointer over the editor, then beyond the window, when the host hides it
	for (const int x : {350, 700})
	{
		SCOPED_TRACE (x);
		session->handler ().clear ();
		display->moveTo (300, y);
		display->press (1);
		frame.runFor (30);
		display->moveTo (x, y);
		frame.runFor (30);
		display->setMapped (false);
		frame.runFor (30);
		// ended as cancelled at once: the value from before the press, then the end
		ASSERT_GE (events ().size (), 2u);
		EXPECT_EQ (events ().back ().call, Call::endEdit);
		const auto& restore = events ()[events ().size () - 2];
		EXPECT_EQ (restore.call, Call::performEdit);
		EXPECT_NEAR (restore.value, before, 1e-6);
		EXPECT_NEAR (parameter (kRate), before, 1e-6);

		const size_t count = events ().size ();
		display->release (1);
		display->setMapped (true);
		display->moveTo (320, y);
		frame.runFor (30);
		EXPECT_EQ (events ().size (), count) << "the release or a move changed something";
	}
}

TEST_F (EditorWindow, KeysOverTheEditorReachTheHostsWindow)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	constexpr uint32_t space = 0x20;
	display->takeFocus ();
	display->keyPressesReceived ();
	display->moveTo (400, 260);
	frame.runFor (30);
	ASSERT_TRUE (display->keyDown (space));
	ASSERT_TRUE (display->keyUp (space));
	frame.runFor (30);
	EXPECT_EQ (display->keyPressesReceived (), 1) << "the editor's window kept the key from the host";
}

TEST_F (EditorWindow, AltClickResetsLevelAndTheSwitchTogglesBypass)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	ASSERT_EQ (session->editController ().setParamNormalized (kLevel, 0.3), kResultOk);
	frame.runOneTurn ();

	ASSERT_TRUE (display->keyDown (altKey));
	clickAt (levelSlider.centreX (), levelSlider.top + 20);
	ASSERT_TRUE (display->keyUp (altKey));
	frame.runFor (20);
	expectEvents (events (), {{Call::beginEdit, kLevel, 0.}, {Call::performEdit, kLevel, 0.75}, {Call::endEdit, kLevel, 0.}});
	EXPECT_DOUBLE_EQ (parameter (kLevel), 0.75);

	session->handler ().clear ();
	const int switchX = 300 + 24, switchY = 176 + 12;
	clickAt (switchX, switchY);
	expectEvents (events (), {{Call::beginEdit, kBypass, 0.}, {Call::performEdit, kBypass, 1.}, {Call::endEdit, kBypass, 0.}});
	EXPECT_EQ (parameter (kBypass), 1.);
	session->handler ().clear ();
	clickAt (switchX, switchY);
	expectEvents (events (), {{Call::beginEdit, kBypass, 0.}, {Call::performEdit, kBypass, 0.}, {Call::endEdit, kBypass, 0.}});
	EXPECT_EQ (parameter (kBypass), 0.);
}

TEST_F (EditorWindow, WheelStepOnDepthClosesItsEditAfterTheWheelTimeOnTheHostLoop)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	ASSERT_EQ (session->editController ().setParamNormalized (kDepth, 0.5), kResultOk);
	frame.runOneTurn ();
	// Idle: nothing wakes the editor while nothing moves.
	EXPECT_EQ (frame.timerCount (), 0u) << "a timer runs while nothing moves";
	EXPECT_EQ (frame.runFor (200), 0) << "the idle editor is woken";

	// Wheel up (button 4) raises the value by the wheel increment, 0.1.
	display->moveTo (depthSlider.centreX (), depthSlider.centreY ());
	const auto stepped = std::chrono::steady_clock::now ();
	display->press (4);
	display->release (4);
	frame.runFor (40);
	expectEvents (events (), {{Call::beginEdit, kDepth, 0.}, {Call::performEdit, kDepth, 0.6}});
	EXPECT_NEAR (parameter (kDepth), 0.6, 1e-6);
	EXPECT_GE (frame.timerCount (), 1u) << "the wheel edit's timer is not on the host's loop";

	// The edit closes once the host's loop has run the wheel-edit time.
	bool closed = false;
	while (!closed && std::chrono::steady_clock::now () - stepped < std::chrono::seconds (3))
	{
		frame.runOneTurn (10);
		closed = !events ().empty () && events ().back ().call == Call::endEdit;
	}
	const auto waited =
	    std::chrono::duration_cast<std::chrono::milliseconds> (std::chrono::steady_clock::now () - stepped).count ();
	ASSERT_TRUE (closed) << "no endEdit after 3 s";
	EXPECT_GE (waited, 490);
	expectEvents (events (), {{Call::beginEdit, kDepth, 0.}, {Call::performEdit, kDepth, 0.6}, {Call::endEdit, kDepth, 0.}});
	frame.runFor (50);
	EXPECT_EQ (frame.timerCount (), 0u) << "a timer runs on after the edit closed";
}
