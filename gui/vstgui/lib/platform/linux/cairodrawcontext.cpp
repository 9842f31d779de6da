// CairoDrawContext: every drawing call sets up the clip, offset and draw mode
// of the current state on the cairo context, draws and restores it, so the
// state stack stays in CDrawContext alone.
#include "cairodrawcontext.h"

#include "../../cbitmap.h"
#include "../../cgraphicspath.h"
#include "../../cgraphicstransform.h"

#include <dlfcn.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <string>
#include <vector>

namespace VSTGUI {

namespace {

constexpr auto kFallbackFamily = "DejaVu Sans";

CRect surfaceBounds (cairo_surface_t* surface, double scale)
{
	if (surface && cairo_surface_get_type (surface) == CAIRO_SURFACE_TYPE_IMAGE)
		return CRect (0., 0., cairo_image_surface_get_width (surface) / scale,
		              cairo_image_surface_get_height (surface) / scale);
	return CRect (-1e7, -1e7, 1e7, 1e7);
}

double sanitizedScale (double scale)
{
	return std::isfinite (scale) && scale > 0. ? scale : 1.;
}

void setSourceColor (cairo_t* cr, const CColor& c)
{
	cairo_set_source_rgba (cr, c.red / 255., c.green / 255., c.blue / 255., c.alpha / 255.);
}

// The bitmap's pixels as cairo wants them: native-endian ARGB32, premultiplied
// (RGB24 when every pixel is opaque).
struct CairoBitmap final : CBitmap::PlatformData
{
	explicit CairoBitmap (cairo_surface_t* s) : surface (s) {}
	~CairoBitmap () noexcept override { cairo_surface_destroy (surface); }
	cairo_surface_t* surface;
};

cairo_surface_t* makeBitmapSurface (const CBitmap& bitmap)
{
	const int width = static_cast<int> (bitmap.getWidth ());
	const int height = static_cast<int> (bitmap.getHeight ());
	const auto& rgba = bitmap.getPixels ();
	if (width <= 0 || height <= 0 || rgba.size () < static_cast<size_t> (width) * height * 4u)
		return nullptr;
	// an opaque image is copied rather than blended when it is drawn
	bool opaque = true;
	for (size_t i = 3; i < rgba.size () && opaque; i += 4)
		opaque = rgba[i] == 255;
	cairo_surface_t* surface =
	    cairo_image_surface_create (opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height);
	if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (surface);
		return nullptr;
	}
	cairo_surface_flush (surface);
	unsigned char* data = cairo_image_surface_get_data (surface);
	const int stride = cairo_image_surface_get_stride (surface);
	auto premultiply = [] (uint32_t c, uint32_t a) { return (c * a + 127u) / 255u; };
	for (int y = 0; y < height; ++y)
	{
		const uint8_t* src = rgba.data () + static_cast<size_t> (y) * width * 4u;
		auto* dst = reinterpret_cast<uint32_t*> (data + static_cast<size_t> (y) * stride);
		for (int x = 0; x < width; ++x, src += 4)
		{
			const uint32_t a = src[3];
			dst[x] = (a << 24) | (premultiply (src[0], a) << 16) | (premultiply (src[1], a) << 8) |
			         premultiply (src[2], a);
		}
	}
	cairo_surface_mark_dirty (surface);
	return surface;
}

// The image cairo draws for bitmap, made once and kept with the bitmap;
// nullptr for a bitmap that did not load.
cairo_surface_t* bitmapSurface (const CBitmap* bitmap)
{
	if (!bitmap || !bitmap->isLoaded ())
		return nullptr;
	if (auto* data = dynamic_cast<CairoBitmap*> (bitmap->getPlatformData ()))
		return data->surface;
	cairo_surface_t* surface = makeBitmapSurface (*bitmap);
	if (!surface)
		return nullptr;
	bitmap->setPlatformData (std::make_unique<CairoBitmap> (surface));
	return surface;
}

// One font map for every context of the module, made on first use and released
// when the module goes, so its caches are shared between redraws and nothing
// stays behind after an unload. Drawing happens on the UI thread only.
class FontMap
{
public:
	~FontMap () noexcept
	{
		if (map)
			g_object_unref (map);
	}
	PangoFontMap* get ()
	{
		if (!map)
		{
			// GObject never forgets a registered type, so pango must outlive this
			// module: a host that unloads it and loads it again would otherwise
			// meet pango's types pointing into an unmapped copy of pango.
			dlopen ("libpangocairo-1.0.so.0", RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
			map = pango_cairo_font_map_new ();
		}
		return map;
	}

private:
	PangoFontMap* map {nullptr};
};

FontMap fontMap;

} // namespace

//------------------------------------------------------------------------
struct CairoDrawContext::Impl
{
	cairo_surface_t* surface {nullptr};
	cairo_t* cr {nullptr};
	double scale {1.};

