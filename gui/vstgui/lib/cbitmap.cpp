// CBitmap: PNG decoding through libpng's simplified reader.
#include "cbitmap.h"

#include "cdrawcontext.h"

#include <png.h>

#include <cstring>

namespace VSTGUI {

//------------------------------------------------------------------------
CResourceDescription::CResourceDescription (int32_t id) : type (kIntegerType)
{
	u.id = id;
}

CResourceDescription::CResourceDescription (UTF8StringPtr name)
{
	if (!name)
		return;
	type = kStringType;
	nameStorage = name;
	u.name = nameStorage.c_str ();
}

CResourceDescription::CResourceDescription (const CResourceDescription& other)
{
	*this = other;
}

CResourceDescription& CResourceDescription::operator= (const CResourceDescription& other)
{
	if (this == &other)
		return *this;
	type = other.type;
	nameStorage = other.nameStorage;
	if (type == kStringType)
		u.name = nameStorage.c_str ();
	else
		u.id = other.u.id;
	return *this;
}

//------------------------------------------------------------------------
namespace {
std::string& resourceDirectory ()
{
	static std::string dir;
	return dir;
}
} // namespace

void CBitmap::setResourceDirectory (const std::string& path)
{
	resourceDirectory () = path;
}

const std::string& CBitmap::getResourceDirectory ()
{
	return resourceDirectory ();
}

bool CBitmap::loadPNG (const std::string& path, uint32_t& outWidth, uint32_t& outHeight,
                       std::vector<uint8_t>& rgba)
{
	png_image image;
	std::memset (&image, 0, sizeof (image));
	image.version = PNG_IMAGE_VERSION;
	if (!png_image_begin_read_from_file (&image, path.c_str ()))
	{
		png_image_free (&image);
		return false;
	}
	if (image.width == 0 || image.height == 0 || image.width > kMaxDimension || image.height > kMaxDimension)
	{
		png_image_free (&image);
		return false;
	}
	image.format = PNG_FORMAT_RGBA;
	std::vector<uint8_t> buffer (PNG_IMAGE_SIZE (image));
	if (!png_image_finish_read (&image, nullptr, buffer.data (), 0, nullptr))
	{
		png_image_free (&image);
		return false;
	}
	outWidth = image.width;
	outHeight = image.height;
	rgba = std::move (buffer);
	png_image_free (&image);
	return true;
}

CBitmap::CBitmap (const CResourceDescription& desc) : resourceDesc (desc)
{
	const char* name = desc.getName ();
	if (!name || !*name)
		return;
	std::string path (name);
	if (path[0] != '/' && !getResourceDirectory ().empty ())
		path = getResourceDirectory () + "/" + path;
	uint32_t w = 0;
	uint32_t h = 0;
	if (loadPNG (path, w, h, pixels))
	{
		width = w;
		height = h;
		loaded = true;
	}
}

CBitmap::CBitmap (CCoord w, CCoord h)
{
	if (w > 0. && h > 0. && w <= kMaxDimension && h <= kMaxDimension)
	{
		width = w;
		height = h;
		pixels.assign (static_cast<size_t> (w) * static_cast<size_t> (h) * 4u, 0);
		loaded = true;
	}
}

CBitmap::~CBitmap () noexcept = default;

void CBitmap::draw (CDrawContext* context, const CRect& dest, const CPoint& offset, float alpha)
{
	if (context)
		context->drawBitmap (this, dest, offset, alpha);
}

} // namespace VSTGUI
