// What OK of the item attributes dialog writes into the selected items: only the fields whose
// controls changed, into every selected item, with the definition, weapon, position, waypoint
// number, real-number and bit rules.

#include "item_attr_fixture.h"

#include <climits>
#include <cstring>

namespace {

// True when the two records hold the same bytes.
bool sameRecord(const MissionItem& a, const MissionItem& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

// ---- Which items and fields are written ----------------------------------------------------------

TEST_F(ItemAttrTest, ChangingOnlyTheTeamWritesItIntoEverySelectedItemAndNothingElse) {
    const int a = add(kRifleman, 100, 200);
    const int b = add(kSniper, -300, 50);
    const int c = add(kRifleman, 7, 7);
    item(a).name_index = 1;
    item(b).name_index = 2;
    item(a).group_id = 3;
    item(b).group_id = 5;
    item(c).team = 2;
    const int other = add(kRifleman);
    select({a, b, c});
    MissionItem before[3] = {item(a), item(b), item(c)};
    const MissionItem untouched = item(other);

    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    EXPECT_EQ(form.team, 2);
    form.team = 4;
    ok(*session, form);

    const int slots[3] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        const int slot = slots[i];
        EXPECT_EQ(item(slot).team, 4) << slot;
        before[i].team = 4;
        EXPECT_TRUE(sameRecord(item(slot), before[i])) << "slot " << slot << " changed beyond its team";
    }
    EXPECT_TRUE(sameRecord(item(other), untouched));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ItemAttrTest, OkWithTheShownValuesWritesNothingEvenOnADamagedItem) {
    const int person = add(kRifleman, -1, 255);
    MissionItem& shown = item(person);
    shown.team = 9;   // outside the team list
    shown.layer = 40; // outside the layer list
    shown.group_id = -2;
    shown.name_index = 5000;
    shown.weapon_type = 77;
    shown.waypoint_id = 300;
    shown.ttoolindex = 12;
    shown.map_symbol = 9;
    shown.wpnumber = 40;
    shown.waccuracy2 = INT_MAX;
    shown.perception2 = INT_MIN;
    shown.bmsi_attributes = static_cast<int32_t>(0xFFFFFFFFu);
    shown.attributes = 0x5A5A;
    const int other = add(kSniper, 5, 5);
    item(other).team = 1;
    item(other).bmsi_attributes = 0x0880;
    select({other, person});
    const MissionItem beforeShown = item(person);
    const MissionItem beforeOther = item(other);

    auto session = open();
    ASSERT_TRUE(session);
    const ItemAttrForm& form = session->shownForm();
    EXPECT_EQ(form.team, -1);
    EXPECT_EQ(form.layer, -1);
    EXPECT_EQ(form.group, -1);
    EXPECT_EQ(form.name, -1);
    EXPECT_EQ(form.weapon, -1);
    EXPECT_EQ(form.waypoint_list, -1);
    EXPECT_EQ(form.waypoint_name, -1);
    EXPECT_EQ(form.map_symbol, -1);
    EXPECT_FALSE(ok(*session, form));
    EXPECT_TRUE(sameRecord(item(person), beforeShown));
    EXPECT_TRUE(sameRecord(item(other), beforeOther));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ItemAttrTest, AListWithoutSelectionLeavesEachItemsValueWhileAChosenOneIsWritten) {
    const int a = add(kRifleman);
    const int b = add(kRifleman);
    item(a).team = 3;
    item(b).team = 12; // shown, no team entry
    select({a, b});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    ok(*session, form);
    EXPECT_EQ(item(a).team, 3);
    EXPECT_EQ(item(b).team, 12);

    form.team = 0; // the user picked an entry after all
    ok(*session, form);
    EXPECT_EQ(item(a).team, 0);
    EXPECT_EQ(item(b).team, 0);
}

TEST_F(ItemAttrTest, ValuesOfControlsTheSelectionDoesNotUseAreNotWritten) {
    const int person = add(kRifleman);
    const int building = add(kBarracks);
    item(person).fov = 30;
    item(building).fov = 11;
    select({person, building});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.fov = "90";
    form.weapon = kWeaponUzzi;
    form.ticked_bits |= 1; // blind
    form.team = 1;
    ok(*session, form);
    EXPECT_EQ(item(person).fov, 30);
    EXPECT_EQ(item(building).fov, 11);
    EXPECT_EQ(item(person).weapon_type, 0);
    EXPECT_EQ(item(person).bmsi_attributes & 1, 0);
    EXPECT_EQ(item(person).team, 1);
    EXPECT_EQ(item(building).team, 1);
}

// ---- Definitions ---------------------------------------------------------------------------------

TEST_F(ItemAttrTest, ANewBuildingDefinitionChangesTheBuildingOnly) {
    const int person = add(kRifleman);
    const int building = add(kBarracks);
    select({person, building});
    auto session = open();
    ASSERT_TRUE(session);
    const std::vector<ItemAttrDefinitionEntry>& entries = session->lists().definitions;
    int bunker = -1;
    for (size_t entry = 0; entry < entries.size(); ++entry)
        if (entries[entry].name == "Bunker") bunker = static_cast<int>(entry);
    ASSERT_GE(bunker, 0);
    session->chooseDefinition(bunker);

    EXPECT_TRUE(ok(*session, session->shownForm()));
    EXPECT_EQ(item(building).type_id, kBunker);
    EXPECT_EQ(item(building).def_index, itemdef_FindById(kBunker));
    EXPECT_EQ(item(building).item_class, kClassBuilding);
    EXPECT_EQ(item(person).type_id, kRifleman);
    EXPECT_EQ(item(person).def_index, itemdef_FindById(kRifleman));
}

TEST_F(ItemAttrTest, ChoosingTheShownDefinitionAgainWritesNoDefinition) {
    const int bush = add(kBush);
    const int fallen = add(kFallen);
    select({fallen, bush});
    auto session = open();
    ASSERT_TRUE(session);
    session->chooseDefinition(session->shownDefinitionEntry());
    EXPECT_FALSE(ok(*session, session->shownForm()));
    EXPECT_EQ(item(fallen).type_id, kFallen);
}

TEST_F(ItemAttrTest, ADefinitionOfAnotherClassBringsItsClassAlong) {
    sources.show_all = true;
    const int person = add(kRifleman);
    const int other = add(kSniper);
    const int building = add(kBarracks);
    select({building, other, person});
    auto session = open();
    ASSERT_TRUE(session);
    const std::vector<ItemAttrDefinitionEntry>& entries = session->lists().definitions;
    int jeep = -1;
    for (size_t entry = 0; entry < entries.size(); ++entry)
        if (entries[entry].name == "Jeep") jeep = static_cast<int>(entry);
    ASSERT_GE(jeep, 0);
    session->chooseDefinition(jeep);
    ok(*session, session->shownForm());
    for (int slot : {person, other}) {
        EXPECT_EQ(item(slot).type_id, kJeep);
        EXPECT_EQ(item(slot).item_class, kClassVehicle) << "the class must follow the definition";
    }
    EXPECT_EQ(item(building).type_id, kBarracks);
    EXPECT_EQ(item(building).item_class, kClassBuilding);
}

// ---- NPC weapon ----------------------------------------------------------------------------------

TEST_F(ItemAttrTest, UzziSetsItsDistancesOnEverySelectedItem) {
    const int armed = add(kRifleman);
    const int shown = add(kRifleman);
    item(armed).weapon_type = kWeaponUzzi;
    item(armed).edistances[0] = 7;
    item(armed).edistances[1] = 9;
    item(shown).weapon_type = kWeaponM16;
    select({armed, shown});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.weapon = kWeaponUzzi;
    ok(*session, form);
    for (int slot : {armed, shown}) {
        EXPECT_EQ(item(slot).weapon_type, kWeaponUzzi);
        EXPECT_EQ(item(slot).edistances[0], 100);
        EXPECT_EQ(item(slot).edistances[1], 300);
    }
}

TEST_F(ItemAttrTest, DragunovaLeavesTheDistancesAndTheShownWeaponWritesNothing) {
    const int a = add(kRifleman);
    const int b = add(kRifleman);
    item(a).edistances[0] = 7;
    item(a).edistances[1] = 9;
    item(b).weapon_type = kWeaponUzzi;
    item(b).edistances[0] = 0;
    select({a, b});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    ok(*session, form); // the shown weapon kept: nothing happens to item a
    EXPECT_EQ(item(a).weapon_type, kWeaponNone);
    EXPECT_EQ(item(a).edistances[0], 7);

    form.weapon = kWeaponDragunova;
    ok(*session, form);
    EXPECT_EQ(item(a).weapon_type, kWeaponDragunova);
    EXPECT_EQ(item(b).weapon_type, kWeaponDragunova);
    EXPECT_EQ(item(a).edistances[0], 7);
    EXPECT_EQ(item(a).edistances[1], 9);
    EXPECT_EQ(item(b).edistances[0], 0);
}

TEST(ItemAttrWeapons, OnlyRiflesSubmachineGunsRocketsAndPistolsSetDistances) {
    int32_t minimum = -1;
    int32_t maximum = -1;
    EXPECT_TRUE(itemattr_WeaponDistances(kWeaponUzzi, minimum, maximum));
    EXPECT_EQ(minimum, 100);
    EXPECT_EQ(maximum, 300);
    int setting = 0;
    for (int weapon = -1; weapon <= 12; ++weapon)
        if (itemattr_WeaponDistances(weapon, minimum, maximum)) ++setting;
    EXPECT_EQ(setting, 6);
    minimum = maximum = -1;
    EXPECT_FALSE(itemattr_WeaponDistances(kWeaponDragunova, minimum, maximum));
    EXPECT_EQ(minimum, -1);
}

// ---- Position ------------------------------------------------------------------------------------

TEST_F(ItemAttrTest, PositionEditsAreWholeMetresAndParts) {
    const int slot = add(kRifleman, 5, 6);
    select({slot});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.position_metres[0] = "10";
    form.position_parts[0] = "128";
    form.position_metres[1] = "-1";
    form.position_parts[1] = "0";
    ok(*session, form);
    EXPECT_EQ(item(slot).position[0], 2688);
    EXPECT_EQ(item(slot).position[1], -256);
    EXPECT_EQ(item(slot).position[2], 0);

    auto again = open();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->shownForm().position_metres[1], "-1");
    EXPECT_EQ(again->shownForm().position_parts[1], "0");
}

