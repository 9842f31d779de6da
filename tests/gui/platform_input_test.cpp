// X input mapped to the layer's types (pure functions of the event fields), and
// what the frame makes of it: pointer enter/exit for the views under the pointer
// and invalid areas handed to the platform frame in frame coordinates.
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/linux/x11input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VSTGUI;
using namespace VSTGUI::X11;

TEST (PlatformInput, ButtonsAndModifiersBecomeTheLayersBits)
{
	struct Case
	{
		uint16_t state;
		int32_t expected;
	};
	const Case cases[] = {
	    {0, 0},
	    {kXButton1Mask, kLButton},
	    {kXButton2Mask | kXButton3Mask, kMButton | kRButton},
	    {kXShiftMask, kShift},
	    {kXControlMask, kControl},
	    {kXMod1Mask, kAlt},
	    {kXButton1Mask | kXShiftMask | kXMod1Mask, kLButton | kShift | kAlt},
	    // Lock, Mod2 (Num Lock) and Mod4 are no modifiers of the layer
	    {1 << 1 | 1 << 4 | 1 << 6, 0},
	};
	for (const auto& c : cases)
		EXPECT_EQ (int32_t (buttonStateFromX (c.state)), c.expected) << std::hex << c.state;
	// Alt alone is the default-value modifier the sliders test for exactly.
	EXPECT_EQ (buttonStateFromX (kXMod1Mask).getModifierState (), 0x40);

	EXPECT_EQ (buttonFromX (1), kLButton);
	EXPECT_EQ (buttonFromX (2), kMButton);
	EXPECT_EQ (buttonFromX (3), kRButton);
	for (uint8_t wheelOrExtra : {4, 5, 6, 7, 8, 9})
		EXPECT_EQ (buttonFromX (wheelOrExtra), 0) << int (wheelOrExtra);

	// up/left +1, down/right -1; no other button is a wheel
	const float distance[] = {1.f, -1.f};
	for (uint8_t button = 1; button <= 9; ++button)
	{
		WheelStep step {kMouseWheelAxisX, 0.f};
		const bool wheel = wheelFromButton (button, step);
		EXPECT_EQ (wheel, button >= 4 && button <= 7) << int (button);
		if (wheel)
		{
			EXPECT_EQ (step.axis, button <= 5 ? kMouseWheelAxisY : kMouseWheelAxisX) << int (button);
			EXPECT_EQ (step.distance, distance[(button - 4) % 2]) << int (button);
		}
	}
}

TEST (PlatformInput, DoubleClicksNeedTheSameButtonSoonAndNear)
{
	const CPoint at (100., 50.);
	const CPoint near (103., 46.);
	const CPoint far (108., 46.);
	DoubleClickDetector d;
	EXPECT_FALSE (d.press (kLButton, 1000, at));
	EXPECT_TRUE (d.press (kLButton, 1400, near));
	EXPECT_FALSE (d.press (kLButton, 1500, near)) << "a third press starts a new click";
	EXPECT_FALSE (d.press (kLButton, 1901, near)) << "401 ms is too late";
	EXPECT_FALSE (d.press (kLButton, 2000, far)) << "5 pixels is too far";
	EXPECT_FALSE (d.press (kRButton, 2100, far)) << "another button";
	EXPECT_TRUE (d.press (kRButton, 2200, far));
	// the server's clock wraps after 2^32 ms
	EXPECT_FALSE (d.press (kLButton, 0xffffff00u, at));
	EXPECT_TRUE (d.press (kLButton, 0x00000010u, at));
}

TEST (PlatformInput, OnePressFromTheFirstButtonDownToTheLastUp)
{
	PointerPress p;
	EXPECT_EQ (int32_t (p.forViews (kXButton1Mask | kXShiftMask)), kShift) << "no press: no button";
	EXPECT_FALSE (p.up (kLButton)) << "a release without its press";

	// a chord: the views see the first button throughout, modifiers as they come
	EXPECT_TRUE (p.down (kLButton));
	EXPECT_FALSE (p.down (kRButton));
	EXPECT_EQ (int32_t (p.forViews (kXButton1Mask | kXButton3Mask | kXMod1Mask)), kLButton | kAlt);
	EXPECT_FALSE (p.up (kRButton));
	EXPECT_FALSE (p.down (kMButton));
	EXPECT_FALSE (p.up (kLButton)) << "the middle button is still down";
	EXPECT_EQ (int32_t (p.forViews (kXButton2Mask)), kLButton);
	EXPECT_FALSE (p.lost (kXButton2Mask));
	EXPECT_TRUE (p.up (kMButton));
	EXPECT_FALSE (p.active ());

	// released elsewhere: the state shows none of the buttons held
	EXPECT_FALSE (p.lost (0)) << "no press, nothing to lose";
	EXPECT_TRUE (p.down (kLButton));
	EXPECT_FALSE (p.lost (kXButton1Mask | kXButton3Mask));
	EXPECT_TRUE (p.lost (kXShiftMask));
	EXPECT_TRUE (p.lost (kXButton3Mask));
	p.cancel ();
	EXPECT_FALSE (p.active ());
	EXPECT_TRUE (p.down (kRButton)) << "after a cancel the next button starts a press";
	EXPECT_EQ (int32_t (p.forViews (0)), kRButton);
}

