#include "render/raster_target.h"

#include <cstddef>
#include <new>

int32_t raster_ImageWidth(int32_t viewWidth) {
    if (viewWidth < 0) return 0;
    return static_cast<int32_t>((int64_t(viewWidth) + 16) & ~int64_t(15));
}

bool RasterImage::createForView(int32_t viewWidth, int32_t viewHeight) {
    if (viewWidth <= 0) {
        release();
        return false;
    }
    return create(raster_ImageWidth(viewWidth), viewHeight);
}

bool RasterImage::create(int32_t width, int32_t height) {
    release();
    if (width <= 0 || height <= 0 || width > kRasterMaxSide || height > kRasterMaxSide) return false;
    try {
        pixels_.assign(std::size_t(width) * std::size_t(height), 0u);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void RasterImage::release() {
    std::vector<uint32_t>().swap(pixels_);
    width_ = 0;
    height_ = 0;
}
