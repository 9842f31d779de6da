// The plug-in's edit controller.
#include "controller/plugcontroller.h"

#include "controller/plugaboutcontroller.h"
#include "controller/qbrangeparameter.h"
#include "processor/plugids.h"
#include "processor/plugstate.h"

#include "pluginterfaces/vst/ivsthostapplication.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Steinberg {
namespace Vst {

namespace {

struct RangeRow
{
	const TChar* title;
	ParamID id;
	const TChar* units;
	ParamValue min;
	ParamValue max;
	ParamValue defaultPlain;
	int32 precision;
};

// Added in this order, so that each parameter's index equals its ID. The
// plain defaults give the normalised 0.75, 0.9, 0.5 and 0.5 the processor
// starts with.
const RangeRow kRangeRows[] = {
	{STR16 ("Level"), kLevelId, STR16 ("dB"), -36.0, 12.0, 0.0, 2},
	{STR16 ("Depth"), kDepthId, STR16 ("%"), 0.0, 100.0, 90.0, 0},
	{STR16 ("Degree"), kDegreeId, STR16 ("deg"), 0.0, 180.0, 90.0, 0},
	{STR16 ("Rate"), kRateId, STR16 ("Hz"), 0.0, 6.0, 3.0, 2},
};

} // namespace

PlugController::~PlugController () = default;

FUnknown* PlugController::createInstance (void* /*context*/)
{
	return static_cast<IEditController*> (new PlugController ());
}

tresult PLUGIN_API PlugController::initialize (FUnknown* context)
{
	// The base refuses a second initialize only when the first brought a host
	// context; without one it would let the parameters be added twice.
	if (parameters.getParameterCount () > 0)
		return kResultFalse;
	if (EditController::initialize (context) != kResultOk)
		return kResultFalse;

	for (const auto& row : kRangeRows)
	{
		auto* parameter = new QBRangeParameter (row.title, row.id, row.units,
		                                        ParameterInfo::kCanAutomate, row.min, row.max,
		                                        row.defaultPlain);
		parameter->setPrecision (row.precision);
		parameters.addParameter (parameter);
	}
	parameters.addParameter (STR16 ("Bypass"), nullptr, 1, 0.0,
	                         ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, kBypassId,
	                         kRootUnitId, nullptr);
	return kResultOk;
}

tresult PLUGIN_API PlugController::setComponentState (IBStream* state)
{
	PlugState record {};
	const tresult result = readPlugState (record, state);
	if (result != kResultOk)
		return result;

	setParamNormalized (kLevelId, record.level);
	setParamNormalized (kDepthId, record.depth);
	setParamNormalized (kDegreeId, record.degree);
	setParamNormalized (kRateId, record.rate);
	setParamNormalized (kBypassId, record.bypass ? 1.0 : 0.0);
	return kResultOk;
}

IPlugView* PLUGIN_API PlugController::createView (FIDString name)
{
	if (!name || std::strcmp (name, ViewType::kEditor) != 0)
		return nullptr;
	setKnobMode (kLinearMode);
	return new VSTGUI::VST3Editor (this, "view", "plug.uidesc");
}

tresult PLUGIN_API PlugController::getParameterInfo (int32 paramIndex, ParameterInfo& info)
{
	if (paramIndex < 0 || paramIndex >= parameters.getParameterCount ())
		return kResultFalse;
	return EditController::getParameterInfo (paramIndex, info);
}

tresult PLUGIN_API PlugController::getParamStringByValue (ParamID tag, ParamValue valueNormalized,
                                                          String128 string)
{
	if (!string)
		return kInvalidArgument;
	return EditController::getParamStringByValue (tag, valueNormalized, string);
}

tresult PLUGIN_API PlugController::getParamValueByString (ParamID tag, TChar* string,
                                                          ParamValue& valueNormalized)
{
	if (!string)
		return kInvalidArgument;
	// The SDK converts the text to UTF-8 with a converter that throws on a
	// malformed UTF-16 text (a lone surrogate); no exception may reach the host.
	tresult result = kResultFalse;
	ParamValue value = 0.0;
	try
	{
		result = EditController::getParamValueByString (tag, string, value);
	}
	catch (...)
	{
		return kResultFalse;
	}
	// "nan" scans as a number and passes the range clamp untouched; a host
	// must not get it back as a value. Bypass's plain SDK parameter scans
	// the text with no clamp at all, so every value is put into 0..1 here.
	if (result != kResultTrue || std::isnan (value))
		return kResultFalse;
	valueNormalized = toNormalizedRange (value);
	return kResultTrue;
}

tresult PLUGIN_API PlugController::setParamNormalized (ParamID tag, ParamValue value)
{
	// The SDK's parameter clamps infinities but would keep a NaN; the
	// processor takes every value by this same rule.
	return EditController::setParamNormalized (tag, toNormalizedRange (value));
}

VSTGUI::IController* PlugController::createSubController (VSTGUI::UTF8StringPtr name,
                                                          const VSTGUI::IUIDescription* /*description*/,
                                                          VSTGUI::VST3Editor* /*editor*/)
{
	if (!name || std::strcmp (name, "AboutController") != 0)
		return nullptr;
	// Only the answer matters; the wrapper interface itself is not kept.
	bool wrappedAsAU = false;
	if (hostContext)
	{
		IVst3ToAUWrapper* wrapper = nullptr;
		if (hostContext->queryInterface (IVst3ToAUWrapper::iid, reinterpret_cast<void**> (&wrapper)) ==
		    kResultOk)
		{
			wrappedAsAU = true;
			if (wrapper)
				wrapper->release ();
		}
	}
	auto* about = new AboutController (this, wrappedAsAU);
	addAboutController (about);
	return about;
}

void PlugController::addAboutController (AboutController* controller)
{
	aboutControllers.push_back (controller);
}

void PlugController::removeAboutController (AboutController* controller)
{
	const auto it = std::find (aboutControllers.begin (), aboutControllers.end (), controller);
	if (it != aboutControllers.end ())
		aboutControllers.erase (it);
}

} // namespace Vst
} // namespace Steinberg
