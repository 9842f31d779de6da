// Replacement of the global allocation functions that counts while asked
// to. Kept in a unit of its own so that no caller sees malloc and free
// through inlining.
#include "allocationcounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> counting {false};
std::atomic<long> count {0};
} // namespace

namespace LumivoTest {

void countAllocations (bool on)
{
	counting.store (on);
}

long allocationCount ()
{
	return count.load ();
}

} // namespace LumivoTest

// AddressSanitizer brings its own allocation functions; the test that needs
// the count is not run under it.
#if !defined(__SANITIZE_ADDRESS__)

void* operator new (std::size_t size)
{
	if (counting.load (std::memory_order_relaxed))
		count.fetch_add (1, std::memory_order_relaxed);
	if (void* p = std::malloc (size ? size : 1))
		return p;
	throw std::bad_alloc ();
}

void* operator new[] (std::size_t size)
{
	return operator new (size);
}

void operator delete (void* p) noexcept
{
	std::free (p);
}

void operator delete[] (void* p) noexcept
{
	std::free (p);
}

void operator delete (void* p, std::size_t) noexcept
{
	std::free (p);
}

void operator delete[] (void* p, std::size_t) noexcept
{
	std::free (p);
}

#endif
