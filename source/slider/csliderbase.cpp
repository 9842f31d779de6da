// CSliderBase: geometry, modes and input handling of qb Lumivo's sliders.
// Float and double steps are kept apart on purpose: values are floats,
// coordinates doubles, and the mixed steps below reproduce the slider's
// pixel-exact behaviour (a press on the handle must not move it).
#include "slider/csliderbase.h"

#include "vstgui/lib/cbuttonstate.h"
#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/vstguibase.h"
#include "vstgui/lib/vstkeycode.h"

#include <cmath>

namespace QBGUI {

using namespace VSTGUI;

namespace {

// The interval of a ramp tick: about one frame at 60 Hz.
constexpr uint32_t kRampInterval = 16;

// Left and top edges inside, right and bottom edges outside.
bool insideHalfOpen (const CRect& r, const CPoint& p)
{
	return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

bool hasBits (const CButtonState& buttons, int32_t mask)
{
	return (static_cast<int32_t> (buttons) & mask) != 0;
}

} // namespace

struct CSliderBase::Impl
{
	SharedPointer<CVSTGUITimer> rampTimer;
	int32_t style {0};
	float zoomFactor {10.f};
	CSliderMode mode {CSliderMode::UseGlobal};
	CPoint offsetHandle {0, 0};
	CPoint handleSize {1, 1};
	double rangeHandle {0};
	double minPos {0};
	double maxPos {0};
	double handleMinPos {0};
	CPoint mouseStartPoint {0, 0};
	float oldVal {0.f};
	float startVal {0.f};
	CButtonState oldButton {0};
	double delta {0};
};

CSliderMode CSliderBase::globalMode = CSliderMode::QBFreeClick;

CSliderBase::CSliderBase (const CRect& size, IControlListener* listener, int32_t tag)
: CControl (size, listener, tag, nullptr), impl (new Impl)
{
	// Every press and every wheel edit that opens sets startVal before a
	// cancel can read it; it starts as the control's value all the same.
	impl->startVal = getValue ();
}

CSliderBase::CSliderBase (const CSliderBase& slider)
: CControl (slider), CMouseWheelEditingSupport (), impl (new Impl (*slider.impl))
{
	// The source's ramp timer calls back into the source, not into the copy,
	// and the copy has no drag of its own: it starts without a ramp.
	impl->rampTimer = nullptr;
}

CSliderBase::~CSliderBase () noexcept
{
	releaseRampTimer ();
}

void CSliderBase::releaseRampTimer ()
{
	// Stopped first so that no tick can follow, even if the timer outlives
	// this reference for the rest of a running callback.
	if (impl->rampTimer)
	{
		impl->rampTimer->stop ();
		impl->rampTimer = nullptr;
	}
}

// What a release, a cancel and a declined press share: the press is over.
void CSliderBase::endPress ()
{
	impl->oldButton = 0;
	releaseRampTimer ();
	endEdit ();
}

// The drag's order; the wheel and the keys redraw before they report.
void CSliderBase::reportChange ()
{
	if (isDirty ())
	{
		valueChanged ();
		invalid ();
	}
}

//------------------------------------------------------------------------ geometry
// The geometry measures from the left or top end; kRight and kBottom turn the
// value round whatever the orientation.
float CSliderBase::fromNearEnd (float normValue) const
{
	return (impl->style & (kRight | kBottom)) ? 1.f - normValue : normValue;
}

void CSliderBase::setViewSize (const CRect& rect, bool invalid)
{
	CControl::setViewSize (rect, invalid);
	const CRect& v = getViewSize ();
	if (isStyleHorizontal ())
	{
		impl->handleMinPos = rect.left - v.left;
		impl->rangeHandle = ((rect.right - rect.left) - impl->handleSize.x) -
		                    (impl->offsetHandle.x + impl->offsetHandle.x);
	}
	else
	{
		impl->handleMinPos = rect.top - v.top;
		impl->rangeHandle = ((rect.bottom - rect.top) - impl->handleSize.y) -
		                    (impl->offsetHandle.y + impl->offsetHandle.y);
	}
	updateInternalHandleValues ();
}

void CSliderBase::setHandleRangePrivate (double range)
{
	impl->rangeHandle = range;
	updateInternalHandleValues ();
}

void CSliderBase::setHandleMinPosPrivate (double pos)
{
	impl->handleMinPos = pos;
	updateInternalHandleValues ();
}

double CSliderBase::getHandleMinPosPrivate () const { return impl->handleMinPos; }

void CSliderBase::setOffsetHandle (const CPoint& offset)
{
	impl->offsetHandle = offset;
	updateInternalHandleValues ();
}

CPoint CSliderBase::getOffsetHandle () const { return impl->offsetHandle; }

void CSliderBase::setHandleSizePrivate (double width, double height)
{
	impl->handleSize = CPoint (width, height);
	updateInternalHandleValues ();
}

CPoint CSliderBase::getHandleSizePrivate () const { return impl->handleSize; }

CPoint CSliderBase::getControlSizePrivate () const
{
	const CRect& v = getViewSize ();
	return CPoint (v.right - v.left, v.bottom - v.top);
}

void CSliderBase::updateInternalHandleValues ()
{
	const bool horizontal = isStyleHorizontal ();
	const double offset = horizontal ? impl->offsetHandle.x : impl->offsetHandle.y;
	const double extent = horizontal ? impl->handleSize.x : impl->handleSize.y;
	impl->minPos = impl->handleMinPos + offset;
	impl->maxPos = (impl->rangeHandle + impl->minPos) + extent;
}

CRect CSliderBase::calculateHandleRect (float normValue) const
{
	normValue = fromNearEnd (normValue);
	const double p = std::floor (static_cast<double> (normValue) * impl->rangeHandle);

	CRect r;
	if (isStyleHorizontal ())
	{
		r.left = p + impl->offsetHandle.x;
		if (r.left < impl->minPos)
			r.left = impl->minPos;
		r.top = impl->offsetHandle.y;
		r.right = r.left + impl->handleSize.x;
		if (r.right > impl->maxPos)
			r.right = impl->maxPos;
		r.bottom = r.top + impl->handleSize.y;
	}
	else
	{
		r.left = impl->offsetHandle.x;
		r.top = p + impl->offsetHandle.y;
		if (r.top < impl->minPos)
			r.top = impl->minPos;
		r.right = r.left + impl->handleSize.x;
		r.bottom = r.top + impl->handleSize.y;
		if (r.bottom > impl->maxPos)
			r.bottom = impl->maxPos;
	}
	const CRect& v = getViewSize ();
	r.left += v.left;
	r.right += v.left;
	r.top += v.top;
	r.bottom += v.top;
	return r;
}

float CSliderBase::calculateDelta (const CPoint& where, CRect* handleRect) const
{
	const CRect& v = getViewSize ();
	const bool horizontal = isStyleHorizontal ();
	const double base = horizontal ? v.left + impl->offsetHandle.x : v.top + impl->offsetHandle.y;
	const double extent = horizontal ? impl->handleSize.x : impl->handleSize.y;
	// Brings the handle's centre under the mouse (one pixel past it).
	const double centreOffset = ((extent * 0.5) - 1) + base;
	const CSliderMode mode = getEffectiveSliderMode ();

	if (mode == CSliderMode::FreeClick)
		return static_cast<float> (centreOffset);

	float norm = getValueNormalized ();
	norm = fromNearEnd (norm);
	const double t = std::trunc (static_cast<double> (norm) * impl->rangeHandle);
	const double pos = t + base;

	CRect r;
	if (horizontal)
	{
		r.left = pos;
		r.top = v.top + impl->offsetHandle.y;
		r.right = pos + impl->handleSize.x;
		r.bottom = r.top + impl->handleSize.y;
	}
	else
	{
		r.left = v.left + impl->offsetHandle.x;
		r.top = pos;
		r.right = r.left + impl->handleSize.x;
		r.bottom = pos + impl->handleSize.y;
	}
	if (handleRect)
		*handleRect = r;

	const double c = horizontal ? where.x : where.y;
	if (mode == CSliderMode::QBFreeClick && !insideHalfOpen (r, where))
		return static_cast<float> (centreOffset);
	return static_cast<float> ((c - pos) + base);
}

//------------------------------------------------------------------------ style and modes
void CSliderBase::setStyle (int32_t style)
{
	const int32_t orientation = style & (kHorizontal | kVertical);
	vstgui_assert (orientation == kHorizontal || orientation == kVertical);
	impl->style = style;
}

int32_t CSliderBase::getStyle () const { return impl->style; }
bool CSliderBase::isStyleHorizontal () const { return (impl->style & kHorizontal) != 0; }
bool CSliderBase::isStyleRight () const { return (impl->style & kRight) != 0; }
bool CSliderBase::isStyleBottom () const { return (impl->style & kBottom) != 0; }

bool CSliderBase::isInverseStyle () const
{
	return isStyleHorizontal () ? (impl->style & kRight) != 0 : (impl->style & kTop) != 0;
}

void CSliderBase::setZoomFactor (float factor) { impl->zoomFactor = factor; }
float CSliderBase::getZoomFactor () const { return impl->zoomFactor; }
void CSliderBase::setSliderMode (CSliderMode mode) { impl->mode = mode; }
CSliderMode CSliderBase::getSliderMode () const { return impl->mode; }

CSliderMode CSliderBase::getEffectiveSliderMode () const
{
	return impl->mode == CSliderMode::UseGlobal ? globalMode : impl->mode;
}

void CSliderBase::setGlobalMode (CSliderMode mode)
{
	vstgui_assert (mode != CSliderMode::UseGlobal, "do not set the global mode to use global");
	globalMode = mode;
}

CSliderMode CSliderBase::getGlobalMode () { return globalMode; }

//------------------------------------------------------------------------ mouse
CMouseEventResult CSliderBase::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	if (!hasBits (buttons, kLButton))
		return kMouseEventNotHandled;

