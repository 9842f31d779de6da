// CFrame: the root of a view tree, with focus, pointer tracking and event entry points.
#include "cframe.h"

#include "platform/iplatformframe.h"

namespace VSTGUI {

CFrame::CFrame (const CRect& size) : CViewContainer (size)
{
	parentFrame = this;
	attachedFlag = true;
}

CFrame::~CFrame () noexcept
{
	// children hear removed() while the frame is still a whole frame
	removeAll (true);
	focusView = nullptr;
	mouseOverView = nullptr;
}

void CFrame::close ()
{
	removeAll (true);
	forget ();
}

bool CFrame::attached (CView*)
{
	return false;
}

bool CFrame::removed (CView*)
{
	return false;
}

void CFrame::setFocusView (CView* view)
{
	if (view == focusView)
		return;
	if (view && view != this && !isChild (view, true))
		return;
	CView* old = focusView;
	focusView = view;
	if (old)
		old->looseFocus ();
	if (focusView && focusView == view)
		focusView->takeFocus ();
}

void CFrame::viewRemoved (CView* view)
{
	if (view == mouseOverView)
		mouseOverView = nullptr;
	if (view == focusView)
	{
		focusView = nullptr;
		view->looseFocus ();
	}
}

void CFrame::invalidRect (const CRect& rect)
{
	// Headless: nothing to hand the region to. Views stay clean until drawn again.
	if (platformFrame && !rect.isEmpty ())
		platformFrame->invalidRect (rect);
}

void CFrame::setMouseOverView (CView* view, const CPoint& where, const CButtonState& buttons)
{
	if (view == mouseOverView)
		return;
	SharedPointer<CView> old (mouseOverView);
	mouseOverView = view;
	// where, in the parent coordinates of the view told
	auto localTo = [&] (CView* v) {
		CPoint origin (0., 0.);
		v->localToFrame (origin);
		return CPoint (where.x - origin.x, where.y - origin.y);
	};
	if (old)
	{
		CPoint local = localTo (old);
		old->onMouseExited (local, buttons);
	}
	// the exit may have changed the tree
	if (view && view == mouseOverView)
	{
		SharedPointer<CView> guard (view);
		CPoint local = localTo (view);
		view->onMouseEntered (local, buttons);
	}
}

CMouseEventResult CFrame::onMouseEntered (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	if ((buttons & CButtonState::kButtonMask) == 0)
		setMouseOverView (getViewAt (where, GetViewOptions ().deep ().mouseEnabled ()), where, buttons);
	return kMouseEventHandled;
}

CMouseEventResult CFrame::onMouseExited (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	setMouseOverView (nullptr, where, buttons);
	return kMouseEventHandled;
}

CMouseEventResult CFrame::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onMouseDown (where, buttons);
}

CMouseEventResult CFrame::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	const CPoint at (where);
	const auto result = CViewContainer::onMouseUp (where, buttons);
	// the pointer may have come over other views during the drag
	setMouseOverView (getViewAt (at, GetViewOptions ().deep ().mouseEnabled ()), at,
	                  buttons.getModifierState ());
	return result;
}

CMouseEventResult CFrame::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	// while a button is down the pressed view keeps the pointer
	if ((buttons & CButtonState::kButtonMask) == 0)
		setMouseOverView (getViewAt (where, GetViewOptions ().deep ().mouseEnabled ()), where, buttons);
	return CViewContainer::onMouseMoved (where, buttons);
}

CMouseEventResult CFrame::onMouseCancel ()
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onMouseCancel ();
}

bool CFrame::onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                      const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onWheel (where, axis, distance, buttons);
}

template <typename Call>
int32_t CFrame::keyToFocusChain (Call call)
{
	SharedPointer<CFrame> guard (this);
	for (SharedPointer<CView> view (focusView); view && view != this; view = view->getParentView ())
	{
		const int32_t result = call (view);
		if (result != -1)
			return result;
	}
	return -1;
}

int32_t CFrame::onKeyDown (VstKeyCode& keyCode)
{
	return keyToFocusChain ([&] (CView* view) { return view->onKeyDown (keyCode); });
}

int32_t CFrame::onKeyUp (VstKeyCode& keyCode)
{
	return keyToFocusChain ([&] (CView* view) { return view->onKeyUp (keyCode); });
}

} // namespace VSTGUI
