// The module's class factory.
#include "public.sdk/source/main/pluginfactory.h"

#include <cstring>

Steinberg::CPluginFactory* gPluginFactory = nullptr;

namespace Steinberg {

namespace {

// A full-length source field may lack its terminating zero (the SDK's
// record constructors copy with strncpy): every read stops at the field's end.
template <typename Char, size_t size>
void terminate (Char (&field)[size])
{
	field[size - 1] = 0;
}

// UTF-8 to UTF-16 into a zero-terminated field; a malformed sequence
// becomes U+FFFD.
template <size_t srcSize>
void toUtf16 (char16* dst, int32 dstSize, const char8 (&src)[srcSize])
{
	int32 out = 0;
	const auto* s = reinterpret_cast<const unsigned char*> (src);
	const auto* end = s + srcSize;
	while (s < end && *s && out < dstSize - 1)
	{
		uint32 cp = 0xFFFD;
		int extra = 0;
		if (*s < 0x80)
			cp = *s;
		else if ((*s & 0xE0) == 0xC0)
			cp = *s & 0x1F, extra = 1;
		else if ((*s & 0xF0) == 0xE0)
			cp = *s & 0x0F, extra = 2;
		else if ((*s & 0xF8) == 0xF0)
			cp = *s & 0x07, extra = 3;
		++s;
		for (int i = 0; i < extra; ++i, ++s)
		{
			if (s == end || (*s & 0xC0) != 0x80)
			{
				cp = 0xFFFD;
				break;
			}
			cp = (cp << 6) | (*s & 0x3F);
		}
		if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
			cp = 0xFFFD;
		if (cp >= 0x10000)
		{
			if (out + 2 > dstSize - 1)
				break;
			cp -= 0x10000;
			dst[out++] = static_cast<char16> (0xD800 + (cp >> 10));
			dst[out++] = static_cast<char16> (0xDC00 + (cp & 0x3FF));
		}
		else
			dst[out++] = static_cast<char16> (cp);
	}
	dst[out] = 0;
}

// UTF-16 to UTF-8 into a zero-terminated field, never splitting a
// character; a lone surrogate becomes U+FFFD.
template <size_t srcSize>
void toUtf8 (char8* dst, int32 dstSize, const char16 (&src)[srcSize])
{
	int32 out = 0;
	for (size_t i = 0; i < srcSize && src[i]; ++i)
	{
		uint32 cp = static_cast<uint16> (src[i]);
		if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < srcSize && src[i + 1] >= 0xDC00 &&
		    src[i + 1] <= 0xDFFF)
			cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<uint16> (src[++i]) - 0xDC00);
		else if (cp >= 0xD800 && cp <= 0xDFFF)
			cp = 0xFFFD;
		char8 bytes[4];
		int32 n = 0;
		if (cp < 0x80)
			bytes[n++] = static_cast<char8> (cp);
		else if (cp < 0x800)
		{
			bytes[n++] = static_cast<char8> (0xC0 | (cp >> 6));
			bytes[n++] = static_cast<char8> (0x80 | (cp & 0x3F));
		}
		else if (cp < 0x10000)
		{
			bytes[n++] = static_cast<char8> (0xE0 | (cp >> 12));
			bytes[n++] = static_cast<char8> (0x80 | ((cp >> 6) & 0x3F));
			bytes[n++] = static_cast<char8> (0x80 | (cp & 0x3F));
		}
		else
		{
			bytes[n++] = static_cast<char8> (0xF0 | (cp >> 18));
			bytes[n++] = static_cast<char8> (0x80 | ((cp >> 12) & 0x3F));
			bytes[n++] = static_cast<char8> (0x80 | ((cp >> 6) & 0x3F));
			bytes[n++] = static_cast<char8> (0x80 | (cp & 0x3F));
		}
		if (out + n > dstSize - 1)
			break;
		std::memcpy (dst + out, bytes, static_cast<size_t> (n));
		out += n;
	}
	dst[out] = 0;
}

// Copies at most size - 1 bytes and always terminates, unlike a bare
// strncpy of a full-length field.
void copy8 (char8* dst, const char8* src, int32 size)
{
	int32 i = 0;
	for (; i < size - 1 && src[i]; ++i)
		dst[i] = src[i];
	dst[i] = 0;
}

} // namespace

CPluginFactory::CPluginFactory (const PFactoryInfo& info) : factoryInfo (info)
{
}

CPluginFactory::~CPluginFactory ()
{
	if (gPluginFactory == this)
		gPluginFactory = nullptr;
}

bool CPluginFactory::registerClass (const PClassInfo* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc)
		return false;
	ClassEntry entry {};
	std::memcpy (entry.info8.cid, info->cid, sizeof (TUID));
	entry.info8.cardinality = info->cardinality;
	copy8 (entry.info8.category, info->category, PClassInfo::kCategorySize);
	copy8 (entry.info8.name, info->name, PClassInfo::kNameSize);
	entry.createFunc = createFunc;
	entry.context = context;
	return addEntry (entry, false);
}

bool CPluginFactory::registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc)
		return false;
	ClassEntry entry {};
	entry.info8 = *info;
	entry.createFunc = createFunc;
	entry.context = context;
	return addEntry (entry, false);
}

