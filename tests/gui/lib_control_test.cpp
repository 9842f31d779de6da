// CControl value arithmetic, dirty state, listeners, edit brackets, the default-value
// click, and the label and button controls built on it.
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/csearchtextedit.h"
#include "vstgui/lib/controls/ctextedit.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/crunloop.h"
#include "recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

class TestControl : public CControl
{
public:
	using CControl::CControl;
	void draw (CDrawContext*) override { setDirty (false); }
	CView* newCopy () const override { return new TestControl (*this); }
	float rawValue () const { return value; }
};

// Records every notification as text, in order.
struct LogListener : IControlListener
{
	LogListener (std::vector<std::string>& log, std::string name) : log (log), name (std::move (name)) {}
	void valueChanged (CControl* c) override { log.push_back (name + ".value " + std::to_string (c->getValue ())); }
	void controlBeginEdit (CControl*) override { log.push_back (name + ".begin"); }
	void controlEndEdit (CControl*) override { log.push_back (name + ".end"); }
	void controlTagWillChange (CControl* c) override { log.push_back (name + ".tagWill " + std::to_string (c->getTag ())); }
	void controlTagDidChange (CControl* c) override { log.push_back (name + ".tagDid " + std::to_string (c->getTag ())); }
	std::vector<std::string>& log;
	std::string name;
};

const float kNaN = std::numeric_limits<float>::quiet_NaN ();

} // namespace

TEST (LibControl, ValueIsClampedToRangeAndNormalisedSafely)
{
	auto c = makeOwned<TestControl> (CRect (0, 0, 10, 10));
	EXPECT_EQ (c->getMin (), 0.f);
	EXPECT_EQ (c->getMax (), 1.f);
	EXPECT_EQ (c->getDefaultValue (), 0.5f);
	EXPECT_FLOAT_EQ (c->getWheelInc (), 0.1f);

	c->setMin (-10.f);
	c->setMax (30.f);
	c->setValue (50.f);
	EXPECT_EQ (c->getValue (), 30.f);
	c->setValue (-11.f);
	EXPECT_EQ (c->getValue (), -10.f);
	c->setValue (5.f);
	EXPECT_EQ (c->getValue (), 5.f);
	EXPECT_FLOAT_EQ (c->getValueNormalized (), 0.375f);
	// a NaN must not become the stored value
	c->setValue (kNaN);
	EXPECT_EQ (c->getValue (), -10.f);

	c->setValueNormalized (0.25f);
	EXPECT_FLOAT_EQ (c->getValue (), 0.f);
	c->setValueNormalized (1.5f);
	EXPECT_EQ (c->getValue (), 30.f);
	c->setValueNormalized (-0.5f);
	EXPECT_EQ (c->getValue (), -10.f);
	c->setValue (20.f);
	c->setValueNormalized (kNaN);
	EXPECT_EQ (c->getValue (), -10.f);
	EXPECT_EQ (c->getValueNormalized (), 0.f);

	// empty range: the normalised value is 0, never a division by zero
	c->setMin (2.f);
	c->setMax (2.f);
	c->setValue (7.f);
	EXPECT_EQ (c->getValue (), 2.f);
	EXPECT_EQ (c->getValueNormalized (), 0.f);
	c->setValueNormalized (0.7f);
	EXPECT_EQ (c->getValue (), 2.f);
}

TEST (LibControl, DirtyFollowsValueSinceLastClean)
{
	auto c = makeOwned<TestControl> (CRect (0, 0, 10, 10));
	EXPECT_FALSE (c->isDirty ());
	c->setValue (0.3f);
	EXPECT_TRUE (c->isDirty ());
	c->setValue (0.f);
	EXPECT_FALSE (c->isDirty ()) << "back at the clean value";
	c->setValue (0.6f);
	c->invalid ();
	EXPECT_FALSE (c->isDirty ()) << "invalid hands the change to the redraw";
	c->setValue (0.6f);
	EXPECT_FALSE (c->isDirty ());
	c->setDirty (true);
	EXPECT_TRUE (c->isDirty ());
	RecordingDrawContext context;
	c->draw (&context);
	EXPECT_FALSE (c->isDirty ());
}

