// An axis-aligned rectangle: left and top included, right and bottom excluded.
#pragma once

#include "cpoint.h"

#include <algorithm>

namespace VSTGUI {

struct CRect
{
	constexpr CRect (CCoord left = 0., CCoord top = 0., CCoord right = 0., CCoord bottom = 0.)
	: left (left), top (top), right (right), bottom (bottom)
	{
	}
	constexpr CRect (const CPoint& origin, const CPoint& size)
	: left (origin.x), top (origin.y), right (origin.x + size.x), bottom (origin.y + size.y)
	{
	}

	CRect& operator() (CCoord l, CCoord t, CCoord r, CCoord b)
	{
		left = l;
		top = t;
		right = r;
		bottom = b;
		return *this;
	}
	bool operator== (const CRect& o) const
	{
		return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
	}
	bool operator!= (const CRect& o) const { return !(*this == o); }

	CCoord getWidth () const { return right - left; }
	CCoord getHeight () const { return bottom - top; }
	CRect& setWidth (CCoord width)
	{
		right = left + width;
		return *this;
	}
	CRect& setHeight (CCoord height)
	{
		bottom = top + height;
		return *this;
	}
	bool isEmpty () const { return right <= left || bottom <= top; }

	CPoint getTopLeft () const { return CPoint (left, top); }
	CPoint getTopRight () const { return CPoint (right, top); }
	CPoint getBottomLeft () const { return CPoint (left, bottom); }
	CPoint getBottomRight () const { return CPoint (right, bottom); }
	CPoint getCenter () const { return CPoint (left + getWidth () / 2., top + getHeight () / 2.); }
	CPoint getSize () const { return CPoint (getWidth (), getHeight ()); }
	CRect& setTopLeft (const CPoint& p)
	{
		left = p.x;
		top = p.y;
		return *this;
	}
	CRect& setBottomRight (const CPoint& p)
	{
		right = p.x;
		bottom = p.y;
		return *this;
	}
	CRect& setSize (const CPoint& size)
	{
		setWidth (size.x);
		return setHeight (size.y);
	}

	CRect& offset (CCoord dx, CCoord dy)
	{
		left += dx;
		right += dx;
		top += dy;
		bottom += dy;
		return *this;
	}
	CRect& offset (const CPoint& p) { return offset (p.x, p.y); }
	CRect& offsetInverse (const CPoint& p) { return offset (-p.x, -p.y); }
	CRect& moveTo (CCoord x, CCoord y) { return offset (x - left, y - top); }
	CRect& moveTo (const CPoint& p) { return moveTo (p.x, p.y); }
	CRect& inset (CCoord dx, CCoord dy)
	{
		left += dx;
		right -= dx;
		top += dy;
		bottom -= dy;
		return *this;
	}
	CRect& inset (const CPoint& p) { return inset (p.x, p.y); }
	CRect& extend (CCoord dx, CCoord dy) { return inset (-dx, -dy); }

	CRect& normalize ()
	{
		if (left > right)
			std::swap (left, right);
		if (top > bottom)
			std::swap (top, bottom);
		return *this;
	}
	bool pointInside (const CPoint& where) const
	{
		return where.x >= left && where.x < right && where.y >= top && where.y < bottom;
	}
	bool rectOverlap (const CRect& o) const
	{
		return right > o.left && left < o.right && bottom > o.top && top < o.bottom;
	}
	CRect& bound (const CRect& o)
	{
		left = std::max (left, o.left);
		top = std::max (top, o.top);
		right = std::max (left, std::min (right, o.right));
		bottom = std::max (top, std::min (bottom, o.bottom));
		return *this;
	}
	CRect& unite (const CRect& o)
	{
		left = std::min (left, o.left);
		top = std::min (top, o.top);
		right = std::max (right, o.right);
		bottom = std::max (bottom, o.bottom);
		return *this;
	}

	CCoord left;
	CCoord top;
	CCoord right;
	CCoord bottom;
};

} // namespace VSTGUI
