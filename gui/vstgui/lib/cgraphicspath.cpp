// CGraphicsPath as a list of elements.
#include "cgraphicspath.h"

namespace VSTGUI {

void CGraphicsPath::addRect (const CRect& rect)
{
	elements.push_back ({Element::kRect, rect, CPoint ()});
}

void CGraphicsPath::beginSubpath (const CPoint& start)
{
	elements.push_back ({Element::kBeginSubpath, CRect (), start});
}

void CGraphicsPath::addLine (const CPoint& to)
{
	elements.push_back ({Element::kLine, CRect (), to});
}

void CGraphicsPath::closeSubpath ()
{
	elements.push_back ({Element::kCloseSubpath, CRect (), CPoint ()});
}

CRect CGraphicsPath::getBoundingBox () const
{
	CRect box;
	bool first = true;
	auto include = [&] (const CRect& r) {
		if (first)
			box = r;
		else
			box.unite (r);
		first = false;
	};
	for (const auto& e : elements)
	{
		switch (e.type)
		{
			case Element::kRect: include (CRect (e.rect).normalize ()); break;
			case Element::kBeginSubpath:
			case Element::kLine: include (CRect (e.point, CPoint ())); break;
			case Element::kCloseSubpath: break;
		}
	}
	return box;
}

} // namespace VSTGUI
