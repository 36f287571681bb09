#include "jpeg_reference.h"

#include "gamedata/jpeg_decoder.h"
#include "gamedata/jpeg_internal.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {
// libjpeg reports errors through error_exit, which must not return.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void trapError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->jump, 1);
}

void ignoreMessage(j_common_ptr, int) {}

ErrorTrap* installTrap(ErrorTrap& trap) {
    std::memset(&trap, 0, sizeof trap);
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = trapError;
    trap.manager.emit_message = ignoreMessage;
    return &trap;
}

int clampByte(int v) {
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

// The C-style core: no object with a destructor lives across the setjmp.
bool encode(const JpegFixture& fixture, const uint8_t* pixels, unsigned char** out, unsigned long* outSize) {
    jpeg_compress_struct info;
    ErrorTrap trap;
    info.err = &installTrap(trap)->manager;
    jpeg_scan_info scans[4];
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = static_cast<JDIMENSION>(fixture.width);
    info.image_height = static_cast<JDIMENSION>(fixture.height);
    info.input_components = fixture.components;
    info.in_color_space = fixture.components == 1   ? JCS_GRAYSCALE
                          : fixture.components == 3 ? JCS_RGB
                          : fixture.components == 4 ? JCS_CMYK
                                                    : JCS_UNKNOWN;
    jpeg_set_defaults(&info);
    if (fixture.components == 3 && fixture.rgb) jpeg_set_colorspace(&info, JCS_RGB);
    if (fixture.components == 4 && fixture.ycck) jpeg_set_colorspace(&info, JCS_YCCK);
    jpeg_set_quality(&info, fixture.quality, fixture.forceBaseline ? TRUE : FALSE);
    info.dct_method = JDCT_ISLOW;
    for (int c = 0; c < fixture.components; ++c) {
        info.comp_info[c].h_samp_factor = fixture.sampling[c][0];
        info.comp_info[c].v_samp_factor = fixture.sampling[c][1];
    }
    info.restart_interval = static_cast<unsigned int>(fixture.restartInterval);
    info.optimize_coding = fixture.optimize ? TRUE : FALSE;
    info.arith_code = fixture.arithmetic ? TRUE : FALSE;
    if (fixture.progressive) jpeg_simple_progression(&info);
    if (fixture.separateScans) {
        for (int c = 0; c < fixture.components; ++c) {
            scans[c] = {};
            scans[c].comps_in_scan = 1;
            scans[c].component_index[0] = c;
            scans[c].Ss = 0;
            scans[c].Se = 63;
        }
        info.scan_info = scans;
        info.num_scans = fixture.components;
    }
    jpeg_start_compress(&info, TRUE);
    const size_t rowBytes = static_cast<size_t>(fixture.width) * fixture.components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool decode(const std::vector<uint8_t>& file, JpegReference& ref, std::vector<uint8_t>& samples) {
    jpeg_decompress_struct info;
    ErrorTrap trap;
    info.err = &installTrap(trap)->manager;
    if (setjmp(trap.jump)) {
        ref.error = trap.message;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = FALSE;
    info.do_block_smoothing = FALSE;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        info.out_color_space = JCS_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        break;
    default:
        break;
    }
    jpeg_start_decompress(&info);
    ref.width = static_cast<int>(info.output_width);
    ref.height = static_cast<int>(info.output_height);
    ref.components = info.output_components;
    const size_t rowBytes = static_cast<size_t>(ref.width) * ref.components;
    samples.resize(rowBytes * ref.height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = samples.data() + info.output_scanline * rowBytes;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
} // namespace

std::vector<uint8_t> jpegtest_MakeImage(int width, int height, int components, uint32_t seed) {
    std::vector<uint8_t> image(static_cast<size_t>(width) * height * components);
    uint32_t state = seed * 2654435761u + 12345u;
    size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int region = (x / 13 + y / 11) % 4;
            for (int c = 0; c < components; ++c) {
                state = state * 1664525u + 1013904223u;
                const int noise = static_cast<int>((state >> 24) % 41) - 20;
                int v = 0;
                switch (region) {
                case 0:
                    v = (x * 255) / (width > 1 ? width - 1 : 1) + (c * 60) - y % 50 + noise;
                    break;
                case 1:
                    v = ((x + y + c * 5) & 8) ? 255 : 0;
                    break; // hard, saturated edges
                case 2:
                    v = (x * 7 + y * 3 + c * 40) % 256 + noise;
                    break;
                default:
                    v = ((x ^ y) * (c + 3)) & 255;
                    break;
                }
                image[i++] = static_cast<uint8_t>(clampByte(v));
            }
        }
    }
    return image;
}

std::vector<uint8_t> jpegtest_Encode(const JpegFixture& fixture) {
    const std::vector<uint8_t> pixels =
        jpegtest_MakeImage(fixture.width, fixture.height, fixture.components, fixture.seed);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const bool ok = encode(fixture, pixels.data(), &out, &outSize);
    std::vector<uint8_t> file;
    if (ok && out) file.assign(out, out + outSize);
    std::free(out);
    if (fixture.labelBaseline) {
        // Walk the segments before the scan to the frame header.
        size_t pos = 2;
        while (pos + 4 <= file.size() && file[pos] == 0xFF && file[pos + 1] != 0xDA) {
            if (file[pos + 1] == 0xC1) file[pos + 1] = 0xC0;
            pos += 2 + (static_cast<size_t>(file[pos + 2]) << 8 | file[pos + 3]);
        }
    }
    return file;
}

JpegReference jpegtest_ReferenceDecode(const std::vector<uint8_t>& file) {
    JpegReference ref;
    std::vector<uint8_t> samples;
    ref.ok = decode(file, ref, samples);
    if (ref.ok) ref.samples = std::move(samples);
    return ref;
}

std::vector<uint32_t> jpegtest_ReferencePixels(const JpegReference& ref) {
    const size_t count = static_cast<size_t>(ref.width) * ref.height;
    std::vector<uint32_t> pixels(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* s = ref.samples.data() + i * ref.components;
        switch (ref.components) {
        case 3:
            pixels[i] = uint32_t{s[0]} << 16 | uint32_t{s[1]} << 8 | s[2];
            break;
        case 4: {
            // Inverted CMYK as Adobe writes it: each ink channel times black / 255, rounded.
            auto scale = [&](int c) { return static_cast<uint32_t>((s[c] * s[3] + 127) / 255); };
            pixels[i] = scale(0) << 16 | scale(1) << 8 | scale(2);
            break;
        }
        default:
            pixels[i] = s[0] * 0x010101u;
            break; // grey, or the first of two components
        }
    }
    return pixels;
}

void jpegtest_ExpectMatchesReference(const std::vector<uint8_t>& file) {
    ASSERT_FALSE(file.empty());
    const JpegReference ref = jpegtest_ReferenceDecode(file);
    ASSERT_TRUE(ref.ok) << ref.error;
    const std::vector<uint32_t> expected = jpegtest_ReferencePixels(ref);
    struct KernelGuard {
        ~KernelGuard() { jpeg_SetVectorKernels(true); }
    } guard;
    for (bool vector : {false, true}) {
        jpeg_SetVectorKernels(vector);
        SCOPED_TRACE(vector ? "vector kernels" : "scalar kernels");
        int width = 0, height = 0;
        uint32_t* pixels = nullptr;
        ASSERT_EQ(jpeg_Decode(file, width, height, pixels, 1), 1);
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(width, ref.width);
        EXPECT_EQ(height, ref.height);
        size_t mismatches = 0;
        std::string first;
        for (size_t i = 0; i < expected.size(); ++i) {
            if (pixels[i] == expected[i]) continue;
            if (mismatches++ == 0) {
                char text[128];
                std::snprintf(text, sizeof text, "first at (%zu, %zu): got %06X, expected %06X",
                              i % static_cast<size_t>(ref.width), i / static_cast<size_t>(ref.width),
                              pixels[i], expected[i]);
                first = text;
            }
        }
        EXPECT_EQ(mismatches, 0u) << first;
        jpeg_FreePixels(pixels);
    }
}
