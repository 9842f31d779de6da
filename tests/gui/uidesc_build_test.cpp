// Building view trees: which controller sees which view, sub-controllers
// made where the description names them and deleted before the views below
// the view that carries them.
#include "uidesc_testkit.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/uidescription/uidescription.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace VSTGUI;
using LumivoTest::DeletionLogger;
using LumivoTest::LoggingController;

namespace {

const char* kNested = R"({"vstgui-ui-description": {
  "control-tags": {"Rate": "3"},
  "templates": {"view": {
    "attributes": {"class": "CViewContainer", "size": "100, 100"},
    "children": {
      "COnOffButton": {"attributes": {"control-tag": "Rate"}},
      "CViewContainer": {
        "attributes": {"sub-controller": "SubOuter"},
        "children": {
          "CTextLabel": {"attributes": {"control-tag": "Rate"}},
          "CViewContainer": {"attributes": {"sub-controller": "SubInner"},
                             "children": {"COnOffButton": {}}}
        }
      },
      "CViewContainer": {"attributes": {"sub-controller": "Refused"}},
      "CViewContainer": {"attributes": {"sub-controller": "SubLost", "class": "NoSuchView"},
                         "children": {"CTextLabel": {}}}
    }
  }}
}})";

struct Built
{
	UIDescription description {"/nonexistent/plug.uidesc"};
	std::vector<std::string> log;
	LoggingController root {"root", log};
	CViewContainer* view {nullptr};

	Built ()
	{
		EXPECT_TRUE (description.parseText (kNested, strlen (kNested)));
		view = dynamic_cast<CViewContainer*> (description.createView ("view", &root));
	}
};

} // namespace

TEST (UIDescriptionBuild, EachViewGoesToTheControllerInChargeOfItsPart)
{
	Built built;
	ASSERT_NE (built.view, nullptr);
	// Views are verified once their children are in place; a sub-controller
	// is made before the view that carries it and sees that view too. A
	// sub-controller whose view cannot be built is deleted at once.
	EXPECT_EQ (built.log, (std::vector<std::string> {
	                          "root verifies COnOffButton",
	                          "root creates SubOuter",
	                          "SubOuter verifies CTextLabel",
	                          "SubOuter creates SubInner",
	                          "SubInner verifies COnOffButton",
	                          "SubInner verifies CViewContainer",
	                          "SubOuter verifies CViewContainer",
	                          "root verifies CViewContainer",
	                          "root creates SubLost",
	                          "SubLost deleted",
	                          "root verifies CViewContainer",
	                      }));
	ASSERT_EQ (built.view->getNbViews (), 3u);
	auto* outer = dynamic_cast<CViewContainer*> (built.view->getView (1));
	ASSERT_NE (outer, nullptr);
	EXPECT_NE (UIDescription::getSubController (outer), nullptr);
	EXPECT_EQ (UIDescription::getSubController (built.view->getView (2)), nullptr);
	EXPECT_EQ (UIDescription::getSubController (built.view), nullptr);

	// Control listeners come from the controller in charge.
	auto* button = dynamic_cast<CControl*> (built.view->getView (0));
	auto* label = dynamic_cast<CControl*> (outer->getView (0));
	ASSERT_TRUE (button && label);
	EXPECT_EQ (button->getListener (), &built.root);
	EXPECT_EQ (label->getListener (), UIDescription::getSubController (outer));
	EXPECT_EQ (label->getTag (), 3);
	EXPECT_EQ (built.description.getController (), nullptr);

	built.log.clear ();
	built.view->forget ();
	EXPECT_EQ (built.log, (std::vector<std::string> {"SubOuter deleted", "SubInner deleted"}));
}

TEST (UIDescriptionBuild, SubControllersGoBeforeTheViewsBelowThem)
{
	Built built;
	ASSERT_NE (built.view, nullptr);
	auto* outer = dynamic_cast<CViewContainer*> (built.view->getView (1));
	auto* inner = dynamic_cast<CViewContainer*> (outer->getView (1));
	ASSERT_TRUE (outer && inner);
	DeletionLogger outerWatch ("outer", built.log);
	DeletionLogger labelWatch ("label", built.log);
	DeletionLogger innerButtonWatch ("inner button", built.log);
	outer->registerViewListener (&outerWatch);
	outer->getView (0)->registerViewListener (&labelWatch);
	inner->getView (0)->registerViewListener (&innerButtonWatch);

	// In a frame, removing the carrying view deletes its sub-controller (and
	// those below it) while every view still exists.
	auto* frame = new CFrame (CRect (0, 0, 100, 100));
	ASSERT_TRUE (frame->addView (built.view));
	built.log.clear ();
	outer->remember ();
	built.view->removeView (outer);
	ASSERT_GE (built.log.size (), 2u);
	EXPECT_EQ (built.log[0], "SubOuter deleted");
	EXPECT_EQ (built.log[1], "SubInner deleted");
	EXPECT_EQ (built.log.size (), 2u);
	outer->forget ();
	for (const char* deleted : {"outer view deleted", "label view deleted", "inner button view deleted"})
		EXPECT_NE (std::find (built.log.begin () + 2, built.log.end (), deleted), built.log.end ()) << deleted;
	EXPECT_EQ (built.log.size (), 5u);

	// Explicit teardown of a whole tree works the same and only once.
	Built again;
	ASSERT_NE (again.view, nullptr);
	again.log.clear ();
	UIDescription::deleteSubControllers (again.view);
	EXPECT_EQ (again.log, (std::vector<std::string> {"SubOuter deleted", "SubInner deleted"}));
	again.log.clear ();
	UIDescription::deleteSubControllers (again.view);
	again.view->forget ();
	EXPECT_TRUE (again.log.empty ());
	UIDescription::deleteSubControllers (nullptr);

	frame->forget ();
}

TEST (UIDescriptionBuild, WithoutAControllerViewsAreBuiltPlainly)
{
	UIDescription description ("/nonexistent/plug.uidesc");
	ASSERT_TRUE (description.parseText (kNested, strlen (kNested)));
	CView* view = description.createView ("view", nullptr);
	auto* root = dynamic_cast<CViewContainer*> (view);
	ASSERT_NE (root, nullptr);
	// No one to make sub-controllers: the view of an unknown class is left
	// out all the same, the rest is there.
	EXPECT_EQ (root->getNbViews (), 3u);
	EXPECT_EQ (UIDescription::getSubController (root->getView (1)), nullptr);
	EXPECT_EQ (dynamic_cast<CControl*> (root->getView (0))->getListener (), nullptr);
	view->forget ();
}
