// The base of every view: a rectangle in its parent's coordinates, background
// bitmaps, state flags, listeners and the input-event hooks.
#pragma once

#include "cbuttonstate.h"
#include "cpoint.h"
#include "crect.h"
#include "vstguibase.h"
#include "vstkeycode.h"

#include <cstdint>
#include <map>
#include <vector>

namespace VSTGUI {

class CView : public CBaseObject
{
public:
	explicit CView (const CRect& size);
	CView (const CView& view);
	~CView () noexcept override;

	virtual void draw (CDrawContext* context);
	// Draws the view if it meets updateRect (in the parent's coordinates, like getViewSize).
	virtual void drawRect (CDrawContext* context, const CRect& updateRect);
	virtual CView* newCopy () const { return new CView (*this); }

	// size and position, in the parent's coordinates
	virtual void setViewSize (const CRect& rect, bool invalid = true);
	const CRect& getViewSize () const { return size; }
	virtual void setMouseableArea (const CRect& rect) { mouseableArea = rect; }
	const CRect& getMouseableArea () const { return mouseableArea; }
	virtual bool sizeToFit () { return false; }
	virtual bool hitTest (const CPoint& where, const CButtonState& buttons = -1);
	// from this view's parent coordinates to the frame's
	CPoint& localToFrame (CPoint& point) const;

	// backgrounds; the view keeps one reference on each
	virtual void setBackground (CBitmap* background);
	CBitmap* getBackground () const;
	virtual void setDisabledBackground (CBitmap* background);
	CBitmap* getDisabledBackground () const;
	// the disabled background while the mouse is disabled and there is one, else the background
	CBitmap* getDrawBackground () const;

	// redrawing: invalid() hands the view's rectangle to the parent and marks the view clean
	virtual void invalid ();
	virtual void invalidRect (const CRect& rect);
	virtual void setDirty (bool val = true);
	virtual bool isDirty () const { return dirty; }

	virtual void setMouseEnabled (bool enable = true);
	bool getMouseEnabled () const { return mouseEnabled; }
	virtual void setWantsFocus (bool state) { focusWanted = state; }
	bool wantsFocus () const { return focusWanted; }
	virtual void setTransparency (bool val) { transparent = val; }
	bool getTransparency () const { return transparent; }
	virtual void setVisible (bool state);
	bool isVisible () const { return visible; }
	virtual void setAlphaValue (float alpha) { alphaValue = alpha; }
	float getAlphaValue () const { return alphaValue; }

	// the view tree
	CView* getParentView () const { return parentView; }
	CFrame* getFrame () const { return parentFrame; }
	bool isAttached () const { return attachedFlag; }
	virtual bool attached (CView* parent);
	virtual bool removed (CView* parent);
	virtual void takeFocus ();
	virtual void looseFocus ();

	void registerViewListener (IViewListener* listener);
	void unregisterViewListener (IViewListener* listener);

	// untyped data attached to the view, copied in and out
	bool setAttribute (CViewAttributeID id, uint32_t inSize, const void* inData);
	bool getAttribute (CViewAttributeID id, uint32_t inSize, void* outData, uint32_t& outSize) const;
	bool removeAttribute (CViewAttributeID id);

	// input events; points in the parent's coordinates, like getViewSize
	virtual CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseCancel ();
	// the pointer came over the view or left it, no button down; the frame tracks it
	virtual CMouseEventResult onMouseEntered (CPoint& /*where*/, const CButtonState& /*buttons*/)
	{
		return kMouseEventNotImplemented;
	}
	virtual CMouseEventResult onMouseExited (CPoint& /*where*/, const CButtonState& /*buttons*/)
	{
		return kMouseEventNotImplemented;
	}
	virtual bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	                      const CButtonState& buttons);
	// key results: 1 taken, -1 not taken
	virtual int32_t onKeyDown (VstKeyCode& keyCode);
	virtual int32_t onKeyUp (VstKeyCode& keyCode);

protected:
	// tells the listeners viewWillDelete while the object is still whole
	void beforeDelete () override;
	void drawBackground (CDrawContext* context);

private:
	template <typename Call>
	void forEachListener (Call call);

	CRect size;
	CRect mouseableArea;
	CView* parentView {nullptr};
	CFrame* parentFrame {nullptr};
	SharedPointer<CBitmap> background;
	SharedPointer<CBitmap> disabledBackground;
	std::vector<IViewListener*> viewListeners;
	std::map<CViewAttributeID, std::vector<uint8_t>> attributes;
	float alphaValue {1.f};
	bool dirty {false};
	bool mouseEnabled {true};
	bool focusWanted {false};
	bool transparent {false};
	bool visible {true};
	bool attachedFlag {false};
	bool deleteNotified {false};

	friend class CFrame;
};

} // namespace VSTGUI
