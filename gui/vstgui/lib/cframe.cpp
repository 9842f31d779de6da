// CFrame: the headless root of a view tree, with focus and event entry points.
#include "cframe.h"

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
	if (view == focusView)
	{
		focusView = nullptr;
		view->looseFocus ();
	}
}

void CFrame::invalidRect (const CRect&)
{
	// No window: nothing to hand the region to. Views stay clean until drawn again.
}

CMouseEventResult CFrame::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onMouseDown (where, buttons);
}

CMouseEventResult CFrame::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
	return CViewContainer::onMouseUp (where, buttons);
}

CMouseEventResult CFrame::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	SharedPointer<CFrame> guard (this);
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

int32_t CFrame::onKeyDown (VstKeyCode& keyCode)
{
	SharedPointer<CFrame> guard (this);
	for (SharedPointer<CView> view (focusView); view && view != this; view = view->getParentView ())
	{
		const int32_t result = view->onKeyDown (keyCode);
		if (result != -1)
			return result;
	}
	return -1;
}

} // namespace VSTGUI
