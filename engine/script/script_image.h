// The compiled script image: the plain-text item sequence appended to the
// engine, read into the global lists, and its exact inverse writer.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/hashed_line_list.h"

namespace zk::script {

// The global lists and single-line items, in image order.
struct ScriptImage {
    HashedLineList commandNames;       // 1, index = command index
    HashedLineList commandIds;         // 2, parallel to commandNames
    std::vector<HashedLineList> parameterStore{1}; // 3, one list: the parameter section
    HashedLineList commandFlags;       // 4, "C" = disabled
    std::string productCode;           // 5
    std::string productTitle;          // 6
    HashedLineList pluginCommands;     // 7
    std::string publisher;             // 8
    std::string contact;               // 9
    std::string helpLink;              // 10
    std::string updateLink;            // 11
    std::string comments;              // 12
    std::string productVersion;        // 13
    std::vector<std::string> mediaPasswords; // 14, name / encoded password pairs
    HashedLineList mediaFolders;       // 15, parallel to commandNames
    int mediaMode = 1;                 // 16
    std::vector<std::string> componentSizes; // 17, name / size pairs
    std::string revisionCode;          // 18
    HashedLineList fileTable;          // 19, block / path in archive / destination triples
    bool languageSelection = false;    // 20
    std::string defaultLanguage;       // 21
    HashedLineList commandHeaders;     // 22, header / decimal command index pairs
    HashedLineList buildSettings;      // 23, name / value pairs

    std::size_t CommandCount() const { return commandNames.Count(); }
    const std::string& CommandName(std::size_t index) const { return commandNames.Get(static_cast<std::ptrdiff_t>(index)); }
    const std::string& CommandId(std::size_t index) const { return commandIds.Get(static_cast<std::ptrdiff_t>(index)); }
    bool IsDisabled(std::size_t index) const { return commandFlags.Get(static_cast<std::ptrdiff_t>(index)) == "C"; }
    const std::string& MediaFolder(std::size_t index) const { return mediaFolders.Get(static_cast<std::ptrdiff_t>(index)); }

    // Parameter n (0 = the identifier line) of the command with this identifier;
    // empty when no list of the parameter store holds the identifier.
    std::string Parameter(std::string_view id, int n) const;
    // Parameter n of the command at this index.
    std::string ParameterOf(std::size_t index, int n) const { return Parameter(CommandId(index), n); }
    // Header of a component-bound command, empty when it has none.
    std::string CommandHeader(std::size_t index) const;
    // Replaces "#NAME#" by build setting values (first pair of a name wins),
    // repeating while the result holds "$" and still changes (bounded).
    std::string SubstituteBuildSettings(std::string_view text) const;
    // Size of a component, 0 when absent or not a number.
    std::int64_t ComponentSize(std::string_view component) const;
    // Decoded password of a media block, falling back to "offline", else empty.
    std::string MediaPassword(std::string_view block) const;
};

// Reads an image. Throws EngineError when the data ends before a list's "$"
// or the media mode is not a decimal integer.
ScriptImage ReadScriptImage(std::string_view bytes);
// Writes the image so that ReadScriptImage gives back every item. Parameter
// lines that are exactly "$" are written as "$DOLLAR$".
std::string WriteScriptImage(const ScriptImage& image);

std::string DecodeMediaPassword(std::string_view stored);
std::string EncodeMediaPassword(std::string_view plain);

} // namespace zk::script
