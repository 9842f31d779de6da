// CSliderBase: defaults, style and mode rules, the handle travel, the handle
// rectangle and the grab offset of a press.
#include "slidertestkit.h"

namespace SliderTest {
namespace {

using Base = CSliderBase;

class SliderGeometry : public SliderFixture
{
};

TEST_F (SliderGeometry, NewSliderStartsInUseGlobalFollowingQBFreeClick)
{
	auto slider = owned (new BareSlider (kExampleRect, nullptr, 0));
	EXPECT_EQ (slider->getSliderMode (), CSliderMode::UseGlobal);
	EXPECT_EQ (slider->getEffectiveSliderMode (), CSliderMode::QBFreeClick);
	EXPECT_EQ (Base::getGlobalMode (), CSliderMode::QBFreeClick);
	EXPECT_EQ (slider->getZoomFactor (), 10.f);
	EXPECT_EQ (slider->getHandleSizePrivate (), CPoint (1, 1));
	EXPECT_EQ (slider->getOffsetHandle (), CPoint (0, 0));
	EXPECT_EQ (slider->getStyle (), 0);
	EXPECT_FALSE (slider->isStyleHorizontal ());
	EXPECT_EQ (slider->getHandleMinPosPrivate (), 0.);
	EXPECT_EQ (slider->getControlSizePrivate (), CPoint (200, 20));

	slider->setSliderMode (CSliderMode::Ramp);
	EXPECT_EQ (slider->getEffectiveSliderMode (), CSliderMode::Ramp);
	slider->setSliderMode (static_cast<CSliderMode> (42));
	EXPECT_EQ (static_cast<int32_t> (slider->getSliderMode ()), 42) << "stored without a test";
	EXPECT_TRUE (assertionLog ().empty ());
}

TEST_F (SliderGeometry, StyleAndGlobalModeRulesReportAndStoreAllTheSame)
{
	auto slider = owned (new BareSlider (kExampleRect, nullptr, 0));
	slider->setStyle (Base::kVertical | Base::kBottom);
	slider->setStyle (Base::kHorizontal | Base::kRight);
	EXPECT_TRUE (assertionLog ().empty ());

	slider->setStyle (Base::kHorizontal | Base::kVertical);
	ASSERT_EQ (assertionLog ().size (), 1u);
	EXPECT_EQ (assertionLog ()[0], "");
	EXPECT_EQ (slider->getStyle (), 3);
	EXPECT_TRUE (slider->isStyleHorizontal ());

	slider->setStyle (Base::kLeft);
	EXPECT_EQ (assertionLog ().size (), 2u);
	EXPECT_EQ (slider->getStyle (), Base::kLeft);
	EXPECT_FALSE (slider->isStyleHorizontal ()) << "without kHorizontal a slider counts as vertical";

	Base::setGlobalMode (CSliderMode::Ramp);
	EXPECT_EQ (assertionLog ().size (), 2u);
	EXPECT_EQ (slider->getEffectiveSliderMode (), CSliderMode::Ramp);

	Base::setGlobalMode (CSliderMode::UseGlobal);
	ASSERT_EQ (assertionLog ().size (), 3u);
	EXPECT_EQ (assertionLog ()[2], "do not set the global mode to use global");
	EXPECT_EQ (Base::getGlobalMode (), CSliderMode::UseGlobal);
	EXPECT_EQ (slider->getEffectiveSliderMode (), CSliderMode::UseGlobal);

	// Effective mode 5 matches no mode test: the grab offset is the relative one.
	auto example = owned (makeExample ());
	example->setValue (0.5f);
	EXPECT_FLOAT_EQ (example->calculateDelta (CPoint (150, 58), nullptr), 65.f);
}

TEST_F (SliderGeometry, InverseStyleAndDirectionBits)
{
	auto slider = owned (new BareSlider (kExampleRect, nullptr, 0));
	const std::pair<int32_t, bool> cases[] = {
	    {Base::kHorizontal | Base::kLeft, false}, {Base::kHorizontal | Base::kRight, true},
	    {Base::kHorizontal, false},               {Base::kVertical | Base::kTop, true},
	    {Base::kVertical | Base::kBottom, false}, {Base::kVertical, false}};
	for (const auto& c : cases)
	{
		slider->setStyle (c.first);
		EXPECT_EQ (slider->isInverseStyle (), c.second) << "style " << c.first;
		EXPECT_EQ (slider->isStyleRight (), (c.first & Base::kRight) != 0);
		EXPECT_EQ (slider->isStyleBottom (), (c.first & Base::kBottom) != 0);
	}
}

TEST_F (SliderGeometry, TravelOfTheWorkedExample)
{
	auto s = owned (makeExample ());
	EXPECT_EQ (s->getHandleMinPosPrivate (), 0.);
	// minPos 5 shows as the near edge held at 105 below the range...
	EXPECT_EQ (s->calculateHandleRect (-0.5f), CRect (105, 53, 125, 63));
	EXPECT_EQ (s->calculateHandleRect (0.f), CRect (105, 53, 125, 63));
	EXPECT_EQ (s->calculateHandleRect (0.5f), CRect (190, 53, 210, 63));
	// ...range 170 as the near edge at 5 + 170 for the value 1...
	EXPECT_EQ (s->calculateHandleRect (1.f), CRect (275, 53, 295, 63));
	// ...and maxPos 195 as the far edge held at 295 above it, the near edge moving on.
	EXPECT_EQ (s->calculateHandleRect (2.f), CRect (445, 53, 295, 63));
	// p is floored: 0.2999 x 170 = 50.98 places the near edge at 50 + 5.
	EXPECT_EQ (s->calculateHandleRect (0.2999f).left, 155.);

	// A view shorter than the handle and both offsets: negative travel, no error.
	s->setViewSize (CRect (100, 50, 125, 70));
	EXPECT_EQ (s->calculateHandleRect (1.f), CRect (105, 53, 120, 63));
	EXPECT_TRUE (assertionLog ().empty ());

	// The style goes first: a later orientation change keeps the old axis's
	// positions until the next geometry setter.
	auto v = owned (makeExample ());
	v->setStyle (Base::kVertical);
	EXPECT_EQ (v->calculateHandleRect (-1.f).top, 55.) << "still the horizontal minPos 5";
	v->setHandleSizePrivate (20, 10);
	EXPECT_EQ (v->calculateHandleRect (-1.f).top, 53.) << "minPos now offset.y 3";
}

TEST_F (SliderGeometry, VerticalSliderDirections)
{
	auto s = owned (makeVerticalExample ());
	EXPECT_EQ (s->calculateHandleRect (0.f), CRect (53, 275, 63, 295)) << "kBottom: minimum at the bottom";
	EXPECT_EQ (s->calculateHandleRect (1.f), CRect (53, 105, 63, 125));

	CRect r;
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (58, 280), &r), 110.f);
	EXPECT_EQ (r, CRect (53, 275, 63, 295));

