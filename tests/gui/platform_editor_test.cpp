// The editor's side of the VST3 view contract without a display: the platform
// type, attachments refused (no run loop, no display, wrong type, twice, removed
// without attached), the fixed size, the content scale and the host's keys.
#include "uidesc_testkit.h"

#include "platform_fakehost.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/platform/linux/x11frame.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace Steinberg;
using PlatformTest::FakeHost;

namespace {

const char* kDescription = R"({"vstgui-ui-description": {
  "templates": {"view": {"attributes": {"class": "CViewContainer", "size": "300, 200"}}}}})";

// Restores $DISPLAY when the test ends.
struct DisplayVariable
{
	const char* value = std::getenv ("DISPLAY");
	const std::string saved = value ? value : "";
	~DisplayVariable () { value ? setenv ("DISPLAY", saved.c_str (), 1) : unsetenv ("DISPLAY"); }
};

// takes the up arrow only
class KeyView : public VSTGUI::CView
{
public:
	KeyView () : CView (VSTGUI::CRect (0, 0, 10, 10)) {}
	int32_t onKeyDown (VSTGUI::VstKeyCode& key) override { return (last = key).virt == VSTGUI::VKEY_UP ? 1 : -1; }
	int32_t onKeyUp (VSTGUI::VstKeyCode& key) override { return onKeyDown (key); }
	VSTGUI::VstKeyCode last;
};

struct PlatformEditor : ::testing::Test
{
	void SetUp () override
	{
		const std::string dir = LumivoTest::makeTempDir ();
		LumivoTest::writeFile (dir, "test.uidesc", kDescription);
		VSTGUI::VST3Editor::setResourceDirectoryOverride (dir);
		controller = Steinberg::owned (new Vst::EditController ());
		editor = Steinberg::owned (new VSTGUI::VST3Editor (controller, "view", "test.uidesc"));
	}
	void TearDown () override { VSTGUI::VST3Editor::setResourceDirectoryOverride ({}); }

	ViewRect size ()
	{
		ViewRect r;
		EXPECT_EQ (editor->getSize (&r), kResultTrue);
		return r;
	}

	IPtr<Vst::EditController> controller;
	IPtr<VSTGUI::VST3Editor> editor;
	void* const someWindow = reinterpret_cast<void*> (uintptr_t {0x400001});
};

} // namespace

