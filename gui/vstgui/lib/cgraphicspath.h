// A vector path: a list of shapes and sub-paths, kept as data; a drawing
// context decides how to render it.
#pragma once

#include "cpoint.h"
#include "crect.h"
#include "vstguibase.h"

#include <vector>

namespace VSTGUI {

class CGraphicsPath : public CBaseObject
{
public:
	struct Element
	{
		enum Type
		{
			kRect,
			kBeginSubpath,
			kLine,
			kCloseSubpath
		};
		Type type;
		CRect rect; // kRect
		CPoint point; // kBeginSubpath, kLine
	};

	CGraphicsPath () = default;
	CGraphicsPath (const CGraphicsPath&) = default;

	virtual void addRect (const CRect& rect);
	virtual void beginSubpath (const CPoint& start);
	virtual void addLine (const CPoint& to);
	virtual void closeSubpath ();
	// union of all shapes and points; an empty rectangle for an empty path
	CRect getBoundingBox () const;

	const std::vector<Element>& getElements () const { return elements; }
	size_t getNumberOfElements () const { return elements.size (); }

private:
	std::vector<Element> elements;
};

} // namespace VSTGUI
