// Cost of PlugProcessor::process per stereo frame, 32- and 64-bit, against a
// reference loop of two double cosines per frame over the same phases. The
// kernel's own cost is the two cosines; everything else should stay small
// beside them. Each case runs a fixed number of frames from a fresh
// oscillator, and the reference counts along with it, so both see the same
// phases. Prints ns per frame, the reference's ns per frame and their ratio.
//
// A second pair of cases sets one processor at Depth 100 %, Degree 180 deg
// and Rate 0 Hz, where the right modulator's factor is exactly 0 and its
// low-pass decays toward zero for ever, against one at the defaults, both
// long settled, and prints the ratio of their times per block (1 when the
// decay costs nothing extra).
#include "processor/plugids.h"
#include "processor/plugprocessor.h"
#include "processor/plugstate.h"
#include "public.sdk/source/common/memorystream.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr double kSampleRate = 44100.0;
constexpr int64_t kFramesPerCase = int64_t (1) << 23;
const int kBlockSizes[] = {32, 512, 4096};
constexpr int32 kDecayBlock = 512;
constexpr double kDecayRate = 48000.0;
constexpr int64_t kSettleFrames = int64_t (1) << 20;

// The kernel at its defaults: 3 Hz, right channel 90 degrees ahead.
double defaultIncrement ()
{
	return (1.0 / kSampleRate * 6.283185307179586) * (0.5 * 6.0);
}
constexpr double kDefaultOffset = 0.5 * 3.141592653589793;

// Two cosines per frame over the phases the kernel visits, counting on from
// where the previous block stopped, as the kernel's oscillator does.
struct ReferenceLoop
{
	double increment = defaultIncrement ();
	int32 counter = 0;
	double sum = 0.0;

	void run (int32 frames)
	{
		for (int32 j = 0; j < frames; ++j, ++counter)
		{
			const double theta = static_cast<double> (counter) * increment;
			sum += std::cos (theta) + std::cos (theta + kDefaultOffset);
		}
		benchmark::DoNotOptimize (sum);
	}
};

// A processor with one stereo block of noise to process.
template <typename Sample>
struct Rig
{
	static constexpr int32 sampleSize = sizeof (Sample) == sizeof (float) ? kSample32 : kSample64;

	IPtr<PlugProcessor> processor = owned (new PlugProcessor ());
	std::vector<std::vector<Sample>> in;
	std::vector<std::vector<Sample>> out;
	Sample* inPtr[2] {};
	Sample* outPtr[2] {};
	AudioBusBuffers inBus;
	AudioBusBuffers outBus;
	ProcessData data;

	Rig (int32 block, double sampleRate) : in (2, std::vector<Sample> (block)), out (2, std::vector<Sample> (block))
	{
		processor->initialize (nullptr);
		ProcessSetup setup {kRealtime, sampleSize, block, sampleRate};
		processor->setupProcessing (setup);
		processor->setActive (true);

		std::mt19937 gen (7);
		std::uniform_real_distribution<float> noise (-0.5f, 0.5f);
		for (auto& channel : in)
			for (auto& x : channel)
				x = noise (gen);
		for (int c = 0; c < 2; ++c)
		{
			inPtr[c] = in[c].data ();
			outPtr[c] = out[c].data ();
		}
		inBus.numChannels = outBus.numChannels = 2;
		if constexpr (sampleSize == kSample32)
		{
			inBus.channelBuffers32 = inPtr;
			outBus.channelBuffers32 = outPtr;
		}
		else
		{
			inBus.channelBuffers64 = inPtr;
			outBus.channelBuffers64 = outPtr;
		}
		data.processMode = kRealtime;
		data.symbolicSampleSize = sampleSize;
		data.numSamples = block;
		data.numInputs = data.numOutputs = 1;
		data.inputs = &inBus;
		data.outputs = &outBus;
	}

	~Rig ()
	{
		processor->setActive (false);
		processor->terminate ();
	}

	void process ()
	{
		processor->process (data);
		benchmark::DoNotOptimize (out[0].data ());
		benchmark::DoNotOptimize (out[1].data ());
		benchmark::ClobberMemory ();
	}
};

