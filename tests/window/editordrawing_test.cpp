// What the editor shows in its window: the background image in place, each
// slider's handle where its parameter's value puts it (also right after the
// host changes a value), and the about line appearing and going again.
#include "windowtestkit.h"

#include <algorithm>

using namespace WindowTest;

namespace {

struct Box
{
	int left, top, width, height;
	bool contains (int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};

// Every view drawn over the background: labels, sliders, the switch and the
// about area.
const Box views[] = {
    {20, 10, 200, 24},  {24, 56, 64, 18},   {42, 80, 28, 150},  {104, 56, 64, 18},  {122, 80, 28, 150},
    {220, 56, 120, 18}, {220, 78, 240, 24}, {220, 116, 120, 18}, {220, 138, 240, 24}, {220, 178, 72, 18},
    {300, 176, 48, 24}, {220, 222, 240, 60},
};

// The about area's label.
constexpr Box aboutLabel {220, 226, 240, 24};

bool bright (uint32_t p)
{
	return ((p >> 16) & 0xff) >= 0xb0 && ((p >> 8) & 0xff) >= 0xb0 && (p & 0xff) >= 0xb0;
}

// The bright (text-coloured) pixels inside a box, and the columns they span.
struct TextInk
{
	int pixels = 0;
	int span = 0;
};

TextInk inkIn (const Image& image, const Box& box)
{
	TextInk ink;
	int first = box.left + box.width, last = box.left - 1;
	for (int y = box.top; y < box.top + box.height; ++y)
		for (int x = box.left; x < box.left + box.width; ++x)
			if (bright (image.at (x, y)))
			{
				++ink.pixels;
				first = std::min (first, x);
				last = std::max (last, x);
			}
	ink.span = ink.pixels ? last - first + 1 : 0;
	return ink;
}

// The window captured after the plug-in's last requests have reached the
// server, for the case that the test's own request overtakes them.
Image captureWhen (const std::function<Image ()>& capture, const std::function<bool (const Image&)>& ready)
{
	Image image = capture ();
	eventually ([&] {
		if (ready (image))
			return true;
		image = capture ();
		return false;
	}, 300);
	return image;
}

} // namespace

TEST_F (EditorWindow, BackgroundAndHandlesFollowTheParameterValues)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	const Image shown = capture ();
	ASSERT_FALSE (shown.empty ());

	int x, y, width, height;
	const auto children = display->children ();
	ASSERT_EQ (children.size (), 1u) << "the editor makes one child window in the host's";
	ASSERT_TRUE (display->geometry (children[0], x, y, width, height));
	EXPECT_EQ (x, 0);
	EXPECT_EQ (y, 0);
	EXPECT_EQ (width, editorWidth);
	EXPECT_EQ (height, editorHeight);

	// Outside the views the window is the background image, pixel for pixel.
	const Image background = Image::readPng (resource ("background.png"));
	ASSERT_EQ (background.width, editorWidth);
	int differing = 0, firstX = -1, firstY = -1;
	for (y = 0; y < editorHeight; ++y)
		for (x = 0; x < editorWidth; ++x)
		{
			if (std::any_of (std::begin (views), std::end (views), [&] (const Box& b) { return b.contains (x, y); }))
				continue;
			const uint32_t a = background.at (x, y), b = shown.at (x, y);
			for (int shift = 0; shift < 24; shift += 8)
				if (std::abs (static_cast<int> ((a >> shift) & 0xff) - static_cast<int> ((b >> shift) & 0xff)) > 2)
				{
					if (differing++ == 0)
						firstX = x, firstY = y;
					break;
				}
		}
	EXPECT_EQ (differing, 0) << "first at " << firstX << "," << firstY;

	// The handles at the defaults.
	expectHandleAt (shown, levelSlider, 0.75);
	expectHandleAt (shown, depthSlider, 0.9);
	expectHandleAt (shown, degreeSlider, 0.5);
	expectHandleAt (shown, rateSlider, 0.5);

	// The host moves two parameters: one turn of its loop redraws them.
	ASSERT_EQ (session->editController ().setParamNormalized (kLevel, 0.2), kResultOk);
	ASSERT_EQ (session->editController ().setParamNormalized (kRate, 0.25), kResultOk);
	frame.runOneTurn (100);
	const Image moved = captureWhen ([&] { return capture (); }, [&] (const Image& image) {
		return findHandle (image, levelSlider).position == levelSlider.handlePosition (0.2) &&
		       findHandle (image, rateSlider).position == rateSlider.handlePosition (0.25);
	});
	expectHandleAt (moved, levelSlider, 0.2);
	expectHandleAt (moved, rateSlider, 0.25);
	expectHandleAt (moved, depthSlider, 0.9);
	EXPECT_TRUE (events ().empty ()) << "a change from the host is no edit";
}

TEST_F (EditorWindow, AboutToggleShowsTheInfoLineAndASecondClickClearsIt)
{
	ASSERT_NO_FATAL_FAILURE (openEditor ());
	EXPECT_EQ (inkIn (capture (), aboutLabel).pixels, 0) << "the line shows before the toggle is on";

	const int toggleX = 220 + 20, toggleY = 222 + 34 + 10;
	clickAt (toggleX, toggleY);
	const Image on = captureWhen ([&] { return capture (); },
	                              [&] (const Image& image) { return inkIn (image, aboutLabel).pixels > 0; });
	const TextInk line = inkIn (on, aboutLabel);
	// Version, format and platform: a line of some twenty characters.
	EXPECT_GT (line.pixels, 100);
	EXPECT_GT (line.span, 100);

	clickAt (toggleX, toggleY);
	const Image off = captureWhen ([&] { return capture (); },
	                               [&] (const Image& image) { return inkIn (image, aboutLabel).pixels == 0; });
	EXPECT_EQ (inkIn (off, aboutLabel).pixels, 0) << "the line stays after the toggle went off";
	EXPECT_TRUE (events ().empty ()) << "the about toggle edits no parameter";
}
