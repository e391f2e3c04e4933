// The readable script source of a setup: a [setup] section with the product
// items of the script image and a [script] section with one command per line.
// ParseScriptSource reads the text into a ScriptSource; WriteScriptSource
// writes the canonical text back (parse(write(s)) gives s again).
//
//   # comment
//   [setup]
//   ProductCode "{6F1D5A3C-0000-4000-8000-000000000001}"
//   Title "Sample Product"
//   BuildSetting "LOCMODE" "VARSONLY"
//   [script]
//   Set Variable "GREETING" "Say ""hello""$NEWLINE$twice"
//   ! Comment "a disabled command"
//   id={...} header=1A media="bin\" Install Files "" "" "$TARGETDIR$"
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "setupc/source_error.h"

namespace zk::setupc {

struct SourceCommand {
    std::string name;
    std::vector<std::string> params; // as written; missing trailing ones count as empty
    bool disabled = false;           // flag "C" in the image
    std::string id;                  // empty: generated from the content
    std::string header;              // empty: generated for component-bound kinds
    std::string mediaFolder;         // media sub-folder, empty for none
    int line = 0;                    // 1-based source line, 0 when not parsed
};

// One media password: plain text, or already in the image's encoded form.
struct MediaPassword {
    std::string block;
    std::string password;
    bool encoded = false;
    int line = 0;
};

struct NamedValue {
    std::string name;
    std::string value;
    int line = 0;
};

struct FileEntry {
    std::string block;
    std::string path;
    std::string destination;
    int line = 0;
};

inline constexpr std::string_view kDefaultLanguage = "English";

struct ScriptSource {
    std::string fileName; // shown in messages

    std::string productCode;
    std::string title;
    std::string publisher;
    std::string contact;
    std::string helpLink;
    std::string updateLink;
    std::string comments;
    std::string version;
    std::string revisionCode; // empty: generated from the content
    int mediaMode = 1;
    bool languageSelection = false;
    std::string defaultLanguage{kDefaultLanguage};
    std::vector<NamedValue> pluginCommands; // name only (value unused)
    std::vector<MediaPassword> mediaPasswords;
    std::vector<NamedValue> buildSettings;
    // Given explicitly in the source; otherwise computed from the project's payload.
    std::optional<std::vector<NamedValue>> componentSizes;
    std::optional<std::vector<FileEntry>> fileTable;

    std::vector<SourceCommand> commands;

    // Source line of a header key (0 when absent): for messages about it.
    int productCodeLine = 0;
    int revisionCodeLine = 0;
    int mediaModeLine = 0;
};

// Throws SourceError (file:line: message) on malformed text.
ScriptSource ParseScriptSource(std::string_view text, std::string fileName);
std::string WriteScriptSource(const ScriptSource& source);

// Quoted form of a parameter: in double quotes, inner quotes doubled.
std::string QuoteParameter(std::string_view text);

} // namespace zk::setupc
