#pragma once
// The off-screen image the map view is drawn into: 32-bit pixels 0x00RRGGBB, top row first, rows
// packed (pitch = width pixels).

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int32_t kRasterMaxSide = 16384; // larger images are refused

// A view of pixels owned elsewhere. Drawing into a target that is not valid() does nothing.
struct RasterTarget {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t* pixels = nullptr; // width × height pixels

    bool valid() const {
        return pixels != nullptr && width > 0 && height > 0 && width <= kRasterMaxSide &&
               height <= kRasterMaxSide;
    }
};

// Width of the off-screen image for a map view `viewWidth` pixels wide: (viewWidth + 16) rounded
// down to a multiple of 16, so always wider than the view (1000 gives 1008, 1008 gives 1024).
// 0 for a negative width.
int32_t raster_ImageWidth(int32_t viewWidth);

// An owned off-screen image.
class RasterImage {
  public:
    // Makes the image for a map view of viewWidth × viewHeight pixels (width raster_ImageWidth,
    // height viewHeight), cleared to 0. False, leaving no image, when a side is 0 or less or the
    // image would exceed kRasterMaxSide or the memory.
    bool createForView(int32_t viewWidth, int32_t viewHeight);
    // Makes an image of exactly width × height pixels; false as above.
    bool create(int32_t width, int32_t height);
    void release();

    RasterTarget target() {
        return RasterTarget{width_, height_, pixels_.empty() ? nullptr : pixels_.data()};
    }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    const uint32_t* pixels() const { return pixels_.empty() ? nullptr : pixels_.data(); }
    uint32_t* pixels() { return pixels_.empty() ? nullptr : pixels_.data(); }

  private:
    std::vector<uint32_t> pixels_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};
