// A view that owns child views: their references, attaching, drawing and the
// routing of mouse events to the child under the mouse.
#pragma once

#include "cview.h"

#include <vector>

namespace VSTGUI {

class CViewContainer : public CView
{
public:
	struct GetViewOptions
	{
		GetViewOptions () noexcept : flags (0) {}
		GetViewOptions& deep (bool state = true) { return set (kDeep, state); }
		GetViewOptions& mouseEnabled (bool state = true) { return set (kMouseEnabled, state); }
		GetViewOptions& includeViewContainer (bool state = true) { return set (kIncludeViewContainer, state); }
		GetViewOptions& includeInvisible (bool state = true) { return set (kIncludeInvisible, state); }
		bool getDeep () const { return flags & kDeep; }
		bool getMouseEnabled () const { return flags & kMouseEnabled; }
		bool getIncludeViewContainer () const { return flags & kIncludeViewContainer; }
		bool getIncludeInvisible () const { return flags & kIncludeInvisible; }

	private:
		enum : uint32_t { kDeep = 1, kMouseEnabled = 2, kIncludeViewContainer = 4, kIncludeInvisible = 8 };
		GetViewOptions& set (uint32_t bit, bool state)
		{
			flags = state ? (flags | bit) : (flags & ~bit);
			return *this;
		}
		uint32_t flags;
	};

	explicit CViewContainer (const CRect& size);
	// copies the children through their newCopy
	CViewContainer (const CViewContainer& other);
	~CViewContainer () noexcept override;

	CView* newCopy () const override { return new CViewContainer (*this); }
	// Both draw the children at their origin: the context's offset is moved to
	// getChildOrigin and the clip narrowed to this container for their drawing.
	void draw (CDrawContext* context) override;
	void drawRect (CDrawContext* context, const CRect& updateRect) override;

	// Takes over the caller's reference; false (the caller keeps it) for null or a view with a parent.
	virtual bool addView (CView* view);
	virtual bool addView (CView* view, CView* before);
	// Tells the view it is removed; withForget releases the container's reference.
	virtual bool removeView (CView* view, bool withForget = true);
	virtual bool removeAll (bool withForget = true);
	uint32_t getNbViews () const { return static_cast<uint32_t> (children.size ()); }
	CView* getView (uint32_t index) const;
	bool isChild (CView* view, bool deep = false) const;
	// where: in this container's parent coordinates (like getViewSize); the topmost hit wins
	CView* getViewAt (const CPoint& where, const GetViewOptions& options = GetViewOptions ()) const;

	// rect in the children's coordinates, handed on in this container's parent's
	void invalidRect (const CRect& rect) override;
	void invalid () override;
	bool attached (CView* parent) override;
	bool removed (CView* parent) override;
	void setMouseEnabled (bool enable = true) override;

	CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons) override;
	CMouseEventResult onMouseCancel () override;
	bool onWheel (const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
	              const CButtonState& buttons) override;

protected:
	void beforeDelete () override;
	// origin of the children's coordinates, in this container's parent coordinates
	virtual CPoint getChildOrigin () const { return getViewSize ().getTopLeft (); }

private:
	void drawChildren (CDrawContext* context, const CRect& updateRect);

	// Offers an event to the visible, mouse-enabled children hit at `local`, topmost
	// first, until `take` answers true; true when one did.
	template <typename Take>
	bool offerToChildrenAt (const CPoint& local, const CButtonState& buttons, Take take);

	std::vector<CView*> children;
	SharedPointer<CView> mouseDownView;
};

} // namespace VSTGUI
