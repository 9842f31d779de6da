// The VST3 editor: builds the description's template into a frame without
// a window and binds its controls to the edit controller's parameters.
#include "vst3editor.h"

#include "../lib/cframe.h"
#include "../lib/controls/ccontrol.h"
#include "../uidescription/uidescription.h"

#include "base/source/updatehandler.h"
#include "public.sdk/source/vst/vstparameters.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace VSTGUI {

using namespace Steinberg;

//------------------------------------------------------------------------
// Follows one parameter for the controls bound to it. The parameter tells
// its dependents of every change through the SDK's update handler.
class ParameterChangeListener final : public FObject
{
public:
	explicit ParameterChangeListener (Vst::Parameter* p) : parameter (p)
	{
		parameter->addRef ();
		parameter->addDependent (this);
	}
	~ParameterChangeListener () noexcept override
	{
		parameter->removeDependent (this);
		for (auto* control : controls)
			control->forget ();
		parameter->release ();
	}

	void addControl (CControl* control)
	{
		if (std::find (controls.begin (), controls.end (), control) != controls.end ())
			return;
		control->remember ();
		controls.push_back (control);
		updateControl (control);
	}
	Vst::ParamID getID () const { return parameter->getInfo ().id; }
	CControl* firstControl () const { return controls.empty () ? nullptr : controls.front (); }

	void PLUGIN_API update (FUnknown*, int32 message) override
	{
		if (message != IDependent::kChanged)
			return;
		for (auto* control : controls)
			updateControl (control);
	}

	OBJ_METHODS (ParameterChangeListener, FObject)

private:
	void updateControl (CControl* control)
	{
		const double value = parameter->getNormalized ();
		control->setValueNormalized (std::isnan (value) ? 0.f : static_cast<float> (value));
		control->invalid ();
	}

	Vst::Parameter* parameter;
	std::vector<CControl*> controls;
};

//------------------------------------------------------------------------
namespace {

std::string& resourceDirectoryOverride ()
{
	static std::string directory;
	return directory;
}

// The bundle's Resources folder next to the folder that holds this module:
//   <name>.vst3/Contents/x86_64-linux/<name>.so -> <name>.vst3/Contents/Resources
std::string moduleResourceDirectory ()
{
	Dl_info info {};
	if (dladdr (reinterpret_cast<void*> (&moduleResourceDirectory), &info) == 0 || !info.dli_fname)
		return {};
	std::string path (info.dli_fname);
	const auto slash = path.find_last_of ('/');
	if (slash == std::string::npos)
		return "../Resources";
	return path.substr (0, slash) + "/../Resources";
}

} // namespace

void VST3Editor::setResourceDirectoryOverride (const std::string& directory)
{
	resourceDirectoryOverride () = directory;
}

std::string VST3Editor::getResourceDirectory ()
{
	if (!resourceDirectoryOverride ().empty ())
		return resourceDirectoryOverride ();
	return moduleResourceDirectory ();
}

//------------------------------------------------------------------------
VST3Editor::VST3Editor (Vst::EditController* c, UTF8StringPtr templateName, UTF8StringPtr xmlFile)
: controller (c)
, templateName (templateName ? templateName : "")
, fileName (xmlFile ? xmlFile : "")
{
	if (controller)
	{
		controller->addRef ();
		delegate = dynamic_cast<VST3EditorDelegate*> (controller);
	}
	// Parameters notify their dependents only through an update handler.
	UpdateHandler::instance ();
}

VST3Editor::~VST3Editor () noexcept
{
	close ();
	if (controller)
		controller->release ();
}

bool VST3Editor::open ()
{
	if (frame)
		return true;
	if (!controller || templateName.empty () || fileName.empty ())
		return false;
	const std::string path = fileName[0] == '/' ? fileName : getResourceDirectory () + "/" + fileName;
	description = std::make_unique<UIDescription> (path);
	if (!description->parse ())
	{
		description.reset ();
		return false;
	}
	CView* view = description->createView (templateName.c_str (), this);
	if (!view)
	{
		for (auto& entry : paramChangeListeners)
			entry.second->release ();
		paramChangeListeners.clear ();
		description.reset ();
		return false;
	}
	CRect size = view->getViewSize ();
	size.moveTo (0., 0.);
	frame = new CFrame (size);
	if (!frame->addView (view))
	{
		UIDescription::deleteSubControllers (view);
		view->forget ();
		close ();
		return false;
	}
	// Coordinates are bounded by the view creators, so they fit the host's ints.
	rect = ViewRect (0, 0, static_cast<int32> (size.getWidth ()), static_cast<int32> (size.getHeight ()));
	if (delegate)
		delegate->didOpen (this);
	return true;
}

