// The plug-in's edit controller: the five parameters, their value texts,
// restoring them from the processor's state record, and the editor.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/plugin-bindings/vst3editor.h"

namespace Steinberg {
namespace Vst {

class PlugController final : public EditController, public VSTGUI::VST3EditorDelegate
{
public:
	PlugController () = default;
	~PlugController () override;

	// Ignores the context; the caller owns the one reference.
	static FUnknown* createInstance (void* context);

	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API setComponentState (IBStream* state) SMTG_OVERRIDE;
	IPlugView* PLUGIN_API createView (FIDString name) SMTG_OVERRIDE;

	// Guards in front of the SDK's versions, which throw on an index out of
	// range, crash on null texts and keep a NaN as the value.
	tresult PLUGIN_API getParameterInfo (int32 paramIndex, ParameterInfo& info) SMTG_OVERRIDE;
	tresult PLUGIN_API getParamStringByValue (ParamID tag, ParamValue valueNormalized,
	                                          String128 string) SMTG_OVERRIDE;
	tresult PLUGIN_API getParamValueByString (ParamID tag, TChar* string,
	                                          ParamValue& valueNormalized) SMTG_OVERRIDE;
	tresult PLUGIN_API setParamNormalized (ParamID tag, ParamValue value) SMTG_OVERRIDE;

	OBJ_METHODS (PlugController, EditController)
};

} // namespace Vst
} // namespace Steinberg