bool CPluginFactory::registerClass (const PClassInfoW* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc)
		return false;
	ClassEntry entry {};
	entry.info16 = *info;
	auto& i8 = entry.info8;
	std::memcpy (i8.cid, info->cid, sizeof (TUID));
	i8.cardinality = info->cardinality;
	copy8 (i8.category, info->category, PClassInfo::kCategorySize);
	toUtf8 (i8.name, PClassInfo::kNameSize, info->name);
	i8.classFlags = info->classFlags;
	copy8 (i8.subCategories, info->subCategories, PClassInfo2::kSubCategoriesSize);
	toUtf8 (i8.vendor, PClassInfo2::kVendorSize, info->vendor);
	toUtf8 (i8.version, PClassInfo2::kVersionSize, info->version);
	toUtf8 (i8.sdkVersion, PClassInfo2::kVersionSize, info->sdkVersion);
	entry.createFunc = createFunc;
	entry.context = context;
	return addEntry (entry, true);
}

// `entry.info8` is complete here; the UTF-16 copy is made from it unless the
// caller gave one.
bool CPluginFactory::addEntry (const ClassEntry& given, bool hasUnicode)
{
	if (isClassRegistered (FUID::fromTUID (given.info8.cid)))
		return false;
	ClassEntry entry = given;
	auto& i8 = entry.info8;
	terminate (i8.category);
	terminate (i8.name);
	terminate (i8.subCategories);
	terminate (i8.vendor);
	terminate (i8.version);
	terminate (i8.sdkVersion);
	auto& i16 = entry.info16;
	if (!hasUnicode)
	{
		std::memcpy (i16.cid, i8.cid, sizeof (TUID));
		i16.cardinality = i8.cardinality;
		copy8 (i16.category, i8.category, PClassInfo::kCategorySize);
		toUtf16 (i16.name, PClassInfo::kNameSize, i8.name);
		i16.classFlags = i8.classFlags;
		copy8 (i16.subCategories, i8.subCategories, PClassInfoW::kSubCategoriesSize);
		toUtf16 (i16.vendor, PClassInfoW::kVendorSize, i8.vendor);
		toUtf16 (i16.version, PClassInfoW::kVersionSize, i8.version);
		toUtf16 (i16.sdkVersion, PClassInfoW::kVersionSize, i8.sdkVersion);
	}
	terminate (i16.category);
	terminate (i16.name);
	terminate (i16.subCategories);
	terminate (i16.vendor);
	terminate (i16.version);
	terminate (i16.sdkVersion);
	classes.push_back (entry);
	return true;
}

bool CPluginFactory::isClassRegistered (const FUID& cid) const
{
	for (const auto& entry : classes)
	{
		if (FUnknownPrivate::iidEqual (entry.info8.cid, cid.toTUID ()))
			return true;
	}
	return false;
}

void CPluginFactory::removeAllClasses ()
{
	classes.clear ();
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt (int32 index) const
{
	if (index < 0 || index >= static_cast<int32> (classes.size ()))
		return nullptr;
	return &classes[static_cast<size_t> (index)];
}

tresult PLUGIN_API CPluginFactory::queryInterface (const TUID _iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	if (FUnknownPrivate::iidEqual (_iid, FUnknown::iid) ||
	    FUnknownPrivate::iidEqual (_iid, IPluginFactory::iid) ||
	    FUnknownPrivate::iidEqual (_iid, IPluginFactory2::iid) ||
	    FUnknownPrivate::iidEqual (_iid, IPluginFactory3::iid))
	{
		addRef ();
		*obj = static_cast<IPluginFactory3*> (this);
		return kResultOk;
	}
	*obj = nullptr;
	return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef ()
{
	return static_cast<uint32> (FUnknownPrivate::atomicAdd (refCount, 1));
}

uint32 PLUGIN_API CPluginFactory::release ()
{
	const int32 count = FUnknownPrivate::atomicAdd (refCount, -1);
	if (count == 0)
	{
		delete this;
		return 0;
	}
	return static_cast<uint32> (count);
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo (PFactoryInfo* info)
{
	if (!info)
		return kInvalidArgument;
	*info = factoryInfo;
	return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses ()
{
	return static_cast<int32> (classes.size ());
}

tresult PLUGIN_API CPluginFactory::getClassInfo (int32 index, PClassInfo* info)
{
	if (!info)
		return kInvalidArgument;
	const ClassEntry* entry = entryAt (index);
	if (!entry)
		return kResultFalse;
	std::memcpy (info->cid, entry->info8.cid, sizeof (TUID));
	info->cardinality = entry->info8.cardinality;
	copy8 (info->category, entry->info8.category, PClassInfo::kCategorySize);
	copy8 (info->name, entry->info8.name, PClassInfo::kNameSize);
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2 (int32 index, PClassInfo2* info)
{
	if (!info)
		return kInvalidArgument;
	const ClassEntry* entry = entryAt (index);
	if (!entry)
		return kResultFalse;
	*info = entry->info8;
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
	if (!info)
		return kInvalidArgument;
	const ClassEntry* entry = entryAt (index);
	if (!entry)
		return kResultFalse;
	*info = entry->info16;
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance (FIDString cid, FIDString _iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	*obj = nullptr;
	if (!cid || !_iid)
		return kInvalidArgument;
	for (const auto& entry : classes)
	{
		if (!FUnknownPrivate::iidEqual (entry.info8.cid, cid))
			continue;
		FUnknown* instance = nullptr;
		// An exception must not cross into the host.
		try
		{
			instance = entry.createFunc (entry.context);
		}
		catch (...)
		{
			return kOutOfMemory;
		}
		if (!instance)
			return kOutOfMemory;
		const tresult result = instance->queryInterface (_iid, obj);
		instance->release ();
		if (result != kResultOk || !*obj)
		{
			*obj = nullptr;
			return kNoInterface;
		}
		return kResultOk;
	}
	return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext (FUnknown* /*context*/)
{
	return kNotImplemented;
}

} // namespace Steinberg
