// The rules of the waypoint, area trigger and group dialogs: what a store writes (and leaves
// alone), what selecting a record's markers or members adds, the list lines and the reports.

#include "editor/list_dialog_rules.h"
#include "editor_fixture.h"
#include "render/map_render.h"
#include "render/view_state.h"

#include "support/temp_dir.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr ListDialogKind kAllKinds[] = {ListDialogKind::Waypoints, ListDialogKind::AreaTriggers,
                                        ListDialogKind::Groups};

class ListDialogRules : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        page = std::make_unique<MissionPage>();
        page_Clear(*page);
    }

    void setText(char* field, size_t size, const std::string& text) {
        std::memset(field, 0, size);
        std::memcpy(field, text.data(), std::min(text.size(), size - 1));
    }

    // Every byte of the three record arrays, to show that a store wrote nothing.
    std::vector<char> recordBytes() const {
        std::vector<char> bytes;
        const auto append = [&](const auto& records) {
            const char* begin = reinterpret_cast<const char*>(&records);
            bytes.insert(bytes.end(), begin, begin + sizeof records);
        };
        append(page->waypoints);
        append(page->area_triggers);
        append(page->groups);
        return bytes;
    }

    std::vector<int> selection() const {
        return std::vector<int>(page->selection.slots, page->selection.slots + page->selection.count);
    }

    std::unique_ptr<MissionPage> page;
    const uint32_t showAll = kShowFlagsWindowStart;
};

// ---- Storing ----------------------------------------------------------------------------------

TEST_F(ListDialogRules, StoringWhatIsShownWritesNothingEvenForRecordsThatCannotBeShownWhole) {
    // What a damaged or foreign file can leave: a description longer than the edit takes, one
    // that fills its field without an end, colours outside the list, bits the dialogs have no
    // boxes for.
    setText(page->waypoints[1].description, kWaypointDescSize, std::string(1000, 'w'));
    page->waypoints[1].color = 40;
    page->waypoints[1].attrib = 0x7FFFFFF9;
    std::memset(page->groups[1].description, 'g', kGroupDescSize);
    page->groups[1].color = -7;
    page->groups[1].commander = 12;
    page->groups[1].attrib = 3;
    std::memset(page->area_triggers[99].description, 'a', kAreaTriggerDescSize);
    page->area_triggers[99].color = -1;
    page->area_triggers[99].attrib = 0x55;
    const std::vector<char> before = recordBytes();
    for (ListDialogKind kind : kAllKinds) {
        for (int number = 1; number <= listdlg_EntryCount(kind); ++number) {
            EXPECT_FALSE(listdlg_Store(*page, kind, number, listdlg_Shown(*page, kind, number))) << number;
        }
    }
    EXPECT_TRUE(recordBytes() == before);
}

TEST_F(ListDialogRules, AChangedDescriptionIsStoredCutToTheEditsLimitAndTheRestOfTheFieldCleared) {
    setText(page->waypoints[4].description, kWaypointDescSize, std::string(1000, 'w'));
    ListEntryInput input = listdlg_Shown(*page, ListDialogKind::Waypoints, 4);
    ASSERT_EQ(input.description.size(), size_t(kListDescriptionMaxChars));
    input.description.pop_back(); // the user deletes one character
    EXPECT_TRUE(listdlg_Store(*page, ListDialogKind::Waypoints, 4, input));
    EXPECT_EQ(std::string(page->waypoints[4].description), std::string(kListDescriptionMaxChars - 1, 'w'));
    input.description += 'x'; // and types another: now the record holds exactly the edit's text
    EXPECT_TRUE(listdlg_Store(*page, ListDialogKind::Waypoints, 4, input));
    EXPECT_EQ(std::string(page->waypoints[4].description),
              std::string(kListDescriptionMaxChars - 1, 'w') + "x");
    EXPECT_EQ(page->waypoints[4].description[kListDescriptionMaxChars + 1], '\0');

    input.description = std::string(300, 'z'); // more than the edit would take
    listdlg_Store(*page, ListDialogKind::Waypoints, 4, input);
    EXPECT_EQ(std::string(page->waypoints[4].description), std::string(kListDescriptionMaxChars, 'z'));
}

