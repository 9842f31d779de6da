// A small test host: parameter-change queues, process data with stereo
// 32/64-bit buffers (separate or in place, with silence flags), and stream
// helpers around the SDK's MemoryStream. Objects here are owned by the test
// that makes them; their reference counting does nothing.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "public.sdk/source/common/memorystream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace LumivoTest {

using Steinberg::int32;
using Steinberg::int64;
using Steinberg::uint8;
using Steinberg::uint32;
using Steinberg::uint64;
using Steinberg::tresult;
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;

// Points are kept in the order they were added.
class ParamQueue final : public Steinberg::Vst::IParamValueQueue
{
public:
	explicit ParamQueue (ParamID id) : id (id) {}

	ParamQueue& add (int32 sampleOffset, ParamValue value);

	ParamID PLUGIN_API getParameterId () override { return id; }
	int32 PLUGIN_API getPointCount () override { return static_cast<int32> (points.size ()); }
	tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, ParamValue& value) override;
	tresult PLUGIN_API addPoint (int32 sampleOffset, ParamValue value, int32& index) override;

	tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
	uint32 PLUGIN_API addRef () override { return 1; }
	uint32 PLUGIN_API release () override { return 1; }

private:
	ParamID id;
	std::vector<std::pair<int32, ParamValue>> points;
};

class ParamChanges final : public Steinberg::Vst::IParameterChanges
{
public:
	// A new queue at the end of the list, also for an ID already present.
	ParamQueue& add (ParamID id);
	// A null entry, which getParameterData hands out as a null queue.
	void addNull ();
	void clear () { queues.clear (); }

	int32 PLUGIN_API getParameterCount () override { return static_cast<int32> (queues.size ()); }
	Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData (int32 index) override;
	Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData (const ParamID& id,
	                                                               int32& index) override;

	tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
	uint32 PLUGIN_API addRef () override { return 1; }
	uint32 PLUGIN_API release () override { return 1; }

private:
	std::vector<std::unique_ptr<ParamQueue>> queues;
};

// A host context for initialize: it names itself and creates nothing.
class HostContext final : public Steinberg::Vst::IHostApplication
{
public:
	tresult PLUGIN_API getName (Steinberg::Vst::String128 name) override;
	tresult PLUGIN_API createInstance (Steinberg::TUID cid, Steinberg::TUID iid, void** obj) override;

	tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
	uint32 PLUGIN_API addRef () override { return 1; }
	uint32 PLUGIN_API release () override { return 1; }
};

enum class Buffers
{
	separate,
	inPlace,
};

// One block of audio for a single input and a single output bus. Values
// are read and written as doubles; in 32-bit blocks writing rounds to float.
class AudioBlock
{
public:
	AudioBlock (int32 symbolicSampleSize, int32 numSamples, Buffers buffers = Buffers::separate,
	            int32 numChannels = 2);

	int32 numSamples () const { return samples; }

	void setInput (int32 channel, int32 index, double value);
	void fillInput (double value);
	void fillInput (const std::function<double (int32 channel, int32 index)>& value);
	void fillOutput (double value);
	double input (int32 channel, int32 index) const;
	double output (int32 channel, int32 index) const;
	// The raw bytes of a channel buffer, for byte-exact comparisons.
	std::vector<uint8> inputBytes (int32 channel) const;
	std::vector<uint8> outputBytes (int32 channel) const;

	void setInputSilence (uint64 flags) { inBus.silenceFlags = flags; }
	void setOutputSilence (uint64 flags) { outBus.silenceFlags = flags; }
	uint64 outputSilence () const { return outBus.silenceFlags; }

	Steinberg::Vst::AudioBusBuffers& inputBus () { return inBus; }
	Steinberg::Vst::AudioBusBuffers& outputBus () { return outBus; }

	// The process data for this block, pointing at its buses; the changes
	// (possibly null) become its input parameter changes.
	Steinberg::Vst::ProcessData& data (Steinberg::Vst::IParameterChanges* changes = nullptr);

private:
	// The channel buffers of one bus in the block's sample size.
	template <typename Sample>
	struct Channels
	{
		std::vector<std::vector<Sample>> storage;
		std::vector<Sample*> pointers;
	};
	template <typename Sample>
	static void build (Channels<Sample>& in, Channels<Sample>& out, size_t count, size_t length,
	                   bool shared);

	double get (bool output, int32 channel, int32 index) const;
	void set (bool output, int32 channel, int32 index, double value);
	std::vector<uint8> bytesOf (bool output, int32 channel) const;

	int32 sampleSizeId;
	int32 samples;
	int32 channels;
	Channels<float> in32, out32;
	Channels<double> in64, out64;
	Steinberg::Vst::AudioBusBuffers inBus;
	Steinberg::Vst::AudioBusBuffers outBus;
	Steinberg::Vst::ProcessData processData;
};

Steinberg::Vst::ProcessSetup makeSetup (double sampleRate,
                                        int32 symbolicSampleSize = Steinberg::Vst::kSample32,
                                        int32 maxSamplesPerBlock = 4096);

// A readable stream holding the bytes, positioned at its start.
Steinberg::IPtr<Steinberg::MemoryStream> makeStream (const std::vector<uint8>& bytes);
// An empty stream for writing.
Steinberg::IPtr<Steinberg::MemoryStream> makeStream ();
// Everything the stream holds, whatever its position.
std::vector<uint8> streamBytes (Steinberg::MemoryStream& stream);

// The 44-byte component state record, built field by field independently
// of the processor's writer.
std::vector<uint8> stateRecord (double level, double depth, double degree, double rate,
                                int32 bypass, int64 reserved = 0);

// Little-endian decoding of single values.
int32 int32At (const std::vector<uint8>& bytes, size_t offset);
int64 int64At (const std::vector<uint8>& bytes, size_t offset);
double doubleAt (const std::vector<uint8>& bytes, size_t offset);

// A UTF-16 text of the SDK's as ASCII, for comparing with literals.
std::string narrow (const Steinberg::char16* text);

} // namespace LumivoTest
