// A frame's X11 window: a child of the host's window on its own xcb connection,
// drawn with cairo into an off-screen image and copied to the window, its events
// read on the host's run loop and handed to the frame.
#pragma once

#include "../iplatformframe.h"
#include "x11input.h"

#include <cairo.h>
#include <xcb/xcb.h>

#include <memory>
#include <vector>

namespace VSTGUI {

class CFrame;

namespace X11 {

class HostRunLoop;

class X11Frame final : public IPlatformFrame
{
public:
	// Opens a window of the frame's size times scale in `parent` on the display of
	// $DISPLAY, maps it, draws it and watches its connection on `loop`. nullptr
	// (and nothing left behind) when the display, the parent or the loop fails.
	static std::unique_ptr<X11Frame> create (CFrame* frame, xcb_window_t parent, HostRunLoop& loop,
	                                         double scale);
	// Cancels a drag in progress, stops watching, destroys the window.
	~X11Frame () noexcept override;
	X11Frame (const X11Frame&) = delete;
	X11Frame& operator= (const X11Frame&) = delete;

	// Larger than any sane editor, small enough that an image's bytes fit an int.
	static constexpr int kMaxPixels = 16384;
	// A length in frame units as whole device pixels at a scale, at least one
	// and at most kMaxPixels + 1 (too large, but no overflow of an int); the
	// window and the host's size of the editor both use it.
	static int toPixels (double length, double scale);

	void invalidRect (const CRect& rect) override;
	// Resizes the window and its off-screen image and redraws; false when they
	// cannot be made at that size or the X connection is lost.
	bool setScaleFactor (double scale);

private:
	X11Frame (CFrame* frame, HostRunLoop& loop, double scale);
	bool open (xcb_window_t parent);
	bool makeSurfaces ();
	void destroySurfaces ();
	bool checkConnection ();

	void dispatch ();
	void handle (const xcb_generic_event_t* event);
	void handleButton (const xcb_button_press_event_t* event, bool press);
	void handleCrossing (const xcb_enter_notify_event_t* event);
	// The press ends as cancelled: its release will not reach this window.
	void cancelPress ();
	bool isViewable () const;
	CPoint toFrame (int16_t x, int16_t y) const;
	void wakeUp ();
	void redraw ();
	void present ();
	int pixelWidth () const;
	int pixelHeight () const;

	CFrame* frame;
	HostRunLoop& loop;
	double scale;
	xcb_connection_t* connection {nullptr};
	xcb_window_t window {0};
	xcb_visualtype_t* visual {nullptr};
	cairo_surface_t* backBuffer {nullptr};
	cairo_surface_t* windowSurface {nullptr};
	int xfd {-1};
	int wakeFd {-1};
	// frame units, whole device pixels
	std::vector<CRect> dirty;
	// device pixels drawn or lost on the server, to copy from the back buffer
	std::vector<CRect> exposed;
	DoubleClickDetector doubleClick;
	PointerPress pointerPress;
	// the X connection is lost: the window neither draws nor reads events any more
	bool broken {false};
	bool dispatching {false};
	bool wakePending {false};
	std::shared_ptr<bool> alive;
};

} // namespace X11
} // namespace VSTGUI
