// Writing test images: straight (not premultiplied) RGBA pixels as a PNG file.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace LumivoTest {

inline bool writeRgbaPng (const std::string& path, uint32_t width, uint32_t height,
                          const std::vector<uint8_t>& rgba)
{
	png_image image {};
	image.version = PNG_IMAGE_VERSION;
	image.width = width;
	image.height = height;
	image.format = PNG_FORMAT_RGBA;
	const bool written = png_image_write_to_file (&image, path.c_str (), 0, rgba.data (), 0, nullptr) != 0;
	png_image_free (&image);
	return written;
}

} // namespace LumivoTest
