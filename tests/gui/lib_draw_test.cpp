// The cairo drawing context read back pixel by pixel: views drawn at their
// frame position and clipped, crisp frames, premultiplied bitmaps with their
// offsets and alpha, broken images, and labels' text.
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cgraphicstransform.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/platform/linux/cairodrawcontext.h"
#include "vstgui/uidescription/uiattributes.h"
#include "vstgui/uidescription/uidescription.h"
#include "vstgui/uidescription/uiviewfactory.h"
#include "pngtestkit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace VSTGUI;
using LumivoTest::writeRgbaPng;

namespace {

// An ARGB32 image surface, cleared to transparent black, read back as straight colours.
struct Surface
{
	Surface (int w, int h) : surface (cairo_image_surface_create (CAIRO_FORMAT_ARGB32, w, h)) {}
	~Surface () { cairo_surface_destroy (surface); }

	// premultiplied components, as stored
	CColor pixel (int x, int y) const
	{
		cairo_surface_flush (surface);
		const auto* row = cairo_image_surface_get_data (surface) + y * cairo_image_surface_get_stride (surface);
		const uint32_t p = reinterpret_cast<const uint32_t*> (row)[x];
		return CColor (uint8_t (p >> 16), uint8_t (p >> 8), uint8_t (p), uint8_t (p >> 24));
	}
	void fill (const CColor& c)
	{
		CairoDrawContext context (surface);
		context.setFillColor (c);
		context.drawRect (CRect (0, 0, 1000, 1000), kDrawFilled);
	}
	// pixels of exactly this colour inside r
	int count (const CRect& r, const CColor& c) const
	{
		int n = 0;
		for (int y = int (r.top); y < int (r.bottom); ++y)
			for (int x = int (r.left); x < int (r.right); ++x)
				n += pixel (x, y) == c ? 1 : 0;
		return n;
	}

	cairo_surface_t* surface;
};

bool near (const CColor& a, const CColor& b, int tolerance = 1)
{
	auto close = [tolerance] (int x, int y) { return std::abs (x - y) <= tolerance; };
	return close (a.red, b.red) && close (a.green, b.green) && close (a.blue, b.blue) && close (a.alpha, b.alpha);
}

std::string describe (const CColor& c)
{
	return "(" + std::to_string (c.red) + ", " + std::to_string (c.green) + ", " + std::to_string (c.blue) +
	       ", " + std::to_string (c.alpha) + ")";
}

// A PNG of straight RGBA pixels in the test's temporary directory.
std::string writePNG (const std::string& name, uint32_t w, uint32_t h, const std::vector<uint8_t>& rgba)
{
	const std::string path = ::testing::TempDir () + "lumivo_draw_" + std::to_string (getpid ()) + "_" + name;
	EXPECT_TRUE (writeRgbaPng (path, w, h, rgba));
	return path;
}

// A label that paints its rectangle in one colour: back colour, no text.
CTextLabel* block (const CRect& r, const CColor& c)
{
	auto* label = new CTextLabel (r);
	label->setBackColor (c);
	return label;
}

} // namespace

// Under LeakSanitizer: fontconfig loses a few bytes while it parses its own
// configuration on the first text drawn. That memory is the system library's.
extern "C" const char* __lsan_default_suppressions ()
{
	return "leak:libfontconfig.so\n";
}

TEST (LibDraw, NestedChildrenDrawAtTheirFramePositionClippedToTheUpdateRect)
{
	Surface s (100, 100);
	auto frame = owned (new CFrame (CRect (0, 0, 100, 100)));
	auto* outer = new CViewContainer (CRect (20, 30, 90, 90));
	auto* inner = new CViewContainer (CRect (5, 5, 60, 60));
	inner->addView (block (CRect (10, 10, 30, 30), kRedCColor)); // frame: 35, 45 .. 55, 65
	outer->addView (inner);
	frame->addView (outer);
	frame->addView (block (CRect (0, 0, 10, 10), kBlueCColor)); // a sibling after the containers

	CairoDrawContext context (s.surface);
	frame->drawRect (&context, CRect (0, 0, 45, 100));
	EXPECT_EQ (s.count (CRect (35, 45, 45, 65), kRedCColor), 200) << "drawn at its frame position";
	EXPECT_EQ (s.count (CRect (0, 0, 100, 100), kRedCColor), 200) << "and nowhere else: clipped at x 45";
	EXPECT_EQ (s.count (CRect (0, 0, 10, 10), kBlueCColor), 100) << "the containers restored offset and clip";

	// the state stack is balanced: a later draw on the same context is unclipped and unmoved
	frame->drawRect (&context, CRect (0, 0, 100, 100));
	EXPECT_EQ (s.count (CRect (0, 0, 100, 100), kRedCColor), 400);

	// an update area beside a container leaves its children alone
	Surface t (100, 100);
	CairoDrawContext other (t.surface);
	frame->drawRect (&other, CRect (0, 0, 30, 100));
	EXPECT_EQ (t.count (CRect (0, 0, 100, 100), kRedCColor), 0);
}

