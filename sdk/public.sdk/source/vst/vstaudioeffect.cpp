// AudioEffect: bus bookkeeping and the defaults of an audio processor that
// a subclass refines (sample sizes, setup, processing).
#include "public.sdk/source/vst/vstaudioeffect.h"

namespace Steinberg {
namespace Vst {

AudioEffect::AudioEffect ()
{
	// What a host gets before it calls setupProcessing: a common realtime setup.
	processSetup.processMode = kRealtime;
	processSetup.symbolicSampleSize = kSample32;
	processSetup.maxSamplesPerBlock = 1024;
	processSetup.sampleRate = 44100.0;
}

namespace {

// The list takes the bus's one reference.
AudioBus* addAudioBus (BusList& list, const TChar* name, SpeakerArrangement arr, BusType busType,
                       int32 flags)
{
	auto* bus = new AudioBus (name, busType, flags, arr);
	list.push_back (IPtr<Vst::Bus> (bus, false));
	return bus;
}

AudioBus* audioBusAt (BusList& list, int32 index)
{
	if (index < 0 || index >= static_cast<int32> (list.size ()))
		return nullptr;
	return FCast<AudioBus> (list[static_cast<size_t> (index)].get ());
}

} // namespace

AudioBus* AudioEffect::addAudioInput (const TChar* name, SpeakerArrangement arr, BusType busType,
                                      int32 flags)
{
	return addAudioBus (audioInputs, name, arr, busType, flags);
}

AudioBus* AudioEffect::addAudioOutput (const TChar* name, SpeakerArrangement arr, BusType busType,
                                       int32 flags)
{
	return addAudioBus (audioOutputs, name, arr, busType, flags);
}

AudioBus* AudioEffect::getAudioInput (int32 index)
{
	return audioBusAt (audioInputs, index);
}

AudioBus* AudioEffect::getAudioOutput (int32 index)
{
	return audioBusAt (audioOutputs, index);
}

tresult PLUGIN_API AudioEffect::setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                                    SpeakerArrangement* outputs, int32 numOuts)
{
	if (numIns < 0 || numOuts < 0)
		return kInvalidArgument;
	if (numIns > static_cast<int32> (audioInputs.size ()) ||
	    numOuts > static_cast<int32> (audioOutputs.size ()))
		return kResultFalse;
	if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs))
		return kInvalidArgument;

	for (int32 i = 0; i < numIns; ++i)
		if (auto* bus = getAudioInput (i))
			bus->setArrangement (inputs[i]);
	for (int32 i = 0; i < numOuts; ++i)
		if (auto* bus = getAudioOutput (i))
			bus->setArrangement (outputs[i]);
	return kResultTrue;
}

tresult PLUGIN_API AudioEffect::getBusArrangement (BusDirection dir, int32 index,
                                                   SpeakerArrangement& arr)
{
	AudioBus* bus = nullptr;
	if (dir == kInput)
		bus = getAudioInput (index);
	else if (dir == kOutput)
		bus = getAudioOutput (index);
	if (!bus)
		return kInvalidArgument;
	arr = bus->getArrangement ();
	return kResultTrue;
}

tresult PLUGIN_API AudioEffect::canProcessSampleSize (int32 symbolicSampleSize)
{
	return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API AudioEffect::getLatencySamples ()
{
	return 0;
}

// As the SDK's base: mode, block size and rate are taken even when the
// sample size is refused; the sample size in force then stays.
tresult PLUGIN_API AudioEffect::setupProcessing (ProcessSetup& setup)
{
	processSetup.processMode = setup.processMode;
	processSetup.maxSamplesPerBlock = setup.maxSamplesPerBlock;
	processSetup.sampleRate = setup.sampleRate;
	if (canProcessSampleSize (setup.symbolicSampleSize) != kResultTrue)
		return kResultFalse;
	processSetup.symbolicSampleSize = setup.symbolicSampleSize;
	return kResultOk;
}

// The base has no processing of its own to switch or run.
tresult PLUGIN_API AudioEffect::setProcessing (TBool /*state*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API AudioEffect::process (ProcessData& /*data*/)
{
	return kNotImplemented;
}

uint32 PLUGIN_API AudioEffect::getTailSamples ()
{
	return kNoTail;
}

uint32 PLUGIN_API AudioEffect::getProcessContextRequirements ()
{
	return 0;
}

} // namespace Vst
} // namespace Steinberg
