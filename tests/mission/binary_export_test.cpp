// The binary mission file: layout, field conversions, tables and safe writing.
#include "mission/binary_export.h"
#include "mission/bms_layout.h"
#include "mission/page_ops.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include "gamedata/sunset_defs.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <sys/resource.h>

namespace {

using Bytes = std::vector<uint8_t>;

int32_t rd32(const Bytes& b, size_t at) {
    return static_cast<int32_t>(uint32_t{b.at(at)} | uint32_t{b.at(at + 1)} << 8 |
                                uint32_t{b.at(at + 2)} << 16 | uint32_t{b.at(at + 3)} << 24);
}
int16_t rd16(const Bytes& b, size_t at) {
    return static_cast<int16_t>(b.at(at) | b.at(at + 1) << 8);
}
std::string rdText(const Bytes& b, size_t at, size_t width) {
    std::string text(reinterpret_cast<const char*>(b.data() + at), width);
    return text.substr(0, text.find('\0'));
}

// Sizes of the parts after the item sections.
constexpr size_t kTablesSize =
    kBmsWaypointRecords * kBmsWaypointSize + kBmsGroupRecords * kBmsGroupSize + kBmsWavRecords * kBmsWavSize;

class BinaryExport : public ::testing::Test {
  protected:
    void SetUp() override {
        test_LoadItemDefs();
        sunset_Clear();
        test_InstallTexts("[Dialog Message]\nWARNING=Careful\nTOO_MANY_DECOR=decor %i>%i\n"
                          "TOO_MANY_MARKERS=markers %i>%i\nTOO_MANY_ORGANICS=people %i>%i\n"
                          "TOO_MANY_ITEMS=items %i>%i\n[File I/O]\nCANT_WRITE_FILE=cannot write %s\n");
        page = std::make_unique<MissionPage>();
    }

    int addItem(int32_t type_id) {
        const int slot = page_AddItem(*page, type_id, 0, 0, 0);
        EXPECT_GE(slot, 0);
        return slot;
    }

    // Builds the bytes as the export does, after the sort.
    Bytes build() {
        export_SortItems(*page);
        return export_BuildBytes(*page, page_CheckExportLimits(*page));
    }

    size_t eventsStart(const Bytes& bytes, int items) const {
        (void)bytes;
        return kBmsHeaderSize + static_cast<size_t>(items) * kBmsItemSize + kTablesSize;
    }

