// Helpers for the editor-description and editor tests: temporary resource
// folders, and controllers that record what the description asks of them.
#pragma once

#include "vstgui/lib/cview.h"
#include "vstgui/lib/iviewlistener.h"
#include "vstgui/uidescription/icontroller.h"
#include "vstgui/uidescription/uiattributes.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace LumivoTest {

// A fresh folder under /tmp; files written into it stay for the process.
inline std::string makeTempDir ()
{
	char pattern[] = "/tmp/lumivo-uidesc-XXXXXX";
	const char* dir = mkdtemp (pattern);
	return dir ? dir : "/tmp";
}

inline std::string writeFile (const std::string& dir, const std::string& name, const std::string& text)
{
	const std::string path = dir + "/" + name;
	std::ofstream (path, std::ios::binary) << text;
	return path;
}

inline std::string classOf (const VSTGUI::UIAttributes& attributes)
{
	const auto* c = attributes.getAttributeValue ("class");
	return c ? *c : std::string ("?");
}

// Logs its life and every view it verifies into a shared log.
class LoggingController : public VSTGUI::IController
{
public:
	LoggingController (std::string name, std::vector<std::string>& log) : name (std::move (name)), log (log) {}
	~LoggingController () noexcept override { log.push_back (name + " deleted"); }

	void valueChanged (VSTGUI::CControl*) override {}
	VSTGUI::CView* verifyView (VSTGUI::CView* view, const VSTGUI::UIAttributes& attributes,
	                           const VSTGUI::IUIDescription*) override
	{
		log.push_back (name + " verifies " + classOf (attributes));
		return view;
	}
	VSTGUI::IController* createSubController (VSTGUI::UTF8StringPtr subName,
	                                          const VSTGUI::IUIDescription*) override
	{
		if (!subName || std::string (subName).rfind ("Sub", 0) != 0)
			return nullptr;
		log.push_back (name + " creates " + subName);
		return new LoggingController (subName, log);
	}

	std::string name;
	std::vector<std::string>& log;
};

// Logs when the views it watches are deleted.
class DeletionLogger : public VSTGUI::ViewListenerAdapter
{
public:
	DeletionLogger (std::string name, std::vector<std::string>& log) : name (std::move (name)), log (log) {}
	void viewWillDelete (VSTGUI::CView* view) override
	{
		log.push_back (name + " view deleted");
		view->unregisterViewListener (this);
	}
	std::string name;
	std::vector<std::string>& log;
};

} // namespace LumivoTest