TEST_F(ListDialogRules, AnEditedUnterminatedDescriptionEndsInsideItsField) {
    std::memset(page->groups[7].description, 'g', kGroupDescSize);
    ListEntryInput input = listdlg_Shown(*page, ListDialogKind::Groups, 7);
    input.description = "Snipers";
    listdlg_Store(*page, ListDialogKind::Groups, 7, input);
    EXPECT_EQ(std::string(page->groups[7].description), "Snipers");
    EXPECT_EQ(page->groups[7].description[kGroupDescSize - 1], '\0');
}

TEST_F(ListDialogRules, WaypointBoxesSetTheirThreeBitsAndKeepTheOthers) {
    page->waypoints[2].attrib = 0x100 | kWaypointBlueTeam;
    ListEntryInput input = listdlg_Shown(*page, ListDialogKind::Waypoints, 2);
    EXPECT_EQ(input.flag_bits, kWaypointBlueTeam);
    input.flag_bits = kWaypointNoLoop | kWaypointRedTeam;
    EXPECT_TRUE(listdlg_Store(*page, ListDialogKind::Waypoints, 2, input));
    EXPECT_EQ(page->waypoints[2].attrib, 0x100 | kWaypointNoLoop | kWaypointRedTeam);
}

TEST_F(ListDialogRules, AChosenColourIsStoredAndNoChoiceKeepsTheStoredOne) {
    page->area_triggers[5].color = 33;
    ListEntryInput input = listdlg_Shown(*page, ListDialogKind::AreaTriggers, 5);
    EXPECT_EQ(input.color_position, -1);
    listdlg_Store(*page, ListDialogKind::AreaTriggers, 5, input);
    EXPECT_EQ(page->area_triggers[5].color, 33);
    input.color_position = 0;
    listdlg_Store(*page, ListDialogKind::AreaTriggers, 5, input);
    EXPECT_EQ(page->area_triggers[5].color, 0);
    input.color_position = 16;
    listdlg_Store(*page, ListDialogKind::AreaTriggers, 5, input);
    EXPECT_EQ(page->area_triggers[5].color, 16);
}

TEST_F(ListDialogRules, AGroupStoreWritesOnlyTheDescription) {
    ItemGroup& group = page->groups[9];
    group.attrib = 3;
    group.color = 5;
    group.commander = 14;
    group.member_count = 2;
    ListEntryInput input;
    input.description = "Recon";
    input.color_position = 11; // a group dialog has no colour list; a stray value must not land
    input.flag_bits = kWaypointDialogBits;
    listdlg_Store(*page, ListDialogKind::Groups, 9, input);
    EXPECT_EQ(std::string(group.description), "Recon");
    EXPECT_EQ(group.attrib, 3);
    EXPECT_EQ(group.color, 5);
    EXPECT_EQ(group.commander, 14);
    EXPECT_EQ(group.member_count, 2);
}

TEST_F(ListDialogRules, AnAreaTriggerStoreKeepsItsAttribAndDerivedData) {
    AreaTrigger& area = page->area_triggers[3];
    area.attrib = 0x40;
    area.area_number = 3;
    area.min_x = -5;
    ListEntryInput input = listdlg_Shown(*page, ListDialogKind::AreaTriggers, 3);
    input.description = "Bridge";
    input.color_position = 4;
    input.flag_bits = kWaypointDialogBits;
    listdlg_Store(*page, ListDialogKind::AreaTriggers, 3, input);
    EXPECT_EQ(area.attrib, 0x40);
    EXPECT_EQ(area.area_number, 3);
    EXPECT_EQ(area.min_x, -5);
    EXPECT_EQ(area.color, 4);
}

