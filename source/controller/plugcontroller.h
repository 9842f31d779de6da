// The plug-in's edit controller: the five parameters, their value texts,
// restoring them from the processor's state record, and the editor.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <vector>

namespace Steinberg {
namespace Vst {

// controller/plugaboutcontroller.h; only declared here, so that users of the
// controller do not pull in the GUI library's view headers.
template <typename Owner>
class PlugAboutController;

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

	// VST3EditorDelegate: an about sub-controller for "AboutController", the
	// AU format when the host context is the AU wrapper; nullptr otherwise.
	VSTGUI::IController* createSubController (VSTGUI::UTF8StringPtr name,
	                                          const VSTGUI::IUIDescription* description,
	                                          VSTGUI::VST3Editor* editor) override;

	// The live about sub-controllers, in creation order. The GUI library owns
	// them; each leaves the list from its destructor.
	using AboutController = PlugAboutController<PlugController>;
	void addAboutController (AboutController* controller);
	void removeAboutController (AboutController* controller);
	const std::vector<AboutController*>& getAboutControllers () const { return aboutControllers; }

	OBJ_METHODS (PlugController, EditController)

private:
	std::vector<AboutController*> aboutControllers;
};

} // namespace Vst
} // namespace Steinberg
