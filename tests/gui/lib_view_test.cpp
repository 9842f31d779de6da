// Views, containers and the headless frame: listeners, ownership and event routing.
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/iviewlistener.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace VSTGUI;

namespace {

using Log = std::vector<std::string>;
constexpr CViewAttributeID kNameAttribute = 0x6e616d65;

struct LogViewListener : ViewListenerAdapter
{
	explicit LogViewListener (Log& log) : log (log) {}
	void viewSizeChanged (CView* v, const CRect& old) override
	{
		log.push_back (name (v) + ".size " + std::to_string (int (old.left)) + "->" +
		               std::to_string (int (v->getViewSize ().left)));
	}
	void viewAttached (CView* v) override { log.push_back (name (v) + ".attached"); }
	void viewRemoved (CView* v) override { log.push_back (name (v) + ".removed"); }
	void viewLostFocus (CView* v) override { log.push_back (name (v) + ".lostFocus"); }
	void viewTookFocus (CView* v) override { log.push_back (name (v) + ".tookFocus"); }
	void viewWillDelete (CView* v) override { log.push_back (name (v) + ".willDelete"); }
	std::string name (CView* v)
	{
		std::string n = "?";
		uint32_t size = 0;
		char buffer[16] {};
		if (v->getAttribute (kNameAttribute, sizeof (buffer) - 1, buffer, size))
			n.assign (buffer, size);
		return n;
	}
	Log& log;
};

CView* named (CView* v, const std::string& name)
{
	v->setAttribute (kNameAttribute, static_cast<uint32_t> (name.size ()), name.data ());
	return v;
}

// Answers every event with a configurable result and logs it with the local point.
class ProbeView : public CView
{
public:
	ProbeView (const CRect& r, Log& log, std::string name) : CView (r), log (log), name (std::move (name)) {}
	CMouseEventResult onMouseDown (CPoint& p, const CButtonState&) override
	{
		if (whileDown)
			whileDown ();
		return logged ("down", p, downResult);
	}
	CMouseEventResult onMouseMoved (CPoint& p, const CButtonState&) override
	{
		return logged ("moved", p, movedResult);
	}
	CMouseEventResult onMouseUp (CPoint& p, const CButtonState&) override { return logged ("up", p, kMouseEventHandled); }
	CMouseEventResult onMouseCancel () override
	{
		log.push_back (name + ".cancel");
		return kMouseEventHandled;
	}
	bool onWheel (const CPoint& p, const CMouseWheelAxis&, const float& d, const CButtonState&) override
	{
		logged ("wheel" + std::to_string (int (d)), p, kMouseEventHandled);
		return takesWheel;
	}
	int32_t onKeyDown (VstKeyCode& key) override
	{
		log.push_back (name + ".key" + std::to_string (key.virt));
		return keyResult;
	}

	CMouseEventResult downResult {kMouseEventHandled};
	CMouseEventResult movedResult {kMouseEventHandled};
	bool takesWheel {true};
	int32_t keyResult {1};
	std::function<void ()> whileDown;

private:
	CMouseEventResult logged (const std::string& what, const CPoint& p, CMouseEventResult r)
	{
		log.push_back (name + "." + what + " " + std::to_string (int (p.x)) + "," + std::to_string (int (p.y)));
		return r;
	}
	Log& log;
	std::string name;
};

// A frame with a full-size probe "below" and, above it, a container at (100, 50)
// holding the probe "inner" at (10, 10) to (50, 50) of the container.
struct RoutedFrame
{
	RoutedFrame ()
	{
		box->addView (inner);
		frame->addView (below);
		frame->addView (box);
	}

	Log log;
	SharedPointer<CFrame> frame = owned (new CFrame (CRect (0, 0, 300, 200)));
	CViewContainer* box = new CViewContainer (CRect (100, 50, 200, 150));
	ProbeView* inner = new ProbeView (CRect (10, 10, 50, 50), log, "inner");
	ProbeView* below = new ProbeView (CRect (0, 0, 300, 200), log, "below");
};

} // namespace

