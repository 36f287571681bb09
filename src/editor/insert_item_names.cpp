#include "editor/insert_item_names.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kHiddenFromTools = kItemAttrNoTool | kItemAttrNoCTool;

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

} // namespace

bool insert_NameBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

std::vector<std::string> insert_DefinitionNames(std::span<const ItemDef> defs, int32_t itemClass,
                                                bool showAll) {
    std::vector<std::string> names;
    for (const ItemDef& def : defs) {
        if (def.type != itemClass) continue;
        if (!showAll && (def.attributes & kHiddenFromTools) != 0) continue;
        names.emplace_back(def.name, strnlen(def.name, sizeof def.name));
    }
    std::stable_sort(names.begin(), names.end(), insert_NameBefore);
    return names;
}

std::vector<std::string> insert_DefinitionNames(int32_t itemClass, bool showAll) {
    const ItemDef* all = itemdef_All();
    if (all == nullptr) return {};
    return insert_DefinitionNames(std::span<const ItemDef>(all, static_cast<size_t>(itemdef_Count())),
                                  itemClass, showAll);
}
