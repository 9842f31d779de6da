// CSliderBase: the behaviour of qb Lumivo's sliders apart from their look:
// style bits, handle geometry, mouse modes (with the program's own
// "QB free click" as the process-wide default) and mouse, wheel and key input.
#pragma once

#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/cpoint.h"
#include "vstgui/lib/crect.h"

#include <cstdint>
#include <memory>

namespace QBGUI {

// The values are the positions of the mode names in the view creator's list.
enum class CSliderMode : int32_t
{
	Touch = 0,
	RelativeTouch = 1,
	FreeClick = 2,
	QBFreeClick = 3,
	Ramp = 4,
	UseGlobal = 5
};

class CSliderBase : public VSTGUI::CControl, protected VSTGUI::CMouseWheelEditingSupport
{
public:
	// Style bits. Only kHorizontal is ever tested for the orientation; kRight
	// and kBottom flip the value for the geometry whatever the orientation.
	enum : int32_t
	{
		kHorizontal = 1 << 0,
		kVertical = 1 << 1,
		kLeft = 1 << 2,
		kRight = 1 << 3,
		kTop = 1 << 4,
		kBottom = 1 << 5
	};

	CSliderBase (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag);
	CSliderBase (const CSliderBase& slider);
	~CSliderBase () noexcept override;

	CSliderBase& operator= (const CSliderBase&) = delete;

	VSTGUI::CMouseEventResult onMouseDown (VSTGUI::CPoint& where,
	                                       const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onMouseUp (VSTGUI::CPoint& where,
	                                     const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onMouseMoved (VSTGUI::CPoint& where,
	                                        const VSTGUI::CButtonState& buttons) override;
	VSTGUI::CMouseEventResult onMouseCancel () override;
	bool onWheel (const VSTGUI::CPoint& where, const VSTGUI::CMouseWheelAxis& axis,
	              const float& distance, const VSTGUI::CButtonState& buttons) override;
	int32_t onKeyDown (VSTGUI::VstKeyCode& keyCode) override;
	void setViewSize (const VSTGUI::CRect& rect, bool invalid = true) override;
	// Leaving the view tree ends the press: no release can reach the slider.
	bool removed (VSTGUI::CView* parent) override;

	// One step of a ramp drag; called only by the ramp timer.
	void doRamping ();

	void setHandleRangePrivate (double range);
	void setHandleMinPosPrivate (double pos);
	double getHandleMinPosPrivate () const;
	void setOffsetHandle (const VSTGUI::CPoint& offset);
	VSTGUI::CPoint getOffsetHandle () const;
	void setHandleSizePrivate (double width, double height);
	VSTGUI::CPoint getHandleSizePrivate () const;
	VSTGUI::CPoint getControlSizePrivate () const;
	void updateInternalHandleValues ();
	VSTGUI::CRect calculateHandleRect (float normValue) const;
	float calculateDelta (const VSTGUI::CPoint& where, VSTGUI::CRect* handleRect) const;

	void setStyle (int32_t style);
	int32_t getStyle () const;
	bool isStyleHorizontal () const;
	bool isStyleRight () const;
	bool isStyleBottom () const;
	bool isInverseStyle () const;

	void setZoomFactor (float factor);
	float getZoomFactor () const;
	void setSliderMode (CSliderMode mode);
	CSliderMode getSliderMode () const;
	CSliderMode getEffectiveSliderMode () const;
	static void setGlobalMode (CSliderMode mode);
	static CSliderMode getGlobalMode ();

private:
	struct Impl;
	std::unique_ptr<Impl> impl;

	void releaseRampTimer ();
	float fromNearEnd (float normValue) const;
	void endPress ();
	void reportChange ();
	// Moves the value by steps wheel increments, a tenth of them when fine.
	void stepValue (float steps, bool fine);

	static CSliderMode globalMode;
};

} // namespace QBGUI