TEST(ItemAttrPosition, MinusOneUnitShowsAsMinusOneMetreAndPart255) {
    EXPECT_EQ(itemattr_PositionMetres(-1), -1);
    EXPECT_EQ(itemattr_PositionParts(-1), 255);
    EXPECT_EQ(itemattr_PositionUnits(-1, 255), -1);
}

TEST(ItemAttrPosition, PartsCarryAndCountDownAndTheSumIsClampedNotWrapped) {
    EXPECT_EQ(itemattr_PositionUnits(2, 300), 812);
    EXPECT_EQ(itemattr_PositionUnits(2, -1), 511);
    EXPECT_EQ(itemattr_PositionUnits(INT_MAX, 0), INT_MAX);
    EXPECT_EQ(itemattr_PositionUnits(20000000, 0), INT_MAX);
    EXPECT_EQ(itemattr_PositionUnits(-20000000, 0), INT_MIN);
    EXPECT_EQ(itemattr_PositionUnits(0, INT_MIN), INT_MIN);
}

// ---- Waypoint numbers ----------------------------------------------------------------------------

TEST_F(ItemAttrTest, WaypointMarkerTakesNumber31AndRefuses32WhileTheTeamStillLands) {
    const int marker = add(kWaypointMarkerType);
    item(marker).wpnumber = 4;
    select({marker});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.wpnumber = "31";
    ok(*session, form);
    EXPECT_EQ(item(marker).wpnumber, 31);
    EXPECT_TRUE(messages.empty());

    auto again = open();
    ASSERT_TRUE(again);
    form = again->shownForm();
    form.wpnumber = "32";
    form.team = 2;
    form.wpdistance = "15";
    ok(*again, form);
    EXPECT_EQ(item(marker).wpnumber, 31);
    EXPECT_EQ(item(marker).team, 2);
    EXPECT_EQ(item(marker).wpdistance, 15) << "the steps after the refusal still run";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Waypoint Number");
    EXPECT_EQ(messages[0].text, "waypoint numbers stop below 32");
}

