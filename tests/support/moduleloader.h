// Loads a VST3 bundle the way a Linux host does: dlopen of
// NAME.vst3/Contents/x86_64-linux/NAME.so, ModuleEntry with the handle,
// and on destruction ModuleExit and dlclose.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <string>

namespace LumivoTest {

class ModuleLoader
{
public:
	using EntryProc = bool (*) (void*);
	using ExitProc = bool (*) ();

	// Nothing is called when loading fails; error() says why.
	explicit ModuleLoader (const std::string& bundlePath);
	~ModuleLoader ();
	ModuleLoader (const ModuleLoader&) = delete;
	ModuleLoader& operator= (const ModuleLoader&) = delete;

	// "…/NAME.vst3" -> "…/NAME.vst3/Contents/x86_64-linux/NAME.so".
	static std::string modulePath (const std::string& bundlePath);

	bool isLoaded () const { return entered; }
	const std::string& error () const { return message; }
	// A new reference from GetPluginFactory, or null; the caller releases it.
	Steinberg::IPluginFactory* factory () const;

private:
	void* library = nullptr;
	EntryProc entryProc = nullptr;
	ExitProc exitProc = nullptr;
	::GetFactoryProc factoryProc = nullptr;
	bool entered = false;
	std::string message;
};

} // namespace LumivoTest
