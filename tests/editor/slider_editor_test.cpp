// The road of one change, end to end: the controller's editor opened headless
// on the bundle's editor description, a slider dragged through the frame,
// the edits at the host's component handler, and the value in a processor's
// parameter queue changing the oscillator. Also the process-wide modifiers:
// Option-click for the default value, Shift for fine drags.
#include "editortestkit.h"

#include "processor/plugids.h"
#include "slider/cslider.h"

#include "../processor/processortesting.h"
#include "testhost.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/controls/cbuttons.h"

#include <vector>

namespace EditorTest {
namespace {

using namespace LumivoTest;
using QBGUI::CSlider;
using QBGUI::CSliderMode;
using VSTGUI::CButtonState;
using VSTGUI::CPoint;
using VSTGUI::CRect;

constexpr double kSampleRate = 44100.0;

class EditorRoad : public EditorFixture
{
protected:
	void SetUp () override
	{
		EditorFixture::SetUp ();
		if (!HasFatalFailure ())
			attach ();
	}

	CSlider* sliderFor (ParamID id) const { return dynamic_cast<CSlider*> (control (id)); }

	// The handle's centre for the present value, in frame coordinates.
	static CPoint handleCentre (const CSlider& slider)
	{
		const CRect r = slider.calculateHandleRect (slider.getValueNormalized ());
		CPoint p (std::floor ((r.left + r.right) / 2.), std::floor ((r.top + r.bottom) / 2.));
		return slider.localToFrame (p);
	}

	// Pixels the handle travels from value 0 to value 1.
	static double travel (const CSlider& slider)
	{
		const CRect r0 = slider.calculateHandleRect (0.f);
		const CRect r1 = slider.calculateHandleRect (1.f);
		return slider.isStyleHorizontal () ? std::abs (r1.left - r0.left) : std::abs (r1.top - r0.top);
	}

	// +1 when moving right (horizontal) or down (vertical) raises the value.
	static double direction (const CSlider& slider)
	{
		return (slider.isStyleRight () || slider.isStyleBottom ()) ? -1. : 1.;
	}

	static CPoint along (const CSlider& slider, CPoint p, double pixels)
	{
		(slider.isStyleHorizontal () ? p.x : p.y) += pixels;
		return p;
	}