	invalidMouseWheelEditTimer (this);

	CRect handleRect;
	const bool rectAsked = getEffectiveSliderMode () != CSliderMode::FreeClick;
	impl->delta = calculateDelta (where, rectAsked ? &handleRect : nullptr);
	const bool inside = rectAsked && insideHalfOpen (handleRect, where);

	if (getEffectiveSliderMode () == CSliderMode::Touch && !inside)
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

	impl->oldVal = getMin () - 1.f;
	impl->oldButton = buttons;

	const bool defaultClickTested =
	    !(getEffectiveSliderMode () == CSliderMode::RelativeTouch && !inside);
	if (defaultClickTested && checkDefaultValue (buttons))
		return kMouseDownEventHandledButDontNeedMovedOrUpEvents;

	if (getEffectiveSliderMode () == CSliderMode::Ramp && !inside)
	{
		releaseRampTimer ();
		// The callback holds only the slider pointer; the slider holds the
		// only reference to the timer and stops it before letting it go.
		impl->rampTimer = makeOwned<CVSTGUITimer> (
		    [this] (CVSTGUITimer*) { doRamping (); }, kRampInterval, true);
	}

	impl->startVal = getValue ();
	beginEdit ();
	impl->mouseStartPoint = where;

	if (hasBits (buttons, kZoomModifier))
		return kMouseEventHandled;
	const CMouseEventResult result = onMouseMoved (where, buttons);
	if (result == kMouseEventNotHandled)
	{
		// A press with another button besides the left one: the move declined
		// it, so no release will follow. Close what the press opened rather
		// than leave an edit (and a ramp timer) running without an end.
		endPress ();
	}
	return result;
}

CMouseEventResult CSliderBase::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	if (!(buttons.isLeftButton () && isEditing ()))
		return kMouseEventNotHandled;

