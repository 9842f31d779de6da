// Host-style loading of a VST3 bundle.
#include "moduleloader.h"

#include <dlfcn.h>

namespace LumivoTest {

std::string ModuleLoader::modulePath (const std::string& bundlePath)
{
	std::string bundle = bundlePath;
	while (bundle.size () > 1 && bundle.back () == '/')
		bundle.pop_back ();
	std::string name = bundle.substr (bundle.find_last_of ('/') + 1);
	const std::string suffix = ".vst3";
	if (name.size () > suffix.size () && name.compare (name.size () - suffix.size (), suffix.size (), suffix) == 0)
		name.resize (name.size () - suffix.size ());
	return bundle + "/Contents/x86_64-linux/" + name + ".so";
}

ModuleLoader::ModuleLoader (const std::string& bundlePath)
{
	// As Ardour and the SDK's own hosting code open modules.
	library = dlopen (modulePath (bundlePath).c_str (), RTLD_LAZY | RTLD_LOCAL);
	if (!library)
	{
		const char* why = dlerror ();
		message = why ? why : "dlopen failed";
		return;
	}
	entryProc = reinterpret_cast<EntryProc> (dlsym (library, "ModuleEntry"));
	exitProc = reinterpret_cast<ExitProc> (dlsym (library, "ModuleExit"));
	factoryProc = reinterpret_cast<::GetFactoryProc> (dlsym (library, "GetPluginFactory"));
	if (!entryProc || !exitProc || !factoryProc)
	{
		message = "missing entry point";
		return;
	}
	if (!entryProc (library))
	{
		message = "ModuleEntry returned false";
		return;
	}
	entered = true;
}

ModuleLoader::~ModuleLoader ()
{
	if (entered)
		exitProc ();
	if (library)
		dlclose (library);
}

Steinberg::IPluginFactory* ModuleLoader::factory () const
{
	return factoryProc ? factoryProc () : nullptr;
}

} // namespace LumivoTest
