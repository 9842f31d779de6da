// Module initialisation and de-initialisation functions.
#include "public.sdk/source/main/moduleinit.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Steinberg {

namespace {

struct Entry
{
	ModuleInitPriority priority;
	ModuleInitFunction func;
};
using Entries = std::vector<Entry>;

// Function-local, so that registrations from other units' static objects
// never meet an unconstructed list.
Entries& initializers ()
{
	static Entries entries;
	return entries;
}

Entries& terminators ()
{
	static Entries entries;
	return entries;
}

void add (Entries& entries, ModuleInitFunction&& func, ModuleInitPriority priority)
{
	if (func)
		entries.push_back ({priority, std::move (func)});
}

void runAll (Entries& entries)
{
	std::stable_sort (entries.begin (), entries.end (),
	                  [] (const Entry& a, const Entry& b) { return a.priority < b.priority; });
	for (auto& entry : entries)
		entry.func ();
}

PlatformModuleHandle moduleHandle = nullptr;

} // namespace

ModuleInitializer::ModuleInitializer (ModuleInitFunction&& func, ModuleInitPriority priority)
{
	add (initializers (), std::move (func), priority);
}

ModuleTerminator::ModuleTerminator (ModuleInitFunction&& func, ModuleInitPriority priority)
{
	add (terminators (), std::move (func), priority);
}

PlatformModuleHandle getPlatformModuleHandle ()
{
	return moduleHandle;
}

void setPlatformModuleHandle (PlatformModuleHandle handle)
{
	moduleHandle = handle;
}

} // namespace Steinberg

bool InitModule ()
{
	Steinberg::runAll (Steinberg::initializers ());
	return true;
}

bool DeinitModule ()
{
	Steinberg::runAll (Steinberg::terminators ());
	return true;
}