	if (impl->rampTimer)
	{
		impl->mouseStartPoint = where;
		return kMouseEventHandled;
	}

	const float range = getMax () - getMin ();
	// A control without range has no position; 0 is what
	// getValueNormalized gives it too.
	const float current = range == 0.f ? 0.f : (value - getMin ()) / range;
	const bool zoom = hasBits (buttons, kZoomModifier);
	if (impl->oldVal == getMin () - 1.f)
		impl->oldVal = current;
	if (buttons != impl->oldButton && zoom)
	{
		impl->oldVal = current;
		impl->oldButton = buttons;
	}
	else if (!zoom)
		impl->oldVal = current;

	const float travel = static_cast<float> (impl->rangeHandle);
	// No travel: no mouse position maps to a value, so the value stays.
	if (travel == 0.f)
		return kMouseEventHandled;

	const double coordinate = isStyleHorizontal () ? where.x : where.y;
	float norm = static_cast<float> (coordinate - impl->delta) / travel;
	norm = fromNearEnd (norm);
	if (zoom)
		norm = impl->oldVal + (norm - impl->oldVal) / impl->zoomFactor;

	setValueNormalized (norm);
	reportChange ();
	return kMouseEventHandled;
}

void CSliderBase::doRamping ()
{
	// The timer calls this outside any event dispatch: should a listener let
	// go of the last reference in valueChanged, the slider stays whole until
	// the step is done.
	SharedPointer<CSliderBase> guard (this);
	// A ramp never moves the value of a press that has ended.
	if (!isEditing ())
	{
		releaseRampTimer ();
		return;
	}
	const float norm = getValueNormalized ();
	const CRect r = calculateHandleRect (norm);
	const bool horizontal = isStyleHorizontal ();
	const double centre =
	    horizontal ? r.left + (r.right - r.left) * 0.5 : r.top + (r.bottom - r.top) * 0.5;
	const double mouse = horizontal ? impl->mouseStartPoint.x : impl->mouseStartPoint.y;

	float step;
	if (horizontal)
		step = centre > mouse ? -0.1f : 0.1f;
	else
		step = centre > mouse ? 0.1f : -0.1f;
	if (isInverseStyle ())
		step = -step;

	const CRect& v = getViewSize ();
	const double centreOffset =
	    horizontal ? v.left + impl->offsetHandle.x + impl->handleSize.x * 0.5 - 1
	               : v.top + impl->offsetHandle.y + impl->handleSize.y * 0.5 - 1;

	const float travel = static_cast<float> (impl->rangeHandle);
	if (travel == 0.f)
	{
		// No travel, no target: the ramp ends where it is and the value stays.
		releaseRampTimer ();
		impl->delta = centreOffset;
		return;
	}

	float target = static_cast<float> (mouse - centreOffset) / travel;
	target = fromNearEnd (target);

	float next = norm + getWheelInc () * step;
	if ((step < 0 && target > next) || (step > 0 && target < next))
	{
		releaseRampTimer ();
		impl->delta = centreOffset;
		next = target;
	}

	setValueNormalized (next);
	reportChange ();
}

