// A private X server for the tests that need a display: Xvfb started on a
// display number it picks itself (-displayfd), stopped by its process id.
// The tests never use the desktop's display, so they behave the same with or
// without one, and in CI.
#pragma once

#include <string>
#include <sys/types.h>

namespace LumivoTest {

class XvfbServer final
{
public:
	XvfbServer () = default;
	~XvfbServer () noexcept;
	XvfbServer (const XvfbServer&) = delete;
	XvfbServer& operator= (const XvfbServer&) = delete;

	// Starts the server and waits until it accepts clients; false (with
	// error() saying why) when it cannot be started.
	bool start ();
	// Terminates the server and reaps it; nothing when none runs.
	void stop ();

	bool isRunning () const { return pid > 0; }
	// ":N", valid while running.
	const std::string& display () const { return name; }
	const std::string& error () const { return message; }

	// The server of this test process, started at the first call and stopped
	// at exit; DISPLAY is set to it on every call, since the plug-in finds
	// its display only there. Null (and `why` set) when it cannot start.
	static XvfbServer* shared (std::string& why);

private:
	pid_t pid = -1;
	std::string name;
	std::string message;
};

} // namespace LumivoTest
