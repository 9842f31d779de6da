// Shared setup of the editor tests: the real edit controller with a recording
// component handler, its editor made on the bundle's description, clicks
// through the frame, and the edit bracket the host hears.
#pragma once

#include "controller/plugcontroller.h"

#include "componenthandler.h"

#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace EditorTest {

using namespace Steinberg;
using namespace Steinberg::Vst;
using LumivoTest::RecordingComponentHandler;
using Call = RecordingComponentHandler::Call;

class EditorFixture : public ::testing::Test
{
protected:
	void SetUp () override
	{
		VSTGUI::VST3Editor::setResourceDirectoryOverride (LUMIVO_RESOURCE_DIR);
		controller = Steinberg::owned (new PlugController ());
		ASSERT_EQ (controller->initialize (nullptr), kResultOk);
		handler = Steinberg::owned (new RecordingComponentHandler ());
		ASSERT_EQ (controller->setComponentHandler (handler), kResultOk);
		view = Steinberg::owned (controller->createView (ViewType::kEditor));
		ASSERT_TRUE (view);
		editor = dynamic_cast<VSTGUI::VST3Editor*> (view.get ());
		ASSERT_NE (editor, nullptr);
	}

	void TearDown () override
	{
		if (view)
		{
			view->removed ();
			EXPECT_EQ (view.take ()->release (), 0u) << "the editor outlived its host's reference";
		}
		controller->setComponentHandler (nullptr);
		controller->terminate ();
		VSTGUI::VST3Editor::setResourceDirectoryOverride ("");
	}

	// Opens the editor as a host without a window system does.
	void attach ()
	{
		ASSERT_EQ (view->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
		frame = editor->getFrame ();
		ASSERT_NE (frame, nullptr);
	}

	VSTGUI::CControl* control (ParamID id) const { return editor->findControlForParameter (id); }

	// A left press and release on the centre of `view`.
	void click (VSTGUI::CView* target, int32_t modifiers = 0)
	{
		VSTGUI::CPoint where = target->getViewSize ().getCenter ();
		target->localToFrame (where);
		const VSTGUI::CButtonState buttons (VSTGUI::kLButton | modifiers);
		VSTGUI::CPoint press = where;
		editor->getFrame ()->onMouseDown (press, buttons);
		editor->getFrame ()->onMouseUp (where, buttons);
	}

	// Checks that the host heard one begin/perform.../end bracket for `id`,
	// every value normalised, and gives the last performed value (NaN when none).
	double checkBracket (ParamID id, bool expectPerform = true) const
	{
		const auto& events = handler->events ();
		if (expectPerform)
			EXPECT_GE (events.size (), 3u);
		else
			EXPECT_EQ (events.size (), 2u);
		if (events.size () < 2)
			return NAN;
		EXPECT_EQ (events.front ().call, Call::beginEdit);
		EXPECT_EQ (events.front ().id, id);
		EXPECT_EQ (events.back ().call, Call::endEdit);
		EXPECT_EQ (events.back ().id, id);
		double last = NAN;
		for (size_t i = 1; i + 1 < events.size (); ++i)
		{
			EXPECT_EQ (events[i].call, Call::performEdit) << "event " << i;
			EXPECT_EQ (events[i].id, id) << "event " << i;
			EXPECT_GE (events[i].value, 0.) << "event " << i;
			EXPECT_LE (events[i].value, 1.) << "event " << i;
			last = events[i].value;
		}
		return last;
	}

	IPtr<PlugController> controller;
	IPtr<RecordingComponentHandler> handler;
	IPtr<IPlugView> view;
	VSTGUI::VST3Editor* editor {nullptr};
	VSTGUI::CFrame* frame {nullptr};
};

} // namespace EditorTest
