// PNG bitmaps, the recording draw context, graphics paths, colours and assertions.
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cgraphicstransform.h"
#include "vstgui/lib/vstguibase.h"
#include "pngtestkit.h"
#include "recordingdrawcontext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace VSTGUI;
using LumivoTest::writeRgbaPng;

namespace {

// A temporary directory removed with its files at the end of the test.
struct TempDir
{
	TempDir ()
	{
		char templ[] = "/tmp/lumivo_gui_XXXXXX";
		path = mkdtemp (templ);
	}
	~TempDir ()
	{
		for (const auto& f : files)
			std::remove (f.c_str ());
		rmdir (path.c_str ());
	}
	std::string file (const std::string& name)
	{
		files.push_back (path + "/" + name);
		return files.back ();
	}
	std::string path;
	std::vector<std::string> files;
};

// Writes a w x h RGBA image whose pixel (x, y) is (x, y, 7, 255).
bool writePNG (const std::string& path, uint32_t w, uint32_t h)
{
	std::vector<uint8_t> pixels (w * h * 4);
	for (uint32_t y = 0; y < h; ++y)
		for (uint32_t x = 0; x < w; ++x)
		{
			uint8_t* p = &pixels[(y * w + x) * 4];
			p[0] = static_cast<uint8_t> (x);
			p[1] = static_cast<uint8_t> (y);
			p[2] = 7;
			p[3] = 255;
		}
	return writeRgbaPng (path, w, h, pixels);
}

std::string readAll (const std::string& path)
{
	std::ifstream in (path, std::ios::binary);
	return std::string (std::istreambuf_iterator<char> (in), {});
}

void writeAll (const std::string& path, const std::string& data)
{
	std::ofstream out (path, std::ios::binary);
	out << data;
}

std::vector<std::string> assertions;
void recordAssertion (const char* file, const char* line, const char* desc)
{
	assertions.push_back (std::string (file ? "file " : "nofile ") + (line ? line : "") + " " + (desc ? desc : "<none>"));
}

} // namespace

TEST (LibBitmap, LoadsPNGFromTheResourceDirectory)
{
	TempDir dir;
	ASSERT_TRUE (writePNG (dir.file ("knob.png"), 12, 34));
	const std::string savedDir = CBitmap::getResourceDirectory ();
	CBitmap::setResourceDirectory (dir.path);

	auto bitmap = makeOwned<CBitmap> ("knob.png");
	EXPECT_TRUE (bitmap->isLoaded ());
	EXPECT_EQ (bitmap->getWidth (), 12.);
	EXPECT_EQ (bitmap->getHeight (), 34.);
	EXPECT_STREQ (bitmap->getResourceDescription ().u.name, "knob.png");
	EXPECT_EQ (bitmap->getResourceDescription ().type, CResourceDescription::kStringType);
	ASSERT_EQ (bitmap->getPixels ().size (), 12u * 34u * 4u);
	const uint8_t* px = &bitmap->getPixels ()[(20 * 12 + 5) * 4];
	EXPECT_EQ (px[0], 5);
	EXPECT_EQ (px[1], 20);
	EXPECT_EQ (px[2], 7);
	EXPECT_EQ (px[3], 255);

	// an absolute path does not go through the resource directory
	CBitmap::setResourceDirectory ("/nonexistent");
	CBitmap absolute ((dir.path + "/knob.png").c_str ());
	EXPECT_TRUE (absolute.isLoaded ());
	CBitmap relative ("knob.png");
	EXPECT_FALSE (relative.isLoaded ());
	EXPECT_EQ (relative.getWidth (), 0.);

	// the description keeps its own copy of the name
	CResourceDescription copy = bitmap->getResourceDescription ();
	bitmap = nullptr;
	EXPECT_STREQ (copy.u.name, "knob.png");
	CBitmap::setResourceDirectory (savedDir);
}