	// text: one layout per context, font descriptions by font
	PangoLayout* layout {nullptr};
	struct Font
	{
		std::string name;
		CCoord size;
		int32_t style;
		PangoFontDescription* description;
	};
	std::vector<Font> fonts;
	int textAntialias {-1};

	~Impl () noexcept
	{
		for (auto& f : fonts)
			pango_font_description_free (f.description);
		if (layout)
			g_object_unref (layout);
		if (cr)
			cairo_destroy (cr);
		if (surface)
			cairo_surface_destroy (surface);
	}

	PangoFontDescription* fontDescription (const CFontDesc& font)
	{
		for (const auto& f : fonts)
			if (f.name == font.getName () && f.size == font.getSize () && f.style == font.getStyle ())
				return f.description;
		PangoFontDescription* description = pango_font_description_new ();
		std::string family = font.getName ();
		if (family.empty ())
			family = kFallbackFamily;
		else if (family != kFallbackFamily)
			family += std::string (",") + kFallbackFamily;
		pango_font_description_set_family (description, family.c_str ());
		const CCoord size = font.getSize () > 0. ? font.getSize () : 12.;
		pango_font_description_set_absolute_size (description, size * PANGO_SCALE);
		pango_font_description_set_weight (description, (font.getStyle () & kBoldFace) ? PANGO_WEIGHT_BOLD
		                                                                               : PANGO_WEIGHT_NORMAL);
		pango_font_description_set_style (description, (font.getStyle () & kItalicFace) ? PANGO_STYLE_ITALIC
		                                                                               : PANGO_STYLE_NORMAL);
		fonts.push_back ({font.getName (), font.getSize (), font.getStyle (), description});
		return description;
	}

