// The processor as a host meets it before any audio: creation and
// interfaces, initialisation and buses, arrangements, sample sizes and the
// process setup; plus the AudioEffect base on its own.
#include "processortesting.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace LumivoTest;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::string busName (IComponent& component, BusDirection dir)
{
	BusInfo info {};
	if (component.getBusInfo (kAudio, dir, 0, info) != kResultTrue)
		return "<none>";
	return std::string (String (info.name).text8 ());
}

template <typename I>
bool hasInterface (FUnknown* object)
{
	void* obj = nullptr;
	if (object->queryInterface (I::iid, &obj) != kResultOk || !obj)
		return false;
	static_cast<FUnknown*> (obj)->release ();
	return true;
}

// The base with its process setup in view.
class SetupProbe final : public AudioEffect
{
public:
	const ProcessSetup& setup () const { return processSetup; }
};

} // namespace

TEST (ProcessorLifecycle, CreationInterfacesAndInitialisation)
{
	HostContext host;
	FUnknown* created = PlugProcessor::createInstance (nullptr);
	ASSERT_NE (created, nullptr);
	EXPECT_TRUE (hasInterface<IComponent> (created));
	EXPECT_TRUE (hasInterface<IAudioProcessor> (created));
	EXPECT_TRUE (hasInterface<IProcessContextRequirements> (created));
	EXPECT_TRUE (hasInterface<IPluginBase> (created));
	EXPECT_TRUE (hasInterface<IConnectionPoint> (created));
	void* none = reinterpret_cast<void*> (1);
	EXPECT_EQ (created->queryInterface (IParameterChanges::iid, &none), kNoInterface);
	EXPECT_EQ (none, nullptr);
	// Created with one reference, which the caller owns, and handed out as
	// the IAudioProcessor face.
	EXPECT_EQ (created->addRef (), 2u);
	EXPECT_EQ (created->release (), 1u);
	void* face = nullptr;
	ASSERT_EQ (created->queryInterface (IAudioProcessor::iid, &face), kResultOk);
	EXPECT_EQ (face, static_cast<void*> (created));
	static_cast<FUnknown*> (face)->release ();
	FUnknown* another = PlugProcessor::createInstance (nullptr);
	EXPECT_NE (another, created);
	EXPECT_EQ (another->release (), 0u);

	{
	FUnknownPtr<IComponent> component (created);
	ASSERT_TRUE (component);
	TUID controller;
	ASSERT_EQ (component->getControllerClassId (controller), kResultTrue);
	EXPECT_TRUE (FUID::fromTUID (controller) == PlugControllerUID);
	EXPECT_FALSE (PlugControllerUID == PlugProcessorUID);

	// A second initialize is refused, with or without a host context.
	EXPECT_EQ (component->getBusCount (kAudio, kInput), 0);
	ASSERT_EQ (component->initialize (nullptr), kResultOk);
	EXPECT_EQ (component->initialize (nullptr), kResultFalse);
	EXPECT_EQ (component->initialize (&host), kResultFalse);
	EXPECT_EQ (component->getBusCount (kAudio, kInput), 1);
	EXPECT_EQ (component->getBusCount (kAudio, kOutput), 1);
	EXPECT_EQ (component->getBusCount (kEvent, kInput), 0);
	EXPECT_EQ (busName (*component, kInput), "AudioInput");
	EXPECT_EQ (busName (*component, kOutput), "AudioOutput");
	BusInfo info {};
	ASSERT_EQ (component->getBusInfo (kAudio, kOutput, 0, info), kResultTrue);
	EXPECT_EQ (info.channelCount, 2);
	EXPECT_EQ (info.busType, kMain);
	EXPECT_EQ (info.flags, static_cast<uint32> (BusInfo::kDefaultActive));

	EXPECT_EQ (component->setActive (true), kResultOk);
	EXPECT_EQ (component->setActive (false), kResultOk);
	EXPECT_EQ (component->terminate (), kResultOk);
	EXPECT_EQ (component->getBusCount (kAudio, kInput), 0);
	ASSERT_EQ (component->initialize (&host), kResultOk);
	EXPECT_EQ (component->initialize (&host), kResultFalse);
	EXPECT_EQ (component->getBusCount (kAudio, kOutput), 1);
	component->terminate ();
	}

	EXPECT_EQ (created->release (), 0u);
}

