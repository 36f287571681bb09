// The item attributes dialog's rules that are not about writing: which controls a selection
// leaves enabled (also after choosing another definition) and what each list holds.

#include "item_attr_fixture.h"

#include <cstring>

namespace {

constexpr ItemAttrControls kFacingSymbolTeamName =
    kAttrHeading | kAttrPitch | kAttrMapSymbol | kAttrTeam | kAttrName;

int entryNamed(const ItemAttrSession& session, const char* name) {
    const std::vector<ItemAttrDefinitionEntry>& entries = session.lists().definitions;
    for (size_t entry = 0; entry < entries.size(); ++entry)
        if (entries[entry].name == name) return static_cast<int>(entry);
    return -1;
}

std::vector<std::string> definitionNames(const ItemAttrSession& session) {
    std::vector<std::string> names;
    for (const ItemAttrDefinitionEntry& entry : session.lists().definitions)
        names.push_back(entry.name);
    return names;
}

} // namespace

// ---- Enabling ------------------------------------------------------------------------------------

TEST_F(ItemAttrTest, APersonAndABuildingLeaveOnlyFacingMapSymbolTeamAndName) {
    select({add(kRifleman), add(kBarracks)});
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->enabled(), kFacingSymbolTeamName);
}

TEST_F(ItemAttrTest, PeopleAloneUseEveryControl) {
    select({add(kRifleman), add(kSniper)});
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->enabled(), kAttrAllControls);
}

TEST_F(ItemAttrTest, VehiclesHaveNoWeaponNoRemovalAndOnlyThreeAttributeBoxes) {
    select({add(kRifleman), add(kJeep)});
    auto session = open();
    ASSERT_TRUE(session);
    const ItemAttrControls on = session->enabled();
    EXPECT_EQ(on & (kAttrWeapon | kAttrRemoveIf | kAttrStanding | kAttrProne | kAttrSilent), 0u);
    EXPECT_EQ(on & (kAttrDeaf | kAttrBlind | kAttrGuarding | kAttrWaypointName | kAttrPerception),
              kAttrDeaf | kAttrBlind | kAttrGuarding | kAttrWaypointName | kAttrPerception);
}

TEST(ItemAttrEnabling, MarkersFollowTheirType) {
    const ItemAttrControls waypoint = itemattr_UsedControls({kClassMarker, kWaypointMarkerType});
    EXPECT_EQ(waypoint & kAttrPitch, 0u) << "a waypoint marker has no pitch";
    EXPECT_NE(waypoint & kAttrWaypointName, 0u);
    EXPECT_EQ(itemattr_UsedControls({kClassMarker, kAreaTriggerMarkerType}),
              ItemAttrControls{kAttrWaypointNumber});
    EXPECT_EQ(itemattr_UsedControls({kClassMarker, kRadius}),
              ItemAttrControls{kAttrMapSymbol | kAttrWaypointDistance});
    EXPECT_EQ(itemattr_UsedControls({kClassMarker, 6500}), 0u) << "a marker without a rule uses nothing";
    // The same type means nothing special outside its class.
    EXPECT_EQ(itemattr_UsedControls({kClassPerson, kAreaTriggerMarkerType}), kAttrAllControls);
}

TEST(ItemAttrEnabling, ClassesWithoutARuleUseEverything) {
    EXPECT_EQ(itemattr_UsedControls({kClassEffect, 8001}), kAttrAllControls);
    EXPECT_EQ(itemattr_UsedControls({0, 0}), kAttrAllControls);
    EXPECT_EQ(itemattr_UsedControls({-3, 6005}), kAttrAllControls);
}

TEST(ItemAttrEnabling, DecorationsAndObjectsFollowTheirType) {
    EXPECT_NE(itemattr_UsedControls({kClassDecoration, kFallen}) & kAttrName, 0u);
    EXPECT_EQ(itemattr_UsedControls({kClassDecoration, kBush}) & kAttrName, 0u);
    const ItemAttrControls camera = itemattr_UsedControls({kClassObject, kCamera});
    EXPECT_EQ(camera & (kAttrWaypointList | kAttrWaypointNumber | kAttrBlind),
              kAttrWaypointList | kAttrWaypointNumber | kAttrBlind);
    EXPECT_EQ(camera & kAttrWaypointDistance, 0u);
    EXPECT_EQ(itemattr_UsedControls({kClassObject, 4036}) & kAttrMapSymbol, 0u) << "mines have no map symbol";
}

