// The real editor description with the real edit controller: the editor
// opened headless, a drag on the Rate control arriving at the host as one
// edit gesture, and the controls following the controller's values.
#include "controller/plugcontroller.h"
#include "processor/plugids.h"
#include "processor/plugstate.h"

#include "componenthandler.h"

#include "public.sdk/source/common/memorystream.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/plugin-bindings/vst3editor.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using LumivoTest::RecordingComponentHandler;
using Call = RecordingComponentHandler::Call;

namespace {

class PlugEditorTest : public ::testing::Test
{
protected:
	void SetUp () override
	{
		VSTGUI::VST3Editor::setResourceDirectoryOverride (LUMIVO_RESOURCE_DIR);
		controller = new PlugController ();
		ASSERT_EQ (controller->initialize (nullptr), kResultOk);
		handler = new RecordingComponentHandler ();
		controller->setComponentHandler (handler);
		view = controller->createView (ViewType::kEditor);
		ASSERT_NE (view, nullptr);
		editor = dynamic_cast<VSTGUI::VST3Editor*> (view);
		ASSERT_NE (editor, nullptr);
	}
	void TearDown () override
	{
		if (view)
		{
			view->removed ();
			EXPECT_EQ (view->release (), 0u);
		}
		controller->terminate ();
		controller->release ();
		handler->release ();
		VSTGUI::VST3Editor::setResourceDirectoryOverride ({});
	}

	VSTGUI::CControl* control (ParamID id) const { return editor->findControlForParameter (id); }

	PlugController* controller {nullptr};
	RecordingComponentHandler* handler {nullptr};
	IPlugView* view {nullptr};
	VSTGUI::VST3Editor* editor {nullptr};
};

} // namespace

TEST_F (PlugEditorTest, OpensHeadlessWithEveryParameterBound)
{
	// No window system: hosts fall back to their own generic editor.
	for (auto type : {kPlatformTypeX11EmbedWindowID, kPlatformTypeHWND, kPlatformTypeNSView, "nonsense"})
		EXPECT_EQ (view->isPlatformTypeSupported (type), kResultFalse) << type;
	int dummyWindow = 0;
	EXPECT_EQ (view->attached (&dummyWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);
	EXPECT_FALSE (editor->isOpen ());

	ASSERT_EQ (view->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
	ASSERT_TRUE (editor->isOpen ());
	ASSERT_NE (editor->getFrame (), nullptr);
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
	ASSERT_TRUE (editor->open ());
	auto* rate = control (kRateId);
	ASSERT_NE (rate, nullptr);
	VSTGUI::CPoint where = rate->getViewSize ().getCenter ();
	rate->localToFrame (where);
	auto* frame = editor->getFrame ();
	const VSTGUI::CButtonState left (VSTGUI::kLButton);
	frame->onMouseDown (where, left);
	for (int step = 1; step <= 5; ++step)
	{
		VSTGUI::CPoint moved = where;
		moved.offset (6. * step, -4. * step);
		frame->onMouseMoved (moved, left);
	}
	VSTGUI::CPoint release = where;
	release.offset (30., -20.);
	frame->onMouseUp (release, left);

	const auto& events = handler->events ();
	ASSERT_GE (events.size (), 3u);
	EXPECT_EQ (events.front ().call, Call::beginEdit);
	EXPECT_EQ (events.front ().id, kRateId);
	EXPECT_EQ (events.back ().call, Call::endEdit);
	EXPECT_EQ (events.back ().id, kRateId);
	size_t performs = 0;
	for (size_t i = 1; i + 1 < events.size (); ++i)
	{
		EXPECT_EQ (events[i].call, Call::performEdit) << i;
		EXPECT_EQ (events[i].id, kRateId) << i;
		EXPECT_GE (events[i].value, 0.);
		EXPECT_LE (events[i].value, 1.);
		++performs;
	}
	ASSERT_GE (performs, 1u);
	// What the host hears is the value the controller holds.
	const double now = controller->getParamNormalized (kRateId);
	EXPECT_NE (now, 0.5);
	EXPECT_EQ (events[events.size () - 2].value, now);
	EXPECT_FLOAT_EQ (rate->getValueNormalized (), static_cast<float> (now));
}

TEST_F (PlugEditorTest, ControlsFollowTheControllersValues)
{
	ASSERT_TRUE (editor->open ());
	ASSERT_EQ (controller->setParamNormalized (kRateId, 0.25), kResultOk);
	EXPECT_FLOAT_EQ (control (kRateId)->getValueNormalized (), 0.25f);
	ASSERT_EQ (controller->setParamNormalized (kBypassId, 1.), kResultOk);
	EXPECT_FLOAT_EQ (control (kBypassId)->getValueNormalized (), 1.f);

	PlugState state {0.25, 1.0, 0.0, 0.1, true};
	auto* stream = new MemoryStream ();
	ASSERT_EQ (writePlugState (state, stream), kResultOk);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	ASSERT_EQ (controller->setComponentState (stream), kResultOk);
	stream->release ();
	EXPECT_FLOAT_EQ (control (kLevelId)->getValueNormalized (), 0.25f);
	EXPECT_FLOAT_EQ (control (kDepthId)->getValueNormalized (), 1.f);
	EXPECT_FLOAT_EQ (control (kDegreeId)->getValueNormalized (), 0.f);
	EXPECT_FLOAT_EQ (control (kRateId)->getValueNormalized (), 0.1f);
	EXPECT_FLOAT_EQ (control (kBypassId)->getValueNormalized (), 1.f);
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

TEST_F (PlugEditorTest, AboutAreaIsBuiltAndItsSubControllerGoesWithTheEditor)
{
	ASSERT_TRUE (editor->open ());
	// The about area: a container with an on/off button and a label.
	VSTGUI::CViewContainer* about = nullptr;
	auto* root = dynamic_cast<VSTGUI::CViewContainer*> (editor->getFrame ()->getView (0));
	ASSERT_NE (root, nullptr);
	for (uint32_t i = 0; i < root->getNbViews () && !about; ++i)
		about = dynamic_cast<VSTGUI::CViewContainer*> (root->getView (i));
	ASSERT_NE (about, nullptr);
	ASSERT_EQ (about->getNbViews (), 2u);
	auto* toggle = dynamic_cast<VSTGUI::COnOffButton*> (about->getView (0));
	auto* label = dynamic_cast<VSTGUI::CTextLabel*> (about->getView (1));
	ASSERT_TRUE (toggle && label);
	// The about button is bound to no parameter.
	EXPECT_EQ (toggle->getTag (), -1);

	VSTGUI::CPoint where = toggle->getViewSize ().getCenter ();
	toggle->localToFrame (where);
	editor->getFrame ()->onMouseDown (where, VSTGUI::CButtonState (VSTGUI::kLButton));
	EXPECT_TRUE (handler->events ().empty ());
	if (VSTGUI::UIDescription::getSubController (about))
	{
		EXPECT_FALSE (label->getText ().getString ().empty ());
	}
	view->removed ();
	EXPECT_FALSE (editor->isOpen ());
}
