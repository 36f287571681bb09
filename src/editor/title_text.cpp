#include "editor/title_text.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"

namespace {
constexpr const char* kDialogSection = "Dialog Message";
constexpr const char* kWindowTextSection = "Med Window Text";
constexpr int32_t kUnitsPerMetre = 256;
constexpr double kCentimetresPerUnit = 0.390625; // 100 / 256
} // namespace

std::string editor_TitleText(const char* fileName) {
    const char* consumer = TextLookup(kDialogSection, "CONSUMER");
    if (fileName == nullptr || fileName[0] == '\0')
        return text_FormatChecked(TextLookup(kDialogSection, "QZMED_TITLE"), "ss", "%s Mission Editor %s",
                                  {consumer, kEditorVersion});
    return text_FormatChecked(TextLookup(kDialogSection, "QZMED_TITLE_PLUS_FNAME"), "sss",
                              "%s Mission Editor %s - %s", {consumer, kEditorVersion, fileName});
}

std::string editor_GridSizeText(int32_t gridSize) {
    if (gridSize < kUnitsPerMetre)
        return text_FormatChecked(TextLookup(kWindowTextSection, "QZ_GRID_SIZE_CM"), "f", "%.2f cm",
                                  {static_cast<double>(gridSize) * kCentimetresPerUnit});
    return text_FormatChecked(TextLookup(kWindowTextSection, "QZ_GRID_SIZE_M"), "d", "%i m",
                              {static_cast<int>(gridSize / kUnitsPerMetre)});
}
