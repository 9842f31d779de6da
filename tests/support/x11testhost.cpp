// The X11 test host: images, the frame's run loop, the parent window with
// XTest input, and the plug-in session.
#include "x11testhost.h"

#include "pluginterfaces/base/ipluginbase.h"

#include <algorithm>
#include <cairo.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <xcb/xtest.h>

namespace LumivoTest {

using namespace Steinberg;

namespace {

int64_t nowMs ()
{
	return std::chrono::duration_cast<std::chrono::milliseconds> (
	           std::chrono::steady_clock::now ().time_since_epoch ())
	    .count ();
}

} // namespace

//------------------------------------------------------------------------
bool Image::writePng (const std::string& path) const
{
	if (empty ())
		return false;
	cairo_surface_t* surface = cairo_image_surface_create (CAIRO_FORMAT_RGB24, width, height);
	if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (surface);
		return false;
	}
	cairo_surface_flush (surface);
	unsigned char* data = cairo_image_surface_get_data (surface);
	const int stride = cairo_image_surface_get_stride (surface);
	for (int y = 0; y < height; ++y)
	{
		auto* row = reinterpret_cast<uint32_t*> (data + y * stride);
		for (int x = 0; x < width; ++x)
			row[x] = at (x, y);
	}
	cairo_surface_mark_dirty (surface);
	const bool written = cairo_surface_write_to_png (surface, path.c_str ()) == CAIRO_STATUS_SUCCESS;
	cairo_surface_destroy (surface);
	return written;
}

Image Image::readPng (const std::string& path, std::vector<uint8_t>* alpha)
{
	Image image;
	cairo_surface_t* surface = cairo_image_surface_create_from_png (path.c_str ());
	if (cairo_surface_status (surface) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (surface);
		return image;
	}
	image.width = cairo_image_surface_get_width (surface);
	image.height = cairo_image_surface_get_height (surface);
	const bool hasAlpha = cairo_image_surface_get_format (surface) == CAIRO_FORMAT_ARGB32;
	const unsigned char* data = cairo_image_surface_get_data (surface);
	const int stride = cairo_image_surface_get_stride (surface);
	image.pixels.reserve (static_cast<size_t> (image.width * image.height));
	if (alpha)
		alpha->clear ();
	for (int y = 0; y < image.height; ++y)
	{
		const auto* row = reinterpret_cast<const uint32_t*> (data + y * stride);
		for (int x = 0; x < image.width; ++x)
		{
			const uint32_t p = row[x];
			const uint32_t a = hasAlpha ? p >> 24 : 255u;
			// cairo keeps premultiplied colour; the straight colour is wanted.
			auto channel = [&] (int shift) {
				const uint32_t c = (p >> shift) & 0xff;
				return a == 0 ? 0u : std::min (255u, (c * 255u + a / 2) / a);
			};
			image.pixels.push_back ((channel (16) << 16) | (channel (8) << 8) | channel (0));
			if (alpha)
				alpha->push_back (static_cast<uint8_t> (a));
		}
	}
	cairo_surface_destroy (surface);
	return image;
}

//------------------------------------------------------------------------
int HostFrame::runOneTurn (int maxWaitMs)
{
	int64_t wait = std::max (0, maxWaitMs);
	const int64_t start = nowMs ();
	for (const auto& timer : timers)
		wait = std::min (wait, std::max<int64_t> (0, timer.due - start));

	std::vector<pollfd> fds;
	for (const auto& entry : eventHandlers)
		fds.push_back ({entry.fd, POLLIN, 0});
	// Without descriptors this only sleeps until the next timer.
	const int ready = poll (fds.data (), fds.size (), static_cast<int> (wait));

	int calls = 0;
	// Handlers may unregister themselves or others while being called, so
	// each is looked up again before its call.
	const std::vector<EventEntry> snapshot = eventHandlers;
	for (size_t i = 0; ready > 0 && i < fds.size (); ++i)
	{
		if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
			continue;
		const auto still = std::find_if (eventHandlers.begin (), eventHandlers.end (), [&] (const EventEntry& e) {
			return e.handler == snapshot[i].handler && e.fd == snapshot[i].fd;
		});
		if (still == eventHandlers.end ())
			continue;
		snapshot[i].handler->onFDIsSet (snapshot[i].fd);
		++calls;
	}

	const int64_t now = nowMs ();
	std::vector<uint64_t> due;
	for (const auto& timer : timers)
		if (timer.due <= now)
			due.push_back (timer.serial);
	for (const uint64_t serial : due)
	{
		auto it = std::find_if (timers.begin (), timers.end (),
		                        [&] (const TimerEntry& t) { return t.serial == serial; });
		if (it == timers.end ())
			continue;
		it->due = std::max (it->due + it->interval, now + 1);
		Linux::ITimerHandler* handler = it->handler;
		handler->onTimer ();
		++calls;
	}
	return calls;
}

