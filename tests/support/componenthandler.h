// A component handler that records every call a controller makes to it, in
// order, for checking the edits an editor or controller passes to a host.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <vector>

namespace LumivoTest {

class RecordingComponentHandler final : public Steinberg::Vst::IComponentHandler,
                                        public Steinberg::Vst::IComponentHandler2
{
public:
	enum class Call
	{
		beginEdit,
		performEdit,
		endEdit,
		restartComponent,
		setDirty,
		requestOpenEditor,
		startGroupEdit,
		finishGroupEdit,
	};

	struct Event
	{
		Call call;
		Steinberg::Vst::ParamID id;   // edits only
		Steinberg::Vst::ParamValue value; // performEdit only
		Steinberg::int32 flags;       // restartComponent flags, setDirty state
		bool operator== (const Event& other) const;
	};

	// Created with a reference count of 1, like every SDK object.
	RecordingComponentHandler () = default;

	const std::vector<Event>& events () const { return recorded; }
	void clear () { recorded.clear (); }
	Steinberg::uint32 referenceCount () const { return static_cast<Steinberg::uint32> (refCount); }

	Steinberg::tresult PLUGIN_API beginEdit (Steinberg::Vst::ParamID id) override;
	Steinberg::tresult PLUGIN_API performEdit (Steinberg::Vst::ParamID id,
	                                           Steinberg::Vst::ParamValue valueNormalized) override;
	Steinberg::tresult PLUGIN_API endEdit (Steinberg::Vst::ParamID id) override;
	Steinberg::tresult PLUGIN_API restartComponent (Steinberg::int32 flags) override;

	Steinberg::tresult PLUGIN_API setDirty (Steinberg::TBool state) override;
	Steinberg::tresult PLUGIN_API requestOpenEditor (Steinberg::FIDString name) override;
	Steinberg::tresult PLUGIN_API startGroupEdit () override;
	Steinberg::tresult PLUGIN_API finishGroupEdit () override;

	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;
	Steinberg::uint32 PLUGIN_API addRef () override;
	Steinberg::uint32 PLUGIN_API release () override;

private:
	~RecordingComponentHandler () = default;

	Steinberg::tresult record (Call call, Steinberg::Vst::ParamID id = 0,
	                           Steinberg::Vst::ParamValue value = 0.0, Steinberg::int32 flags = 0);

	std::vector<Event> recorded;
	Steinberg::int32 refCount = 1;
};

} // namespace LumivoTest