TEST (LibControl, ListenersHearValueChangesInOrderAndEditsAtTheOuterBracket)
{
	std::vector<std::string> log;
	LogListener main (log, "main"), sub1 (log, "sub1"), sub2 (log, "sub2");
	auto c = makeOwned<TestControl> (CRect (0, 0, 10, 10), &main, 7);
	EXPECT_EQ (c->getTag (), 7);
	EXPECT_EQ (c->getListener (), &main);
	c->registerControlListener (&sub1);
	c->registerControlListener (&sub2);
	c->registerControlListener (&sub1); // no double registration

	c->setValue (1.f);
	c->valueChanged ();
	EXPECT_EQ (log, (std::vector<std::string> {"main.value 1.000000", "sub1.value 1.000000", "sub2.value 1.000000"}));

	log.clear ();
	EXPECT_FALSE (c->isEditing ());
	c->beginEdit ();
	c->beginEdit ();
	EXPECT_TRUE (c->isEditing ());
	c->endEdit ();
	EXPECT_TRUE (c->isEditing ());
	c->endEdit ();
	EXPECT_FALSE (c->isEditing ());
	c->endEdit (); // unmatched: ignored, the count stays at zero
	c->beginEdit ();
	c->endEdit ();
	EXPECT_EQ (log, (std::vector<std::string> {"main.begin", "sub1.begin", "sub2.begin", "main.end", "sub1.end",
	                                           "sub2.end", "main.begin", "sub1.begin", "sub2.begin", "main.end",
	                                           "sub1.end", "sub2.end"}));

	log.clear ();
	c->setTag (9);
	c->setTag (9);
	EXPECT_EQ (log, (std::vector<std::string> {"main.tagWill 7", "sub1.tagWill 7", "sub2.tagWill 7", "main.tagDid 9",
	                                           "sub1.tagDid 9", "sub2.tagDid 9"}));

	log.clear ();
	c->unregisterControlListener (&sub1);
	c->setListener (nullptr);
	c->valueChanged ();
	EXPECT_EQ (log, (std::vector<std::string> {"sub2.value 1.000000"}));
}

TEST (LibControl, ListenerMayUnregisterOthersWhileBeingTold)
{
	std::vector<std::string> log;
	LogListener second (log, "second");
	struct Remover : IControlListener
	{
		IControlListener* other {nullptr};
		int calls {0};
		void valueChanged (CControl* c) override
		{
			++calls;
			c->unregisterControlListener (this);
			c->unregisterControlListener (other);
		}
	} remover;
	remover.other = &second;
	auto c = makeOwned<TestControl> (CRect (0, 0, 10, 10));
	c->registerControlListener (&remover);
	c->registerControlListener (&second);
	c->valueChanged ();
	c->valueChanged ();
	EXPECT_EQ (remover.calls, 1);
	EXPECT_TRUE (log.empty ()) << "an unregistered listener is not told any more";
}

TEST (LibControl, AnEditStillOpenEndsOnceWhenTheControlLeavesOrIsDeleted)
{
	std::vector<std::string> log;
	LogListener main (log, "main");

	// Taken out of its view tree mid-gesture, nested edits included: the
	// listeners hear one end, and the control keeps living.
	auto frame = owned (new CFrame (CRect (0, 0, 100, 100)));
	auto* kept = new TestControl (CRect (0, 0, 10, 10), &main);
	frame->addView (kept);
	kept->remember (); // held past its removal
	kept->beginEdit ();
	kept->beginEdit ();
	frame->removeView (kept);
	EXPECT_FALSE (kept->isEditing ());
	EXPECT_EQ (log, (std::vector<std::string> {"main.begin", "main.end"}));

	// Deleted mid-gesture: the end comes while the control is still whole.
	log.clear ();
	auto* gone = new TestControl (CRect (0, 0, 10, 10), &main, 5);
	gone->beginEdit ();
	gone->forget ();
	EXPECT_EQ (log, (std::vector<std::string> {"main.begin", "main.end"}));

	// With no edit open, leaving and deletion tell nothing.
	log.clear ();
	frame->addView (kept);
	frame->removeView (kept);
	EXPECT_TRUE (log.empty ());
}

TEST (LibControl, CheckDefaultValueWantsLeftButtonAndExactModifier)
{
	EXPECT_EQ (CControl::kZoomModifier, kShift);
	EXPECT_EQ (CControl::kDefaultValueModifier, kControl);

	std::vector<std::string> log;
	LogListener main (log, "main");
	auto c = makeOwned<TestControl> (CRect (0, 0, 10, 10), &main);
	c->setDefaultValue (0.25f);
	c->setValue (0.75f);
	c->invalid ();

	EXPECT_FALSE (c->checkDefaultValue (kLButton));
	EXPECT_FALSE (c->checkDefaultValue (kLButton | kControl | kShift));
	EXPECT_FALSE (c->checkDefaultValue (kRButton | kControl));
	EXPECT_FALSE (c->checkDefaultValue (kLButton | kRButton | kControl));
	EXPECT_FALSE (c->checkDefaultValue (kControl));
	EXPECT_TRUE (log.empty ());
	EXPECT_EQ (c->getValue (), 0.75f);

	// the double-click bit is not a button and not a modifier
	EXPECT_TRUE (c->checkDefaultValue (kLButton | kControl | kDoubleClick));
	EXPECT_EQ (c->getValue (), 0.25f);
	EXPECT_EQ (log, (std::vector<std::string> {"main.begin", "main.value 0.250000", "main.end"}));
	EXPECT_TRUE (c->isDirty ());
	EXPECT_FALSE (c->isEditing ());

	// already at the default: taken, but nothing is reported
	log.clear ();
	EXPECT_TRUE (c->checkDefaultValue (kLButton | kControl));
	EXPECT_TRUE (log.empty ());

	// the process-wide modifier is honoured (Alt, as the system sets it)
	const int32_t saved = CControl::kDefaultValueModifier;
	CControl::kDefaultValueModifier = kAlt;
	c->setValue (1.f);
	EXPECT_FALSE (c->checkDefaultValue (kLButton | kControl));
	EXPECT_TRUE (c->checkDefaultValue (kLButton | kAlt));
	EXPECT_EQ (c->getValue (), 0.25f);
	CControl::kDefaultValueModifier = saved;
}

