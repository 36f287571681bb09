// qzmission check MISSION.mis [--json]: the problems of a mission, as the editor's Problems panel
// lists them: one line per problem, or a JSON document for scripts.
#include "../tool_command.h"
#include "check_json.h"
#include "mission_loading.h"

#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/page_checks.h"

#include <cstdio>

namespace {
constexpr const char* kProblemSection = "Problems";

int usage() {
    std::fprintf(stderr, "usage: qzmission [--game DIR] check MISSION.mis [--json]\n");
    return 2;
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
    if (int status = tool_LoadMission(paths[0], files[0], page)) return status;

    const std::vector<PageProblem> problems = page_CheckProblems(*page);
    if (json)
        std::fputs(check_JsonText(files[0], problems).c_str(), stdout);
    else
        printLines(problems);
    std::fflush(stdout);
    return problems.empty() ? 0 : 3;
}

const ToolCommand kCheck("check", "MISSION.mis [--json]", runCheck);
} // namespace
