#pragma once
// The problems of `qzmission check --json`: one document
//   {"mission": PATH, "problems": [{"severity": "error" | "warning", "code": CODE,
//     "message": TEXT, "items": [...], "waypoint_lists": [...], "groups": [...],
//     "area_triggers": [...], "wav_lists": [...], "events": [...]}, ...]}
// with every list present (empty when the problem concerns none of that kind). A damaged mission
// adds "read_problems": [{"line": N, "message": TEXT}, ...] after "mission", the problems of
// reading the file. Texts are 8-bit in the page and the string tables; each byte becomes the
// character U+0000..U+00FF in UTF-8.

#include "mission/metafile_report.h"
#include "mission/page_checks.h"

#include <string>
#include <vector>

std::string check_JsonText(const std::string& mission, const std::vector<PageProblem>& problems,
                           const std::vector<MetafileProblem>& read_problems = {});
