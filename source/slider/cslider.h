// CSlider: the drawn slider of qb Lumivo (background bitmap, optional vector
// frame, back and value bar, handle bitmap), and its two orientation variants.
#pragma once

#include "slider/csliderbase.h"

#include "vstgui/lib/ccolor.h"

#include <memory>

namespace VSTGUI {
class CBitmap;
class CDrawContext;
} // namespace VSTGUI

namespace QBGUI {

class CSlider : public CSliderBase
{
public:
	// Draw-style bits; kDrawValueFromCenter and kDrawInverted only shape the
	// bar that kDrawValue asks for.
	enum : int32_t
	{
		kDrawFrame = 1 << 0,
		kDrawBack = 1 << 1,
		kDrawValue = 1 << 2,
		kDrawValueFromCenter = 1 << 3,
		kDrawInverted = 1 << 4
	};

	// Position form: the handle travels from iMinPos to iMaxPos, in the
	// coordinates of the view rectangle.
	CSlider (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
	         int32_t iMinPos, int32_t iMaxPos, VSTGUI::CBitmap* handle,
	         VSTGUI::CBitmap* background, const VSTGUI::CPoint& backgroundOffset, int32_t style);
	// Range form: the whole travel, handle included, is rangeHandle long and
	// starts at offsetHandle.
	CSlider (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
	         const VSTGUI::CPoint& offsetHandle, int32_t rangeHandle, VSTGUI::CBitmap* handle,
	         VSTGUI::CBitmap* background, const VSTGUI::CPoint& backgroundOffset, int32_t style);
	CSlider (const CSlider& slider);
	~CSlider () noexcept override;

	CSlider& operator= (const CSlider&) = delete;

	VSTGUI::CView* newCopy () const override;
	void draw (VSTGUI::CDrawContext* context) override;
	bool sizeToFit () override;

	virtual void setHandle (VSTGUI::CBitmap* handle);
	virtual VSTGUI::CBitmap* getHandle () const;
	virtual void setDrawStyle (int32_t style);
	virtual void setFrameWidth (double width);
	virtual void setFrameColor (VSTGUI::CColor color);
	virtual void setBackColor (VSTGUI::CColor color);
	virtual void setValueColor (VSTGUI::CColor color);

	int32_t getDrawStyle () const;
	double getFrameWidth () const;
	VSTGUI::CColor getFrameColor () const;
	VSTGUI::CColor getBackColor () const;
	VSTGUI::CColor getValueColor () const;
	void setBackgroundOffset (const VSTGUI::CPoint& offset);
	VSTGUI::CPoint getBackgroundOffset () const;

private:
	struct Impl;
	std::unique_ptr<Impl> impl;

	CSlider (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
	         VSTGUI::CBitmap* handle, VSTGUI::CBitmap* background,
	         const VSTGUI::CPoint& backgroundOffset, int32_t style);
};

class CVerticalSlider final : public CSlider
{
public:
	CVerticalSlider (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
	                 int32_t iMinPos, int32_t iMaxPos, VSTGUI::CBitmap* handle,
	                 VSTGUI::CBitmap* background, const VSTGUI::CPoint& backgroundOffset,
	                 int32_t style);
	CVerticalSlider (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
	                 const VSTGUI::CPoint& offsetHandle, int32_t rangeHandle,
	                 VSTGUI::CBitmap* handle, VSTGUI::CBitmap* background,
	                 const VSTGUI::CPoint& backgroundOffset, int32_t style);
	~CVerticalSlider () noexcept override = default;
};

class CHorizontalSlider final : public CSlider
{
public:
	CHorizontalSlider (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener, int32_t tag,
	                   int32_t iMinPos, int32_t iMaxPos, VSTGUI::CBitmap* handle,
	                   VSTGUI::CBitmap* background, const VSTGUI::CPoint& backgroundOffset,
	                   int32_t style);
	CHorizontalSlider (const VSTGUI::CRect& size, VSTGUI::IControlListener* listener,
	                   int32_t tag, const VSTGUI::CPoint& offsetHandle, int32_t rangeHandle,
	                   VSTGUI::CBitmap* handle, VSTGUI::CBitmap* background,
	                   const VSTGUI::CPoint& backgroundOffset, int32_t style);
	~CHorizontalSlider () noexcept override = default;
};

} // namespace QBGUI
