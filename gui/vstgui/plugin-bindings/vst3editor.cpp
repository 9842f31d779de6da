// The VST3 editor: builds the description's template into a frame, binds its
// controls to the edit controller's parameters, and shows the frame in an X11
// window inside the host's, run on the host's loop.
#include "vst3editor.h"

#include "../lib/cframe.h"
#include "../lib/controls/ccontrol.h"
#include "../lib/crunloop.h"
#include "../lib/platform/linux/x11frame.h"
#include "../lib/platform/linux/x11runloop.h"
#include "../uidescription/uidescription.h"

#include "base/source/updatehandler.h"
#include "public.sdk/source/vst/vstparameters.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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
	detach ();
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
	baseWidth = size.getWidth ();
	baseHeight = size.getHeight ();
	rect = scaledRect ();
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
bool VST3Editor::readBaseSize ()
{
	if (baseWidth > 0. && baseHeight > 0.)
		return true;
	// Hosts ask for the size before attaching: the template tells it without building views.
	if (templateName.empty () || fileName.empty ())
		return false;
	UIDescription desc (fileName[0] == '/' ? fileName : getResourceDirectory () + "/" + fileName);
	const UIDescription::Node* node = desc.parse () ? desc.getTemplate (templateName.c_str ()) : nullptr;
	CPoint size;
	if (!node || !node->attributes.getPointAttribute ("size", size) || !(size.x > 0.) || !(size.y > 0.))
		return false;
	baseWidth = size.x;
	baseHeight = size.y;
	return true;
}

ViewRect VST3Editor::scaledRect () const
{
	// the window's own size, so that host and window agree
	return ViewRect (0, 0, X11::X11Frame::toPixels (baseWidth, scaleFactor),
	                 X11::X11Frame::toPixels (baseHeight, scaleFactor));
}

tresult PLUGIN_API VST3Editor::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, IPlugViewContentScaleSupport::iid, IPlugViewContentScaleSupport)
	return CPluginView::queryInterface (iid, obj);
}

tresult PLUGIN_API VST3Editor::isPlatformTypeSupported (FIDString type)
{
	if (!type)
		return kInvalidArgument;
	return std::strcmp (type, kPlatformTypeX11EmbedWindowID) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3Editor::attached (void* parent, FIDString type)
{
	// No parent: the editor opens headless, for tests without a window system.
	if (!parent)
	{
		if (window)
			return kResultFalse;
		if (!open ())
			return kResultFalse;
		attachedFlag = true;
		return CPluginView::attached (parent, type);
	}
	if (!type)
		return kInvalidArgument;
	if (std::strcmp (type, kPlatformTypeX11EmbedWindowID) != 0 || attachedFlag)
		return kResultFalse;
	FUnknownPtr<Linux::IRunLoop> runLoop (plugFrame);
	if (!runLoop)
		return kResultFalse;
	// the host's loop first, so that timers the views start while opening run there
	hostLoop = std::make_unique<X11::HostRunLoop> (runLoop);
	RunLoop::instance ().addTimerLoop (hostLoop.get ());
	const bool wasOpen = isOpen ();
	if (open ())
	{
		// the host's window id travels in the pointer's bits
		const auto parentWindow = static_cast<xcb_window_t> (reinterpret_cast<uintptr_t> (parent));
		window = X11::X11Frame::create (frame, parentWindow, *hostLoop, scaleFactor);
	}
	if (!window)
	{
		if (!wasOpen)
			close ();
		RunLoop::instance ().removeTimerLoop (hostLoop.get ());
		hostLoop.reset ();
		return kResultFalse;
	}
	attachedFlag = true;
	return CPluginView::attached (parent, type);
}

void VST3Editor::detach ()
{
	// the window first: it ends a drag in progress while the views still exist
	window.reset ();
	close ();
	if (hostLoop)
	{
		// Timers that outlive the views leave the host: the next editor's loop or advance()
		RunLoop::instance ().removeTimerLoop (hostLoop.get ());
		hostLoop.reset ();
	}
	attachedFlag = false;
}

tresult PLUGIN_API VST3Editor::removed ()
{
	if (!attachedFlag)
		return kResultFalse;
	detach ();
	return CPluginView::removed ();
}

tresult PLUGIN_API VST3Editor::getSize (ViewRect* size)
{
	if (!size)
		return kInvalidArgument;
	if (!isOpen () && readBaseSize ())
		rect = scaledRect ();
	*size = rect;
	return kResultTrue;
}

tresult PLUGIN_API VST3Editor::onSize (ViewRect* newSize)
{
	if (!newSize)
		return kInvalidArgument;
	if (!readBaseSize ())
		return CPluginView::onSize (newSize);
	// A fixed size: the host may move the editor, not resize it.
	const ViewRect own = scaledRect ();
	if (newSize->getWidth () != own.getWidth () || newSize->getHeight () != own.getHeight ())
		return kResultFalse;
	rect = *newSize;
	return kResultTrue;
}

tresult PLUGIN_API VST3Editor::checkSizeConstraint (ViewRect* constraint)
{
	if (!constraint)
		return kInvalidArgument;
	if (!readBaseSize ())
		return kResultFalse;
	const ViewRect own = scaledRect ();
	constraint->right = constraint->left + own.getWidth ();
	constraint->bottom = constraint->top + own.getHeight ();
	return kResultTrue;
}

tresult PLUGIN_API VST3Editor::setContentScaleFactor (ScaleFactor factor)
{
	if (!(factor >= kMinContentScale && factor <= kMaxContentScale))
		return kInvalidArgument;
	if (readBaseSize () && X11::X11Frame::toPixels (std::max (baseWidth, baseHeight), factor) > X11::X11Frame::kMaxPixels)
		return kInvalidArgument;
	if (factor == scaleFactor)
		return kResultTrue;
	if (window && !window->setScaleFactor (factor))
		return kResultFalse;
	scaleFactor = factor;
	if (baseWidth > 0.)
	{
		const ViewRect size = scaledRect ();
		ViewRect scaled (rect.left, rect.top, rect.left + size.getWidth (), rect.top + size.getHeight ());
		rect = scaled;
		// the host resizes its window to ours and then tells us with onSize
		if (window && plugFrame)
			plugFrame->resizeView (this, &scaled);
	}
	return kResultTrue;
}

namespace {

// The host's key as the library's: the VST3 virtual keys and modifier bits
// have the library's numbering up to VKEY_EQUALS.
VstKeyCode keyCodeFromHost (char16 key, int16 keyCode, int16 modifiers)
{
	VstKeyCode code;
	code.character = key;
	if (keyCode > 0 && keyCode <= VKEY_EQUALS)
		code.virt = static_cast<unsigned char> (keyCode);
	code.modifier = static_cast<unsigned char> (
	    modifiers & (MODIFIER_SHIFT | MODIFIER_ALTERNATE | MODIFIER_COMMAND | MODIFIER_CONTROL));
	return code;
}

} // namespace

tresult PLUGIN_API VST3Editor::onKeyDown (char16 key, int16 keyCode, int16 modifiers)
{
	if (!frame)
		return kResultFalse;
	VstKeyCode code = keyCodeFromHost (key, keyCode, modifiers);
	return frame->onKeyDown (code) != -1 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VST3Editor::onKeyUp (char16 key, int16 keyCode, int16 modifiers)
{
	if (!frame)
		return kResultFalse;
	VstKeyCode code = keyCodeFromHost (key, keyCode, modifiers);
	return frame->onKeyUp (code) != -1 ? kResultTrue : kResultFalse;
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
