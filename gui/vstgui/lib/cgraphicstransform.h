// An affine transform: x' = m11 x + m12 y + dx, y' = m21 x + m22 y + dy.
#pragma once

#include "cpoint.h"
#include "crect.h"

namespace VSTGUI {

struct CGraphicsTransform
{
	CCoord m11 {1.};
	CCoord m12 {0.};
	CCoord m21 {0.};
	CCoord m22 {1.};
	CCoord dx {0.};
	CCoord dy {0.};

	CGraphicsTransform () = default;
	CGraphicsTransform (CCoord m11, CCoord m12, CCoord m21, CCoord m22, CCoord dx, CCoord dy)
	: m11 (m11), m12 (m12), m21 (m21), m22 (m22), dx (dx), dy (dy)
	{
	}

	CGraphicsTransform& translate (CCoord x, CCoord y)
	{
		dx += x;
		dy += y;
		return *this;
	}
	CGraphicsTransform& scale (CCoord x, CCoord y)
	{
		m11 *= x;
		m12 *= x;
		dx *= x;
		m21 *= y;
		m22 *= y;
		dy *= y;
		return *this;
	}
	bool isInvariant () const
	{
		return m11 == 1. && m12 == 0. && m21 == 0. && m22 == 1. && dx == 0. && dy == 0.;
	}
	CPoint& transform (CPoint& p) const
	{
		const CCoord x = m11 * p.x + m12 * p.y + dx;
		const CCoord y = m21 * p.x + m22 * p.y + dy;
		return p (x, y);
	}
	bool operator== (const CGraphicsTransform& o) const
	{
		return m11 == o.m11 && m12 == o.m12 && m21 == o.m21 && m22 == o.m22 && dx == o.dx && dy == o.dy;
	}
	bool operator!= (const CGraphicsTransform& o) const { return !(*this == o); }
};

} // namespace VSTGUI