namespace {

class HoverView : public CView
{
public:
	HoverView (const CRect& r, std::string name, std::vector<std::string>& log)
	: CView (r), name (std::move (name)), log (log)
	{
	}
	CMouseEventResult onMouseEntered (CPoint& where, const CButtonState&) override
	{
		log.push_back ("enter " + name + " " + std::to_string (int (where.x)) + "," + std::to_string (int (where.y)));
		return kMouseEventHandled;
	}
	CMouseEventResult onMouseExited (CPoint&, const CButtonState&) override
	{
		log.push_back ("exit " + name);
		return kMouseEventHandled;
	}
	CMouseEventResult onMouseDown (CPoint&, const CButtonState&) override { return kMouseEventHandled; }

private:
	std::string name;
	std::vector<std::string>& log;
};

struct RecordingPlatform : IPlatformFrame
{
	void invalidRect (const CRect& r) override { rects.push_back (r); }
	std::vector<CRect> rects;
};

} // namespace

TEST (PlatformFrame, PointerCrossingsReachTheViewsUnderThePointer)
{
	std::vector<std::string> log;
	auto frame = makeOwned<CFrame> (CRect (0, 0, 300, 200));
	auto* a = new HoverView (CRect (10, 10, 50, 50), "a", log);
	auto* box = new CViewContainer (CRect (100, 100, 200, 200));
	auto* b = new HoverView (CRect (10, 10, 40, 40), "b", log);
	frame->addView (a);
	frame->addView (box);
	box->addView (b);

	CPoint p (20., 20.);
	frame->onMouseEntered (p, 0);
	p (30., 30.);
	frame->onMouseMoved (p, 0);
	// in b's parent coordinates: the container's
	p (115., 125.);
	frame->onMouseMoved (p, 0);
	EXPECT_EQ (log, (std::vector<std::string> {"enter a 20,20", "exit a", "enter b 15,25"}));
	log.clear ();

	// a drag keeps the pressed view: no crossing until the release
	frame->onMouseDown (p, kLButton);
	p (20., 20.);
	frame->onMouseMoved (p, kLButton);
	EXPECT_TRUE (log.empty ());
	frame->onMouseUp (p, kLButton);
	EXPECT_EQ (log, (std::vector<std::string> {"exit b", "enter a 20,20"}));
	log.clear ();

	// leaving the window; a view removed under the pointer is forgotten
	frame->onMouseExited (p, 0);
	EXPECT_EQ (log, (std::vector<std::string> {"exit a"}));
	frame->onMouseEntered (p, 0);
	frame->removeView (a);
	EXPECT_EQ (frame->getMouseOverView (), nullptr);
	frame->onMouseExited (p, 0);
	EXPECT_EQ (log.back (), "enter a 20,20");
}

TEST (PlatformFrame, InvalidAreasReachThePlatformInFrameCoordinates)
{
	auto frame = makeOwned<CFrame> (CRect (0, 0, 300, 200));
	auto* outer = new CViewContainer (CRect (100, 50, 300, 200));
	auto* inner = new CViewContainer (CRect (20, 30, 120, 130));
	auto* view = new CView (CRect (5, 6, 15, 16));
	frame->addView (outer);
	outer->addView (inner);
	inner->addView (view);

	RecordingPlatform platform;
	frame->setPlatformFrame (&platform);
	view->invalid ();
	inner->invalid ();
	ASSERT_EQ (platform.rects.size (), 2u);
	view->setVisible (false);
	const size_t afterHiding = platform.rects.size ();
	view->invalid ();
	EXPECT_EQ (platform.rects.size (), afterHiding) << "a hidden view has nothing to redraw";
	frame->setPlatformFrame (nullptr);
	view->setVisible (true);
	view->invalid ();
	EXPECT_EQ (platform.rects.size (), afterHiding) << "a headless frame hands on nothing";
	EXPECT_EQ (platform.rects[0], CRect (125, 86, 135, 96));
	EXPECT_EQ (platform.rects[1], CRect (120, 80, 220, 180));
}