	s->setStyle (Base::kVertical | Base::kTop);
	EXPECT_EQ (s->calculateHandleRect (0.f), CRect (53, 105, 63, 125)) << "kTop: minimum at the top";

	auto h = owned (makeExample ());
	h->setStyle (Base::kHorizontal | Base::kRight);
	EXPECT_EQ (h->calculateHandleRect (0.f), CRect (275, 53, 295, 63)) << "kRight: minimum at the right";
}

TEST_F (SliderGeometry, GrabOffsetsOfEachMode)
{
	auto s = owned (makeExample ());
	s->setValue (0.5f);

	// QB free click: on the handle no jump, beside it the centre comes under the mouse.
	CRect r;
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (205, 58), &r), 120.f);
	EXPECT_EQ (r, CRect (190, 53, 210, 63));
	EXPECT_FLOAT_EQ ((205.f - 120.f) / 170.f, 0.5f);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (205, 53), nullptr), 120.f);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (150, 58), nullptr), 114.f);
	// Left and top edges inside, right and bottom edges outside.
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (190, 58), nullptr), 105.f);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (210, 58), nullptr), 114.f);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (200, 53), nullptr), 115.f);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (200, 63), nullptr), 114.f);

	// Free click: the rectangle is left alone; only handle size and base count.
	s->setSliderMode (CSliderMode::FreeClick);
	CRect untouched (1, 2, 3, 4);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (205, 58), &untouched), 114.f);
	EXPECT_EQ (untouched, CRect (1, 2, 3, 4));
	s->setValue (0.f);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (290, 60), nullptr), 114.f);
	s->setValue (0.5f);

	// The relative modes (and a value no mode has) keep the press on the value.
	for (auto mode : {CSliderMode::Touch, CSliderMode::RelativeTouch, CSliderMode::Ramp,
	                  static_cast<CSliderMode> (9)})
	{
		s->setSliderMode (mode);
		CRect rr;
		EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (150, 58), &rr), 65.f);
		EXPECT_EQ (rr, CRect (190, 53, 210, 63));
		EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (205, 58), nullptr), 120.f);
	}

	// Inverted direction: the handle at value 0.25 of a kRight slider sits at 0.75.
	s->setSliderMode (CSliderMode::QBFreeClick);
	s->setStyle (Base::kHorizontal | Base::kRight);
	s->setValue (0.25f);
	EXPECT_FLOAT_EQ (s->calculateDelta (CPoint (240, 58), &r), 113.f);
	EXPECT_EQ (r, CRect (232, 53, 252, 63));
}

} // namespace
} // namespace SliderTest