TEST (ProcessorBuses, OnlyTwoSpeakerArrangements)
{
	auto processor = makeProcessor ();
	SpeakerArrangement arr = 0;
	ASSERT_EQ (processor->getBusArrangement (kInput, 0, arr), kResultTrue);
	EXPECT_EQ (arr, SpeakerArr::kStereo);

	SpeakerArrangement surround = kSpeakerLs | kSpeakerRs;
	SpeakerArrangement stereo = SpeakerArr::kStereo;
	EXPECT_EQ (processor->setBusArrangements (&surround, 1, &surround, 1), kResultTrue);
	processor->getBusArrangement (kOutput, 0, arr);
	EXPECT_EQ (arr, surround);

	SpeakerArrangement mono = SpeakerArr::kMono;
	SpeakerArrangement sixChannels = SpeakerArr::k51;
	SpeakerArrangement nothing = 0;
	EXPECT_EQ (processor->setBusArrangements (&mono, 1, &stereo, 1), kResultFalse);
	EXPECT_EQ (processor->setBusArrangements (&stereo, 1, &mono, 1), kResultFalse);
	EXPECT_EQ (processor->setBusArrangements (&sixChannels, 1, &sixChannels, 1), kResultFalse);
	EXPECT_EQ (processor->setBusArrangements (&nothing, 1, &stereo, 1), kResultFalse);
	processor->getBusArrangement (kInput, 0, arr);
	EXPECT_EQ (arr, surround) << "a refused call changes nothing";

	// Counts the base decides on.
	EXPECT_EQ (processor->setBusArrangements (nullptr, 0, nullptr, 0), kResultTrue);
	EXPECT_EQ (processor->setBusArrangements (&stereo, -1, &stereo, 1), kInvalidArgument);
	SpeakerArrangement two[] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
	EXPECT_EQ (processor->setBusArrangements (two, 2, two, 1), kResultFalse);
	EXPECT_EQ (processor->setBusArrangements (nullptr, 1, &stereo, 1), kInvalidArgument);
	// A null array with a positive count is the processor's own refusal,
	// ahead of anything a base would answer or read.
	EXPECT_EQ (processor->setBusArrangements (nullptr, 1, &mono, 1), kInvalidArgument);
	EXPECT_EQ (processor->setBusArrangements (&stereo, 1, nullptr, 2), kInvalidArgument);
	processor->getBusArrangement (kInput, 0, arr);
	EXPECT_EQ (arr, surround);

	EXPECT_EQ (processor->getBusArrangement (kInput, 1, arr), kInvalidArgument);
	EXPECT_EQ (processor->getBusArrangement (kOutput, -1, arr), kInvalidArgument);
}

TEST (ProcessorSetup, SampleSizesRatesLatencyAndTail)
{
	auto processor = makeProcessor (48000.0, kSample32, false);
	EXPECT_EQ (processor->canProcessSampleSize (kSample32), kResultTrue);
	EXPECT_EQ (processor->canProcessSampleSize (kSample64), kResultTrue);
	EXPECT_EQ (processor->canProcessSampleSize (2), kResultFalse);
	EXPECT_EQ (processor->canProcessSampleSize (-1), kResultFalse);
	EXPECT_EQ (processor->getLatencySamples (), 0u);
	EXPECT_EQ (processor->getTailSamples (), static_cast<uint32> (kNoTail));
	EXPECT_EQ (processor->getProcessContextRequirements (), 0u);

	auto bad = makeSetup (48000.0, 2);
	EXPECT_EQ (processor->setupProcessing (bad), kResultFalse);
	auto good = makeSetup (48000.0, kSample64);
	EXPECT_EQ (processor->setupProcessing (good), kResultOk);

	// Rates that would divide by zero, spread NaN, or leave the 15 Hz
	// low-pass at or past Nyquist (unstable, or no low-pass) are refused,
	// the previous rate stays: the signal afterwards is the 48 kHz one.
	for (double rate : {0.0, -44100.0, std::numeric_limits<double>::quiet_NaN (),
	                    std::numeric_limits<double>::infinity (), 1e-320, 1e-300, 12.0, 20.0, 30.0, 1e300})
	{
		auto setup = makeSetup (rate, kSample64);
		EXPECT_EQ (processor->setupProcessing (setup), kInvalidArgument) << rate;
	}
	ASSERT_EQ (processor->setActive (true), kResultOk);
	AudioBlock block (kSample64, 300);
	block.fillInput ([] (int32 c, int32 j) { return c ? 0.25 : std::sin (j * 0.01); });
	processor->process (block.data ());
	TremoloModel model;
	model.sampleRate = 48000.0;
	model.activate ();
	expectModelOutput (model, block);
}