void VST3Editor::close ()
{
	if (frame && delegate)
		delegate->willClose (this);
	if (frame)
	{
		// Sub-controllers go first, while every view they may hold still exists.
		UIDescription::deleteSubControllers (frame);
		// The views leave while their parameters are still bound: a control
		// that ends an open edit on leaving reaches the host with its end.
		frame->removeAll ();
		frame->forget ();
		frame = nullptr;
	}
	for (auto& entry : paramChangeListeners)
		entry.second->release ();
	paramChangeListeners.clear ();
	description.reset ();
}

CControl* VST3Editor::findControlForParameter (Vst::ParamID id) const
{
	auto* listener = getParameterChangeListener (id);
	return listener ? listener->firstControl () : nullptr;
}

ParameterChangeListener* VST3Editor::getParameterChangeListener (Vst::ParamID id) const
{
	const auto it = paramChangeListeners.find (id);
	return it == paramChangeListeners.end () ? nullptr : it->second;
}

//------------------------------------------------------------------------
tresult PLUGIN_API VST3Editor::isPlatformTypeSupported (FIDString)
{
	return kResultFalse;
}

tresult PLUGIN_API VST3Editor::attached (void* parent, FIDString type)
{
	if (parent)
		return kResultFalse;
	if (!open ())
		return kResultFalse;
	return CPluginView::attached (parent, type);
}

tresult PLUGIN_API VST3Editor::removed ()
{
	close ();
	return CPluginView::removed ();
}

tresult PLUGIN_API VST3Editor::onSize (ViewRect* newSize)
{
	if (!newSize)
		return kInvalidArgument;
	return CPluginView::onSize (newSize);
}

//------------------------------------------------------------------------
void VST3Editor::valueChanged (CControl* control)
{
	if (!control || !controller)
		return;
	auto* listener = getParameterChangeListener (static_cast<Vst::ParamID> (control->getTag ()));
	if (!listener || listener->firstControl () == nullptr)
		return;
	const Vst::ParamID id = listener->getID ();
	// An edit outside a gesture (a key or a wheel step) gets its own bracket.
	const bool bracket = !control->isEditing ();
	if (bracket)
		controller->beginEdit (id);
	if (controller->setParamNormalized (id, control->getValueNormalized ()) == kResultOk)
		controller->performEdit (id, controller->getParamNormalized (id));
	if (bracket)
		controller->endEdit (id);
}

void VST3Editor::controlBeginEdit (CControl* control)
{
	if (!control || !controller)
		return;
	if (auto* listener = getParameterChangeListener (static_cast<Vst::ParamID> (control->getTag ())))
		controller->beginEdit (listener->getID ());
}

void VST3Editor::controlEndEdit (CControl* control)
{
	if (!control || !controller)
		return;
	if (auto* listener = getParameterChangeListener (static_cast<Vst::ParamID> (control->getTag ())))
		controller->endEdit (listener->getID ());
}

CView* VST3Editor::createView (const UIAttributes& attributes, const IUIDescription* desc)
{
	if (!delegate)
		return nullptr;
	auto name = attributes.getAttributeValue ("custom-view-name");
	return name ? delegate->createCustomView (name->c_str (), attributes, desc, this) : nullptr;
}

CView* VST3Editor::verifyView (CView* view, const UIAttributes& attributes, const IUIDescription* desc)
{
	auto* control = dynamic_cast<CControl*> (view);
	if (control && controller && control->getListener () == this && control->getTag () >= 0)
	{
		const auto id = static_cast<Vst::ParamID> (control->getTag ());
		auto* parameter = controller->getParameterObject (id);
		if (parameter && !(delegate && delegate->isPrivateParameter (id, this)))
		{
			auto*& listener = paramChangeListeners[id];
			if (!listener)
				listener = new ParameterChangeListener (parameter);
			listener->addControl (control);
		}
	}
	if (delegate)
		return delegate->verifyView (view, attributes, desc, this);
	return view;
}

IController* VST3Editor::createSubController (UTF8StringPtr name, const IUIDescription* desc)
{
	return delegate ? delegate->createSubController (name, desc, this) : nullptr;
}

} // namespace VSTGUI
