// Cost of PlugProcessor::process per stereo frame, 32- and 64-bit, against a
// reference loop of two double cosines per frame over the same phases. The
// kernel's own cost is the two cosines; everything else should stay small
// beside them. Each case runs a fixed number of frames from a fresh
// oscillator so that kernel and reference see the same range of phases.
// Prints ns per frame and the ratio to the reference of the same block size;
// on a busy machine run it with --benchmark_repetitions=5 and the medians
// are compared.
#include "processor/plugids.h"
#include "processor/plugprocessor.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
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

void referenceTwoCosines (benchmark::State& state)
{
	const auto block = static_cast<int32> (state.range (0));
	const double increment = defaultIncrement ();
	int32 counter = 0;
	double sum = 0.0;
	for (auto _ : state)
	{
		for (int32 j = 0; j < block; ++j, ++counter)
		{
			const double theta = static_cast<double> (counter) * increment;
			sum += std::cos (theta) + std::cos (theta + kDefaultOffset);
		}
		benchmark::DoNotOptimize (sum);
	}
	state.counters["frames"] = block;
}

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

	for (auto _ : state)
	{
		processor->process (data);
		benchmark::DoNotOptimize (out[0].data ());
		benchmark::ClobberMemory ();
	}
	processor->setActive (false);
	processor->terminate ();
	state.counters["frames"] = block;
}

// Adds ns per frame to every row, and to the process rows the ratio to the
// reference row of the same block size, which runs just before them.
class RatioReporter final : public benchmark::ConsoleReporter
{
public:
	void ReportRuns (const std::vector<Run>& runs) override
	{
		std::vector<Run> rows = runs;
		for (auto& run : rows)
		{
			const auto frames = run.counters.find ("frames");
			// Single runs, or the medians of repeated ones.
			if (run.error_occurred || frames == run.counters.end () || frames->second.value <= 0 ||
			    !(run.aggregate_name.empty () || run.aggregate_name == "median"))
				continue;
			const double nsPerFrame = run.GetAdjustedCPUTime () / frames->second.value;
			const std::string key = run.run_name.args + "/" + run.aggregate_name;
			run.counters["ns_per_frame"] = nsPerFrame;
			if (run.run_name.function_name == "reference_two_cos")
			{
				reference[key] = nsPerFrame;
			}
			else if (reference.count (key))
			{
				run.counters["ratio"] = nsPerFrame / reference[key];
				summary.push_back ({run.benchmark_name (), nsPerFrame, reference[key]});
			}
		}
		ConsoleReporter::ReportRuns (rows);
	}

	void printSummary () const
	{
		std::printf ("\n%-32s %12s %14s %8s\n", "case", "ns/frame", "reference ns", "ratio");
		for (const auto& row : summary)
			std::printf ("%-32s %12.2f %14.2f %8.3f\n", row.name.c_str (), row.nsPerFrame,
			             row.referenceNs, row.nsPerFrame / row.referenceNs);
	}

private:
	struct Row
	{
		std::string name;
		double nsPerFrame;
		double referenceNs;
	};
	std::map<std::string, double> reference;
	std::vector<Row> summary;
};

} // namespace

int main (int argc, char** argv)
{
	for (int block : kBlockSizes)
	{
		const auto iterations = kFramesPerCase / block;
		benchmark::RegisterBenchmark ("reference_two_cos", referenceTwoCosines)
		    ->Arg (block)
		    ->Iterations (iterations)
		    ->Unit (benchmark::kNanosecond);
		benchmark::RegisterBenchmark ("process_32bit", processBlock<float>)
		    ->Arg (block)
		    ->Iterations (iterations)
		    ->Unit (benchmark::kNanosecond);
		benchmark::RegisterBenchmark ("process_64bit", processBlock<double>)
		    ->Arg (block)
		    ->Iterations (iterations)
		    ->Unit (benchmark::kNanosecond);
	}
	benchmark::Initialize (&argc, argv);
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks (&reporter);
	reporter.printSummary ();
	benchmark::Shutdown ();
	return 0;
}
