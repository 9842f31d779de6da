// The VST3 editor built from an editor description, and the delegate through
// which an edit controller takes part in building it.
#pragma once

#include "../uidescription/icontroller.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
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

namespace X11 {
class HostRunLoop;
class X11Frame;
}

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

class VST3Editor : public Steinberg::CPluginView,
                   public Steinberg::IPlugViewContentScaleSupport,
                   public IController
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

	// IPlugView. The one platform type is kPlatformTypeX11EmbedWindowID: the
	// parent is the host's xcb_window_t, and the IPlugFrame given to setFrame
	// must offer Linux::IRunLoop, which runs the window's events and every
	// timer while attached. A null parent opens the editor headless (tests).
	Steinberg::tresult PLUGIN_API isPlatformTypeSupported (Steinberg::FIDString type) override;
	Steinberg::tresult PLUGIN_API attached (void* parent, Steinberg::FIDString type) override;
	Steinberg::tresult PLUGIN_API removed () override;
	// Known before attached (read from the template), for hosts that size their window first.
	Steinberg::tresult PLUGIN_API getSize (Steinberg::ViewRect* size) override;
	// The size is fixed (the template's, times the content scale): other sizes are refused.
	Steinberg::tresult PLUGIN_API onSize (Steinberg::ViewRect* newSize) override;
	Steinberg::tresult PLUGIN_API canResize () override { return Steinberg::kResultFalse; }
	Steinberg::tresult PLUGIN_API checkSizeConstraint (Steinberg::ViewRect* rect) override;
	// keys from the host to the focus view; kResultTrue when it took the key
	Steinberg::tresult PLUGIN_API onKeyDown (Steinberg::char16 key, Steinberg::int16 keyCode,
	                                         Steinberg::int16 modifiers) override;
	Steinberg::tresult PLUGIN_API onKeyUp (Steinberg::char16 key, Steinberg::int16 keyCode,
	                                       Steinberg::int16 modifiers) override;

	// IPlugViewContentScaleSupport: a factor within the content scale range
	// scales window and drawing; one outside it is refused (kInvalidArgument).
	Steinberg::tresult PLUGIN_API setContentScaleFactor (ScaleFactor factor) override;
	// Covers every real display, and an 8x editor is still drawn in a blink;
	// a wilder factor would block the host for seconds in one redraw.
	static constexpr double kMinContentScale = 0.25;
	static constexpr double kMaxContentScale = 8.;

	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override;

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
	// the frame's size, from the template when no frame is built yet; false when unknown
	bool readBaseSize ();
	// the host's size of the editor: the frame's times the scale factor
	Steinberg::ViewRect scaledRect () const;
	// undoes attached(): window, host registrations, views
	void detach ();

	Steinberg::Vst::EditController* controller {nullptr};
	VST3EditorDelegate* delegate {nullptr};
	std::string templateName;
	std::string fileName;
	std::unique_ptr<UIDescription> description;
	CFrame* frame {nullptr};
	std::map<Steinberg::Vst::ParamID, ParameterChangeListener*> paramChangeListeners;
	std::unique_ptr<X11::HostRunLoop> hostLoop;
	std::unique_ptr<X11::X11Frame> window;
	double baseWidth {0.};
	double baseHeight {0.};
	double scaleFactor {1.};
	bool attachedFlag {false};
};

} // namespace VSTGUI
