// Shared helpers of the slider tests: the module's process-wide control
// settings, an assertion recorder, a listener that logs edits, and the
// sliders of the worked examples.
#pragma once

#include "slider/cslider.h"
#include "slider/csliderbase.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/crunloop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace SliderTest {

using namespace VSTGUI;
using QBGUI::CSlider;
using QBGUI::CSliderBase;
using QBGUI::CSliderMode;

inline std::vector<std::string>& assertionLog ()
{
	static std::vector<std::string> log;
	return log;
}

inline void recordAssertion (const char*, const char*, const char* desc)
{
	assertionLog ().push_back (desc ? desc : "");
}

// Every test runs with the settings the module fixes at load, and leaves the
// global mode and the assertion handler as it found them.
class SliderFixture : public ::testing::Test
{
protected:
	void SetUp () override
	{
		CControl::kDefaultValueModifier = kAlt;
		CControl::kZoomModifier = kShift;
		assertionLog ().clear ();
		setAssertionHandler (&recordAssertion);
		timersBefore = RunLoop::instance ().getNbTimers ();
	}
	void TearDown () override
	{
		setAssertionHandler (nullptr);
		CSliderBase::setGlobalMode (CSliderMode::QBFreeClick);
		EXPECT_EQ (RunLoop::instance ().getNbTimers (), timersBefore) << "a timer outlived its test";
	}
	size_t timersBefore {0};
};

// Logs what an editor's parameter binding would see.
class EditLog : public IControlListener
{
public:
	void valueChanged (CControl* c) override { events.push_back ("change " + fmt (c->getValue ())); }
	void controlBeginEdit (CControl*) override { events.push_back ("begin"); }
	void controlEndEdit (CControl*) override { events.push_back ("end"); }

	static std::string fmt (float v)
	{
		char buf[32];
		snprintf (buf, sizeof (buf), "%.4f", static_cast<double> (v));
		return buf;
	}
	size_t count (const std::string& what) const
	{
		size_t n = 0;
		for (const auto& e : events)
			n += e.compare (0, what.size (), what) == 0;
		return n;
	}
	std::vector<std::string> events;
};

// CSliderBase leaves drawing and copying to its subclasses; this one does
// neither, so that the base is tested on its own.
class BareSlider final : public CSliderBase
{
public:
	using CSliderBase::CSliderBase;
	void draw (CDrawContext*) override {}
	CView* newCopy () const override { return new BareSlider (*this); }
};

constexpr CRect kExampleRect (100, 50, 300, 70);

// A base slider set up as the derived constructors do: style first, then the
// handle geometry, then the view size that sets the travel.
inline BareSlider* makeBare (const CRect& rect, int32_t style, CPoint handleSize,
                             CPoint offset = CPoint (0, 0), IControlListener* listener = nullptr)
{
	auto* s = new BareSlider (rect, listener, 7);
	s->setStyle (style);
	s->setHandleSizePrivate (handleSize.x, handleSize.y);
	s->setOffsetHandle (offset);
	s->setViewSize (rect);
	return s;
}

// The worked example: horizontal, 20 x 10 handle at offset (5, 3) in
// (100, 50, 300, 70): range 170, minPos 5, maxPos 195.
inline BareSlider* makeExample (IControlListener* listener = nullptr)
{
	return makeBare (kExampleRect, CSliderBase::kHorizontal | CSliderBase::kLeft, CPoint (20, 10),
	                 CPoint (5, 3), listener);
}

// Its vertical twin with kBottom: 10 x 20 handle at offset (3, 5) in
// (50, 100, 70, 300), range 170 along y.
inline BareSlider* makeVerticalExample (IControlListener* listener = nullptr)
{
	return makeBare (CRect (50, 100, 70, 300), CSliderBase::kVertical | CSliderBase::kBottom,
	                 CPoint (10, 20), CPoint (3, 5), listener);
}

// The same geometry as a drawn slider, made with the range form.
inline CSlider* makeExampleSlider (CBitmap* handle, IControlListener* listener = nullptr,
                                   int32_t style = CSliderBase::kHorizontal | CSliderBase::kLeft)
{
	auto* s = new CSlider (kExampleRect, listener, 7, CPoint (5, 3), 190, handle, nullptr,
	                       CPoint (0, 0), style);
	s->setViewSize (kExampleRect);
	return s;
}

// A frame holding one slider, dispatching input as an editor's would.
struct FramedSlider
{
	explicit FramedSlider (CSliderBase* s) : frame (new CFrame (CRect (0, 0, 400, 300))), slider (s)
	{
		frame->addView (slider);
		frame->setFocusView (slider);
	}
	~FramedSlider () { frame->close (); }

	CMouseEventResult down (CCoord x, CCoord y, int32_t buttons = kLButton)
	{
		CPoint p (x, y);
		return frame->onMouseDown (p, CButtonState (buttons));
	}
	CMouseEventResult move (CCoord x, CCoord y, int32_t buttons = kLButton)
	{
		CPoint p (x, y);
		return frame->onMouseMoved (p, CButtonState (buttons));
	}
	CMouseEventResult up (CCoord x, CCoord y, int32_t buttons = 0)
	{
		CPoint p (x, y);
		return frame->onMouseUp (p, CButtonState (buttons));
	}
	bool wheel (CMouseWheelAxis axis, float distance, int32_t buttons = 0)
	{
		const CRect& r = slider->getViewSize ();
		return frame->onWheel (CPoint (r.left + 1, r.top + 1), axis, distance, CButtonState (buttons));
	}
	int32_t key (unsigned char virt, unsigned char modifier = 0)
	{
		VstKeyCode k;
		k.virt = virt;
		k.modifier = modifier;
		return frame->onKeyDown (k);
	}

	CFrame* frame;
	CSliderBase* slider;
};

} // namespace SliderTest
