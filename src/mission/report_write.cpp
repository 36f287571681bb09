#include "foundation/atomic_file.h"
#include "mission/reports.h"
#include "mission/write_failure.h"

namespace {
ReportResult writeReport(const char* path, const std::string& text) {
    FileFailure failure;
    if (file_WriteWhole(path, text.data(), text.size(), &failure)) return ReportResult::Written;
    write_ReportFailure(path, failure);
    return ReportResult::WriteFailed;
}
} // namespace

ReportResult report_WriteGroupList(const MissionPage& page, const char* path) {
    return writeReport(path, report_GroupListText(page, metafile_Now()));
}

ReportResult report_WriteAreaTriggerList(const MissionPage& page, const char* path) {
    return writeReport(path, report_AreaTriggerListText(page, metafile_Now()));
}

ReportResult report_WriteWaypointList(const MissionPage& page, const char* path) {
    return writeReport(path, report_WaypointListText(page, metafile_Now()));
}

ReportResult report_WriteEvent(const MissionPage& page, const char* path, int event) {
    if (event < 0 || event >= page.num_events || event >= kMaxEvents) return ReportResult::NoSuchEvent;
    return writeReport(path, report_EventText(page, event, metafile_Now()));
}

ReportResult report_WriteEventList(const MissionPage& page, const char* path) {
    return writeReport(path, report_EventListText(page, metafile_Now()));
}
