// qzdata image IN OUT.ppm [--16]: decodes an image with the editor's own decoders and writes the
// red, green and blue bytes of its pixels as a binary PPM.
#include "../tool_command.h"

#include "foundation/atomic_file.h"
#include "foundation/file_access.h"
#include "gamedata/image_holder.h"
#include "gamedata/jpeg_decoder.h"
#include "gamedata/pcx_decoder.h"
#include "gamedata/r16_decoder.h"
#include "gamedata/tga_decoder.h"
#include "qzdata_files.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

namespace {
constexpr const char* kUsage = "IN OUT.ppm [--16]";

enum class ImageKind { Unknown, Jpeg, Tga, Pcx, R16 };

ImageKind kindOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return ImageKind::Unknown;
    const char* ext = path.c_str() + dot;
    if (strcasecmp(ext, ".jpg") == 0 || strcasecmp(ext, ".jpeg") == 0) return ImageKind::Jpeg;
    if (strcasecmp(ext, ".tga") == 0) return ImageKind::Tga;
    if (strcasecmp(ext, ".pcx") == 0) return ImageKind::Pcx;
    if (strcasecmp(ext, ".r16") == 0) return ImageKind::R16;
    return ImageKind::Unknown;
}

// An image as red-green-blue triples, top row first.
struct RgbImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;
};

// 32-bit (blue, green, red, fourth) pixels to triples.
void fromPixels(const uint8_t* pixels, uint32_t width, uint32_t height, RgbImage& out) {
    out.width = width;
    out.height = height;
    const size_t count = static_cast<size_t>(width) * height;
    out.rgb.resize(count * 3);
    for (size_t i = 0; i < count; ++i) {
        out.rgb[i * 3 + 0] = pixels[i * 4 + 2];
        out.rgb[i * 3 + 1] = pixels[i * 4 + 1];
        out.rgb[i * 3 + 2] = pixels[i * 4 + 0];
    }
}

// 8-bit indices through the holder's (blue, green, red, 0) palette.
void fromIndexed(const ImageHolder& holder, RgbImage& out) {
    out.width = holder.width;
    out.height = holder.height;
    out.rgb.resize(static_cast<size_t>(holder.pixelCount) * 3);
    for (size_t i = 0; i < holder.pixelCount; ++i) {
        const uint8_t* entry = holder.palette + static_cast<size_t>(holder.pixels[i]) * 4;
        out.rgb[i * 3 + 0] = entry[2];
        out.rgb[i * 3 + 1] = entry[1];
        out.rgb[i * 3 + 2] = entry[0];
    }
}

const char* resultText(int result) {
    switch (result) {
    case kImageNotFound:
        return "file not found";
    case kImageNoMemory:
        return "out of memory";
    case kImageUnsupported:
        return "unsupported or damaged file";
    default:
        return "cannot decode";
    }
}

int decodeJpeg(const char* path, RgbImage& out) {
    ImageFileBuffer file;
    int result = file.load(path, false);
    if (result != kImageOk) return result;
    int width = 0, height = 0;
    uint32_t* pixels = nullptr;
    if (jpeg_Decode(file.bytes(), width, height, pixels, 1) != 1) return kImageUnsupported;
    out.width = static_cast<uint32_t>(width);
    out.height = static_cast<uint32_t>(height);
    const size_t count = static_cast<size_t>(out.width) * out.height;
    out.rgb.resize(count * 3);
    for (size_t i = 0; i < count; ++i) {
        out.rgb[i * 3 + 0] = static_cast<uint8_t>(pixels[i] >> 16);
        out.rgb[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        out.rgb[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
    }
    jpeg_FreePixels(pixels);
    return kImageOk;
}

int decodeHolderImage(ImageKind kind, const char* path, bool falseColour, RgbImage& out) {
    ImageHolder holder{};
    int result = kImageUnsupported;
    switch (kind) {
    case ImageKind::Tga:
        result = tga_Read(holder, path);
        break;
    case ImageKind::Pcx:
        result = pcx_ReadIndexed(holder, path);
        break;
    case ImageKind::R16:
        result = r16_Read(holder, path, falseColour);
        break;
    default:
        break;
    }
    if (result == kImageOk) {
        if (kind == ImageKind::Pcx)
            fromIndexed(holder, out);
        else
            fromPixels(holder.pixels, holder.width, holder.height, out);
    }
    image_Free(holder);
    return result;
}

bool writePpm(const std::string& path, const RgbImage& image) {
    AtomicFile file;
    bool good = file.open(path.c_str());
    good = good && file.printf("P6\n%u %u\n255\n", image.width, image.height);
    good = good && file.write(image.rgb.data(), image.rgb.size());
    good = good && file.commit();
    if (!good)
        std::fprintf(stderr, "qzdata image: cannot write %s: %s\n", qzdata_ShownPath(path).c_str(),
                     file_FailureText(file.failure()).c_str());
    return good;
}

int runImage(const ToolContext&, const std::vector<std::string>& args) {
    std::vector<std::string> paths;
    bool falseColour = false;
    for (const std::string& arg : args) {
        if (arg == "--16")
            falseColour = true;
        else
            paths.push_back(arg);
    }
    if (paths.size() != 2) {
        std::fprintf(stderr, "usage: qzdata image %s\n", kUsage);
        return 2;
    }
    const std::string& in = paths[0];
    const ImageKind kind = kindOf(in);
    if (kind == ImageKind::Unknown) {
        std::fprintf(stderr, "qzdata image: %s: not a .jpg, .tga, .pcx or .r16 file\n", in.c_str());
        return 2;
    }
    if (!tool_CheckOutputName("qzdata", paths[1])) return 2;
    if (!qzdata_CheckInput(in)) return 1;
    // The image is a loose file named on the command line, not a game-directory entry.
    file_SetLooseFirst(1);
    RgbImage image;
    const int result = kind == ImageKind::Jpeg ? decodeJpeg(in.c_str(), image)
                                               : decodeHolderImage(kind, in.c_str(), falseColour, image);
    if (result != kImageOk) {
        std::fprintf(stderr, "qzdata image: %s: %s\n", qzdata_ShownPath(in).c_str(), resultText(result));
        return 1;
    }
    if (!writePpm(paths[1], image)) return 1;
    return 0;
}

const ToolCommand kImageCommand("image", kUsage, runImage);
} // namespace