int HostFrame::runFor (int ms)
{
	int calls = 0;
	const int64_t until = nowMs () + ms;
	for (int64_t left = ms; left > 0; left = until - nowMs ())
		calls += runOneTurn (static_cast<int> (left));
	return calls;
}

tresult PLUGIN_API HostFrame::resizeView (IPlugView* view, ViewRect* newSize)
{
	++resizes;
	if (!view || !newSize)
		return kInvalidArgument;
	return view->onSize (newSize);
}

tresult PLUGIN_API HostFrame::registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd)
{
	if (!handler || fd < 0)
		return kInvalidArgument;
	eventHandlers.push_back ({handler, fd});
	return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterEventHandler (Linux::IEventHandler* handler)
{
	const auto before = eventHandlers.size ();
	eventHandlers.erase (std::remove_if (eventHandlers.begin (), eventHandlers.end (),
	                                     [&] (const EventEntry& e) { return e.handler == handler; }),
	                     eventHandlers.end ());
	return eventHandlers.size () < before ? kResultOk : kResultFalse;
}

tresult PLUGIN_API HostFrame::registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval milliseconds)
{
	if (!handler)
		return kInvalidArgument;
	const auto interval = static_cast<int64_t> (std::max<Linux::TimerInterval> (1, milliseconds));
	timers.push_back ({handler, interval, nowMs () + interval, nextSerial++});
	return kResultOk;
}

tresult PLUGIN_API HostFrame::unregisterTimer (Linux::ITimerHandler* handler)
{
	const auto before = timers.size ();
	timers.erase (std::remove_if (timers.begin (), timers.end (),
	                              [&] (const TimerEntry& t) { return t.handler == handler; }),
	              timers.end ());
	return timers.size () < before ? kResultOk : kResultFalse;
}

tresult PLUGIN_API HostFrame::queryInterface (const TUID iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	if (FUnknownPrivate::iidEqual (iid, FUnknown::iid) || FUnknownPrivate::iidEqual (iid, IPlugFrame::iid))
	{
		addRef ();
		*obj = static_cast<IPlugFrame*> (this);
		return kResultOk;
	}
	if (offerRunLoop && FUnknownPrivate::iidEqual (iid, Linux::IRunLoop::iid))
	{
		addRef ();
		*obj = static_cast<Linux::IRunLoop*> (this);
		return kResultOk;
	}
	*obj = nullptr;
	return kNoInterface;
}

