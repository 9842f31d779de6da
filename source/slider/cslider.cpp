// CSlider and its orientation variants: construction, handle bitmap, drawing
// settings and the drawing itself.
#include "slider/cslider.h"

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/vstguibase.h"

namespace QBGUI {

using namespace VSTGUI;

namespace {

// The drawing setters redraw only when a value really changes.
template <typename T>
bool storeIfChanged (T& field, const T& value)
{
	if (field == value)
		return false;
	field = value;
	return true;
}

} // namespace

struct CSlider::Impl
{
	CPoint backgroundOffset;
	SharedPointer<CBitmap> handle;
	// Negative: the context's hairline width.
	double frameWidth {1.};
	int32_t drawStyle {0};
	CColor frameColor {127, 127, 127, 255};
	CColor backColor {0, 0, 0, 255};
	CColor valueColor {255, 255, 255, 255};
};

CSlider::CSlider (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* handle,
                  CBitmap* background, const CPoint& backgroundOffset, int32_t style)
: CSliderBase (size, listener, tag), impl (new Impl)
{
	impl->backgroundOffset = backgroundOffset;
	setBackground (background);
	setStyle (style);
	setHandle (handle);
}

CSlider::CSlider (const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos,
                  int32_t iMaxPos, CBitmap* handle, CBitmap* background,
                  const CPoint& backgroundOffset, int32_t style)
: CSlider (size, listener, tag, handle, background, backgroundOffset, style)
{
	setHandleMinPosPrivate (iMinPos - (isStyleHorizontal () ? size.left : size.top));
	setHandleRangePrivate (static_cast<double> (iMaxPos) - iMinPos);
	setWantsFocus (true);
}

CSlider::CSlider (const CRect& size, IControlListener* listener, int32_t tag,
                  const CPoint& offsetHandle, int32_t rangeHandle, CBitmap* handle,
                  CBitmap* background, const CPoint& backgroundOffset, int32_t style)
: CSlider (size, listener, tag, handle, background, backgroundOffset, style)
{
	const CPoint handleSize = getHandleSizePrivate ();
	setHandleRangePrivate (rangeHandle - (isStyleHorizontal () ? handleSize.x : handleSize.y));
	setOffsetHandle (offsetHandle);
	setWantsFocus (true);
}

CSlider::CSlider (const CSlider& slider) : CSliderBase (slider), impl (new Impl (*slider.impl))
{
}

CSlider::~CSlider () noexcept = default;

CView* CSlider::newCopy () const { return new CSlider (*this); }

//------------------------------------------------------------------------ handle
void CSlider::setHandle (CBitmap* handle)
{
	if (impl->handle.get () != handle)
		impl->handle = handle;

	if (impl->handle)
	{
		setHandleSizePrivate (impl->handle->getWidth (), impl->handle->getHeight ());
		// The travel follows the new handle size.
		CSliderBase::setViewSize (getViewSize (), true);
	}
	else
		setHandleSizePrivate (1, 1);
}

CBitmap* CSlider::getHandle () const { return impl->handle.get (); }

//------------------------------------------------------------------------ drawing settings
void CSlider::setDrawStyle (int32_t style)
{
	if (storeIfChanged (impl->drawStyle, style))
		invalid ();
}

void CSlider::setFrameWidth (double width)
{
	if (storeIfChanged (impl->frameWidth, width))
		invalid ();
}

void CSlider::setFrameColor (CColor color)
{
	if (storeIfChanged (impl->frameColor, color))
		invalid ();
}

void CSlider::setBackColor (CColor color)
{
	if (storeIfChanged (impl->backColor, color))
		invalid ();
}

void CSlider::setValueColor (CColor color)
{
	if (storeIfChanged (impl->valueColor, color))
		invalid ();
}

int32_t CSlider::getDrawStyle () const { return impl->drawStyle; }
double CSlider::getFrameWidth () const { return impl->frameWidth; }
CColor CSlider::getFrameColor () const { return impl->frameColor; }
CColor CSlider::getBackColor () const { return impl->backColor; }
CColor CSlider::getValueColor () const { return impl->valueColor; }
void CSlider::setBackgroundOffset (const CPoint& offset) { impl->backgroundOffset = offset; }
CPoint CSlider::getBackgroundOffset () const { return impl->backgroundOffset; }

//------------------------------------------------------------------------ view
bool CSlider::sizeToFit ()
{
	CBitmap* background = getDrawBackground ();
	if (!background)
		return false;
	CRect r = getViewSize ();
	r.setWidth (background->getWidth ());
	r.setHeight (background->getHeight ());
	CSliderBase::setViewSize (r, true);
	setMouseableArea (r);
	return true;
}

void CSlider::draw (CDrawContext* context)
{
	if (CBitmap* background = getDrawBackground ())
		background->draw (context, getViewSize (), impl->backgroundOffset, 1.f);

	const int32_t drawStyle = impl->drawStyle;
	if (drawStyle != 0)
	{
		const double width =
		    impl->frameWidth < 0 ? context->getHairlineSize () : impl->frameWidth;
		CRect r (getViewSize ());
		context->setDrawMode (kAntiAliasing);
		context->setLineStyle (kLineSolid);
		context->setLineWidth (width);

		if (drawStyle & (kDrawFrame | kDrawBack))
		{
			context->setFrameColor (impl->frameColor);
			context->setFillColor (impl->backColor);
			if (CGraphicsPath* path = context->createGraphicsPath ())
			{
				// A path's stroke is centred on its outline: inset by half the
				// line so that the frame stays inside the view.
				if (drawStyle & kDrawFrame)
					r.inset (width / 2., width / 2.);
				path->addRect (r);
				if (drawStyle & kDrawBack)
					context->drawGraphicsPath (path, CDrawContext::kPathFilled, nullptr);
				if (drawStyle & kDrawFrame)
					context->drawGraphicsPath (path, CDrawContext::kPathStroked, nullptr);
				path->forget ();
			}
			else
			{
				CDrawStyle rectStyle = kDrawFilled;
				if ((drawStyle & kDrawFrame) && (drawStyle & kDrawBack))
					rectStyle = kDrawFilledAndStroked;
				else if (drawStyle & kDrawFrame)
					rectStyle = kDrawStroked;
				context->drawRect (r, rectStyle);
			}
		}

		if (drawStyle & kDrawValue)
		{
			context->setDrawMode (kAliasing);
			if (drawStyle & kDrawFrame)
				r.inset (width / 2., width / 2.);

			float norm = getValueNormalized ();
			const CRect outer = r;
			const double w = outer.getWidth ();
			const double h = outer.getHeight ();
			if (drawStyle & kDrawValueFromCenter)
			{
				if (drawStyle & kDrawInverted)
					norm = 1.f - norm;
				if (isStyleHorizontal ())
				{
					r.right = outer.left + w * norm;
					r.left = outer.left + w * 0.5;
				}
				else
				{
					r.bottom = outer.top + h * norm;
					r.top = outer.top + h * 0.5;
				}
			}
			else if (isStyleHorizontal ())
			{
				if (drawStyle & kDrawInverted)
					r.left = outer.right - w * norm;
				else
					r.right = outer.left + w * norm;
			}
			else
			{
				if (drawStyle & kDrawInverted)
					r.bottom = outer.top + h * norm;
				else
					r.top = outer.bottom - h * norm;
			}
			r.normalize ();

			if (r.getWidth () >= 0.5 && r.getHeight () >= 0.5)
			{
				context->setFillColor (impl->valueColor);
				if (CGraphicsPath* path = context->createGraphicsPath ())
				{
					path->addRect (r);
					context->drawGraphicsPath (path, CDrawContext::kPathFilled, nullptr);
					path->forget ();
				}
				else
					context->drawRect (r, kDrawFilled);
			}
		}
	}

	if (impl->handle)
	{
		const CRect handleRect = calculateHandleRect (getValueNormalized ());
		impl->handle->draw (context, handleRect, CPoint (0, 0), 1.f);
	}

	setDirty (false);
}

//------------------------------------------------------------------------ variants
CVerticalSlider::CVerticalSlider (const CRect& size, IControlListener* listener, int32_t tag,
                                  int32_t iMinPos, int32_t iMaxPos, CBitmap* handle,
                                  CBitmap* background, const CPoint& backgroundOffset,
                                  int32_t style)
: CSlider (size, listener, tag, iMinPos, iMaxPos, handle, background, backgroundOffset,
           style | kVertical)
{
}

CVerticalSlider::CVerticalSlider (const CRect& size, IControlListener* listener, int32_t tag,
                                  const CPoint& offsetHandle, int32_t rangeHandle,
                                  CBitmap* handle, CBitmap* background,
                                  const CPoint& backgroundOffset, int32_t style)
: CSlider (size, listener, tag, offsetHandle, rangeHandle, handle, background,
           backgroundOffset, style | kVertical)
{
}

CHorizontalSlider::CHorizontalSlider (const CRect& size, IControlListener* listener,
                                      int32_t tag, int32_t iMinPos, int32_t iMaxPos,
                                      CBitmap* handle, CBitmap* background,
                                      const CPoint& backgroundOffset, int32_t style)
: CSlider (size, listener, tag, iMinPos, iMaxPos, handle, background, backgroundOffset,
           style | kHorizontal)
{
}

CHorizontalSlider::CHorizontalSlider (const CRect& size, IControlListener* listener,
                                      int32_t tag, const CPoint& offsetHandle,
                                      int32_t rangeHandle, CBitmap* handle,
                                      CBitmap* background, const CPoint& backgroundOffset,
                                      int32_t style)
: CSlider (size, listener, tag, offsetHandle, rangeHandle, handle, background,
           backgroundOffset, style | kHorizontal)
{
}

} // namespace QBGUI
