// The VST3 editor built from an editor description, and the delegate through
// which an edit controller takes part in building it.
#pragma once

#include "../uidescription/icontroller.h"
#include "public.sdk/source/common/pluginview.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <map>
#include <memory>
#include <string>

namespace VSTGUI {

class CControl;
class CFrame;
class COptionMenu;
class CView;
class IUIDescription;
class UIAttributes;
class UIDescription;
class VST3Editor;
struct CPoint;
using UTF8StringPtr = const char*;

class VST3EditorDelegate
{
public:
	virtual ~VST3EditorDelegate () noexcept = default;

	virtual CView* createCustomView (UTF8StringPtr /*name*/, const UIAttributes& /*attributes*/,
	                                 const IUIDescription* /*description*/, VST3Editor* /*editor*/)
	{
		return nullptr;
	}
	virtual CView* verifyView (CView* view, const UIAttributes& /*attributes*/,
	                           const IUIDescription* /*description*/, VST3Editor* /*editor*/)
	{
		return view;
	}
	virtual bool findParameter (const CPoint& /*pos*/, Steinberg::Vst::ParamID& /*paramID*/,
	                            VST3Editor* /*editor*/)
	{
		return false;
	}
	virtual bool isPrivateParameter (const Steinberg::Vst::ParamID /*paramID*/, VST3Editor* /*editor*/)
	{
		return false;
	}
	virtual void didOpen (VST3Editor* /*editor*/) {}
	virtual void willClose (VST3Editor* /*editor*/) {}
	// The editor owns what it gets and deletes it with the view that carries it.
	virtual IController* createSubController (UTF8StringPtr /*name*/, const IUIDescription* /*description*/,
	                                          VST3Editor* /*editor*/)
	{
		return nullptr;
	}
	virtual COptionMenu* createContextMenu (const CPoint& /*pos*/, VST3Editor* /*editor*/) { return nullptr; }
};

class ParameterChangeListener;

class VST3Editor : public Steinberg::CPluginView, public IController
{
public:
	// Holds a reference to `controller` until destroyed. `xmlFile` is a file
	// name in the bundle's resource directory (or an absolute path).
	VST3Editor (Steinberg::Vst::EditController* controller, UTF8StringPtr templateName, UTF8StringPtr xmlFile);
	~VST3Editor () noexcept override;

	// Builds the template into a frame without a window; false (and no
	// frame) when the description or the template cannot be used.
	bool open ();
	// Removes the views (sub-controllers first; open edits end at the host),
	// then the parameter bindings.
	void close ();
	bool isOpen () const { return frame != nullptr; }

	CFrame* getFrame () const { return frame; }
	Steinberg::Vst::EditController* getController () const { return controller; }
	const UIDescription* getUIDescription () const { return description.get (); }
	UTF8StringPtr getTemplateName () const { return templateName.c_str (); }
	// The control bound to a parameter, or nullptr (the first when several).
	CControl* findControlForParameter (Steinberg::Vst::ParamID id) const;

	// Where descriptions and images are looked up: the override when set,
	// else the module's bundle "Contents/Resources" found from the module's
	// own path. An empty text clears the override.
	static void setResourceDirectoryOverride (const std::string& directory);
	static std::string getResourceDirectory ();

	// IPlugView: there is no window system here, so no platform type is
	// supported. attached with a null parent opens the editor headless.
	Steinberg::tresult PLUGIN_API isPlatformTypeSupported (Steinberg::FIDString type) override;
	Steinberg::tresult PLUGIN_API attached (void* parent, Steinberg::FIDString type) override;
	Steinberg::tresult PLUGIN_API removed () override;
	Steinberg::tresult PLUGIN_API onSize (Steinberg::ViewRect* newSize) override;

	// IController / IControlListener: control edits become parameter edits.
	void valueChanged (CControl* control) override;
	void controlBeginEdit (CControl* control) override;
	void controlEndEdit (CControl* control) override;
	CView* createView (const UIAttributes& attributes, const IUIDescription* description) override;
	CView* verifyView (CView* view, const UIAttributes& attributes, const IUIDescription* description) override;
	IController* createSubController (UTF8StringPtr name, const IUIDescription* description) override;

	OBJ_METHODS (VST3Editor, CPluginView)
	REFCOUNT_METHODS (CPluginView)

private:
	void bindControls (CView* view);
	ParameterChangeListener* getParameterChangeListener (Steinberg::Vst::ParamID id) const;

	Steinberg::Vst::EditController* controller {nullptr};
	VST3EditorDelegate* delegate {nullptr};
	std::string templateName;
	std::string fileName;
	std::unique_ptr<UIDescription> description;
	CFrame* frame {nullptr};
	std::map<Steinberg::Vst::ParamID, ParameterChangeListener*> paramChangeListeners;
};

} // namespace VSTGUI
