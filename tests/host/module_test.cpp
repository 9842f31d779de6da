// The built bundle, loaded as a Linux host loads it: exported symbols,
// module entry and exit, the factory and its two classes.
#include "moduleloader.h"
#include "testhost.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <set>
#include <string>

using namespace Steinberg;
using LumivoTest::ModuleLoader;

using LumivoTest::narrow;

namespace {

// Written out here rather than taken from the shared header: a changed
// identifier would orphan every saved project, and this catches it.
const FUID kProcessorCid (0xE315D9E1, 0xB38549F7, 0x8F4CE232, 0x3642BFF7);
const FUID kControllerCid (0xF3B46FDE, 0x32CB4976, 0x9FB62714, 0x9D98CC11);

uint32 referenceCount (FUnknown* object)
{
	object->addRef ();
	return object->release ();
}

// Both classes share cardinality, an empty vendor and the two versions.
void expectClassInfo2 (const PClassInfo2& info, const FUID& cid, const char* category,
                       const char* name, uint32 classFlags, const char* subCategories)
{
	SCOPED_TRACE (name);
	EXPECT_EQ (FUID::fromTUID (info.cid), cid);
	EXPECT_EQ (info.cardinality, 2147483647);
	EXPECT_STREQ (info.category, category);
	EXPECT_STREQ (info.name, name);
	EXPECT_EQ (info.classFlags, classFlags);
	EXPECT_STREQ (info.subCategories, subCategories);
	EXPECT_STREQ (info.vendor, "");
	EXPECT_STREQ (info.version, "3.1.0.1");
	EXPECT_STREQ (info.sdkVersion, "VST 3.7.3");
}

} // namespace

TEST (HostModule, ExportsExactlyTheThreeEntryPoints)
{
	const std::string command = "nm -D --defined-only '" + ModuleLoader::modulePath (LUMIVO_BUNDLE_DIR) + "' 2>/dev/null";
	FILE* pipe = popen (command.c_str (), "r");
	ASSERT_NE (pipe, nullptr);
	std::set<std::string> exported;
	char line[1024];
	while (std::fgets (line, sizeof (line), pipe))
	{
		char address[256], type[16], name[768];
		if (std::sscanf (line, "%255s %15s %767s", address, type, name) == 3)
			exported.insert (name);
	}
	const int status = pclose (pipe);
	if (status != 0 && exported.empty ())
		GTEST_SKIP () << "nm not available";
	EXPECT_EQ (exported, (std::set<std::string> {"GetPluginFactory", "ModuleEntry", "ModuleExit"}));
}

TEST (HostModule, EntryAndExitAreCounted)
{
	void* library = dlopen (ModuleLoader::modulePath (LUMIVO_BUNDLE_DIR).c_str (), RTLD_LAZY | RTLD_LOCAL);
	ASSERT_NE (library, nullptr) << dlerror ();
	auto entry = reinterpret_cast<bool (*) (void*)> (dlsym (library, "ModuleEntry"));
	auto exit = reinterpret_cast<bool (*) ()> (dlsym (library, "ModuleExit"));
	ASSERT_NE (entry, nullptr);
	ASSERT_NE (exit, nullptr);

	EXPECT_FALSE (exit ()) << "an exit without an entry";
	EXPECT_TRUE (entry (library));
	EXPECT_TRUE (entry (library));
	EXPECT_TRUE (exit ());
	EXPECT_TRUE (exit ());
	EXPECT_FALSE (exit ()) << "one exit more than entries";
	EXPECT_TRUE (entry (library));
	EXPECT_TRUE (exit ());
	dlclose (library);
}

