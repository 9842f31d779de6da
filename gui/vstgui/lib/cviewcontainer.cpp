// CViewContainer: child ownership and the routing of mouse events.
#include "cviewcontainer.h"

#include "cdrawcontext.h"
#include "cframe.h"

#include <algorithm>

namespace VSTGUI {

namespace {
bool taken (CMouseEventResult result)
{
	return result != kMouseEventNotHandled && result != kMouseEventNotImplemented;
}
} // namespace

CViewContainer::CViewContainer (const CRect& size) : CView (size) {}

CViewContainer::CViewContainer (const CViewContainer& other) : CView (other)
{
	for (auto* child : other.children)
		if (auto* copy = child->newCopy ())
			addView (copy);
}

CViewContainer::~CViewContainer () noexcept
{
	// normally emptied in beforeDelete; this covers a container deleted directly
	mouseDownView = nullptr;
	auto remaining = std::move (children);
	children.clear ();
	for (auto* child : remaining)
	{
		if (child->isAttached ())
			child->removed (this);
		child->forget ();
	}
}

void CViewContainer::beforeDelete ()
{
	// The container's listeners hear viewWillDelete before any child is released.
	CView::beforeDelete ();
	removeAll (true);
}

void CViewContainer::draw (CDrawContext* context)
{
	drawChildren (context, getViewSize ());
}

void CViewContainer::drawRect (CDrawContext* context, const CRect& updateRect)
{
	if (context && getViewSize ().rectOverlap (updateRect))
		drawChildren (context, updateRect);
}

void CViewContainer::drawChildren (CDrawContext* context, const CRect& updateRect)
{
	if (!context)
		return;
	CRect area (updateRect);
	area.bound (getViewSize ());
	context->saveGlobalState ();
	CRect clip;
	context->setClipRect (context->getClipRect (clip).bound (area));
	drawBackground (context);

	const CPoint origin = getChildOrigin ();
	context->setOffset (context->getOffset () + origin);
	CRect local (area);
	local.offsetInverse (origin);
	// a child's drawing may change the tree: each one is held while it draws
	const auto copy = children;
	for (auto* child : copy)
	{
		if (!isChild (child))
			continue;
		SharedPointer<CView> held (child);
		if (child->isVisible () && child->getViewSize ().rectOverlap (local))
			child->drawRect (context, local);
	}
	context->restoreGlobalState ();
	setDirty (false);
}

bool CViewContainer::addView (CView* view)
{
	return addView (view, nullptr);
}

bool CViewContainer::addView (CView* view, CView* before)
{
	if (!view || view == this || view->getParentView () || isChild (view))
		return false;
	auto pos = std::find (children.begin (), children.end (), before);
	children.insert (pos, view);
	if (isAttached ())
		view->attached (this);
	return true;
}

bool CViewContainer::removeView (CView* view, bool withForget)
{
	auto it = std::find (children.begin (), children.end (), view);
	if (it == children.end ())
		return false;
	children.erase (it);
	if (mouseDownView == view)
		mouseDownView = nullptr;
	if (view->isAttached ())
		view->removed (this);
	if (withForget)
		view->forget ();
	return true;
}

bool CViewContainer::removeAll (bool withForget)
{
	mouseDownView = nullptr;
	while (!children.empty ())
		removeView (children.back (), withForget);
	return true;
}

CView* CViewContainer::getView (uint32_t index) const
{
	return index < children.size () ? children[index] : nullptr;
}

bool CViewContainer::isChild (CView* view, bool deep) const
{
	for (auto* child : children)
	{
		if (child == view)
			return true;
		if (deep)
			if (auto* container = dynamic_cast<CViewContainer*> (child))
				if (container->isChild (view, true))
					return true;
	}
	return false;
}

CView* CViewContainer::getViewAt (const CPoint& where, const GetViewOptions& options) const
{
	CPoint local (where);
	local -= getChildOrigin ();
	for (auto it = children.rbegin (); it != children.rend (); ++it)
	{
		CView* child = *it;
		if (!options.getIncludeInvisible () && !child->isVisible ())
			continue;
		if (options.getMouseEnabled () && !child->getMouseEnabled ())
			continue;
		if (!child->getViewSize ().pointInside (local))
			continue;
		if (auto* container = dynamic_cast<CViewContainer*> (child))
		{
			if (options.getDeep ())
				if (auto* inner = container->getViewAt (local, options))
					return inner;
			if (!options.getIncludeViewContainer ())
				continue;
		}
		return child;
	}
	return nullptr;
}

void CViewContainer::invalidRect (const CRect& rect)
{
	CRect moved (rect);
	moved.offset (getChildOrigin ());
	CView::invalidRect (moved);
}

void CViewContainer::invalid ()
{
	setDirty (false);
	CRect all (getViewSize ());
	all.offsetInverse (getChildOrigin ());
	invalidRect (all);
}

bool CViewContainer::attached (CView* parent)
{
	if (!CView::attached (parent))
		return false;
	const auto copy = children;
	for (auto* child : copy)
		child->attached (this);
	return true;
}

bool CViewContainer::removed (CView* parent)
{
	if (!isAttached ())
		return false;
	mouseDownView = nullptr;
	// the container's listeners first, then the children from the top down
	CView::removed (parent);
	const auto copy = children;
	for (auto* child : copy)
		if (child->isAttached ())
			child->removed (this);
	return true;
}

void CViewContainer::setMouseEnabled (bool enable)
{
	CView::setMouseEnabled (enable);
	if (!enable)
		mouseDownView = nullptr;
}

template <typename Take>
bool CViewContainer::offerToChildrenAt (const CPoint& local, const CButtonState& buttons, Take take)
{
	// A handler may remove (and so release) other children: each one is checked
	// against the live list before it is touched, and held while it handles.
	const auto copy = children;
	for (auto it = copy.rbegin (); it != copy.rend (); ++it)
	{
		if (!isChild (*it))
			continue;
		SharedPointer<CView> child (*it);
		if (child->isVisible () && child->getMouseEnabled () && child->hitTest (local, buttons) &&
		    take (child.get ()))
			return true;
	}
	return false;
}

CMouseEventResult CViewContainer::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	mouseDownView = nullptr;
	const CPoint local = where - getChildOrigin ();
	// a view that does not take the press lets the views below try
	CMouseEventResult result = kMouseEventNotHandled;
	offerToChildrenAt (local, buttons, [&] (CView* child) {
		if (child->wantsFocus () && getFrame ())
			getFrame ()->setFocusView (child);
		CPoint p (local);
		result = child->onMouseDown (p, buttons);
		if (!taken (result))
			return false;
		if (result == kMouseEventHandled && isChild (child))
			mouseDownView = child;
		return true;
	});
	return taken (result) ? result : kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	if (!mouseDownView)
		return kMouseEventNotHandled;
	SharedPointer<CView> view = std::move (mouseDownView);
	CPoint p = where - getChildOrigin ();
	return view->onMouseUp (p, buttons);
}

CMouseEventResult CViewContainer::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	const CPoint local = where - getChildOrigin ();
	if (mouseDownView)
	{
		SharedPointer<CView> view = mouseDownView;
		CPoint p (local);
		const CMouseEventResult result = view->onMouseMoved (p, buttons);
		if (result == kMouseMoveEventHandledButDontNeedMoreEvents && mouseDownView == view)
			mouseDownView = nullptr;
		return result;
	}
	// no press: the move goes to the view under the mouse, whatever it answers
	CMouseEventResult result = kMouseEventNotHandled;
	offerToChildrenAt (local, buttons, [&] (CView* child) {
		CPoint p (local);
		result = child->onMouseMoved (p, buttons);
		return true;
	});
	return result;
}

CMouseEventResult CViewContainer::onMouseCancel ()
{
	if (!mouseDownView)
		return kMouseEventNotHandled;
	SharedPointer<CView> view = std::move (mouseDownView);
	return view->onMouseCancel ();
}

bool CViewContainer::onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                              const CButtonState& buttons)
{
	const CPoint local = where - getChildOrigin ();
	return offerToChildrenAt (local, buttons,
	                          [&] (CView* child) { return child->onWheel (local, axis, distance, buttons); });
}

} // namespace VSTGUI
