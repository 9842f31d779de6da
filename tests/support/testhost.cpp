// The test host's queues, audio blocks and stream helpers.
#include "testhost.h"

#include "pluginterfaces/base/ustring.h"

#include <cstring>
#include <initializer_list>

namespace LumivoTest {

using namespace Steinberg;
using namespace Steinberg::Vst;

ParamQueue& ParamQueue::add (int32 sampleOffset, ParamValue value)
{
	points.emplace_back (sampleOffset, value);
	return *this;
}

tresult PLUGIN_API ParamQueue::getPoint (int32 index, int32& sampleOffset, ParamValue& value)
{
	if (index < 0 || index >= static_cast<int32> (points.size ()))
		return kResultFalse;
	sampleOffset = points[static_cast<size_t> (index)].first;
	value = points[static_cast<size_t> (index)].second;
	return kResultOk;
}

tresult PLUGIN_API ParamQueue::addPoint (int32 sampleOffset, ParamValue value, int32& index)
{
	index = static_cast<int32> (points.size ());
	add (sampleOffset, value);
	return kResultOk;
}

tresult PLUGIN_API ParamQueue::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IParamValueQueue)
	QUERY_INTERFACE (iid, obj, IParamValueQueue::iid, IParamValueQueue)
	*obj = nullptr;
	return kNoInterface;
}

ParamQueue& ParamChanges::add (ParamID id)
{
	queues.push_back (std::make_unique<ParamQueue> (id));
	return *queues.back ();
}

void ParamChanges::addNull ()
{
	queues.push_back (nullptr);
}

IParamValueQueue* PLUGIN_API ParamChanges::getParameterData (int32 index)
{
	if (index < 0 || index >= static_cast<int32> (queues.size ()))
		return nullptr;
	return queues[static_cast<size_t> (index)].get ();
}

IParamValueQueue* PLUGIN_API ParamChanges::addParameterData (const ParamID& id, int32& index)
{
	for (size_t i = 0; i < queues.size (); ++i)
	{
		if (queues[i] && queues[i]->getParameterId () == id)
		{
			index = static_cast<int32> (i);
			return queues[i].get ();
		}
	}
	index = static_cast<int32> (queues.size ());
	return &add (id);
}

tresult PLUGIN_API ParamChanges::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IParameterChanges)
	QUERY_INTERFACE (iid, obj, IParameterChanges::iid, IParameterChanges)
	*obj = nullptr;
	return kNoInterface;
}

tresult PLUGIN_API HostContext::getName (String128 name)
{
	UString (name, 128).assign (USTRING ("Lumivo test host"));
	return kResultOk;
}

tresult PLUGIN_API HostContext::createInstance (TUID, TUID, void** obj)
{
	if (obj)
		*obj = nullptr;
	return kNotImplemented;
}

tresult PLUGIN_API HostContext::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, FUnknown::iid, IHostApplication)
	QUERY_INTERFACE (iid, obj, IHostApplication::iid, IHostApplication)
	*obj = nullptr;
	return kNoInterface;
}

template <typename Sample>
void AudioBlock::build (Channels<Sample>& in, Channels<Sample>& out, size_t count, size_t length,
                        bool shared)
{
	in.storage.assign (count, std::vector<Sample> (length, Sample (0)));
	out.storage.assign (shared ? 0 : count, std::vector<Sample> (length, Sample (0)));
	for (size_t c = 0; c < count; ++c)
	{
		in.pointers.push_back (in.storage[c].data ());
		out.pointers.push_back (shared ? in.storage[c].data () : out.storage[c].data ());
	}
}

AudioBlock::AudioBlock (int32 symbolicSampleSize, int32 numSamples, Buffers buffers,
                        int32 numChannels)
: sampleSizeId (symbolicSampleSize)
, samples (numSamples)
, channels (numChannels)
{
	const auto count = static_cast<size_t> (numChannels);
	const auto length = static_cast<size_t> (numSamples > 0 ? numSamples : 0);
	const bool shared = buffers == Buffers::inPlace;
	if (symbolicSampleSize == kSample64)
	{
		build (in64, out64, count, length, shared);
		inBus.channelBuffers64 = in64.pointers.data ();
		outBus.channelBuffers64 = out64.pointers.data ();
	}
	else
	{
		build (in32, out32, count, length, shared);
		inBus.channelBuffers32 = in32.pointers.data ();
		outBus.channelBuffers32 = out32.pointers.data ();
	}
	inBus.numChannels = numChannels;
	outBus.numChannels = numChannels;
}

double AudioBlock::get (bool output, int32 channel, int32 index) const
{
	const auto c = static_cast<size_t> (channel);
	if (sampleSizeId == kSample64)
		return (output ? out64 : in64).pointers.at (c)[index];
	return (output ? out32 : in32).pointers.at (c)[index];
}

