// The VST3 editor on a small description with a controller of the tests:
// opening and failing to open, the delegate's part, parameter bindings in
// both directions, and the reference it holds on its controller.
#include "uidesc_testkit.h"

#include "componenthandler.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/plugin-bindings/vst3editor.h"
#include "vstgui/uidescription/uidescription.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;
using LumivoTest::makeTempDir;
using LumivoTest::RecordingComponentHandler;
using LumivoTest::writeFile;
using Call = RecordingComponentHandler::Call;

namespace {

const char* kDescription = R"({"vstgui-ui-description": {
  "control-tags": {"First": "7", "Second": "8", "Unknown": "99"},
  "templates": {
    "view": {"attributes": {"class": "CViewContainer", "size": "300, 200"},
      "children": {
        "COnOffButton": {"attributes": {"origin": "0, 0", "size": "20, 20", "control-tag": "First"}},
        "COnOffButton": {"attributes": {"origin": "30, 0", "size": "20, 20", "control-tag": "First"}},
        "COnOffButton": {"attributes": {"origin": "60, 0", "size": "20, 20", "control-tag": "Second"}},
        "COnOffButton": {"attributes": {"origin": "90, 0", "size": "20, 20", "control-tag": "Unknown"}},
        "CViewContainer": {"attributes": {"origin": "0, 50", "size": "100, 50", "sub-controller": "SubArea"},
          "children": {"COnOffButton": {"attributes": {"size": "20, 20", "control-tag": "Second"}}}}
      }},
    "empty": {"attributes": {"class": "NoSuchView"}}
  }}})";

class TestController : public EditController, public VSTGUI::VST3EditorDelegate
{
public:
	tresult PLUGIN_API initialize (FUnknown* context) override
	{
		EditController::initialize (context);
		parameters.addParameter (STR16 ("First"), nullptr, 0, 0.25, ParameterInfo::kCanAutomate, 7);
		parameters.addParameter (STR16 ("Second"), nullptr, 1, 0., ParameterInfo::kCanAutomate, 8);
		return kResultOk;
	}
	void didOpen (VSTGUI::VST3Editor*) override { log.push_back ("didOpen"); }
	void willClose (VSTGUI::VST3Editor* editor) override
	{
		log.push_back (editor->getFrame () ? "willClose with views" : "willClose without views");
	}
	VSTGUI::IController* createSubController (VSTGUI::UTF8StringPtr name, const VSTGUI::IUIDescription*,
	                                          VSTGUI::VST3Editor*) override
	{
		return new LumivoTest::LoggingController (name, log);
	}
	VSTGUI::CView* verifyView (VSTGUI::CView* view, const VSTGUI::UIAttributes& attributes,
	                           const VSTGUI::IUIDescription*, VSTGUI::VST3Editor*) override
	{
		log.push_back ("delegate verifies " + LumivoTest::classOf (attributes));
		return view;
	}
	bool isPrivateParameter (const ParamID id, VSTGUI::VST3Editor*) override { return id == privateID; }

	long logged (const std::string& entry) const { return std::count (log.begin (), log.end (), entry); }

	std::vector<std::string> log;
	ParamID privateID {1000};
};

struct EditorFixture : ::testing::Test
{
	void SetUp () override
	{
		dir = makeTempDir ();
		writeFile (dir, "test.uidesc", kDescription);
		VSTGUI::VST3Editor::setResourceDirectoryOverride (dir);
		controller = new TestController ();
		controller->initialize (nullptr);
		handler = new RecordingComponentHandler ();
		controller->setComponentHandler (handler);
	}
	void TearDown () override
	{
		controller->terminate ();
		EXPECT_EQ (controller->release (), 0u);
		handler->release ();
		VSTGUI::VST3Editor::setResourceDirectoryOverride ({});
	}
	std::string dir;
	TestController* controller {nullptr};
	RecordingComponentHandler* handler {nullptr};
};

VSTGUI::CControl* buttonAt (VSTGUI::VST3Editor& editor, uint32_t index)
{
	auto* root = dynamic_cast<VSTGUI::CViewContainer*> (editor.getFrame ()->getView (0));
	return root ? dynamic_cast<VSTGUI::CControl*> (root->getView (index)) : nullptr;
}

void click (VSTGUI::VST3Editor& editor, VSTGUI::CControl* control)
{
	VSTGUI::CPoint where = control->getViewSize ().getCenter ();
	control->localToFrame (where);
	editor.getFrame ()->onMouseDown (where, VSTGUI::CButtonState (VSTGUI::kLButton));
}

} // namespace

