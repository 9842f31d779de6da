// Opens the editor from the built bundle in the window test host, on a
// private Xvfb, and writes what its window shows as a PNG.
// Usage: lumivo_editor_screenshot OUT.png
#include "x11testhost.h"
#include "xvfb.h"

#include <cstdio>

using namespace Steinberg;
using namespace LumivoTest;

int main (int argc, char** argv)
{
	if (argc != 2)
	{
		std::fprintf (stderr, "usage: %s OUT.png\n", argv[0]);
		return 2;
	}
	std::string why;
	if (!XvfbServer::shared (why))
	{
		std::fprintf (stderr, "no X server: %s\n", why.c_str ());
		return 1;
	}
	X11Display display (640, 400);
	if (!display.isReady ())
	{
		std::fprintf (stderr, "%s\n", display.error ().c_str ());
		return 1;
	}
	int result = 1;
	{
		PlugSession session;
		if (!session.isOpen ())
		{
			std::fprintf (stderr, "%s\n", session.error ().c_str ());
			return 1;
		}
		HostFrame frame;
		IPtr<IPlugView> view = session.createEditor ();
		ViewRect size;
		if (!view || view->getSize (&size) != kResultOk || view->setFrame (&frame) != kResultOk ||
		    view->attached (display.parentHandle (), kPlatformTypeX11EmbedWindowID) != kResultOk)
		{
			std::fprintf (stderr, "the editor does not open in a window\n");
			return 1;
		}
		// Long enough for the first expose and every image to be drawn.
		frame.runFor (500);
		const Image image = display.capture (size.getWidth (), size.getHeight ());
		if (image.writePng (argv[1]))
			result = 0;
		else
			std::fprintf (stderr, "cannot write %s\n", argv[1]);
		view->removed ();
		view->setFrame (nullptr);
	}
	return result;
}
