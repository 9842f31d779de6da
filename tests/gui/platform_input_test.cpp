// X input mapped to the layer's types (pure functions of the event fields), and
// what the frame makes of it: pointer enter/exit for the views under the pointer
// and invalid areas handed to the platform frame in frame coordinates.
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/linux/x11input.h"

#include <X11/keysym.h>
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

TEST (PlatformInput, KeySymbolsBecomeVirtualKeysOrCharacters)
{
	struct Case
	{
		uint32_t keysym;
		unsigned char virt;
		int32_t character;
	};
	const Case cases[] = {
	    {XK_Left, VKEY_LEFT, 0},         {XK_Up, VKEY_UP, 0},
	    {XK_Right, VKEY_RIGHT, 0},       {XK_Down, VKEY_DOWN, 0},
	    {XK_KP_Left, VKEY_LEFT, 0},      {XK_KP_Down, VKEY_DOWN, 0},
	    {XK_Escape, VKEY_ESCAPE, 0},     {XK_Return, VKEY_RETURN, 0},
	    {XK_KP_Enter, VKEY_ENTER, 0},    {XK_Tab, VKEY_TAB, 0},
	    {XK_ISO_Left_Tab, VKEY_TAB, 0},  {XK_Page_Up, VKEY_PAGEUP, 0},
	    {XK_Page_Down, VKEY_PAGEDOWN, 0}, {XK_Home, VKEY_HOME, 0},
	    {XK_End, VKEY_END, 0},           {XK_BackSpace, VKEY_BACK, 0},
	    {XK_Delete, VKEY_DELETE, 0},     {XK_F1, VKEY_F1, 0},
	    {XK_F12, VKEY_F12, 0},           {XK_KP_0, VKEY_NUMPAD0, 0},
	    {XK_KP_9, VKEY_NUMPAD9, 0},      {XK_Shift_L, VKEY_SHIFT, 0},
	    {XK_space, VKEY_SPACE, ' '},     {XK_a, 0, 'a'},
	    {XK_7, 0, '7'},                  {XK_adiaeresis, 0, 0xe4},
	    {0x010020ac, 0, 0x20ac}, // the euro sign as a Unicode keysym
	    {0xfe03, 0, 0}, // ISO_Level3_Shift: neither
	};
	for (const auto& c : cases)
	{
		const VstKeyCode key = keyCodeFromKeysym (c.keysym, 0);
		EXPECT_EQ (key.virt, c.virt) << std::hex << c.keysym;
		EXPECT_EQ (key.character, c.character) << std::hex << c.keysym;
		EXPECT_EQ (key.modifier, 0) << std::hex << c.keysym;
	}
	// Control as the command key, so that key and mouse agree on kControl
	const VstKeyCode key = keyCodeFromKeysym (XK_Up, kXShiftMask | kXControlMask | kXMod1Mask | kXButton1Mask);
	EXPECT_EQ (key.modifier, MODIFIER_SHIFT | MODIFIER_COMMAND | MODIFIER_ALTERNATE);
	EXPECT_EQ (int32_t (buttonStateFromKeyModifiers (key.modifier)), kShift | kControl | kAlt);
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
