#include "setupc/project.h"

#include <unordered_set>

#include "common/ansi_case.h"
#include "common/line_file.h"
#include "setupc/quoted_text.h"
#include "setupc/source_error.h"

namespace zk::setupc {

std::filesystem::path Project::Resolve(const std::string& path) const {
    std::filesystem::path p(path);
    return p.is_absolute() ? p : folder / p;
}

Project ParseProject(std::string_view text, const std::filesystem::path& folder,
                     std::string fileName) {
    Project project;
    project.folder = folder;
    project.fileName = std::move(fileName);
    std::unordered_set<std::string> seen;
    int number = 0;
    for (const std::string& raw : SplitLines(text)) {
        ++number;
        std::string_view line = TrimBlanks(raw);
        if (line.empty() || line[0] == '#') continue;
        auto fail = [&](const std::string& message) {
            throw SourceError(project.fileName, number, message);
        };
        std::size_t end = 0;
        while (end < line.size() && !IsBlank(line[end]) && line[end] != '"')
            ++end;
        const std::string key(line.substr(0, end));
        std::vector<std::string> values;
        std::string error;
        if (!ReadQuotedValues(line.substr(end), values, error)) fail(error);
        auto count = [&](std::size_t low, std::size_t high) {
            if (values.size() < low || values.size() > high)
                fail(key + " takes " + std::to_string(low) +
                     (low == high ? "" : " or " + std::to_string(high)) + " quoted value(s), " +
                     std::to_string(values.size()) + " given");
            if (values[0].empty()) fail(key + " needs a non-empty first value");
        };
        auto once = [&]() {
            if (!seen.insert(AnsiUpper(key)).second) fail(key + " is given twice");
        };
        auto entry = [&]() {
            return ProjectEntry{values[0], values.size() > 1 ? values[1] : "", number};
        };
        if (AnsiSameText(key, "Name")) {
            count(1, 1);
            once();
            if (values[0].find_first_of("\\/:*?\"<>|") != std::string::npos || values[0] == "." ||
                values[0] == "..")
                fail("Name must be a plain file name without folders, not \"" + values[0] + "\"");
            project.name = values[0];
        } else if (AnsiSameText(key, "Script")) {
            count(1, 1);
            once();
            project.script = entry();
        } else if (AnsiSameText(key, "Database")) {
            count(1, 1);
            once();
            project.database = entry();
        } else if (AnsiSameText(key, "Support")) {
            count(1, 2);
            project.support.push_back(entry());
        } else if (AnsiSameText(key, "Payload")) {
            count(1, 2);
            project.payload.push_back(entry());
        } else if (AnsiSameText(key, "EngineLanguage")) {
            count(1, 1);
            once();
            project.engineLanguage = entry();
        } else {
            fail("unknown project item \"" + key + "\"");
        }
    }
    return project;
}

Project LoadProject(const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / kProjectFileName;
    const auto text = ReadFileBytes(file);
    if (!text) throw SourceError(file.string(), 0, "cannot read the project file");
    return ParseProject(*text, folder, file.string());
}

} // namespace zk::setupc
