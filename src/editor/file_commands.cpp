#include "editor/file_commands.h"

#include "editor/editor_document.h"
#include "editor/file_paths.h"
#include "editor/refusal_notices.h"
#include "foundation/safe_format.h"
#include "foundation/text_source.h"
#include "foundation/user_message.h"
#include "gamedata/own_texts.h"
#include "gamedata/string_table.h"
#include "mission/binary_export.h"
#include "mission/metafile_problem_text.h"
#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"
#include "mission/page_ops.h"
#include "mission/reports.h"
#include "mission/write_failure.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

constexpr const char* kFileSection = "File I/O";

FileFilter makeFilter(const char* descriptionKey, const char* patternKey) {
    FileFilter filter;
    filter.description = TextLookup(kFileSection, descriptionKey);
    filter.pattern = TextLookup(kFileSection, patternKey);
    filter.default_extension = file_PatternExtension(filter.pattern);
    return filter;
}

} // namespace

std::string file_PatternExtension(const std::string& pattern) {
    // Only the plain form "*.ext" gives a default ("*.*", "*.m?s" or "*.mis;*.txt" do not).
    if (pattern.size() < 3 || pattern[0] != '*' || pattern[1] != '.') return {};
    std::string extension = pattern.substr(2);
    for (char c : extension)
        if (c == '*' || c == '?' || c == ';' || c == '.' || c == ' ' || c == '/' || c == '\\') return {};
    return extension;
}

FileFilter file_MissionFilter() {
    FileFilter filter = makeFilter("QZ_IN_FILTER_DES", "QZ_IN_FILTER_EXT");
    filter.default_extension = TextLookup(kFileSection, "DEF_EXT");
    if (filter.default_extension == kBadTextString)
        filter.default_extension = file_PatternExtension(filter.pattern);
    return filter;
}

FileFilter file_BinaryFilter() {
    return makeFilter("QZ_OUT_FILTER_DES", "QZ_OUT_FILTER_EXT");
}

FileFilter file_TextFilter() {
    return makeFilter("TEXT_FILE_FILTER_DES", "TEXT_FILE_FILTER_EXT");
}

void file_StorePath(MissionPage& page, const std::string& path) {
    char* field = page.general.mission_file;
    const size_t keep = std::min(path.size(), sizeof page.general.mission_file - 1);
    std::memcpy(field, path.data(), keep);
    field[keep] = '\0';
}

std::string file_StoredPath(const MissionPage& page) {
    return std::string(page.general.mission_file,
                       strnlen(page.general.mission_file, sizeof page.general.mission_file));
}

OpenOutcome OpenMissionFile(EditorDocument& document, MissionPage& page, const std::string& path) {
    auto fresh = std::make_unique<MissionPage>();
    MetafileReport report;
    // The groups a clear names are the current page's: the fresh page's (between its clear and
    // the read) when it takes the place of the current page, the current page's own when another
    // page is opened.
    const bool current = &page == &document.currentPage();
    metafile_Read(*fresh, path.c_str(), &report, current ? DefaultGroupNames::Give : DefaultGroupNames::Skip);
    if (!current) page_NameDefaultGroups(document.currentPage());
    if (!report.clean()) {
        const bool offer = report.partlyReadable();
        const MetafileReadMessage message = metafile_ReadMessage(report, path, offer);
        if (!offer) {
            msg_Show(message.caption.c_str(), message.text.c_str(), MsgIcon::Error, MsgButtons::Ok);
            return OpenOutcome::Kept;
        }
        if (msg_Show(message.caption.c_str(), message.text.c_str(), MsgIcon::Question, MsgButtons::YesNo) !=
            MsgAnswer::Yes)
            return OpenOutcome::Kept;
    }
    page_Swap(page, *fresh);
    file_StorePath(page, path);
    // A clean read starts the page's history anew, unchanged; what was read of a damaged file
    // differs from that file: an undoable step that marks the page changed.
    document.finishOpen(document.indexOf(page), report.clean());
    notice_ShowMissingTerrain(page);
    return report.clean() ? OpenOutcome::Opened : OpenOutcome::OpenedDamaged;
}

