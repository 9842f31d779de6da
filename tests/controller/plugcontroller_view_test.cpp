// The controller's editor: made only for the view type "editor", with the
// host knob mode switched to linear.
#include "controller/plugcontroller.h"

#include "pluginterfaces/gui/iplugview.h"

#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST (PlugControllerView, EditorOnlyForTheEditorViewType)
{
	auto controller = Steinberg::owned (new PlugController ());
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);

	controller->setKnobMode (kCircularMode);
	EXPECT_EQ (controller->createView ("Editor"), nullptr);
	EXPECT_EQ (controller->createView ("EDITOR"), nullptr);
	EXPECT_EQ (controller->createView ("editor "), nullptr);
	EXPECT_EQ (controller->createView (nullptr), nullptr);
	EXPECT_EQ (controller->createView (""), nullptr);
	// Refused names leave the knob mode alone.
	EXPECT_EQ (EditController::getHostKnobMode (), kCircularMode);

	IPlugView* first = controller->createView (ViewType::kEditor);
	ASSERT_NE (first, nullptr);
	EXPECT_EQ (EditController::getHostKnobMode (), kLinearMode);
	IPlugView* second = controller->createView ("editor");
	ASSERT_NE (second, nullptr);
	EXPECT_NE (first, second);

	// Each editor is an IPlugView with one reference, the caller's.
	IPlugView* queried = nullptr;
	ASSERT_EQ (first->queryInterface (IPlugView::iid, reinterpret_cast<void**> (&queried)), kResultOk);
	EXPECT_EQ (queried, first);
	EXPECT_EQ (queried->release (), 1u);

	// The editors keep the controller alive until they go.
	EXPECT_GT (controller->addRef (), 2u);
	controller->release ();
	EXPECT_EQ (first->release (), 0u);
	EXPECT_EQ (second->release (), 0u);
	EXPECT_EQ (controller->addRef (), 2u);
	controller->release ();

	// A later call after a host reset the mode switches it back.
	controller->setKnobMode (kRelativCircularMode);
	IPlugView* third = controller->createView ("editor");
	ASSERT_NE (third, nullptr);
	EXPECT_EQ (EditController::getHostKnobMode (), kLinearMode);
	third->release ();
	controller->terminate ();
}
