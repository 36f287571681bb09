#pragma once
// Plain-text reports of a page: the group list, the area-trigger list, the waypoint-list list,
// one event and all events. Each starts with a header format of the string tables filled with the
// page's mission_file and the date and time of writing; the lines after it are built from the
// page. The area-trigger and waypoint-list reports use the derived data as last rebuilt.

#include "mission/metafile_writer.h" // MetafileTime, metafile_Now
#include "mission/mission_page.h"

#include <string>

// The report texts for a given moment.
std::string report_GroupListText(const MissionPage& page, const MetafileTime& when);
std::string report_AreaTriggerListText(const MissionPage& page, const MetafileTime& when);
std::string report_WaypointListText(const MissionPage& page, const MetafileTime& when);
// Empty when `event` is not 0 to num_events-1.
std::string report_EventText(const MissionPage& page, int event, const MetafileTime& when);
std::string report_EventListText(const MissionPage& page, const MetafileTime& when);
// The block of one event as both event reports print it.
std::string report_EventBlock(const MissionPage& page, int event);

// Results of the report writers.
enum class ReportResult {
    Written,     // the file holds the report
    WriteFailed, // the file could not be written; the message was shown and any previous file kept
    NoSuchEvent, // report_WriteEvent with a number outside 0 to num_events-1: nothing was done
};

// Each writes its report, dated metafile_Now(), to `path` through a temporary file that
// replaces the target only when every byte was written.
ReportResult report_WriteGroupList(const MissionPage& page, const char* path);
ReportResult report_WriteAreaTriggerList(const MissionPage& page, const char* path);
ReportResult report_WriteWaypointList(const MissionPage& page, const char* path);
ReportResult report_WriteEvent(const MissionPage& page, const char* path, int event);
ReportResult report_WriteEventList(const MissionPage& page, const char* path);
