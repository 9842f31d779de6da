// The view factory: its process-wide registry rules, creation along the
// base-view chain and the layer's own creators, read and written back.
#include "uidesc_testkit.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <initializer_list>
#include <utility>

using namespace VSTGUI;

namespace {

class ChainCreator : public ViewCreatorAdapter
{
public:
	ChainCreator (const char* name, const char* base, std::vector<std::string>* log = nullptr)
	: name (name), base (base), log (log)
	{
	}
	IdStringPtr getViewName () const override { return name; }
	IdStringPtr getBaseViewName () const override { return base; }
	CView* create (const UIAttributes&, const IUIDescription*) const override
	{
		if (log)
			log->push_back (std::string ("create ") + name);
		return makesView ? new CView (CRect (0, 0, 10, 10)) : nullptr;
	}
	bool apply (CView*, const UIAttributes&, const IUIDescription*) const override
	{
		if (log)
			log->push_back (std::string ("apply ") + name);
		return answer;
	}
	const char* name;
	const char* base;
	std::vector<std::string>* log;
	bool answer {true};
	bool makesView {true};
};

UIAttributes attributesOf (std::initializer_list<std::pair<const char*, const char*>> attrs)
{
	UIAttributes a;
	for (const auto& [name, value] : attrs)
		a.setAttribute (name, value);
	return a;
}

UIAttributes classAttributes (const char* className)
{
	return attributesOf ({{"class", className}});
}

} // namespace

TEST (UIViewFactoryRegistry, FirstRegistrationStaysAndUnregisterErasesWhicheverHoldsTheName)
{
	ChainCreator first ("TestRegistered", nullptr);
	ChainCreator second ("TestRegistered", nullptr);
	EXPECT_EQ (UIViewFactory::getViewCreator ("TestRegistered"), nullptr);

	UIViewFactory::registerViewCreator (first);
	UIViewFactory::registerViewCreator (second);
	EXPECT_EQ (UIViewFactory::getViewCreator ("TestRegistered"), &first);

	// The entry goes whichever creator holds it.
	UIViewFactory::unregisterViewCreator (second);
	EXPECT_EQ (UIViewFactory::getViewCreator ("TestRegistered"), nullptr);
	UIViewFactory::unregisterViewCreator (second);

	// Unregister, then register: the way to take a name over.
	UIViewFactory::registerViewCreator (first);
	UIViewFactory::unregisterViewCreator (second);
	UIViewFactory::registerViewCreator (second);
	EXPECT_EQ (UIViewFactory::getViewCreator ("TestRegistered"), &second);
	UIViewFactory::unregisterViewCreator (second);

	ChainCreator nameless (nullptr, nullptr);
	UIViewFactory::registerViewCreator (nameless);
	UIViewFactory::unregisterViewCreator (nameless);
	EXPECT_EQ (UIViewFactory::getViewCreator (nullptr), nullptr);

	// The layer's own creators are there from the start, with their chains.
	const std::pair<const char*, const char*> standard[] = {{"CView", nullptr},
	                                                        {"CViewContainer", "CView"},
	                                                        {"CControl", "CView"},
	                                                        {"CTextLabel", "CControl"},
	                                                        {"COnOffButton", "CControl"}};
	for (const auto& [name, base] : standard)
	{
		const auto* creator = UIViewFactory::getViewCreator (name);
		ASSERT_NE (creator, nullptr) << name;
		EXPECT_STREQ (creator->getViewName (), name);
		EXPECT_STREQ (creator->getDisplayName (), name);
		if (base)
			EXPECT_STREQ (creator->getBaseViewName (), base);
		else
			EXPECT_EQ (creator->getBaseViewName (), nullptr);
	}
	// Registering a stranger under a standard name leaves the standard one.
	ChainCreator impostor ("CView", nullptr);
	const auto* original = UIViewFactory::getViewCreator ("CView");
	UIViewFactory::registerViewCreator (impostor);
	EXPECT_EQ (UIViewFactory::getViewCreator ("CView"), original);
}