TEST_F (EditorFixture, OpensOnlyWithADescriptionAndATemplate)
{
	{
		VSTGUI::VST3Editor missingFile (controller, "view", "absent.uidesc");
		EXPECT_FALSE (missingFile.open ());
		EXPECT_EQ (missingFile.attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultFalse);
		EXPECT_EQ (missingFile.getFrame (), nullptr);
		VSTGUI::VST3Editor missingTemplate (controller, "other", "test.uidesc");
		EXPECT_FALSE (missingTemplate.open ());
		VSTGUI::VST3Editor unbuildable (controller, "empty", "test.uidesc");
		EXPECT_FALSE (unbuildable.open ());
		VSTGUI::VST3Editor noController (nullptr, "view", "test.uidesc");
		EXPECT_FALSE (noController.open ());
		writeFile (dir, "broken.uidesc", "{\"vstgui-ui-description\": {");
		VSTGUI::VST3Editor broken (controller, "view", "broken.uidesc");
		EXPECT_FALSE (broken.open ());
		VSTGUI::VST3Editor absolute (controller, "view", (dir + "/test.uidesc").c_str ());
		EXPECT_TRUE (absolute.open ());
	}
	// Failed openings told the delegate nothing; no sub-controller outlived them.
	EXPECT_EQ (controller->logged ("didOpen"), 1);
	EXPECT_EQ (controller->logged ("SubArea deleted"), 1);
	EXPECT_TRUE (handler->events ().empty ());
}

TEST_F (EditorFixture, DelegateTakesPartInOpeningAndClosing)
{
	auto* editor = new VSTGUI::VST3Editor (controller, "view", "test.uidesc");
	EXPECT_EQ (editor->attached (nullptr, "any"), kResultOk);
	EXPECT_EQ (editor->attached (nullptr, "any"), kResultOk);
	ViewRect rect;
	editor->getSize (&rect);
	EXPECT_EQ (rect.getWidth (), 300);
	EXPECT_EQ (rect.getHeight (), 200);
	EXPECT_EQ (editor->getSize (nullptr), kInvalidArgument);
	EXPECT_EQ (editor->onSize (nullptr), kInvalidArgument);
	ASSERT_FALSE (controller->log.empty ());
	EXPECT_EQ (controller->log.back (), "didOpen");
	EXPECT_EQ (controller->logged ("SubArea verifies COnOffButton"), 1);
	EXPECT_EQ (controller->logged ("delegate verifies CViewContainer"), 1);
	controller->log.clear ();
	editor->removed ();
	EXPECT_EQ (controller->log, (std::vector<std::string> {"willClose with views", "SubArea deleted"}));
	controller->log.clear ();
	editor->removed ();
	EXPECT_TRUE (controller->log.empty ());
	// The editor holds its controller until it goes.
	EXPECT_EQ (controller->addRef (), 3u);
	controller->release ();
	EXPECT_EQ (editor->release (), 0u);
}

TEST_F (EditorFixture, ControlsAndParametersFollowEachOther)
{
	VSTGUI::VST3Editor editor (controller, "view", "test.uidesc");
	ASSERT_TRUE (editor.open ());
	auto* first = buttonAt (editor, 0);
	auto* twin = buttonAt (editor, 1);
	auto* second = buttonAt (editor, 2);
	auto* unknown = buttonAt (editor, 3);
	ASSERT_TRUE (first && twin && second && unknown);
	EXPECT_EQ (editor.findControlForParameter (7), first);
	EXPECT_EQ (editor.findControlForParameter (99), nullptr);
	EXPECT_FLOAT_EQ (first->getValueNormalized (), 0.25f);
	EXPECT_FLOAT_EQ (twin->getValueNormalized (), 0.25f);

	// A click is one gesture: begin, the value read back, end.
	click (editor, second);
	using E = RecordingComponentHandler::Event;
	EXPECT_EQ (handler->events (), (std::vector<E> {{Call::beginEdit, 8, 0., 0},
	                                                {Call::performEdit, 8, 1., 0},
	                                                {Call::endEdit, 8, 0., 0}}));
	EXPECT_EQ (controller->getParamNormalized (8), 1.);
	handler->clear ();

	// Both controls of one parameter follow it, whoever changes it.
	click (editor, first);
	EXPECT_FLOAT_EQ (twin->getValueNormalized (), first->getValueNormalized ());
	EXPECT_EQ (controller->getParamNormalized (7), first->getValueNormalized ());
	controller->setParamNormalized (7, 0.);
	EXPECT_FLOAT_EQ (first->getValueNormalized (), 0.f);
	EXPECT_FLOAT_EQ (twin->getValueNormalized (), 0.f);
	handler->clear ();

	// A value change outside a gesture still reaches the host bracketed.
	second->setValueNormalized (0.f);
	second->valueChanged ();
	EXPECT_EQ (handler->events (), (std::vector<E> {{Call::beginEdit, 8, 0., 0},
	                                                {Call::performEdit, 8, 0., 0},
	                                                {Call::endEdit, 8, 0., 0}}));
	handler->clear ();

	// A tag without a parameter, and a control under a sub-controller, stay
	// unbound: nothing reaches the host.
	click (editor, unknown);
	EXPECT_TRUE (handler->events ().empty ());
	editor.close ();
	controller->setParamNormalized (7, 1.);
	EXPECT_EQ (editor.findControlForParameter (7), nullptr);
}

TEST_F (EditorFixture, PrivateParametersAreNotBound)
{
	controller->privateID = 8;
	VSTGUI::VST3Editor editor (controller, "view", "test.uidesc");
	ASSERT_TRUE (editor.open ());
	EXPECT_EQ (editor.findControlForParameter (8), nullptr);
	EXPECT_NE (editor.findControlForParameter (7), nullptr);
	click (editor, buttonAt (editor, 2));
	EXPECT_TRUE (handler->events ().empty ());
}
