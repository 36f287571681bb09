#include "demo/demo_files.h"

#include "demo/demo_shapes.h"
#include "demo/model_writer.h"

#include <cstdlib>
#include <string>

namespace {
std::vector<std::string> splitTabs(std::string_view line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t tab = line.find('\t', start);
        fields.emplace_back(
            line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return fields;
}

// A number of metres; false when the text is not wholly a positive number.
bool parseMetres(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0' && value > 0.0;
}

bool fail(std::string* error, int line, const std::string& what) {
    if (error != nullptr) *error = "line " + std::to_string(line) + ": " + what;
    return false;
}
} // namespace

bool demo_BuildModels(std::string_view table, std::vector<DemoFile>& out, std::string* error) {
    int lineNumber = 0;
    size_t start = 0;
    while (start < table.size()) {
        size_t end = table.find('\n', start);
        if (end == std::string_view::npos) end = table.size();
        std::string_view line = table.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        const std::vector<std::string> fields = splitTabs(line);
        if (fields.size() < 5)
            return fail(error, lineNumber, "expected model, class, footprint, height and shape");
        const std::string& name = fields[0];
        const size_t cross = fields[2].find('x');
        double width = 0.0, length = 0.0, height = 0.0;
        if (cross == std::string::npos || !parseMetres(fields[2].substr(0, cross), width) ||
            !parseMetres(fields[2].substr(cross + 1), length) || !parseMetres(fields[3], height))
            return fail(error, lineNumber, "bad footprint or height");
        DemoShape shape;
        if (!model_DemoShapeFromName(fields[4].c_str(), shape))
            return fail(error, lineNumber, "unknown shape " + fields[4]);
        // Houses and huts described as boxes get their gabled roof.
        const std::string note = fields.size() > 5 ? fields[5] : std::string();
        if (shape == DemoShape::Box && fields[1] == "building" && note.find("roof") != std::string::npos)
            shape = DemoShape::Building;

        ModelDesc desc;
        DemoFile file;
        file.name = name + ".3di";
        if (!model_BuildDemo(name.c_str(), width, length, height, shape, desc) ||
            !model_WriteBytes(desc, file.bytes))
            return fail(error, lineNumber, "cannot build model " + name);
        out.push_back(std::move(file));
    }
    return true;
}
