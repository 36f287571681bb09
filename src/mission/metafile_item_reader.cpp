// The item block of the metafile: current keys and the keys of older files.
#include "gamedata/def_words.h"
#include "gamedata/item_defs.h"
#include "mission/item_lookup.h"
#include "mission/metafile_keys.h"
#include "mission/metafile_reader.h"
#include "mission/metafile_words.h"

#include <climits>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

enum class ItemKeyKind {
    Int,
    TypeId,
    Id,
    Position,
    Facing,
    Percent,
    Edistances,
    Loadout,
    LegacyText,
    Name,
    Skip
};

struct ItemKeyAction {
    ItemKeyKind kind;
    int32_t MissionItem::*field = nullptr;
    char (MissionItem::*text)[kItemLegacyTextSize] = nullptr;
};

using ItemKeyTable = std::unordered_map<std::string_view, ItemKeyAction>;

const ItemKeyTable& itemKeys() {
    static const ItemKeyTable table = [] {
        ItemKeyTable keys;
        for (const ItemIntKey& key : kItemWrittenKeys)
            keys[key.key] = {ItemKeyKind::Int, key.field};
        for (const ItemIntKey& key : kItemTrailingKeys)
            keys[key.key] = {ItemKeyKind::Int, key.field};
        for (const ItemIntKey& key : kItemLegacyKeys)
            keys[key.key] = {ItemKeyKind::Int, key.field};
        keys["alignment"] = {ItemKeyKind::Int, &MissionItem::team};
        keys["type_id"] = {ItemKeyKind::TypeId};
        keys["id"] = {ItemKeyKind::Id};
        keys["position"] = {ItemKeyKind::Position};
        keys["facing"] = {ItemKeyKind::Facing};
        keys["waccuracy"] = {ItemKeyKind::Percent, &MissionItem::waccuracy2};
        keys["perception"] = {ItemKeyKind::Percent, &MissionItem::perception2};
        keys["perfectionist"] = {ItemKeyKind::Percent, &MissionItem::perfectionist2};
        keys["edistances"] = {ItemKeyKind::Edistances};
        keys["loadout"] = {ItemKeyKind::Loadout};
        keys["bumper"] = {ItemKeyKind::LegacyText, nullptr, &MissionItem::bumper};
        keys["name_override"] = {ItemKeyKind::LegacyText, nullptr, &MissionItem::name_override};
        keys["name"] = {ItemKeyKind::Name};
        keys["ai_name"] = {ItemKeyKind::Skip};
        keys["value"] = {ItemKeyKind::Skip};
        return keys;
    }();
    return table;
}

constexpr size_t kLongestKey = 32;

// The key in lower case, or an empty view when it is longer than any key.
std::string_view lowerKey(const char* word, char (&buffer)[kLongestKey + 1]) {
    size_t length = 0;
    for (; word[length] != '\0'; ++length) {
        if (length == kLongestKey) return {};
        const char c = word[length];
        buffer[length] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return std::string_view(buffer, length);
}

} // namespace

int32_t metafile_Int(const LineTokens& tokens, int index) {
    return defword_IntClamped(metafile_Word(tokens, index));
}

void metafile_CopyText(char* field, size_t size, const LineTokens& tokens, int index) {
    defword_Copy(field, size, metafile_Word(tokens, index));
}

int32_t metafile_PercentFromFraction(const char* word) {
    if (word == nullptr) return 0;
    const char* p = word;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Significant digits and the position of the decimal point among them.
    char digits[64];
    int digit_count = 0;
    long point = 0; // digits before the decimal point (may count dropped digits)
    bool any = false;
    auto take = [&](char c, bool before_point) {
        any = true;
        if (digit_count == 0 && c == '0') {
            if (!before_point) --point; // a leading zero after the point shifts the point
            return;
        }
        // Only the first ten digits can reach the whole part; the rest are not kept.
        if (digit_count < static_cast<int>(sizeof digits)) digits[digit_count++] = c;
        if (before_point) ++point;
    };
    while (*p >= '0' && *p <= '9')
        take(*p++, true);
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9')
            take(*p++, false);
    }
    if (!any) return 0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        bool exp_negative = false;
        if (*q == '+' || *q == '-') exp_negative = *q++ == '-';
        if (*q >= '0' && *q <= '9') {
            long exponent = 0;
            while (*q >= '0' && *q <= '9') {
                if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            point += exp_negative ? -exponent : exponent;
        }
    }
    // Times 100: two more digits before the point. The whole part is what is kept.
    const long whole_digits = point + 2;
    if (digit_count == 0 || whole_digits <= 0) return 0;
    if (whole_digits > 10) return negative ? INT32_MIN : INT32_MAX;
    int64_t value = 0;
    for (long i = 0; i < whole_digits; ++i)
        value = value * 10 + (i < digit_count ? digits[i] - '0' : 0);
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

int metafile_ItemLine(MissionItem& item, const LineTokens& tokens) {
    char buffer[kLongestKey + 1];
    const std::string_view key = lowerKey(metafile_Word(tokens, 0), buffer);
    const auto found = itemKeys().find(key);
    if (found == itemKeys().end()) return 1;
    const ItemKeyAction& action = found->second;
    switch (action.kind) {
    case ItemKeyKind::Int:
        item.*action.field = metafile_Int(tokens, 1);
        break;
    case ItemKeyKind::TypeId:
        item.type_id = metafile_Int(tokens, 1);
        break;
    case ItemKeyKind::Id:
        item.id = metafile_Int(tokens, 1);
        break;
    case ItemKeyKind::Position:
        for (int i = 0; i < 3; ++i)
            item.position[i] = metafile_Int(tokens, 1 + i);
        break;
    case ItemKeyKind::Facing:
        if (tokens.count < 3) break; // older files wrote a bare "facing" line
        item.facing[0] = metafile_Int(tokens, 1);
        item.facing[1] = metafile_Int(tokens, 2);
        break;
    case ItemKeyKind::Percent:
        item.*action.field = metafile_PercentFromFraction(metafile_Word(tokens, 1));
        break;
    case ItemKeyKind::Edistances:
        item.edistances[0] = metafile_Int(tokens, 1);
        item.edistances[1] = metafile_Int(tokens, 2);
        break;
    case ItemKeyKind::Loadout:
        for (int i = 0; i < kItemLegacyLoadout; ++i)
            item.loadout[i] = metafile_Int(tokens, 1 + i);
        break;
    case ItemKeyKind::LegacyText:
        // The first four characters, not terminated when there are four or more.
        std::strncpy(item.*action.text, metafile_Word(tokens, 1), kItemLegacyTextSize);
        break;
    case ItemKeyKind::Name:
        // Older files named the definition instead of giving its id. A name that no definition
        // has leaves the type unset (0) rather than taking the first definition's type.
        if (item.type_id == 0) {
            const int index = item_FindDefIndexByName(metafile_Word(tokens, 1));
            const ItemDef* def = index >= 0 ? itemdef_Get(index) : nullptr;
            if (def != nullptr) item.type_id = def->id;
        }
        break;
    case ItemKeyKind::Skip:
        break;
    }
    return 0;
}
