// A small X11 host for the editor tests: a parent window on the tests' own X
// server with real input through XTest and read-back of its pixels, an
// IPlugFrame with the Linux IRunLoop that the editor registers its X
// connection and timers with (turned by the test), and a plug-in session
// opened from the built bundle as a host opens it. Nothing here knows a class
// of the plug-in: only the VST3 interfaces and X itself.
#pragma once

#include "componenthandler.h"
#include "moduleloader.h"

#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <cstdint>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace LumivoTest {

// Pixels as 0xRRGGBB, row by row.
struct Image
{
	int width = 0;
	int height = 0;
	std::vector<uint32_t> pixels;

	bool empty () const { return pixels.empty (); }
	uint32_t at (int x, int y) const { return pixels[static_cast<size_t> (y * width + x)]; }
	// A PNG file through cairo; false when it cannot be written.
	bool writePng (const std::string& path) const;
	// A PNG file with its alpha channel as 0xAARRGGBB (straight, not
	// premultiplied); an empty image when the file cannot be read.
	static Image readPng (const std::string& path, std::vector<uint8_t>* alpha = nullptr);
};

// The host side of the view: IPlugFrame and Linux::IRunLoop with a poll loop.
// Owned by the test; its reference count shows what the plug-in still holds.
class HostFrame final : public Steinberg::IPlugFrame, public Steinberg::Linux::IRunLoop
{
public:
	// Without a run loop, queryInterface denies IRunLoop, as a host that
	// does not offer one.
	explicit HostFrame (bool offerRunLoop = true) : offerRunLoop (offerRunLoop) {}
	~HostFrame () noexcept = default;

	// One turn: waits for a registered descriptor or the next due timer, at
	// most maxWaitMs, then calls every ready handler and every due timer.
	// Gives the number of callbacks made.
	int runOneTurn (int maxWaitMs = 50);
	// Turns the loop for ms milliseconds of real time; gives the number of
	// callbacks made.
	int runFor (int ms);

	size_t eventHandlerCount () const { return eventHandlers.size (); }
	size_t timerCount () const { return timers.size (); }
	// References held by others than the test.
	Steinberg::uint32 foreignReferences () const { return static_cast<Steinberg::uint32> (refCount - 1); }
	int resizeRequests () const { return resizes; }

	Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;

	Steinberg::tresult PLUGIN_API registerEventHandler (Steinberg::Linux::IEventHandler* handler,
	                                                    Steinberg::Linux::FileDescriptor fd) override;
	Steinberg::tresult PLUGIN_API unregisterEventHandler (Steinberg::Linux::IEventHandler* handler) override;
	Steinberg::tresult PLUGIN_API registerTimer (Steinberg::Linux::ITimerHandler* handler,
	                                             Steinberg::Linux::TimerInterval milliseconds) override;
	Steinberg::tresult PLUGIN_API unregisterTimer (Steinberg::Linux::ITimerHandler* handler) override;

	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
	Steinberg::uint32 PLUGIN_API addRef () override { return static_cast<Steinberg::uint32> (++refCount); }
	Steinberg::uint32 PLUGIN_API release () override { return static_cast<Steinberg::uint32> (--refCount); }

private:
	struct EventEntry
	{
		Steinberg::Linux::IEventHandler* handler;
		int fd;
	};
	struct TimerEntry
	{
		Steinberg::Linux::ITimerHandler* handler;
		int64_t interval;
		int64_t due;
		uint64_t serial;
	};

	bool offerRunLoop;
	std::vector<EventEntry> eventHandlers;
	std::vector<TimerEntry> timers;
	uint64_t nextSerial = 0;
	int resizes = 0;
	Steinberg::int32 refCount = 1;
};

// The host's own X connection: a parent window at the root's top-left
// corner that selects key presses as a host's window does, input through
// XTest and pixels through GetImage.
class X11Display final
{
public:
	// Connects to $DISPLAY and maps a parent window of the given size.
	X11Display (int width, int height);
	~X11Display () noexcept;
	X11Display (const X11Display&) = delete;
	X11Display& operator= (const X11Display&) = delete;

	bool isReady () const { return window != 0; }
	const std::string& error () const { return message; }

	xcb_window_t parentWindow () const { return window; }
	// The handle a host passes to IPlugView::attached for "X11EmbedWindowID".
	void* parentHandle () const { return reinterpret_cast<void*> (static_cast<uintptr_t> (window)); }
	// The parent's child windows (the editor's window while attached).
	std::vector<xcb_window_t> children () const;
	// Position and size of a window relative to its parent; false when it
	// does not exist.
	bool geometry (xcb_window_t which, int& x, int& y, int& width, int& height) const;
	// What the screen shows of the parent (children included), from its
	// top-left corner.
	Image capture (int width, int height) const;

	// Real input, in the parent's coordinates; each call is processed by the
	// server before it returns.
	void moveTo (int x, int y);
	void press (int button);
	void release (int button);
	void click (int x, int y, int button = 1);
	// A key by its X keysym (XK_Alt_L is 0xffe9); false when the keyboard
	// map has no key for it.
	bool keyDown (uint32_t keysym);
	bool keyUp (uint32_t keysym);
	// The keyboard focus on the parent, as a host's window has it.
	void takeFocus ();
	// Key presses that reached the parent since the last call.
	int keyPressesReceived ();
	// Hides or shows the parent, as a host hides its plug-in window.
	void setMapped (bool mapped);

	// The parent's background: shows wherever the editor draws nothing.
	static constexpr uint32_t parentColour = 0xff00ff;

private:
	void fake (uint8_t type, uint8_t detail, int x = 0, int y = 0);
	uint8_t keycodeOf (uint32_t keysym) const;
	void sync () const;

	xcb_connection_t* connection = nullptr;
	xcb_screen_t* screen = nullptr;
	xcb_window_t window = 0;
	// Buttons and keys still held, let go when the display closes so that a
	// failed test leaves no button down on the shared server.
	std::vector<uint8_t> heldButtons;
	std::vector<uint8_t> heldKeys;
	std::string message;
};

// The plug-in as a host opens it: the module from the built bundle, the
// processor and the controller created and initialised, a recording
// component handler on the controller.
class PlugSession final
{
public:
	PlugSession ();
	~PlugSession () noexcept;
	PlugSession (const PlugSession&) = delete;
	PlugSession& operator= (const PlugSession&) = delete;

	bool isOpen () const { return controller != nullptr; }
	const std::string& error () const { return message; }

	Steinberg::Vst::IEditController& editController () const { return *controller; }
	RecordingComponentHandler& handler () const { return *recorder; }
	// A new editor view from createView ("editor"), owned by the caller.
	Steinberg::IPtr<Steinberg::IPlugView> createEditor () const;

private:
	ModuleLoader module;
	Steinberg::IPtr<Steinberg::Vst::IComponent> component;
	Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
	Steinberg::IPtr<RecordingComponentHandler> recorder;
	std::string message;
};

} // namespace LumivoTest
