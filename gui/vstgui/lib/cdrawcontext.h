// The abstract drawing interface views draw through. State setters keep the
// state here; a backend (or a test recorder) overrides what it needs.
#pragma once

#include "ccolor.h"
#include "cpoint.h"
#include "crect.h"
#include "vstguibase.h"

#include <vector>

namespace VSTGUI {

enum CDrawModeFlags : uint32_t
{
	kAliasing = 0,
	kAntiAliasing = 1
};

class CDrawMode
{
public:
	constexpr CDrawMode (uint32_t mode = kAliasing) : mode (mode) {}
	uint32_t operator() () const { return mode; }
	bool operator== (const CDrawMode& o) const { return mode == o.mode; }
	bool operator!= (const CDrawMode& o) const { return mode != o.mode; }

private:
	uint32_t mode;
};

class CLineStyle
{
public:
	enum LineCap
	{
		kLineCapButt = 0,
		kLineCapRound,
		kLineCapSquare
	};
	enum LineJoin
	{
		kLineJoinMiter = 0,
		kLineJoinRound,
		kLineJoinBevel
	};
	using CoordVector = std::vector<CCoord>;

	CLineStyle (LineCap cap = kLineCapButt, LineJoin join = kLineJoinMiter, CCoord dashPhase = 0.,
	            const CoordVector& dashLengths = {})
	: cap (cap), join (join), dashPhase (dashPhase), dashLengths (dashLengths)
	{
	}

	bool operator== (const CLineStyle& o) const
	{
		return cap == o.cap && join == o.join && dashPhase == o.dashPhase && dashLengths == o.dashLengths;
	}
	bool operator!= (const CLineStyle& o) const { return !(*this == o); }

private:
	LineCap cap;
	LineJoin join;
	CCoord dashPhase;
	CoordVector dashLengths;
};

extern const CLineStyle kLineSolid;

enum CDrawStyle
{
	kDrawStroked = 0,
	kDrawFilled,
	kDrawFilledAndStroked
};

class CDrawContext : public CBaseObject
{
public:
	enum PathDrawMode
	{
		kPathFilled,
		kPathFilledEvenOdd,
		kPathStroked
	};

	CDrawContext () = default;
	~CDrawContext () noexcept override;

	virtual void setDrawMode (CDrawMode mode) { drawMode = mode; }
	CDrawMode getDrawMode () const { return drawMode; }
	virtual void setLineStyle (const CLineStyle& style) { lineStyle = style; }
	const CLineStyle& getLineStyle () const { return lineStyle; }
	virtual void setLineWidth (CCoord width) { lineWidth = width; }
	CCoord getLineWidth () const { return lineWidth; }
	virtual void setFrameColor (const CColor& color) { frameColor = color; }
	const CColor& getFrameColor () const { return frameColor; }
	virtual void setFillColor (const CColor& color) { fillColor = color; }
	const CColor& getFillColor () const { return fillColor; }
	// width of the thinnest visible line: one device pixel (no scaled backend here)
	virtual CCoord getHairlineSize () const { return 1.; }

	virtual void drawRect (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) = 0;
	// nullptr when the context has no path support; the caller owns one reference
	virtual CGraphicsPath* createGraphicsPath () = 0;
	virtual void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode = kPathFilled,
	                               CGraphicsTransform* transformation = nullptr) = 0;
	virtual void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (0, 0),
	                         float alpha = 1.f) = 0;

private:
	CDrawMode drawMode {kAliasing};
	CLineStyle lineStyle;
	CCoord lineWidth {1.};
	CColor frameColor {kBlackCColor};
	CColor fillColor {kWhiteCColor};
};

} // namespace VSTGUI
