// CControl value arithmetic, listeners and edit brackets; wheel-edit support.
#include "ccontrol.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

int32_t CControl::kZoomModifier = kShift;
int32_t CControl::kDefaultValueModifier = kControl;

CControl::CControl (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
: CView (size), tag (tag), listener (listener)
{
	setWantsFocus (true);
	if (background)
		setBackground (background);
}

// A copy keeps the value, range, tag and listeners, but starts with no open edit.
CControl::CControl (const CControl& c)
: CView (c)
, value (c.value)
, vmin (c.vmin)
, vmax (c.vmax)
, defaultValue (c.defaultValue)
, wheelInc (c.wheelInc)
, lastValue (c.lastValue)
, tag (c.tag)
, listener (c.listener)
, subListeners (c.subListeners)
{
}

CControl::~CControl () noexcept = default;

void CControl::setValue (float val)
{
	if (std::isnan (val))
		val = getMin ();
	if (val < getMin ())
		val = getMin ();
	else if (val > getMax ())
		val = getMax ();
	if (val != value)
		value = val;
}

void CControl::setValueNormalized (float val)
{
	if (std::isnan (val) || val < 0.f)
		val = 0.f;
	else if (val > 1.f)
		val = 1.f;
	setValue (getMin () + getRange () * val);
}

float CControl::getValueNormalized () const
{
	const float range = getRange ();
	if (range == 0.f)
		return 0.f;
	return (value - getMin ()) / range;
}

template <typename Call>
void CControl::forEachListener (Call call)
{
	// guard: a listener may release the last reference to the control
	SharedPointer<CControl> guard (this);
	if (listener)
		call (listener);
	const auto copy = subListeners;
	for (auto* l : copy)
		if (std::find (subListeners.begin (), subListeners.end (), l) != subListeners.end ())
			call (l);
}

void CControl::setTag (int32_t val)
{
	if (val == tag)
		return;
	forEachListener ([this] (IControlListener* l) { l->controlTagWillChange (this); });
	tag = val;
	forEachListener ([this] (IControlListener* l) { l->controlTagDidChange (this); });
}

void CControl::registerControlListener (IControlListener* l)
{
	if (l && std::find (subListeners.begin (), subListeners.end (), l) == subListeners.end ())
		subListeners.push_back (l);
}

void CControl::unregisterControlListener (IControlListener* l)
{
	subListeners.erase (std::remove (subListeners.begin (), subListeners.end (), l), subListeners.end ());
}

void CControl::valueChanged ()
{
	forEachListener ([this] (IControlListener* l) { l->valueChanged (this); });
}

void CControl::beginEdit ()
{
	if (editing++ == 0)
		forEachListener ([this] (IControlListener* l) { l->controlBeginEdit (this); });
}

void CControl::endEdit ()
{
	// an end without a begin is ignored rather than driving the count negative
	if (editing == 0)
		return;
	if (--editing == 0)
		forEachListener ([this] (IControlListener* l) { l->controlEndEdit (this); });
}

void CControl::endOpenEdit ()
{
	if (editing == 0)
		return;
	editing = 1;
	endEdit ();
}

bool CControl::removed (CView* parent)
{
	endOpenEdit ();
	return CView::removed (parent);
}

void CControl::beforeDelete ()
{
	// The listeners' guard is safe here: it takes the count from one to two
	// and back, so it neither calls this again nor deletes the control.
	endOpenEdit ();
	CView::beforeDelete ();
}

bool CControl::isDirty () const
{
	return lastValue != value || CView::isDirty ();
}

void CControl::setDirty (bool val)
{
	CView::setDirty (val);
	if (!val)
		lastValue = value;
}

bool CControl::checkDefaultValue (CButtonState button)
{
	if (!button.isLeftButton () || button.getModifierState () != kDefaultValueModifier)
		return false;
	const float defValue = getDefaultValue ();
	if (defValue != getValue ())
	{
		beginEdit ();
		setValue (defValue);
		valueChanged ();
		endEdit ();
		setDirty ();
	}
	return true;
}

//------------------------------------------------------------------------
CMouseWheelEditingSupport::~CMouseWheelEditingSupport () noexcept
{
	if (wheelEditTimer)
		wheelEditTimer->stop ();
}

void CMouseWheelEditingSupport::onMouseWheelEditing (CControl* control)
{
	if (!control)
		return;
	if (!wheelEditTimer)
	{
		// An edit open with no timer of ours is a press's: the step changes the
		// value inside it, and only the press's own end may close it.
		if (control->isEditing ())
			return;
		control->beginEdit ();
		timerControl = control;
		wheelEditTimer = makeOwned<CVSTGUITimer> (
		    [this] (CVSTGUITimer*) {
			    // A listener of the end may release the control, and this support
			    // with it: hold it until the members are no longer touched.
			    SharedPointer<CControl> guard (timerControl);
			    wheelEditTimer = nullptr;
			    timerControl = nullptr;
			    if (guard && guard->isEditing ())
				    guard->endEdit ();
		    },
		    kWheelEditTimeout);
		return;
	}
	// The wheel's edit may have been closed meanwhile (Escape during a wheel
	// edit), and this step's change needs a bracket.
	if (!control->isEditing ())
		control->beginEdit ();
	// another step: the edit stays open for a full timeout from now
	wheelEditTimer->stop ();
	wheelEditTimer->start ();
}

void CMouseWheelEditingSupport::invalidMouseWheelEditTimer (CControl* control)
{
	if (wheelEditTimer)
	{
		wheelEditTimer->stop ();
		wheelEditTimer = nullptr;
	}
	timerControl = nullptr;
	// Also without a timer: an edit left open (a press whose release was
	// lost) must not nest under the next one.
	if (control && control->isEditing ())
		control->endEdit ();
}

} // namespace VSTGUI
