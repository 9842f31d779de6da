// The root of a view tree, without a window: it receives the host's input
// events and routes them (mouse to the view under it, keys to the focus view).
#pragma once

#include "cviewcontainer.h"

namespace VSTGUI {

class CFrame : public CViewContainer
{
public:
	// A frame is attached from birth: views added to it are attached at once.
	explicit CFrame (const CRect& size);
	~CFrame () noexcept override;

	// removes all views and releases the caller's reference
	void close ();

	void setFocusView (CView* view);
	CView* getFocusView () const { return focusView; }

	// mouse points in frame coordinates; the press's view keeps the moves and the release
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;
	// to the focus view, then its parents until one takes the key
	int32_t onKeyDown (VstKeyCode& keyCode) override;

	void invalidRect (const CRect& rect) override;
	bool attached (CView* parent) override;
	bool removed (CView* parent) override;

protected:
	CPoint getChildOrigin () const override { return CPoint (0., 0.); }

private:
	void viewRemoved (CView* view);

	CView* focusView {nullptr};

	friend class CView;
};

} // namespace VSTGUI
