// The recording component handler.
#include "componenthandler.h"

namespace LumivoTest {

using namespace Steinberg;

bool RecordingComponentHandler::Event::operator== (const Event& other) const
{
	return call == other.call && id == other.id && value == other.value && flags == other.flags;
}

tresult RecordingComponentHandler::record (Call call, Vst::ParamID id, Vst::ParamValue value, int32 flags)
{
	recorded.push_back ({call, id, value, flags});
	return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::beginEdit (Vst::ParamID id)
{
	return record (Call::beginEdit, id);
}

tresult PLUGIN_API RecordingComponentHandler::performEdit (Vst::ParamID id, Vst::ParamValue valueNormalized)
{
	return record (Call::performEdit, id, valueNormalized);
}

tresult PLUGIN_API RecordingComponentHandler::endEdit (Vst::ParamID id)
{
	return record (Call::endEdit, id);
}

tresult PLUGIN_API RecordingComponentHandler::restartComponent (int32 flags)
{
	return record (Call::restartComponent, 0, 0.0, flags);
}

tresult PLUGIN_API RecordingComponentHandler::setDirty (TBool state)
{
	return record (Call::setDirty, 0, 0.0, state);
}

tresult PLUGIN_API RecordingComponentHandler::requestOpenEditor (FIDString /*name*/)
{
	return record (Call::requestOpenEditor);
}

tresult PLUGIN_API RecordingComponentHandler::startGroupEdit ()
{
	return record (Call::startGroupEdit);
}

tresult PLUGIN_API RecordingComponentHandler::finishGroupEdit ()
{
	return record (Call::finishGroupEdit);
}

tresult PLUGIN_API RecordingComponentHandler::queryInterface (const TUID iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	if (FUnknownPrivate::iidEqual (iid, FUnknown::iid) ||
	    FUnknownPrivate::iidEqual (iid, Vst::IComponentHandler::iid))
	{
		addRef ();
		*obj = static_cast<Vst::IComponentHandler*> (this);
		return kResultOk;
	}
	if (FUnknownPrivate::iidEqual (iid, Vst::IComponentHandler2::iid))
	{
		addRef ();
		*obj = static_cast<Vst::IComponentHandler2*> (this);
		return kResultOk;
	}
	*obj = nullptr;
	return kNoInterface;
}

uint32 PLUGIN_API RecordingComponentHandler::addRef ()
{
	return static_cast<uint32> (++refCount);
}

uint32 PLUGIN_API RecordingComponentHandler::release ()
{
	if (--refCount == 0)
	{
		delete this;
		return 0;
	}
	return static_cast<uint32> (refCount);
}

} // namespace LumivoTest