TEST_F(ListDialogRules, NumbersOutsideTheListedRecordsAreNeverTouched) {
    for (ListDialogKind kind : kAllKinds) {
        const std::vector<char> before = recordBytes();
        ListEntryInput input;
        input.description = "x";
        input.color_position = 3;
        input.flag_bits = 7;
        EXPECT_FALSE(listdlg_Store(*page, kind, 0, input));
        EXPECT_FALSE(listdlg_Store(*page, kind, listdlg_EntryCount(kind) + 1, input));
        EXPECT_FALSE(listdlg_Store(*page, kind, -1, input));
        EXPECT_TRUE(recordBytes() == before);
        EXPECT_EQ(listdlg_SelectItems(*page, kind, 0, showAll), 0);
    }
}

// ---- Colours and lines --------------------------------------------------------------------------

TEST_F(ListDialogRules, ColourNamesSitAtTheirPaletteIndices) {
    // The list's positions are palette indices: the names must line up with the colours drawn.
    EXPECT_STREQ(listdlg_ColourKey(1), "BLACK");
    EXPECT_EQ(ListColour(1), 0x000000u);
    EXPECT_STREQ(listdlg_ColourKey(3), "RED");
    EXPECT_EQ(ListColour(3), 0xFF0000u);
    EXPECT_STREQ(listdlg_ColourKey(16), "WHITE");
    EXPECT_EQ(ListColour(16), 0xFFFFFFu);
    EXPECT_STREQ(listdlg_ColourKey(0), "ORANGE");
    EXPECT_EQ(ListColour(0), kListColourDefault);
    EXPECT_EQ(listdlg_ColourKey(17), nullptr);
    EXPECT_EQ(listdlg_ColourKey(-1), nullptr);
    EXPECT_EQ(listdlg_ColourPosition(17), -1);
    EXPECT_EQ(listdlg_ColourPosition(-1), -1);
}

TEST_F(ListDialogRules, LinesShowWhatTheEditShowsAndMarkALongerDescription) {
    setText(page->waypoints[1].description, kWaypointDescSize, std::string(1000, 'w'));
    setText(page->waypoints[2].description, kWaypointDescSize, "Patrol");
    std::memset(page->groups[3].description, 'g', kGroupDescSize);
    EXPECT_EQ(listdlg_LineDescription(*page, ListDialogKind::Waypoints, 1),
              std::string(kListDescriptionMaxChars, 'w') + "...");
    EXPECT_EQ(listdlg_LineDescription(*page, ListDialogKind::Waypoints, 2), "Patrol");
    EXPECT_EQ(listdlg_LineDescription(*page, ListDialogKind::Groups, 3),
              std::string(kListDescriptionMaxChars, 'g') + "...");
}

// ---- Selecting ----------------------------------------------------------------------------------

TEST_F(ListDialogRules, SelectMembersAddsTheGroupsVisibleItemsInSlotOrderAfterTheSelection) {
    const int other = addItem(*page, kTestJeepType);
    const int first = addItem(*page, kTestSoldierType);
    const int hidden = addItem(*page, kTestSoldierType);
    const int onHiddenLayer = addItem(*page, kTestSoldierType);
    const int vehicle = addItem(*page, kTestJeepType);
    const int last = addItem(*page, kTestEnemyType);
    for (int slot : {first, hidden, onHiddenLayer, vehicle, last})
        page->items[slot].group_id = 4;
    page->items[hidden].hidden = 1;
    page->items[onHiddenLayer].layer = 2;
    page->general.hidden_layers = 1u << 2;
    sel_Add(*page, other);
    sel_Add(*page, last);

    const uint32_t noVehicles = showAll & ~kShowVehicles;
    EXPECT_EQ(listdlg_SelectItems(*page, ListDialogKind::Groups, 4, noVehicles), 1);
    EXPECT_EQ(selection(), (std::vector<int>{other, last, first}));
}

