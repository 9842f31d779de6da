// CSliderBase input through a frame's dispatch, as an editor delivers it:
// presses in every mode, drags and fine drags, the default-value click, the
// ramp on the run loop, release, cancel, Escape, wheel and arrow keys.
#include "slidertestkit.h"

namespace SliderTest {
namespace {

using Base = CSliderBase;
using Strings = std::vector<std::string>;

constexpr int32_t kLeftShift = kLButton | kShift;

class SliderInput : public SliderFixture
{
protected:
	// The worked example at value 0.5 (handle 190..210), in a frame.
	FramedSlider& make (CSliderMode mode)
	{
		auto* s = makeExample (&log);
		s->setSliderMode (mode);
		s->setValue (0.5f);
		s->setDirty (false);
		framed.reset (new FramedSlider (s));
		return *framed;
	}
	float value () const { return framed->slider->getValue (); }
	// Time on the run loop that drives the ramp (16 ms ticks) and the wheel edit.
	static void advance (uint32_t ms) { RunLoop::instance ().advance (ms); }
	static void tick (uint32_t n = 1) { advance (16 * n); }
	static size_t timers () { return RunLoop::instance ().getNbTimers (); }

	void TearDown () override
	{
		framed.reset ();
		SliderFixture::TearDown ();
	}

