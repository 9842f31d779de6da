// Cost of PlugProcessor::process per stereo frame, 32- and 64-bit, against a
// reference loop of two double cosines per frame over the same phases. The
// kernel's own cost is the two cosines; everything else should stay small
// beside them. Each case runs a fixed number of frames from a fresh
// oscillator, and the reference counts along with it, so both see the same
// phases. Prints ns per frame, the reference's ns per frame and their ratio.
#include "processor/plugids.h"
#include "processor/plugprocessor.h"

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

template <typename Sample>
void processBlock (benchmark::State& state)
{
	constexpr int32 sampleSize = sizeof (Sample) == sizeof (float) ? kSample32 : kSample64;
	const auto block = static_cast<int32> (state.range (0));

	IPtr<PlugProcessor> processor = owned (new PlugProcessor ());
	processor->initialize (nullptr);
	ProcessSetup setup {kRealtime, sampleSize, block, kSampleRate};
	processor->setupProcessing (setup);
	processor->setActive (true);

	std::mt19937 gen (7);
	std::uniform_real_distribution<float> noise (-0.5f, 0.5f);
	std::vector<std::vector<Sample>> in (2, std::vector<Sample> (block));
	std::vector<std::vector<Sample>> out (2, std::vector<Sample> (block));
	for (auto& channel : in)
		for (auto& x : channel)
			x = noise (gen);
	Sample* inPtr[] = {in[0].data (), in[1].data ()};
	Sample* outPtr[] = {out[0].data (), out[1].data ()};

	AudioBusBuffers inBus, outBus;
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
	ProcessData data;
	data.processMode = kRealtime;
	data.symbolicSampleSize = sampleSize;
	data.numSamples = block;
	data.numInputs = data.numOutputs = 1;
	data.inputs = &inBus;
	data.outputs = &outBus;

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
		processor->process (data);
		benchmark::DoNotOptimize (out[0].data ());
		benchmark::ClobberMemory ();
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
	processor->setActive (false);
	processor->terminate ();
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
	benchmark::Initialize (&argc, argv);
	benchmark::RunSpecifiedBenchmarks ();
	benchmark::Shutdown ();
	return 0;
}
