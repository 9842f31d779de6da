// The edit controller's side of the about area: which names make an about
// sub-controller, how the host context chooses the format, and the list of
// live sub-controllers.
#include "controller/plugaboutcontroller.h"
#include "controller/plugcontroller.h"

#include "pluginterfaces/vst/ivsthostapplication.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace Steinberg;
using About = Vst::PlugAboutController<Vst::PlugController>;

// A host context that may or may not run the plug-in inside the AU wrapper,
// counting references so that a query's reference can be seen released.
class FakeHostContext final : public Vst::IVst3ToAUWrapper
{
public:
	explicit FakeHostContext (bool wrapped) : wrapped (wrapped) {}

	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) override
	{
		if (FUnknownPrivate::iidEqual (iid, Vst::IVst3ToAUWrapper::iid))
		{
			++wrapperQueries;
			if (!wrapped)
			{
				*obj = nullptr;
				return kNoInterface;
			}
			addRef ();
			*obj = static_cast<Vst::IVst3ToAUWrapper*> (this);
			return kResultOk;
		}
		if (FUnknownPrivate::iidEqual (iid, FUnknown::iid))
		{
			addRef ();
			*obj = static_cast<FUnknown*> (this);
			return kResultOk;
		}
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () override { return ++refs; }
	uint32 PLUGIN_API release () override { return --refs; }

	bool wrapped;
	int wrapperQueries {0};
	uint32 refs {1};
};

struct ControllerDeleter
{
	void operator() (Vst::PlugController* c) const
	{
		c->terminate ();
		c->release ();
	}
};
using ControllerPtr = std::unique_ptr<Vst::PlugController, ControllerDeleter>;

ControllerPtr makeController (FUnknown* context)
{
	ControllerPtr controller (new Vst::PlugController ());
	EXPECT_EQ (controller->initialize (context), kResultOk);
	return controller;
}

About* subController (Vst::PlugController& controller, VSTGUI::UTF8StringPtr name)
{
	return dynamic_cast<About*> (controller.createSubController (name, nullptr, nullptr));
}

TEST (AboutSubControllerCreation, HostContextChoosesTheFormat)
{
	FakeHostContext wrapped (true);
	{
		auto controller = makeController (&wrapped);
		const uint32 refsBefore = wrapped.refs;
		std::unique_ptr<About> about (subController (*controller, "AboutController"));
		ASSERT_NE (about, nullptr);
		EXPECT_STREQ (about->getFormat ().text8 (), "AU");
		EXPECT_EQ (wrapped.wrapperQueries, 1);
		EXPECT_EQ (wrapped.refs, refsBefore);
	}

	FakeHostContext plain (false);
	{
		auto controller = makeController (&plain);
		std::unique_ptr<About> about (subController (*controller, "AboutController"));
		ASSERT_NE (about, nullptr);
		EXPECT_STREQ (about->getFormat ().text8 (), "VST3");
		EXPECT_EQ (plain.wrapperQueries, 1);
	}
	EXPECT_EQ (plain.refs, 1u);
	EXPECT_EQ (wrapped.refs, 1u);

	auto controller = makeController (nullptr);
	std::unique_ptr<About> about (subController (*controller, "AboutController"));
	ASSERT_NE (about, nullptr);
	EXPECT_STREQ (about->getFormat ().text8 (), "VST3");
}

TEST (AboutSubControllerCreation, OnlyTheExactNameMakesOne)
{
	FakeHostContext wrapped (true);
	auto controller = makeController (&wrapped);
	for (const char* name : {"aboutcontroller", "ABOUTCONTROLLER", "AboutController ", "AboutControllers",
	                         "AboutControlle", "", static_cast<const char*> (nullptr)})
		EXPECT_EQ (controller->createSubController (name, nullptr, nullptr), nullptr) << (name ? name : "null");
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
	EXPECT_EQ (wrapped.wrapperQueries, 0);
}

TEST (AboutSubControllerList, KeepsCreationOrderAndLeavesOnDestruction)
{
	auto controller = makeController (nullptr);
	auto* first = subController (*controller, "AboutController");
	auto* second = subController (*controller, "AboutController");
	auto* third = subController (*controller, "AboutController");
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<About*> {first, second, third}));

	delete second;
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<About*> {first, third}));
	delete first;
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<About*> {third}));
	delete third;
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
}

TEST (AboutSubControllerList, RemovesOnlyTheFirstEqualEntry)
{
	auto controller = makeController (nullptr);
	// Owned here, with no owner, so that their destruction leaves the list alone.
	About a (nullptr, false);
	About b (nullptr, false);
	About c (nullptr, false);
	controller->addAboutController (&a);
	controller->addAboutController (&b);
	controller->addAboutController (&a);

	controller->removeAboutController (&c);
	controller->removeAboutController (nullptr);
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<About*> {&a, &b, &a}));
	controller->removeAboutController (&a);
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<About*> {&b, &a}));
	controller->removeAboutController (&a);
	controller->removeAboutController (&a);
	EXPECT_EQ (controller->getAboutControllers (), (std::vector<About*> {&b}));
	controller->removeAboutController (&b);
	EXPECT_TRUE (controller->getAboutControllers ().empty ());
}

} // namespace
