#include "editor/refusal_notices.h"

#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/string_table.h"
#include "mission/terrain_images.h"

#include <cstring>

namespace {

constexpr const char* kMessageSection = "Dialog Message";

std::string cutShort(const char* key, const char* fallback, int done, int wanted) {
    if (done >= wanted) return {};
    return text_FormatChecked(TextLookup(kMessageSection, key), "ddd", fallback, {done, wanted, kMaxItems});
}

} // namespace

std::string notice_InsertRefused(const MissionPage& page) {
    if (page.num_items < kMaxItems) return {};
    return text_FormatChecked(
        TextLookup(kMessageSection, "PAGE_FULL_INSERT"), "d",
        "No item was inserted: the page already holds %i items, the most a page can hold.", {kMaxItems});
}

std::string notice_CopyCutShort(int copied, int wanted) {
    return cutShort("PAGE_FULL_COPY",
                    "%i of %i items were copied. The others did not fit: a page holds at most %i items.",
                    copied, wanted);
}

std::string notice_PasteCutShort(int pasted, int wanted) {
    return cutShort("PAGE_FULL_PASTE",
                    "%i of %i items were pasted. The others did not fit: a page holds at most %i items.",
                    pasted, wanted);
}

std::string notice_TerrainFilesMissing(const std::string& terrainName,
                                       const std::vector<std::string>& missing) {
    if (missing.empty()) return {};
    std::string files;
    for (const std::string& file : missing) {
        if (!files.empty()) files += ", ";
        files += file;
    }
    return text_FormatChecked(TextLookup(kMessageSection, "TERRAIN_FILES_MISSING"), "ss",
                              "The terrain %s cannot be shown in full: %s cannot be found.",
                              {terrainName, files});
}

bool notice_Show(const std::string& text) {
    if (text.empty()) return false;
    msg_Show(TextLookup(kMessageSection, "WARNING"), text.c_str(), MsgIcon::Warning, MsgButtons::Ok);
    return true;
}

bool notice_ShowMissingTerrain(const MissionPage& page) {
    const std::string name(page.general.terrain, strnlen(page.general.terrain, sizeof page.general.terrain));
    return notice_Show(notice_TerrainFilesMissing(name, terrain_MissingFiles(page.general.terrain)));
}
