#include "png_writer.h"

#include <png.h>

#include <cstddef>
#include <new>

namespace {

struct PngSink {
    std::vector<uint8_t>* out;
    bool failed;
};

// libpng's errors unwind with longjmp, so nothing may throw through it: a failed append is only
// recorded and reported once the encoder returns.
void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (sink->failed) return;
    try {
        sink->out->insert(sink->out->end(), data, data + length);
    } catch (const std::bad_alloc&) {
        sink->failed = true;
    }
}

void flushNothing(png_structp) {}

} // namespace

bool png_EncodeRgb32(const uint32_t* pixels, int32_t width, int32_t height, std::vector<uint8_t>& out) {
    if (pixels == nullptr || width <= 0 || height <= 0) return false;
    std::vector<uint8_t> row;
    try {
        row.resize(std::size_t(width) * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    out.clear();
    PngSink sink{&out, false};

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &sink, appendBytes, flushNothing);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* line = pixels + std::size_t(y) * std::size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            row[std::size_t(x) * 3 + 0] = uint8_t(line[x] >> 16);
            row[std::size_t(x) * 3 + 1] = uint8_t(line[x] >> 8);
            row[std::size_t(x) * 3 + 2] = uint8_t(line[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return !sink.failed;
}
