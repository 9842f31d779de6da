// RecordingDrawContext.
#include "recordingdrawcontext.h"

#include <sstream>

using namespace VSTGUI;

RecordingDrawContext::RecordingDrawContext (bool withGraphicsPaths) : withPaths (withGraphicsPaths) {}

RecordingDrawContext::Call& RecordingDrawContext::record (Op op) const
{
	calls.emplace_back ();
	calls.back ().op = op;
	return calls.back ();
}

size_t RecordingDrawContext::count (Op op) const
{
	size_t n = 0;
	for (const auto& c : calls)
		n += c.op == op ? 1 : 0;
	return n;
}

std::vector<RecordingDrawContext::Call> RecordingDrawContext::callsOf (Op op) const
{
	std::vector<Call> result;
	for (const auto& c : calls)
		if (c.op == op)
			result.push_back (c);
	return result;
}

const char* RecordingDrawContext::opName (Op op)
{
	switch (op)
	{
		case Op::SetDrawMode: return "setDrawMode";
		case Op::SetLineStyle: return "setLineStyle";
		case Op::SetLineWidth: return "setLineWidth";
		case Op::SetFrameColor: return "setFrameColor";
		case Op::SetFillColor: return "setFillColor";
		case Op::GetHairlineSize: return "getHairlineSize";
		case Op::DrawRect: return "drawRect";
		case Op::CreateGraphicsPath: return "createGraphicsPath";
		case Op::DrawGraphicsPath: return "drawGraphicsPath";
		case Op::DrawBitmap: return "drawBitmap";
	}
	return "?";
}

std::string RecordingDrawContext::describe () const
{
	std::ostringstream out;
	auto rect = [&] (const CRect& r) {
		out << " (" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
	};
	auto color = [&] (const CColor& c) {
		out << " rgba(" << int (c.red) << ", " << int (c.green) << ", " << int (c.blue) << ", "
		    << int (c.alpha) << ")";
	};
	for (const auto& c : calls)
	{
		out << opName (c.op);
		switch (c.op)
		{
			case Op::SetDrawMode: out << " " << c.drawMode; break;
			case Op::SetLineWidth:
			case Op::GetHairlineSize: out << " " << c.width; break;
			case Op::SetFrameColor:
			case Op::SetFillColor: color (c.color); break;
			case Op::DrawRect:
				rect (c.rect);
				out << " style " << c.drawStyle;
				break;
			case Op::CreateGraphicsPath: out << (c.pathGiven ? " path" : " none"); break;
			case Op::DrawGraphicsPath:
				out << " mode " << c.pathMode << (c.hasTransform ? " transformed" : "");
				for (const auto& e : c.pathElements)
					if (e.type == CGraphicsPath::Element::kRect)
						rect (e.rect);
				break;
			case Op::DrawBitmap:
				rect (c.rect);
				out << " offset (" << c.offset.x << ", " << c.offset.y << ") alpha " << c.alpha;
				break;
			case Op::SetLineStyle: break;
		}
		out << "\n";
	}
	return out.str ();
}

void RecordingDrawContext::setDrawMode (CDrawMode mode)
{
	record (Op::SetDrawMode).drawMode = mode ();
	CDrawContext::setDrawMode (mode);
}

void RecordingDrawContext::setLineStyle (const CLineStyle& style)
{
	record (Op::SetLineStyle).lineStyle = style;
	CDrawContext::setLineStyle (style);
}

void RecordingDrawContext::setLineWidth (CCoord width)
{
	record (Op::SetLineWidth).width = width;
	CDrawContext::setLineWidth (width);
}

void RecordingDrawContext::setFrameColor (const CColor& color)
{
	record (Op::SetFrameColor).color = color;
	CDrawContext::setFrameColor (color);
}

void RecordingDrawContext::setFillColor (const CColor& color)
{
	record (Op::SetFillColor).color = color;
	CDrawContext::setFillColor (color);
}

CCoord RecordingDrawContext::getHairlineSize () const
{
	record (Op::GetHairlineSize).width = hairline;
	return hairline;
}

void RecordingDrawContext::drawRect (const CRect& rect, const CDrawStyle drawStyle)
{
	auto& c = record (Op::DrawRect);
	c.rect = rect;
	c.drawStyle = drawStyle;
}

CGraphicsPath* RecordingDrawContext::createGraphicsPath ()
{
	auto& c = record (Op::CreateGraphicsPath);
	if (!withPaths)
		return nullptr;
	c.pathGiven = true;
	c.path = new CGraphicsPath;
	return c.path;
}

void RecordingDrawContext::drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode,
                                             CGraphicsTransform* transformation)
{
	auto& c = record (Op::DrawGraphicsPath);
	c.path = path;
	if (path)
		c.pathElements = path->getElements ();
	c.pathMode = mode;
	c.hasTransform = transformation != nullptr;
}

void RecordingDrawContext::drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	auto& c = record (Op::DrawBitmap);
	c.bitmap = bitmap;
	c.rect = dest;
	c.offset = offset;
	c.alpha = alpha;
}