TEST (LibView, ListenersFollowTheViewsLife)
{
	Log log;
	LogViewListener listener (log);
	auto frame = owned (new CFrame (CRect (0, 0, 200, 100)));
	auto* container = new CViewContainer (CRect (10, 10, 110, 60));
	named (container, "box");
	auto* child = named (new CView (CRect (0, 0, 20, 20)), "child");
	container->registerViewListener (&listener);
	child->registerViewListener (&listener);
	child->registerViewListener (&listener);
	EXPECT_TRUE (container->addView (child));
	EXPECT_FALSE (child->isAttached ());
	EXPECT_TRUE (frame->addView (container));
	EXPECT_TRUE (child->isAttached ());
	EXPECT_EQ (child->getFrame (), frame.get ());
	EXPECT_EQ (child->getParentView (), container);
	EXPECT_FALSE (frame->addView (child)) << "a view has one parent";

	child->setViewSize (CRect (5, 0, 25, 20));
	child->setViewSize (CRect (5, 0, 25, 20));
	EXPECT_EQ (child->getMouseableArea (), CRect (5, 0, 25, 20));

	frame->setFocusView (child);
	frame->setFocusView (container);

	// removal tells the container first, then its children; the frame drops the focus
	SharedPointer<CView> keep (container);
	EXPECT_TRUE (frame->removeView (container));
	EXPECT_EQ (frame->getFocusView (), nullptr);
	EXPECT_FALSE (child->isAttached ());
	EXPECT_EQ (container->getNbReference (), 1);
	// deletion: the container's listeners hear it while its children still exist
	keep = nullptr;
	EXPECT_EQ (log, (Log {"box.attached", "child.attached", "child.size 0->5", "child.tookFocus", "child.lostFocus",
	                      "box.tookFocus", "box.removed", "box.lostFocus", "child.removed", "box.willDelete",
	                      "child.willDelete"}));
}

TEST (LibView, ContainersOwnTheirChildren)
{
	auto container = owned (new CViewContainer (CRect (0, 0, 100, 100)));
	auto* a = new CView (CRect (0, 0, 10, 10));
	auto* b = new CView (CRect (0, 0, 10, 10));
	SharedPointer<CView> watchA (a), watchB (b);
	EXPECT_FALSE (container->addView (nullptr));
	EXPECT_TRUE (container->addView (a));
	EXPECT_TRUE (container->addView (b, a));
	EXPECT_EQ (container->getNbViews (), 2u);
	EXPECT_EQ (container->getView (0), b);
	EXPECT_EQ (container->getView (1), a);
	EXPECT_EQ (container->getView (2), nullptr);
	EXPECT_EQ (a->getNbReference (), 2);

	EXPECT_TRUE (container->removeView (b, false));
	EXPECT_EQ (b->getNbReference (), 2) << "removed without forget: the caller takes the reference back";
	b->forget ();
	EXPECT_FALSE (container->removeView (b));
	EXPECT_TRUE (container->isChild (a));

	// a copy copies the children
	auto copy = owned (static_cast<CViewContainer*> (container->newCopy ()));
	ASSERT_EQ (copy->getNbViews (), 1u);
	EXPECT_NE (copy->getView (0), a);
	EXPECT_EQ (copy->getView (0)->getViewSize (), a->getViewSize ());

	container = nullptr;
	EXPECT_EQ (a->getNbReference (), 1) << "the container released its reference when deleted";
	EXPECT_EQ (a->getParentView (), nullptr);
}

TEST (LibView, BackgroundsAndFlags)
{
	auto view = owned (new CView (CRect (0, 0, 10, 10)));
	auto bg = makeOwned<CBitmap> (10., 10.);
	auto disabled = makeOwned<CBitmap> (10., 10.);
	EXPECT_EQ (view->getDrawBackground (), nullptr);
	view->setBackground (bg);
	EXPECT_EQ (bg->getNbReference (), 2);
	EXPECT_EQ (view->getDrawBackground (), bg.get ());
	view->setDisabledBackground (disabled);
	EXPECT_EQ (view->getDrawBackground (), bg.get ());
	view->setMouseEnabled (false);
	EXPECT_EQ (view->getDrawBackground (), disabled.get ());
	view->setBackground (nullptr);
	EXPECT_EQ (bg->getNbReference (), 1);
	EXPECT_FALSE (view->sizeToFit ());

	view->setMouseableArea (CRect (2, 2, 5, 5));
	view->setViewSize (CRect (10, 0, 20, 10));
	EXPECT_EQ (view->getMouseableArea (), CRect (12, 2, 15, 5)) << "a partial mouseable area moves with the view";
}

