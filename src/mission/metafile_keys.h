#pragma once
// The keys of the mission metafile that map one-to-one onto integer fields. The writer walks
// these tables in order; the reader looks keys up in them.

#include "foundation/line_reader.h"
#include "mission/mission_page.h"

#include <cstddef>

struct ItemIntKey {
    const char* key;
    int32_t MissionItem::*field;
};

// Item attribute lines written when not 0, in the order the file has them (after "facing").
inline constexpr ItemIntKey kItemWrittenKeys[] = {
    {"team", &MissionItem::team},
    {"map_symbol", &MissionItem::map_symbol},
    {"name_index", &MissionItem::name_index},
    {"bmsi_attributes", &MissionItem::bmsi_attributes},
    {"nolessthan", &MissionItem::nolessthan},
    {"nomorethan", &MissionItem::nomorethan},
    {"weapon_type", &MissionItem::weapon_type},
    {"sweapon_type", &MissionItem::sweapon_type},
    {"group_id", &MissionItem::group_id},
    {"group_rel", &MissionItem::group_rel},
    {"waypoint_id", &MissionItem::waypoint_id},
    {"wpnumber", &MissionItem::wpnumber},
    {"wpdistance", &MissionItem::wpdistance},
    {"ttoolindex", &MissionItem::ttoolindex},
    {"fov", &MissionItem::fov},
    {"alert_state", &MissionItem::alert_state},
    {"obliqueness", &MissionItem::obliqueness},
    {"waccuracy2", &MissionItem::waccuracy2},
    {"perception2", &MissionItem::perception2},
    {"perfectionist2", &MissionItem::perfectionist2},
    {"movetimer", &MissionItem::movetimer},
    {"crouchtimer", &MissionItem::crouchtimer},
    {"shoottimer", &MissionItem::shoottimer},
    {"attention", &MissionItem::attention},
    {"advancetimer", &MissionItem::advancetimer},
};

// Written after "edistances", when not 0.
inline constexpr ItemIntKey kItemTrailingKeys[] = {
    {"attributes", &MissionItem::attributes},
    {"layer", &MissionItem::layer},
};

// Legacy item keys of older files: read into the legacy fields, never written.
inline constexpr ItemIntKey kItemLegacyKeys[] = {
    {"camo_type", &MissionItem::camo_type},
    {"speed", &MissionItem::speed},
    {"ai", &MissionItem::ai},
    {"advance", &MissionItem::advance},
    {"formation", &MissionItem::formation},
    {"icon_value", &MissionItem::icon_value},
    {"ammo_50_cal", &MissionItem::ammo_50_cal},
    {"ammo_tow", &MissionItem::ammo_tow},
    {"ammo_stinger", &MissionItem::ammo_stinger},
    {"ammo_grenade", &MissionItem::ammo_grenade},
    {"delay", &MissionItem::delay},
    {"smoke_time", &MissionItem::smoke_time},
};

struct GeneralIntKey {
    const char* key;
    int32_t GeneralInfo::*field;
};

// General information lines from "terrain_color" to "lowest_elev", in file order.
inline constexpr GeneralIntKey kGeneralIntKeys[] = {
    {"terrain_color", &GeneralInfo::terrain_color},
    {"attrib", &GeneralInfo::attrib},
    {"visible_if", &GeneralInfo::visible_if},
    {"notvisible_if", &GeneralInfo::notvisible_if},
    {"arty", &GeneralInfo::arty},
    {"water_level", &GeneralInfo::water_level},
    {"fog_level", &GeneralInfo::fog_level},
    {"fog_color", &GeneralInfo::fog_color},
    {"weather_type", &GeneralInfo::weather_type},
    {"lowest_elev", &GeneralInfo::lowest_elev},
};

// Longest line (without its line end) that the text-file reader takes in one piece (it reads at
// most kTextLineMaxChars characters, line feed included). Text values are cut so that their line
// fits.
constexpr int kMetafileMaxLineChars = kTextLineMaxChars - 1;
// Characters of one "brief" line of the briefing block.
constexpr int kBriefingPieceChars = 100;
