// The X11 window of a frame. Drawing never happens inside invalidRect: the
// region is collected and an eventfd, watched on the host's loop beside the X
// connection, wakes us on the loop's next turn. So nothing runs while nothing
// changes (no timer polls for redraws), and everything changed in one turn,
// by the host or by a burst of X events, is drawn once.
#include "x11frame.h"

#include "../../cframe.h"
#include "cairodrawcontext.h"
#include "x11runloop.h"

#include <cairo-xcb.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace VSTGUI {
namespace X11 {

namespace {

// More separate areas than this are drawn as their union.
constexpr size_t kMaxDirtyRects = 8;

struct FreeDeleter
{
	void operator() (void* p) const { std::free (p); }
};
template <typename T>
using XReply = std::unique_ptr<T, FreeDeleter>;

xcb_visualtype_t* findVisual (const xcb_setup_t* setup, xcb_window_t root, xcb_visualid_t id)
{
	for (auto screens = xcb_setup_roots_iterator (setup); screens.rem; xcb_screen_next (&screens))
	{
		if (screens.data->root != root)
			continue;
		for (auto depths = xcb_screen_allowed_depths_iterator (screens.data); depths.rem;
		     xcb_depth_next (&depths))
			for (auto visuals = xcb_depth_visuals_iterator (depths.data); visuals.rem;
			     xcb_visualtype_next (&visuals))
				if (visuals.data->visual_id == id)
					return visuals.data;
	}
	return nullptr;
}

void addRect (std::vector<CRect>& rects, CRect rect)
{
	// merge with every rect it meets, until it meets none
	for (auto it = rects.begin (); it != rects.end ();)
	{
		if (it->rectOverlap (rect) || *it == rect)
		{
			rect.unite (*it);
			rects.erase (it);
			it = rects.begin ();
		}
		else
			++it;
	}
	rects.push_back (rect);
	if (rects.size () > kMaxDirtyRects)
	{
		CRect all (rects.front ());
		for (const auto& r : rects)
			all.unite (r);
		rects.assign (1, all);
	}
}

} // namespace

X11Frame::X11Frame (CFrame* frame, HostRunLoop& loop, double scale)
: frame (frame), loop (loop), scale (scale), alive (std::make_shared<bool> (true))
{
}

std::unique_ptr<X11Frame> X11Frame::create (CFrame* frame, xcb_window_t parent, HostRunLoop& loop,
                                            double scale)
{
	if (!frame || parent == 0 || !(scale > 0.) || !std::isfinite (scale))
		return nullptr;
	std::unique_ptr<X11Frame> result (new X11Frame (frame, loop, scale));
	if (!result->open (parent))
		return nullptr;
	return result;
}

int X11Frame::toPixels (double length, double scale)
{
	const double pixels = std::round (length * scale);
	if (!(pixels >= 1.))
		return 1;
	return pixels > kMaxPixels ? kMaxPixels + 1 : static_cast<int> (pixels);
}

int X11Frame::pixelWidth () const
{
	return toPixels (frame->getViewSize ().getWidth (), scale);
}

int X11Frame::pixelHeight () const
{
	return toPixels (frame->getViewSize ().getHeight (), scale);
}

bool X11Frame::open (xcb_window_t parent)
{
	if (pixelWidth () > kMaxPixels || pixelHeight () > kMaxPixels)
		return false;
	// xcb never exits: a missing display gives a connection in the error state
	connection = xcb_connect (nullptr, nullptr);
	if (!connection || xcb_connection_has_error (connection))
		return false;

	// the parent must exist; its visual becomes ours, so no colormap is needed
	const auto geometryCookie = xcb_get_geometry (connection, parent);
	const auto attributesCookie = xcb_get_window_attributes (connection, parent);
	XReply<xcb_get_geometry_reply_t> geometry (xcb_get_geometry_reply (connection, geometryCookie, nullptr));
	XReply<xcb_get_window_attributes_reply_t> attributes (
	    xcb_get_window_attributes_reply (connection, attributesCookie, nullptr));
	if (!geometry || !attributes)
		return false;
	visual = findVisual (xcb_get_setup (connection), geometry->root, attributes->visual);
	if (!visual)
		return false;

	window = xcb_generate_id (connection);
	// No background: the server leaves exposed areas alone until we copy them.
	// Button motion with the implicit grab keeps a drag going outside the window.
	// No key events: X passes keys on to the host's window, so its shortcuts
	// work over the editor; the host hands the editor its keys (onKeyDown).
	const uint32_t values[] = {
	    XCB_NONE,
	    XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
	        XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_BUTTON_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
	        XCB_EVENT_MASK_LEAVE_WINDOW | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
	const auto createCookie = xcb_create_window_checked (
	    connection, XCB_COPY_FROM_PARENT, window, parent, 0, 0, static_cast<uint16_t> (pixelWidth ()),
	    static_cast<uint16_t> (pixelHeight ()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
	    XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values);
	if (XReply<xcb_generic_error_t> error {xcb_request_check (connection, createCookie)})
	{
		window = 0;
		return false;
	}
	if (!makeSurfaces ())
		return false;

	wakeFd = eventfd (0, EFD_NONBLOCK | EFD_CLOEXEC);
	xfd = xcb_get_file_descriptor (connection);
	if (wakeFd < 0 || !loop.watch (xfd, [this] () { dispatch (); }) ||
	    !loop.watch (wakeFd, [this] () { dispatch (); }))
		return false;

	xcb_map_window (connection, window);
	frame->setPlatformFrame (this);
	addRect (dirty, frame->getViewSize ());
	redraw ();
	return checkConnection ();
}

bool X11Frame::makeSurfaces ()
{
	destroySurfaces ();
	backBuffer = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, pixelWidth (), pixelHeight ());
	windowSurface = cairo_xcb_surface_create (connection, window, visual, pixelWidth (), pixelHeight ());
	if (cairo_surface_status (backBuffer) != CAIRO_STATUS_SUCCESS ||
	    cairo_surface_status (windowSurface) != CAIRO_STATUS_SUCCESS)
		return false;
	// opaque black until the views have drawn
	cairo_t* cr = cairo_create (backBuffer);
	cairo_set_source_rgb (cr, 0., 0., 0.);
	cairo_paint (cr);
	cairo_destroy (cr);
	return true;
}

void X11Frame::destroySurfaces ()
{
	if (windowSurface)
	{
		// cairo keeps a device per connection: it must be finished before the
		// connection closes, or a later connection at the same address finds it
		cairo_device_t* device = cairo_device_reference (cairo_surface_get_device (windowSurface));
		cairo_surface_finish (windowSurface);
		cairo_surface_destroy (windowSurface);
		windowSurface = nullptr;
		if (device)
		{
			cairo_device_finish (device);
			cairo_device_destroy (device);
		}
	}
	if (backBuffer)
	{
		cairo_surface_destroy (backBuffer);
		backBuffer = nullptr;
	}
}

X11Frame::~X11Frame () noexcept
{
	*alive = false;
	loop.unwatch (xfd);
	loop.unwatch (wakeFd);
	if (frame->getPlatformFrame () == this)
	{
		frame->setPlatformFrame (nullptr);
		// the window goes away under a drag: its view ends the drag as cancelled
		cancelPress ();
	}
	destroySurfaces ();
	if (connection)
	{
		if (window && !broken)
		{
			xcb_destroy_window (connection, window);
			xcb_flush (connection);
		}
		xcb_disconnect (connection);
	}
	if (wakeFd >= 0)
		::close (wakeFd);
}

bool X11Frame::checkConnection ()
{
	if (broken)
		return false;
	if (!xcb_connection_has_error (connection))
		return true;
	// A dead socket stays readable: stop watching it or the host's loop spins.
	broken = true;
	loop.unwatch (xfd);
	loop.unwatch (wakeFd);
	dirty.clear ();
	exposed.clear ();
	cancelPress ();
	return false;
}

CPoint X11Frame::toFrame (int16_t x, int16_t y) const
{
	return CPoint (x / scale, y / scale);
}

void X11Frame::invalidRect (const CRect& rect)
{
	if (broken)
		return;
	CRect area (rect);
	area.bound (frame->getViewSize ());
	if (area.isEmpty ())
		return;
	// out to whole device pixels, so that no seam stays half drawn at fractional scales
	area = CRect (std::floor (area.left * scale) / scale, std::floor (area.top * scale) / scale,
	              std::ceil (area.right * scale) / scale, std::ceil (area.bottom * scale) / scale);
	addRect (dirty, area);
	wakeUp ();
}

void X11Frame::wakeUp ()
{
	// within dispatch the drawing follows the events anyway
	if (dispatching || wakePending)
		return;
	const uint64_t one = 1;
	if (::write (wakeFd, &one, sizeof (one)) == sizeof (one))
		wakePending = true;
}

void X11Frame::dispatch ()
{
	uint64_t count;
	while (::read (wakeFd, &count, sizeof (count)) > 0)
		continue;
	wakePending = false;
	if (!checkConnection ())
		return;

	const std::shared_ptr<bool> stillAlive (alive);
	SharedPointer<CFrame> guard (frame);
	dispatching = true;
	// Events already read into xcb's queue (while waiting for a reply) do not
	// make the socket readable again, so the queue is emptied after drawing too.
	XReply<xcb_generic_event_t> next (xcb_poll_for_event (connection));
	for (;;)
	{
		// of a run of motions only the last is delivered
		XReply<xcb_generic_event_t> motion;
		for (; next; next.reset (xcb_poll_for_event (connection)))
		{
			if ((next->response_type & 0x7f) == XCB_MOTION_NOTIFY)
			{
				motion = std::move (next);
				continue;
			}
			if (motion)
			{
				handle (motion.get ());
				motion.reset ();
				if (!*stillAlive)
					return;
			}
			handle (next.get ());
			if (!*stillAlive)
				return;
		}
		if (motion)
		{
			handle (motion.get ());
			if (!*stillAlive)
				return;
		}
		if (!checkConnection ())
			break;
		redraw ();
		next.reset (xcb_poll_for_queued_event (connection));
		if (!next)
			break;
	}
	dispatching = false;
	// what a view invalidated while being drawn waits for the next turn
	if (!dirty.empty ())
		wakeUp ();
}

namespace {

// The pointer's state at an event that carries one: presses, releases,
// motions and crossings have it at the same place.
bool pointerState (const xcb_generic_event_t* event, uint16_t& state)
{
	switch (event->response_type & 0x7f)
	{
		case XCB_BUTTON_PRESS:
		case XCB_BUTTON_RELEASE:
		case XCB_MOTION_NOTIFY:
		case XCB_ENTER_NOTIFY:
		case XCB_LEAVE_NOTIFY:
			state = reinterpret_cast<const xcb_button_press_event_t*> (event)->state;
			return true;
		default:
			return false;
	}
}

} // namespace

void X11Frame::handle (const xcb_generic_event_t* event)
{
	// A press whose buttons X no longer shows held lost its release elsewhere.
	uint16_t state = 0;
	if (pointerPress.active () && pointerState (event, state) && pointerPress.lost (state))
		cancelPress ();

	switch (event->response_type & 0x7f)
	{
		case XCB_EXPOSE:
		{
			const auto* e = reinterpret_cast<const xcb_expose_event_t*> (event);
			addRect (exposed, CRect (e->x, e->y, e->x + e->width, e->y + e->height));
			break;
		}
		case XCB_BUTTON_PRESS:
			handleButton (reinterpret_cast<const xcb_button_press_event_t*> (event), true);
			break;
		case XCB_BUTTON_RELEASE:
			handleButton (reinterpret_cast<const xcb_button_press_event_t*> (event), false);
			break;
		case XCB_MOTION_NOTIFY:
		{
			const auto* e = reinterpret_cast<const xcb_motion_notify_event_t*> (event);
			CPoint where = toFrame (e->event_x, e->event_y);
			frame->onMouseMoved (where, pointerPress.forViews (e->state));
			break;
		}
		case XCB_ENTER_NOTIFY:
		case XCB_LEAVE_NOTIFY:
			handleCrossing (reinterpret_cast<const xcb_enter_notify_event_t*> (event));
			break;
		case XCB_UNMAP_NOTIFY:
			// X ends the implicit grab with the window: the release goes elsewhere
			cancelPress ();
			break;
		default:
			break;
	}
}

void X11Frame::handleCrossing (const xcb_enter_notify_event_t* e)
{
	// A grab taken or ended under a press: its release will not come here.
	if (e->mode == XCB_NOTIFY_MODE_GRAB || e->mode == XCB_NOTIFY_MODE_UNGRAB)
		cancelPress ();
	const bool enter = (e->response_type & 0x7f) == XCB_ENTER_NOTIFY;
	// A leave during a press is a drag out of the window, or an ancestor
	// unmapped under the pointer, which ends the grab as well.
	if (!enter && pointerPress.active () && !isViewable ())
		cancelPress ();
	// moves into or out of our own children are no crossing of the frame
	if (e->detail == XCB_NOTIFY_DETAIL_INFERIOR)
		return;
	CPoint where = toFrame (e->event_x, e->event_y);
	if (enter)
		frame->onMouseEntered (where, pointerPress.forViews (e->state));
	else
		frame->onMouseExited (where, pointerPress.forViews (e->state));
}

bool X11Frame::isViewable () const
{
	XReply<xcb_get_window_attributes_reply_t> attributes (
	    xcb_get_window_attributes_reply (connection, xcb_get_window_attributes (connection, window), nullptr));
	return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

void X11Frame::cancelPress ()
{
	if (!pointerPress.active ())
		return;
	pointerPress.cancel ();
	frame->onMouseCancel ();
}

void X11Frame::handleButton (const xcb_button_press_event_t* e, bool press)
{
	CPoint where = toFrame (e->event_x, e->event_y);
	WheelStep step;
	if (wheelFromButton (e->detail, step))
	{
		// one step per press; the release of a wheel button means nothing
		if (press)
			frame->onWheel (where, step.axis, step.distance, pointerPress.forViews (e->state));
		return;
	}
	const int32_t button = buttonFromX (e->detail);
	if (button == 0)
		return;
	if (press)
	{
		if (!pointerPress.down (button))
			return;
		CButtonState buttons (pointerPress.forViews (e->state));
		if (doubleClick.press (button, e->time, CPoint (e->event_x, e->event_y)))
			buttons |= kDoubleClick;
		frame->onMouseDown (where, buttons);
	}
	else
	{
		// the views hear the release of the press's button, with the last one up
		const CButtonState buttons (pointerPress.forViews (e->state));
		if (pointerPress.up (button))
			frame->onMouseUp (where, buttons);
	}
}

void X11Frame::redraw ()
{
	if (broken)
		return;
	if (!dirty.empty ())
	{
		const auto rects = std::move (dirty);
		dirty.clear ();
		cairo_t* cr = cairo_create (backBuffer);
		cairo_set_source_rgb (cr, 0., 0., 0.);
		{
			CairoDrawContext context (backBuffer, scale);
			for (const auto& rect : rects)
			{
				const CRect pixels (rect.left * scale, rect.top * scale, rect.right * scale,
				                    rect.bottom * scale);
				// what the views leave transparent is black, not the last drawing
				cairo_rectangle (cr, pixels.left, pixels.top, pixels.getWidth (), pixels.getHeight ());
				cairo_fill (cr);
				context.saveGlobalState ();
				context.setClipRect (rect);
				frame->drawRect (&context, rect);
				context.restoreGlobalState ();
				addRect (exposed, CRect (std::floor (pixels.left), std::floor (pixels.top),
				                         std::ceil (pixels.right), std::ceil (pixels.bottom)));
			}
		}
		cairo_destroy (cr);
		cairo_surface_flush (backBuffer);
	}
	present ();
}

void X11Frame::present ()
{
	if (exposed.empty ())
		return;
	cairo_t* cr = cairo_create (windowSurface);
	cairo_set_operator (cr, CAIRO_OPERATOR_SOURCE);
	cairo_set_source_surface (cr, backBuffer, 0., 0.);
	for (const auto& r : exposed)
		cairo_rectangle (cr, r.left, r.top, r.getWidth (), r.getHeight ());
	cairo_fill (cr);
	cairo_destroy (cr);
	exposed.clear ();
	cairo_surface_flush (windowSurface);
	xcb_flush (connection);
	checkConnection ();
}

bool X11Frame::setScaleFactor (double newScale)
{
	if (!(newScale > 0.) || !std::isfinite (newScale))
		return false;
	if (broken)
		return false;
	const double oldScale = scale;
	scale = newScale;
	if (pixelWidth () > kMaxPixels || pixelHeight () > kMaxPixels)
	{
		scale = oldScale;
		return false;
	}
	const uint32_t size[] = {static_cast<uint32_t> (pixelWidth ()), static_cast<uint32_t> (pixelHeight ())};
	xcb_configure_window (connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
	cairo_surface_t* oldBuffer = backBuffer;
	backBuffer = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, pixelWidth (), pixelHeight ());
	if (cairo_surface_status (backBuffer) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (backBuffer);
		backBuffer = oldBuffer;
		scale = oldScale;
		return false;
	}
	cairo_surface_destroy (oldBuffer);
	cairo_xcb_surface_set_size (windowSurface, pixelWidth (), pixelHeight ());
	exposed.clear ();
	dirty.clear ();
	addRect (dirty, frame->getViewSize ());
	redraw ();
	return checkConnection ();
}

} // namespace X11
} // namespace VSTGUI