TEST (LibView, FrameRoutesAPressToOneViewUntilRelease)
{
	RoutedFrame f;
	auto& [log, frame, box, inner, below] = f;

	// points reach the view in its parent's coordinates; moves and release follow the press
	CPoint p (120, 70);
	EXPECT_EQ (frame->onMouseDown (p, kLButton), kMouseEventHandled);
	p (290, 190);
	EXPECT_EQ (frame->onMouseMoved (p, kLButton), kMouseEventHandled);
	EXPECT_EQ (frame->onMouseUp (p, kLButton), kMouseEventHandled);
	EXPECT_EQ (frame->onMouseUp (p, kLButton), kMouseEventNotHandled) << "the release ended the capture";
	EXPECT_EQ (log, (Log {"inner.down 20,20", "inner.moved 190,140", "inner.up 190,140"}));

	// a view that does not take the press lets the view below have it
	log.clear ();
	inner->downResult = kMouseEventNotHandled;
	p (120, 70);
	frame->onMouseDown (p, kLButton);
	frame->onMouseUp (p, kLButton);
	EXPECT_EQ (log, (Log {"inner.down 20,20", "below.down 120,70", "below.up 120,70"}));

	// a finished press gets no moves or release
	log.clear ();
	inner->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
	EXPECT_EQ (frame->onMouseDown (p, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
	frame->onMouseMoved (p, kLButton);
	EXPECT_EQ (frame->onMouseUp (p, kLButton), kMouseEventNotHandled);
	EXPECT_EQ (log, (Log {"inner.down 20,20", "inner.moved 20,20"})) << "the move without a press is a hover";

	// a move that needs no more events ends the capture
	log.clear ();
	inner->downResult = kMouseEventHandled;
	inner->movedResult = kMouseMoveEventHandledButDontNeedMoreEvents;
	frame->onMouseDown (p, kLButton);
	frame->onMouseMoved (p, kLButton);
	frame->onMouseMoved (p, kLButton);
	EXPECT_EQ (frame->onMouseUp (p, kLButton), kMouseEventNotHandled);
	EXPECT_EQ (log, (Log {"inner.down 20,20", "inner.moved 20,20", "inner.moved 20,20"}));

	// cancel goes to the captured view and ends the press
	log.clear ();
	inner->movedResult = kMouseEventHandled;
	frame->onMouseDown (p, kLButton);
	EXPECT_EQ (frame->onMouseCancel (), kMouseEventHandled);
	EXPECT_EQ (frame->onMouseCancel (), kMouseEventNotHandled);
	EXPECT_EQ (log, (Log {"inner.down 20,20", "inner.cancel"}));

	// disabled and invisible views are passed over
	log.clear ();
	inner->setMouseEnabled (false);
	frame->onMouseDown (p, kLButton);
	frame->onMouseUp (p, kLButton);
	inner->setMouseEnabled (true);
	inner->setVisible (false);
	frame->onMouseDown (p, kLButton);
	frame->onMouseUp (p, kLButton);
	EXPECT_EQ (log, (Log {"below.down 120,70", "below.up 120,70", "below.down 120,70", "below.up 120,70"}));
	inner->setVisible (true);

	// a captured view removed during the press gets nothing more, and nothing dangles
	log.clear ();
	frame->onMouseDown (p, kLButton);
	box->removeView (inner);
	frame->onMouseMoved (p, kLButton);
	frame->onMouseUp (p, kLButton);
	EXPECT_EQ (log, (Log {"inner.down 20,20"}));
}

TEST (LibView, AViewRemovedByTheViewAboveIsNotOfferedThePress)
{
	RoutedFrame f;
	auto& [log, frame, box, inner, below] = f;
	auto* under = new ProbeView (CRect (0, 0, 100, 100), log, "under");
	box->addView (under, inner);
	// inner declines the press after releasing the view beneath it
	inner->downResult = kMouseEventNotHandled;
	inner->whileDown = [&f, under] { f.box->removeView (under); };
	CPoint p (120, 70);
	EXPECT_EQ (frame->onMouseDown (p, kLButton), kMouseEventHandled);
	EXPECT_EQ (box->getNbViews (), 1u);
	EXPECT_EQ (log, (Log {"inner.down 20,20", "below.down 120,70"}));
}

TEST (LibView, FrameRoutesWheelAndKeys)
{
	RoutedFrame f;
	auto& [log, frame, box, inner, below] = f;

	EXPECT_TRUE (frame->onWheel (CPoint (120, 70), kMouseWheelAxisY, 2.f, 0));
	inner->takesWheel = false;
	EXPECT_TRUE (frame->onWheel (CPoint (120, 70), kMouseWheelAxisY, 3.f, 0));
	below->takesWheel = false;
	EXPECT_FALSE (frame->onWheel (CPoint (5, 5), kMouseWheelAxisY, 4.f, 0));
	EXPECT_EQ (log, (Log {"inner.wheel2 20,20", "inner.wheel3 20,20", "below.wheel3 120,70", "below.wheel4 5,5"}));

	log.clear ();
	VstKeyCode key {0, VKEY_UP, 0};
	EXPECT_EQ (frame->onKeyDown (key), -1) << "no focus view";
	frame->setFocusView (inner);
	EXPECT_EQ (frame->getFocusView (), inner);
	EXPECT_EQ (frame->onKeyDown (key), 1);
	inner->keyResult = -1;
	EXPECT_EQ (frame->onKeyDown (key), -1);
	EXPECT_EQ (log, (Log {"inner.key12", "inner.key12"}));

	// a press on a control makes it the focus view
	struct Focusable : CControl
	{
		using CControl::CControl;
		void draw (CDrawContext*) override {}
		CView* newCopy () const override { return nullptr; }
	};
	auto* control = new Focusable (CRect (250, 150, 290, 190));
	frame->addView (control);
	CPoint p (260, 160);
	frame->onMouseDown (p, kLButton);
	EXPECT_EQ (frame->getFocusView (), control);
	auto stray = owned (new CView (CRect ()));
	frame->setFocusView (stray); // not in the tree: refused
	EXPECT_EQ (frame->getFocusView (), control);
}

TEST (LibView, GeometryAndButtonStates)
{
	CRect r (10, 20, 30, 60);
	EXPECT_TRUE (r.pointInside (CPoint (10, 20)));
	EXPECT_FALSE (r.pointInside (CPoint (30, 20))) << "right edge excluded";
	EXPECT_FALSE (r.pointInside (CPoint (10, 60))) << "bottom edge excluded";
	EXPECT_EQ (CRect (r).inset (1, 2), CRect (11, 22, 29, 58));
	EXPECT_EQ (CRect (30, 60, 10, 20).normalize (), r);
	EXPECT_EQ (r.getSize (), CPoint (20, 40));
	EXPECT_EQ (CRect (r).offset (5, -5).getTopLeft (), CPoint (15, 15));

	EXPECT_TRUE (CButtonState (kLButton | kShift | kAlt).isLeftButton ());
	EXPECT_FALSE (CButtonState (kLButton | kButton4).isLeftButton ());
	EXPECT_FALSE (CButtonState (kShift).isLeftButton ());
	EXPECT_EQ (CButtonState (kLButton | kShift | kApple | kDoubleClick).getModifierState (), kShift | kApple);
	EXPECT_EQ (buttonStateFromKeyModifiers (MODIFIER_SHIFT | MODIFIER_COMMAND | MODIFIER_ALTERNATE | MODIFIER_CONTROL),
	           CButtonState (0xF0));
	EXPECT_EQ (buttonStateFromKeyModifiers (MODIFIER_COMMAND), CButtonState (kControl));
	EXPECT_EQ (buttonStateFromKeyModifiers (MODIFIER_CONTROL), CButtonState (kApple));
}
