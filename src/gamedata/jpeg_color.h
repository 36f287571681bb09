#pragma once
// Colour conversion of the JPEG reader: finished MCU rows of component samples to 32-bit pixels
// (blue, green, red, 0). Subsampled components are replicated: each pixel takes the sample whose
// area covers it.

#include "gamedata/jpeg_internal.h"

struct JpegPlane {
    const uint8_t* samples = nullptr; // the component's sample rows of the current MCU row
    size_t stride = 0;                // bytes between rows
    int h = 1;                        // sampling factors as the scan uses them
    int v = 1;
};

class JpegRowConverter {
  public:
    JpegRowConverter() = default;
    ~JpegRowConverter();
    JpegRowConverter(const JpegRowConverter&) = delete;
    JpegRowConverter& operator=(const JpegRowConverter&) = delete;

    // `planes` holds `components` planes; hmax and vmax are their largest factors. False when the
    // scratch rows cannot be allocated.
    bool init(JpegColor color, int components, const JpegPlane* planes, int hmax, int vmax, int width);
    // Converts pixel rows 0 to rows - 1 of the current MCU row (rows <= 8 × vmax); row r goes to
    // out + r × stride, `width` pixels.
    void convert(int rows, uint32_t* out, size_t stride);

  private:
    const uint8_t* sampleRow(int c, int ly) const;
    const uint8_t* pixelRow(int c, int ly);

    JpegColor color_ = JpegColor::Grey;
    int components_ = 0;
    JpegPlane planes_[kJpegMaxComponents];
    int hmax_ = 1;
    int vmax_ = 1;
    int width_ = 0;
    int chromaStep_ = 0;         // 1 or 2 when YCbCr rows go to the row kernel unexpanded, else 0
    uint8_t* scratch_ = nullptr; // one expanded row per component
};
