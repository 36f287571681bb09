// JPEG decoding of a 1024 × 1024 terrain colour map, the editor's decoder against libjpeg-turbo
// with the same arithmetic (accurate integer DCT, no fancy upsampling) and the same 32-bit
// (blue, green, red, x) output. The "Ratio" benchmark decodes with both in turn and reports
// ours_over_libjpeg: the figure to watch.
#include "gamedata/jpeg_decoder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {
constexpr int kSide = 1024;

// Smooth value noise in 0-1 from a hashed lattice.
double lattice(int x, int y, uint32_t seed) {
    uint32_t h =
        static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double noise(double x, double y, uint32_t seed) {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const double fx = x - ix, fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// A colour map like a terrain's: height bands (water, sand, grass, rock, snow) over fractal noise,
// with fine texture.
std::vector<uint8_t> makeColourMap() {
    std::vector<uint8_t> rgb(static_cast<size_t>(kSide) * kSide * 3);
    uint32_t grain = 7;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            double height = 0, amplitude = 0.5, scale = 1.0 / 256;
            for (int octave = 0; octave < 6; ++octave, amplitude *= 0.5, scale *= 2)
                height += amplitude * noise(x * scale, y * scale, static_cast<uint32_t>(octave));
            grain = grain * 1664525u + 1013904223u;
            const int jitter = static_cast<int>(grain >> 28) - 8;
            int r, g, b;
            if (height < 0.38)
                r = 30, g = 60, b = 120 + static_cast<int>(height * 200);
            else if (height < 0.42)
                r = 190, g = 175, b = 120;
            else if (height < 0.62)
                r = 60, g = 110 + static_cast<int>((height - 0.42) * 200), b = 40;
            else if (height < 0.78)
                r = g = b = 100 + static_cast<int>((height - 0.62) * 300);
            else
                r = g = b = 235;
            uint8_t* p = rgb.data() + (static_cast<size_t>(y) * kSide + x) * 3;
            p[0] = static_cast<uint8_t>(std::clamp(r + jitter, 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp(g + jitter, 0, 255));
            p[2] = static_cast<uint8_t>(std::clamp(b + jitter, 0, 255));
        }
    }
    return rgb;
}

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void trapError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

std::vector<uint8_t> compress(const std::vector<uint8_t>& rgb, int quality, bool subsample) {
    jpeg_compress_struct info;
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = trapError;
    unsigned char* out = nullptr;
    unsigned long size = 0;
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        std::free(out);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = kSide;
    info.image_height = kSide;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (!subsample) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + static_cast<size_t>(info.next_scanline) * kSide * 3);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> file(out, out + size);
    std::free(out);
    return file;
}

// Benchmark argument: 0 quality 90 with 4:2:0 chroma (libjpeg's default), 1 quality 75 4:2:0,
// 2 quality 95 4:4:4.
const std::vector<uint8_t>& colourMapFile(int variant) {
    static const std::vector<uint8_t> rgb = makeColourMap();
    static std::vector<uint8_t> files[3];
    static const int quality[3] = {90, 75, 95};
    if (files[variant].empty()) files[variant] = compress(rgb, quality[variant], variant != 2);
    return files[variant];
}

bool decodeOurs(const std::vector<uint8_t>& file, std::vector<uint32_t>& pixels) {
    int width = kSide, height = kSide;
    uint32_t* out = pixels.data();
    return jpeg_Decode(file, width, height, out, 0) == 1;
}

bool decodeLibjpeg(const std::vector<uint8_t>& file, std::vector<uint32_t>& pixels) {
    jpeg_decompress_struct info;
    ErrorTrap trap;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = trapError;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = FALSE;
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    JSAMPROW rows[16];
    while (info.output_scanline < info.output_height) {
        for (int i = 0; i < 16; ++i)
            rows[i] = reinterpret_cast<JSAMPROW>(pixels.data() +
                                                 static_cast<size_t>(info.output_scanline + i) * kSide);
        const JDIMENSION left = info.output_height - info.output_scanline;
        jpeg_read_scanlines(&info, rows, left < 16 ? left : 16);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

void setLabel(benchmark::State& state, const std::vector<uint8_t>& file) {
    state.SetLabel(std::to_string(file.size() / 1024) + " KiB");
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

void BM_JpegDecode_Ours(benchmark::State& state) {
    const std::vector<uint8_t>& file = colourMapFile(static_cast<int>(state.range(0)));
    std::vector<uint32_t> pixels(static_cast<size_t>(kSide) * kSide);
    for (auto _ : state) {
        if (!decodeOurs(file, pixels)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    setLabel(state, file);
}

void BM_JpegDecode_LibjpegTurbo(benchmark::State& state) {
    const std::vector<uint8_t>& file = colourMapFile(static_cast<int>(state.range(0)));
    std::vector<uint32_t> pixels(static_cast<size_t>(kSide) * kSide + 16 * kSide);
    for (auto _ : state) {
        if (!decodeLibjpeg(file, pixels)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    setLabel(state, file);
}

// Processor time of this thread: other work on a busy machine does not count.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Both decoders alternately in the same loop, so that both see the same machine state; reports
// the ratio of their processor times.
void BM_JpegDecode_Ratio(benchmark::State& state) {
    const std::vector<uint8_t>& file = colourMapFile(static_cast<int>(state.range(0)));
    std::vector<uint32_t> ours(static_cast<size_t>(kSide) * kSide);
    std::vector<uint32_t> theirs(static_cast<size_t>(kSide) * kSide + 16 * kSide);
    double oursTime = 0, theirsTime = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        if (!decodeOurs(file, ours)) state.SkipWithError("decode failed");
        const double t1 = threadSeconds();
        if (!decodeLibjpeg(file, theirs)) state.SkipWithError("libjpeg decode failed");
        const double t2 = threadSeconds();
        oursTime += t1 - t0;
        theirsTime += t2 - t1;
    }
    if (theirsTime > 0) state.counters["ours_over_libjpeg"] = oursTime / theirsTime;
    // Same arithmetic, same output: the pixels must agree (the fourth byte aside).
    for (size_t i = 0; i < ours.size(); ++i)
        if ((ours[i] ^ theirs[i]) & 0xFFFFFF) {
            state.SkipWithError("pixels differ from libjpeg-turbo");
            break;
        }
    setLabel(state, file);
}
} // namespace

BENCHMARK(BM_JpegDecode_Ours)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDecode_LibjpegTurbo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegDecode_Ratio)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