TEST (UIViewFactoryChain, CreateThenApplyAlongTheBaseChainWhileApplyAnswersTrue)
{
	std::vector<std::string> log;
	ChainCreator leaf ("TestLeaf", "TestMiddle", &log);
	ChainCreator middle ("TestMiddle", "TestRoot", &log);
	ChainCreator root ("TestRoot", nullptr, &log);
	for (auto* c : {&leaf, &middle, &root})
		UIViewFactory::registerViewCreator (*c);
	UIViewFactory factory;
	// The calls made while building a "TestLeaf"; "no view" when none is made.
	const auto build = [&] (const char* className = "TestLeaf") {
		log.clear ();
		CView* view = factory.createView (classAttributes (className), nullptr);
		if (!view)
			return std::vector<std::string> {"no view"};
		view->forget ();
		return log;
	};
	using Log = std::vector<std::string>;

	EXPECT_EQ (build (), (Log {"create TestLeaf", "apply TestLeaf", "apply TestMiddle", "apply TestRoot"}));
	// A false answer ends the chain; the view stays.
	middle.answer = false;
	EXPECT_EQ (build (), (Log {"create TestLeaf", "apply TestLeaf", "apply TestMiddle"}));
	middle.answer = true;
	// A view its own creator refuses is dropped.
	leaf.answer = false;
	EXPECT_EQ (build (), Log {"no view"});
	leaf.answer = true;
	// An unregistered base ends the chain.
	UIViewFactory::unregisterViewCreator (middle);
	EXPECT_EQ (build (), (Log {"create TestLeaf", "apply TestLeaf"}));

	// Unknown classes, no class, and creators that make nothing give no view.
	EXPECT_EQ (build ("NoSuchClass"), Log {"no view"});
	EXPECT_EQ (factory.createView (UIAttributes (), nullptr), nullptr);
	root.makesView = false;
	EXPECT_EQ (build ("TestRoot"), Log {"no view"});
	root.makesView = true;

	// Base names that loop end after a bounded number of steps.
	ChainCreator loopA ("TestLoopA", "TestLoopB", &log);
	ChainCreator loopB ("TestLoopB", "TestLoopA", &log);
	UIViewFactory::registerViewCreator (loopA);
	UIViewFactory::registerViewCreator (loopB);
	const auto loopLog = build ("TestLoopA");
	EXPECT_NE (loopLog, Log {"no view"});
	EXPECT_LE (loopLog.size (), 40u);

	for (auto* c : {&leaf, &root, &loopA, &loopB})
		UIViewFactory::unregisterViewCreator (*c);
}

TEST (StandardViewCreators, AttributesToViewAndBack)
{
	UIDescription description ("/nonexistent/plug.uidesc");
	const char* text = R"({"vstgui-ui-description": {"control-tags": {"Rate": "3"}}})";
	ASSERT_TRUE (description.parseText (text, strlen (text)));
	const auto* factory = static_cast<const UIViewFactory*> (description.getViewFactory ());

	const UIAttributes a = attributesOf (
	    {{"class", "CTextLabel"}, {"origin", "10, 20"}, {"size", "30, 40"}, {"transparent", "true"},
	     {"mouse-enabled", "false"}, {"min-value", "-1"}, {"max-value", "2"}, {"default-value", "0.5"},
	     {"wheel-inc-value", "0.05"}, {"control-tag", "Rate"}, {"title", "Hello"},
	     {"no-such-attribute", "ignored"}});
	CView* view = factory->createView (a, &description);
	auto* label = dynamic_cast<CTextLabel*> (view);
	ASSERT_NE (label, nullptr);
	EXPECT_EQ (label->getViewSize (), CRect (10., 20., 40., 60.));
	EXPECT_EQ (label->getMouseableArea (), CRect (10., 20., 40., 60.));
	EXPECT_TRUE (label->getTransparency ());
	EXPECT_FALSE (label->getMouseEnabled ());
	EXPECT_EQ (label->getTag (), 3);
	EXPECT_EQ (label->getText (), "Hello");

	IViewCreator::StringList names;
	ASSERT_TRUE (factory->getAttributeNames ("CTextLabel", names));
	EXPECT_EQ (names.front (), "title");
	for (const auto& name : names)
	{
		std::string value = "untouched";
		ASSERT_TRUE (factory->getAttributeValue (view, "CTextLabel", name, value, &description)) << name;
		if (a.hasAttribute (name))
		{
			EXPECT_EQ (value, *a.getAttributeValue (name)) << name;
		}
	}
	EXPECT_EQ (factory->getAttributeType ("CTextLabel", "control-tag"), IViewCreator::kTagType);
	EXPECT_EQ (factory->getAttributeType ("CTextLabel", "origin"), IViewCreator::kPointType);
	EXPECT_EQ (factory->getAttributeType ("CTextLabel", "title"), IViewCreator::kStringType);
	EXPECT_EQ (factory->getAttributeType ("CTextLabel", "no-such-attribute"), IViewCreator::kUnknownType);
	std::string value;
	EXPECT_FALSE (factory->getAttributeValue (view, "CTextLabel", "no-such-attribute", value, &description));

	// Creators refuse views of other classes and leave them alone.
	auto* button = new COnOffButton (CRect (0, 0, 5, 5));
	EXPECT_FALSE (UIViewFactory::getViewCreator ("CTextLabel")->apply (button, a, &description));
	auto* plain = new CView (CRect ());
	EXPECT_FALSE (UIViewFactory::getViewCreator ("CControl")->apply (plain, a, &description));
	EXPECT_EQ (plain->getViewSize (), CRect ());
	plain->forget ();
	button->forget ();
	view->forget ();
}

