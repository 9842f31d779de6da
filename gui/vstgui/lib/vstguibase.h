// Reference counting, shared pointers and the assertion facility.
#pragma once

#include "vstguifwd.h"

#include <cstdint>
#include <utility>

namespace VSTGUI {

//------------------------------------------------------------------------
class IReference
{
public:
	virtual ~IReference () noexcept = default;
	virtual void remember () = 0;
	virtual void forget () = 0;
};

//------------------------------------------------------------------------
// Objects start with one reference, owned by whoever created them; the last
// forget() calls beforeDelete() while the object is still whole, then deletes it.
template <typename T>
class ReferenceCounted : virtual public IReference
{
public:
	ReferenceCounted () = default;
	// A copy is a new object: it starts with its own single reference.
	ReferenceCounted (const ReferenceCounted&) : nbReference (1) {}
	ReferenceCounted& operator= (const ReferenceCounted&) { return *this; }
	~ReferenceCounted () noexcept override = default;

	void remember () override { ++nbReference; }
	void forget () override
	{
		if (nbReference == 1)
			beforeDelete ();
		if (--nbReference == 0)
			delete this;
	}
	int32_t getNbReference () const { return nbReference; }

protected:
	virtual void beforeDelete () {}

private:
	T nbReference {1};
};

using NonAtomicReferenceCounted = ReferenceCounted<int32_t>;

//------------------------------------------------------------------------
class CBaseObject : public NonAtomicReferenceCounted
{
public:
	CBaseObject () = default;
	CBaseObject (const CBaseObject&) = default;
	CBaseObject& operator= (const CBaseObject&) = default;
	~CBaseObject () noexcept override = default;
};

//------------------------------------------------------------------------
template <class I>
class SharedPointer
{
public:
	SharedPointer () noexcept = default;
	SharedPointer (std::nullptr_t) noexcept {}
	SharedPointer (I* p, bool rememberIt = true) : ptr (p)
	{
		if (ptr && rememberIt)
			ptr->remember ();
	}
	SharedPointer (const SharedPointer& other) : ptr (other.ptr)
	{
		if (ptr)
			ptr->remember ();
	}
	SharedPointer (SharedPointer&& other) noexcept : ptr (other.ptr) { other.ptr = nullptr; }
	template <class T>
	SharedPointer (const SharedPointer<T>& other) : ptr (other.get ())
	{
		if (ptr)
			ptr->remember ();
	}
	~SharedPointer () noexcept
	{
		if (ptr)
			ptr->forget ();
	}

	SharedPointer& operator= (I* p)
	{
		if (p != ptr)
		{
			if (p)
				p->remember ();
			I* old = ptr;
			ptr = p;
			if (old)
				old->forget ();
		}
		return *this;
	}
	SharedPointer& operator= (const SharedPointer& other) { return *this = other.ptr; }
	SharedPointer& operator= (SharedPointer&& other) noexcept
	{
		if (this != &other)
		{
			I* old = ptr;
			ptr = other.ptr;
			other.ptr = nullptr;
			if (old)
				old->forget ();
		}
		return *this;
	}
	template <class T>
	SharedPointer& operator= (const SharedPointer<T>& other)
	{
		return *this = static_cast<I*> (other.get ());
	}
	SharedPointer& operator= (std::nullptr_t) noexcept
	{
		I* old = ptr;
		ptr = nullptr;
		if (old)
			old->forget ();
		return *this;
	}

	I* get () const noexcept { return ptr; }
	I* operator-> () const noexcept { return ptr; }
	I& operator* () const noexcept { return *ptr; }
	operator I* () const noexcept { return ptr; }
	explicit operator bool () const noexcept { return ptr != nullptr; }

	// Takes over a reference the caller already owns.
	SharedPointer& adopt (I* p)
	{
		I* old = ptr;
		ptr = p;
		if (old && old != p)
			old->forget ();
		return *this;
	}

	template <class T>
	SharedPointer<T> cast () const
	{
		return SharedPointer<T> (dynamic_cast<T*> (ptr));
	}

private:
	I* ptr {nullptr};
};

template <class I, typename... Args>
inline SharedPointer<I> makeOwned (Args&&... args)
{
	return SharedPointer<I> (new I (std::forward<Args> (args)...), false);
}

template <class I>
inline SharedPointer<I> owned (I* p)
{
	return SharedPointer<I> (p, false);
}

template <class I>
inline SharedPointer<I> shared (I* p)
{
	return SharedPointer<I> (p, true);
}

//------------------------------------------------------------------------
// Assertions stay active in every build; without a handler a failure is silent.
using AssertionHandler = void (*) (const char* filename, const char* line, const char* desc);
void setAssertionHandler (AssertionHandler handler);
bool hasAssertionHandler ();
void doAssert (const char* filename, const char* line, const char* desc = nullptr);

#define VSTGUI_MAKE_STRING_PRIVATE_DONT_USE(x) #x
#define VSTGUI_MAKE_STRING(x) VSTGUI_MAKE_STRING_PRIVATE_DONT_USE (x)

#define vstgui_assert(x, ...)                                                                     \
	do                                                                                            \
	{                                                                                             \
		if (!(x))                                                                                 \
			::VSTGUI::doAssert (__FILE__, VSTGUI_MAKE_STRING (__LINE__), ##__VA_ARGS__);          \
	} while (0)

} // namespace VSTGUI
