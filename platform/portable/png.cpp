// PNG output of rendered images, through stb_image_write.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include STB_IMAGE_WRITE_HEADER
#pragma GCC diagnostic pop

#include "platform/portable/testing.h"

namespace portable {

bool WritePng(const Image& image, const std::string& path)
{
    if (image.width <= 0 || image.height <= 0)
        return false;
    std::vector<uint8_t> bytes;
    bytes.reserve(image.pixels.size() * 3);
    for (const Rgb& pixel : image.pixels) {
        bytes.push_back(pixel.r);
        bytes.push_back(pixel.g);
        bytes.push_back(pixel.b);
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 3, bytes.data(), image.width * 3) != 0;
}

}  // namespace portable
