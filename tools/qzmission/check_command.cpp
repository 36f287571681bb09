// qzmission check MISSION.mis [--json]: the problems of a mission, as the editor's Problems panel
// lists them: one line per problem, or a JSON document for scripts. Problems of reading the file
// (a damaged mission) come first, one a line with their line numbers.
#include "../tool_command.h"
#include "check_json.h"
#include "mission_loading.h"

#include "foundation/safe_format.h"
#include "foundation/user_message.h"
#include "gamedata/string_table.h"
#include "mission/metafile_problem_text.h"
#include "mission/page_checks.h"

#include <cstdio>

namespace {
constexpr const char* kProblemSection = "Problems";

int usage() {
    std::fprintf(stderr, "usage: qzmission [--game DIR] check MISSION.mis [--json]\n");
    return 2;
}

// One read problem a line: a text that spans lines is joined with spaces.
void printReadProblems(const MetafileReport& report) {
    for (const MetafileProblem& problem : report.problems) {
        std::string line = problem.text;
        for (char& c : line)
            if (c == '\n') c = ' ';
        std::printf("%s\n", line.c_str());
    }
}

void printLines(const std::vector<PageProblem>& problems) {
    int errors = 0;
    for (const PageProblem& problem : problems) {
        std::printf("%s\n", problem_Line(problem).c_str());
        if (problem.severity == ProblemSeverity::Error) ++errors;
    }
    const int count = static_cast<int>(problems.size());
    std::printf(
        "%s\n",
        fmt_Format(TextLookup(kProblemSection, "CHECK_SUMMARY"), {count, errors, count - errors}).c_str());
}

int runCheck(const ToolContext& context, const std::vector<std::string>& args) {
    bool json = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--json")
            json = true;
        else
            files.push_back(arg);
    }
    if (files.size() != 1) return usage();
    std::vector<std::string> paths = files;
    tool_AbsolutePaths(paths);
    if (int status = tool_LoadGameData(context)) return status;
    MissionPage* page = nullptr;
    MetafileReport report;
    tool_ReadMission(paths[0], files[0], page, report);
    if (report.result == MetafileReadResult::Unreadable) {
        const MetafileReadMessage message = metafile_ReadMessage(report, paths[0], false);
        msg_Show(message.caption.c_str(), message.text.c_str(), MsgIcon::Error, MsgButtons::Ok);
        return 1;
    }
    // A read that stopped has no mission to check beyond its problems.
    const bool stopped = report.result == MetafileReadResult::Stopped;
    const std::vector<PageProblem> problems =
        stopped ? std::vector<PageProblem>{} : page_CheckProblems(*page);
    if (json) {
        std::fputs(check_JsonText(files[0], problems, report.problems).c_str(), stdout);
    } else {
        printReadProblems(report);
        if (!stopped) printLines(problems);
    }
    std::fflush(stdout);
    if (stopped) return 1;
    return problems.empty() && report.problems.empty() ? 0 : 3;
}

const ToolCommand kCheck("check", "MISSION.mis [--json]", runCheck);
} // namespace