TEST (LibBitmap, RefusesMalformedFilesWithoutCrashing)
{
	TempDir dir;
	const std::string good = dir.file ("good.png");
	ASSERT_TRUE (writePNG (good, 40, 40));
	const std::string bytes = readAll (good);
	ASSERT_GT (bytes.size (), 60u);

	writeAll (dir.file ("truncated.png"), bytes.substr (0, bytes.size () / 2));
	writeAll (dir.file ("headeronly.png"), bytes.substr (0, 8));
	writeAll (dir.file ("text.png"), "this is not an image");
	writeAll (dir.file ("empty.png"), "");
	std::string corrupt = bytes;
	corrupt[bytes.size () / 2] ^= 0x5A; // damages the compressed data or its checksum
	writeAll (dir.file ("corrupt.png"), corrupt);
	// a header claiming 100000 x 100000 pixels must be refused before any allocation
	std::string huge = bytes;
	const unsigned char dims[8] = {0, 1, 0x86, 0xA0, 0, 1, 0x86, 0xA0};
	huge.replace (16, 8, reinterpret_cast<const char*> (dims), 8);
	writeAll (dir.file ("huge.png"), huge);

	for (const char* name : {"truncated.png", "headeronly.png", "text.png", "empty.png", "corrupt.png", "huge.png",
	                         "missing.png"})
	{
		uint32_t w = 99, h = 99;
		std::vector<uint8_t> px {1, 2, 3};
		EXPECT_FALSE (CBitmap::loadPNG (dir.path + "/" + name, w, h, px)) << name;
		EXPECT_EQ (w, 99u) << name;
		EXPECT_EQ (px.size (), 3u) << name;
		CBitmap bitmap ((dir.path + "/" + name).c_str ());
		EXPECT_FALSE (bitmap.isLoaded ()) << name;
		EXPECT_EQ (bitmap.getWidth (), 0.) << name;
		EXPECT_EQ (bitmap.getHeight (), 0.) << name;
	}
	CBitmap unnamed (CResourceDescription (nullptr));
	EXPECT_FALSE (unnamed.isLoaded ());

	CBitmap blank (3., 2.);
	EXPECT_TRUE (blank.isLoaded ());
	EXPECT_EQ (blank.getPixels ().size (), 24u);
	CBitmap nothing (-1., 5.);
	EXPECT_FALSE (nothing.isLoaded ());
}

TEST (LibBitmap, RecordingContextRecordsCallsInOrder)
{
	auto bitmap = makeOwned<CBitmap> (4., 4.);
	for (bool withPaths : {true, false})
	{
		RecordingDrawContext context (withPaths);
		context.setHairlineSize (0.5);
		context.setDrawMode (kAntiAliasing);
		context.setLineStyle (kLineSolid);
		context.setLineWidth (context.getHairlineSize ());
		context.setFrameColor (kRedCColor);
		context.setFillColor (CColor (1, 2, 3, 4));
		CGraphicsPath* path = context.createGraphicsPath ();
		EXPECT_EQ (path != nullptr, withPaths);
		if (path)
		{
			path->addRect (CRect (1, 2, 3, 4));
			context.drawGraphicsPath (path, CDrawContext::kPathStroked);
			path->addRect (CRect (0, 0, 1, 1)); // after drawing: not in the record
			path->forget ();
		}
		else
			context.drawRect (CRect (1, 2, 3, 4), kDrawFilledAndStroked);
		bitmap->draw (&context, CRect (0, 0, 4, 4), CPoint (0, 2), 0.5f);

		const std::string drawn = withPaths ? "createGraphicsPath path\n"
		                                      "drawGraphicsPath mode 2 (1, 2, 3, 4)\n"
		                                    : "createGraphicsPath none\n"
		                                      "drawRect (1, 2, 3, 4) style 2\n";
		EXPECT_EQ (context.describe (), "setDrawMode 1\n"
		                                "setLineStyle\n"
		                                "getHairlineSize 0.5\n"
		                                "setLineWidth 0.5\n"
		                                "setFrameColor rgba(255, 0, 0, 255)\n"
		                                "setFillColor rgba(1, 2, 3, 4)\n" +
		                                    drawn + "drawBitmap (0, 0, 4, 4) offset (0, 2) alpha 0.5\n");
		using Op = RecordingDrawContext::Op;
		EXPECT_EQ (context.callsOf (Op::SetLineStyle).at (0).lineStyle, kLineSolid);
		EXPECT_EQ (context.callsOf (Op::DrawBitmap).at (0).bitmap, bitmap.get ());
		if (withPaths)
		{
			EXPECT_EQ (context.callsOf (Op::DrawGraphicsPath).at (0).pathElements.size (), 1u);
		}
		EXPECT_EQ (context.getDrawMode (), CDrawMode (kAntiAliasing)) << "the base keeps the state";
		EXPECT_EQ (context.getFillColor (), CColor (1, 2, 3, 4));
	}
}

