#pragma once
// The numbers of items per category that the game accepts from a binary mission, and the
// warnings shown when a page holds more.

#include "mission/mission_page.h"

#include <string>
#include <vector>

// Categories of the binary mission's item sections, in file order.
enum class ExportCategory { General = 0, Decorations = 1, Markers = 2, People = 3 };
constexpr int kExportCategoryCount = 4;

constexpr int32_t kExportLimitGeneral = 1024;     // vehicles, objects, effects, other classes
constexpr int32_t kExportLimitDecorations = 1024; // classes 2 (decoration) and 5 (building)
constexpr int32_t kExportLimitMarkers = 512;      // class 4
constexpr int32_t kExportLimitPeople = 256;       // class 3

// Item counts per category, indexed by ExportCategory.
struct ExportCounts {
    int32_t count[kExportCategoryCount] = {};
    int32_t& operator[](ExportCategory c) { return count[static_cast<int>(c)]; }
    int32_t operator[](ExportCategory c) const { return count[static_cast<int>(c)]; }
};

struct ExportLimitWarning {
    ExportCategory category;
    int32_t found; // items of the category on the page
    int32_t limit; // items the file can take
};

ExportCategory export_CategoryOf(int32_t item_class);
int32_t export_Limit(ExportCategory category);
// The "Dialog Message" key of the category's warning ("TOO_MANY_DECOR" and so on).
const char* export_WarningKey(ExportCategory category);

// Items of slots 0 to num_items-1 per category.
ExportCounts export_CountItems(const MissionPage& page);
// The categories above their limits, in the order the warnings are shown: decorations, markers,
// people, general items.
std::vector<ExportLimitWarning> export_LimitWarnings(const MissionPage& page);
// The warning text: the category's key used as a format with the count found and the limit.
std::string export_WarningText(const ExportLimitWarning& warning);

// Counts the items per category and, for each category above its limit (in the order of
// export_LimitWarnings), shows its warning (caption "WARNING", plain OK box) and lowers the count
// to the limit. Returns the lowered counts.
ExportCounts page_CheckExportLimits(const MissionPage& page);