TEST_F(ItemAttrTest, ChoosingADefinitionAppliesTheEnablingAgain) {
    const int fallen = add(kFallen);
    const int bush = add(kBush);
    select({fallen, bush});
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->enabled() & kAttrName, 0u);
    session->chooseDefinition(entryNamed(*session, "Fallen"));
    EXPECT_NE(session->enabled() & kAttrName, 0u) << "both decorations will be fallen soldiers";
    session->chooseDefinition(entryNamed(*session, "Bush"));
    EXPECT_EQ(session->enabled() & kAttrName, 0u);
}

TEST_F(ItemAttrTest, AChosenDefinitionCountsOnlyForTheItemsThatWillTakeIt) {
    // The waypoint marker keeps its own type whatever decoration is chosen, so it keeps
    // its own rule: heading, map symbol and team stay enabled, pitch does not.
    select({add(kWaypointMarkerType), add(kBush)});
    auto session = open();
    ASSERT_TRUE(session);
    session->chooseDefinition(entryNamed(*session, "Fallen"));
    EXPECT_EQ(session->enabled(), ItemAttrControls{kAttrHeading | kAttrMapSymbol | kAttrTeam});
}

// ---- Lists ---------------------------------------------------------------------------------------

TEST_F(ItemAttrTest, DefinitionListHoldsTheShownClassWithoutHiddenOnesSortedByName) {
    select({add(kRifleman), add(kBarracks)});
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(definitionNames(*session), (std::vector<std::string>{"Barracks", "Bunker"}));
    EXPECT_EQ(session->shownDefinitionEntry(), 0);

    select({add(kSniper)});
    session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(definitionNames(*session), (std::vector<std::string>{"Rifleman", "sniper"}))
        << "letter case does not decide the order";
    EXPECT_EQ(session->shownDefinitionEntry(), 1);

    select({add(kCamera)});
    session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(entryNamed(*session, "Dummy"), -1) << "NoCTool definitions are left out";
}

TEST_F(ItemAttrTest, ShowAllListsEveryDefinition) {
    sources.show_all = true;
    select({add(kBarracks)});
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(static_cast<int>(session->lists().definitions.size()), itemdef_Count());
    EXPECT_GE(entryNamed(*session, "OldBunker"), 0);
    EXPECT_GE(entryNamed(*session, "Dummy"), 0);
    EXPECT_GE(entryNamed(*session, "Jeep"), 0);
    EXPECT_EQ(session->lists().definitions[static_cast<size_t>(session->shownDefinitionEntry())].name,
              "Barracks");
}

TEST_F(ItemAttrTest, ATypeWithoutADefinitionShowsTheFirstDefinitionWhenItIsListed) {
    const int stray = add(kRifleman);
    item(stray).type_id = 77777;
    select({stray});
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->lists().definitions[static_cast<size_t>(session->shownDefinitionEntry())].name,
              "Rifleman");
    EXPECT_FALSE(ok(*session, session->shownForm()));
    EXPECT_EQ(item(stray).type_id, 77777) << "nothing chosen: the type stays";

    item(stray).item_class = kClassBuilding; // the first definition is not in this list
    session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->shownDefinitionEntry(), -1);
}

TEST_F(ItemAttrTest, NoDefinitionsLeaveTheListEmptyAndTheTypeAsItIs) {
    const int slot = add(kRifleman);
    select({slot});
    itemdef_Clear();
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_TRUE(session->lists().definitions.empty());
    EXPECT_EQ(session->shownDefinitionEntry(), -1);
    session->chooseDefinition(0);
    EXPECT_FALSE(ok(*session, session->shownForm()));
    EXPECT_EQ(item(slot).type_id, kRifleman);
}