	EditLog log;
	std::unique_ptr<FramedSlider> framed;
};

TEST_F (SliderInput, PressInsideAndBesideTheHandleInEveryMode)
{
	struct Case
	{
		CSliderMode mode;
		CCoord x;
		CMouseEventResult result;
		float valueAfterPress;
	};
	const Case cases[] = {
	    {CSliderMode::QBFreeClick, 205, kMouseEventHandled, 0.5f},
	    {CSliderMode::QBFreeClick, 150, kMouseEventHandled, 36.f / 170.f}, // centre jump
	    {CSliderMode::FreeClick, 205, kMouseEventHandled, 91.f / 170.f}, // jumps even on the handle
	    {CSliderMode::FreeClick, 150, kMouseEventHandled, 36.f / 170.f},
	    {CSliderMode::Touch, 205, kMouseEventHandled, 0.5f},
	    {CSliderMode::Touch, 150, kMouseDownEventHandledButDontNeedMovedOrUpEvents, 0.5f},
	    {CSliderMode::RelativeTouch, 205, kMouseEventHandled, 0.5f},
	    {CSliderMode::RelativeTouch, 150, kMouseEventHandled, 0.5f},
	    {CSliderMode::Ramp, 205, kMouseEventHandled, 0.5f},
	    {CSliderMode::UseGlobal, 150, kMouseEventHandled, 36.f / 170.f},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << "mode " << static_cast<int> (c.mode) << " x " << c.x);
		log.events.clear ();
		auto& f = make (c.mode);
		EXPECT_EQ (f.down (c.x, 58), c.result);
		EXPECT_FLOAT_EQ (value (), c.valueAfterPress);
		if (c.result == kMouseEventHandled)
		{
			EXPECT_TRUE (f.slider->isEditing ());
			// The drag follows the mouse's travel: 17 pixels are a tenth of 170.
			EXPECT_EQ (f.move (c.x + 17, 60), kMouseEventHandled);
			EXPECT_NEAR (value (), c.valueAfterPress + 0.1f, 1e-5);
			EXPECT_EQ (f.up (c.x + 17, 60), kMouseEventHandled);
			EXPECT_EQ (log.events.front (), "begin");
			EXPECT_EQ (log.events.back (), "end");
		}
		else
		{
			// Touch beside the handle: taken, but no edit and no drag follows.
			EXPECT_FALSE (f.slider->isEditing ());
			EXPECT_EQ (f.move (c.x + 17, 60), kMouseEventNotHandled);
			EXPECT_FLOAT_EQ (value (), 0.5f);
			EXPECT_TRUE (log.events.empty ());
		}
		EXPECT_FALSE (f.slider->isEditing ());
	}
}

TEST_F (SliderInput, PressWithoutMovingSnapsToTheWholePixelOrKeepsTheValueWithShift)
{
	// At 0.2999 the handle sits on the whole pixel 50 (155..175), not on 50.98.
	const float start = 0.2999f;
	for (auto mode : {CSliderMode::Touch, CSliderMode::RelativeTouch, CSliderMode::QBFreeClick,
	                  CSliderMode::Ramp})
	{
		SCOPED_TRACE (static_cast<int> (mode));
		auto& f = make (mode);
		f.slider->setValue (start);
		EXPECT_EQ (f.down (160, 58), kMouseEventHandled);
		EXPECT_FLOAT_EQ (value (), 50.f / 170.f);
		EXPECT_LT (start - value (), 1.f / 170.f);
		f.up (160, 58);
	}

	// With Shift the press changes nothing, on the handle or beside it, in
	// every mode; the value moves only with the first move.
	for (auto mode : {CSliderMode::Touch, CSliderMode::RelativeTouch, CSliderMode::FreeClick,
	                  CSliderMode::QBFreeClick, CSliderMode::Ramp, CSliderMode::UseGlobal})
	{
		for (CCoord x : {160., 250.})
		{
			SCOPED_TRACE (testing::Message () << "mode " << static_cast<int> (mode) << " x " << x);
			auto& f = make (mode);
			f.slider->setValue (start);
			f.down (x, 58, kLeftShift);
			EXPECT_FLOAT_EQ (value (), start);
			f.up (x, 58);
			EXPECT_FALSE (f.slider->isEditing ());
		}
	}
}

TEST_F (SliderInput, PressesThatAreDeclinedOrIgnored)
{
	auto& f = make (CSliderMode::QBFreeClick);
	EXPECT_EQ (f.down (150, 58, kRButton), kMouseEventNotHandled);
	EXPECT_EQ (f.up (150, 58), kMouseEventNotHandled) << "the frame kept no capture";
	EXPECT_FLOAT_EQ (value (), 0.5f);
	EXPECT_TRUE (log.events.empty ());

	// Left and right together: the press's own move declines it; no edit may
	// stay open, since no release will come.
	EXPECT_EQ (f.down (150, 58, kLButton | kRButton), kMouseEventNotHandled);
	EXPECT_FALSE (f.slider->isEditing ());
	EXPECT_FLOAT_EQ (value (), 0.5f);
	EXPECT_EQ (log.events, (Strings {"begin", "end"}));

	// The same in ramp mode must not leave a ramp timer running.
	f.slider->setSliderMode (CSliderMode::Ramp);
	EXPECT_EQ (f.down (150, 58, kLButton | kRButton), kMouseEventNotHandled);
	EXPECT_FALSE (f.slider->isEditing ());
	tick (5);
	EXPECT_FLOAT_EQ (value (), 0.5f);

	// Release and cancel without an open edit do nothing but are taken.
	CPoint p (0, 0);
	EXPECT_EQ (f.slider->onMouseUp (p, CButtonState (kLButton)), kMouseEventHandled);
	EXPECT_EQ (f.slider->onMouseCancel (), kMouseEventHandled);
	EXPECT_EQ (log.events.size (), 4u);
	// A move without a press is not a drag.
	EXPECT_EQ (f.slider->onMouseMoved (p, CButtonState (kLButton)), kMouseEventNotHandled);
}

TEST_F (SliderInput, DefaultValueClickWithOptionAloneOnly)
{
	auto& f = make (CSliderMode::QBFreeClick);
	f.slider->setDefaultValue (0.25f);

	EXPECT_EQ (f.down (205, 58, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_FLOAT_EQ (value (), 0.25f);
	EXPECT_EQ (log.events, (Strings {"begin", "change 0.2500", "end"}));
	EXPECT_FALSE (f.slider->isEditing ());
	EXPECT_EQ (f.move (250, 58), kMouseEventNotHandled) << "no drag after a default click";

	// Already at the default: taken, nothing reported.
	log.events.clear ();
	EXPECT_EQ (f.down (150, 58, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_TRUE (log.events.empty ());

	// Option with Shift is an ordinary (fine) press: no reset, no change yet.
	f.slider->setValue (0.5f);
	EXPECT_EQ (f.down (150, 58, kLButton | kAlt | kShift), kMouseEventHandled);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	EXPECT_TRUE (f.slider->isEditing ());
	f.up (150, 58);

	// Relative touch beside the handle: no reset, a relative drag begins.
	f.slider->setSliderMode (CSliderMode::RelativeTouch);
	log.events.clear ();
	EXPECT_EQ (f.down (150, 58, kLButton | kAlt), kMouseEventHandled);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	f.move (167, 58, kLButton | kAlt);
	EXPECT_NEAR (value (), 0.6f, 1e-5);
	f.up (167, 58);
	// ...but on the handle it resets.
	EXPECT_EQ (f.down (215, 58, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_FLOAT_EQ (value (), 0.25f);
	// Touch beside the handle ignores the press before any default test.
	f.slider->setSliderMode (CSliderMode::Touch);
	f.slider->setValue (0.5f);
	EXPECT_EQ (f.down (150, 58, kLButton | kAlt), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_FLOAT_EQ (value (), 0.5f);
}

TEST_F (SliderInput, FineDragScalesAroundAnAnchorThatMovesWithTheButtonWord)
{
	// A press with Shift leaves the value alone, in free click too.
	auto& f = make (CSliderMode::FreeClick);
	EXPECT_EQ (f.down (150, 58, kLeftShift), kMouseEventHandled);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	// First move: a tenth of the way from 0.5 to the value under the mouse (0.8).
	f.move (250, 58, kLeftShift);
	EXPECT_NEAR (value (), 0.5f + (136.f / 170.f - 0.5f) / 10.f, 1e-5);
	f.up (250, 58);

	auto& g = make (CSliderMode::QBFreeClick);
	g.down (205, 58); // on the handle: no jump, delta 120
	EXPECT_FLOAT_EQ (value (), 0.5f);
	// Shift pressed: the button word changed, the anchor is set at 0.5.
	g.move (222, 58, kLeftShift);
	EXPECT_NEAR (value (), 0.51f, 1e-5);
	// Same word: the anchor stays at 0.5.
	g.move (239, 58, kLeftShift);
	EXPECT_NEAR (value (), 0.52f, 1e-5);
	// Another modifier joins: re-anchored at the current 0.52.
	g.move (256, 58, kLeftShift | kControl);
	EXPECT_NEAR (value (), 0.52f + (0.8f - 0.52f) / 10.f, 1e-5);
	// Shift let go: the value follows the mouse again.
	g.move (256, 58, kLButton);
	EXPECT_NEAR (value (), 0.8f, 1e-5);
	// Zoom factor 2 halves the travel around the new anchor.
	g.slider->setZoomFactor (2.f);
	g.move (273, 58, kLeftShift);
	EXPECT_NEAR (value (), 0.85f, 1e-5);
	g.up (273, 58);
}

TEST_F (SliderInput, DragDirectionsAndClamping)
{
	auto& f = make (CSliderMode::RelativeTouch);
	f.slider->setStyle (Base::kHorizontal | Base::kRight);
	f.slider->setValue (0.25f); // handle at 0.75 of the travel: 232..252
	f.down (240, 58);
	EXPECT_NEAR (value (), 0.25f, 1.f / 170.f);
	f.move (223, 58); // 17 pixels left raise the value of a kRight slider
	EXPECT_NEAR (value (), 0.35f, 1.f / 170.f);
	f.move (-500, 58);
	EXPECT_FLOAT_EQ (value (), 1.f);
	f.move (1000, 58);
	EXPECT_FLOAT_EQ (value (), 0.f);
	f.up (0, 0);

	// Vertical with kBottom: up raises the value.
	auto* v = makeVerticalExample (&log);
	v->setValue (0.5f); // handle 190..210 along y
	framed.reset (new FramedSlider (v));
	framed->down (58, 200);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	framed->move (58, 183);
	EXPECT_NEAR (value (), 0.6f, 1e-5);
	framed->up (58, 183);
}

TEST_F (SliderInput, RampWalksToTheValueUnderTheMouseThenDrags)
{
	auto& f = make (CSliderMode::Ramp);
	const size_t before = timers ();
	EXPECT_EQ (f.down (150, 58), kMouseEventHandled);
	EXPECT_EQ (timers (), before + 1);
	EXPECT_FLOAT_EQ (value (), 0.5f) << "the press only records the target";
	advance (15);
	EXPECT_FLOAT_EQ (value (), 0.5f) << "first tick 16 ms after the press";
	advance (1);
	EXPECT_NEAR (value (), 0.49f, 1e-6) << "a tenth of the wheel increment per tick";
	tick (9);
	EXPECT_NEAR (value (), 0.40f, 1e-5);

	// A move during the ramp changes only the target: (130 - 114) / 170.
	EXPECT_EQ (f.move (130, 58), kMouseEventHandled);
	EXPECT_NEAR (value (), 0.40f, 1e-5);
	tick (30);
	EXPECT_NEAR (value (), 0.10f, 1e-5);
	EXPECT_EQ (timers (), before + 1);
	tick ();
	EXPECT_FLOAT_EQ (value (), 16.f / 170.f) << "lands exactly on the target";
	EXPECT_EQ (timers (), before) << "the ramp timer ended";
	tick (3);
	EXPECT_FLOAT_EQ (value (), 16.f / 170.f);

	// Now a drag that keeps the handle's centre under the mouse.
	f.move (160, 58);
	EXPECT_FLOAT_EQ (value (), 46.f / 170.f);
	const CRect handle = f.slider->calculateHandleRect (f.slider->getValueNormalized ());
	EXPECT_NEAR (handle.getCenter ().x, 160., 1.5);
	f.up (160, 58);
	EXPECT_EQ (log.events.front (), "begin");
	EXPECT_EQ (log.events.back (), "end");
	EXPECT_EQ (log.count ("begin"), 1u);

	// Beyond the end of the travel the value stops at 1 while the timer ticks on.
	f.slider->setValue (0.5f);
	f.down (298, 58);
	tick (80);
	EXPECT_FLOAT_EQ (value (), 1.f);
	EXPECT_EQ (timers (), before + 1);
	f.up (298, 58);
	EXPECT_EQ (timers (), before) << "the release ends the ramp";
	EXPECT_FALSE (f.slider->isEditing ());
}

TEST_F (SliderInput, CancelAndEscapeRestoreThePressValue)
{
	auto& f = make (CSliderMode::QBFreeClick);
	f.down (150, 58);
	f.move (250, 58);
	EXPECT_NEAR (value (), 0.8f, 1e-5);
	log.events.clear ();
	EXPECT_EQ (f.frame->onMouseCancel (), kMouseEventHandled);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	EXPECT_EQ (log.events, (Strings {"change 0.5000", "end"}));
	EXPECT_FALSE (f.slider->isEditing ());

	f.down (150, 58);
	f.move (250, 58);
	EXPECT_EQ (f.key (VKEY_ESCAPE), 1);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	EXPECT_FALSE (f.slider->isEditing ());
	EXPECT_EQ (f.key (VKEY_ESCAPE), -1) << "nothing open";

	// A cancel during a ramp restores the value and stops the timer.
	const size_t before = timers ();
	f.slider->setSliderMode (CSliderMode::Ramp);
	f.down (150, 58);
	tick (5);
	EXPECT_LT (value (), 0.5f);
	EXPECT_EQ (f.key (VKEY_ESCAPE), 1);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	EXPECT_EQ (timers (), before);
	tick (5);
	EXPECT_FLOAT_EQ (value (), 0.5f);
}

TEST_F (SliderInput, EscapeDuringAWheelEditRestoresTheValueFromBeforeIt)
{
	// Before any press: the value the wheel edit started from, not the one
	// the slider was made with.
	auto* s = makeExample (&log);
	s->setValue (0.7f);
	framed.reset (new FramedSlider (s));
	EXPECT_TRUE (framed->wheel (kMouseWheelAxisX, 1.f));
	EXPECT_NEAR (value (), 0.6f, 1e-6);
	EXPECT_EQ (framed->key (VKEY_ESCAPE), 1);
	EXPECT_FLOAT_EQ (value (), 0.7f);
	EXPECT_FALSE (s->isEditing ());
	advance (500);
	EXPECT_EQ (log.count ("begin"), 1u);
	EXPECT_EQ (log.count ("end"), 1u) << "the wheel timer adds no second end";

	// After a press and an automated change: not the press's value but the
	// one before the first step of this wheel edit.
	s->setValue (0.5f);
	framed->down (205, 58);
	framed->up (205, 58);
	s->setValue (0.3f);
	framed->wheel (kMouseWheelAxisX, 1.f);
	framed->wheel (kMouseWheelAxisX, 1.f);
	EXPECT_NEAR (value (), 0.1f, 1e-6);
	EXPECT_EQ (framed->key (VKEY_ESCAPE), 1);
	EXPECT_FLOAT_EQ (value (), 0.3f);
	advance (500);
}

TEST_F (SliderInput, WheelOnBothAxesAndDirections)
{
	auto& f = make (CSliderMode::QBFreeClick);
	// Horizontal: the x axis, distance negated.
	EXPECT_FALSE (f.wheel (kMouseWheelAxisY, 1.f));
	EXPECT_FALSE (f.slider->isEditing ()) << "the other axis opens no edit";
	EXPECT_TRUE (f.wheel (kMouseWheelAxisX, 1.f));
	EXPECT_NEAR (value (), 0.4f, 1e-6);
	EXPECT_TRUE (f.slider->isEditing ());
	EXPECT_TRUE (f.wheel (kMouseWheelAxisX, -2.f, kShift));
	EXPECT_NEAR (value (), 0.42f, 1e-6);
	advance (499);
	EXPECT_TRUE (f.slider->isEditing ()) << "the edit stays open 500 ms after the last step";
	advance (1);
	EXPECT_FALSE (f.slider->isEditing ());
	EXPECT_EQ (log.count ("begin"), 1u);
	EXPECT_EQ (log.count ("end"), 1u);
	EXPECT_EQ (log.count ("change"), 2u);

	// Inverse horizontal: negated twice.
	f.slider->setStyle (Base::kHorizontal | Base::kRight);
	EXPECT_TRUE (f.wheel (kMouseWheelAxisX, 1.f));
	EXPECT_NEAR (value (), 0.52f, 1e-6);

	// A press closes a pending wheel edit.
	f.down (150, 58, kLeftShift);
	EXPECT_EQ (log.count ("end"), 2u);
	f.up (150, 58);

	// Vertical: the y axis, distance as given; kTop inverts.
	f.slider->setStyle (Base::kVertical | Base::kBottom);
	EXPECT_FALSE (f.wheel (kMouseWheelAxisX, 1.f));
	EXPECT_TRUE (f.wheel (kMouseWheelAxisY, 1.f));
	EXPECT_NEAR (value (), 0.62f, 1e-6);
	f.slider->setStyle (Base::kVertical | Base::kTop);
	EXPECT_TRUE (f.wheel (kMouseWheelAxisY, 1.f));
	EXPECT_NEAR (value (), 0.52f, 1e-6);

	// A disabled mouse declines the wheel.
	CButtonState none;
	f.slider->setMouseEnabled (false);
	EXPECT_FALSE (f.slider->onWheel (CPoint (110, 55), kMouseWheelAxisY, 1.f, none));
	EXPECT_NEAR (value (), 0.52f, 1e-6);
	advance (500);
}

TEST_F (SliderInput, ArrowKeysOnBothOrientations)
{
	auto& f = make (CSliderMode::QBFreeClick);
	for (int32_t style : {Base::kHorizontal | Base::kLeft, Base::kVertical | Base::kBottom,
	                      int32_t (Base::kVertical)})
	{
		SCOPED_TRACE (style);
		f.slider->setStyle (style);
		f.slider->setValue (0.5f);
		log.events.clear ();
		EXPECT_EQ (f.key (VKEY_UP), 1);
		EXPECT_NEAR (value (), 0.6f, 1e-6);
		EXPECT_EQ (log.events, (Strings {"begin", "change 0.6000", "end"})) << "one edit per key";
		EXPECT_EQ (f.key (VKEY_RIGHT), 1);
		EXPECT_NEAR (value (), 0.7f, 1e-6);
		EXPECT_EQ (f.key (VKEY_DOWN), 1);
		EXPECT_EQ (f.key (VKEY_LEFT, MODIFIER_SHIFT), 1);
		EXPECT_NEAR (value (), 0.59f, 1e-6);
	}
	for (int32_t style : {Base::kHorizontal | Base::kRight, Base::kVertical | Base::kTop})
	{
		SCOPED_TRACE (style);
		f.slider->setStyle (style);
		f.slider->setValue (0.5f);
		EXPECT_EQ (f.key (VKEY_UP), 1);
		EXPECT_EQ (f.key (VKEY_RIGHT, MODIFIER_SHIFT), 1);
		EXPECT_NEAR (value (), 0.39f, 1e-6);
		EXPECT_EQ (f.key (VKEY_LEFT), 1);
		EXPECT_NEAR (value (), 0.49f, 1e-6);
	}
	// At the end of the range a key changes nothing and reports nothing.
	f.slider->setValue (1.f);
	f.slider->setStyle (Base::kHorizontal);
	f.slider->setDirty (false);
	log.events.clear ();
	EXPECT_EQ (f.key (VKEY_UP), 1);
	EXPECT_TRUE (log.events.empty ());
	EXPECT_EQ (f.key (VKEY_RETURN), -1);
	EXPECT_EQ (f.key (VKEY_PAGEUP), -1);
}

TEST_F (SliderInput, ControlWithoutRangeKeepsItsValue)
{
	auto& f = make (CSliderMode::FreeClick);
	f.slider->setMin (0.5f);
	f.slider->setMax (0.5f);
	f.slider->setValue (0.5f);
	f.down (150, 58);
	f.move (280, 58);
	f.move (101, 58, kLeftShift);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	f.up (101, 58);
	f.wheel (kMouseWheelAxisX, 3.f);
	f.key (VKEY_UP);
	f.key (VKEY_DOWN);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	f.slider->setSliderMode (CSliderMode::Ramp);
	f.down (280, 58);
	tick (20);
	EXPECT_FLOAT_EQ (value (), 0.5f);
	f.up (280, 58);
	advance (500);
}

TEST_F (SliderInput, NoTravelKeepsTheValueInDragAndRamp)
{
	// A view exactly as long as the handle: rangeHandle 0.
	auto* s = makeBare (CRect (100, 50, 120, 70), Base::kHorizontal, CPoint (20, 10),
	                    CPoint (0, 0), &log);
	s->setSliderMode (CSliderMode::FreeClick);
	s->setValue (0.3f);
	framed.reset (new FramedSlider (s));
	EXPECT_EQ (framed->down (110, 55), kMouseEventHandled);
	framed->move (119, 55);
	framed->move (100, 55, kLeftShift);
	EXPECT_FLOAT_EQ (value (), 0.3f);
	framed->up (100, 55);

	// A ramp with no target ends at its first tick where it is.
	s->setSliderMode (CSliderMode::Ramp);
	const size_t before = timers ();
	// The handle covers the whole view, so reach "beside" through a press
	// below it (the mouseable area is the view, the handle only 10 high).
	EXPECT_EQ (framed->down (110, 65), kMouseEventHandled);
	EXPECT_EQ (timers (), before + 1);
	tick ();
	EXPECT_EQ (timers (), before);
	EXPECT_FLOAT_EQ (value (), 0.3f);
	framed->move (115, 65);
	EXPECT_FLOAT_EQ (value (), 0.3f);
	framed->up (115, 65);
	EXPECT_FALSE (s->isEditing ());
}

TEST_F (SliderInput, RampTimerNeverOutlivesItsSliderNorActsThroughACopy)
{
	const size_t before = timers ();
	auto* source = makeExample (&log);
	source->setSliderMode (CSliderMode::Ramp);
	source->setValue (0.5f);
	CPoint p (150, 58);
	ASSERT_EQ (source->onMouseDown (p, CButtonState (kLButton)), kMouseEventHandled);
	tick (2);
	const float atCopy = source->getValue ();

	// The copy starts without a ramp and without an edit.
	auto* copy = static_cast<Base*> (source->newCopy ());
	EXPECT_EQ (timers (), before + 1) << "only the source's timer";
	EXPECT_FALSE (copy->isEditing ());
	EXPECT_FLOAT_EQ (copy->getValue (), atCopy);
	EXPECT_EQ (copy->getSliderMode (), CSliderMode::Ramp);
	// Without a ramp of its own, a move in an edit of the copy is a plain drag
	// with the copied grab offset (65), not a new target for someone's ramp.
	copy->beginEdit ();
	CPoint q (222, 58);
	EXPECT_EQ (copy->onMouseMoved (q, CButtonState (kLButton)), kMouseEventHandled);
	EXPECT_FLOAT_EQ (copy->getValue (), 157.f / 170.f);
	copy->endEdit ();
	copy->setValue (atCopy);

	// The source goes while its timer is due: the timer goes with it.
	source->forget ();
	EXPECT_EQ (timers (), before);
	tick (10);
	EXPECT_FLOAT_EQ (copy->getValue (), atCopy);

	// A copy of a copy, and the copy's own ramp, still work normally.
	copy->setValue (0.5f);
	ASSERT_EQ (copy->onMouseDown (p, CButtonState (kLButton)), kMouseEventHandled);
	tick (3);
	EXPECT_NEAR (copy->getValue (), 0.47f, 1e-5);
	auto* second = copy->newCopy ();
	second->forget ();
	EXPECT_EQ (timers (), before + 1);
	copy->forget ();
	EXPECT_EQ (timers (), before);
	tick (3);
}

// A listener that lets go of the slider while the ramp reports a value.
class ReleasingListener : public EditLog
{
public:
	void valueChanged (CControl* c) override
	{
		EditLog::valueChanged (c);
		if (!released)
		{
			released = true;
			c->forget ();
		}
	}
	bool released {false};
};

TEST_F (SliderInput, SliderReleasedByItsListenerDuringARampTick)
{
	const size_t before = timers ();
	ReleasingListener releasing;
	auto* s = makeExample (&releasing);
	s->setSliderMode (CSliderMode::Ramp);
	s->setValue (0.5f);
	CPoint p (150, 58);
	ASSERT_EQ (s->onMouseDown (p, CButtonState (kLButton)), kMouseEventHandled);
	tick ();
	EXPECT_TRUE (releasing.released);
	EXPECT_EQ (timers (), before) << "the timer went with the slider";
	tick (5);
	EXPECT_EQ (releasing.count ("change"), 1u);
}

TEST_F (SliderInput, WheelDuringAPressChangesTheValueInsideThePressEdit)
{
	auto& f = make (CSliderMode::QBFreeClick);
	const size_t before = timers ();
	EXPECT_EQ (f.down (205, 58), kMouseEventHandled);
	EXPECT_TRUE (f.wheel (kMouseWheelAxisX, 1.f));
	EXPECT_NEAR (value (), 0.4f, 1e-5);
	EXPECT_EQ (timers (), before) << "no close timer for an edit the wheel did not open";
	advance (600);
	EXPECT_TRUE (f.slider->isEditing ());
	EXPECT_EQ (f.move (222, 58), kMouseEventHandled) << "the drag goes on";
	EXPECT_NEAR (value (), 0.6f, 1e-5);
	f.up (222, 58);
	EXPECT_EQ (log.events, (Strings {"begin", "change 0.4000", "change 0.6000", "end"}));

	// In Ramp mode the ramp stops at the release, wheel step or not.
	f.slider->setSliderMode (CSliderMode::Ramp);
	log.events.clear ();
	f.down (150, 58);
	tick ();
	EXPECT_TRUE (f.wheel (kMouseWheelAxisX, -1.f));
	advance (600);
	f.up (150, 58);
	EXPECT_EQ (timers (), before);
	const float released = value ();
	EXPECT_GT (released, 36.f / 170.f) << "the ramp was still on its way";
	tick (20);
	EXPECT_FLOAT_EQ (value (), released);
	EXPECT_EQ (log.count ("begin"), 1u);
	EXPECT_EQ (log.count ("end"), 1u);
	EXPECT_EQ (log.events.back (), "end");
}

TEST_F (SliderInput, APressAfterALostReleaseDoesNotNestItsEdit)
{
	auto& f = make (CSliderMode::QBFreeClick);
	CPoint p (205, 58);
	ASSERT_EQ (f.slider->onMouseDown (p, CButtonState (kLButton)), kMouseEventHandled);
	// no release arrives; the next press starts afresh
	ASSERT_EQ (f.slider->onMouseDown (p, CButtonState (kLButton)), kMouseEventHandled);
	f.slider->onMouseUp (p, CButtonState (kLButton));
	EXPECT_FALSE (f.slider->isEditing ());
	EXPECT_EQ (log.events, (Strings {"begin", "end", "begin", "end"}));
}

TEST_F (SliderInput, ASliderThatGoesAwayMidGestureEndsItsEdit)
{
	const size_t before = timers ();
	CPoint beside (150, 58);
	const CButtonState left (kLButton);
	const struct
	{
		const char* what;
		CSliderMode mode;
		bool wheel; // the gesture is a wheel step rather than a press
		bool removeFirst; // taken out of its frame before it is released
	} cases[] = {{"drag, removed", CSliderMode::QBFreeClick, false, true},
	             {"ramp, removed", CSliderMode::Ramp, false, true},
	             {"wheel, removed", CSliderMode::QBFreeClick, true, true},
	             {"drag, deleted", CSliderMode::QBFreeClick, false, false},
	             {"ramp, deleted", CSliderMode::Ramp, false, false},
	             {"wheel, deleted", CSliderMode::QBFreeClick, true, false}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		log.events.clear ();
		auto* s = makeExample (&log);
		s->setSliderMode (c.mode);
		s->setValue (0.5f);
		// Removed: through a frame, as an editor holds it. Deleted: on its own.
		SharedPointer<CFrame> frame;
		if (c.removeFirst)
		{
			frame = VSTGUI::owned (new CFrame (CRect (0, 0, 400, 300)));
			frame->addView (s);
		}
		CView* target = frame ? static_cast<CView*> (frame.get ()) : s;
		CPoint p = beside;
		if (c.wheel)
			ASSERT_TRUE (target->onWheel (CPoint (110, 55), kMouseWheelAxisX, 1.f, CButtonState ()));
		else
			ASSERT_EQ (target->onMouseDown (p, left), kMouseEventHandled);
		tick ();
		if (c.removeFirst)
		{
			s->remember ();
			frame->removeView (s);
			EXPECT_EQ (log.events.back (), "end");
			EXPECT_FALSE (s->isEditing ());
			EXPECT_EQ (timers (), before) << "neither ramp nor wheel timer outlives the gesture";
			const float atRemoval = s->getValue ();
			tick (40);
			EXPECT_FLOAT_EQ (s->getValue (), atRemoval);
		}
		s->forget ();
		EXPECT_EQ (timers (), before);
		advance (500);
		EXPECT_EQ (log.count ("begin"), 1u);
		EXPECT_EQ (log.count ("end"), 1u);
		EXPECT_EQ (log.events.back (), "end");
	}
}

} // namespace
} // namespace SliderTest