TEST (LibControl, CopyKeepsValueRangeAndListenersButNoEdit)
{
	std::vector<std::string> log;
	LogListener main (log, "main");
	auto c = makeOwned<TestControl> (CRect (1, 2, 30, 40), &main, 3);
	c->setMin (-1.f);
	c->setMax (5.f);
	c->setValue (4.f);
	c->setDefaultValue (2.f);
	c->setWheelInc (0.05f);
	c->beginEdit ();
	auto copy = owned (static_cast<CControl*> (c->newCopy ()));
	EXPECT_EQ (copy->getNbReference (), 1);
	EXPECT_EQ (copy->getViewSize (), CRect (1, 2, 30, 40));
	EXPECT_EQ (copy->getValue (), 4.f);
	EXPECT_EQ (copy->getMin (), -1.f);
	EXPECT_EQ (copy->getMax (), 5.f);
	EXPECT_EQ (copy->getDefaultValue (), 2.f);
	EXPECT_EQ (copy->getWheelInc (), 0.05f);
	EXPECT_EQ (copy->getTag (), 3);
	EXPECT_EQ (copy->getListener (), &main);
	EXPECT_FALSE (copy->isEditing ());
	c->endEdit ();
}

TEST (LibControl, OnOffButtonTogglesInsideOneEdit)
{
	std::vector<std::string> log;
	LogListener main (log, "main");
	auto button = makeOwned<COnOffButton> (CRect (0, 0, 20, 10), &main, 4);
	CPoint where (5, 5);
	EXPECT_EQ (button->onMouseDown (where, kRButton), kMouseEventNotHandled);
	EXPECT_TRUE (log.empty ());
	EXPECT_EQ (button->onMouseDown (where, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (button->getValue (), 1.f);
	EXPECT_EQ (button->onMouseDown (where, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	EXPECT_EQ (button->getValue (), 0.f);
	EXPECT_EQ (log, (std::vector<std::string> {"main.begin", "main.value 1.000000", "main.end", "main.begin",
	                                           "main.value 0.000000", "main.end"}));

	// the background holds off above on; the on state draws the lower half
	auto bitmap = makeOwned<CBitmap> (20., 20.);
	button->setBackground (bitmap);
	EXPECT_TRUE (button->sizeToFit ());
	EXPECT_EQ (button->getViewSize (), CRect (0, 0, 20, 10));
	RecordingDrawContext context;
	button->draw (&context);
	button->setValue (1.f);
	button->draw (&context);
	auto draws = context.callsOf (RecordingDrawContext::Op::DrawBitmap);
	ASSERT_EQ (draws.size (), 2u);
	EXPECT_EQ (draws[0].offset, CPoint (0, 0));
	EXPECT_EQ (draws[1].offset, CPoint (0, 10));
	EXPECT_EQ (draws[1].bitmap, bitmap.get ());
}

TEST (LibControl, TextLabelFamilyKeepsTextAndDerivesFromLabel)
{
	auto label = makeOwned<CTextLabel> (CRect (0, 0, 100, 20), "hello");
	EXPECT_EQ (label->getText (), "hello");
	label->setText ("3.1.0, VST3 x86_64-macOS  ");
	EXPECT_EQ (label->getText ().getString (), "3.1.0, VST3 x86_64-macOS  ");
	label->setText (nullptr);
	EXPECT_TRUE (label->getText ().empty ());

	SharedPointer<CView> views[] = {owned<CView> (new CMultiLineTextLabel (CRect (0, 0, 1, 1))),
	                                owned<CView> (new CTextEdit (CRect (0, 0, 1, 1), nullptr, 5, "t")),
	                                owned<CView> (new CSearchTextEdit (CRect (0, 0, 1, 1), nullptr, 6))};
	for (auto& v : views)
	{
		EXPECT_NE (dynamic_cast<CTextLabel*> (v.get ()), nullptr);
		EXPECT_EQ (dynamic_cast<COnOffButton*> (v.get ()), nullptr);
		auto copy = owned (v->newCopy ());
		const CView& original = *v;
		const CView& copied = *copy;
		EXPECT_EQ (typeid (copied), typeid (original));
	}
	EXPECT_EQ (static_cast<CTextEdit*> (views[1].get ())->getText (), "t");
	EXPECT_EQ (static_cast<CTextEdit*> (views[1].get ())->getTag (), 5);
}