TEST (LibBitmap, PathsTransformsColoursAndAssertions)
{
	auto path = makeOwned<CGraphicsPath> ();
	EXPECT_EQ (path->getBoundingBox (), CRect ());
	path->addRect (CRect (10, 10, 20, 20));
	path->beginSubpath (CPoint (0, 5));
	path->addLine (CPoint (30, 15));
	path->closeSubpath ();
	EXPECT_EQ (path->getNumberOfElements (), 4u);
	EXPECT_EQ (path->getBoundingBox (), CRect (0, 5, 30, 20));

	CGraphicsTransform t;
	EXPECT_TRUE (t.isInvariant ());
	CPoint p (1, 2);
	t.translate (10, 20).scale (2, 3);
	t.transform (p);
	EXPECT_EQ (p, CPoint (22, 66));

	CColor c;
	EXPECT_TRUE (lookupStandardColor ("~ WhiteCColor", c));
	EXPECT_EQ (c, kWhiteCColor);
	EXPECT_TRUE (lookupStandardColor ("~ TransparentCColor", c));
	EXPECT_EQ (c, CColor (255, 255, 255, 0));
	EXPECT_FALSE (lookupStandardColor ("WhiteCColor", c));
	EXPECT_FALSE (lookupStandardColor (nullptr, c));
	EXPECT_STREQ (lookupStandardColorName (kBlackCColor), "~ BlackCColor");
	EXPECT_EQ (lookupStandardColorName (CColor (1, 2, 3, 4)), nullptr);

	// no handler: a failed assertion is silent and execution goes on
	EXPECT_FALSE (hasAssertionHandler ());
	vstgui_assert (1 == 2);
	setAssertionHandler (recordAssertion);
	EXPECT_TRUE (hasAssertionHandler ());
	vstgui_assert (1 == 1);
	vstgui_assert (1 == 2);
	vstgui_assert (false, "with a message");
	setAssertionHandler (nullptr);
	vstgui_assert (false);
	ASSERT_EQ (assertions.size (), 2u);
	EXPECT_EQ (assertions[0].rfind ("file ", 0), 0u);
	EXPECT_NE (assertions[0].find (" <none>"), std::string::npos);
	EXPECT_NE (assertions[1].find (" with a message"), std::string::npos);

	// shared pointers count references
	auto a = makeOwned<CGraphicsPath> ();
	EXPECT_EQ (a->getNbReference (), 1);
	{
		SharedPointer<CGraphicsPath> b = a;
		auto c2 = shared (a.get ());
		EXPECT_EQ (a->getNbReference (), 3);
		SharedPointer<CBaseObject> base = b;
		EXPECT_EQ (a->getNbReference (), 4);
		EXPECT_EQ (base.cast<CGraphicsPath> ().get (), a.get ());
	}
	EXPECT_EQ (a->getNbReference (), 1);
}
