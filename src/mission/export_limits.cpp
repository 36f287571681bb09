#include "mission/export_limits.h"

#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/string_table.h"

namespace {
constexpr const char* kMessageSection = "Dialog Message";
// Warning order: decorations, markers, people, general items.
constexpr ExportCategory kWarningOrder[kExportCategoryCount] = {
    ExportCategory::Decorations, ExportCategory::Markers, ExportCategory::People, ExportCategory::General};

int clampedItemCount(const MissionPage& page) {
    return page.num_items < 0 ? 0 : (page.num_items > kMaxItems ? kMaxItems : page.num_items);
}
} // namespace

ExportCategory export_CategoryOf(int32_t item_class) {
    switch (item_class) {
    case kClassDecoration:
    case kClassBuilding:
        return ExportCategory::Decorations;
    case kClassMarker:
        return ExportCategory::Markers;
    case kClassPerson:
        return ExportCategory::People;
    default:
        return ExportCategory::General;
    }
}

int32_t export_Limit(ExportCategory category) {
    switch (category) {
    case ExportCategory::Decorations:
        return kExportLimitDecorations;
    case ExportCategory::Markers:
        return kExportLimitMarkers;
    case ExportCategory::People:
        return kExportLimitPeople;
    case ExportCategory::General:
        break;
    }
    return kExportLimitGeneral;
}

const char* export_WarningKey(ExportCategory category) {
    switch (category) {
    case ExportCategory::Decorations:
        return "TOO_MANY_DECOR";
    case ExportCategory::Markers:
        return "TOO_MANY_MARKERS";
    case ExportCategory::People:
        return "TOO_MANY_ORGANICS";
    case ExportCategory::General:
        break;
    }
    return "TOO_MANY_ITEMS";
}

ExportCounts export_CountItems(const MissionPage& page) {
    ExportCounts counts;
    const int n = clampedItemCount(page);
    for (int i = 0; i < n; ++i)
        ++counts[export_CategoryOf(page.items[i].item_class)];
    return counts;
}

std::vector<ExportLimitWarning> export_LimitWarnings(const MissionPage& page) {
    const ExportCounts counts = export_CountItems(page);
    std::vector<ExportLimitWarning> warnings;
    for (ExportCategory category : kWarningOrder) {
        const int32_t limit = export_Limit(category);
        if (counts[category] > limit) warnings.push_back({category, counts[category], limit});
    }
    return warnings;
}

std::string export_WarningText(const ExportLimitWarning& warning) {
    return fmt_Format(TextLookup(kMessageSection, export_WarningKey(warning.category)),
                      {warning.found, warning.limit});
}

ExportCounts page_CheckExportLimits(const MissionPage& page) {
    ExportCounts counts = export_CountItems(page);
    for (const ExportLimitWarning& warning : export_LimitWarnings(page)) {
        const std::string text = export_WarningText(warning);
        msg_Show(TextLookup(kMessageSection, "WARNING"), text.c_str(), MsgIcon::None, MsgButtons::Ok);
        counts[warning.category] = warning.limit;
    }
    return counts;
}