TEST_F (PlatformEditor, OnlyX11WithAHostRunLoopAndADisplayIsAttached)
{
	EXPECT_EQ (editor->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultTrue);
	EXPECT_EQ (editor->isPlatformTypeSupported (kPlatformTypeHWND), kResultFalse);
	EXPECT_EQ (editor->isPlatformTypeSupported (nullptr), kInvalidArgument);
	EXPECT_EQ (editor->removed (), kResultFalse) << "removed without attached";

	// no frame, then a frame without a run loop
	EXPECT_EQ (editor->attached (someWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);
	FakeHost noLoop (false);
	editor->setFrame (&noLoop);
	EXPECT_EQ (editor->attached (someWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);

	FakeHost host;
	editor->setFrame (&host);
	EXPECT_EQ (editor->attached (someWindow, nullptr), kInvalidArgument);
	EXPECT_EQ (editor->attached (someWindow, kPlatformTypeHWND), kResultFalse);
	// no display at all, and one where no server listens: refused, no crash
	DisplayVariable restore;
	for (const char* display : {static_cast<const char*> (nullptr), ":64999"})
	{
		if (display)
			setenv ("DISPLAY", display, 1);
		else
			unsetenv ("DISPLAY");
		EXPECT_EQ (editor->attached (someWindow, kPlatformTypeX11EmbedWindowID), kResultFalse);
		EXPECT_TRUE (host.handlers.empty ());
		EXPECT_TRUE (host.timers.empty ());
		EXPECT_FALSE (editor->isOpen ()) << "a refused attach keeps no views";
	}
	EXPECT_EQ (editor->removed (), kResultFalse);
	editor->setFrame (nullptr);
	EXPECT_EQ (host.refs, 1u);
	EXPECT_EQ (noLoop.refs, 1u);
}

TEST_F (PlatformEditor, FixedSizeScaledByTheContentFactor)
{
	// known before attached, so that a host can size its window first
	EXPECT_EQ (size ().getWidth (), 300);
	EXPECT_EQ (size ().getHeight (), 200);
	EXPECT_EQ (editor->canResize (), kResultFalse);
	ViewRect wish (10, 20, 500, 500);
	EXPECT_EQ (editor->checkSizeConstraint (&wish), kResultTrue);
	EXPECT_EQ (wish.left, 10);
	EXPECT_EQ (wish.right, 310);
	EXPECT_EQ (wish.bottom, 220);
	EXPECT_EQ (editor->checkSizeConstraint (nullptr), kInvalidArgument);
	ViewRect moved (5, 5, 305, 205);
	EXPECT_EQ (editor->onSize (&moved), kResultTrue);
	ViewRect larger (0, 0, 400, 200);
	EXPECT_EQ (editor->onSize (&larger), kResultFalse);
	EXPECT_EQ (size ().getWidth (), 300);

	FUnknownPtr<IPlugViewContentScaleSupport> scale (static_cast<IPlugView*> (editor.get ()));
	ASSERT_TRUE (scale);
	const float inf = std::numeric_limits<float>::infinity ();
	// outside 0.25..8: a redraw at 34x took seconds, 1e-30 made a 1x1 window of a 0x0 editor
	for (float bad : {std::nanf (""), inf, -inf, 0.f, -1.f, 1e-30f, 0.24f, 8.01f, 34.f, 1e6f})
		EXPECT_EQ (scale->setContentScaleFactor (bad), kInvalidArgument) << bad;
	EXPECT_EQ (size ().getWidth (), 300) << "a refused factor changed the size";
	EXPECT_EQ (scale->setContentScaleFactor (8.f), kResultTrue);
	EXPECT_EQ (size ().getWidth (), 2400);
	EXPECT_EQ (scale->setContentScaleFactor (0.25f), kResultTrue);
	EXPECT_EQ (size ().getWidth (), 75);
	EXPECT_EQ (size ().getHeight (), 50);
	// the window's rounding, never below one pixel
	EXPECT_EQ (VSTGUI::X11::X11Frame::toPixels (1., 0.25), 1);
	EXPECT_EQ (VSTGUI::X11::X11Frame::toPixels (2.5, 1.), 3);
	EXPECT_EQ (scale->setContentScaleFactor (1.5f), kResultTrue);
	EXPECT_EQ (size ().getWidth (), 450);
	EXPECT_EQ (size ().getHeight (), 300);
	ASSERT_EQ (editor->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
	EXPECT_EQ (size ().getWidth (), 450) << "opening keeps the factor";
	ViewRect scaled (0, 0, 450, 300);
	EXPECT_EQ (editor->onSize (&scaled), kResultTrue);
	EXPECT_EQ (editor->removed (), kResultOk);
}

TEST_F (PlatformEditor, HostKeysGoToTheFocusView)
{
	EXPECT_EQ (editor->onKeyDown (0, VSTGUI::VKEY_UP, 0), kResultFalse) << "no views yet";
	ASSERT_EQ (editor->attached (nullptr, kPlatformTypeX11EmbedWindowID), kResultOk);
	auto* view = new KeyView ();
	editor->getFrame ()->addView (view);
	editor->getFrame ()->setFocusView (view);

	// the VST3 key numbering and modifier bits are the library's
	EXPECT_EQ (editor->onKeyDown (0, VSTGUI::VKEY_UP, VSTGUI::MODIFIER_SHIFT | VSTGUI::MODIFIER_ALTERNATE),
	           kResultTrue);
	EXPECT_EQ (view->last.virt, VSTGUI::VKEY_UP);
	EXPECT_EQ (view->last.modifier, VSTGUI::MODIFIER_SHIFT | VSTGUI::MODIFIER_ALTERNATE);
	EXPECT_EQ (editor->onKeyUp (0, VSTGUI::VKEY_UP, 0), kResultTrue);
	EXPECT_EQ (editor->onKeyDown ('x', 0, 0), kResultFalse);
	EXPECT_EQ (view->last.character, 'x');
	EXPECT_EQ (editor->onKeyDown (0, 300, 0), kResultFalse) << "an unknown virtual key";
	EXPECT_EQ (view->last.virt, 0);
	EXPECT_EQ (editor->removed (), kResultOk);
	EXPECT_EQ (editor->onKeyUp (0, VSTGUI::VKEY_UP, 0), kResultFalse);
}
