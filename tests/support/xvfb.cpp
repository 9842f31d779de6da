// Starting and stopping the tests' own Xvfb.
#include "xvfb.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace LumivoTest {

namespace {

// How long the server may take to come up, generous for sanitized builds on
// a loaded CI machine.
constexpr int startTimeoutMs = 20000;

std::string readAll (int fd)
{
	std::string text;
	char buffer[512];
	lseek (fd, 0, SEEK_SET);
	ssize_t n;
	while ((n = read (fd, buffer, sizeof (buffer))) > 0)
		text.append (buffer, static_cast<size_t> (n));
	return text;
}

bool waitForExit (pid_t pid, int timeoutMs, int& status)
{
	const auto until = std::chrono::steady_clock::now () + std::chrono::milliseconds (timeoutMs);
	while (true)
	{
		const pid_t done = waitpid (pid, &status, WNOHANG);
		if (done == pid || (done < 0 && errno != EINTR))
			return true;
		if (std::chrono::steady_clock::now () >= until)
			return false;
		std::this_thread::sleep_for (std::chrono::milliseconds (5));
	}
}

} // namespace

XvfbServer::~XvfbServer () noexcept
{
	stop ();
}

bool XvfbServer::start ()
{
	if (isRunning ())
		return true;
	message.clear ();

	int ready[2];
	if (pipe2 (ready, O_CLOEXEC) != 0)
	{
		message = std::string ("pipe: ") + std::strerror (errno);
		return false;
	}
	// The server's complaints go to an unlinked file, read only on failure;
	// a pipe nobody drains could block or kill it later.
	char logName[] = "/tmp/lumivo-xvfb-XXXXXX";
	const int log = mkostemp (logName, O_CLOEXEC);
	if (log >= 0)
		unlink (logName);

	char fdText[16];
	std::snprintf (fdText, sizeof (fdText), "%d", ready[1]);
	const pid_t parent = getpid ();
	const pid_t child = fork ();
	if (child < 0)
	{
		message = std::string ("fork: ") + std::strerror (errno);
		close (ready[0]);
		close (ready[1]);
		if (log >= 0)
			close (log);
		return false;
	}
	if (child == 0)
	{
		// Only async-signal-safe calls from here on. The server dies with
		// the test process, also when a sanitizer aborts it.
		prctl (PR_SET_PDEATHSIG, SIGTERM);
		if (getppid () != parent)
			_exit (127);
		fcntl (ready[1], F_SETFD, 0);
		const int null = open ("/dev/null", O_RDWR);
		if (null >= 0)
		{
			dup2 (null, STDIN_FILENO);
			dup2 (null, STDOUT_FILENO);
		}
		if (log >= 0)
			dup2 (log, STDERR_FILENO);
		execlp ("Xvfb", "Xvfb", "-displayfd", fdText, "-screen", "0", "1024x768x24", "-nolisten", "tcp",
		        static_cast<char*> (nullptr));
		_exit (127);
	}
	close (ready[1]);
	pid = child;

	// The server writes its display number and a newline once it accepts
	// clients; end of file means it gave up.
	std::string number;
	const auto until = std::chrono::steady_clock::now () + std::chrono::milliseconds (startTimeoutMs);
	bool complete = false;
	while (!complete)
	{
		const auto left = std::chrono::duration_cast<std::chrono::milliseconds> (
		    until - std::chrono::steady_clock::now ()).count ();
		if (left <= 0)
		{
			message = "Xvfb did not report a display within " + std::to_string (startTimeoutMs) + " ms";
			break;
		}
		pollfd p {ready[0], POLLIN, 0};
		const int n = poll (&p, 1, static_cast<int> (left));
		if (n < 0 && errno == EINTR)
			continue;
		if (n <= 0)
			continue;
		char c;
		const ssize_t got = read (ready[0], &c, 1);
		if (got == 1)
		{
			if (c == '\n')
				complete = !number.empty ();
			else
				number.push_back (c);
			continue;
		}
		if (got < 0 && errno == EINTR)
			continue;
		message = "Xvfb exited before reporting a display";
		break;
	}
	close (ready[0]);

	if (!complete)
	{
		stop ();
		if (log >= 0)
			message += ": " + readAll (log);
	}
	else
	{
		name = ":" + number;
	}
	if (log >= 0)
		close (log);
	return complete;
}

void XvfbServer::stop ()
{
	if (pid <= 0)
		return;
	int status = 0;
	kill (pid, SIGTERM);
	if (!waitForExit (pid, 5000, status))
	{
		kill (pid, SIGKILL);
		waitForExit (pid, 5000, status);
	}
	pid = -1;
	name.clear ();
}

XvfbServer* XvfbServer::shared (std::string& why)
{
	static std::unique_ptr<XvfbServer> server;
	if (!server)
	{
		server = std::make_unique<XvfbServer> ();
		server->start ();
	}
	if (!server->isRunning ())
	{
		why = server->error ().empty () ? "Xvfb is not running" : server->error ();
		return nullptr;
	}
	setenv ("DISPLAY", server->display ().c_str (), 1);
	return server.get ();
}

} // namespace LumivoTest
