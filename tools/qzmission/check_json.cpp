#include "check_json.h"

#include <nlohmann/json.hpp>

namespace {
std::string utf8Of(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}
} // namespace

std::string check_JsonText(const std::string& mission, const std::vector<PageProblem>& problems,
                           const std::vector<MetafileProblem>& read_problems) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const PageProblem& problem : problems) {
        nlohmann::ordered_json entry;
        entry["severity"] = problem_SeverityName(problem.severity);
        entry["code"] = problem_CodeName(problem.code);
        entry["message"] = utf8Of(problem.message);
        entry["items"] = problem.items;
        entry["waypoint_lists"] = problem.waypoint_lists;
        entry["groups"] = problem.groups;
        entry["area_triggers"] = problem.area_triggers;
        entry["wav_lists"] = problem.wav_lists;
        entry["events"] = problem.events;
        list.push_back(std::move(entry));
    }
    nlohmann::ordered_json document;
    document["mission"] = utf8Of(mission);
    if (!read_problems.empty()) {
        nlohmann::ordered_json read = nlohmann::ordered_json::array();
        for (const MetafileProblem& problem : read_problems)
            read.push_back({{"line", problem.line}, {"message", utf8Of(problem.text)}});
        document["read_problems"] = std::move(read);
    }
    document["problems"] = std::move(list);
    return document.dump(2) + "\n";
}
