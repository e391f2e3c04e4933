#include "engine/commands/path_text.h"

#include <vector>

#include "engine/script/variable_text.h"

namespace zk::commands {
namespace {

std::size_t LastSeparator(std::string_view path) {
    return path.find_last_of("\\:");
}

// Paths longer than this do not exist on any Windows file system; their long
// form is the text itself (this also bounds the work on hostile input).
constexpr std::size_t kLongestPath = 32767;

// Step 1 of the long form: double quotes out, then one trailing backslash.
std::string CleanForLongForm(std::string_view text) {
    std::string t;
    t.reserve(text.size());
    for (char c : text)
        if (c != '"') t.push_back(c);
    if (!t.empty() && t.back() == '\\') t.pop_back();
    return t;
}

} // namespace

std::string FileNamePart(std::string_view path) {
    const std::size_t at = LastSeparator(path);
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string FolderPart(std::string_view path) {
    const std::size_t at = LastSeparator(path);
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string ExtensionPart(std::string_view path) {
    const std::size_t at = path.find_last_of(".\\:");
    if (at == std::string_view::npos || path[at] != '.') return {};
    return std::string(path.substr(at));
}

std::string DrivePart(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        // "\\server\share": up to, not including, the backslash after the share.
        const std::size_t server = path.find('\\', 2);
        if (server == std::string_view::npos) return std::string(path);
        const std::size_t share = path.find('\\', server + 1);
        return std::string(share == std::string_view::npos ? path : path.substr(0, share));
    }
    return {};
}

std::string WithTrailingBackslash(std::string_view text) {
    std::string result(text);
    if (!result.empty() && result.back() != '\\') result.push_back('\\');
    return result;
}

std::string ExtractPathPart(std::string_view path, int part) {
    switch (part) {
    case 0:
        return FileNamePart(path);
    case 1: {
        // The extension is cut from the end of the name: "a.bc.b" gives "a.bc".
        const std::string name = FileNamePart(path);
        return name.substr(0, name.size() - ExtensionPart(name).size());
    }
    case 2: {
        const std::string extension = ExtensionPart(path);
        return extension.empty() ? extension : extension.substr(1);
    }
    case 3:
        return WithTrailingBackslash(FolderPart(path));
    case 4: {
        std::string folder = FolderPart(path);
        if (!folder.empty() && folder.back() == '\\') folder.pop_back();
        return WithTrailingBackslash(FolderPart(folder));
    }
    case 5:
        return WithTrailingBackslash(DrivePart(path));
    case 6:
        return script::CollapsePathBackslashes(path);
    default:
        return std::string(path);
    }
}

std::string LongPathForm(std::string_view path, const StoredNameLookup& lookup) {
    // The chain of texts from the path itself down to its drive or root, each
    // cleaned as step 1 says; the last one is its own folder part.
    std::vector<std::string> chain{CleanForLongForm(path)};
    if (chain.back().size() > kLongestPath) return chain.back();
    while (FolderPart(chain.back()) != chain.back())
        chain.push_back(CleanForLongForm(FolderPart(chain.back())));

    // From the root outwards: found components take their stored names.
    std::string result = chain.back();
    for (std::size_t i = chain.size() - 1; i-- > 0;) {
        const std::optional<std::string> stored = lookup(chain[i]);
        if (!stored)
            result = chain[i];
        else if (FolderPart(chain[i]).empty())
            result = *stored; // a relative name gets no leading backslash
        else
            result += "\\" + *stored;
    }
    return result;
}

} // namespace zk::commands