    CapturedMessages messages;
    std::unique_ptr<MissionPage> page;
};

TEST_F(BinaryExport, HeaderCarriesTheGeneralInformation) {
    GeneralInfo& g = page->general;
    std::strcpy(g.name, "Night Raid");
    std::strcpy(g.designer, "Ann");
    std::strcpy(g.terrain, "hills");
    std::strcpy(g.cnv_file, "conv.cnv");
    std::strcpy(g.tt_file, "tt.txt");
    g.terrain_color = 2;
    g.attrib = 0x00100009;
    g.visible_if = 5;
    g.notvisible_if = -6;
    g.arty = 3;
    g.water_level = 1000;
    g.fog_level = 2000;
    g.fog_color = 0x112233;
    g.weather_type = 2;
    g.default_equipment[0] = 8;
    g.default_equipment[1] = 0x101; // 8-bit field: low bits
    g.default_equipment[2] = -1;
    g.default_equipment[3] = 3;
    g.wind[0] = 45;
    g.wind[1] = 270;
    page->subgoals_win[0] = -1;
    page->subgoals_win[3] = 7;
    page->subgoals_lose[1] = 2;
    std::strcpy(page->briefing, "Go north.\nHold the bridge.");
    page->num_events = 2;

    const Bytes bytes = build();
    ASSERT_GE(bytes.size(), kBmsHeaderSize);
    EXPECT_EQ(0, std::memcmp(bytes.data(), "BMS\x0F", 4));
    EXPECT_EQ("Night Raid", rdText(bytes, kBmsHdrName, 32));
    EXPECT_EQ("Ann", rdText(bytes, kBmsHdrDesigner, 32));
    EXPECT_EQ("hills", rdText(bytes, kBmsHdrTerrain, 16));
    EXPECT_EQ("conv.cnv", rdText(bytes, kBmsHdrCnvFile, 16));
    EXPECT_EQ("tt.txt", rdText(bytes, kBmsHdrTtFile, 16));
    EXPECT_EQ(2, rd32(bytes, 116));
    EXPECT_EQ(0x00100009, rd32(bytes, 120));
    EXPECT_EQ(5, rd32(bytes, 124));
    EXPECT_EQ(-6, rd32(bytes, 128));
    EXPECT_EQ(3, rd32(bytes, 132));
    EXPECT_EQ(1000, rd32(bytes, 136));
    EXPECT_EQ(2000, rd32(bytes, 140));
    EXPECT_EQ(0x112233, rd32(bytes, 144));
    EXPECT_EQ((Bytes{8, 1, 0xFF, 3}), Bytes(bytes.begin() + 148, bytes.begin() + 152));
    EXPECT_EQ(2, rd32(bytes, 168));
    EXPECT_EQ(2, rd32(bytes, 172));
    EXPECT_EQ((Bytes{0xFF, 0, 0, 7}), Bytes(bytes.begin() + 176, bytes.begin() + 180));
    EXPECT_EQ((Bytes{0, 2, 0, 0}), Bytes(bytes.begin() + 180, bytes.begin() + 184));
    EXPECT_EQ(45, rd32(bytes, 232));
    EXPECT_EQ(270, rd32(bytes, 236));
    for (size_t at = 240; at < 264; ++at)
        EXPECT_EQ(0, bytes[at]) << at;
    EXPECT_EQ("Go north.\nHold the bridge.", rdText(bytes, 264, 256));
}

TEST_F(BinaryExport, SkyComesFromTheSunsetWithThePagesId) {
    const std::string defs = "begin first\r\n id 4\r\n skygrad grad4\r\n clouds cl4\r\n skyheight 900\r\n"
                             " horizon 1.5\r\n gamma 1\r\n sat 2\r\n r 3\r\n g 4\r\n b 5\r\nend\r\n"
                             "begin second\r\n id 9\r\n skygrad grad9\r\n clouds cl9\r\n skyheight 700\r\n"
                             " horizon 0.5\r\n gamma 10\r\n sat 20\r\n r 30\r\n g 40\r\n b 50\r\nend\r\n";
    ASSERT_EQ(1, sunset_LoadBuffer(defs.data(), defs.size()));
    page->general.sunset = 9;
    Bytes bytes = build();
    EXPECT_EQ("cl9.pcx", rdText(bytes, kBmsHdrClouds, 16));
    EXPECT_EQ("grad9.tga", rdText(bytes, kBmsHdrSkygrad, 16));
    EXPECT_EQ(700, rd32(bytes, 216));
    EXPECT_EQ(0x8000, rd32(bytes, 220));
    EXPECT_EQ((Bytes{10, 20, 30, 40, 50, 0, 0, 0}), Bytes(bytes.begin() + 224, bytes.begin() + 232));

    page->general.sunset = 5; // no such sunset: the first one
    bytes = build();
    EXPECT_EQ("cl4.pcx", rdText(bytes, kBmsHdrClouds, 16));
    EXPECT_EQ(0x18000, rd32(bytes, 220));

    sunset_Clear(); // none loaded: all zero
    bytes = build();
    for (size_t at = kBmsHdrClouds; at < kBmsHdrWindSpeed; ++at)
        EXPECT_EQ(0, bytes[at]) << at;
}

TEST_F(BinaryExport, LongTextsAreCutInsideTheirFields) {
    std::memset(page->general.name, 'N', sizeof page->general.name - 1);
    std::memset(page->general.designer, 'D', sizeof page->general.designer - 1);
    std::memset(page->general.terrain, 'T', sizeof page->general.terrain); // not even terminated
    std::memset(page->general.cnv_file, 'C', sizeof page->general.cnv_file - 1);
    std::memset(page->wav_lists[3].file_name, 'W', sizeof page->wav_lists[3].file_name - 1);
    std::memset(page->briefing, 'B', sizeof page->briefing);

    const Bytes bytes = build();
    EXPECT_EQ(std::string(31, 'N'), rdText(bytes, kBmsHdrName, 32));
    EXPECT_EQ(0, bytes[kBmsHdrName + 31]);
    EXPECT_EQ(std::string(31, 'D'), rdText(bytes, kBmsHdrDesigner, 32));
    EXPECT_EQ(std::string(15, 'T'), rdText(bytes, kBmsHdrTerrain, 16));
    EXPECT_EQ(std::string(15, 'C'), rdText(bytes, kBmsHdrCnvFile, 16));
    EXPECT_EQ(0, rd32(bytes, kBmsHdrTtFile));
    EXPECT_EQ(0, rd32(bytes, kBmsHdrTerrainColor));
    EXPECT_EQ(std::string(255, 'B'), rdText(bytes, kBmsHdrBriefing, 256));
    EXPECT_EQ(0, bytes[kBmsHeaderSize - 1]);

    const size_t wav =
        kBmsHeaderSize + kBmsWaypointRecords * kBmsWaypointSize + kBmsGroupRecords * kBmsGroupSize;
    EXPECT_EQ(std::string(15, 'W'), rdText(bytes, wav + 3 * kBmsWavSize + 4, 16));
    EXPECT_EQ(0, bytes[wav + 3 * kBmsWavSize + 19]);
    EXPECT_EQ(0, rd32(bytes, wav + 4 * kBmsWavSize));
}

TEST_F(BinaryExport, ItemRecordKeepsLowBitsOfNarrowFields) {
    MissionItem& item = page->items[addItem(kTestSoldierType)];
    item.name_index = 12;
    item.id = 345;
    item.bmsi_attributes = 0x4321;
    item.position[0] = 1000;
    item.position[1] = -1000;
    item.position[2] = 0x01234567; // the shift keeps the low 32 bits
    item.wpdistance = 4;
    item.waccuracy2 = 90;
    item.perception2 = 80;
    item.perfectionist2 = 70;
    item.edistances[0] = 16;
    item.edistances[1] = 1024;
    item.facing[0] = 370;
    item.facing[1] = 0x12345; // int16: 0x2345
    item.fov = 180;
    item.movetimer = 70000; // int16: 70000 - 65536
    item.crouchtimer = -3;
    item.shoottimer = 5;
    item.attention = 30;
    item.alert_state = 2;
    item.team = 0x102;     // uint8: 2
    item.nomorethan = 300; // uint8: 44
    item.nolessthan = -1;  // uint8: 255
    item.weapon_type = 6;
    item.sweapon_type = 9;
    item.group_id = 63;
    item.waypoint_id = 127;
    item.wpnumber = 31;
    item.obliqueness = 15;
    item.map_symbol = 8;
    item.group_rel = -77;
    item.advancetimer = 10;
    item.ttoolindex = 99;

    const Bytes bytes = build();
    ASSERT_EQ(1, rd32(bytes, kBmsHdrPeopleCount));
    const size_t r = kBmsHeaderSize;
    EXPECT_EQ(kTestSoldierType, rd32(bytes, r + 0));
    EXPECT_EQ(12, rd32(bytes, r + 4));
    EXPECT_EQ(345, rd32(bytes, r + 8));
    EXPECT_EQ(0x4321, rd32(bytes, r + 12));
    EXPECT_EQ(1000 * 256, rd32(bytes, r + 16));
    EXPECT_EQ(-1000 * 256, rd32(bytes, r + 20));
    EXPECT_EQ(0x23456700, rd32(bytes, r + 24));
    EXPECT_EQ(4, rd32(bytes, r + 28));
    EXPECT_EQ(90, rd32(bytes, r + 32));
    EXPECT_EQ(80, rd32(bytes, r + 36));
    EXPECT_EQ(70, rd32(bytes, r + 40));
    EXPECT_EQ(16, rd32(bytes, r + 44));
    EXPECT_EQ(1024, rd32(bytes, r + 48));
    EXPECT_EQ(10, rd16(bytes, r + 52));
    EXPECT_EQ(0x2345, rd16(bytes, r + 54));
    EXPECT_EQ(180, rd16(bytes, r + 56));
    EXPECT_EQ(70000 - 65536, rd16(bytes, r + 58));
    EXPECT_EQ(-3, rd16(bytes, r + 60));
    EXPECT_EQ(5, rd16(bytes, r + 62));
    EXPECT_EQ(30, rd16(bytes, r + 64));
    EXPECT_EQ((Bytes{2, 2, 44, 255, 6, 9, 63, 127, 31, 15, 8, 0, 0, 0}),
              Bytes(bytes.begin() + r + 66, bytes.begin() + r + 80));
    EXPECT_EQ(-77, rd32(bytes, r + 80));
    EXPECT_EQ(10, rd32(bytes, r + 84));
    EXPECT_EQ(99, rd32(bytes, r + 88));
    EXPECT_EQ(0, rd32(bytes, r + 92));
}

TEST_F(BinaryExport, HeadingKeepsTheSignOfItsRemainder) {
    for (auto [heading, written] : {std::pair{370, 10}, {-10, -10}, {-370, -10}, {720, 0}, {359, 359}}) {
        page_Clear(*page);
        page->items[addItem(kTestJeepType)].facing[0] = heading;
        const Bytes bytes = build();
        EXPECT_EQ(written, rd16(bytes, kBmsHeaderSize + 52)) << heading;
    }
}

TEST_F(BinaryExport, ItemsGoToTheirSectionsInSortedSlotOrder) {
    // Slots before the sort: person, marker, building, vehicle, decoration, effect, object.
    for (int32_t type : {kTestSoldierType, kWaypointMarkerType, kTestHouseType, kTestJeepType, kTestTreeType,
                         kTestSmokeType, kTestCrateType, kTestUnknownType})
        addItem(type);
    const Bytes bytes = build();
    EXPECT_EQ(4, rd32(bytes, kBmsHdrGeneralCount)); // jeep, crate, smoke, unknown (class 0)
    EXPECT_EQ(2, rd32(bytes, kBmsHdrDecorationCount));
    EXPECT_EQ(1, rd32(bytes, kBmsHdrMarkerCount));
    EXPECT_EQ(1, rd32(bytes, kBmsHdrPeopleCount));
    std::vector<int32_t> types;
    for (int r = 0; r < 8; ++r)
        types.push_back(rd32(bytes, kBmsHeaderSize + r * kBmsItemSize));
    EXPECT_EQ((std::vector<int32_t>{kTestJeepType, kTestCrateType, kTestSmokeType, kTestUnknownType,
                                    kTestTreeType, kTestHouseType, kWaypointMarkerType, kTestSoldierType}),
              types);
}

TEST_F(BinaryExport, WaypointMembersAreWrittenAsMarkerOrdinals) {
    for (int i = 0; i < 5; ++i)
        page->items[addItem(kAreaTriggerMarkerType)].wpnumber = 1; // markers, no list
    const int second = addItem(kWaypointMarkerType);
    const int first = addItem(kWaypointMarkerType);
    page->items[second].waypoint_id = 3;
    page->items[second].wpnumber = 2;
    page->items[first].waypoint_id = 3;
    page->items[first].wpnumber = 0;
    page->waypoints[3].attrib = 5;
    page->waypoints[0].attrib = 9; // record 0 is written as well

    const Bytes bytes = build();
    const size_t lists = kBmsHeaderSize + 7 * kBmsItemSize;
    EXPECT_EQ(9, rd32(bytes, lists));
    const size_t list3 = lists + 3 * kBmsWaypointSize;
    EXPECT_EQ(5, rd32(bytes, list3));
    EXPECT_EQ(2, rd32(bytes, list3 + 4));
    // After the sort the area markers (6013) follow the waypoint markers (6005).
    EXPECT_EQ(0, rd32(bytes, list3 + 8));
    EXPECT_EQ(1, rd32(bytes, list3 + 12));
    EXPECT_EQ(0, rd32(bytes, list3 + 16)); // slots past the count
}

TEST_F(BinaryExport, WaypointOrdinalCountsTheMarkersInEarlierSlots) {
    for (int i = 0; i < 5; ++i)
        page->items[addItem(kWaypointMarkerType)].waypoint_id = 0;
    const int member = addItem(kWaypointMarkerType);
    page->items[member].waypoint_id = 1;
    page->items[member].wpnumber = 4;
    const Bytes bytes = build();
    const size_t list1 = kBmsHeaderSize + 6 * kBmsItemSize + kBmsWaypointSize;
    EXPECT_EQ(1, rd32(bytes, list1 + 4));
    EXPECT_EQ(5, rd32(bytes, list1 + 8));
}

TEST_F(BinaryExport, ListWithMoreMembersThanSlotsIsHeldToThirtyTwo) {
    for (int i = 0; i < 40; ++i) {
        MissionItem& item = page->items[addItem(kWaypointMarkerType)];
        item.waypoint_id = 2;
        item.wpnumber = i % 32;
    }
    const Bytes bytes = build();
    const size_t list2 = kBmsHeaderSize + 40 * kBmsItemSize + 2 * kBmsWaypointSize;
    EXPECT_EQ(40, page->waypoints[2].member_count);
    EXPECT_EQ(32, rd32(bytes, list2 + 4));
    EXPECT_EQ(kBmsHeaderSize + 40 * kBmsItemSize + kTablesSize + kBmsEventTableHeaderSize, bytes.size());
}

TEST_F(BinaryExport, GroupsAndWavListsHaveFixedRecords) {
    page->groups[5].attrib = 0xFF;
    page->groups[5].commander = 17;
    std::strcpy(page->wav_lists[31].file_name, "last.wav");
    const Bytes bytes = build();
    const size_t groups = kBmsHeaderSize + kBmsWaypointRecords * kBmsWaypointSize;
    const size_t g5 = groups + 5 * kBmsGroupSize;
    EXPECT_EQ(3, rd32(bytes, g5));
    EXPECT_EQ(0, rd32(bytes, g5 + 4));
    EXPECT_EQ(17, rd32(bytes, g5 + 8));
    EXPECT_EQ(10, rd32(bytes, g5 + 12));
    for (size_t at = g5 + 16; at < g5 + 32; ++at)
        EXPECT_EQ(0, bytes[at]);
    EXPECT_EQ(10, rd32(bytes, groups + 12)); // group 0 too
    const size_t wavs = groups + kBmsGroupRecords * kBmsGroupSize;
    EXPECT_EQ(0, rd32(bytes, wavs));
    EXPECT_EQ("last.wav", rdText(bytes, wavs + 31 * kBmsWavSize + 4, 16));
    EXPECT_EQ(wavs + kBmsWavRecords * kBmsWavSize + kBmsEventTableHeaderSize, bytes.size());
}

TEST_F(BinaryExport, EventsIndexTheirTriggersAndActions) {
    page->num_events = 2;
    MissionEvent& a = page->events[0];
    MissionEvent& b = page->events[1];
    a.attrib = 6;
    a.trigger_count = 2;
    a.action_count = 1;
    a.delay_value = 2;
    a.reset_value = 1000; // 50000 does not fit 16 bits: low bits
    b.trigger_count = 3;
    b.action_count = 2;
    for (int t = 0; t < 3; ++t)
        for (int v = 0; v < 8; ++v) {
            if (t < 2) a.triggers[t].value[v] = 100 + t * 10 + v;
            b.triggers[t].value[v] = 200 + t * 10 + v;
        }
    for (int v = 0; v < 8; ++v) {
        a.actions[0].value[v] = 300 + v;
        b.actions[0].value[v] = 400 + v;
        b.actions[1].value[v] = 410 + v;
    }

    const Bytes bytes = build();
    size_t at = eventsStart(bytes, 0);
    EXPECT_EQ(2, rd32(bytes, at));
    EXPECT_EQ(5, rd32(bytes, at + 4));
    EXPECT_EQ(3, rd32(bytes, at + 8));
    at += kBmsEventTableHeaderSize;
    EXPECT_EQ(6, rd32(bytes, at));
    EXPECT_EQ(0, rd32(bytes, at + 4));
    EXPECT_EQ(0, rd32(bytes, at + 8));
    EXPECT_EQ(0, rd16(bytes, at + 12));
    EXPECT_EQ(static_cast<int16_t>(50000 - 65536), rd16(bytes, at + 14));
    EXPECT_EQ(100, rd16(bytes, at + 18));
    EXPECT_EQ((Bytes{0, 2, 1, 0}), Bytes(bytes.begin() + at + 20, bytes.begin() + at + 24));
    at += kBmsEventSize;
    EXPECT_EQ(2, rd32(bytes, at + 4)); // first_trigger after the 2 triggers of event 0
    EXPECT_EQ(1, rd32(bytes, at + 8));
    EXPECT_EQ(2, page->events[1].first_trigger);
    at += kBmsEventSize;
    std::vector<int32_t> triggers;
    for (int i = 0; i < 5 * 8; ++i)
        triggers.push_back(rd32(bytes, at + 4 * i));
    EXPECT_EQ(100, triggers[0]);
    EXPECT_EQ(117, triggers[15]);
    EXPECT_EQ(200, triggers[16]);
    EXPECT_EQ(227, triggers[39]);
    at += 5 * kBmsEventValuesSize;
    EXPECT_EQ(300, rd32(bytes, at));
    EXPECT_EQ(302, rd32(bytes, at + 8)); // values in stored order 0 to 7
    EXPECT_EQ(417, rd32(bytes, at + 2 * kBmsEventValuesSize + 28));
    EXPECT_EQ(at + 3 * kBmsEventValuesSize, bytes.size());
}

TEST_F(BinaryExport, WritesTheFileAndLeavesTheSortedOrderInThePage) {
    TempDir dir;
    addItem(kTestTreeType);
    addItem(kTestJeepType);
    const std::string path = dir.path("out.bms");
    ASSERT_EQ(1, export_BinaryMission(*page, path.c_str()));
    EXPECT_EQ(kTestJeepType, page->items[0].type_id);
    const Bytes file = test_ReadBytes(path);
    EXPECT_EQ(export_BuildBytes(*page, page_CheckExportLimits(*page)), file);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(BinaryExport, FailedWriteIsReportedAndKeepsThePreviousFile) {
    TempDir dir;
    const std::string path = dir.write("out.bms", "previous");
    for (int i = 0; i < 100; ++i)
        addItem(kTestJeepType);

    // A file-size limit below the export's size makes the write fail part-way.
    struct rlimit saved {};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    const int result = export_BinaryMission(*page, path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(0, result);
    EXPECT_EQ("previous", test_ReadFile(path));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("Careful", messages.messages[0].caption);
    EXPECT_EQ("cannot write " + path + "\nReason: File too large", messages.messages[0].text);
}

TEST_F(BinaryExport, MissingFolderIsReported) {
    TempDir dir;
    const std::string path = dir.path("no/such/folder/out.bms");
    EXPECT_EQ(0, export_BinaryMission(*page, path.c_str()));
    ASSERT_EQ(1u, messages.messages.size());
    EXPECT_EQ("cannot write " + path + "\nReason: No such file or directory", messages.messages[0].text);
}

} // namespace
