#include "editor/editor_document.h"

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

void EditorDocument::clearPage(MissionPage& page) {
    page_Clear(page);
    page_NameDefaultGroups(currentPage());
}

int EditorDocument::readMission(MissionPage& page, const char* path) {
    const int result = metafile_Load(page, path);
    // Names the file leaves empty get their defaults, on the current page as after a clear.
    page_NameDefaultGroups(currentPage());
    return result;
}
