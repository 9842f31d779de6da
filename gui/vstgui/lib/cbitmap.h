// An image: loaded from a PNG file of the bundle's resources, or blank for a given size.
#pragma once

#include "cpoint.h"
#include "crect.h"
#include "vstguibase.h"

#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

// Names a resource: a file name relative to the resource directory (or an absolute path).
class CResourceDescription
{
public:
	enum Type : uint32_t
	{
		kIntegerType,
		kStringType,
		kUnknownType
	};

	CResourceDescription () = default;
	CResourceDescription (int32_t id);
	CResourceDescription (UTF8StringPtr name);
	CResourceDescription (const CResourceDescription& other);
	CResourceDescription& operator= (const CResourceDescription& other);

	UTF8StringPtr getName () const { return type == kStringType ? nameStorage.c_str () : nullptr; }

	Type type {kUnknownType};
	union
	{
		int32_t id;
		UTF8StringPtr name; // points into this object's own copy of the name
	} u {0};

private:
	std::string nameStorage;
};

class CBitmap : public CBaseObject
{
public:
	// Reads the PNG; a missing or malformed file gives a 0 x 0 bitmap (isLoaded false).
	explicit CBitmap (const CResourceDescription& desc);
	// a transparent bitmap of the given size, not backed by a file
	CBitmap (CCoord width, CCoord height);
	CBitmap (const CBitmap&) = delete;
	CBitmap& operator= (const CBitmap&) = delete;
	~CBitmap () noexcept override;

	virtual void draw (CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint (0, 0),
	                   float alpha = 1.f);

	CCoord getWidth () const { return width; }
	CCoord getHeight () const { return height; }
	CPoint getSize () const { return CPoint (width, height); }
	const CResourceDescription& getResourceDescription () const { return resourceDesc; }
	bool isLoaded () const { return loaded; }
	// RGBA, 8 bits per channel, row after row
	const std::vector<uint8_t>& getPixels () const { return pixels; }

	// where relative resource names are looked up (the bundle's Resources folder)
	static void setResourceDirectory (const std::string& path);
	static const std::string& getResourceDirectory ();
	// Decodes a PNG file into RGBA; false (outputs untouched) on any failure,
	// including images above kMaxDimension pixels in either direction.
	static bool loadPNG (const std::string& path, uint32_t& width, uint32_t& height,
	                     std::vector<uint8_t>& rgba);
	static constexpr uint32_t kMaxDimension = 16384;

	// A drawing backend's own form of the pixels, made on first use and kept
	// with the bitmap (its pixels never change after loading).
	struct PlatformData
	{
		virtual ~PlatformData () noexcept = default;
	};
	PlatformData* getPlatformData () const { return platformData.get (); }
	void setPlatformData (std::unique_ptr<PlatformData> data) const { platformData = std::move (data); }

private:
	CResourceDescription resourceDesc;
	std::vector<uint8_t> pixels;
	CCoord width {0.};
	CCoord height {0.};
	bool loaded {false};
	mutable std::unique_ptr<PlatformData> platformData;
};

} // namespace VSTGUI