TEST_F(ItemAttrTest, AreaTriggerMarkerTakesNumber99AndRefuses100) {
    const int marker = add(kAreaTriggerMarkerType);
    item(marker).wpnumber = 1;
    select({marker});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.wpnumber = "99";
    ok(*session, form);
    EXPECT_EQ(item(marker).wpnumber, 99);
    form.wpnumber = "100";
    ok(*session, form);
    EXPECT_EQ(item(marker).wpnumber, 99);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Area Trigger Number");
    EXPECT_EQ(messages[0].text, "area numbers stop at 99");
}

TEST_F(ItemAttrTest, ANumberAnySelectedMarkerCannotTakeIsRefusedForAll) {
    // The shown area marker could take 50, the waypoint marker beside it could not.
    const int waypoint = add(kWaypointMarkerType);
    const int area = add(kAreaTriggerMarkerType);
    item(waypoint).wpnumber = 3;
    item(area).wpnumber = 3;
    select({waypoint, area});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.wpnumber = "50";
    ok(*session, form);
    EXPECT_EQ(item(waypoint).wpnumber, 3);
    EXPECT_EQ(item(area).wpnumber, 3);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Waypoint Number");

    form.wpnumber = "20";
    ok(*session, form);
    EXPECT_EQ(item(waypoint).wpnumber, 20);
    EXPECT_EQ(item(area).wpnumber, 20);
}

TEST_F(ItemAttrTest, AnOversizedNumberLeftAsItWasShowsNoMessage) {
    const int marker = add(kWaypointMarkerType);
    item(marker).wpnumber = 40; // from a damaged file
    select({marker});
    auto session = open();
    ASSERT_TRUE(session);
    ok(*session, session->shownForm());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(item(marker).wpnumber, 40);
}

