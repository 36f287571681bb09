#pragma once
// The undo and redo history of one mission page, and whether the page differs from its saved
// state.
//
// The history keeps a copy of the page as it was at the last step boundary (the base copy). At a
// boundary, record() compares the page with that copy and keeps, as one step, only what changed:
// the changed byte ranges of the page record, before and after, the whole wind-zone chain when
// it changed, and the selection before and after. No command has to cooperate: whatever ran
// between two boundaries is one step.
//
// The selection alone is no step: a change of the selection only (a click, Unselect All) is taken
// into the base copy without a step, and so is a change of derived values only (waypoint list
// members, group member counts, area trigger extents, the export's event indices), which the
// editor rebuilds before dialogs and exports. A step sets the selection back to what it was before on undo
// and to what it was after on redo.
//
// The history is bounded by the bytes its steps hold (kDefaultHistoryBytes, each step counted
// with the bytes it keeps): when a new step passes the bound, the oldest steps are dropped until
// it fits again; the newest step is always kept, however large.

#include "mission/mission_page.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// 32 MiB of steps per page.
constexpr size_t kDefaultHistoryBytes = size_t(32) << 20;

class PageHistory {
  public:
    explicit PageHistory(size_t byteLimit = kDefaultHistoryBytes);
    ~PageHistory();
    PageHistory(const PageHistory&) = delete;
    PageHistory& operator=(const PageHistory&) = delete;

    // Forgets every step and takes `page` as the base copy and as the saved state (a mission
    // opened or a page cleared at start-up).
    void reset(const MissionPage& page);

    // Takes what changed in `page` since the last boundary into the base copy without a step
    // (changes the history is not to undo: a path stored by Save, the selection). The changed
    // flag is not touched.
    void absorb(const MissionPage& page);

    // The boundary after a change: one step named `name` ("Move", "Paste 12 Items") when the page
    // differs from the base copy in more than its selection. Redo steps are dropped then. True
    // when a step was added.
    bool record(const MissionPage& page, std::string name);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The name of the step undo or redo would take; empty when there is none.
    std::string undoName() const;
    std::string redoName() const;

    // Takes the newest done step back (or the oldest undone step forward) in `page`, which must
    // be the page of this history with nothing changed since the last boundary (call absorb or
    // record first). False when there is no such step.
    bool undo(MissionPage& page);
    bool redo(MissionPage& page);

    // True when the page differs from the state last marked saved: a step done or undone since,
    // unless undo or redo came back to exactly that state.
    bool modified() const { return state_ != saved_; }
    // The page as it is now counts as saved (after Save).
    void markSaved() { saved_ = state_; }

    size_t stepCount() const { return steps_.size(); }
    size_t undoCount() const { return done_; }
    // Bytes held by the steps (not counting the base copy).
    size_t stepBytes() const { return bytes_; }
    size_t byteLimit() const { return limit_; }
    // The item count of the base copy: the page's item count at the last boundary.
    int32_t baseItemCount() const;

    // A changed byte range of the page record; its old and new bytes lie at `data` in the step's
    // before and after buffers.
    struct ByteRange {
        uint32_t offset;
        uint32_t length;
        uint32_t data;
    };

  private:
    struct Step {
        std::string name;
        std::vector<ByteRange> ranges;
        std::vector<uint8_t> before;
        std::vector<uint8_t> after;
        bool zones_changed = false;
        std::vector<WindZone> zones_before;
        std::vector<WindZone> zones_after;
        std::vector<int32_t> selection_before;
        std::vector<int32_t> selection_after;
        uint64_t state = 0; // the state of the page after this step
        // What the step holds, itself included.
        size_t bytes() const;
    };
    void applyStep(MissionPage& page, const Step& step, bool forward);
    void dropOldest();

    size_t limit_;
    std::unique_ptr<MissionPageData> base_;
    std::vector<WindZone> baseZones_;
    std::vector<Step> steps_;
    size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
    size_t bytes_ = 0; // bytes held by steps_
    // Each state of the page has a number: a new step gets a new one, undo and redo move between
    // them. 0 is the state of the last reset.
    uint64_t state_ = 0;
    uint64_t saved_ = 0;
    uint64_t nextState_ = 1;
    uint64_t baseState_ = 0; // the state before steps_[0]
};
