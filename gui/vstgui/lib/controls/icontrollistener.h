// The listener a control reports its value changes and edits to.
#pragma once

#include "../cbuttonstate.h"
#include "../vstguifwd.h"

#include <cstdint>

namespace VSTGUI {

class IControlListener
{
public:
	virtual ~IControlListener () noexcept = default;

	virtual void valueChanged (CControl* control) = 0;
	virtual int32_t controlModifierClicked (CControl*, CButtonState) { return 0; }
	virtual void controlBeginEdit (CControl*) {}
	virtual void controlEndEdit (CControl*) {}
	virtual void controlTagWillChange (CControl*) {}
	virtual void controlTagDidChange (CControl*) {}
};

} // namespace VSTGUI
