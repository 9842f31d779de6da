// A drawing context on a cairo surface, text through pango. Coordinates are in
// frame units; one unit is scaleFactor device pixels.
#pragma once

#include "../../cdrawcontext.h"

#include <cairo.h>

#include <memory>

namespace VSTGUI {

class CairoDrawContext final : public CDrawContext
{
public:
	// Takes its own reference on surface; draws there and nowhere else (no flush).
	explicit CairoDrawContext (cairo_surface_t* surface, double scaleFactor = 1.);
	~CairoDrawContext () noexcept override;
	CairoDrawContext (const CairoDrawContext&) = delete;
	CairoDrawContext& operator= (const CairoDrawContext&) = delete;

	CCoord getHairlineSize () const override;

	void drawRect (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) override;
	void drawLine (const CPoint& start, const CPoint& end) override;
	CGraphicsPath* createGraphicsPath () override;
	void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode = kPathFilled,
	                       CGraphicsTransform* transformation = nullptr) override;
	void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (0, 0),
	                 float alpha = 1.f) override;
	void drawString (UTF8StringPtr string, const CRect& rect, CHoriTxtAlign hAlign = kCenterText,
	                 bool antialias = true) override;
	CCoord getStringWidth (UTF8StringPtr string) override;

private:
	struct Impl;

	template <typename Draw>
	void withState (Draw draw);
	void applyLineStyle ();

	std::unique_ptr<Impl> impl;
};

} // namespace VSTGUI