TEST (HostModule, FactoryAndClassInformation)
{
	ModuleLoader module (LUMIVO_BUNDLE_DIR);
	ASSERT_TRUE (module.isLoaded ()) << module.error ();
	IPtr<IPluginFactory> factory = owned (module.factory ());
	ASSERT_TRUE (factory);

	PFactoryInfo info;
	ASSERT_EQ (factory->getFactoryInfo (&info), kResultOk);
	EXPECT_STREQ (info.vendor, "QUENBO Soft");
	EXPECT_STREQ (info.url, "https://www.quenbo-soft.com");
	EXPECT_STREQ (info.email, "mailto:info@quenbo-soft.com");
	EXPECT_EQ (info.flags, 16);
	EXPECT_EQ (info.flags, PFactoryInfo::kUnicode);
	EXPECT_EQ (factory->getFactoryInfo (nullptr), kInvalidArgument);

	ASSERT_EQ (factory->countClasses (), 2);
	PClassInfo basic;
	ASSERT_EQ (factory->getClassInfo (0, &basic), kResultOk);
	EXPECT_EQ (FUID::fromTUID (basic.cid), kProcessorCid);
	EXPECT_EQ (basic.cardinality, 2147483647);
	EXPECT_STREQ (basic.category, "Audio Module Class");
	EXPECT_STREQ (basic.name, "qb Lumivo");
	ASSERT_EQ (factory->getClassInfo (1, &basic), kResultOk);
	EXPECT_EQ (FUID::fromTUID (basic.cid), kControllerCid);
	EXPECT_STREQ (basic.category, "Component Controller Class");
	EXPECT_STREQ (basic.name, "qb Lumivo Controller");
	EXPECT_NE (factory->getClassInfo (2, &basic), kResultOk);
	EXPECT_NE (factory->getClassInfo (-1, &basic), kResultOk);
	EXPECT_EQ (factory->getClassInfo (0, nullptr), kInvalidArgument);

	// The identifier's 16 bytes: the four words in order, most significant byte first.
	const uint8 firstBytes[] = {0xE3, 0x15, 0xD9, 0xE1, 0xB3, 0x85, 0x49, 0xF7};
	ASSERT_EQ (factory->getClassInfo (0, &basic), kResultOk);
	EXPECT_EQ (std::memcmp (basic.cid, firstBytes, sizeof (firstBytes)), 0);

	FUnknownPtr<IPluginFactory2> factory2 (factory);
	ASSERT_TRUE (factory2);
	PClassInfo2 processor;
	ASSERT_EQ (factory2->getClassInfo2 (0, &processor), kResultOk);
	expectClassInfo2 (processor, kProcessorCid, "Audio Module Class", "qb Lumivo", 1u,
	                  "Fx|Modulation");
	PClassInfo2 controller;
	ASSERT_EQ (factory2->getClassInfo2 (1, &controller), kResultOk);
	expectClassInfo2 (controller, kControllerCid, "Component Controller Class",
	                  "qb Lumivo Controller", 0u, "");
	EXPECT_NE (factory2->getClassInfo2 (2, &controller), kResultOk);

	FUnknownPtr<IPluginFactory3> factory3 (factory);
	ASSERT_TRUE (factory3);
	PClassInfoW wide;
	ASSERT_EQ (factory3->getClassInfoUnicode (0, &wide), kResultOk);
	EXPECT_EQ (FUID::fromTUID (wide.cid), kProcessorCid);
	EXPECT_EQ (narrow (wide.name), "qb Lumivo");
	EXPECT_STREQ (wide.category, "Audio Module Class");
	EXPECT_STREQ (wide.subCategories, "Fx|Modulation");
	EXPECT_EQ (wide.classFlags, 1u);
	EXPECT_EQ (narrow (wide.vendor), "");
	EXPECT_EQ (narrow (wide.version), "3.1.0.1");
	EXPECT_EQ (narrow (wide.sdkVersion), "VST 3.7.3");
	ASSERT_EQ (factory3->getClassInfoUnicode (1, &wide), kResultOk);
	EXPECT_EQ (narrow (wide.name), "qb Lumivo Controller");
	EXPECT_EQ (wide.cardinality, 2147483647);
	EXPECT_NE (factory3->getClassInfoUnicode (2, &wide), kResultOk);
}