TEST (StandardViewCreators, HostileValuesAreLeftUnapplied)
{
	UIViewFactory factory;
	CView* view = factory.createView (
	    attributesOf ({{"class", "COnOffButton"}, {"origin", "1e300, 5"}, {"size", "-5, 10"},
	                   {"min-value", "-1e300"}, {"max-value", "1e300"}, {"control-tag", "NoSuchTag"},
	                   {"opacity", "7"}, {"bitmap", "missing"}}),
	    nullptr);
	auto* button = dynamic_cast<COnOffButton*> (view);
	ASSERT_NE (button, nullptr);
	EXPECT_EQ (button->getViewSize (), CRect (0., 0., 0., 0.));
	EXPECT_EQ (button->getMin (), -FLT_MAX);
	EXPECT_EQ (button->getMax (), FLT_MAX);
	EXPECT_EQ (button->getTag (), -1);
	EXPECT_EQ (button->getAlphaValue (), 1.f);
	EXPECT_EQ (button->getBackground (), nullptr);
	button->forget ();

	// CControl is a base: its creator makes nothing.
	EXPECT_EQ (factory.createView (classAttributes ("CControl"), nullptr), nullptr);
	// A label from a description carries no tag of its own.
	view = factory.createView (classAttributes ("CTextLabel"), nullptr);
	ASSERT_NE (view, nullptr);
	EXPECT_EQ (dynamic_cast<CControl*> (view)->getTag (), -1);
	view->forget ();
}

TEST (StandardViewCreators, BitmapsByDescriptionNameElseByResource)
{
	UIDescription description (std::string (LUMIVO_RESOURCE_DIR) + "/factory-test.uidesc");
	const char* text = R"({"vstgui-ui-description": {"bitmaps": {"back": {"path": "switch.png"}}}})";
	ASSERT_TRUE (description.parseText (text, strlen (text)));
	const auto* factory = static_cast<const UIViewFactory*> (description.getViewFactory ());
	auto view = owned (factory->createView (
	    attributesOf ({{"class", "CView"}, {"bitmap", "back"}, {"disabled-bitmap", ""}}), &description));
	ASSERT_NE (view, nullptr);
	ASSERT_NE (view->getBackground (), nullptr);
	EXPECT_EQ (view->getBackground (), description.getBitmap ("back"));
	EXPECT_EQ (view->getDisabledBackground (), nullptr);

	const auto written = [&] (const char* name) {
		std::string value = "untouched";
		EXPECT_TRUE (factory->getAttributeValue (view, "CView", name, value, &description)) << name;
		return value;
	};
	EXPECT_EQ (written ("bitmap"), "back");
	EXPECT_EQ (written ("disabled-bitmap"), "untouched");
	// Bitmaps the description does not hold: by number, and with no resource
	// at all as empty text rather than the caller's.
	view->setBackground (makeOwned<CBitmap> (CResourceDescription (7)));
	EXPECT_EQ (written ("bitmap"), "7");
	view->setBackground (makeOwned<CBitmap> (4., 4.));
	EXPECT_EQ (written ("bitmap"), "");
}
