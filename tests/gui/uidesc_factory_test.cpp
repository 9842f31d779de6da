// The view factory: its process-wide registry rules, creation along the
// base-view chain and the layer's own creators, read and written back.
#include "uidesc_testkit.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/uidescription/uiviewfactory.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>

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

UIAttributes classAttributes (const char* className)
{
	UIAttributes a;
	a.setAttribute ("class", className);
	return a;
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

	CView* view = factory.createView (classAttributes ("TestLeaf"), nullptr);
	ASSERT_NE (view, nullptr);
	EXPECT_EQ (log, (std::vector<std::string> {"create TestLeaf", "apply TestLeaf", "apply TestMiddle",
	                                           "apply TestRoot"}));
	view->forget ();

	// A false answer ends the chain; the view stays.
	log.clear ();
	middle.answer = false;
	view = factory.createView (classAttributes ("TestLeaf"), nullptr);
	ASSERT_NE (view, nullptr);
	EXPECT_EQ (log, (std::vector<std::string> {"create TestLeaf", "apply TestLeaf", "apply TestMiddle"}));
	view->forget ();
	middle.answer = true;

	// A view its own creator refuses is dropped.
	log.clear ();
	leaf.answer = false;
	EXPECT_EQ (factory.createView (classAttributes ("TestLeaf"), nullptr), nullptr);
	leaf.answer = true;

	// An unregistered base ends the chain.
	log.clear ();
	UIViewFactory::unregisterViewCreator (middle);
	view = factory.createView (classAttributes ("TestLeaf"), nullptr);
	ASSERT_NE (view, nullptr);
	EXPECT_EQ (log, (std::vector<std::string> {"create TestLeaf", "apply TestLeaf"}));
	view->forget ();

	// Unknown classes, no class, and creators that make nothing give no view.
	EXPECT_EQ (factory.createView (classAttributes ("NoSuchClass"), nullptr), nullptr);
	EXPECT_EQ (factory.createView (UIAttributes (), nullptr), nullptr);
	root.makesView = false;
	EXPECT_EQ (factory.createView (classAttributes ("TestRoot"), nullptr), nullptr);
	root.makesView = true;

	// Base names that loop end after a bounded number of steps.
	log.clear ();
	ChainCreator loopA ("TestLoopA", "TestLoopB", &log);
	ChainCreator loopB ("TestLoopB", "TestLoopA", &log);
	UIViewFactory::registerViewCreator (loopA);
	UIViewFactory::registerViewCreator (loopB);
	view = factory.createView (classAttributes ("TestLoopA"), nullptr);
	ASSERT_NE (view, nullptr);
	EXPECT_LE (log.size (), 40u);
	view->forget ();

	for (auto* c : {&leaf, &root, &loopA, &loopB})
		UIViewFactory::unregisterViewCreator (*c);
}

TEST (StandardViewCreators, AttributesToViewAndBack)
{
	UIDescription description ("/nonexistent/plug.uidesc");
	const char* text = R"({"vstgui-ui-description": {"control-tags": {"Rate": "3"}}})";
	ASSERT_TRUE (description.parseText (text, strlen (text)));
	const auto* factory = static_cast<const UIViewFactory*> (description.getViewFactory ());

	UIAttributes a = classAttributes ("CTextLabel");
	a.setAttribute ("origin", "10, 20");
	a.setAttribute ("size", "30, 40");
	a.setAttribute ("transparent", "true");
	a.setAttribute ("mouse-enabled", "false");
	a.setAttribute ("min-value", "-1");
	a.setAttribute ("max-value", "2");
	a.setAttribute ("default-value", "0.5");
	a.setAttribute ("wheel-inc-value", "0.05");
	a.setAttribute ("control-tag", "Rate");
	a.setAttribute ("title", "Hello");
	a.setAttribute ("no-such-attribute", "ignored");
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
	UIAttributes a = classAttributes ("COnOffButton");
	a.setAttribute ("origin", "1e300, 5");
	a.setAttribute ("size", "-5, 10");
	a.setAttribute ("min-value", "-1e300");
	a.setAttribute ("max-value", "1e300");
	a.setAttribute ("control-tag", "NoSuchTag");
	a.setAttribute ("opacity", "7");
	a.setAttribute ("bitmap", "missing");
	CView* view = factory.createView (a, nullptr);
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
