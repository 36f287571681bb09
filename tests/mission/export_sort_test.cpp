// The export order of items: the exchange sort's exact result, computed on indices.
#include "mission/binary_export.h"
#include "support/random_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

// The sort as the export has always described it, moving whole records.
void literalExchangeSort(MissionPage& page) {
    auto greater = [](const MissionItem& a, const MissionItem& b) {
        return a.type_id > b.type_id || (a.type_id == b.type_id && a.wpnumber > b.wpnumber);
    };
    for (int o = 0; o + 1 < page.num_items; ++o)
        for (int j = o + 1; j < page.num_items; ++j)
            if (greater(page.items[o], page.items[j])) std::swap(page.items[o], page.items[j]);
}

std::unique_ptr<MissionPage> pageWithKeys(const std::vector<std::pair<int32_t, int32_t>>& keys) {
    auto page = std::make_unique<MissionPage>();
    page->num_items = static_cast<int32_t>(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        page->items[i].type_id = keys[i].first;
        page->items[i].wpnumber = keys[i].second;
        page->items[i].id = static_cast<int32_t>(i) + 1; // tells records with equal keys apart
    }
    return page;
}

std::vector<int32_t> idsOf(const MissionPage& page) {
    std::vector<int32_t> ids;
    for (int i = 0; i < page.num_items; ++i)
        ids.push_back(page.items[i].id);
    return ids;
}

// Sorts copies of `page` both ways and expects identical item arrays.
void expectSameAsLiteral(const MissionPage& page) {
    auto fast = std::make_unique<MissionPage>();
    auto literal = std::make_unique<MissionPage>();
    std::memcpy(static_cast<MissionPageData*>(fast.get()), static_cast<const MissionPageData*>(&page),
                sizeof(MissionPageData));
    std::memcpy(static_cast<MissionPageData*>(literal.get()), static_cast<const MissionPageData*>(&page),
                sizeof(MissionPageData));
    export_SortItems(*fast);
    literalExchangeSort(*literal);
    ASSERT_EQ(idsOf(*fast), idsOf(*literal));
    EXPECT_EQ(0, std::memcmp(fast->items, literal->items, sizeof(MissionItem) * page.num_items));
}

TEST(ExportSort, EqualTypesOrderedByWaypointNumber) {
    auto page = pageWithKeys({{7, 3}, {7, 1}});
    export_SortItems(*page);
    EXPECT_EQ(1, page->items[0].wpnumber);
    EXPECT_EQ(3, page->items[1].wpnumber);
}

TEST(ExportSort, KeepsTheUnstableOrderOfEqualKeys) {
    // Pass 0 exchanges slot 0 with slot 2 (key 1 < 2) and then the held key 1 stays; the two
    // records with key (2, 0) end up in swapped order, which a stable sort would not do.
    auto page = pageWithKeys({{2, 0}, {2, 0}, {1, 0}});
    export_SortItems(*page);
    EXPECT_EQ((std::vector<int32_t>{3, 2, 1}), idsOf(*page));
}

TEST(ExportSort, SignedKeysCompareAsSigned) {
    auto page =
        pageWithKeys({{5, 2}, {-3, 0}, {5, -7}, {0x7FFFFFFF, 0}, {5, static_cast<int32_t>(0x80000000)}});
    export_SortItems(*page);
    EXPECT_EQ((std::vector<int32_t>{2, 5, 3, 1, 4}), idsOf(*page));
}

TEST(ExportSort, SameOrderAsTheLiteralSortOnRandomKeys) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 60; ++round) {
        const int n = std::uniform_int_distribution<int>(0, round < 50 ? 60 : 700)(random);
        // Few distinct keys, so that equal keys meet often.
        const int types = std::uniform_int_distribution<int>(1, 6)(random);
        std::vector<std::pair<int32_t, int32_t>> keys;
        for (int i = 0; i < n; ++i)
            keys.emplace_back(std::uniform_int_distribution<int32_t>(-2, types)(random),
                              std::uniform_int_distribution<int32_t>(-1, 3)(random));
        SCOPED_TRACE(round);
        expectSameAsLiteral(*pageWithKeys(keys));
    }
}

TEST(ExportSort, SameOrderAsTheLiteralSortOnRandomPages) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        auto page = std::make_unique<MissionPage>();
        RandomPageOptions options;
        options.items = seed == 4 ? 2500 : 900;
        options.events = 0;
        test_FillRandomPage(*page, seed, options);
        SCOPED_TRACE(seed);
        expectSameAsLiteral(*page);
    }
}

TEST(ExportSort, SameOrderAsTheLiteralSortOnOrderedAndReversedPages) {
    std::vector<std::pair<int32_t, int32_t>> ascending;
    for (int i = 0; i < 400; ++i)
        ascending.emplace_back(i / 7, i % 7);
    std::vector<std::pair<int32_t, int32_t>> descending(ascending.rbegin(), ascending.rend());
    std::vector<std::pair<int32_t, int32_t>> equal(300, {4, 4});
    expectSameAsLiteral(*pageWithKeys(ascending));
    expectSameAsLiteral(*pageWithKeys(descending));
    expectSameAsLiteral(*pageWithKeys(equal));
}

TEST(ExportSort, OrderNamesTheSlotEachItemComesFrom) {
    auto page = pageWithKeys({{9, 0}, {1, 0}, {5, 0}});
    EXPECT_EQ((std::vector<int>{1, 2, 0}), export_SortOrder(*page));
}

} // namespace

namespace {

TEST(ExportSort, SelectionKeepsItsItems) {
    auto page = pageWithKeys({{9, 0}, {1, 0}, {5, 0}, {3, 0}});
    page->selection.count = 2;
    page->selection.slots[0] = 0; // id 1
    page->selection.slots[1] = 2; // id 3
    export_SortItems(*page);
    ASSERT_EQ(2, page->selection.count);
    EXPECT_EQ(1, page->items[page->selection.slots[0]].id);
    EXPECT_EQ(3, page->items[page->selection.slots[1]].id);
}

} // namespace
