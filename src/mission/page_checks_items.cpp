// Checks of single items: unknown types, items off the terrain, ids used twice.
#include "foundation/safe_format.h"
#include "gamedata/item_defs.h"
#include "gamedata/string_table.h"
#include "mission/integrity_check.h"
#include "mission/item_lookup.h"
#include "mission/page_checks_internal.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

namespace {
constexpr const char* kProblemSection = "Problems";
constexpr int32_t kUnitsPerMetre = 256;

// The unknown items of the integrity check, one problem per missing type.
void unknownTypes(const MissionPage& page, std::vector<PageProblem>& out) {
    std::map<int32_t, std::vector<int>> byType;
    for (int slot : page_FindUnknownItems(page))
        byType[page.items[slot].type_id].push_back(slot);
    // In the order the first item of each type appears.
    std::vector<std::pair<int32_t, std::vector<int>>> types(byType.begin(), byType.end());
    std::sort(types.begin(), types.end(),
              [](const auto& a, const auto& b) { return a.second[0] < b.second[0]; });
    for (auto& [type, slots] : types) {
        PageProblem problem;
        problem.severity = ProblemSeverity::Error;
        problem.code = ProblemCode::UnknownItemType;
        problem.message = fmt_Format(TextLookup(kProblemSection, "UNKNOWN_ITEM_TYPE"),
                                     {static_cast<int>(type), static_cast<int>(slots.size())});
        problem.items = std::move(slots);
        out.push_back(std::move(problem));
    }
}

bool outsideTerrain(const MissionItem& item) {
    // Compared as magnitudes in 64 bits: the most negative position has no 32-bit opposite.
    return std::llabs(static_cast<long long>(item.position[0])) > kTerrainBoundary ||
           std::llabs(static_cast<long long>(item.position[1])) > kTerrainBoundary;
}

std::string definitionName(int32_t type_id) {
    const ItemDef* def = itemdef_Get(item_FindDefIndex(type_id));
    return def != nullptr ? std::string(def->name) : std::to_string(type_id);
}

void itemsOutsideTerrain(const MissionPage& page, std::vector<PageProblem>& out) {
    const int n = check_ItemCount(page);
    for (int slot = 0; slot < n; ++slot) {
        const MissionItem& item = page.items[slot];
        if (!outsideTerrain(item)) continue;
        PageProblem problem;
        problem.severity = ProblemSeverity::Error;
        problem.code = ProblemCode::ItemOutsideTerrain;
        // Whole metres, rounded toward minus infinity as the item information shows them.
        problem.message = fmt_Format(TextLookup(kProblemSection, "ITEM_OUTSIDE_TERRAIN"),
                                     {slot, definitionName(item.type_id), item.position[0] >> 8,
                                      item.position[1] >> 8, kTerrainBoundary / kUnitsPerMetre});
        problem.items.push_back(slot);
        out.push_back(std::move(problem));
    }
}

void duplicateIds(const MissionPage& page, std::vector<PageProblem>& out) {
    const int n = check_ItemCount(page);
    std::vector<std::pair<int32_t, int>> ids;
    ids.reserve(static_cast<size_t>(n));
    for (int slot = 0; slot < n; ++slot)
        ids.emplace_back(page.items[slot].id, slot);
    std::sort(ids.begin(), ids.end());
    std::vector<PageProblem> found;
    for (size_t i = 0; i < ids.size();) {
        size_t j = i + 1;
        while (j < ids.size() && ids[j].first == ids[i].first)
            ++j;
        if (j - i > 1) {
            PageProblem problem;
            problem.severity = ProblemSeverity::Error;
            problem.code = ProblemCode::DuplicateItemId;
            problem.message = fmt_Format(TextLookup(kProblemSection, "DUPLICATE_ITEM_ID"),
                                         {static_cast<int>(j - i), static_cast<int>(ids[i].first)});
            for (size_t k = i; k < j; ++k)
                problem.items.push_back(ids[k].second);
            found.push_back(std::move(problem));
        }
        i = j;
    }
    // In page order: by the first slot of each id.
    std::sort(found.begin(), found.end(),
              [](const PageProblem& a, const PageProblem& b) { return a.items[0] < b.items[0]; });
    for (PageProblem& problem : found)
        out.push_back(std::move(problem));
}
} // namespace

void check_Items(const MissionPage& page, std::vector<PageProblem>& out) {
    unknownTypes(page, out);
    itemsOutsideTerrain(page, out);
    duplicateIds(page, out);
}