TEST (HostModule, OneFactoryUntilTheLastRelease)
{
	ModuleLoader module (LUMIVO_BUNDLE_DIR);
	ASSERT_TRUE (module.isLoaded ()) << module.error ();

	IPluginFactory* first = module.factory ();
	ASSERT_NE (first, nullptr);
	EXPECT_EQ (referenceCount (first), 1u);
	IPluginFactory* second = module.factory ();
	EXPECT_EQ (second, first);
	EXPECT_EQ (referenceCount (first), 2u);
	EXPECT_EQ (second->release (), 1u);
	EXPECT_EQ (first->release (), 0u);

	// The pointer may be reused by the allocator; the count shows it is new.
	IPluginFactory* renewed = module.factory ();
	ASSERT_NE (renewed, nullptr);
	EXPECT_EQ (referenceCount (renewed), 1u);
	ASSERT_EQ (renewed->countClasses (), 2);
	PClassInfo info;
	ASSERT_EQ (renewed->getClassInfo (1, &info), kResultOk);
	EXPECT_EQ (FUID::fromTUID (info.cid), kControllerCid);
	PFactoryInfo factoryInfo;
	ASSERT_EQ (renewed->getFactoryInfo (&factoryInfo), kResultOk);
	EXPECT_STREQ (factoryInfo.vendor, "QUENBO Soft");
	EXPECT_EQ (renewed->release (), 0u);
}

TEST (HostModule, CreatesIndependentObjects)
{
	ModuleLoader module (LUMIVO_BUNDLE_DIR);
	ASSERT_TRUE (module.isLoaded ()) << module.error ();
	IPtr<IPluginFactory> factory = owned (module.factory ());
	ASSERT_TRUE (factory);

	Vst::IAudioProcessor* a = nullptr;
	Vst::IAudioProcessor* b = nullptr;
	ASSERT_EQ (factory->createInstance (kProcessorCid.toTUID (), Vst::IAudioProcessor::iid,
	                                    reinterpret_cast<void**> (&a)), kResultOk);
	ASSERT_EQ (factory->createInstance (kProcessorCid.toTUID (), Vst::IAudioProcessor::iid,
	                                    reinterpret_cast<void**> (&b)), kResultOk);
	ASSERT_NE (a, nullptr);
	ASSERT_NE (b, nullptr);
	EXPECT_NE (a, b);
	EXPECT_EQ (referenceCount (a), 1u);
	EXPECT_EQ (referenceCount (b), 1u);

	FUnknownPtr<Vst::IComponent> component (a);
	ASSERT_TRUE (component);
	TUID controllerClass {};
	ASSERT_EQ (component->getControllerClassId (controllerClass), kResultOk);
	EXPECT_EQ (FUID::fromTUID (controllerClass), kControllerCid);
	PClassInfo info;
	ASSERT_EQ (factory->getClassInfo (1, &info), kResultOk);
	EXPECT_TRUE (FUnknownPrivate::iidEqual (controllerClass, info.cid));

	Vst::IEditController* controller = nullptr;
	ASSERT_EQ (factory->createInstance (info.cid, Vst::IEditController::iid,
	                                    reinterpret_cast<void**> (&controller)), kResultOk);
	ASSERT_NE (controller, nullptr);
	EXPECT_EQ (referenceCount (controller), 1u);

	// An unknown class or an interface the class lacks gives no object.
	void* none = &info;
	const FUID unknown (1, 2, 3, 4);
	EXPECT_EQ (factory->createInstance (unknown.toTUID (), Vst::IAudioProcessor::iid, &none), kNoInterface);
	EXPECT_EQ (none, nullptr);
	none = &info;
	EXPECT_EQ (factory->createInstance (kControllerCid.toTUID (), Vst::IAudioProcessor::iid, &none),
	           kNoInterface);
	EXPECT_EQ (none, nullptr);
	EXPECT_EQ (factory->createInstance (kProcessorCid.toTUID (), Vst::IAudioProcessor::iid, nullptr),
	           kInvalidArgument);

	EXPECT_EQ (controller->release (), 0u);
	EXPECT_EQ (b->release (), 0u);
	component = nullptr;
	EXPECT_EQ (a->release (), 0u);
}