TEST_F(ItemAttrTest, PeopleTakeAnyWaypointNumber) {
    const int person = add(kRifleman);
    select({person});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.wpnumber = "500";
    ok(*session, form);
    EXPECT_EQ(item(person).wpnumber, 500);
    EXPECT_TRUE(messages.empty());
}

// ---- Numbers as typed ----------------------------------------------------------------------------

TEST_F(ItemAttrTest, AccuracyAndPerceptionAreReadAsRealNumbersAndTruncated) {
    const int shown = add(kRifleman);
    const int other = add(kRifleman);
    item(shown).waccuracy2 = 75;
    item(other).waccuracy2 = 10;
    item(shown).perception2 = 50;
    item(other).perception2 = 20;
    select({other, shown});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.accuracy = "75.0"; // equal to the stored 75: nothing written
    form.perception = "75.9";
    ok(*session, form);
    EXPECT_EQ(item(other).waccuracy2, 10);
    EXPECT_EQ(item(shown).perception2, 75);
    EXPECT_EQ(item(other).perception2, 75);

    form.accuracy = "1e20";
    form.perception = "-12.7";
    ok(*session, form);
    EXPECT_EQ(item(other).waccuracy2, INT_MAX) << "clamped, not wrapped";
    EXPECT_EQ(item(other).perception2, -12);
}

TEST_F(ItemAttrTest, TextWithoutDigitsReadsZeroAndHugeNumbersAreClamped) {
    const int person = add(kRifleman);
    item(person).facing[0] = 90;
    item(person).fov = 60;
    item(person).waccuracy2 = 40;
    select({person});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.heading = "north";
    form.fov = "99999999999";
    form.pitch = "-99999999999";
    form.accuracy = "inf";
    ok(*session, form);
    EXPECT_EQ(item(person).facing[0], 0);
    EXPECT_EQ(item(person).fov, INT_MAX);
    EXPECT_EQ(item(person).facing[1], INT_MIN);
    EXPECT_EQ(item(person).waccuracy2, 0);
}

// ---- Check boxes ---------------------------------------------------------------------------------

TEST_F(ItemAttrTest, BoxesChangeTheirOwnBitInEveryItemAndKeepAllOthers) {
    const int a = add(kRifleman);
    const int b = add(kRifleman);
    item(a).bmsi_attributes = 0x0080 | 0x4000 | static_cast<int32_t>(0x80010000u); // bit 7, deaf, high bits
    item(b).bmsi_attributes = 0x0800 | 0x4000 | 0x0004; // berserk, deaf, break left
    item(a).attributes = 0x1234;
    select({a, b});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.ticked_bits &= ~0x4000; // untick deaf
    form.ticked_bits |= 0x0001;  // tick blind
    ok(*session, form);
    EXPECT_EQ(item(a).bmsi_attributes, 0x0080 | 0x0001 | static_cast<int32_t>(0x80010000u));
    EXPECT_EQ(item(b).bmsi_attributes, 0x0800 | 0x0004 | 0x0001);
    EXPECT_EQ(item(a).attributes, 0x1234);
}

TEST_F(ItemAttrTest, BitsWithoutABoxInTheFormAreIgnored) {
    const int a = add(kRifleman);
    select({a});
    auto session = open();
    ASSERT_TRUE(session);
    ItemAttrForm form = session->shownForm();
    form.ticked_bits = 0x0880; // bits 7 and 11 have no box
    ok(*session, form);
    EXPECT_EQ(item(a).bmsi_attributes, 0);
}

// ---- Opening on the selection --------------------------------------------------------------------

TEST_F(ItemAttrTest, SelectionEntriesThatNameNoItemAreLeftOut) {
    const int a = add(kRifleman);
    const int b = add(kSniper);
    page.selection.count = 4;
    page.selection.slots[0] = a;
    page.selection.slots[1] = b;
    page.selection.slots[2] = 4999; // beyond num_items
    page.selection.slots[3] = -7;
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->shownSlot(), b);
    EXPECT_EQ(session->slots(), (std::vector<int>{a, b}));
    ItemAttrForm form = session->shownForm();
    form.team = 3;
    ok(*session, form);
    EXPECT_EQ(item(a).team, 3);
    EXPECT_EQ(page.items[4999].team, 0);
}

TEST_F(ItemAttrTest, NoSessionWithoutASelectedItem) {
    add(kRifleman);
    EXPECT_FALSE(open());
    page.selection.count = 1;
    page.selection.slots[0] = 3;
    EXPECT_FALSE(open());
    page.selection.count = -5;
    EXPECT_FALSE(open());
}
