#pragma once
// The list behind File > Recent Missions: the missions last opened or saved, as full paths, most
// recent first, at most kRecentMissionsMax of them. The user interface stores the list between
// runs and shows it; the editor decides what goes on it.

#include <string>
#include <vector>

inline constexpr int kRecentMissionsMax = 8;

class RecentMissions {
  public:
    // Replaces the list with `paths` as stored: empty and relative paths are dropped, a path
    // listed twice keeps its first (most recent) place, and only the first kRecentMissionsMax
    // remain.
    void set(const std::vector<std::string>& paths);

    // Puts `path` (made absolute against the current directory, "." and ".." taken out) at the
    // top; an entry already listed moves up rather than appearing twice, and the oldest entry
    // beyond kRecentMissionsMax falls off. False (nothing changes) for an empty path.
    bool add(const std::string& path);

    // Takes `path` off the list. False when it was not listed.
    bool remove(const std::string& path);

    // The entries, most recent first.
    const std::vector<std::string>& entries() const { return entries_; }
    // Entry `index` (0 is the most recent), or null outside the list.
    const std::string* entry(int index) const;

  private:
    std::vector<std::string> entries_;
};
