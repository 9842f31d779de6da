// A controller of a part of the editor: it may make views, check each view
// built under it, hand out control listeners and make sub-controllers.
#pragma once

#include "../lib/controls/icontrollistener.h"

namespace VSTGUI {

class CView;
class IUIDescription;
class UIAttributes;
using UTF8StringPtr = const char*;

class IController : public IControlListener
{
public:
	~IController () noexcept override = default;

	virtual int32_t getTagForName (UTF8StringPtr /*name*/, int32_t registeredTag) const { return registeredTag; }
	virtual IControlListener* getControlListener (UTF8StringPtr /*controlTagName*/) { return this; }
	virtual CView* createView (const UIAttributes& /*attributes*/, const IUIDescription* /*description*/)
	{
		return nullptr;
	}
	// May replace the view; the caller then uses the returned one.
	virtual CView* verifyView (CView* view, const UIAttributes& /*attributes*/,
	                           const IUIDescription* /*description*/)
	{
		return view;
	}
	// The caller owns what it gets and deletes it with the view that carries it.
	virtual IController* createSubController (UTF8StringPtr /*name*/, const IUIDescription* /*description*/)
	{
		return nullptr;
	}
};

} // namespace VSTGUI
