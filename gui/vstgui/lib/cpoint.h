// A point (or a size) in view coordinates.
#pragma once

#include "vstguifwd.h"

namespace VSTGUI {

struct CPoint
{
	constexpr CPoint (CCoord x = 0., CCoord y = 0.) : x (x), y (y) {}

	CPoint& operator() (CCoord px, CCoord py)
	{
		x = px;
		y = py;
		return *this;
	}
	bool operator== (const CPoint& other) const { return x == other.x && y == other.y; }
	bool operator!= (const CPoint& other) const { return !(*this == other); }
	CPoint operator+ (const CPoint& other) const { return CPoint (x + other.x, y + other.y); }
	CPoint operator- (const CPoint& other) const { return CPoint (x - other.x, y - other.y); }
	CPoint operator- () const { return CPoint (-x, -y); }
	CPoint& operator+= (const CPoint& other)
	{
		x += other.x;
		y += other.y;
		return *this;
	}
	CPoint& operator-= (const CPoint& other)
	{
		x -= other.x;
		y -= other.y;
		return *this;
	}
	CPoint& offset (CCoord dx, CCoord dy)
	{
		x += dx;
		y += dy;
		return *this;
	}
	CPoint& offset (const CPoint& p) { return offset (p.x, p.y); }
	CPoint& offsetInverse (const CPoint& p) { return offset (-p.x, -p.y); }

	CCoord x;
	CCoord y;
};

} // namespace VSTGUI
