// The about area end to end: the edit controller opens its editor on the
// bundle's editor description, a click on the about toggle through the frame
// shows the info line, and closing the editor empties the controller's list.
#include "editortestkit.h"

#include "controller/plugaboutcontroller.h"
#include "controller/platformname.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/uidescription/uidescription.h"

#include <string>

namespace EditorTest {
namespace {

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

using AboutEditor = EditorFixture;

TEST_F (AboutEditor, ToggleThroughTheFrameShowsTheLineAndClosingEmptiesTheList)
{
	attach ();
	ASSERT_EQ (controller->getAboutControllers ().size (), 1u);
	About* about = controller->getAboutControllers ().front ();
	auto* area = dynamic_cast<CViewContainer*> (findAboutArea (frame));
	ASSERT_NE (area, nullptr);
	EXPECT_EQ (area->getParentView (), frame->getView (0)) << "the about area sits in the editor's root";
	EXPECT_EQ (UIDescription::getSubController (area), about);
	COnOffButton* toggle = about->getToggle ();
	CTextLabel* label = about->getInfoLabel ();
	ASSERT_NE (toggle, nullptr);
	ASSERT_NE (label, nullptr);
	ASSERT_EQ (area->getNbViews (), 2u);
	EXPECT_EQ (area->getView (0), toggle);
	EXPECT_EQ (area->getView (1), label);
	EXPECT_EQ (toggle->getTag (), -1) << "the about button is bound to no parameter";
	EXPECT_EQ (label->getText ().getString (), "");

	click (toggle);
	EXPECT_EQ (toggle->getValue (), toggle->getMax ());
	EXPECT_EQ (label->getText ().getString (), "3.1.0, VST3 " + Vst::queryPlatformName () + "  ");
	click (toggle);
	EXPECT_EQ (label->getText ().getString (), "");
	EXPECT_TRUE (handler->events ().empty ());

	EXPECT_EQ (view->removed (), kResultOk);
	EXPECT_FALSE (editor->isOpen ());
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
	view = nullptr;
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
}

TEST_F (AboutEditor, EveryOpeningMakesItsOwnSubController)
{
	auto second = Steinberg::owned (controller->createView ("editor"));
	ASSERT_TRUE (second);
	attach ();
	ASSERT_EQ (second->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
	ASSERT_EQ (controller->getAboutControllers ().size (), 2u);
	About* secondAbout = controller->getAboutControllers ()[1];

	// Released without removed(): the editor's destruction closes it too.
	view = nullptr;
	ASSERT_EQ (controller->getAboutControllers ().size (), 1u);
	EXPECT_EQ (controller->getAboutControllers ().front (), secondAbout);
	second->removed ();
	second = nullptr;
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
}

} // namespace
} // namespace EditorTest