void AudioBlock::set (bool output, int32 channel, int32 index, double value)
{
	const auto c = static_cast<size_t> (channel);
	if (sampleSizeId == kSample64)
		(output ? out64 : in64).pointers.at (c)[index] = value;
	else
		(output ? out32 : in32).pointers.at (c)[index] = static_cast<float> (value);
}

void AudioBlock::setInput (int32 channel, int32 index, double value)
{
	set (false, channel, index, value);
}

void AudioBlock::fillInput (double value)
{
	fillInput ([value] (int32, int32) { return value; });
}

void AudioBlock::fillInput (const std::function<double (int32, int32)>& value)
{
	for (int32 c = 0; c < channels; ++c)
		for (int32 j = 0; j < samples; ++j)
			set (false, c, j, value (c, j));
}

void AudioBlock::fillOutput (double value)
{
	for (int32 c = 0; c < channels; ++c)
		for (int32 j = 0; j < samples; ++j)
			set (true, c, j, value);
}

double AudioBlock::input (int32 channel, int32 index) const { return get (false, channel, index); }
double AudioBlock::output (int32 channel, int32 index) const { return get (true, channel, index); }

std::vector<uint8> AudioBlock::bytesOf (bool output, int32 channel) const
{
	const auto c = static_cast<size_t> (channel);
	const void* buffer = sampleSizeId == kSample64
	                         ? static_cast<const void*> ((output ? out64 : in64).pointers.at (c))
	                         : static_cast<const void*> ((output ? out32 : in32).pointers.at (c));
	const size_t width = sampleSizeId == kSample64 ? sizeof (double) : sizeof (float);
	const auto* first = static_cast<const uint8*> (buffer);
	return std::vector<uint8> (first, first + width * static_cast<size_t> (samples));
}

std::vector<uint8> AudioBlock::inputBytes (int32 channel) const { return bytesOf (false, channel); }
std::vector<uint8> AudioBlock::outputBytes (int32 channel) const { return bytesOf (true, channel); }

ProcessData& AudioBlock::data (IParameterChanges* changes)
{
	processData.processMode = kRealtime;
	processData.symbolicSampleSize = sampleSizeId;
	processData.numSamples = samples;
	processData.numInputs = 1;
	processData.numOutputs = 1;
	processData.inputs = &inBus;
	processData.outputs = &outBus;
	processData.inputParameterChanges = changes;
	return processData;
}

ProcessSetup makeSetup (double sampleRate, int32 symbolicSampleSize, int32 maxSamplesPerBlock)
{
	ProcessSetup setup {};
	setup.processMode = kRealtime;
	setup.symbolicSampleSize = symbolicSampleSize;
	setup.maxSamplesPerBlock = maxSamplesPerBlock;
	setup.sampleRate = sampleRate;
	return setup;
}

IPtr<MemoryStream> makeStream (const std::vector<uint8>& bytes)
{
	IPtr<MemoryStream> stream = makeStream ();
	if (!bytes.empty ())
	{
		int32 written = 0;
		stream->write (const_cast<uint8*> (bytes.data ()), static_cast<int32> (bytes.size ()),
		               &written);
	}
	stream->seek (0, IBStream::kIBSeekSet, nullptr);
	return stream;
}

IPtr<MemoryStream> makeStream ()
{
	return owned (new MemoryStream ());
}

std::vector<uint8> streamBytes (MemoryStream& stream)
{
	const auto* first = reinterpret_cast<const uint8*> (stream.getData ());
	if (!first)
		return {};
	return std::vector<uint8> (first, first + stream.getSize ());
}

// The tests run on little-endian machines only (x86-64), like the plug-in.
template <typename T>
static void appendValue (std::vector<uint8>& bytes, T value)
{
	uint8 raw[sizeof (T)];
	std::memcpy (raw, &value, sizeof (T));
	bytes.insert (bytes.end (), raw, raw + sizeof (T));
}

template <typename T>
static T valueAt (const std::vector<uint8>& bytes, size_t offset)
{
	T value {};
	if (offset + sizeof (T) <= bytes.size ())
		std::memcpy (&value, bytes.data () + offset, sizeof (T));
	return value;
}

std::vector<uint8> stateRecord (double level, double depth, double degree, double rate,
                                int32 bypass, int64 reserved)
{
	std::vector<uint8> bytes;
	appendValue (bytes, reserved);
	for (double value : {level, depth, degree, rate})
		appendValue (bytes, value);
	appendValue (bytes, bypass);
	return bytes;
}

int32 int32At (const std::vector<uint8>& bytes, size_t offset) { return valueAt<int32> (bytes, offset); }
int64 int64At (const std::vector<uint8>& bytes, size_t offset) { return valueAt<int64> (bytes, offset); }
double doubleAt (const std::vector<uint8>& bytes, size_t offset) { return valueAt<double> (bytes, offset); }

std::string narrow (const Steinberg::char16* text)
{
	std::string out;
	for (; *text; ++text)
		out += static_cast<char> (*text);
	return out;
}

} // namespace LumivoTest
