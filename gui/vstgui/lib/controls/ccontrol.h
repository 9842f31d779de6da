// The base of all controls: a float value in [min, max], its default and wheel
// step, a tag, a listener plus additional listeners, and edit brackets.
#pragma once

#include "../cview.h"
#include "../cvstguitimer.h"
#include "icontrollistener.h"

#include <vector>

namespace VSTGUI {

class CControl : public CView
{
public:
	CControl (const CRect& size, IControlListener* listener = nullptr, int32_t tag = 0,
	          CBitmap* background = nullptr);
	CControl (const CControl& c);
	~CControl () noexcept override;

	void draw (CDrawContext* context) override = 0;
	CView* newCopy () const override = 0;

	// clamps to [min, max] (a NaN counts as min) and stores only a changed value
	virtual void setValue (float val);
	virtual float getValue () const { return value; }
	// clamps to [0, 1] (a NaN counts as 0), then setValue (min + (max - min) * val)
	virtual void setValueNormalized (float val);
	// 0 when max equals min
	virtual float getValueNormalized () const;

	virtual void setMin (float val) { vmin = val; }
	virtual float getMin () const { return vmin; }
	virtual void setMax (float val) { vmax = val; }
	virtual float getMax () const { return vmax; }
	float getRange () const { return getMax () - getMin (); }
	virtual void setDefaultValue (float val) { defaultValue = val; }
	virtual float getDefaultValue () const { return defaultValue; }
	virtual void setWheelInc (float val) { wheelInc = val; }
	virtual float getWheelInc () const { return wheelInc; }

	virtual void setTag (int32_t val);
	virtual int32_t getTag () const { return tag; }
	virtual void setListener (IControlListener* l) { listener = l; }
	IControlListener* getListener () const { return listener; }
	// additional listeners, told after the listener
	void registerControlListener (IControlListener* l);
	void unregisterControlListener (IControlListener* l);

	// tells the listener, then the additional listeners
	virtual void valueChanged ();
	// nested brackets count; listeners hear the first begin and the last end
	virtual void beginEdit ();
	virtual void endEdit ();
	bool isEditing () const { return editing > 0; }
	// Ends an edit still open, however deeply nested, with one end for the
	// listeners: nothing else will end it once its gesture cannot go on.
	void endOpenEdit ();

	// the value differs from the one held when last marked clean, or the view is dirty
	bool isDirty () const override;
	void setDirty (bool val = true) override;

	// A left click with exactly kDefaultValueModifier: sets the default value inside
	// an edit bracket when it differs, and answers true; otherwise false, no effect.
	bool checkDefaultValue (CButtonState button);

	// process-wide modifier bits (button-state word) for fine adjustment and default value
	static int32_t kZoomModifier;
	static int32_t kDefaultValueModifier;

	// A control that leaves its view tree gets no release any more: its open edit ends here.
	bool removed (CView* parent) override;

protected:
	// A control deleted mid-gesture ends its open edit while it is still whole.
	void beforeDelete () override;

	template <typename Call>
	void forEachListener (Call call);

	float value {0.f};
	float vmin {0.f};
	float vmax {1.f};
	float defaultValue {0.5f};
	float wheelInc {0.1f};
	float lastValue {0.f};
	int32_t tag;
	int32_t editing {0};
	IControlListener* listener;
	std::vector<IControlListener*> subListeners;
};

//------------------------------------------------------------------------
// Wheel steps of a control as one edit: the first step opens it, and it closes
// 500 ms after the last step (or when invalidMouseWheelEditTimer is called).
// Steps while another edit is open (a press) change the value inside that
// edit: the timer only ever closes an edit the wheel opened.
class CMouseWheelEditingSupport
{
public:
	static constexpr uint32_t kWheelEditTimeout = 500; // ms
	virtual ~CMouseWheelEditingSupport () noexcept;

protected:
	CMouseWheelEditingSupport () = default;
	CMouseWheelEditingSupport (const CMouseWheelEditingSupport&) {}
	CMouseWheelEditingSupport& operator= (const CMouseWheelEditingSupport&) { return *this; }

	void onMouseWheelEditing (CControl* control);
	// Drops a pending timer and, if an edit is open, ends it once.
	void invalidMouseWheelEditTimer (CControl* control);

private:
	SharedPointer<CVSTGUITimer> wheelEditTimer;
	CControl* timerControl {nullptr};
};

} // namespace VSTGUI
