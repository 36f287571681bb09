#pragma once
// The editor's document: every piece of state the editor changes while it runs, in one object
// that the editor core (EditorApp) owns and passes on. It holds the two mission pages, the
// clipboard and scratch pages, the view state (which names the current page), the start-up
// options, what the insert-item and numeric move dialogs remember, the events dialog's
// clipboards, and each mission page's undo history with its changed flag.
//
// Nothing here is process-wide: two documents are two independent editors. Game data loaded
// once (string tables, item definitions, the model cache) stays with its own accessors.

#include "editor/dialog_memory.h"
#include "editor/event_clipboards.h"
#include "editor/page_history.h"
#include "editor/startup_options.h"
#include "mission/mission_page.h"
#include "render/view_state.h"

#include <memory>

// The mission pages by index.
constexpr int kPage1 = 0;
constexpr int kPage2 = 1;
constexpr int kMissionPageCount = 2;

class EditorDocument {
  public:
    // Four empty pages, the view state's start values (view_Reset) with Page 1 current, no
    // options and fresh dialog memory.
    EditorDocument();
    ~EditorDocument();
    EditorDocument(const EditorDocument&) = delete;
    EditorDocument& operator=(const EditorDocument&) = delete;

    // Page 1 for index kPage1, Page 2 for any other index.
    MissionPage& page(int index);
    const MissionPage& page(int index) const;
    // The page the commands, dialogs and the map view work on: the one view().current_page names.
    MissionPage& currentPage() { return page(currentIndex()); }
    int currentIndex() const { return view_.current_page == kPage2 ? kPage2 : kPage1; }

    // Holds only items and their selection: Cut and Copy fill it, Paste reads it.
    MissionPage& clipboard() { return *clipboard_; }
    // Used only by the numeric copy.
    MissionPage& scratch() { return *scratch_; }

    ViewState& view() { return view_; }
    const ViewState& view() const { return view_; }

    const EditorOptions& options() const { return options_; }
    void setOptions(const EditorOptions& options) { options_ = options; }

    InsertItemMemory& insertItemMemory() { return insertItem_; }
    NumericMoveMemory& numericMoveMemory() { return numericMove_; }
    // The clipboards of the events dialog, kept for the whole run whatever page is current.
    EventClipboards& eventClipboards() { return eventClipboards_; }

    // The index (kPage1, kPage2) of `page`; -1 for the clipboard, the scratch page or a page of
    // another document.
    int indexOf(const MissionPage& page) const;

    // The undo history of page `index` (Page 2 for any index but kPage1).
    PageHistory& history(int index) { return histories_[index == kPage1 ? kPage1 : kPage2]; }
    const PageHistory& history(int index) const { return histories_[index == kPage1 ? kPage1 : kPage2]; }
    // True when page `index` differs from the state it was last opened, saved or cleared at
    // start-up in; a page undone back to exactly that state is unchanged.
    bool isModified(int index) const { return history(index).modified(); }
    // Page `index` as it is now counts as saved (after its mission was written); the stored path
    // is no step.
    void markSaved(int index);
    // Page `index` as it is now starts a new history: no step, and it counts as unchanged (a
    // mission read whole, the pages cleared at start-up).
    void markOpened(int index) { history(index).reset(page(index)); }
    // After a mission was read into page `index`: when it was read whole, the page's history is
    // emptied and the page counts as unchanged; when the read failed part way, what the read
    // left in the page is one step named "Open" and the page counts as changed.
    void finishOpen(int index, bool read);

    // Clears `page` (any page of this document) the way the editor always has: the page is
    // emptied, then groups 1 and 2 of the *current* page get their default names when empty
    // (page_NameDefaultGroups), whichever page was cleared.
    void clearPage(MissionPage& page);
    // Reads the metafile at `path` into `page` (metafile_Load: cleared first), naming groups as
    // clearPage does. The reader's result: 1 when read.
    int readMission(MissionPage& page, const char* path);

  private:
    std::unique_ptr<MissionPage> pages_[kMissionPageCount];
    std::unique_ptr<MissionPage> clipboard_;
    std::unique_ptr<MissionPage> scratch_;
    ViewState view_{};
    EditorOptions options_;
    InsertItemMemory insertItem_;
    NumericMoveMemory numericMove_;
    EventClipboards eventClipboards_;
    PageHistory histories_[kMissionPageCount];
};