	// Sets up the layout for string in font; false when there is nothing to lay out.
	bool prepareLayout (UTF8StringPtr string, const CFontDesc* font, bool antialias)
	{
		if (!cr || !string || !*string)
			return false;
		if (!layout)
		{
			PangoFontMap* map = fontMap.get ();
			if (!map)
				return false;
			PangoContext* context = pango_font_map_create_context (map);
			pango_cairo_update_context (cr, context);
			layout = pango_layout_new (context);
			g_object_unref (context);
		}
		if (textAntialias != (antialias ? 1 : 0))
		{
			cairo_font_options_t* options = cairo_font_options_create ();
			cairo_font_options_set_antialias (options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
			pango_cairo_context_set_font_options (pango_layout_get_context (layout), options);
			cairo_font_options_destroy (options);
			pango_layout_context_changed (layout);
			textAntialias = antialias ? 1 : 0;
		}
		const CFontDesc& f = font ? *font : *kNormalFont;
		pango_layout_set_font_description (layout, fontDescription (f));
		PangoAttrList* attributes = nullptr;
		if (f.getStyle () & (kUnderlineFace | kStrikethroughFace))
		{
			attributes = pango_attr_list_new ();
			if (f.getStyle () & kUnderlineFace)
				pango_attr_list_insert (attributes, pango_attr_underline_new (PANGO_UNDERLINE_SINGLE));
			if (f.getStyle () & kStrikethroughFace)
				pango_attr_list_insert (attributes, pango_attr_strikethrough_new (true));
		}
		pango_layout_set_attributes (layout, attributes);
		if (attributes)
			pango_attr_list_unref (attributes);
		pango_layout_set_text (layout, string, -1);
		return true;
	}
};

//------------------------------------------------------------------------
CairoDrawContext::CairoDrawContext (cairo_surface_t* surface, double scaleFactor)
: CDrawContext (surfaceBounds (surface, sanitizedScale (scaleFactor))), impl (std::make_unique<Impl> ())
{
	impl->scale = sanitizedScale (scaleFactor);
	if (!surface || cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
		return;
	impl->surface = cairo_surface_reference (surface);
	impl->cr = cairo_create (surface);
	if (cairo_status (impl->cr) != CAIRO_STATUS_SUCCESS)
	{
		cairo_destroy (impl->cr);
		impl->cr = nullptr;
		return;
	}
	cairo_scale (impl->cr, impl->scale, impl->scale);
}

CairoDrawContext::~CairoDrawContext () noexcept = default;

CCoord CairoDrawContext::getHairlineSize () const
{
	return 1. / impl->scale;
}

template <typename Draw>
void CairoDrawContext::withState (Draw draw)
{
	cairo_t* cr = impl->cr;
	const CRect& clip = getAbsoluteClipRect ();
	if (!cr || clip.isEmpty ())
		return;
	cairo_save (cr);
	// the clip on whole device pixels, whatever the draw mode
	cairo_set_antialias (cr, CAIRO_ANTIALIAS_NONE);
	cairo_rectangle (cr, clip.left, clip.top, clip.getWidth (), clip.getHeight ());
	cairo_clip (cr);
	cairo_translate (cr, getOffset ().x, getOffset ().y);
	cairo_set_antialias (cr, getDrawMode () () == kAntiAliasing ? CAIRO_ANTIALIAS_DEFAULT
	                                                              : CAIRO_ANTIALIAS_NONE);
	draw (cr);
	cairo_restore (cr);
}

void CairoDrawContext::applyLineStyle ()
{
	cairo_t* cr = impl->cr;
	const CLineStyle& style = getLineStyle ();
	const CCoord width = getLineWidth ();
	cairo_set_line_width (cr, width);
	switch (style.getLineCap ())
	{
		case CLineStyle::kLineCapButt: cairo_set_line_cap (cr, CAIRO_LINE_CAP_BUTT); break;
		case CLineStyle::kLineCapRound: cairo_set_line_cap (cr, CAIRO_LINE_CAP_ROUND); break;
		case CLineStyle::kLineCapSquare: cairo_set_line_cap (cr, CAIRO_LINE_CAP_SQUARE); break;
	}
	switch (style.getLineJoin ())
	{
		case CLineStyle::kLineJoinMiter: cairo_set_line_join (cr, CAIRO_LINE_JOIN_MITER); break;
		case CLineStyle::kLineJoinRound: cairo_set_line_join (cr, CAIRO_LINE_JOIN_ROUND); break;
		case CLineStyle::kLineJoinBevel: cairo_set_line_join (cr, CAIRO_LINE_JOIN_BEVEL); break;
	}
	// dash lengths count in line widths
	std::vector<double> dashes;
	for (auto length : style.getDashLengths ())
		dashes.push_back (length * width);
	cairo_set_dash (cr, dashes.data (), static_cast<int> (dashes.size ()), style.getDashPhase () * width);
}

// A stroked rectangle's line lies inside the rectangle, so a one-pixel frame of
// a whole-pixel rectangle covers whole pixels (its outer row and column).
void CairoDrawContext::drawRect (const CRect& rect, const CDrawStyle drawStyle)
{
	CRect r (rect);
	r.normalize ();
	withState ([&] (cairo_t* cr) {
		if (drawStyle == kDrawFilled || drawStyle == kDrawFilledAndStroked)
		{
			setSourceColor (cr, getFillColor ());
			cairo_rectangle (cr, r.left, r.top, r.getWidth (), r.getHeight ());
			cairo_fill (cr);
		}
		if (drawStyle == kDrawStroked || drawStyle == kDrawFilledAndStroked)
		{
			const CCoord half = getLineWidth () / 2.;
			CRect s (r);
			s.inset (half, half);
			if (s.getWidth () < 0. || s.getHeight () < 0.)
				return;
			applyLineStyle ();
			setSourceColor (cr, getFrameColor ());
			cairo_rectangle (cr, s.left, s.top, s.getWidth (), s.getHeight ());
			cairo_stroke (cr);
		}
	});
}

// A line of an odd number of device pixels is moved by half a pixel so that it
// covers whole pixels.
void CairoDrawContext::drawLine (const CPoint& start, const CPoint& end)
{
	withState ([&] (cairo_t* cr) {
		applyLineStyle ();
		const double deviceWidth = std::round (getLineWidth () * impl->scale);
		const double shift = std::fmod (deviceWidth, 2.) == 1. ? 0.5 / impl->scale : 0.;
		setSourceColor (cr, getFrameColor ());
		cairo_move_to (cr, start.x + shift, start.y + shift);
		cairo_line_to (cr, end.x + shift, end.y + shift);
		cairo_stroke (cr);
	});
}

CGraphicsPath* CairoDrawContext::createGraphicsPath ()
{
	return new CGraphicsPath;
}

void CairoDrawContext::drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode,
                                         CGraphicsTransform* transformation)
{
	if (!path || path->getNumberOfElements () == 0)
		return;
	withState ([&] (cairo_t* cr) {
		auto point = [&] (CPoint p) {
			if (transformation)
				transformation->transform (p);
			return p;
		};
		cairo_new_path (cr);
		for (const auto& e : path->getElements ())
		{
			switch (e.type)
			{
				case CGraphicsPath::Element::kRect:
				{
					const CPoint corners[] = {point (e.rect.getTopLeft ()), point (e.rect.getTopRight ()),
					                          point (e.rect.getBottomRight ()), point (e.rect.getBottomLeft ())};
					cairo_move_to (cr, corners[0].x, corners[0].y);
					for (int i = 1; i < 4; ++i)
						cairo_line_to (cr, corners[i].x, corners[i].y);
					cairo_close_path (cr);
					break;
				}
				case CGraphicsPath::Element::kBeginSubpath:
				{
					const CPoint p = point (e.point);
					cairo_move_to (cr, p.x, p.y);
					break;
				}
				case CGraphicsPath::Element::kLine:
				{
					const CPoint p = point (e.point);
					cairo_line_to (cr, p.x, p.y);
					break;
				}
				case CGraphicsPath::Element::kCloseSubpath: cairo_close_path (cr); break;
			}
		}
		if (mode == kPathStroked)
		{
			applyLineStyle ();
			setSourceColor (cr, getFrameColor ());
			cairo_stroke (cr);
		}
		else
		{
			cairo_set_fill_rule (cr, mode == kPathFilledEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
			setSourceColor (cr, getFillColor ());
			cairo_fill (cr);
		}
	});
}

// Bitmaps are drawn pixel for pixel: the destination and the image's origin
// are put on whole device pixels, so images stay sharp.
void CairoDrawContext::drawBitmap (CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	cairo_surface_t* image = bitmapSurface (bitmap);
	if (!image || !(alpha > 0.f))
		return;
	const double scale = impl->scale;
	auto snap = [scale] (CCoord v) { return std::round (v * scale) / scale; };
	CRect d (snap (dest.left), snap (dest.top), snap (dest.right), snap (dest.bottom));
	d.normalize ();
	if (d.isEmpty ())
		return;
	withState ([&] (cairo_t* cr) {
		cairo_set_antialias (cr, CAIRO_ANTIALIAS_NONE);
		cairo_rectangle (cr, d.left, d.top, d.getWidth (), d.getHeight ());
		cairo_clip (cr);
		cairo_set_source_surface (cr, image, d.left - snap (offset.x), d.top - snap (offset.y));
		cairo_pattern_set_filter (cairo_get_source (cr), scale == 1. ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
		if (alpha >= 1.f)
			cairo_paint (cr);
		else
			cairo_paint_with_alpha (cr, alpha);
	});
}

void CairoDrawContext::drawString (UTF8StringPtr string, const CRect& rect, CHoriTxtAlign hAlign, bool antialias)
{
	if (!impl->prepareLayout (string, getFont (), antialias))
		return;
	PangoLayout* layout = impl->layout;
	withState ([&] (cairo_t* cr) {
		pango_cairo_update_layout (cr, layout);
		PangoRectangle logical;
		pango_layout_get_extents (layout, nullptr, &logical);
		const double width = static_cast<double> (logical.width) / PANGO_SCALE;
		const double height = static_cast<double> (logical.height) / PANGO_SCALE;
		double x = rect.left;
		if (hAlign == kCenterText)
			x = rect.left + (rect.getWidth () - width) / 2.;
		else if (hAlign == kRightText)
			x = rect.right - width;
		const double y = rect.top + (rect.getHeight () - height) / 2.;
		setSourceColor (cr, getFontColor ());
		cairo_move_to (cr, std::round (x * impl->scale) / impl->scale, std::round (y * impl->scale) / impl->scale);
		pango_cairo_show_layout (cr, layout);
	});
}

CCoord CairoDrawContext::getStringWidth (UTF8StringPtr string)
{
	if (!impl->prepareLayout (string, getFont (), true))
		return 0.;
	pango_cairo_update_layout (impl->cr, impl->layout);
	PangoRectangle logical;
	pango_layout_get_extents (impl->layout, nullptr, &logical);
	return static_cast<CCoord> (logical.width) / PANGO_SCALE;
}

} // namespace VSTGUI
