// CSlider: both constructor forms, the orientation variants, the handle
// bitmap's references, drawing setters, sizeToFit, copies, and draw checked
// call by call on a recording context.
#include "slidertestkit.h"

#include "recordingdrawcontext.h"

#include "vstgui/lib/cdrawcontext.h"

namespace SliderTest {
namespace {

using Base = CSliderBase;
using Op = RecordingDrawContext::Op;

// Counts the redraws a slider requests.
class CountingSlider final : public CSlider
{
public:
	using CSlider::CSlider;
	void invalid () override
	{
		++redraws;
		CSlider::invalid ();
	}
	int redraws {0};
};

class SliderDrawing : public SliderFixture
{
protected:
	SharedPointer<CBitmap> handle = makeOwned<CBitmap> (20., 10.);
	SharedPointer<CBitmap> background = makeOwned<CBitmap> (200., 20.);
};

TEST_F (SliderDrawing, PositionAndRangeFormsPlaceTheTravel)
{
	// Position form: from x = 100, travel 110..190, a 20 wide handle.
	auto p = owned (new CSlider (kExampleRect, nullptr, 3, 110, 190, handle, background,
	                             CPoint (0, 0), Base::kHorizontal | Base::kLeft));
	EXPECT_EQ (p->getHandleSizePrivate (), CPoint (20, 10));
	EXPECT_EQ (p->getHandleMinPosPrivate (), 10.);
	EXPECT_EQ (p->getOffsetHandle (), CPoint (0, 0));
	EXPECT_EQ (p->calculateHandleRect (-1.f).left, 110.) << "minPos 10";
	EXPECT_EQ (p->calculateHandleRect (1.f).left, 180.) << "range 80 (handleMinPos only bounds)";
	EXPECT_EQ (p->calculateHandleRect (2.f).right, 210.) << "maxPos 110";
	EXPECT_EQ (p->getBackground (), background.get ());
	EXPECT_EQ (p->getTag (), 3);
	EXPECT_TRUE (p->wantsFocus ());
	EXPECT_EQ (p->getSliderMode (), CSliderMode::UseGlobal);

	// Range form: handle offset (5, 0), range 100 including the 20 wide handle.
	auto r = owned (new CSlider (kExampleRect, nullptr, 3, CPoint (5, 0), 100, handle, nullptr,
	                             CPoint (0, 0), Base::kHorizontal));
	EXPECT_EQ (r->getHandleMinPosPrivate (), 0.);
	EXPECT_EQ (r->getOffsetHandle (), CPoint (5, 0));
	EXPECT_EQ (r->calculateHandleRect (-1.f).left, 105.) << "minPos 5";
	EXPECT_EQ (r->calculateHandleRect (1.f).left, 185.) << "range 80";
	EXPECT_EQ (r->calculateHandleRect (2.f).right, 205.) << "maxPos 105";

	// Without a handle bitmap the handle is 1 x 1 and the range loses one pixel.
	auto bare = owned (new CSlider (kExampleRect, nullptr, 0, CPoint (0, 0), 100, nullptr,
	                                nullptr, CPoint (0, 0), Base::kHorizontal));
	EXPECT_EQ (bare->getHandleSizePrivate (), CPoint (1, 1));
	EXPECT_EQ (bare->calculateHandleRect (1.f).left, 199.) << "range 99";

	// Vertical position form measures from the top edge.
	auto v = owned (new CSlider (CRect (10, 40, 30, 240), nullptr, 0, 60, 200, handle, nullptr,
	                             CPoint (0, 0), Base::kVertical | Base::kTop));
	EXPECT_EQ (v->getHandleMinPosPrivate (), 20.);
	EXPECT_TRUE (assertionLog ().empty ());

	// The geometry holds until the view's size is applied again.
	r->setViewSize (kExampleRect);
	EXPECT_EQ (r->calculateHandleRect (1.f).left, 275.) << "200 - 20 - 2 x 5 = 170";
}

TEST_F (SliderDrawing, OrientationVariantsForceTheirBit)
{
	auto h = owned (new QBGUI::CHorizontalSlider (kExampleRect, nullptr, 0, 100, 280, handle,
	                                              nullptr, CPoint (0, 0), Base::kLeft));
	EXPECT_EQ (h->getStyle (), 5);
	auto v = owned (new QBGUI::CVerticalSlider (CRect (0, 0, 20, 200), nullptr, 0, CPoint (0, 2),
	                                            196, handle, nullptr, CPoint (0, 0),
	                                            Base::kBottom));
	EXPECT_EQ (v->getStyle (), 34);
	EXPECT_EQ (v->calculateHandleRect (1.f), CRect (0, 2, 20, 12)) << "kBottom: maximum on top";
	EXPECT_TRUE (assertionLog ().empty ());

	// A style with the other bit already set ends with both: reported, kept.
	auto both = owned (new QBGUI::CHorizontalSlider (kExampleRect, nullptr, 0, CPoint (0, 0), 100,
	                                                 nullptr, nullptr, CPoint (0, 0),
	                                                 Base::kVertical));
	EXPECT_EQ (both->getStyle (), 3);
	EXPECT_EQ (assertionLog ().size (), 1u);
}

TEST_F (SliderDrawing, HandleBitmapReferences)
{
	EXPECT_EQ (handle->getNbReference (), 1);
	auto s = owned (new CountingSlider (kExampleRect, nullptr, 0, 110, 190, handle, nullptr,
	                                    CPoint (0, 0), Base::kHorizontal));
	EXPECT_EQ (handle->getNbReference (), 2);
	EXPECT_EQ (s->getHandle (), handle.get ());
	EXPECT_EQ (s->getHandleMinPosPrivate (), 10.);

	// The same bitmap again: no reference taken, but the view rectangle is
	// applied again, replacing the constructor's travel.
	s->setHandle (handle);
	EXPECT_EQ (handle->getNbReference (), 2);
	EXPECT_EQ (s->getHandleMinPosPrivate (), 0.);
	EXPECT_EQ (s->calculateHandleRect (1.f).left, 280.) << "range 200 - 20";

	auto other = makeOwned<CBitmap> (30., 8.);
	s->setHandle (other);
	EXPECT_EQ (handle->getNbReference (), 1);
	EXPECT_EQ (other->getNbReference (), 2);
	EXPECT_EQ (s->getHandleSizePrivate (), CPoint (30, 8));
	EXPECT_EQ (s->calculateHandleRect (1.f).left, 270.);

	s->redraws = 0;
	s->setHandle (nullptr);
	EXPECT_EQ (other->getNbReference (), 1);
	EXPECT_EQ (s->getHandleSizePrivate (), CPoint (1, 1));
	EXPECT_EQ (s->redraws, 0);
	EXPECT_EQ (s->calculateHandleRect (2.f).right, 100. + 170. + 1.) << "maxPos = range + minPos + 1";

	s->setHandle (handle);
	EXPECT_EQ (handle->getNbReference (), 2);
	s = nullptr;
	EXPECT_EQ (handle->getNbReference (), 1) << "the slider's reference goes with it";
}

TEST_F (SliderDrawing, DrawingSettersRedrawOnlyOnChange)
{
	auto s = owned (new CountingSlider (kExampleRect, nullptr, 0, CPoint (0, 0), 200, nullptr,
	                                    nullptr, CPoint (0, 0), Base::kHorizontal));
	EXPECT_EQ (s->getDrawStyle (), 0);
	EXPECT_EQ (s->getFrameWidth (), 1.);
	EXPECT_EQ (s->getFrameColor (), CColor (127, 127, 127, 255));
	EXPECT_EQ (s->getBackColor (), CColor (0, 0, 0, 255));
	EXPECT_EQ (s->getValueColor (), CColor (255, 255, 255, 255));
	s->redraws = 0;

	s->setDrawStyle (0);
	s->setFrameWidth (1.);
	s->setFrameColor (CColor (127, 127, 127, 255));
	s->setBackColor (kBlackCColor);
	s->setValueColor (kWhiteCColor);
	s->setBackgroundOffset (CPoint (4, 5));
	EXPECT_EQ (s->redraws, 0);
	EXPECT_EQ (s->getBackgroundOffset (), CPoint (4, 5));

	s->setDrawStyle (CSlider::kDrawFrame);
	s->setFrameWidth (-1.);
	s->setFrameColor (CColor (127, 127, 127, 254)); // alpha alone differs
	s->setBackColor (kRedCColor);
	s->setValueColor (kBlueCColor);
	EXPECT_EQ (s->redraws, 5);
	EXPECT_EQ (s->getDrawStyle (), CSlider::kDrawFrame);
	EXPECT_EQ (s->getFrameWidth (), -1.);
	EXPECT_EQ (s->getFrameColor (), CColor (127, 127, 127, 254));
	EXPECT_EQ (s->getBackColor (), kRedCColor);
	EXPECT_EQ (s->getValueColor (), kBlueCColor);
}

TEST_F (SliderDrawing, SizeToFitFollowsTheBackground)
{
	auto s = owned (new CSlider (CRect (10, 20, 50, 60), nullptr, 0, CPoint (0, 0), 40, nullptr,
	                             nullptr, CPoint (0, 0), Base::kVertical));
	EXPECT_FALSE (s->sizeToFit ());
	EXPECT_EQ (s->getViewSize (), CRect (10, 20, 50, 60));

	s->setBackground (owned (new CBitmap (30., 200.)));
	EXPECT_TRUE (s->sizeToFit ());
	EXPECT_EQ (s->getViewSize (), CRect (10, 20, 40, 220));
	EXPECT_EQ (s->getMouseableArea (), CRect (10, 20, 40, 220));
	EXPECT_EQ (s->calculateHandleRect (1.f).top, 20. + 199.) << "travel 200 - 1";

	// With the mouse disabled the disabled background gives the size.
	s->setDisabledBackground (owned (new CBitmap (12., 34.)));
	s->setMouseEnabled (false);
	EXPECT_TRUE (s->sizeToFit ());
	EXPECT_EQ (s->getViewSize (), CRect (10, 20, 22, 54));
}

TEST_F (SliderDrawing, CopiesArePlainSlidersWithEverySetting)
{
	auto v = owned (new QBGUI::CVerticalSlider (CRect (0, 0, 20, 200), nullptr, 9, CPoint (0, 2),
	                                            196, handle, background, CPoint (1, 2),
	                                            Base::kBottom));
	v->setDrawStyle (CSlider::kDrawValue | CSlider::kDrawInverted);
	v->setFrameWidth (3.);
	v->setFrameColor (kRedCColor);
	v->setBackColor (kGreenCColor);
	v->setValueColor (kBlueCColor);
	v->setSliderMode (CSliderMode::Touch);
	v->setZoomFactor (4.f);
	v->setValue (0.3f);
	EXPECT_EQ (handle->getNbReference (), 2);

	auto copy = owned (v->newCopy ());
	auto* s = dynamic_cast<CSlider*> (copy.get ());
	ASSERT_NE (s, nullptr);
	EXPECT_EQ (dynamic_cast<QBGUI::CVerticalSlider*> (s), nullptr) << "a plain CSlider";
	EXPECT_EQ (handle->getNbReference (), 3);
	EXPECT_EQ (s->getHandle (), handle.get ());
	EXPECT_EQ (s->getStyle (), 34);
	EXPECT_EQ (s->getDrawStyle (), CSlider::kDrawValue | CSlider::kDrawInverted);
	EXPECT_EQ (s->getFrameWidth (), 3.);
	EXPECT_EQ (s->getFrameColor (), kRedCColor);
	EXPECT_EQ (s->getBackColor (), kGreenCColor);
	EXPECT_EQ (s->getValueColor (), kBlueCColor);
	EXPECT_EQ (s->getBackgroundOffset (), CPoint (1, 2));
	EXPECT_EQ (s->getSliderMode (), CSliderMode::Touch) << "not reset to use global";
	EXPECT_EQ (s->getZoomFactor (), 4.f);
	EXPECT_EQ (s->getTag (), 9);
	EXPECT_FLOAT_EQ (s->getValue (), 0.3f);
	EXPECT_EQ (s->calculateHandleRect (0.3f), v->calculateHandleRect (0.3f));
	EXPECT_EQ (s->getOffsetHandle (), CPoint (0, 2));
	copy = nullptr;
	EXPECT_EQ (handle->getNbReference (), 2);
}

// Full call sequence with a 2 wide frame, back and value bar at 0.75.
TEST_F (SliderDrawing, DrawCallsInOrderWithAndWithoutGraphicsPaths)
{
	auto s = owned (makeExampleSlider (handle));
	s->setBackground (background);
	s->setBackgroundOffset (CPoint (3, 4));
	s->setDrawStyle (CSlider::kDrawFrame | CSlider::kDrawBack | CSlider::kDrawValue);
	s->setFrameWidth (2.);
	s->setValue (0.75f);
	EXPECT_TRUE (s->isDirty ());

	// Background, line settings and colours come the same with or without paths.
	const std::string head = "drawBitmap (100, 50, 300, 70) offset (3, 4) alpha 1\n"
	                         "setDrawMode 1\n"
	                         "setLineStyle\n"
	                         "setLineWidth 2\n"
	                         "setFrameColor rgba(127, 127, 127, 255)\n"
	                         "setFillColor rgba(0, 0, 0, 255)\n";
	RecordingDrawContext paths (true);
	s->draw (&paths);
	EXPECT_EQ (paths.describe (),
	           head +
	           "createGraphicsPath path\n"
	           "drawGraphicsPath mode 0 (101, 51, 299, 69)\n"
	           "drawGraphicsPath mode 2 (101, 51, 299, 69)\n"
	           "setDrawMode 0\n"
	           "setFillColor rgba(255, 255, 255, 255)\n"
	           "createGraphicsPath path\n"
	           "drawGraphicsPath mode 0 (102, 52, 249, 68)\n"
	           "drawBitmap (232, 53, 252, 63) offset (0, 0) alpha 1\n");
	EXPECT_EQ (paths.callsOf (Op::SetLineStyle).at (0).lineStyle, kLineSolid);
	for (const auto& c : paths.callsOf (Op::DrawGraphicsPath))
		EXPECT_FALSE (c.hasTransform);
	const auto bitmaps = paths.callsOf (Op::DrawBitmap);
	EXPECT_EQ (bitmaps.at (0).bitmap, background.get ());
	EXPECT_EQ (bitmaps.at (1).bitmap, handle.get ());
	EXPECT_FALSE (s->isDirty ()) << "draw marks the control clean";

	RecordingDrawContext rects (false);
	s->draw (&rects);
	EXPECT_EQ (rects.describe (),
	           head +
	           "createGraphicsPath none\n"
	           "drawRect (100, 50, 300, 70) style 2\n"
	           "setDrawMode 0\n"
	           "setFillColor rgba(255, 255, 255, 255)\n"
	           "createGraphicsPath none\n"
	           "drawRect (101, 51, 249.5, 69) style 1\n"
	           "drawBitmap (232, 53, 252, 63) offset (0, 0) alpha 1\n");
}

TEST_F (SliderDrawing, FrameAndBackAloneAndTheHairline)
{
	auto s = owned (makeExampleSlider (nullptr));
	RecordingDrawContext rects (false);
	s->setDrawStyle (CSlider::kDrawFrame);
	s->draw (&rects);
	ASSERT_EQ (rects.count (Op::DrawRect), 1u);
	EXPECT_EQ (rects.callsOf (Op::DrawRect)[0].drawStyle, kDrawStroked);
	EXPECT_EQ (rects.count (Op::DrawBitmap), 0u) << "no background, no handle bitmap";

	rects.clear ();
	s->setDrawStyle (CSlider::kDrawBack);
	s->draw (&rects);
	ASSERT_EQ (rects.count (Op::DrawRect), 1u);
	EXPECT_EQ (rects.callsOf (Op::DrawRect)[0].drawStyle, kDrawFilled);

	// Back alone with paths: filled once, not inset, not stroked.
	RecordingDrawContext paths (true);
	s->draw (&paths);
	ASSERT_EQ (paths.count (Op::DrawGraphicsPath), 1u);
	const auto fill = paths.callsOf (Op::DrawGraphicsPath)[0];
	EXPECT_EQ (fill.pathMode, CDrawContext::kPathFilled);
	EXPECT_EQ (fill.pathElements.at (0).rect, kExampleRect);

	// A negative width is the context's hairline, inset by half of it.
	paths.clear ();
	paths.setHairlineSize (0.5);
	s->setFrameWidth (-3.);
	s->setDrawStyle (CSlider::kDrawFrame);
	s->draw (&paths);
	EXPECT_EQ (paths.count (Op::GetHairlineSize), 1u);
	EXPECT_EQ (paths.callsOf (Op::SetLineWidth).at (0).width, 0.5);
	const auto stroke = paths.callsOf (Op::DrawGraphicsPath).at (0);
	EXPECT_EQ (stroke.pathMode, CDrawContext::kPathStroked);
	EXPECT_EQ (stroke.pathElements.at (0).rect, CRect (100.25, 50.25, 299.75, 69.75));

	// Draw style 0, or the shaping bits alone: background and handle only.
	for (int32_t style : {0, CSlider::kDrawValueFromCenter | CSlider::kDrawInverted})
	{
		auto h = owned (makeExampleSlider (handle));
		h->setBackground (background);
		h->setDrawStyle (style);
		RecordingDrawContext ctx (true);
		h->draw (&ctx);
		EXPECT_EQ (ctx.count (Op::DrawBitmap), 2u) << ctx.describe ();
		EXPECT_EQ (ctx.count (Op::CreateGraphicsPath), 0u);
		EXPECT_EQ (ctx.count (Op::DrawRect), 0u);
		EXPECT_EQ (ctx.count (Op::SetFillColor), 0u);
		// Style 0 skips the vector drawing whole; the shaping bits still set the line.
		EXPECT_EQ (ctx.count (Op::SetDrawMode), style == 0 ? 0u : 1u);
	}
}

// The value bar's rectangle, or an empty one when none was drawn.
CRect drawnBar (CSlider& s, int32_t drawStyle, float value)
{
	s.setDrawStyle (drawStyle);
	s.setValue (value);
	RecordingDrawContext ctx (true);
	s.draw (&ctx);
	const auto fills = ctx.callsOf (Op::DrawGraphicsPath);
	if (fills.empty ())
		return CRect ();
	return fills.back ().pathElements.at (0).rect;
}

TEST_F (SliderDrawing, ValueBarDirectionsAndThreshold)
{
	constexpr int32_t V = CSlider::kDrawValue;
	constexpr int32_t C = CSlider::kDrawValueFromCenter;
	constexpr int32_t I = CSlider::kDrawInverted;

	// Horizontal, view (100, 50, 300, 70); the direction bits of the style
	// do not turn the bar.
	for (int32_t style : {Base::kHorizontal | Base::kLeft, Base::kHorizontal | Base::kRight})
	{
		auto h = owned (makeExampleSlider (nullptr, nullptr, style));
		EXPECT_EQ (drawnBar (*h, V, 0.25f), CRect (100, 50, 150, 70)) << "from the left";
		EXPECT_EQ (drawnBar (*h, V | I, 0.25f), CRect (250, 50, 300, 70)) << "from the right";
		EXPECT_EQ (drawnBar (*h, V | C, 1.f), CRect (200, 50, 300, 70)) << "right half";
		EXPECT_EQ (drawnBar (*h, V | C, 0.f), CRect (100, 50, 200, 70)) << "normalised left half";
		EXPECT_EQ (drawnBar (*h, V | C | I, 0.25f), CRect (200, 50, 250, 70));
		EXPECT_EQ (drawnBar (*h, V | C, 0.5f), CRect ()) << "no bar at the centre";
		EXPECT_EQ (drawnBar (*h, V, 0.f), CRect ()) << "no bar at 0";
		// 200 x 0.002 = 0.4 is below the threshold, 200 x 0.003 = 0.6 above.
		EXPECT_EQ (drawnBar (*h, V, 0.002f), CRect ());
		EXPECT_NEAR (drawnBar (*h, V, 0.003f).getWidth (), 0.6, 1e-6);
	}

	// Vertical, view (10, 0, 30, 100).
	auto v = owned (new CSlider (CRect (10, 0, 30, 100), nullptr, 0, CPoint (0, 0), 100, nullptr,
	                             nullptr, CPoint (0, 0), Base::kVertical | Base::kTop));
	EXPECT_EQ (drawnBar (*v, V, 0.25f), CRect (10, 75, 30, 100)) << "from the bottom";
	EXPECT_EQ (drawnBar (*v, V | I, 0.25f), CRect (10, 0, 30, 25)) << "from the top";
	EXPECT_EQ (drawnBar (*v, V | C, 1.f), CRect (10, 50, 30, 100)) << "bottom half";
	EXPECT_EQ (drawnBar (*v, V | C | I, 1.f), CRect (10, 0, 30, 50)) << "top half";
	EXPECT_EQ (drawnBar (*v, V, 0.004f), CRect ()) << "0.4 high";

	// With a frame (width 2) the bar lies inside the frame line: inset by 1 + 1.
	v->setFrameWidth (2.);
	EXPECT_EQ (drawnBar (*v, V | CSlider::kDrawFrame, 1.f), CRect (12, 2, 28, 98));
}

TEST_F (SliderDrawing, HandlePlacementFollowsTheValue)
{
	auto s = owned (makeExampleSlider (handle));
	for (float value : {0.f, 0.5f, 1.f})
	{
		s->setValue (value);
		RecordingDrawContext ctx (true);
		s->draw (&ctx);
		ASSERT_EQ (ctx.count (Op::DrawBitmap), 1u);
		const auto call = ctx.callsOf (Op::DrawBitmap)[0];
		EXPECT_EQ (call.rect, s->calculateHandleRect (value));
		EXPECT_EQ (call.offset, CPoint (0, 0));
		EXPECT_EQ (call.alpha, 1.f);
	}
	EXPECT_EQ (s->calculateHandleRect (0.5f), CRect (190, 53, 210, 63));

	// An inverted slider draws its handle from the other end.
	auto r = owned (makeExampleSlider (handle, nullptr, Base::kHorizontal | Base::kRight));
	r->setValue (0.f);
	RecordingDrawContext ctx (false);
	r->draw (&ctx);
	EXPECT_EQ (ctx.callsOf (Op::DrawBitmap).at (0).rect, CRect (275, 53, 295, 63));
}

} // namespace
} // namespace SliderTest
