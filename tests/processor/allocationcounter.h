// Counts calls of the global operator new (replaced in allocationcounter.cpp
// for the whole test binary) while counting is switched on.
#pragma once

namespace LumivoTest {

void countAllocations (bool on);
long allocationCount ();

} // namespace LumivoTest
