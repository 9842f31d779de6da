// The module's own entry point: the class factory with its two classes,
// the processor (class index 0) and the controller (class index 1).
#include "controller/plugcontroller.h"
#include "processor/plugids.h"
#include "processor/plugprocessor.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/main/pluginfactory.h"

using namespace Steinberg;

namespace {

constexpr const char8* kVendor = "QUENBO Soft";
constexpr const char8* kUrl = "https://www.quenbo-soft.com";
constexpr const char8* kEmail = "mailto:info@quenbo-soft.com";
constexpr const char8* kVersion = "3.1.0.1";
// The API level the classes are written against; the installed SDK sources
// call themselves 3.7.2.
constexpr const char8* kSdkVersion = "VST 3.7.3";

// Each record is built once, thread-safely (function-local statics), and
// kept until the module is unloaded; a factory built after the last release
// of the previous one registers the same records again.
const PFactoryInfo& factoryInfo ()
{
	static const PFactoryInfo info (kVendor, kUrl, kEmail, PFactoryInfo::kUnicode);
	return info;
}

const PClassInfo2& processorClass (const TUID cid)
{
	static const PClassInfo2 info (cid, PClassInfo::kManyInstances, kVstAudioEffectClass,
	                               "qb Lumivo", Vst::kDistributable, "Fx|Modulation", nullptr,
	                               kVersion, kSdkVersion);
	return info;
}

const PClassInfo2& controllerClass (const TUID cid)
{
	static const PClassInfo2 info (cid, PClassInfo::kManyInstances, kVstComponentControllerClass,
	                               "qb Lumivo Controller", 0, "", nullptr, kVersion, kSdkVersion);
	return info;
}

} // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory ()
{
	if (gPluginFactory)
	{
		gPluginFactory->addRef ();
		return gPluginFactory;
	}

	gPluginFactory = new CPluginFactory (factoryInfo ());

	TUID processorCid;
	Vst::PlugProcessorUID.toTUID (processorCid);
	gPluginFactory->registerClass (&processorClass (processorCid),
	                               Vst::PlugProcessor::createInstance, nullptr);

	TUID controllerCid;
	Vst::PlugControllerUID.toTUID (controllerCid);
	gPluginFactory->registerClass (&controllerClass (controllerCid),
	                               Vst::PlugController::createInstance, nullptr);

	return gPluginFactory;
}