OpenOutcome OpenMission(EditorView& view, EditorDocument& document, MissionPage& page) {
    return ChooseAndOpenMission(view, document, page, file_ChooserStart(file_StoredPath(page))).outcome;
}

OpenResult ChooseAndOpenMission(EditorView& view, EditorDocument& document, MissionPage& page,
                                const std::string& start) {
    const FileFilter filter = file_MissionFilter();
    const std::string chosen = view.chooseFile(FileDialogKind::Open, filter, start);
    if (chosen.empty()) return {};
    const OpenTarget target = file_ResolveOpenPath(chosen, filter.default_extension);
    struct stat info {};
    // Only a name under which nothing exists starts a new mission; a folder or a file that
    // cannot be read is reported by the read.
    if (!target.exists && ::stat(target.path.c_str(), &info) != 0 && errno == ENOENT) {
        const std::string question = fmt_Format(text_Own("CREATE_MISSION?"), {target.path});
        if (msg_Show(text_Own("OPEN_CAPTION"), question.c_str(), MsgIcon::Question, MsgButtons::YesNo) !=
            MsgAnswer::Yes)
            return {};
        page_Clear(page);
        if (&page == &document.currentPage()) page_NameDefaultGroups(page);
        file_StorePath(page, target.path);
        document.markOpened(document.indexOf(page));
        view.repaint(EditorWindow::MapView);
        return {OpenOutcome::Opened, true, target.path};
    }
    return {OpenMissionFile(document, page, target.path), false, target.path};
}

bool SaveMission(EditorView& view, MissionPage& page) {
    return !SaveMissionAs(view, page, file_SaveChooserStart(file_StoredPath(page))).empty();
}

std::string SaveMissionAs(EditorView& view, MissionPage& page, const std::string& start) {
    const std::string path = view.chooseFile(FileDialogKind::Save, file_MissionFilter(), start);
    if (path.empty() || !file_WriteMission(page, path)) return {};
    return path;
}

bool file_WriteMission(MissionPage& page, const std::string& path) {
    FileFailure failure;
    if (!metafile_Write(page, path.c_str(), &failure)) {
        write_ReportFailure(path.c_str(), failure);
        return false;
    }
    file_StorePath(page, path);
    return true;
}

bool ExportMission(EditorView& view, MissionPage& page) {
    const std::string path =
        view.chooseFile(FileDialogKind::Save, file_BinaryFilter(), file_ChooserStart(file_StoredPath(page)));
    if (path.empty()) return false;
    return export_BinaryMission(page, path.c_str()) == 1;
}

bool WriteReport(EditorView& view, const MissionPage& page, ReportKind kind, int event) {
    const std::string start = file_ChooserStart(file_StoredPath(page));
    return WriteReport(
        [&view, &start](FileDialogKind dialog, const FileFilter& filter) {
            return view.chooseFile(dialog, filter, start);
        },
        page, kind, event);
}

bool WriteReport(const FileChooser& choose, const MissionPage& page, ReportKind kind, int event) {
    if (kind == ReportKind::Event && (event < 0 || event >= page.num_events || event >= kMaxEvents))
        return false;
    const std::string path = choose(FileDialogKind::Save, file_TextFilter());
    if (path.empty()) return false;
    ReportResult result = ReportResult::WriteFailed;
    switch (kind) {
    case ReportKind::GroupList:
        result = report_WriteGroupList(page, path.c_str());
        break;
    case ReportKind::AreaTriggerList:
        result = report_WriteAreaTriggerList(page, path.c_str());
        break;
    case ReportKind::WaypointList:
        result = report_WriteWaypointList(page, path.c_str());
        break;
    case ReportKind::Event:
        result = report_WriteEvent(page, path.c_str(), event);
        break;
    case ReportKind::EventList:
        result = report_WriteEventList(page, path.c_str());
        break;
    }
    return result == ReportResult::Written;
}
