#include "setupc/image_builder.h"

#include <map>
#include <unordered_map>
#include <unordered_set>

#include "common/ansi_case.h"
#include "engine/commands/catalogue.h"
#include "engine/script/engine_error.h"
#include "setupc/identifiers.h"

namespace zk::setupc {
namespace {

std::string JoinedContent(const SourceCommand& command) {
    std::size_t count = command.params.size();
    while (count > 0 && command.params[count - 1].empty())
        --count;
    std::string text = command.name;
    for (std::size_t i = 0; i < count; ++i) {
        text += '\x01';
        text += command.params[i];
    }
    return text;
}

bool IsDecimal(std::string_view text) {
    if (text.empty() || text.size() > 19) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

class Builder {
  public:
    Builder(const ScriptSource& source, const PayloadFacts& payload)
        : s_(source), payload_(payload) {}

    script::ScriptImage Build() {
        CheckHeader();
        Commands();
        image_.productCode = s_.productCode;
        image_.productTitle = s_.title;
        for (const auto& p : s_.pluginCommands)
            image_.pluginCommands.Add(ListItem(p.name, p.line));
        image_.publisher = s_.publisher;
        image_.contact = s_.contact;
        image_.helpLink = s_.helpLink;
        image_.updateLink = s_.updateLink;
        image_.comments = s_.comments;
        image_.productVersion = s_.version;
        MediaPasswords();
        image_.mediaMode = s_.mediaMode;
        ComponentSizes();
        FileTable();
        image_.languageSelection = s_.languageSelection;
        image_.defaultLanguage = s_.defaultLanguage;
        for (const auto& b : s_.buildSettings) {
            image_.buildSettings.Add(ListItem(b.name, b.line));
            image_.buildSettings.Add(ListItem(b.value, b.line));
        }
        image_.revisionCode = s_.revisionCode;
        if (image_.revisionCode.empty()) {
            std::string text = WriteImage(0);
            image_.revisionCode = GuidFromText("revision\n" + text + "\n" + payload_.digest);
        }
        WriteImage(0); // every item must be writable
        return std::move(image_);
    }

  private:
    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw SourceError(s_.fileName, line, message);
    }

    std::string WriteImage(int line) const {
        try {
            return script::WriteScriptImage(image_);
        } catch (const EngineError& e) {
            Fail(line, e.what());
        }
    }

    // List items of the image end at a line "$": such an item cannot be stored.
    std::string ListItem(const std::string& text, int line) const {
        if (text == "$") Fail(line, "a list item of the script image cannot be a single \"$\"");
        return text;
    }

    void CheckHeader() const {
        if (s_.productCode.empty())
            Fail(s_.productCodeLine, "ProductCode is missing from the [setup] section");
        if (!IsRegistryGuid(s_.productCode))
            Fail(s_.productCodeLine,
                 "ProductCode must be a GUID in registry form "
                 "({XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper-case), not \"" +
                     s_.productCode + "\"");
        if (!s_.revisionCode.empty() && !IsRegistryGuid(s_.revisionCode))
            Fail(s_.revisionCodeLine,
                 "RevisionCode must be a GUID in registry form "
                 "({XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper-case), not \"" +
                     s_.revisionCode + "\"");
    }

    void Commands() {
        const std::vector<std::string> generated = GeneratedCommandIds(s_);
        std::unordered_map<std::string, int> idLines;
        std::unordered_map<std::string, int> headerLines;
        for (const SourceCommand& c : s_.commands)
            if (!c.header.empty() && c.header != kNoHeader) {
                if (!IsCommandHeader(c.header))
                    Fail(c.line, "header= must be 1 to 8 upper-case hexadecimal digits without "
                                 "leading zeros (or \"-\" for none), not \"" +
                                     c.header + "\"");
                auto [it, fresh] = headerLines.emplace(c.header, c.line);
                if (!fresh)
                    Fail(c.line, "command header " + c.header + " is already used on line " +
                                     std::to_string(it->second));
            }
        std::vector<std::string> parameters;
        for (std::size_t i = 0; i < s_.commands.size(); ++i) {
            const SourceCommand& c = s_.commands[i];
            const int count = ScriptParameterCount(s_, c.name);
            if (count < 0) Fail(c.line, UnknownCommand(c.name));
            if (static_cast<int>(c.params.size()) > count)
                Fail(c.line, "\"" + c.name + "\" takes " + std::to_string(count) + " parameter" +
                                 (count == 1 ? "" : "s") + ", " + std::to_string(c.params.size()) +
                                 " given");
            if (!c.id.empty() && !IsRegistryGuid(c.id))
                Fail(c.line, "id= must be a GUID in registry form "
                             "({XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper-case), not \"" +
                                 c.id + "\"");
            const std::string id = c.id.empty() ? generated[i] : c.id;
            auto [it, fresh] = idLines.emplace(id, c.line);
            if (!fresh)
                Fail(c.line, "command identifier " + id + " is already used on line " +
                                 std::to_string(it->second));
            if (!c.mediaFolder.empty() &&
                (c.mediaFolder.back() != '\\' || c.mediaFolder[0] == '\\' ||
                 c.mediaFolder.find(':') != std::string::npos))
                Fail(c.line, "media= must be a relative folder ending in \"\\\", not \"" +
                                 c.mediaFolder + "\"");

            image_.commandNames.Add(ListItem(c.name, c.line));
            image_.commandIds.Add(id);
            image_.commandFlags.Add(c.disabled ? "C" : "");
            image_.mediaFolders.Add(c.mediaFolder);
            if (count > 0) {
                parameters.push_back(id);
                for (int n = 0; n < count; ++n)
                    parameters.push_back(n < static_cast<int>(c.params.size()) ? c.params[n] : "");
            }
            std::string header = c.header == kNoHeader ? std::string() : c.header;
            if (c.header.empty() && IsGeneratedHeaderKind(c.name)) {
                header = PreferredCommandHeader(id);
                auto value = static_cast<std::uint32_t>(std::stoul(header, nullptr, 16));
                while (headerLines.count(header))
                    header = CommandHeaderFrom(++value);
                headerLines.emplace(header, c.line);
            }
            if (!header.empty()) {
                image_.commandHeaders.Add(header);
                image_.commandHeaders.Add(std::to_string(i));
            }
        }
        image_.parameterStore.assign(1, HashedLineList(std::move(parameters)));
    }

    bool IsGeneratedHeaderKind(const std::string& name) const {
        for (const auto& p : s_.pluginCommands)
            if (AnsiSameText(p.name, name)) return false;
        return commands::IsComponentBound(name);
    }

    static std::string UnknownCommand(const std::string& name) {
        std::string message = "unknown command \"" + name + "\"";
        for (const auto& info : commands::AllCommands())
            if (AnsiSameText(info.name, name))
                return message + " (names are case-sensitive: \"" + std::string(info.name) + "\")";
        return message + " (not in the command catalogue; plug-in commands are declared with "
                         "PluginCommand in [setup])";
    }

    void MediaPasswords() {
        for (const MediaPassword& m : s_.mediaPasswords) {
            image_.mediaPasswords.push_back(ListItem(m.block, m.line));
            std::string stored = m.password;
            if (!m.encoded) {
                try {
                    stored = script::EncodeMediaPassword(m.password);
                } catch (const EngineError& e) {
                    Fail(m.line, e.what());
                }
            }
            image_.mediaPasswords.push_back(ListItem(stored, m.line));
        }
    }

    void ComponentSizes() {
        if (s_.componentSizes) {
            if (payload_.present)
                Fail(s_.componentSizes->front().line,
                     "ComponentSize is given here while the project's payload sets the component "
                     "sizes; remove one of them");
            for (const NamedValue& c : *s_.componentSizes) {
                if (!IsDecimal(c.value))
                    Fail(c.line, "a component size must be a decimal number of bytes, not \"" +
                                     c.value + "\"");
                image_.componentSizes.push_back(ListItem(c.name, c.line));
                image_.componentSizes.push_back(c.value);
            }
            return;
        }
        if (payload_.componentSizes.empty()) {
            image_.componentSizes = {std::string(kPredefinedComponent), "0"};
            return;
        }
        for (const auto& [name, size] : payload_.componentSizes) {
            image_.componentSizes.push_back(ListItem(name, 0));
            image_.componentSizes.push_back(std::to_string(size));
        }
    }

    void FileTable() {
        const std::vector<FileEntry>* entries = nullptr;
        if (s_.fileTable) {
            if (payload_.present && !payload_.fileTable.empty())
                Fail(s_.fileTable->front().line,
                     "File is given here while the project's payload sets the file table; remove "
                     "one of them");
            entries = &*s_.fileTable;
        } else {
            entries = &payload_.fileTable;
        }
        for (const FileEntry& f : *entries) {
            image_.fileTable.Add(ListItem(f.block, f.line));
            image_.fileTable.Add(ListItem(f.path, f.line));
            image_.fileTable.Add(ListItem(f.destination, f.line));
        }
    }

    const ScriptSource& s_;
    const PayloadFacts& payload_;
    script::ScriptImage image_;
};

} // namespace

script::ScriptImage BuildImage(const ScriptSource& source, const PayloadFacts& payload) {
    return Builder(source, payload).Build();
}

std::string PreferredCommandHeader(const std::string& id) {
    return CommandHeaderFrom(static_cast<std::uint32_t>(HashText("header\n" + id).low));
}

int ScriptParameterCount(const ScriptSource& source, const std::string& name) {
    for (const auto& p : source.pluginCommands)
        if (AnsiSameText(p.name, name))
            return static_cast<int>(commands::PluginCommandParams().size());
    return commands::ParameterCount(name);
}

std::vector<std::string> GeneratedCommandIds(const ScriptSource& source) {
    // Keyed by the product and the command's own content (with a count for
    // repeated content), so inserting a command elsewhere changes no other identifier.
    std::unordered_map<std::string, int> seen;
    std::vector<std::string> ids;
    ids.reserve(source.commands.size());
    for (const SourceCommand& c : source.commands) {
        const std::string content = JoinedContent(c);
        const int occurrence = seen[content]++;
        ids.push_back(GuidFromText("command\n" + source.productCode + "\n" + content + "\n" +
                                   std::to_string(occurrence)));
    }
    return ids;
}

} // namespace zk::setupc
