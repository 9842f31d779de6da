// The real editor description with the real edit controller: the editor
// opened headless, a drag on the Rate control arriving at the host as one
// edit gesture, and the controls following the controller's values.
#include "editortestkit.h"

#include "processor/plugids.h"
#include "processor/plugstate.h"

#include "public.sdk/source/common/memorystream.h"
#include "vstgui/lib/controls/cbuttons.h"

namespace EditorTest {
namespace {

using PlugEditorTest = EditorFixture;

TEST_F (PlugEditorTest, OpensHeadlessWithEveryParameterBound)
{
	// An X11 window only; a host without a frame (no run loop) gets no window.
	EXPECT_EQ (view->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultTrue);
	for (auto type : {kPlatformTypeHWND, kPlatformTypeNSView, "nonsense"})
		EXPECT_EQ (view->isPlatformTypeSupported (type), kResultFalse) << type;
	int dummyWindow = 0;
	EXPECT_EQ (view->attached (&dummyWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);
	EXPECT_FALSE (editor->isOpen ());

	attach ();
	ASSERT_TRUE (editor->isOpen ());
	ViewRect size;
	ASSERT_EQ (view->getSize (&size), kResultTrue);
	EXPECT_GT (size.getWidth (), 100);
	EXPECT_GT (size.getHeight (), 100);

	const double defaults[] = {0.75, 0.9, 0.5, 0.5, 0.};
	for (ParamID id = kLevelId; id <= kBypassId; ++id)
	{
		ASSERT_NE (control (id), nullptr) << id;
		EXPECT_EQ (control (id)->getTag (), static_cast<int32> (id));
		EXPECT_FLOAT_EQ (control (id)->getValueNormalized (), static_cast<float> (defaults[id])) << id;
		ASSERT_NE (control (id)->getBackground (), nullptr) << id;
	}
	EXPECT_NE (dynamic_cast<VSTGUI::COnOffButton*> (control (kBypassId)), nullptr);
	EXPECT_TRUE (handler->events ().empty ());
}

TEST_F (PlugEditorTest, DragOnRateBecomesOneEditGestureAtTheHost)
{
	attach ();
	auto* rate = control (kRateId);
	ASSERT_NE (rate, nullptr);
	VSTGUI::CPoint where = rate->getViewSize ().getCenter ();
	rate->localToFrame (where);
	const VSTGUI::CButtonState left (VSTGUI::kLButton);
	VSTGUI::CPoint p = where;
	frame->onMouseDown (p, left);
	for (int step = 1; step <= 5; ++step)
	{
		p = where;
		p.offset (6. * step, -4. * step);
		frame->onMouseMoved (p, left);
	}
	frame->onMouseUp (p, left);

	// What the host hears is the value the controller holds.
	const double now = checkBracket (kRateId);
	EXPECT_NE (now, 0.5);
	EXPECT_EQ (now, controller->getParamNormalized (kRateId));
	EXPECT_FLOAT_EQ (rate->getValueNormalized (), static_cast<float> (now));
}

TEST_F (PlugEditorTest, ControlsFollowTheControllersValues)
{
	attach ();
	ASSERT_EQ (controller->setParamNormalized (kRateId, 0.25), kResultOk);
	EXPECT_FLOAT_EQ (control (kRateId)->getValueNormalized (), 0.25f);
	ASSERT_EQ (controller->setParamNormalized (kBypassId, 1.), kResultOk);
	EXPECT_FLOAT_EQ (control (kBypassId)->getValueNormalized (), 1.f);

	PlugState state {0.25, 1.0, 0.0, 0.1, true};
	auto stream = Steinberg::owned (new MemoryStream ());
	ASSERT_EQ (writePlugState (state, stream), kResultOk);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	ASSERT_EQ (controller->setComponentState (stream), kResultOk);
	const float restored[] = {0.25f, 1.f, 0.f, 0.1f, 1.f};
	for (ParamID id = kLevelId; id <= kBypassId; ++id)
		EXPECT_FLOAT_EQ (control (id)->getValueNormalized (), restored[id]) << id;
	// Restoring state is no edit: the host hears nothing.
	EXPECT_TRUE (handler->events ().empty ());

	// After closing, changes reach no control and nothing breaks.
	editor->close ();
	EXPECT_EQ (editor->getFrame (), nullptr);
	EXPECT_EQ (control (kRateId), nullptr);
	EXPECT_EQ (controller->setParamNormalized (kRateId, 0.75), kResultOk);
	// And it opens again with the current values.
	ASSERT_TRUE (editor->open ());
	EXPECT_FLOAT_EQ (control (kRateId)->getValueNormalized (), 0.75f);
}

} // namespace
} // namespace EditorTest
