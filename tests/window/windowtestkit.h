// Shared set-up of the window tests: the tests' own Xvfb, a parent window,
// the host frame with its run loop, and the editor opened from the built
// bundle into that window, with helpers that read the editor's pixels.
#pragma once

#include "hostparamids.h"
#include "x11testhost.h"
#include "xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <dirent.h>
#include <functional>
#include <memory>
#include <thread>

namespace WindowTest {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace LumivoTest;
using Call = RecordingComponentHandler::Call;

// The editor's size and places, as its description lays them out.
constexpr int editorWidth = 480;
constexpr int editorHeight = 300;

struct SliderPlace
{
	ParamID id;
	int left, top, width, height;
	bool vertical; // vertical sliders have their minimum at the bottom
	const char* handle; // 28 x 14 on the faders, 12 x 24 on the horizontal sliders

	int travel () const { return (vertical ? height : width) - (vertical ? 14 : 12); }
	// The handle's near edge for a value: the whole pixel below value x
	// travel, counted from the bottom on a vertical slider.
	int handlePosition (double value) const
	{
		const float v = vertical ? 1.f - static_cast<float> (value) : static_cast<float> (value);
		return (vertical ? top : left) + static_cast<int> (std::floor (static_cast<double> (v) * travel ()));
	}
	int centreX () const { return left + width / 2; }
	int centreY () const { return top + height / 2; }
};

constexpr SliderPlace levelSlider {kLevel, 42, 80, 28, 150, true, "fader-handle.png"};
constexpr SliderPlace depthSlider {kDepth, 122, 80, 28, 150, true, "fader-handle.png"};
constexpr SliderPlace degreeSlider {kDegree, 220, 78, 240, 24, false, "slider-handle.png"};
constexpr SliderPlace rateSlider {kRate, 220, 138, 240, 24, false, "slider-handle.png"};

// The X keysym of the left Alt key.
constexpr uint32_t altKey = 0xffe9;

inline std::string resource (const std::string& name)
{
	return std::string (LUMIVO_RESOURCE_DIR) + "/" + name;
}

inline size_t openDescriptors ()
{
	size_t count = 0;
	if (DIR* dir = opendir ("/proc/self/fd"))
	{
		while (readdir (dir))
			++count;
		closedir (dir);
	}
	return count;
}

// Waits in real time, without turning the host's loop, until `done` holds:
// requests the plug-in has already sent may reach the server after the
// test's own.
inline bool eventually (const std::function<bool ()>& done, int ms = 500)
{
	const auto until = std::chrono::steady_clock::now () + std::chrono::milliseconds (ms);
	while (!done ())
	{
		if (std::chrono::steady_clock::now () >= until)
			return false;
		std::this_thread::sleep_for (std::chrono::milliseconds (10));
	}
	return true;
}

class EditorWindow : public ::testing::Test
{
protected:
	void SetUp () override
	{
		std::string why;
		ASSERT_NE (XvfbServer::shared (why), nullptr) << why;
		display = std::make_unique<X11Display> (640, 400);
		ASSERT_TRUE (display->isReady ()) << display->error ();
		session = std::make_unique<PlugSession> ();
		ASSERT_TRUE (session->isOpen ()) << session->error ();
	}

	void TearDown () override
	{
		if (view)
			closeEditor ();
		session.reset ();
		display.reset ();
	}

	// Opens an editor as a host does and waits until it has drawn.
	void openEditor ()
	{
		view = session->createEditor ();
		ASSERT_TRUE (view);
		ASSERT_EQ (view->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultTrue);
		ASSERT_EQ (view->setFrame (&frame), kResultOk);
		ASSERT_EQ (view->attached (display->parentHandle (), kPlatformTypeX11EmbedWindowID), kResultOk);
		frame.runFor (50);
		// Drawn: the parent's colour shows nowhere in the editor's area.
		const bool drawn = eventually ([&] {
			frame.runOneTurn (20);
			const Image image = capture ();
			for (const uint32_t p : image.pixels)
				if (p == X11Display::parentColour)
					return false;
			return !image.empty ();
		}, 3000);
		ASSERT_TRUE (drawn) << "the editor's area still shows the host's window";
	}

	// Closes the editor as a host does; the view's last reference goes.
	void closeEditor ()
	{
		EXPECT_EQ (view->removed (), kResultOk);
		view->setFrame (nullptr);
		EXPECT_EQ (view.take ()->release (), 0u) << "the editor outlived its host's reference";
	}

	Image capture () const { return display->capture (editorWidth, editorHeight); }

	// Real input, followed by a short run of the host's loop so that the
	// editor handles it.
	void clickAt (int x, int y, int button = 1)
	{
		display->click (x, y, button);
		frame.runFor (40);
	}

	ParamValue parameter (ParamID id) const { return session->editController ().getParamNormalized (id); }
	const std::vector<RecordingComponentHandler::Event>& events () const { return session->handler ().events (); }

	std::unique_ptr<X11Display> display;
	std::unique_ptr<PlugSession> session;
	HostFrame frame;
	IPtr<IPlugView> view;
};

// Where along its travel the slider's handle image best matches the
// window's pixels (comparing the handle's opaque pixels only), and how far
// off that best place is, as the mean difference per channel.
struct HandleMatch
{
	int position = -1;
	double error = 1e9;
};

inline HandleMatch findHandle (const Image& window, const SliderPlace& slider)
{
	std::vector<uint8_t> alpha;
	const Image handle = Image::readPng (resource (slider.handle), &alpha);
	HandleMatch best;
	if (handle.empty () || window.empty ())
		return best;
	const int first = slider.vertical ? slider.top : slider.left;
	for (int pos = first; pos <= first + slider.travel (); ++pos)
	{
		const int x0 = slider.vertical ? slider.left : pos;
		const int y0 = slider.vertical ? pos : slider.top;
		double sum = 0.;
		int count = 0;
		for (int y = 0; y < handle.height; ++y)
			for (int x = 0; x < handle.width; ++x)
			{
				if (alpha[static_cast<size_t> (y * handle.width + x)] != 255)
					continue;
				const uint32_t a = handle.at (x, y);
				const uint32_t b = window.at (x0 + x, y0 + y);
				for (int shift = 0; shift < 24; shift += 8)
					sum += std::abs (static_cast<int> ((a >> shift) & 0xff) - static_cast<int> ((b >> shift) & 0xff));
				count += 3;
			}
		const double error = count ? sum / count : 1e9;
		if (error < best.error)
			best = {pos, error};
	}
	return best;
}

// Checks that the slider's handle is drawn at the value's place.
inline void expectHandleAt (const Image& window, const SliderPlace& slider, double value)
{
	const HandleMatch match = findHandle (window, slider);
	EXPECT_EQ (match.position, slider.handlePosition (value)) << "slider of parameter " << slider.id << " at " << value;
	EXPECT_LT (match.error, 3.) << "slider of parameter " << slider.id << ": no handle drawn";
}

} // namespace WindowTest