TEST (LibDraw, StrokedRectsAndLinesCoverWholePixelsAtEveryScale)
{
	for (double scale : {1., 2.})
	{
		SCOPED_TRACE (scale);
		Surface s (int (40 * scale), int (40 * scale));
		CairoDrawContext context (s.surface, scale);
		EXPECT_EQ (context.getHairlineSize (), 1. / scale);
		context.setDrawMode (kAntiAliasing);
		context.setFrameColor (kWhiteCColor);
		context.setLineWidth (context.getHairlineSize ());
		context.drawRect (CRect (10, 10, 20, 20), kDrawStroked);
		const int edge = int (10 * scale);
		const int last = int (20 * scale) - 1;
		// the line lies inside the rectangle, one full device pixel wide
		EXPECT_EQ (s.pixel (edge, edge + 3), kWhiteCColor);
		EXPECT_EQ (s.pixel (last, last - 3), kWhiteCColor);
		EXPECT_EQ (s.pixel (edge - 1, edge + 3), CColor (0, 0, 0, 0));
		EXPECT_EQ (s.pixel (edge + 1, edge + 3), CColor (0, 0, 0, 0));
		EXPECT_EQ (s.pixel (last + 1, last - 3), CColor (0, 0, 0, 0));

		context.drawLine (CPoint (0, 30), CPoint (40, 30));
		EXPECT_EQ (s.pixel (5, int (30 * scale)), kWhiteCColor);
		EXPECT_EQ (s.pixel (5, int (30 * scale) - 1), CColor (0, 0, 0, 0));
		EXPECT_EQ (s.pixel (5, int (30 * scale) + 1), CColor (0, 0, 0, 0));
	}
}

TEST (LibDraw, PathsFillByTheirRuleStrokeAndTakeTheirTransform)
{
	Surface s (40, 20);
	CairoDrawContext context (s.surface);
	auto path = owned (context.createGraphicsPath ());
	ASSERT_NE (path, nullptr);
	// two nested squares, both clockwise
	path->addRect (CRect (0, 0, 10, 10));
	path->addRect (CRect (3, 3, 7, 7));
	context.setFillColor (kRedCColor);
	context.drawGraphicsPath (path, CDrawContext::kPathFilledEvenOdd);
	EXPECT_EQ (s.pixel (1, 1), kRedCColor);
	EXPECT_EQ (s.pixel (5, 5), CColor (0, 0, 0, 0)) << "even-odd leaves the inner square open";

	CGraphicsTransform moveRight;
	moveRight.translate (20, 0);
	context.drawGraphicsPath (path, CDrawContext::kPathFilled, &moveRight);
	EXPECT_EQ (s.pixel (25, 5), kRedCColor) << "winding fills it";
	EXPECT_EQ (s.pixel (15, 5), CColor (0, 0, 0, 0));

	context.setFrameColor (kBlueCColor);
	context.setLineWidth (2.);
	auto line = owned (context.createGraphicsPath ());
	line->beginSubpath (CPoint (0, 15));
	line->addLine (CPoint (40, 15));
	context.drawGraphicsPath (line, CDrawContext::kPathStroked);
	EXPECT_EQ (s.pixel (30, 14), kBlueCColor);
	EXPECT_EQ (s.pixel (30, 15), kBlueCColor);
	EXPECT_EQ (s.pixel (30, 16), CColor (0, 0, 0, 0));
}

