// The assertion facility.
#include "vstguibase.h"

namespace VSTGUI {

namespace {
AssertionHandler assertionHandler = nullptr;
}

void setAssertionHandler (AssertionHandler handler)
{
	assertionHandler = handler;
}

bool hasAssertionHandler ()
{
	return assertionHandler != nullptr;
}

void doAssert (const char* filename, const char* line, const char* desc)
{
	if (assertionHandler)
		assertionHandler (filename, line, desc);
}

} // namespace VSTGUI
