// The about sub-controller on its own, with a fake owner: the platform texts,
// the info line, binding of label and toggle in every order, the toggle's
// values, and the release of every registration it makes.
#include "controller/plugaboutcontroller.h"
#include "controller/platformname.h"

#include "vstgui/lib/controls/csearchtextedit.h"
#include "vstgui/lib/controls/ctextedit.h"
#include "vstgui/uidescription/uiattributes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#if defined(__unix__) && !defined(__APPLE__)
#include <sys/utsname.h>
#endif

namespace {

using namespace Steinberg;
using namespace VSTGUI;

struct FakeOwner;
using About = Vst::PlugAboutController<FakeOwner>;

struct FakeOwner
{
	std::vector<About*> removed;
	void removeAboutController (About* controller) { removed.push_back (controller); }
};

// Sets the value without the control's clamping, so that -0 and NaN reach
// the sub-controller as they are, and shows who listens to the control.
class RawToggle final : public COnOffButton
{
public:
	RawToggle () : COnOffButton (CRect (0, 0, 20, 20)) {}
	void setRaw (float v) { value = v; }
	size_t listenerCount () const { return subListeners.size (); }
};

CTextLabel* newLabel () { return new CTextLabel (CRect (0, 0, 200, 20), "before"); }

std::string textOf (const CTextLabel* label) { return label->getText ().getString (); }

std::string lineFor (const About& about)
{
	return std::string ("3.1.0, ") + about.getFormat ().text8 () + " " + about.getPlatform ().text8 () + "  ";
}

const UIAttributes kNoAttributes;

// A sub-controller with a label and a toggle of its own, both not yet bound.
class AboutBinding : public ::testing::Test
{
protected:
	void bind (CView* view) { about.verifyView (view, kNoAttributes, nullptr); }