	// Press on the handle, move in steps, release: all through the frame.
	VSTGUI::CMouseEventResult drag (const CSlider& slider, double pixels, int32_t modifiers = 0)
	{
		const CButtonState buttons (VSTGUI::kLButton | modifiers);
		const CPoint start = handleCentre (slider);
		CPoint p = start;
		const auto result = frame->onMouseDown (p, buttons);
		constexpr int kSteps = 4;
		for (int i = 1; i <= kSteps; ++i)
		{
			p = along (slider, start, pixels * i / kSteps);
			frame->onMouseMoved (p, buttons);
		}
		frame->onMouseUp (p, buttons);
		return result;
	}
};

TEST_F (EditorRoad, DescriptionBindsSlidersAndTheBypassButton)
{
	int vertical = 0, reversed = 0, useGlobal = 0, drawn = 0, withHandle = 0;
	for (ParamID id : {kLevelId, kDepthId, kDegreeId, kRateId})
	{
		CSlider* slider = sliderFor (id);
		ASSERT_NE (slider, nullptr) << "parameter " << id;
		EXPECT_GT (travel (*slider), 100.) << "parameter " << id;
		vertical += !slider->isStyleHorizontal ();
		reversed += slider->isStyleBottom () || slider->isStyleRight ();
		useGlobal += slider->getSliderMode () == CSliderMode::UseGlobal;
		drawn += slider->getDrawStyle () != 0;
		if (auto* handle = slider->getHandle ())
			withHandle += handle->isLoaded ();
		EXPECT_NEAR (slider->getDefaultValue (), controller->getParameterObject (id)->getInfo ().defaultNormalizedValue,
		             1e-6)
		    << "Option-click lands on the parameter's default, parameter " << id;
	}
	EXPECT_GE (vertical, 1);
	EXPECT_GE (reversed, 1);
	EXPECT_GE (useGlobal, 1);
	EXPECT_GE (drawn, 1);
	EXPECT_GE (withHandle, 1) << "handle images load from the resources";

	auto* bypass = dynamic_cast<VSTGUI::COnOffButton*> (editor->findControlForParameter (kBypassId));
	ASSERT_NE (bypass, nullptr);
	handler->clear ();
	click (bypass);
	EXPECT_EQ (checkBracket (kBypassId), 1.);
}

TEST_F (EditorRoad, DraggingRateReachesTheOscillatorWithItsPhaseContinuous)
{
	CSlider* rate = sliderFor (kRateId);
	ASSERT_NE (rate, nullptr) << "parameter 3 is bound to a CSlider";
	EXPECT_EQ (rate->getTag (), static_cast<int32_t> (kRateId));
	SCOPED_TRACE (::testing::Message () << "mode " << static_cast<int> (rate->getEffectiveSliderMode ()));
	const double v0 = rate->getValueNormalized ();
	EXPECT_NEAR (v0, 0.5, 1e-6) << "the editor opens on the parameter's value";
	const double pixels = travel (*rate);
	ASSERT_GT (pixels, 40.);

	handler->clear ();
	EXPECT_EQ (drag (*rate, 40.), VSTGUI::kMouseEventHandled);
	const double v = checkBracket (kRateId);
	ASSERT_FALSE (std::isnan (v));
	EXPECT_NEAR (v - v0, direction (*rate) * 40. / pixels, 2. / pixels);
	EXPECT_EQ (v, controller->getParamNormalized (kRateId));
	EXPECT_FLOAT_EQ (static_cast<float> (v), rate->getValueNormalized ());

	// The host hands v to the processor in the next block's queue for ID 3.
	auto processor = makeProcessor (kSampleRate, kSample64);
	TremoloModel model;
	model.sampleRate = kSampleRate;
	model.activate ();
	auto input = [] (int32 c, int32 j) { return 0.5 + 0.25 * std::sin (0.01 * j + c); };

	AudioBlock before (kSample64, 1001);
	before.fillInput (input);
	ASSERT_EQ (processor->process (before.data ()), kResultOk);
	std::vector<double> outL, outR;
	model.run (inputOf (before, 0), inputOf (before, 1), outL, outR);
	for (int32 j = 0; j < before.numSamples (); ++j)
		ASSERT_NEAR (before.output (0, j), outL[j], 1e-12) << j;

	ParamChanges changes;
	changes.add (kRateId).add (0, v);
	AudioBlock after (kSample64, 4096);
	after.fillInput (input);
	ASSERT_EQ (processor->process (after.data (&changes)), kResultOk);

	// Three candidates for the new block: the new rate with the counter
	// rescaled (continuous phase), the new rate counted on from the old
	// counter (a phase jump), and a slightly different rate.
	TremoloModel jumping = model;
	TremoloModel otherRate = model;
	model.set (kRateId, v);
	EXPECT_DOUBLE_EQ (model.inc, 2. * M_PI * 6. * v / kSampleRate);
	jumping.set (kRateId, v);
	jumping.lastInc = jumping.inc;
	otherRate.set (kRateId, v + 0.005);

	std::vector<double> contL, contR, jumpL, jumpR, otherL, otherR;
	model.run (inputOf (after, 0), inputOf (after, 1), contL, contR);
	jumping.run (inputOf (after, 0), inputOf (after, 1), jumpL, jumpR);
	otherRate.run (inputOf (after, 0), inputOf (after, 1), otherL, otherR);
	double worst = 0., fromJump = 0., fromOther = 0.;
	for (int32 j = 0; j < after.numSamples (); ++j)
	{
		for (int32 c = 0; c < 2; ++c)
		{
			const double out = after.output (c, j);
			worst = std::max (worst, std::abs (out - (c ? contR : contL)[j]));
			fromJump = std::max (fromJump, std::abs (out - (c ? jumpR : jumpL)[j]));
			fromOther = std::max (fromOther, std::abs (out - (c ? otherR : otherL)[j]));
		}
	}
	EXPECT_LT (worst, 1e-12);
	EXPECT_GT (fromJump, 1e-3) << "the check tells a phase jump apart";
	EXPECT_GT (fromOther, 1e-3) << "the check tells another rate apart";

	// And the processor's saved state holds the dragged value.
	EXPECT_EQ (doubleAt (stateOf (*processor), 32), v);
}

TEST_F (EditorRoad, OptionClickOnAUseGlobalSliderResetsItsParameter)
{
	CSlider* slider = nullptr;
	ParamID id = 0;
	for (ParamID p : {kLevelId, kDepthId, kDegreeId, kRateId})
	{
		auto* s = sliderFor (p);
		if (s && s->getSliderMode () == CSliderMode::UseGlobal)
		{
			slider = s;
			id = p;
			break;
		}
	}
	ASSERT_NE (slider, nullptr) << "the description leaves one slider at \"use global\"";
	EXPECT_EQ (slider->getEffectiveSliderMode (), CSliderMode::QBFreeClick);
	const double defaultValue = controller->getParameterObject (id)->getInfo ().defaultNormalizedValue;

	ASSERT_EQ (controller->setParamNormalized (id, 0.2), kResultOk);
	ASSERT_NEAR (slider->getValueNormalized (), 0.2, 1e-6) << "the binding follows the parameter";

	// Option with Shift, and Command alone, are no default-value clicks: the
	// press on the handle opens a drag that changes nothing of note.
	for (int32_t modifiers : {VSTGUI::kAlt | VSTGUI::kShift, int32_t {VSTGUI::kControl}})
	{
		handler->clear ();
		CPoint p = handleCentre (*slider);
		EXPECT_EQ (frame->onMouseDown (p, CButtonState (VSTGUI::kLButton | modifiers)),
		           VSTGUI::kMouseEventHandled);
		frame->onMouseUp (p, CButtonState (VSTGUI::kLButton | modifiers));
		EXPECT_NEAR (controller->getParamNormalized (id), 0.2, 1.5 / travel (*slider)) << modifiers;
		ASSERT_FALSE (handler->events ().empty ());
		EXPECT_EQ (handler->events ().front ().call, Call::beginEdit);
		EXPECT_EQ (handler->events ().back ().call, Call::endEdit);
	}

	// Option alone with the left button: 0x42, anywhere on the slider.
	ASSERT_EQ (controller->setParamNormalized (id, 0.2), kResultOk);
	handler->clear ();
	const CRect r = slider->getViewSize ();
	CPoint p (r.left + 2., r.top + 2.);
	slider->localToFrame (p);
	EXPECT_EQ (frame->onMouseDown (p, CButtonState (VSTGUI::kLButton | VSTGUI::kAlt)),
	           VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	const double performed = checkBracket (id);
	EXPECT_NEAR (performed, defaultValue, 1e-6);
	EXPECT_NEAR (controller->getParamNormalized (id), defaultValue, 1e-6);
	EXPECT_NEAR (slider->getValueNormalized (), defaultValue, 1e-6);
}

TEST_F (EditorRoad, ShiftDragMovesATenthAsFar)
{
	CSlider* rate = sliderFor (kRateId);
	ASSERT_NE (rate, nullptr);
	ASSERT_EQ (rate->getZoomFactor (), 10.f);
	const double start = 0.3;
	const double pixels = 30.;

	ASSERT_EQ (controller->setParamNormalized (kRateId, start), kResultOk);
	const double v0 = rate->getValueNormalized ();
	handler->clear ();
	drag (*rate, pixels);
	const double plain = checkBracket (kRateId) - v0;
	EXPECT_NEAR (plain, direction (*rate) * pixels / travel (*rate), 2. / travel (*rate));

	ASSERT_EQ (controller->setParamNormalized (kRateId, start), kResultOk);
	handler->clear ();
	// The press itself moves nothing while Shift is held.
	EXPECT_EQ (drag (*rate, pixels, VSTGUI::kShift), VSTGUI::kMouseEventHandled);
	const double fine = checkBracket (kRateId) - v0;
	EXPECT_NEAR (fine, plain / 10., 1e-5);
	EXPECT_NEAR (controller->getParamNormalized (kRateId), v0 + fine, 1e-6);
}

TEST_F (EditorRoad, ClosingTheEditorMidGestureEndsTheEditAtTheHost)
{
	for (bool wheel : {false, true})
	{
		SCOPED_TRACE (wheel ? "within the wheel-edit time" : "mid-drag");
		if (!frame)
			attach ();
		CSlider* rate = sliderFor (kRateId);
		ASSERT_NE (rate, nullptr);
		handler->clear ();
		CPoint p = handleCentre (*rate);
		if (wheel)
		{
			const auto axis = rate->isStyleHorizontal () ? VSTGUI::kMouseWheelAxisX : VSTGUI::kMouseWheelAxisY;
			ASSERT_TRUE (frame->onWheel (p, axis, 1.f, CButtonState ()));
		}
		else
		{
			ASSERT_EQ (frame->onMouseDown (p, CButtonState (VSTGUI::kLButton)), VSTGUI::kMouseEventHandled);
			CPoint q = along (*rate, p, 20.);
			frame->onMouseMoved (q, CButtonState (VSTGUI::kLButton));
		}
		// The host closes the editor before the release or the wheel timer.
		EXPECT_EQ (view->removed (), kResultOk);
		frame = nullptr;
		checkBracket (kRateId);
	}
}

} // namespace
} // namespace EditorTest
