// What a frame asks of the window system under it. A frame without one stays
// headless: it routes the events it is handed and draws only when asked.
#pragma once

#include "../crect.h"

namespace VSTGUI {

class IPlatformFrame
{
public:
	virtual ~IPlatformFrame () noexcept = default;

	// rect in frame coordinates; redrawn on a later turn of the event loop, not at once
	virtual void invalidRect (const CRect& rect) = 0;
};

} // namespace VSTGUI
