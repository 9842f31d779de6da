// Observers of a view's life: size, attaching, removal, focus and deletion.
#pragma once

#include "vstguifwd.h"

namespace VSTGUI {

class IViewListener
{
public:
	virtual ~IViewListener () noexcept = default;

	virtual void viewSizeChanged (CView* view, const CRect& oldSize) = 0;
	virtual void viewAttached (CView* view) = 0;
	virtual void viewRemoved (CView* view) = 0;
	virtual void viewLostFocus (CView* view) = 0;
	virtual void viewTookFocus (CView* view) = 0;
	virtual void viewWillDelete (CView* view) = 0;
};

class ViewListenerAdapter : public IViewListener
{
public:
	void viewSizeChanged (CView*, const CRect&) override {}
	void viewAttached (CView*) override {}
	void viewRemoved (CView*) override {}
	void viewLostFocus (CView*) override {}
	void viewTookFocus (CView*) override {}
	void viewWillDelete (CView*) override {}
};

} // namespace VSTGUI