CMouseEventResult CSliderBase::onMouseUp (CPoint&, const CButtonState&)
{
	// The ramp belongs to the press, whether or not its edit is still open.
	releaseRampTimer ();
	if (isEditing ())
		endPress ();
	return kMouseEventHandled;
}

bool CSliderBase::removed (CView* parent)
{
	// The ramp, a pending wheel edit and the press's edit end here; the
	// control ends any edit still open.
	impl->oldButton = 0;
	releaseRampTimer ();
	invalidMouseWheelEditTimer (this);
	return CControl::removed (parent);
}

CMouseEventResult CSliderBase::onMouseCancel ()
{
	if (isEditing ())
	{
		// A direct store: the press value is restored as it was, unclamped.
		value = impl->startVal;
		reportChange ();
		endPress ();
	}
	return kMouseEventHandled;
}

//------------------------------------------------------------------------ wheel and keys
void CSliderBase::stepValue (float steps, bool fine)
{
	const float norm = getValueNormalized ();
	if (fine)
		steps *= 0.1f;
	setValueNormalized (norm + getWheelInc () * steps);
}

bool CSliderBase::onWheel (const CPoint&, const CMouseWheelAxis& axis, const float& distance,
                           const CButtonState& buttons)
{
	if (!getMouseEnabled ())
		return false;
	const bool horizontal = isStyleHorizontal ();
	if ((horizontal && axis == kMouseWheelAxisY) || (!horizontal && axis == kMouseWheelAxisX))
		return false;

	// A wheel edit that opens now is what Escape undoes, not an older press.
	if (!isEditing ())
		impl->startVal = getValue ();
	onMouseWheelEditing (this);

	float d = distance;
	if (horizontal)
		d = -d;
	if (isInverseStyle ())
		d = -d;
	stepValue (d, hasBits (buttons, kZoomModifier));
	if (isDirty ())
	{
		invalid ();
		valueChanged ();
	}
	return true;
}

int32_t CSliderBase::onKeyDown (VstKeyCode& keyCode)
{
	float d;
	switch (keyCode.virt)
	{
		case VKEY_UP:
		case VKEY_RIGHT: d = 1.f; break;
		case VKEY_DOWN:
		case VKEY_LEFT: d = -1.f; break;
		case VKEY_ESCAPE:
			if (isEditing ())
			{
				onMouseCancel ();
				return 1;
			}
			return -1;
		default: return -1;
	}
	if (isInverseStyle ())
		d = -d;

	stepValue (d, hasBits (buttonStateFromKeyModifiers (keyCode.modifier), kZoomModifier));
	if (isDirty ())
	{
		invalid ();
		beginEdit ();
		valueChanged ();
		endEdit ();
	}
	return 1;
}

} // namespace QBGUI
