// The abstract drawing interface views draw through. The state (colours, line,
// font, offset, clip) lives here with a save/restore stack; a backend reads it
// when it draws, and overrides what it needs.
#pragma once

#include "ccolor.h"
#include "cfont.h"
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

	LineCap getLineCap () const { return cap; }
	LineJoin getLineJoin () const { return join; }
	CCoord getDashPhase () const { return dashPhase; }
	const CoordVector& getDashLengths () const { return dashLengths; }

private:
	LineCap cap;
	LineJoin join;
	CCoord dashPhase;
	CoordVector dashLengths;
};

extern const CLineStyle kLineSolid;
extern const CLineStyle kLineOnOffDash;

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

	// surfaceRect: what the backend can draw on, in frame units; it is the first clip
	explicit CDrawContext (const CRect& surfaceRect = CRect (-1e7, -1e7, 1e7, 1e7));
	~CDrawContext () noexcept override;

	virtual void setDrawMode (CDrawMode mode) { state.drawMode = mode; }
	CDrawMode getDrawMode () const { return state.drawMode; }
	virtual void setLineStyle (const CLineStyle& style) { state.lineStyle = style; }
	const CLineStyle& getLineStyle () const { return state.lineStyle; }
	virtual void setLineWidth (CCoord width) { state.lineWidth = width; }
	CCoord getLineWidth () const { return state.lineWidth; }
	virtual void setFrameColor (const CColor& color) { state.frameColor = color; }
	const CColor& getFrameColor () const { return state.frameColor; }
	virtual void setFillColor (const CColor& color) { state.fillColor = color; }
	const CColor& getFillColor () const { return state.fillColor; }
	virtual void setFontColor (const CColor& color) { state.fontColor = color; }
	const CColor& getFontColor () const { return state.fontColor; }
	// size > 0 or style >= 0 draw with a copy of font changed accordingly; null keeps the current font
	virtual void setFont (const CFontDesc* font, CCoord size = 0., int32_t style = -1);
	const CFontDesc* getFont () const { return state.font; }
	// width of the thinnest visible line: one device pixel
	virtual CCoord getHairlineSize () const { return 1.; }

	// Where the local origin lies, in frame units. Views draw in their parent's
	// coordinates; a container moves the offset to its children's origin.
	virtual void setOffset (const CPoint& offset) { state.offset = offset; }
	const CPoint& getOffset () const { return state.offset; }
	// The clip, in local coordinates; setClipRect keeps it inside the surface.
	virtual void setClipRect (const CRect& clip);
	CRect& getClipRect (CRect& clip) const;
	void resetClipRect ();
	// the state above, pushed and popped; an unbalanced restore is ignored
	virtual void saveGlobalState ();
	virtual void restoreGlobalState ();

	virtual void drawRect (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) = 0;
	virtual void drawLine (const CPoint& start, const CPoint& end);
	// nullptr when the context has no path support; the caller owns one reference
	virtual CGraphicsPath* createGraphicsPath () = 0;
	virtual void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode = kPathFilled,
	                               CGraphicsTransform* transformation = nullptr) = 0;
	virtual void drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint (0, 0),
	                         float alpha = 1.f) = 0;
	// One line of text in the current font and font colour, vertically centred in rect.
	virtual void drawString (UTF8StringPtr string, const CRect& rect, CHoriTxtAlign hAlign = kCenterText,
	                         bool antialias = true);
	// width of string in the current font; 0 without a text backend
	virtual CCoord getStringWidth (UTF8StringPtr string);

protected:
	// the clip in frame units (the offset applied), as a backend needs it
	const CRect& getAbsoluteClipRect () const { return state.clipRect; }
	const CRect& getSurfaceRect () const { return surfaceRect; }

private:
	struct State
	{
		CDrawMode drawMode {kAliasing};
		CLineStyle lineStyle;
		CCoord lineWidth {1.};
		CColor frameColor {kBlackCColor};
		CColor fillColor {kWhiteCColor};
		CColor fontColor {kWhiteCColor};
		SharedPointer<CFontDesc> font;
		CPoint offset;
		CRect clipRect;
	};

	CRect surfaceRect;
	State state;
	std::vector<State> stack;
};

} // namespace VSTGUI
