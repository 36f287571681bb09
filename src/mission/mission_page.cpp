#include "mission/mission_page.h"

#include <cstdlib>
#include <cstring>
#include <new>

MissionPage::MissionPage() {
    std::memset(static_cast<MissionPageData*>(this), 0, sizeof(MissionPageData));
}

void TerrainImageryDeleter::operator()(TerrainImagery* imagery) const {
    std::free(imagery);
}

TerrainImagery* page_EnsureImagery(MissionPage& page) {
    if (!page.imagery) {
        // calloc: the zero pages of a large block are not touched until the load writes them.
        void* block = std::calloc(1, sizeof(TerrainImagery));
        if (block == nullptr) return nullptr;
        page.imagery.reset(static_cast<TerrainImagery*>(block));
    }
    return page.imagery.get();
}

// ---- Wind zones ---------------------------------------------------------------------------------

static WindZone* newWindZone() {
    WindZone* zone = new (std::nothrow) WindZone;
    if (zone != nullptr) std::memset(zone, 0, sizeof(WindZone));
    return zone;
}

void WindZoneChain::clear() {
    WindZone* zone = head_;
    head_ = nullptr;
    while (zone != nullptr) {
        WindZone* next = zone->next;
        delete zone;
        zone = next;
    }
}

WindZone* WindZoneChain::startNew() {
    clear();
    head_ = newWindZone();
    return head_;
}

WindZone* WindZoneChain::appendAfter(WindZone* after) {
    WindZone* zone = newWindZone();
    if (zone == nullptr) return nullptr;
    if (after == nullptr) {
        after = head_;
        while (after != nullptr && after->next != nullptr)
            after = after->next;
    }
    if (after == nullptr) {
        head_ = zone;
    } else {
        // Whatever followed `after` stays reachable behind the new node.
        zone->next = after->next;
        after->next = zone;
    }
    return zone;
}

int WindZoneChain::count() const {
    int n = 0;
    for (const WindZone* zone = head_; zone != nullptr; zone = zone->next)
        ++n;
    return n;
}

bool page_HoldsMission(const MissionPage& page) {
    return page.num_items != 0 || page.general.terrain[0] != '\0';
}
