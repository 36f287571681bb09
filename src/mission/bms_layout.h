#pragma once
// Layout of the binary mission file the game loads. All integers little-endian; text fields are
// NUL-terminated and zero-padded to their width. The file is the header followed by the item
// sections, the waypoint-list, group and wav-list tables and the event tables, with nothing
// between them.

#include <cstddef>
#include <cstdint>

inline constexpr uint8_t kBmsMagic[4] = {'B', 'M', 'S', 0x0F}; // "BMS" and the version byte 15

// ---- Header -----------------------------------------------------------------------------------
constexpr size_t kBmsHeaderSize = 520;
constexpr size_t kBmsHdrMagic = 0;
constexpr size_t kBmsHdrName = 4;      // 32 bytes
constexpr size_t kBmsHdrDesigner = 36; // 32 bytes
constexpr size_t kBmsHdrTerrain = 68;  // 16 bytes
constexpr size_t kBmsHdrCnvFile = 84;  // 16 bytes
constexpr size_t kBmsHdrTtFile = 100;  // 16 bytes
constexpr size_t kBmsHdrTerrainColor = 116;
constexpr size_t kBmsHdrAttrib = 120;
constexpr size_t kBmsHdrVisibleIf = 124;
constexpr size_t kBmsHdrNotVisibleIf = 128;
constexpr size_t kBmsHdrArty = 132;
constexpr size_t kBmsHdrWaterLevel = 136;
constexpr size_t kBmsHdrFogLevel = 140;
constexpr size_t kBmsHdrFogColor = 144;
constexpr size_t kBmsHdrEquipment = 148; // 4 x uint8: E0, E1, E2, E3
constexpr size_t kBmsHdrGeneralCount = 152;
constexpr size_t kBmsHdrDecorationCount = 156;
constexpr size_t kBmsHdrMarkerCount = 160;
constexpr size_t kBmsHdrPeopleCount = 164;
constexpr size_t kBmsHdrEventCount = 168;
constexpr size_t kBmsHdrWeather = 172;
constexpr size_t kBmsHdrSubgoalsWin = 176;  // 4 x int8
constexpr size_t kBmsHdrSubgoalsLose = 180; // 4 x int8
constexpr size_t kBmsHdrClouds = 184;       // 16 bytes
constexpr size_t kBmsHdrSkygrad = 200;      // 16 bytes
constexpr size_t kBmsHdrSkyHeight = 216;
constexpr size_t kBmsHdrHorizon = 220;   // 16.16
constexpr size_t kBmsHdrSkyColour = 224; // 5 x uint8: gamma, sat, r, g, b; 3 zero bytes
constexpr size_t kBmsHdrWindSpeed = 232;
constexpr size_t kBmsHdrWindDirection = 236; // then 24 zero bytes
constexpr size_t kBmsHdrBriefing = 264;      // 256 bytes
constexpr size_t kBmsNameWidth = 32;
constexpr size_t kBmsFileNameWidth = 16;
constexpr size_t kBmsBriefingWidth = 256;

// ---- Item record ------------------------------------------------------------------------------
constexpr size_t kBmsItemSize = 96;
constexpr size_t kBmsItemTypeId = 0;
constexpr size_t kBmsItemNameIndex = 4;
constexpr size_t kBmsItemId = 8;
constexpr size_t kBmsItemBmsiAttributes = 12;
constexpr size_t kBmsItemPosition = 16; // 3 x int32, each shifted left by 8 bits
constexpr size_t kBmsItemWpDistance = 28;
constexpr size_t kBmsItemAccuracy = 32;
constexpr size_t kBmsItemPerception = 36;
constexpr size_t kBmsItemPerfectionist = 40;
constexpr size_t kBmsItemEDistanceMin = 44;
constexpr size_t kBmsItemEDistanceMax = 48;
constexpr size_t kBmsItemHeading = 52;     // int16, heading % 360 (sign of the heading)
constexpr size_t kBmsItemPitch = 54;       // int16
constexpr size_t kBmsItemFov = 56;         // int16
constexpr size_t kBmsItemMoveTimer = 58;   // int16
constexpr size_t kBmsItemCrouchTimer = 60; // int16
constexpr size_t kBmsItemShootTimer = 62;  // int16
constexpr size_t kBmsItemAttention = 64;   // int16
constexpr size_t kBmsItemAlertState = 66;  // uint8 from here to offset 76
constexpr size_t kBmsItemTeam = 67;
constexpr size_t kBmsItemNoMoreThan = 68;
constexpr size_t kBmsItemNoLessThan = 69;
constexpr size_t kBmsItemWeapon = 70;
constexpr size_t kBmsItemSecondWeapon = 71;
constexpr size_t kBmsItemGroupId = 72;
constexpr size_t kBmsItemWaypointId = 73;
constexpr size_t kBmsItemWpNumber = 74;
constexpr size_t kBmsItemObliqueness = 75;
constexpr size_t kBmsItemMapSymbol = 76; // then 3 zero bytes
constexpr size_t kBmsItemGroupRel = 80;
constexpr size_t kBmsItemAdvanceTimer = 84;
constexpr size_t kBmsItemTtoolIndex = 88; // then int32 zero

// ---- Tables -----------------------------------------------------------------------------------
constexpr int kBmsWaypointRecords = 128;                       // lists 0 to 127, record 0 included
constexpr int kBmsWaypointSlots = 32;                          // marker ordinals per list
constexpr size_t kBmsWaypointSize = 8 + 4 * kBmsWaypointSlots; // attrib, count, ordinals: 136
constexpr int kBmsGroupRecords = 64;
constexpr size_t kBmsGroupSize = 32; // flags, 0, commander, 10, 4 x 0
constexpr int32_t kBmsGroupFlagMask = 0x3;
constexpr int32_t kBmsGroupConstant = 10;
constexpr int kBmsWavRecords = 32;
constexpr size_t kBmsWavSize = 20;              // int32 zero, 16-byte file name
constexpr size_t kBmsEventTableHeaderSize = 12; // event count, trigger total, action total
constexpr size_t kBmsEventSize = 24;
constexpr size_t kBmsEventAttrib = 0;
constexpr size_t kBmsEventFirstTrigger = 4;
constexpr size_t kBmsEventFirstAction = 8;
constexpr size_t kBmsEventReset = 14;        // int16, reset_value x 50
constexpr size_t kBmsEventDelay = 18;        // int16, delay_value x 50
constexpr size_t kBmsEventTriggerCount = 21; // uint8
constexpr size_t kBmsEventActionCount = 22;  // uint8
constexpr size_t kBmsEventValuesSize = 32;   // one trigger or action: eight int32
constexpr int32_t kBmsTicksPerSecond = 50;
