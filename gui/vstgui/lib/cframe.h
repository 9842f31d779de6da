// The root of a view tree: it receives the input events of the window system
// (or of a test) and routes them (mouse to the view under it, keys to the focus
// view). Without a platform frame it has no window and stays headless.
#pragma once

#include "cviewcontainer.h"

namespace VSTGUI {

class IPlatformFrame;

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

	// The window layer under the frame (not owned); null makes the frame headless.
	void setPlatformFrame (IPlatformFrame* platform) { platformFrame = platform; }
	IPlatformFrame* getPlatformFrame () const { return platformFrame; }

	// mouse points in frame coordinates; the press's view keeps the moves and the release
	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;
	// The pointer entered or left the frame's window; moves without a button
	// pressed tell the views under the pointer that it came or went.
	CMouseEventResult onMouseEntered (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseExited (CPoint& where, const CButtonState& buttons) override;
	CView* getMouseOverView () const { return mouseOverView; }
	// to the focus view, then its parents until one takes the key
	int32_t onKeyDown (VstKeyCode& keyCode) override;
	int32_t onKeyUp (VstKeyCode& keyCode) override;

	void invalidRect (const CRect& rect) override;
	bool attached (CView* parent) override;
	bool removed (CView* parent) override;

protected:
	CPoint getChildOrigin () const override { return CPoint (0., 0.); }

private:
	void viewRemoved (CView* view);
	void setMouseOverView (CView* view, const CPoint& where, const CButtonState& buttons);
	template <typename Call>
	int32_t keyToFocusChain (Call call);

	CView* focusView {nullptr};
	CView* mouseOverView {nullptr};
	IPlatformFrame* platformFrame {nullptr};

	friend class CView;
};

} // namespace VSTGUI
