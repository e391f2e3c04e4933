#include "engine/script/script_image.h"

#include <cstdint>

#include "common/ansi_case.h"
#include "common/line_file.h"
#include "engine/script/engine_error.h"
#include "engine/script/integer_text.h"

namespace zk::script {
namespace {

// Build settings that refer to each other could grow a text forever; these
// bounds end the repetition with the text reached so far.
constexpr int kMaxBuildSettingPasses = 64;
constexpr std::size_t kMaxBuildSettingText = 1 << 20;

class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : lines_(SplitLines(bytes)) {}

    std::string Single(const char* item) {
        if (pos_ >= lines_.size()) Truncated(item);
        return lines_[pos_++];
    }

    std::vector<std::string> List(const char* item) {
        std::vector<std::string> out;
        for (;;) {
            if (pos_ >= lines_.size()) Truncated(item);
            std::string& line = lines_[pos_++];
            if (line == "$") return out;
            out.push_back(std::move(line));
        }
    }

  private:
    [[noreturn]] static void Truncated(const char* item) {
        throw EngineError(std::string("The setup script image is incomplete: it ends inside the ") + item + ".");
    }

    std::vector<std::string> lines_;
    std::size_t pos_ = 0;
};

int ParseMediaMode(const std::string& line) {
    // A decimal integer token; the rest of the line is skipped.
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) start = line.size();
    std::size_t end = line.find_first_of(" \t", start);
    if (end == std::string::npos) end = line.size();
    const auto value = TryTextToInt(std::string_view(line).substr(start, end - start));
    if (!value) throw EngineError("Invalid numeric input");
    return *value;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

void WriteList(std::string& out, const std::vector<std::string>& lines, bool parameterSection) {
    for (const auto& line : lines) {
        if (line == "$") {
            if (!parameterSection) throw EngineError("A list line of the script image cannot be a single \"$\".");
            out += "$DOLLAR$\r\n";
            continue;
        }
        if (line.find_first_of("\r\n") != std::string::npos)
            throw EngineError("A line of the script image cannot hold a line break: " + line);
        out += line;
        out += "\r\n";
    }
    out += "$\r\n";
}

void WriteSingle(std::string& out, const std::string& line) {
    if (line.find_first_of("\r\n") != std::string::npos)
        throw EngineError("A line of the script image cannot hold a line break: " + line);
    out += line;
    out += "\r\n";
}

} // namespace

std::string ScriptImage::Parameter(std::string_view id, int n) const {
    for (const auto& list : parameterStore) {
        std::ptrdiff_t p = list.IndexOf(id);
        if (p != HashedLineList::npos) return list.Get(p + n);
    }
    return {};
}

std::string ScriptImage::CommandHeader(std::size_t index) const {
    // Index lines sit at odd positions; a header that happens to read like a
    // decimal number must not be taken for an index.
    const std::string key = std::to_string(index);
    for (std::size_t i = 1; i < commandHeaders.Count(); i += 2)
        if (commandHeaders[i] == key) return commandHeaders[i - 1];
    return {};
}

std::string ScriptImage::SubstituteBuildSettings(std::string_view text) const {
    std::string current(text);
    for (int pass = 0; pass < kMaxBuildSettingPasses; ++pass) {
        std::string result = current;
        for (std::size_t i = 0; i + 1 < buildSettings.Count(); i += 2)
            result = AnsiReplaceText(result, "#" + buildSettings[i] + "#", buildSettings[i + 1]);
        if (result.find('$') == std::string::npos || result == current || result.size() > kMaxBuildSettingText)
            return result;
        current = std::move(result);
    }
    return current;
}

std::int64_t ScriptImage::ComponentSize(std::string_view component) const {
    for (std::size_t i = 0; i < componentSizes.size(); ++i) {
        if (!AnsiSameText(componentSizes[i], component)) continue;
        if (i + 1 >= componentSizes.size()) return 0;
        return TryTextToInt64(componentSizes[i + 1]).value_or(0);
    }
    return 0;
}

std::string ScriptImage::MediaPassword(std::string_view block) const {
    auto find = [this](std::string_view name) -> const std::string* {
        for (std::size_t i = 0; i + 1 < mediaPasswords.size(); i += 2)
            if (AnsiSameText(mediaPasswords[i], name)) return &mediaPasswords[i + 1];
        return nullptr;
    };
    const std::string* stored = find(block);
    if (!stored) stored = find("offline");
    return stored ? DecodeMediaPassword(*stored) : std::string();
}

