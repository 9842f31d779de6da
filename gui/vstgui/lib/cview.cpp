// CView: geometry, flags, backgrounds, listeners and the default event answers.
#include "cview.h"

#include "cbitmap.h"
#include "cdrawcontext.h"
#include "cframe.h"
#include "iviewlistener.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI {

CView::CView (const CRect& size) : size (size), mouseableArea (size) {}

// A copy is a new, detached view: the tree position and the listeners stay with the original.
CView::CView (const CView& v)
: CBaseObject (v)
, size (v.size)
, mouseableArea (v.mouseableArea)
, background (v.background)
, disabledBackground (v.disabledBackground)
, attributes (v.attributes)
, alphaValue (v.alphaValue)
, dirty (v.dirty)
, mouseEnabled (v.mouseEnabled)
, focusWanted (v.focusWanted)
, transparent (v.transparent)
, visible (v.visible)
{
}

CView::~CView () noexcept
{
	// a view deleted without forget() still tells its listeners
	if (!deleteNotified)
		CView::beforeDelete ();
}

void CView::beforeDelete ()
{
	if (deleteNotified)
		return;
	deleteNotified = true;
	forEachListener ([this] (IViewListener* l) { l->viewWillDelete (this); });
}

template <typename Call>
void CView::forEachListener (Call call)
{
	// a listener may unregister itself (or another) while being told
	const auto copy = viewListeners;
	for (auto* l : copy)
		if (std::find (viewListeners.begin (), viewListeners.end (), l) != viewListeners.end ())
			call (l);
}

void CView::draw (CDrawContext* context)
{
	drawBackground (context);
	setDirty (false);
}

void CView::drawRect (CDrawContext* context, const CRect& updateRect)
{
	if (context && size.rectOverlap (updateRect))
		draw (context);
}

void CView::drawBackground (CDrawContext* context)
{
	if (auto* bitmap = getDrawBackground ())
		bitmap->draw (context, size);
}

void CView::setViewSize (const CRect& rect, bool invalidate)
{
	if (rect == size)
		return;
	if (invalidate)
		invalid ();
	const CRect oldSize = size;
	size = rect;
	// a mouseable area that was the whole view stays the whole view; any other moves along
	if (mouseableArea == oldSize)
		mouseableArea = rect;
	else
		mouseableArea.offset (rect.left - oldSize.left, rect.top - oldSize.top);
	if (invalidate)
		invalid ();
	forEachListener ([&] (IViewListener* l) { l->viewSizeChanged (this, oldSize); });
}

bool CView::hitTest (const CPoint& where, const CButtonState&)
{
	return mouseableArea.pointInside (where);
}

CPoint& CView::localToFrame (CPoint& point) const
{
	for (auto* p = dynamic_cast<CViewContainer*> (parentView); p && p != parentFrame;
	     p = dynamic_cast<CViewContainer*> (p->getParentView ()))
		point.offset (p->getViewSize ().left, p->getViewSize ().top);
	return point;
}

void CView::setBackground (CBitmap* bitmap)
{
	background = bitmap;
	setDirty (true);
}

CBitmap* CView::getBackground () const
{
	return background;
}

void CView::setDisabledBackground (CBitmap* bitmap)
{
	disabledBackground = bitmap;
	setDirty (true);
}

CBitmap* CView::getDisabledBackground () const
{
	return disabledBackground;
}

CBitmap* CView::getDrawBackground () const
{
	if (!mouseEnabled && disabledBackground)
		return disabledBackground;
	return background;
}

void CView::invalid ()
{
	setDirty (false);
	invalidRect (size);
}

void CView::invalidRect (const CRect& rect)
{
	if (!attachedFlag || !parentView || !visible)
		return;
	parentView->invalidRect (rect);
}

void CView::setDirty (bool val)
{
	dirty = val;
}

void CView::setMouseEnabled (bool enable)
{
	if (mouseEnabled == enable)
		return;
	mouseEnabled = enable;
	if (disabledBackground)
		setDirty (true);
}

void CView::setVisible (bool state)
{
	if (visible == state)
		return;
	if (state)
	{
		visible = true;
		invalid ();
	}
	else
	{
		invalid ();
		visible = false;
	}
}

bool CView::attached (CView* parent)
{
	if (attachedFlag || !parent)
		return false;
	parentView = parent;
	parentFrame = parent->getFrame ();
	attachedFlag = true;
	forEachListener ([this] (IViewListener* l) { l->viewAttached (this); });
	return true;
}

bool CView::removed (CView*)
{
	if (!attachedFlag)
		return false;
	forEachListener ([this] (IViewListener* l) { l->viewRemoved (this); });
	if (parentFrame)
		parentFrame->viewRemoved (this);
	parentView = nullptr;
	parentFrame = nullptr;
	attachedFlag = false;
	return true;
}

void CView::takeFocus ()
{
	forEachListener ([this] (IViewListener* l) { l->viewTookFocus (this); });
}

void CView::looseFocus ()
{
	forEachListener ([this] (IViewListener* l) { l->viewLostFocus (this); });
}

void CView::registerViewListener (IViewListener* listener)
{
	if (listener && std::find (viewListeners.begin (), viewListeners.end (), listener) == viewListeners.end ())
		viewListeners.push_back (listener);
}

void CView::unregisterViewListener (IViewListener* listener)
{
	viewListeners.erase (std::remove (viewListeners.begin (), viewListeners.end (), listener),
	                     viewListeners.end ());
}

bool CView::setAttribute (CViewAttributeID id, uint32_t inSize, const void* inData)
{
	if (inSize > 0 && !inData)
		return false;
	auto& data = attributes[id];
	data.resize (inSize);
	if (inSize > 0)
		std::memcpy (data.data (), inData, inSize);
	return true;
}

bool CView::getAttribute (CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const
{
	auto it = attributes.find (id);
	if (it == attributes.end () || inSize < it->second.size () || (!outData && !it->second.empty ()))
		return false;
	outSize = static_cast<uint32_t> (it->second.size ());
	if (outSize > 0)
		std::memcpy (outData, it->second.data (), outSize);
	return true;
}

bool CView::removeAttribute (CViewAttributeID id)
{
	return attributes.erase (id) > 0;
}

CMouseEventResult CView::onMouseDown (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved (CPoint&, const CButtonState&)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel ()
{
	return kMouseEventNotImplemented;
}

bool CView::onWheel (const CPoint&, const CMouseWheelAxis&, const float&, const CButtonState&)
{
	return false;
}

int32_t CView::onKeyDown (VstKeyCode&)
{
	return -1;
}

int32_t CView::onKeyUp (VstKeyCode&)
{
	return -1;
}

} // namespace VSTGUI