//------------------------------------------------------------------------
X11Display::X11Display (int width, int height)
{
	int screenNumber = 0;
	connection = xcb_connect (nullptr, &screenNumber);
	if (xcb_connection_has_error (connection))
	{
		message = std::string ("cannot connect to display ") + (std::getenv ("DISPLAY") ? std::getenv ("DISPLAY") : "(none)");
		return;
	}
	auto roots = xcb_setup_roots_iterator (xcb_get_setup (connection));
	for (int i = 0; i < screenNumber && roots.rem; ++i)
		xcb_screen_next (&roots);
	screen = roots.data;
	if (!screen || screen->root_depth != 24)
	{
		message = "the display's screen is not 24 bits deep";
		return;
	}

	const xcb_query_extension_reply_t* xtest = xcb_get_extension_data (connection, &xcb_test_id);
	if (!xtest || !xtest->present)
	{
		message = "the display has no XTEST extension";
		return;
	}

	const xcb_window_t id = xcb_generate_id (connection);
	// No window manager runs on the tests' server; override-redirect keeps
	// the window where it is put on any other.
	const uint32_t values[] = {parentColour, 1, XCB_EVENT_MASK_KEY_PRESS};
	xcb_create_window (connection, XCB_COPY_FROM_PARENT, id, screen->root, 0, 0, static_cast<uint16_t> (width),
	                   static_cast<uint16_t> (height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
	                   XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
	xcb_map_window (connection, id);
	window = id;
	sync ();
	// Park the pointer where no test looks.
	moveTo (width - 1, height - 1);
}

X11Display::~X11Display () noexcept
{
	while (!heldButtons.empty ())
		release (heldButtons.back ());
	for (const uint8_t code : heldKeys)
		fake (XCB_KEY_RELEASE, code);
	if (window)
		xcb_destroy_window (connection, window);
	if (connection)
		xcb_disconnect (connection);
}

void X11Display::sync () const
{
	free (xcb_get_input_focus_reply (connection, xcb_get_input_focus (connection), nullptr));
}

std::vector<xcb_window_t> X11Display::children () const
{
	std::vector<xcb_window_t> list;
	xcb_query_tree_reply_t* tree = xcb_query_tree_reply (connection, xcb_query_tree (connection, window), nullptr);
	if (!tree)
		return list;
	const xcb_window_t* first = xcb_query_tree_children (tree);
	list.assign (first, first + xcb_query_tree_children_length (tree));
	free (tree);
	return list;
}

bool X11Display::geometry (xcb_window_t which, int& x, int& y, int& width, int& height) const
{
	xcb_get_geometry_reply_t* g = xcb_get_geometry_reply (connection, xcb_get_geometry (connection, which), nullptr);
	if (!g)
		return false;
	x = g->x;
	y = g->y;
	width = g->width;
	height = g->height;
	free (g);
	return true;
}

Image X11Display::capture (int width, int height) const
{
	Image image;
	xcb_get_image_reply_t* reply = xcb_get_image_reply (
	    connection,
	    xcb_get_image (connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<uint16_t> (width),
	                   static_cast<uint16_t> (height), ~0u),
	    nullptr);
	if (!reply)
		return image;
	// A 24-bit screen stores a pixel in 32 bits, 0x00RRGGBB in the server's
	// (here: the machine's) byte order.
	const size_t length = static_cast<size_t> (xcb_get_image_data_length (reply));
	if (reply->depth == 24 && length >= static_cast<size_t> (width * height * 4))
	{
		const uint8_t* data = xcb_get_image_data (reply);
		image.width = width;
		image.height = height;
		image.pixels.resize (static_cast<size_t> (width * height));
		for (size_t i = 0; i < image.pixels.size (); ++i)
		{
			uint32_t p;
			std::memcpy (&p, data + i * 4, 4);
			image.pixels[i] = p & 0xffffff;
		}
	}
	free (reply);
	return image;
}

void X11Display::fake (uint8_t type, uint8_t detail, int x, int y)
{
	xcb_test_fake_input (connection, type, detail, XCB_CURRENT_TIME, type == XCB_MOTION_NOTIFY ? screen->root : XCB_NONE,
	                     static_cast<int16_t> (x), static_cast<int16_t> (y), 0);
	sync ();
}

void X11Display::moveTo (int x, int y)
{
	// The parent sits at the root's origin, so its coordinates are the root's.
	fake (XCB_MOTION_NOTIFY, 0, x, y);
}

void X11Display::press (int button)
{
	heldButtons.push_back (static_cast<uint8_t> (button));
	fake (XCB_BUTTON_PRESS, static_cast<uint8_t> (button));
}

void X11Display::release (int button)
{
	const auto held = std::find (heldButtons.begin (), heldButtons.end (), static_cast<uint8_t> (button));
	if (held != heldButtons.end ())
		heldButtons.erase (held);
	fake (XCB_BUTTON_RELEASE, static_cast<uint8_t> (button));
}

void X11Display::click (int x, int y, int button)
{
	moveTo (x, y);
	press (button);
	release (button);
}

uint8_t X11Display::keycodeOf (uint32_t keysym) const
{
	const xcb_setup_t* setup = xcb_get_setup (connection);
	const uint8_t first = setup->min_keycode;
	const uint8_t count = static_cast<uint8_t> (setup->max_keycode - first + 1);
	xcb_get_keyboard_mapping_reply_t* map =
	    xcb_get_keyboard_mapping_reply (connection, xcb_get_keyboard_mapping (connection, first, count), nullptr);
	if (!map)
		return 0;
	const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms (map);
	const int perCode = map->keysyms_per_keycode;
	uint8_t found = 0;
	for (int code = 0; code < count && !found; ++code)
		for (int i = 0; i < perCode; ++i)
			if (syms[code * perCode + i] == keysym)
			{
				found = static_cast<uint8_t> (first + code);
				break;
			}
	free (map);
	return found;
}

bool X11Display::keyDown (uint32_t keysym)
{
	const uint8_t code = keycodeOf (keysym);
	if (code)
	{
		heldKeys.push_back (code);
		fake (XCB_KEY_PRESS, code);
	}
	return code != 0;
}

bool X11Display::keyUp (uint32_t keysym)
{
	const uint8_t code = keycodeOf (keysym);
	if (code)
	{
		const auto held = std::find (heldKeys.begin (), heldKeys.end (), code);
		if (held != heldKeys.end ())
			heldKeys.erase (held);
		fake (XCB_KEY_RELEASE, code);
	}
	return code != 0;
}

void X11Display::takeFocus ()
{
	xcb_set_input_focus (connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
	sync ();
}

int X11Display::keyPressesReceived ()
{
	sync ();
	int count = 0;
	while (xcb_generic_event_t* event = xcb_poll_for_event (connection))
	{
		if ((event->response_type & 0x7f) == XCB_KEY_PRESS)
			++count;
		free (event);
	}
	return count;
}

void X11Display::setMapped (bool mapped)
{
	if (mapped)
		xcb_map_window (connection, window);
	else
		xcb_unmap_window (connection, window);
	sync ();
}

//------------------------------------------------------------------------
PlugSession::PlugSession () : module (LUMIVO_BUNDLE_DIR)
{
	if (!module.isLoaded ())
	{
		message = "module: " + module.error ();
		return;
	}
	IPtr<IPluginFactory> factory = owned (module.factory ());
	PClassInfo processorClass {};
	if (!factory || factory->getClassInfo (0, &processorClass) != kResultOk)
	{
		message = "no factory or no processor class";
		return;
	}
	Vst::IComponent* comp = nullptr;
	factory->createInstance (processorClass.cid, Vst::IComponent::iid, reinterpret_cast<void**> (&comp));
	component = owned (comp);
	TUID controllerClass {};
	if (!component || component->getControllerClassId (controllerClass) != kResultOk)
	{
		message = "no processor or no controller class";
		return;
	}
	Vst::IEditController* edit = nullptr;
	factory->createInstance (controllerClass, Vst::IEditController::iid, reinterpret_cast<void**> (&edit));
	IPtr<Vst::IEditController> made = owned (edit);
	if (!made || component->initialize (nullptr) != kResultOk || made->initialize (nullptr) != kResultOk)
	{
		message = "the controller cannot be made or initialised";
		return;
	}
	recorder = owned (new RecordingComponentHandler ());
	made->setComponentHandler (recorder);
	controller = made;
}

PlugSession::~PlugSession () noexcept
{
	if (controller)
	{
		controller->setComponentHandler (nullptr);
		controller->terminate ();
	}
	if (component)
		component->terminate ();
	controller = nullptr;
	component = nullptr;
}

IPtr<IPlugView> PlugSession::createEditor () const
{
	return owned (controller->createView (Vst::ViewType::kEditor));
}

} // namespace LumivoTest
