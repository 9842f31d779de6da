// A drawing context for tests: it records every call in order, and hands out
// graphics paths or none, as configured.
#pragma once

#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicspath.h"

#include <string>
#include <vector>

class RecordingDrawContext : public VSTGUI::CDrawContext
{
public:
	enum class Op
	{
		SetDrawMode,
		SetLineStyle,
		SetLineWidth,
		SetFrameColor,
		SetFillColor,
		GetHairlineSize,
		DrawRect,
		CreateGraphicsPath,
		DrawGraphicsPath,
		DrawBitmap
	};

	// One call with its arguments; only the fields of its Op are meaningful.
	struct Call
	{
		Op op {Op::SetDrawMode};
		uint32_t drawMode {0}; // SetDrawMode
		VSTGUI::CLineStyle lineStyle; // SetLineStyle
		VSTGUI::CCoord width {0.}; // SetLineWidth; GetHairlineSize: the answer
		VSTGUI::CColor color; // SetFrameColor, SetFillColor
		float alpha {1.f}; // DrawBitmap
		VSTGUI::CRect rect; // DrawRect, DrawBitmap (destination)
		VSTGUI::CDrawStyle drawStyle {VSTGUI::kDrawStroked}; // DrawRect
		bool pathGiven {false}; // CreateGraphicsPath
		VSTGUI::CGraphicsPath* path {nullptr}; // CreateGraphicsPath, DrawGraphicsPath (identity only)
		// DrawGraphicsPath: the path's elements at the time of drawing
		std::vector<VSTGUI::CGraphicsPath::Element> pathElements;
		PathDrawMode pathMode {kPathFilled}; // DrawGraphicsPath
		bool hasTransform {false}; // DrawGraphicsPath
		VSTGUI::CBitmap* bitmap {nullptr}; // DrawBitmap (identity only)
		VSTGUI::CPoint offset; // DrawBitmap
	};

	explicit RecordingDrawContext (bool withGraphicsPaths = true);

	const std::vector<Call>& getCalls () const { return calls; }
	void clear () { calls.clear (); }
	size_t count (Op op) const;
	// the calls of one kind, in order
	std::vector<Call> callsOf (Op op) const;
	// one line per call, for failure messages
	std::string describe () const;
	static const char* opName (Op op);

	void setHairlineSize (VSTGUI::CCoord size) { hairline = size; }

	void setDrawMode (VSTGUI::CDrawMode mode) override;
	void setLineStyle (const VSTGUI::CLineStyle& style) override;
	void setLineWidth (VSTGUI::CCoord width) override;
	void setFrameColor (const VSTGUI::CColor& color) override;
	void setFillColor (const VSTGUI::CColor& color) override;
	VSTGUI::CCoord getHairlineSize () const override;
	void drawRect (const VSTGUI::CRect& rect, const VSTGUI::CDrawStyle drawStyle = VSTGUI::kDrawStroked) override;
	VSTGUI::CGraphicsPath* createGraphicsPath () override;
	void drawGraphicsPath (VSTGUI::CGraphicsPath* path, PathDrawMode mode = kPathFilled,
	                       VSTGUI::CGraphicsTransform* transformation = nullptr) override;
	void drawBitmap (VSTGUI::CBitmap* bitmap, const VSTGUI::CRect& dest,
	                 const VSTGUI::CPoint& offset = VSTGUI::CPoint (0, 0), float alpha = 1.f) override;

private:
	Call& record (Op op) const;

	mutable std::vector<Call> calls;
	VSTGUI::CCoord hairline {1.};
	bool withPaths;
};