TEST (ProcessorSetup, EveryAcceptedRateRunsAStableSignalPath)
{
	// At most rates up to 30 Hz the modulator's low-pass would run away to
	// infinity and stay there until the next activation.
	for (double rate = 0.5; rate <= 64.0; rate += 0.5)
	{
		auto processor = makeProcessor (48000.0, kSample64, false);
		auto setup = makeSetup (rate, kSample64);
		const tresult result = processor->setupProcessing (setup);
		if (rate > 30.0)
		{
			EXPECT_EQ (result, kResultOk) << rate;
		}
		if (result != kResultOk)
		{
			EXPECT_EQ (result, kInvalidArgument) << rate;
			continue;
		}
		sendParam (*processor, kDepthId, 1.0);
		ASSERT_EQ (processor->setActive (true), kResultOk);
		AudioBlock block (kSample64, 2048);
		block.fillInput ([] (int32 c, int32 j) { return c ? 1.0 : (j % 2 ? -1.0 : 1.0); });
		processor->process (block.data ());
		for (int32 j = 0; j < block.numSamples (); ++j)
		{
			ASSERT_LE (std::abs (block.output (0, j)), 2.0) << rate << " " << j;
			ASSERT_LE (std::abs (block.output (1, j)), 2.0) << rate << " " << j;
		}
	}
}

TEST (AudioEffectBase, DefaultsOfTheProcessorBase)
{
	IPtr<SetupProbe> effect = owned (new SetupProbe ());
	ASSERT_EQ (effect->initialize (nullptr), kResultOk);
	EXPECT_EQ (effect->getBusCount (kAudio, kInput), 0);
	EXPECT_EQ (effect->addAudioInput (STR16 ("In"), SpeakerArr::kMono)->getArrangement (),
	           SpeakerArr::kMono);
	effect->addAudioOutput (STR16 ("Out"), SpeakerArr::k51, kAux, 0);
	BusInfo info {};
	ASSERT_EQ (effect->getBusInfo (kAudio, kOutput, 0, info), kResultTrue);
	EXPECT_EQ (info.channelCount, 6);
	EXPECT_EQ (info.busType, kAux);
	EXPECT_EQ (info.flags, 0u);

	// The base stores any arrangement, one per bus.
	SpeakerArrangement in = SpeakerArr::k51;
	SpeakerArrangement out = SpeakerArr::kMono;
	EXPECT_EQ (effect->setBusArrangements (&in, 1, &out, 1), kResultTrue);
	SpeakerArrangement arr = 0;
	effect->getBusArrangement (kInput, 0, arr);
	EXPECT_EQ (arr, SpeakerArr::k51);
	effect->getBusArrangement (kOutput, 0, arr);
	EXPECT_EQ (arr, SpeakerArr::kMono);
	EXPECT_EQ (effect->setBusArrangements (&in, 1, &out, -2), kInvalidArgument);

	EXPECT_EQ (effect->canProcessSampleSize (kSample32), kResultTrue);
	EXPECT_EQ (effect->canProcessSampleSize (kSample64), kResultFalse);
	// A refused sample size: mode, block size and rate are taken all the
	// same, the sample size in force stays.
	ProcessSetup setup64 {kOffline, kSample64, 256, 96000.0};
	EXPECT_EQ (effect->setupProcessing (setup64), kResultFalse);
	EXPECT_EQ (effect->setup ().processMode, kOffline);
	EXPECT_EQ (effect->setup ().maxSamplesPerBlock, 256);
	EXPECT_EQ (effect->setup ().sampleRate, 96000.0);
	EXPECT_EQ (effect->setup ().symbolicSampleSize, kSample32);
	auto setup32 = makeSetup (44100.0, kSample32);
	EXPECT_EQ (effect->setupProcessing (setup32), kResultOk);
	EXPECT_EQ (effect->setup ().sampleRate, 44100.0);
	EXPECT_EQ (effect->setProcessing (true), kNotImplemented);
	EXPECT_EQ (effect->getLatencySamples (), 0u);
	EXPECT_EQ (effect->getTailSamples (), static_cast<uint32> (kNoTail));
	EXPECT_TRUE (hasInterface<IAudioProcessor> (static_cast<IAudioProcessor*> (effect.get ())));
	EXPECT_EQ (effect->terminate (), kResultOk);
	EXPECT_EQ (effect->getBusCount (kAudio, kOutput), 0);
}
