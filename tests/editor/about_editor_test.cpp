// The about area end to end: the edit controller opens its editor on the
// bundle's editor description, a click on the about toggle through the frame
// shows the info line, and closing the editor empties the controller's list.
#include "controller/plugaboutcontroller.h"
#include "controller/plugcontroller.h"
#include "controller/platformname.h"

#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/plugin-bindings/vst3editor.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace Steinberg;
using namespace VSTGUI;
using About = Vst::PlugAboutController<Vst::PlugController>;

// The first view at or below `view` that carries an about sub-controller.
CView* findAboutArea (CView* view)
{
	if (dynamic_cast<About*> (UIDescription::getSubController (view)))
		return view;
	if (auto* container = dynamic_cast<CViewContainer*> (view))
		for (uint32_t i = 0; i < container->getNbViews (); ++i)
			if (auto* found = findAboutArea (container->getView (i)))
				return found;
	return nullptr;
}

class AboutEditor : public ::testing::Test
{
protected:
	void SetUp () override
	{
		VST3Editor::setResourceDirectoryOverride (LUMIVO_RESOURCE_DIR);
		controller = new Vst::PlugController ();
		ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	}
	void TearDown () override
	{
		VST3Editor::setResourceDirectoryOverride ("");
		controller->terminate ();
		controller->release ();
	}

	Vst::PlugController* controller {nullptr};
};

TEST_F (AboutEditor, ToggleThroughTheFrameShowsTheLineAndClosingEmptiesTheList)
{
	IPlugView* view = controller->createView ("editor");
	ASSERT_NE (view, nullptr);
	auto* editor = dynamic_cast<VST3Editor*> (view);
	ASSERT_NE (editor, nullptr);
	ASSERT_EQ (view->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
	CFrame* frame = editor->getFrame ();
	ASSERT_NE (frame, nullptr);

	ASSERT_EQ (controller->getAboutControllers ().size (), 1u);
	About* about = controller->getAboutControllers ().front ();
	CView* area = findAboutArea (frame);
	ASSERT_NE (area, nullptr);
	EXPECT_EQ (UIDescription::getSubController (area), about);
	COnOffButton* toggle = about->getToggle ();
	CTextLabel* label = about->getInfoLabel ();
	ASSERT_NE (toggle, nullptr);
	ASSERT_NE (label, nullptr);
	EXPECT_TRUE (frame->isChild (toggle, true));
	EXPECT_TRUE (frame->isChild (label, true));
	EXPECT_EQ (label->getText ().getString (), "");

	// A left click in the middle of the toggle, in frame coordinates.
	CPoint where (toggle->getViewSize ().left + toggle->getViewSize ().getWidth () / 2,
	              toggle->getViewSize ().top + toggle->getViewSize ().getHeight () / 2);
	toggle->localToFrame (where);
	CPoint press = where;
	frame->onMouseDown (press, CButtonState (kLButton));
	CPoint release = where;
	frame->onMouseUp (release, CButtonState (kLButton));
	EXPECT_EQ (toggle->getValue (), toggle->getMax ());
	const std::string line = "3.1.0, VST3 " + Vst::queryPlatformName () + "  ";
	EXPECT_EQ (label->getText ().getString (), line);

	// And off again.
	press = where;
	frame->onMouseDown (press, CButtonState (kLButton));
	release = where;
	frame->onMouseUp (release, CButtonState (kLButton));
	EXPECT_EQ (label->getText ().getString (), "");

	EXPECT_EQ (view->removed (), kResultOk);
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
	view->release ();
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
}

TEST_F (AboutEditor, EveryOpeningMakesItsOwnSubController)
{
	IPlugView* first = controller->createView ("editor");
	IPlugView* second = controller->createView ("editor");
	ASSERT_NE (first, nullptr);
	ASSERT_NE (second, nullptr);
	ASSERT_EQ (first->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
	ASSERT_EQ (second->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
	ASSERT_EQ (controller->getAboutControllers ().size (), 2u);
	About* secondAbout = controller->getAboutControllers ()[1];

	// Released without removed(): the editor's destruction closes it too.
	first->release ();
	ASSERT_EQ (controller->getAboutControllers ().size (), 1u);
	EXPECT_EQ (controller->getAboutControllers ().front (), secondAbout);
	second->removed ();
	second->release ();
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
}

} // namespace