TEST (LibDraw, BitmapsArePremultipliedAndDrawnWithTheirOffsetAndAlpha)
{
	// 2 x 2: half-transparent red, opaque green / opaque blue, fully transparent white
	const std::string path = writePNG ("quad.png", 2, 2,
	                                   {255, 0, 0, 128, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 0});
	auto bitmap = owned (new CBitmap (CResourceDescription (path.c_str ())));
	ASSERT_TRUE (bitmap->isLoaded ());

	// over black, half-transparent red is half red; unpremultiplied it would be full red
	Surface s (10, 10);
	s.fill (kBlackCColor);
	CairoDrawContext context (s.surface);
	context.drawBitmap (bitmap, CRect (0, 0, 2, 2));
	EXPECT_TRUE (near (s.pixel (0, 0), CColor (128, 0, 0, 255))) << describe (s.pixel (0, 0));
	EXPECT_EQ (s.pixel (1, 0), kGreenCColor);
	EXPECT_EQ (s.pixel (0, 1), kBlueCColor);
	EXPECT_EQ (s.pixel (1, 1), kBlackCColor) << "a transparent pixel leaves the background";

	// offset (1, 0) into a 1 x 1 destination shows only the top-right pixel
	context.drawBitmap (bitmap, CRect (5, 5, 6, 6), CPoint (1, 0));
	EXPECT_EQ (s.pixel (5, 5), kGreenCColor);
	EXPECT_EQ (s.pixel (6, 5), kBlackCColor) << "nothing outside the destination";
	context.drawBitmap (bitmap, CRect (6, 6, 7, 7), CPoint (0, 1), 0.5f);
	EXPECT_TRUE (near (s.pixel (6, 6), CColor (0, 0, 128, 255))) << describe (s.pixel (6, 6));

	std::remove (path.c_str ());
}

TEST (LibDraw, MissingOrCorruptImagesDrawTheViewWithoutThem)
{
	const std::string corrupt = ::testing::TempDir () + "lumivo_draw_corrupt.png";
	std::ofstream (corrupt) << "\x89PNG\r\n\x1a\n not really";
	for (const std::string& path : {std::string ("/nonexistent/missing.png"), corrupt})
	{
		SCOPED_TRACE (path);
		auto bitmap = owned (new CBitmap (CResourceDescription (path.c_str ())));
		EXPECT_FALSE (bitmap->isLoaded ());
		Surface s (20, 20);
		auto frame = owned (new CFrame (CRect (0, 0, 20, 20)));
		frame->setBackground (bitmap);
		frame->addView (new COnOffButton (CRect (0, 0, 10, 10), nullptr, -1, bitmap));
		frame->addView (block (CRect (10, 10, 20, 20), kRedCColor));
		CairoDrawContext context (s.surface);
		frame->drawRect (&context, frame->getViewSize ());
		EXPECT_EQ (s.count (CRect (0, 0, 20, 20), CColor (0, 0, 0, 0)), 300);
		EXPECT_EQ (s.count (CRect (10, 10, 20, 20), kRedCColor), 100) << "the rest is drawn";
	}
	std::remove (corrupt.c_str ());
}

TEST (LibDraw, OnOffButtonShowsTheBitmapHalfOfItsState)
{
	// off image above the on image, each one view high
	const std::string path = writePNG ("switch.png", 1, 2, {0, 0, 255, 255, 255, 0, 0, 255});
	auto bitmap = owned (new CBitmap (CResourceDescription (path.c_str ())));
	auto button = owned (new COnOffButton (CRect (3, 3, 4, 4), nullptr, -1, bitmap));
	Surface s (8, 8);
	CairoDrawContext context (s.surface);
	button->draw (&context);
	EXPECT_EQ (s.pixel (3, 3), kBlueCColor);
	button->setValue (button->getMax ());
	button->draw (&context);
	EXPECT_EQ (s.pixel (3, 3), kRedCColor);
	EXPECT_EQ (s.count (CRect (0, 0, 8, 8), CColor (0, 0, 0, 0)), 63);
	std::remove (path.c_str ());
}

