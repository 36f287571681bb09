// What the binary export would cut: the items above its category limits (its own warnings), texts
// longer than their fields, and event times its 16-bit fields cannot hold.
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/bms_layout.h"
#include "mission/export_limits.h"
#include "mission/page_checks_internal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
constexpr const char* kProblemSection = "Problems";
static_assert(kExportMaxEventSeconds == INT16_MAX / kBmsTicksPerSecond);
static_assert(kExportWaypointSlots == kBmsWaypointSlots);

ProblemCode codeOf(ExportCategory category) {
    switch (category) {
    case ExportCategory::Decorations:
        return ProblemCode::ExportTooManyDecorations;
    case ExportCategory::Markers:
        return ProblemCode::ExportTooManyMarkers;
    case ExportCategory::People:
        return ProblemCode::ExportTooManyPeople;
    case ExportCategory::General:
        break;
    }
    return ProblemCode::ExportTooManyItems;
}

// The export's warnings, in the order it shows them, with its own sentences.
void categoryLimits(const MissionPage& page, std::vector<PageProblem>& out) {
    for (const ExportLimitWarning& warning : export_LimitWarnings(page)) {
        PageProblem problem;
        problem.severity = ProblemSeverity::Error;
        problem.code = codeOf(warning.category);
        problem.message = export_WarningText(warning);
        out.push_back(std::move(problem));
    }
}

// A text of `size` bytes that the file field of `width` bytes keeps only width - 1 characters of.
void textField(const char* what, const char* text, size_t size, size_t width, std::vector<PageProblem>& out,
               int wavList = 0) {
    const size_t length = strnlen(text, size);
    if (length < width) return;
    PageProblem problem;
    problem.severity = ProblemSeverity::Warning;
    problem.code = ProblemCode::ExportTextCut;
    problem.message = fmt_Format(TextLookup(kProblemSection, "EXPORT_TEXT_CUT"),
                                 {what, static_cast<int>(length), static_cast<int>(width - 1)});
    if (wavList > 0) problem.wav_lists.push_back(wavList);
    out.push_back(std::move(problem));
}

void texts(const MissionPage& page, std::vector<PageProblem>& out) {
    const GeneralInfo& g = page.general;
    textField(TextLookup(kProblemSection, "FIELD_MISSION_NAME"), g.name, sizeof g.name, kBmsNameWidth, out);
    textField(TextLookup(kProblemSection, "FIELD_DESIGNER"), g.designer, sizeof g.designer, kBmsNameWidth,
              out);
    textField(TextLookup(kProblemSection, "FIELD_TERRAIN"), g.terrain, sizeof g.terrain, kBmsFileNameWidth,
              out);
    textField(TextLookup(kProblemSection, "FIELD_CNV_FILE"), g.cnv_file, sizeof g.cnv_file, kBmsFileNameWidth,
              out);
    textField(TextLookup(kProblemSection, "FIELD_TT_FILE"), g.tt_file, sizeof g.tt_file, kBmsFileNameWidth,
              out);
    for (int list = 1; list < kMaxWavLists; ++list) {
        const WavList& w = page.wav_lists[list];
        if (strnlen(w.file_name, sizeof w.file_name) < kBmsFileNameWidth) continue;
        const std::string what = fmt_Format(TextLookup(kProblemSection, "FIELD_WAV_FILE"),
                                            {check_Label(list, w.description, sizeof w.description)});
        textField(what.c_str(), w.file_name, sizeof w.file_name, kBmsFileNameWidth, out, list);
    }
}

bool timeFits(int32_t seconds) {
    return seconds >= 0 && seconds <= kExportMaxEventSeconds;
}

void eventTimes(const MissionPage& page, std::vector<PageProblem>& out) {
    const int events = std::clamp(page.num_events, 0, kMaxEvents);
    for (int e = 0; e < events; ++e) {
        const MissionEvent& event = page.events[e];
        for (const bool delay : {true, false}) {
            const int32_t seconds = delay ? event.delay_value : event.reset_value;
            if (timeFits(seconds)) continue;
            const char* format = delay ? TextLookup(kProblemSection, "EXPORT_DELAY_CUT")
                                       : TextLookup(kProblemSection, "EXPORT_RESET_CUT");
            PageProblem problem;
            problem.severity = ProblemSeverity::Error;
            problem.code = ProblemCode::ExportTimeCut;
            problem.message = fmt_Format(format, {check_Label(e, event.name, sizeof event.name),
                                                  static_cast<int>(seconds), kExportMaxEventSeconds});
            problem.events.push_back(e);
            out.push_back(std::move(problem));
        }
    }
}
} // namespace

void check_ExportLimits(const MissionPage& page, std::vector<PageProblem>& out) {
    categoryLimits(page, out);
    texts(page, out);
    eventTimes(page, out);
}