TEST_F(ListDialogRules, SelectMarkersAddsEveryMemberOfAWaypointListInListOrderHiddenOrNot) {
    const int third = addItem(*page, kWaypointMarkerType, 0);
    const int first = addItem(*page, kWaypointMarkerType, 256);
    const int hidden = addItem(*page, kWaypointMarkerType, 512);
    const int otherList = addItem(*page, kWaypointMarkerType, 768);
    page->items[third].waypoint_id = 6;
    page->items[third].wpnumber = 2;
    page->items[first].waypoint_id = 6;
    page->items[first].wpnumber = 0;
    page->items[hidden].waypoint_id = 6;
    page->items[hidden].wpnumber = 1;
    page->items[hidden].hidden = 1;
    page->items[otherList].waypoint_id = 7;
    page_RebuildWaypointLists(*page);
    EXPECT_EQ(listdlg_SelectItems(*page, ListDialogKind::Waypoints, 6, showAll & ~kShowMarkers), 3);
    EXPECT_EQ(selection(), (std::vector<int>{first, hidden, third}));
    EXPECT_EQ(listdlg_SelectItems(*page, ListDialogKind::Waypoints, 6, showAll), 0); // already selected
}

TEST_F(ListDialogRules, SelectMarkersReadsNoMoreMembersThanTheListCanHold) {
    for (int i = 0; i < 3; ++i)
        addItem(*page, kWaypointMarkerType);
    page->waypoints[2].member_count = 5000; // a count no rebuild can give
    for (int& member : page->waypoints[2].members)
        member = 1;
    // What lies after the member slots would name slot 2 if it were read as a member.
    const int32_t slot2 = 2;
    std::memcpy(page->waypoints[3].description, &slot2, sizeof slot2);
    page->waypoints[3].member_count = -4;
    EXPECT_EQ(listdlg_SelectItems(*page, ListDialogKind::Waypoints, 2, showAll), 1);
    EXPECT_EQ(listdlg_SelectItems(*page, ListDialogKind::Waypoints, 3, showAll), 0);
    EXPECT_EQ(selection(), std::vector<int>{1});
}

TEST_F(ListDialogRules, SelectMarkersOfAnAreaTriggerTakesOnlyItsAreaMarkersHiddenOrNot) {
    const int marker = addItem(*page, kAreaTriggerMarkerType);
    const int waypoint = addItem(*page, kWaypointMarkerType);
    const int otherArea = addItem(*page, kAreaTriggerMarkerType);
    const int hidden = addItem(*page, kAreaTriggerMarkerType);
    const int second = addItem(*page, kAreaTriggerMarkerType);
    for (int slot : {marker, waypoint, hidden, second})
        page->items[slot].wpnumber = 5;
    page->items[otherArea].wpnumber = 6;
    page->items[hidden].hidden = 1;
    EXPECT_EQ(listdlg_SelectItems(*page, ListDialogKind::AreaTriggers, 5, showAll), 3);
    EXPECT_EQ(selection(), (std::vector<int>{marker, hidden, second}));
}

// ---- Printing -----------------------------------------------------------------------------------

TEST_F(ListDialogRules, PrintingWritesTheReportOfTheDialogsOwnKind) {
    setText(page->groups[3].description, kGroupDescSize, "Alpha");
    setText(page->area_triggers[5].description, kAreaTriggerDescSize, "Zone");
    setText(page->waypoints[2].description, kWaypointDescSize, "Route");
    TempDir dir;
    const struct {
        ListDialogKind kind;
        const char* line;
        const char* notThere;
    } cases[] = {
        {ListDialogKind::Groups, " 3 - Alpha", "Zone"},
        {ListDialogKind::AreaTriggers, "  5 - Zone", "Alpha"},
        {ListDialogKind::Waypoints, "  2 - Route (0)", "Zone"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.path("report.txt");
        EXPECT_EQ(listdlg_WriteReport(*page, c.kind, path.c_str()), ReportResult::Written);
        const std::string text = test_ReadFile(path);
        EXPECT_NE(text.find(c.line), std::string::npos) << text;
        EXPECT_EQ(text.find(c.notThere), std::string::npos) << text;
    }
}

} // namespace