TEST (LibDraw, LabelTextTakesItsColourAlignmentAndStaysInsideTheLabel)
{
	const CRect area (10, 10, 210, 34);
	auto textPixels = [] (const Surface& s, const CRect& r) {
		int n = 0;
		for (int y = int (r.top); y < int (r.bottom); ++y)
			for (int x = int (r.left); x < int (r.right); ++x)
				n += s.pixel (x, y).red > 128 && s.pixel (x, y).green < 64 ? 1 : 0;
		return n;
	};
	CRect leftHalf (area);
	leftHalf.right = area.left + area.getWidth () / 2.;
	CRect rightHalf (area);
	rightHalf.left = leftHalf.right;

	for (auto align : {kLeftText, kRightText})
	{
		SCOPED_TRACE (align);
		Surface s (220, 44);
		auto label = owned (new CTextLabel (area, "Level"));
		label->setTransparency (true);
		label->setFontColor (kRedCColor);
		label->setHoriAlign (align);
		CairoDrawContext context (s.surface);
		label->draw (&context);
		const int left = textPixels (s, leftHalf);
		const int right = textPixels (s, rightHalf);
		EXPECT_GT (align == kLeftText ? left : right, 20);
		EXPECT_EQ (align == kLeftText ? right : left, 0);
		EXPECT_EQ (s.pixel (area.left + 100, area.top + 1), CColor (0, 0, 0, 0)) << "transparent: no fill";
	}

	// opaque: the back colour fills the label; text wider than the label is cut at its edges
	Surface s (60, 44);
	auto label = owned (new CTextLabel (CRect (20, 10, 40, 34), "A long line of text"));
	label->setBackColor (kBlueCColor);
	label->setFontColor (kRedCColor);
	label->setFont (kNormalFontVeryBig);
	CairoDrawContext context (s.surface);
	label->draw (&context);
	EXPECT_EQ (s.pixel (20, 10), kBlueCColor);
	EXPECT_GT (textPixels (s, CRect (20, 10, 40, 34)), 10);
	EXPECT_EQ (s.count (CRect (0, 0, 20, 44), CColor (0, 0, 0, 0)), 20 * 44);
	EXPECT_EQ (s.count (CRect (40, 0, 60, 44), CColor (0, 0, 0, 0)), 20 * 44);
	EXPECT_GT (context.getStringWidth ("A long line of text"), 0.);
}

TEST (StandardViewCreators, LabelLookToViewAndBack)
{
	UIDescription description ("/nonexistent/plug.uidesc");
	const char* text = R"({"vstgui-ui-description": {"colors": {"text": "#e8e8e8ff"}}})";
	ASSERT_TRUE (description.parseText (text, strlen (text)));
	const auto* factory = static_cast<const UIViewFactory*> (description.getViewFactory ());

	UIAttributes a;
	for (const auto& [name, value] : {std::pair<const char*, const char*> {"class", "CTextLabel"},
	                                  {"font", "~ NormalFontSmall"}, {"font-color", "text"},
	                                  {"back-color", "#10203040"}, {"text-alignment", "right"},
	                                  {"style-transparent", "true"}})
		a.setAttribute (name, value);
	auto view = owned (factory->createView (a, &description));
	auto* label = dynamic_cast<CTextLabel*> (view.get ());
	ASSERT_NE (label, nullptr);
	EXPECT_EQ (label->getFont (), kNormalFontSmall);
	EXPECT_EQ (label->getFontColor (), CColor (0xe8, 0xe8, 0xe8, 0xff));
	EXPECT_EQ (label->getBackColor (), CColor (0x10, 0x20, 0x30, 0x40));
	EXPECT_EQ (label->getHoriAlign (), kRightText);
	EXPECT_TRUE (label->getTransparency ());
	for (const char* name : {"font", "font-color", "back-color", "text-alignment", "style-transparent"})
	{
		std::string value;
		ASSERT_TRUE (factory->getAttributeValue (view, "CTextLabel", name, value, &description)) << name;
		EXPECT_EQ (value, *a.getAttributeValue (name)) << name;
	}

	// unknown names change nothing: the defaults stay
	UIAttributes unknown;
	for (const auto& [name, value] : {std::pair<const char*, const char*> {"class", "CTextLabel"},
	                                  {"font", "~ NoSuchFont"}, {"text-alignment", "justified"}})
		unknown.setAttribute (name, value);
	auto plain = owned (factory->createView (unknown, &description));
	auto* plainLabel = dynamic_cast<CTextLabel*> (plain.get ());
	ASSERT_NE (plainLabel, nullptr);
	EXPECT_EQ (plainLabel->getFont (), kNormalFont);
	EXPECT_EQ (plainLabel->getHoriAlign (), kCenterText);
}
