#include "editor/recent_missions.h"

#include "gamedata/game_data_setup.h"

#include <algorithm>
#include <filesystem>

void RecentMissions::set(const std::vector<std::string>& paths) {
    entries_.clear();
    for (const std::string& path : paths) {
        if (path.empty() || path.front() != '/') continue;
        if (std::find(entries_.begin(), entries_.end(), path) != entries_.end()) continue;
        entries_.push_back(path);
        if (entries_.size() == static_cast<size_t>(kRecentMissionsMax)) break;
    }
}

bool RecentMissions::add(const std::string& path) {
    if (path.empty()) return false;
    // "./a.mis" and "a.mis" opened from the same folder are one mission.
    const std::string full = std::filesystem::path(gamedata_AbsolutePath(path)).lexically_normal().string();
    entries_.erase(std::remove(entries_.begin(), entries_.end(), full), entries_.end());
    entries_.insert(entries_.begin(), full);
    if (entries_.size() > static_cast<size_t>(kRecentMissionsMax)) entries_.resize(kRecentMissionsMax);
    return true;
}

bool RecentMissions::remove(const std::string& path) {
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found == entries_.end()) return false;
    entries_.erase(found);
    return true;
}

const std::string* RecentMissions::entry(int index) const {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return nullptr;
    return &entries_[static_cast<size_t>(index)];
}
