#include "editor/item_attr_controls.h"

#include <initializer_list>

namespace {

constexpr ItemAttrControls kFacingAndTeam = kAttrHeading | kAttrPitch | kAttrMapSymbol | kAttrTeam;

constexpr ItemAttrControls kVehicleControls =
    kFacingAndTeam | kAttrName | kAttrFov | kAttrAccuracy | kAttrPerception | kAttrWaypointList |
    kAttrWaypointNumber | kAttrWaypointDistance | kAttrWaypointName | kAttrDeaf | kAttrBlind | kAttrGuarding;

// Type ids listed one by one or as closed ranges.
struct TypeRange {
    int32_t first;
    int32_t last;
};

bool inRanges(int32_t type, std::initializer_list<TypeRange> ranges) {
    for (const TypeRange& range : ranges)
        if (type >= range.first && type <= range.last) return true;
    return false;
}

ItemAttrControls decorationControls(int32_t type) {
    // The fallen soldiers carry a name.
    if (inRanges(type, {{1041, 1042}})) return kFacingAndTeam | kAttrName;
    return kFacingAndTeam;
}

ItemAttrControls objectControls(int32_t type) {
    if (type == 4015) return kFacingAndTeam | kAttrName;
    if (inRanges(type, {{4035, 4036}, {4043, 4044}, {4128, 4130}, {4136, 4137}}))
        return kAttrHeading | kAttrPitch | kAttrTeam;
    if (inRanges(type, {{4047, 4049}, {4126, 4127}}))
        return kFacingAndTeam | kAttrWaypointList | kAttrWaypointNumber | kAttrBlind;
    return kFacingAndTeam;
}

ItemAttrControls markerControls(int32_t type) {
    if (inRanges(type, {{6001, 6001}, {6003, 6004}, {6090, 6091}, {6094, 6094}, {6096, 6099}}))
        return kFacingAndTeam;
    if (inRanges(type, {{6002, 6002}, {6095, 6095}})) return kFacingAndTeam | kAttrWaypointNumber;
    if (type == kWaypointMarkerType)
        return kAttrHeading | kAttrMapSymbol | kAttrTeam | kAttrWaypointList | kAttrWaypointNumber |
               kAttrWaypointDistance | kAttrWaypointName;
    if (type == 6006) return kAttrMapSymbol | kAttrWaypointDistance;
    if (type == kAreaTriggerMarkerType || type == 6088) return kAttrWaypointNumber;
    if (inRanges(type, {{6026, 6028}, {6092, 6093}})) return kAttrHeading | kAttrMapSymbol | kAttrTeam;
    return 0;
}

} // namespace

ItemAttrControls itemattr_UsedControls(ItemAttrKind kind) {
    switch (kind.item_class) {
    case kClassVehicle:
        return kVehicleControls;
    case kClassDecoration:
        return decorationControls(kind.type_id);
    case kClassPerson:
        return kAttrAllControls;
    case kClassMarker:
        return markerControls(kind.type_id);
    case kClassBuilding:
        return kFacingAndTeam | kAttrName;
    case kClassObject:
        return objectControls(kind.type_id);
    default:
        return kAttrAllControls;
    }
}