std::string DecodeMediaPassword(std::string_view stored) {
    std::string unmasked(stored);
    for (std::size_t k = 0; k < unmasked.size(); ++k)
        unmasked[k] = static_cast<char>(static_cast<unsigned char>(unmasked[k]) ^ (k % 256));
    std::string plain;
    for (std::size_t k = 0; k + 1 < unmasked.size(); k += 2)
        plain += static_cast<char>(HexDigit(unmasked[k + 1]) * 16 + HexDigit(unmasked[k]));
    return plain;
}

std::string EncodeMediaPassword(std::string_view plain) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    for (char c : plain) {
        unsigned char b = static_cast<unsigned char>(c);
        hex += kHex[b & 15];
        hex += kHex[b >> 4];
    }
    for (std::size_t k = 0; k < hex.size(); ++k) {
        hex[k] = static_cast<char>(static_cast<unsigned char>(hex[k]) ^ (k % 256));
        // A masked byte that is a line break or NUL cannot live on one image line.
        if (hex[k] == '\r' || hex[k] == '\n' || hex[k] == '\0')
            throw EngineError("This media password is too long to be stored in the script image.");
    }
    if (hex == "$") throw EngineError("This media password cannot be stored in the script image.");
    return hex;
}

ScriptImage ReadScriptImage(std::string_view bytes) {
    LineReader in(bytes);
    ScriptImage image;
    image.commandNames = HashedLineList(in.List("command names"));
    image.commandIds = HashedLineList(in.List("command identifiers"));
    std::vector<std::string> parameters = in.List("parameter section");
    for (auto& line : parameters)
        if (line == "$WILD_DOLLAR$") line = "$";
    for (auto& line : parameters)
        if (line == "$DOLLAR$") line = "$";
    image.parameterStore.assign(1, HashedLineList(std::move(parameters)));
    image.commandFlags = HashedLineList(in.List("command flags"));
    image.productCode = in.Single("product code");
    image.productTitle = in.Single("product title");
    image.pluginCommands = HashedLineList(in.List("plug-in command list"));
    image.publisher = in.Single("publisher");
    image.contact = in.Single("contact");
    image.helpLink = in.Single("help link");
    image.updateLink = in.Single("update information link");
    image.comments = in.Single("comments");
    image.productVersion = in.Single("product version");
    image.mediaPasswords = in.List("media password list");
    image.mediaFolders = HashedLineList(in.List("media folder list"));
    image.mediaMode = ParseMediaMode(in.Single("media mode"));
    image.componentSizes = in.List("component size list");
    image.revisionCode = in.Single("revision code");
    image.fileTable = HashedLineList(in.List("file table"));
    image.languageSelection = in.Single("language selection flag") == "TRUE";
    image.defaultLanguage = in.Single("default language");
    image.commandHeaders = HashedLineList(in.List("command header list"));
    image.buildSettings = HashedLineList(in.List("build settings"));
    return image;
}

std::string WriteScriptImage(const ScriptImage& image) {
    std::string out;
    WriteList(out, image.commandNames.Lines(), false);
    WriteList(out, image.commandIds.Lines(), false);
    std::vector<std::string> parameters;
    for (const auto& list : image.parameterStore)
        parameters.insert(parameters.end(), list.Lines().begin(), list.Lines().end());
    WriteList(out, parameters, true);
    WriteList(out, image.commandFlags.Lines(), false);
    WriteSingle(out, image.productCode);
    WriteSingle(out, image.productTitle);
    WriteList(out, image.pluginCommands.Lines(), false);
    WriteSingle(out, image.publisher);
    WriteSingle(out, image.contact);
    WriteSingle(out, image.helpLink);
    WriteSingle(out, image.updateLink);
    WriteSingle(out, image.comments);
    WriteSingle(out, image.productVersion);
    WriteList(out, image.mediaPasswords, false);
    WriteList(out, image.mediaFolders.Lines(), false);
    WriteSingle(out, std::to_string(image.mediaMode));
    WriteList(out, image.componentSizes, false);
    WriteSingle(out, image.revisionCode);
    WriteList(out, image.fileTable.Lines(), false);
    WriteSingle(out, image.languageSelection ? "TRUE" : "FALSE");
    WriteSingle(out, image.defaultLanguage);
    WriteList(out, image.commandHeaders.Lines(), false);
    WriteList(out, image.buildSettings.Lines(), false);
    return out;
}

} // namespace zk::script
