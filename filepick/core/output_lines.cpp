#include "filepick/core/output_lines.h"

#include <algorithm>
#include <array>

#include "filepick/core/kinds.h"

namespace zk::filepick {

namespace {

// The zero-ended text at `offset`, bounded by the buffer.
std::string_view TextAt(std::string_view buffer, std::size_t offset) {
    if (offset >= buffer.size()) return {};
    std::string_view rest = buffer.substr(offset);
    return rest.substr(0, rest.find('\0'));
}

std::string Quoted(std::string_view text) {
    std::string result = "\"";
    result.append(text);
    result += '"';
    return result;
}

std::string DefaultDirLine(const Options& options, const DialogOutcome& outcome) {
    if (!options.startFolder) return {};
    const std::string folder = FolderText(outcome);
    if (folder == *options.startFolder) return {};
    return "set: default_dir " + Quoted(folder);
}

} // namespace

std::string FolderText(const DialogOutcome& outcome) {
    std::string_view before = std::string_view(outcome.buffer)
                                  .substr(0, std::min(outcome.fileOffset, outcome.buffer.size()));
    return std::string(before.substr(0, before.find('\0')));
}

std::string BaseFolder(std::string_view folderText) {
    std::string base(folderText);
    if (!base.empty() && base.back() == ' ')
        base.back() = '\\';
    else if (base.empty() || base.back() != '\\')
        base += '\\';
    return base;
}

std::vector<std::string> SelectedPaths(const DialogOutcome& outcome) {
    const std::string_view buffer = outcome.buffer;
    const std::size_t offset = std::min(outcome.fileOffset, buffer.size());
    const std::string base = BaseFolder(FolderText(outcome));
    std::vector<std::string> paths;
    // A multiple selection puts a zero byte between the folder and the first
    // name; a single choice is one full path, and whatever follows its zero
    // byte is left over from the start file, not a further name.
    const bool multiple = offset > 0 && buffer[offset - 1] == '\0';
    if (!multiple) {
        const std::string_view name = TextAt(buffer, offset);
        if (!name.empty()) paths.push_back(base + std::string(name));
        return paths;
    }
    for (std::size_t pos = offset; pos < buffer.size();) {
        const std::string_view name = TextAt(buffer, pos);
        if (name.empty()) break;
        paths.push_back(base + std::string(name));
        pos += name.size() + 1;
    }
    return paths;
}

GeometryFormat GeometryFormatFor(std::uint32_t filterIndex) {
    static constexpr std::array<GeometryFormat, 5> kFormats{{
        {"mov", ".mov"},
        {"dxf", ".dxf"},
        {"wrl", ".wrl"},
        {"stl_ascii", ".stl"},
        {"stl", ".stl"},
    }};
    if (filterIndex < 1 || filterIndex > kFormats.size()) return kFormats[0];
    return kFormats[filterIndex - 1];
}

std::string WithExtension(std::string_view path, std::string_view extension) {
    const std::size_t nameStart = path.find_last_of("\\/:");
    const std::string_view name =
        nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t dot = name.rfind('.');
    std::string result(path);
    if (dot == std::string_view::npos)
        result.append(extension);
    else if (dot + 1 == name.size())
        result.append(extension.substr(1));
    return result;
}

std::vector<std::string> OpenLines(const Options& options, const DialogOutcome& outcome) {
    std::vector<std::string> lines;
    if (std::string line = DefaultDirLine(options, outcome); !line.empty())
        lines.push_back(std::move(line));
    lines.push_back("refresh: disable");
    const KindEntry* entry = FindKind(options.kind);
    for (const std::string& path : SelectedPaths(outcome))
        if (entry && !entry->readWord.empty())
            lines.push_back("read: " + std::string(entry->readWord) + " " + Quoted(path));
    lines.push_back("refresh: enable");
    return lines;
}

std::vector<std::string> SaveLines(const Options& options, const DialogOutcome& outcome) {
    std::vector<std::string> lines;
    if (std::string line = DefaultDirLine(options, outcome); !line.empty())
        lines.push_back(std::move(line));
    const KindEntry* entry = FindKind(options.kind);
    if (!entry) return lines;
    const std::string path(TextAt(outcome.buffer, 0));
    const std::string info = Quoted(options.extraInfo ? *options.extraInfo : "*");
    const std::string head = "write: " + std::string(entry->writeWord) + " ";
    switch (entry->saveForm) {
    case SaveForm::None:
        break;
    case SaveForm::Path:
        lines.push_back(head + Quoted(path));
        break;
    case SaveForm::InfoAndPath:
        lines.push_back(head + info + " " + Quoted(path));
        break;
    case SaveForm::Geometry: {
        const GeometryFormat format = GeometryFormatFor(outcome.filterIndex);
        lines.push_back(head + info + " " + Quoted(format.word) + " " +
                        Quoted(WithExtension(path, format.extension)));
        break;
    }
    case SaveForm::Measurement:
        lines.push_back(head + info + (outcome.filterIndex == 1 ? " data " : " write ") +
                        Quoted(path));
        break;
    }
    return lines;
}

} // namespace zk::filepick