template <typename Sample>
void processBlock (benchmark::State& state)
{
	const auto block = static_cast<int32> (state.range (0));
	Rig<Sample> rig (block, kSampleRate);

	// Kernel and reference run block by block in turn, each timed on its
	// own, so that interference from the rest of the machine falls on both
	// alike and their ratio holds still.
	using Clock = std::chrono::steady_clock;
	ReferenceLoop reference;
	Clock::duration kernelTime {};
	Clock::duration referenceTime {};
	for (auto _ : state)
	{
		const auto t0 = Clock::now ();
		rig.process ();
		const auto t1 = Clock::now ();
		reference.run (block);
		const auto t2 = Clock::now ();
		kernelTime += t1 - t0;
		referenceTime += t2 - t1;
		state.SetIterationTime (std::chrono::duration<double> (t1 - t0).count ());
	}
	const double frames = static_cast<double> (state.iterations ()) * block;
	const double kernelNs = std::chrono::duration<double, std::nano> (kernelTime).count () / frames;
	const double referenceNs =
	    std::chrono::duration<double, std::nano> (referenceTime).count () / frames;
	state.counters["ns_per_frame"] = kernelNs;
	state.counters["reference_ns"] = referenceNs;
	state.counters["ratio"] = kernelNs / referenceNs;
}

// The decaying setting against the defaults, timed block by block in turn
// after both have run long enough (22 s of audio) for the decay to reach
// the smallest numbers a double holds.
template <typename Sample>
void decayingModulator (benchmark::State& state)
{
	const auto block = static_cast<int32> (state.range (0));
	Rig<Sample> defaults (block, kDecayRate);
	Rig<Sample> decaying (block, kDecayRate);
	// The setting is reached from the defaults, as a user turns the
	// controls while playing: from activation on the factor would be 0 and
	// its filter would never leave 0.
	defaults.process ();
	decaying.process ();
	auto stream = owned (new MemoryStream ());
	writePlugState (PlugState {0.75, 1.0, 1.0, 0.0, false}, stream);
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	decaying.processor->setState (stream);
	for (int64_t frames = 0; frames < kSettleFrames; frames += block)
	{
		defaults.process ();
		decaying.process ();
	}

	using Clock = std::chrono::steady_clock;
	Clock::duration defaultTime {};
	Clock::duration decayingTime {};
	for (auto _ : state)
	{
		const auto t0 = Clock::now ();
		decaying.process ();
		const auto t1 = Clock::now ();
		defaults.process ();
		const auto t2 = Clock::now ();
		decayingTime += t1 - t0;
		defaultTime += t2 - t1;
		state.SetIterationTime (std::chrono::duration<double> (t1 - t0).count ());
	}
	const double blocks = static_cast<double> (state.iterations ());
	const double decayingNs = std::chrono::duration<double, std::nano> (decayingTime).count () / blocks;
	const double defaultNs = std::chrono::duration<double, std::nano> (defaultTime).count () / blocks;
	state.counters["ns_per_block"] = decayingNs;
	state.counters["defaults_ns"] = defaultNs;
	state.counters["ratio"] = decayingNs / defaultNs;
}

} // namespace

int main (int argc, char** argv)
{
	for (int block : kBlockSizes)
	{
		const auto iterations = kFramesPerCase / block;
		for (const auto& [name, function] :
		     {std::pair {"process_32bit", processBlock<float>},
		      std::pair {"process_64bit", processBlock<double>}})
			benchmark::RegisterBenchmark (name, function)
			    ->Arg (block)
			    ->Iterations (iterations)
			    ->UseManualTime ()
			    ->Unit (benchmark::kNanosecond);
	}
	for (const auto& [name, function] :
	     {std::pair {"decaying_modulator_32bit", decayingModulator<float>},
	      std::pair {"decaying_modulator_64bit", decayingModulator<double>}})
		benchmark::RegisterBenchmark (name, function)
		    ->Arg (kDecayBlock)
		    ->Iterations (kFramesPerCase / kDecayBlock)
		    ->UseManualTime ()
		    ->Unit (benchmark::kMicrosecond);
	benchmark::Initialize (&argc, argv);
	benchmark::RunSpecifiedBenchmarks ();
	benchmark::Shutdown ();
	return 0;
}