	FakeOwner owner;
	About about {&owner, false};
	SharedPointer<CTextLabel> label = VSTGUI::owned (newLabel ());
	SharedPointer<RawToggle> toggle = VSTGUI::owned (new RawToggle ());
};

TEST (AboutPlatform, EveryOutcomeOfTheQueryMapsToItsText)
{
	EXPECT_STREQ (Vst::platformNameForQuery (-1, ENOENT, 0), "x86_64-macOS");
	EXPECT_STREQ (Vst::platformNameForQuery (-1, ENOENT, 1), "x86_64-macOS");
	EXPECT_STREQ (Vst::platformNameForQuery (-1, EPERM, 0), "unknown");
	EXPECT_STREQ (Vst::platformNameForQuery (-1, 0, 2), "unknown");
	EXPECT_STREQ (Vst::platformNameForQuery (0, 0, 0), "arm64-macOS");
	EXPECT_STREQ (Vst::platformNameForQuery (0, 0, 1), "arm64-macOS (T)");
	EXPECT_STREQ (Vst::platformNameForQuery (0, 0, 2), "x86_64-macOS");
	EXPECT_STREQ (Vst::platformNameForQuery (0, 0, 3), "unknown");
	EXPECT_STREQ (Vst::platformNameForQuery (0, 0, -1), "unknown");
	// Only -1 is a failure: any other result reads the integer, and errno
	// left over from elsewhere is ignored.
	EXPECT_STREQ (Vst::platformNameForQuery (1, ENOENT, 1), "arm64-macOS (T)");
	EXPECT_STREQ (Vst::platformNameForQuery (-2, EPERM, 0), "arm64-macOS");
	EXPECT_STREQ (Vst::platformNameForQuery (0, 0, 2), Vst::platformNameForQuery (-1, ENOENT, 7));
}

TEST (AboutPlatform, ThisSystemNamesItsOwnArchitecture)
{
	const std::string name = Vst::queryPlatformName ();
	ASSERT_FALSE (name.empty ());
	EXPECT_EQ (name, Vst::queryPlatformName ());
#if defined(__unix__) && !defined(__APPLE__)
	struct utsname names {};
	ASSERT_EQ (uname (&names), 0);
	EXPECT_EQ (name, std::string (names.machine) + "-" + names.sysname);
#if defined(__linux__) && defined(__x86_64__)
	EXPECT_EQ (name, "x86_64-Linux");
#endif
#endif
}

TEST (AboutInfoLine, IsVersionFormatPlatformAndTwoBlanks)
{
	const String vst3 = Vst::makeAboutInfoLine ("3.1.0", "VST3", "x86_64-macOS");
	EXPECT_STREQ (vst3.text8 (), "3.1.0, VST3 x86_64-macOS  ");
	EXPECT_EQ (vst3.length (), 26);
	const String au = Vst::makeAboutInfoLine ("3.1.0", "AU", "arm64-macOS (T)");
	EXPECT_STREQ (au.text8 (), "3.1.0, AU arm64-macOS (T)  ");
	EXPECT_EQ (au.length (), 27);
}

TEST (AboutController, ConstructionFillsTheTextsAndDestructionLeavesTheOwnersList)
{
	FakeOwner owner;
	auto* vst3 = new About (&owner, false);
	EXPECT_STREQ (vst3->getFormat ().text8 (), "VST3");
	EXPECT_STREQ (vst3->getVersion ().text8 (), "3.1.0");
	EXPECT_EQ (std::string (vst3->getPlatform ().text8 ()), Vst::queryPlatformName ());
	EXPECT_EQ (vst3->getInfoLabel (), nullptr);
	EXPECT_EQ (vst3->getToggle (), nullptr);

	auto* au = new About (&owner, true);
	EXPECT_STREQ (au->getFormat ().text8 (), "AU");

	delete au;
	delete vst3;
	ASSERT_EQ (owner.removed.size (), 2u);
	EXPECT_EQ (owner.removed[0], au);
	EXPECT_EQ (owner.removed[1], vst3);
}

TEST_F (AboutBinding, BindsLabelsAndTogglesByClassAlone)
{
	EXPECT_EQ (about.verifyView (nullptr, kNoAttributes, nullptr), nullptr);

	auto plain = VSTGUI::owned (new CView (CRect (0, 0, 10, 10)));
	EXPECT_EQ (about.verifyView (plain, kNoAttributes, nullptr), plain.get ());
	EXPECT_EQ (about.getInfoLabel (), nullptr);
	EXPECT_EQ (about.getToggle (), nullptr);

	auto multi = VSTGUI::owned (static_cast<CTextLabel*> (new CMultiLineTextLabel (CRect (0, 0, 10, 10))));
	auto edit = VSTGUI::owned (static_cast<CTextLabel*> (new CTextEdit (CRect (0, 0, 10, 10), nullptr, 1, "x")));
	auto search =
	    VSTGUI::owned (static_cast<CTextLabel*> (new CSearchTextEdit (CRect (0, 0, 10, 10), nullptr, 2, "y")));
	for (auto* view : {multi.get (), edit.get (), search.get (), label.get ()})
	{
		EXPECT_EQ (about.verifyView (view, kNoAttributes, nullptr), view);
		EXPECT_EQ (about.getInfoLabel (), view);
		EXPECT_EQ (textOf (view), "");
	}

	EXPECT_EQ (about.verifyView (toggle, kNoAttributes, nullptr), toggle.get ());
	EXPECT_EQ (about.getToggle (), toggle.get ());
	EXPECT_EQ (about.getInfoLabel (), label.get ());
	EXPECT_EQ (toggle->getListener (), nullptr);
}

TEST_F (AboutBinding, BindingOrderDecidesWhenTheLineAppears)
{
	const std::string line = lineFor (about);

	// Toggle first, already on: nothing to write into yet.
	toggle->setRaw (1.f);
	bind (toggle);

	// A label verified while the toggle is on starts empty and stays so
	// until the toggle's next change.
	auto first = VSTGUI::owned (newLabel ());
	bind (first);
	EXPECT_EQ (textOf (first), "");
	about.valueChanged (toggle);
	EXPECT_EQ (textOf (first), line);

	// A second label takes over; the first keeps what it had when the
	// second arrived.
	toggle->setRaw (0.f);
	about.valueChanged (toggle);
	auto second = VSTGUI::owned (newLabel ());
	bind (second);
	EXPECT_EQ (about.getInfoLabel (), second.get ());
	toggle->setRaw (1.f);
	about.valueChanged (toggle);
	EXPECT_EQ (textOf (second), line);
	EXPECT_EQ (textOf (first), "");

	// Through the control itself, as a click would do it.
	toggle->setRaw (0.f);
	toggle->valueChanged ();
	EXPECT_EQ (textOf (second), "");
	toggle->setRaw (1.f);
	toggle->valueChanged ();
	EXPECT_EQ (textOf (second), line);
}

TEST (AboutController, ToggleValuesComparedWithZero)
{
	FakeOwner owner;
	About about (&owner, true);
	const std::string line = lineFor (about);
	EXPECT_EQ (line.substr (0, 10), "3.1.0, AU ");
	auto label = VSTGUI::owned (newLabel ());
	auto toggle = VSTGUI::owned (new RawToggle ());
	about.verifyView (label, kNoAttributes, nullptr);
	about.verifyView (toggle, kNoAttributes, nullptr);

	const struct
	{
		float value;
		bool shows;
	} cases[] = {{1.f, true},  {0.f, false}, {0.5f, true}, {-0.f, false}, {1.f, true},
	             {std::numeric_limits<float>::quiet_NaN (), false}, {-2.f, true}, {0.f, false}};
	for (const auto& c : cases)
	{
		toggle->setRaw (c.value);
		about.valueChanged (toggle);
		EXPECT_EQ (textOf (label), c.shows ? line : "") << "value " << c.value;
		// Repeating the call for one change leaves the same text.
		about.valueChanged (toggle);
		EXPECT_EQ (textOf (label), c.shows ? line : "") << "value " << c.value;
	}
}

// The plain value decides, not the position in the toggle's range: a toggle
// whose range lies above zero shows the line even at its minimum, and one
// whose range spans zero shows nothing at zero, halfway up.
TEST_F (AboutBinding, ThePlainValueDecidesWhateverTheToggleRange)
{
	bind (label);
	bind (toggle);
	const std::string line = lineFor (about);
	const struct
	{
		float min, max, value;
		bool shows;
	} cases[] = {{2.f, 3.f, 2.f, true}, {-1.f, 1.f, 0.f, false}, {-1.f, 1.f, -1.f, true}};
	for (const auto& c : cases)
	{
		toggle->setMin (c.min);
		toggle->setMax (c.max);
		toggle->setValue (c.value);
		toggle->valueChanged ();
		EXPECT_EQ (textOf (label), c.shows ? line : "") << c.min << ".." << c.max << " at " << c.value;
	}
}

TEST_F (AboutBinding, IgnoresControlsOtherThanTheBoundToggle)
{
	bind (label);

	// No toggle bound yet: even an "on" button changes nothing.
	auto stranger = VSTGUI::owned (new RawToggle ());
	stranger->setRaw (1.f);
	about.valueChanged (stranger);
	about.valueChanged (label);
	about.valueChanged (nullptr);
	EXPECT_EQ (textOf (label), "");

	bind (toggle);
	toggle->setRaw (1.f);
	about.valueChanged (toggle);
	ASSERT_EQ (textOf (label), lineFor (about));

	// A control that made the sub-controller its main listener, as the
	// library does for controls below it, is still not the toggle: its
	// call must not even re-read the toggle (switched off unannounced here).
	toggle->setRaw (0.f);
	stranger->setListener (&about);
	stranger->setRaw (0.f);
	stranger->valueChanged ();
	about.valueChanged (stranger);
	EXPECT_EQ (textOf (label), lineFor (about));
}

TEST (AboutController, DeletedViewsAreReleased)
{
	FakeOwner owner;
	About about (&owner, false);
	auto* label = newLabel ();
	auto* toggle = new RawToggle ();
	about.verifyView (label, kNoAttributes, nullptr);
	about.verifyView (toggle, kNoAttributes, nullptr);

	// Label first: later changes of the toggle build the line and write nothing.
	label->forget ();
	EXPECT_EQ (about.getInfoLabel (), nullptr);
	toggle->setRaw (1.f);
	toggle->valueChanged ();
	about.valueChanged (toggle);
	EXPECT_EQ (about.getToggle (), toggle);

	// The toggle deleted while bound is released as well.
	toggle->forget ();
	EXPECT_EQ (about.getToggle (), nullptr);

	auto other = VSTGUI::owned (new CView (CRect ()));
	about.viewWillDelete (other);
	about.viewWillDelete (nullptr);
	EXPECT_EQ (owner.removed.size (), 0u);
}

// Each registration the sub-controller makes is dropped when the view is
// replaced or the sub-controller goes, so views outliving it never call it.
// (The label's view listeners are private to the view; the sanitized run
// catches a call into the deleted sub-controller when the labels go last.)
TEST (AboutController, ReplacedAndOutlivingViewsKeepNoRegistration)
{
	FakeOwner owner;
	auto firstToggle = VSTGUI::owned (new RawToggle ());
	auto secondToggle = VSTGUI::owned (new RawToggle ());
	auto firstLabel = VSTGUI::owned (newLabel ());
	auto secondLabel = VSTGUI::owned (newLabel ());
	{
		auto* about = new About (&owner, false);
		about->verifyView (firstLabel, kNoAttributes, nullptr);
		about->verifyView (firstToggle, kNoAttributes, nullptr);
		about->verifyView (firstToggle, kNoAttributes, nullptr);
		EXPECT_EQ (firstToggle->listenerCount (), 1u);

		about->verifyView (secondToggle, kNoAttributes, nullptr);
		about->verifyView (secondLabel, kNoAttributes, nullptr);
		EXPECT_EQ (firstToggle->listenerCount (), 0u);
		EXPECT_EQ (secondToggle->listenerCount (), 1u);

		// The released toggle no longer drives the label.
		firstToggle->setRaw (1.f);
		firstToggle->valueChanged ();
		EXPECT_EQ (textOf (secondLabel), "");

		delete about;
		EXPECT_EQ (secondToggle->listenerCount (), 0u);
		ASSERT_EQ (owner.removed.size (), 1u);
		EXPECT_EQ (owner.removed[0], about);
	}
	secondToggle->setRaw (1.f);
	secondToggle->valueChanged ();
	EXPECT_EQ (textOf (secondLabel), "");
	firstLabel = nullptr;
	secondLabel = nullptr;
	firstToggle = nullptr;
	secondToggle = nullptr;
}

} // namespace
