// qzmission render MISSION.mis OUT.png [--mode color|depth|outline] [--size WxH] [--zoom Z]
// [--center X,Y]: the map view of a mission, drawn by the editor's renderer, as a PNG.
//
// The view is the editor's first one (show flags, grid and view-by as the main window starts
// them) unless the options say otherwise: an image of 1024 × 768 pixels, zoom 0.001 pixels per
// world unit, centred on the origin.
#include "../tool_command.h"
#include "mission_loading.h"
#include "png_writer.h"

#include "foundation/atomic_file.h"
#include "gamedata/item_defs.h"
#include "gamedata/model_cache.h"
#include "mission/write_failure.h"
#include "render/map_render.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "usage: qzmission [--game DIR] render MISSION.mis OUT.png [--mode color|depth|outline] "
    "[--size WxH] [--zoom Z] [--center X,Y]\n";
constexpr int32_t kDefaultWidth = 1024;
constexpr int32_t kDefaultHeight = 768;

struct RenderArgs {
    std::string mission;
    std::string output;
    int32_t mode = kMapModeColor;
    int32_t width = kDefaultWidth;
    int32_t height = kDefaultHeight;
    float zoom = 0.001f;
    int32_t centerX = 0;
    int32_t centerY = 0;
};

// A whole decimal integer within [low, high], ending at `end` (or at the string's end when null).
bool parseInt(const char* text, char expectedEnd, const char** rest, long low, long high, int32_t& out) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || errno != 0 || *end != expectedEnd || value < low || value > high) return false;
    out = int32_t(value);
    if (rest != nullptr) *rest = end + 1;
    return true;
}

bool parseSize(const std::string& text, int32_t& width, int32_t& height) {
    const char* rest = nullptr;
    return parseInt(text.c_str(), 'x', &rest, 1, kRasterMaxSide, width) &&
           parseInt(rest, '\0', nullptr, 1, kRasterMaxSide, height);
}

bool parseCenter(const std::string& text, int32_t& x, int32_t& y) {
    const char* rest = nullptr;
    return parseInt(text.c_str(), ',', &rest, INT32_MIN, INT32_MAX, x) &&
           parseInt(rest, '\0', nullptr, INT32_MIN, INT32_MAX, y);
}

bool parseZoom(const std::string& text, float& zoom) {
    errno = 0;
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || errno != 0 || !std::isfinite(value) || value < kZoomMin)
        return false;
    zoom = value;
    return true;
}

bool parseMode(const std::string& text, int32_t& mode) {
    if (text == "color")
        mode = kMapModeColor;
    else if (text == "depth")
        mode = kMapModeDepth;
    else if (text == "outline")
        mode = kMapModeOutline;
    else
        return false;
    return true;
}

bool parseArgs(const std::vector<std::string>& args, RenderArgs& out) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            positional.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const std::string& value = args[++i];
        bool ok = false;
        if (arg == "--mode")
            ok = parseMode(value, out.mode);
        else if (arg == "--size")
            ok = parseSize(value, out.width, out.height);
        else if (arg == "--zoom")
            ok = parseZoom(value, out.zoom);
        else if (arg == "--center")
            ok = parseCenter(value, out.centerX, out.centerY);
        if (!ok) return false;
    }
    if (positional.size() != 2) return false;
    out.mission = positional[0];
    out.output = positional[1];
    return true;
}

// The models the page's items are drawn with, loaded through the model cache as the editor does
// after opening a mission (people are drawn as symbols and need none).
void loadModels(const MissionPage& page) {
    for (int i = 0; i < page.num_items && i < kMaxItems; ++i) {
        ItemDef* def = itemdef_Get(page.items[i].def_index);
        if (def == nullptr || def->model != nullptr || def->graphic[0] == '\0' ||
            def->type == kItemTypePerson)
            continue;
        char name[kItemFileNameSize + 1] = {};
        std::memcpy(name, def->graphic, kItemFileNameSize);
        def->model = model_Get(name, 0, nullptr);
    }
}

int runRender(const ToolContext& context, const std::vector<std::string>& args) {
    RenderArgs options;
    if (!parseArgs(args, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!tool_CheckOutputName("qzmission", options.output)) return 2;
    std::vector<std::string> paths = {options.mission, options.output};
    tool_AbsolutePaths(paths);
    if (int status = tool_LoadGameData(context)) return status;
    MissionPage* page = nullptr;
    if (int status = tool_LoadMission(context, paths[0], options.mission, page)) return status;
    loadModels(*page);

    ViewState view{};
    view_Reset(view);
    view_ApplyWindowStart(view);
    view.map_mode = options.mode;
    view.zoom = options.zoom;
    view.center_x = options.centerX;
    view.center_y = options.centerY;

    RasterImage image;
    if (!image.create(options.width, options.height)) {
        std::fprintf(stderr, "qzmission: cannot make an image of %ix%i pixels\n", options.width,
                     options.height);
        return 1;
    }
    MapRender(*page, view, image.target());

    std::vector<uint8_t> png;
    if (!png_EncodeRgb32(image.pixels(), image.width(), image.height(), png)) {
        std::fprintf(stderr, "qzmission: cannot encode the image of %ix%i pixels\n", options.width,
                     options.height);
        return 1;
    }
    FileFailure failure;
    if (!file_WriteWhole(paths[1].c_str(), png.data(), png.size(), &failure)) {
        write_ReportFailure(paths[1].c_str(), failure);
        return 1;
    }
    return 0;
}

const ToolCommand kRender("render",
                          "MISSION.mis OUT.png [--mode color|depth|outline] [--size WxH] [--zoom Z] "
                          "[--center X,Y]",
                          runRender);
} // namespace