TEST_F(ItemAttrTest, NumberedListsShowNumberAndDescription) {
    std::strcpy(page.layers[0].description, "Roads");
    std::strcpy(page.groups[3].description, "Patrol");
    std::strcpy(page.waypoints[12].description, "100% round");
    select({add(kRifleman)});
    auto session = open();
    ASSERT_TRUE(session);
    const ItemAttrLists& lists = session->lists();
    ASSERT_EQ(lists.layers.size(), 16u);
    EXPECT_EQ(lists.layers[0], " 1 - Roads");
    EXPECT_EQ(lists.layers[1], "Unnamed layer 2");
    EXPECT_EQ(lists.layers[15], "Unnamed layer 16");
    ASSERT_EQ(lists.groups.size(), 64u);
    EXPECT_EQ(lists.groups[0], "(none)");
    EXPECT_EQ(lists.groups[3], " 3 - Patrol");
    EXPECT_EQ(lists.groups[63], "63 - ");
    ASSERT_EQ(lists.waypoint_lists.size(), 128u);
    EXPECT_EQ(lists.waypoint_lists[12], "12 - 100% round");
    EXPECT_EQ(lists.waypoint_lists[127], "127 - ");
}

TEST_F(ItemAttrTest, DescriptionsWithoutTerminatorStayInsideTheirFields) {
    std::memset(page.layers[2].description, 'L', sizeof page.layers[2].description);
    std::memset(page.groups[5].description, 'G', sizeof page.groups[5].description);
    std::memset(page.waypoints[7].description, 'W', sizeof page.waypoints[7].description);
    select({add(kRifleman)});
    auto session = open();
    ASSERT_TRUE(session);
    const ItemAttrLists& lists = session->lists();
    EXPECT_EQ(lists.layers[2], " 3 - " + std::string(kItemAttrListTextMax, 'L') + "...");
    EXPECT_EQ(lists.groups[5], " 5 - " + std::string(kItemAttrListTextMax, 'G') + "...");
    EXPECT_EQ(lists.waypoint_lists[7], " 7 - " + std::string(kItemAttrListTextMax, 'W') + "...");
    EXPECT_EQ(lists.layers[3], "Unnamed layer 4");
}

TEST_F(ItemAttrTest, NameListsRunUpToTheFirstMissingNumber) {
    select({add(kRifleman)});
    auto session = open();
    ASSERT_TRUE(session);
    EXPECT_EQ(session->lists().names, (std::vector<std::string>{"nobody", "Ann", "Bob"}));
    EXPECT_EQ(session->lists().waypoint_names, (std::vector<std::string>{"none", "Alpha"}));

    sources.names = nullptr;
    session = open();
    ASSERT_TRUE(session);
    EXPECT_TRUE(session->lists().names.empty());
    EXPECT_TRUE(session->lists().waypoint_names.empty());
}

TEST_F(ItemAttrTest, FixedListsHoldTheirEntriesWithNoneFirst) {
    select({add(kRifleman)});
    auto session = open();
    ASSERT_TRUE(session);
    const ItemAttrLists& lists = session->lists();
    EXPECT_EQ(lists.teams, (std::vector<std::string>{"Neutral", "Blue", "Red", "Yellow", "Violet"}));
    ASSERT_EQ(lists.weapons.size(), 11u);
    EXPECT_EQ(lists.weapons[0], "(none)");
    EXPECT_EQ(lists.weapons[kWeaponUzzi], "Uzi");
    EXPECT_EQ(lists.weapons[kWeaponDragunova], "Dragunov");
    ASSERT_EQ(lists.map_symbols.size(), 9u);
    EXPECT_EQ(lists.map_symbols[0], "(none)");
}

TEST_F(ItemAttrTest, ClassAndSerialTexts) {
    EXPECT_EQ(itemattr_ClassText(kClassBuilding), "Building");
    EXPECT_EQ(itemattr_ClassText(kClassEffect), "");
    EXPECT_EQ(itemattr_ClassText(0), "");
    EXPECT_EQ(itemattr_SerialText(42), "serial 42");
}
