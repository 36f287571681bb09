#include "editor/editor_document.h"

#include "editor/step_names.h"

#include "mission/metafile_reader.h"
#include "mission/page_ops.h"

EditorDocument::EditorDocument()
    : clipboard_(std::make_unique<MissionPage>()), scratch_(std::make_unique<MissionPage>()) {
    for (std::unique_ptr<MissionPage>& page : pages_)
        page = std::make_unique<MissionPage>();
    view_Reset(view_);
}

EditorDocument::~EditorDocument() = default;

MissionPage& EditorDocument::page(int index) {
    return *pages_[index == kPage1 ? kPage1 : kPage2];
}

const MissionPage& EditorDocument::page(int index) const {
    return *pages_[index == kPage1 ? kPage1 : kPage2];
}

int EditorDocument::indexOf(const MissionPage& page) const {
    for (int index = 0; index < kMissionPageCount; ++index)
        if (pages_[index].get() == &page) return index;
    return -1;
}

void EditorDocument::markSaved(int index) {
    PageHistory& pageHistory = history(index);
    pageHistory.absorb(page(index));
    pageHistory.markSaved();
}

void EditorDocument::finishOpen(int index, bool read) {
    if (read)
        markOpened(index);
    else
        history(index).record(page(index), step_OpenName());
}

void EditorDocument::clearPage(MissionPage& page) {
    page_Clear(page);
    page_NameDefaultGroups(currentPage());
}

int EditorDocument::readMission(MissionPage& page, const char* path) {
    const bool current = &page == &currentPage();
    const int result = metafile_Load(page, path, current ? DefaultGroupNames::Give : DefaultGroupNames::Skip);
    if (!current) page_NameDefaultGroups(currentPage());
    return result;
}
