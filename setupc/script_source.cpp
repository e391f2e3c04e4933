#include "setupc/script_source.h"

#include <array>
#include <functional>
#include <unordered_set>

#include "common/ansi_case.h"
#include "common/line_file.h"
#include "setupc/quoted_text.h"

namespace zk::setupc {
namespace {

enum class Section { None, Setup, Script };

constexpr std::array<std::string_view, 4> kAttributes = {"id", "header", "media", "name"};

class Parser {
  public:
    Parser(ScriptSource& source) : source_(source) {}

    void Line(std::string_view raw, int number) {
        line_ = number;
        std::string_view text = TrimBlanks(raw);
        if (text.empty() || text[0] == '#') return;
        if (text[0] == '[') {
            section_ = ParseSection(text);
            return;
        }
        switch (section_) {
        case Section::None:
            Fail("expected a section line, [setup] or [script], before the first entry");
        case Section::Setup:
            SetupLine(text);
            return;
        case Section::Script:
            ScriptLine(text);
            return;
        }
    }

  private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw SourceError(source_.fileName, line_, message);
    }

    Section ParseSection(std::string_view text) const {
        std::size_t close = text.find(']');
        if (close != std::string_view::npos) {
            std::string_view name = TrimBlanks(text.substr(1, close - 1));
            std::string_view after = TrimBlanks(text.substr(close + 1));
            if (after.empty() || after[0] == '#') {
                if (AnsiSameText(name, "setup")) return Section::Setup;
                if (AnsiSameText(name, "script")) return Section::Script;
            }
        }
        Fail("unknown section line \"" + std::string(text) + "\": use [setup] or [script]");
    }

    std::vector<std::string> Values(std::string_view text) const {
        std::vector<std::string> values;
        std::string error;
        if (!ReadQuotedValues(text, values, error)) Fail(error);
        return values;
    }

    void SetupLine(std::string_view text) {
        std::size_t end = 0;
        while (end < text.size() && !IsBlank(text[end]) && text[end] != '"')
            ++end;
        const std::string key(text.substr(0, end));
        const std::vector<std::string> values = Values(text.substr(end));
        auto expect = [&](std::size_t count) {
            if (values.size() != count)
                Fail(key + " takes " + std::to_string(count) + " quoted value" +
                     (count == 1 ? "" : "s") + ", " + std::to_string(values.size()) + " given");
        };
        auto single = [&](std::string& target, int* keyLine = nullptr) {
            expect(1);
            if (!seen_.insert(AnsiUpper(key)).second) Fail(key + " is given twice");
            target = values[0];
            if (keyLine) *keyLine = line_;
        };
        if (AnsiSameText(key, "ProductCode"))
            return single(source_.productCode, &source_.productCodeLine);
        if (AnsiSameText(key, "Title")) return single(source_.title);
        if (AnsiSameText(key, "Publisher")) return single(source_.publisher);
        if (AnsiSameText(key, "Contact")) return single(source_.contact);
        if (AnsiSameText(key, "HelpLink")) return single(source_.helpLink);
        if (AnsiSameText(key, "UpdateLink")) return single(source_.updateLink);
        if (AnsiSameText(key, "Comments")) return single(source_.comments);
        if (AnsiSameText(key, "Version")) return single(source_.version);
        if (AnsiSameText(key, "RevisionCode"))
            return single(source_.revisionCode, &source_.revisionCodeLine);
        if (AnsiSameText(key, "DefaultLanguage")) return single(source_.defaultLanguage);
        if (AnsiSameText(key, "MediaMode")) {
            std::string mode;
            single(mode, &source_.mediaModeLine);
            if (mode != "1" && mode != "2" && mode != "3")
                Fail("MediaMode must be \"1\" (data folder), \"2\" (web media) or \"3\" (original "
                     "sources), not \"" +
                     mode + "\"");
            source_.mediaMode = mode[0] - '0';
            return;
        }
        if (AnsiSameText(key, "LanguageSelection")) {
            std::string flag;
            single(flag);
            if (!AnsiSameText(flag, "TRUE") && !AnsiSameText(flag, "FALSE"))
                Fail("LanguageSelection must be \"TRUE\" or \"FALSE\", not \"" + flag + "\"");
            source_.languageSelection = AnsiSameText(flag, "TRUE");
            return;
        }
        if (AnsiSameText(key, "PluginCommand")) {
            expect(1);
            source_.pluginCommands.push_back({values[0], "", line_});
            return;
        }
        if (AnsiSameText(key, "MediaPassword") || AnsiSameText(key, "MediaPasswordEncoded")) {
            expect(2);
            source_.mediaPasswords.push_back(
                {values[0], values[1], AnsiSameText(key, "MediaPasswordEncoded"), line_});
            return;
        }
        if (AnsiSameText(key, "BuildSetting")) {
            expect(2);
            source_.buildSettings.push_back({values[0], values[1], line_});
            return;
        }
        if (AnsiSameText(key, "ComponentSize")) {
            expect(2);
            if (!source_.componentSizes) source_.componentSizes.emplace();
            source_.componentSizes->push_back({values[0], values[1], line_});
            return;
        }
        if (AnsiSameText(key, "File")) {
            expect(3);
            if (!source_.fileTable) source_.fileTable.emplace();
            source_.fileTable->push_back({values[0], values[1], values[2], line_});
            return;
        }
        Fail("unknown setup item \"" + key + "\"");
    }

    // Reads an attribute "key=value" or "key="quoted"" at the start of `text`.
    bool Attribute(std::string_view& text, SourceCommand& command, bool& nameGiven) {
        for (std::string_view key : kAttributes) {
            if (text.size() <= key.size() || text.substr(0, key.size()) != key ||
                text[key.size()] != '=')
                continue;
            std::string_view rest = text.substr(key.size() + 1);
            std::string value;
            std::size_t used = 0;
            if (!rest.empty() && rest[0] == '"') {
                std::string error;
                if (!ReadQuotedValue(rest, value, used, error)) Fail(error);
            } else {
                while (used < rest.size() && !IsBlank(rest[used]))
                    ++used;
                value = std::string(rest.substr(0, used));
            }
            if (used < rest.size() && !IsBlank(rest[used]))
                Fail("a blank must follow the value of " + std::string(key) + "=");
            std::string* target = key == "id"       ? &command.id
                                  : key == "header" ? &command.header
                                  : key == "media"  ? &command.mediaFolder
                                                    : &command.name;
            if (!attributesSeen_.insert(std::string(key)).second)
                Fail(std::string(key) + "= is given twice");
            if (value.empty()) Fail(std::string(key) + "= needs a value");
            *target = std::move(value);
            if (key == "name") nameGiven = true;
            text = TrimBlanks(rest.substr(used));
            return true;
        }
        return false;
    }

    void ScriptLine(std::string_view text) {
        SourceCommand command;
        command.line = line_;
        attributesSeen_.clear();
        if (text[0] == '!') {
            command.disabled = true;
            text = TrimBlanks(text.substr(1));
        }
        bool nameGiven = false;
        while (Attribute(text, command, nameGiven)) {
        }
        std::string_view paramText = text;
        if (!nameGiven) {
            std::size_t end = text.find_first_of("\"#");
            command.name = std::string(TrimBlanks(text.substr(0, end)));
            paramText = end == std::string_view::npos ? std::string_view() : text.substr(end);
            if (command.name.empty()) Fail("a command name is missing before the parameters");
        }
        command.params = Values(paramText);
        source_.commands.push_back(std::move(command));
    }

    ScriptSource& source_;
    Section section_ = Section::None;
    int line_ = 0;
    std::unordered_set<std::string> seen_;
    std::unordered_set<std::string> attributesSeen_;
};

bool NeedsNameAttribute(const std::string& name) {
    if (name.empty() || IsBlank(name.front()) || IsBlank(name.back())) return true;
    if (name.find_first_of("\"#") != std::string::npos) return true;
    if (name[0] == '!' || name[0] == '[') return true;
    for (std::string_view key : kAttributes)
        if (name.size() > key.size() && name.compare(0, key.size(), key) == 0 &&
            name[key.size()] == '=')
            return true;
    return false;
}

// Bare when it reads back as one token, quoted otherwise.
std::string AttributeValue(const std::string& value) {
    if (value.empty() || value[0] == '"' || value.find_first_of(" \t") != std::string::npos)
        return QuoteValue(value);
    return value;
}

void Key(std::string& out, std::string_view key, std::initializer_list<std::string_view> values) {
    out += key;
    for (std::string_view v : values) {
        out += ' ';
        out += QuoteValue(v);
    }
    out += "\r\n";
}

} // namespace

std::string QuoteParameter(std::string_view text) {
    return QuoteValue(text);
}

ScriptSource ParseScriptSource(std::string_view text, std::string fileName) {
    ScriptSource source;
    source.fileName = std::move(fileName);
    Parser parser(source);
    int number = 0;
    for (const std::string& line : SplitLines(text))
        parser.Line(line, ++number);
    return source;
}

std::string WriteScriptSource(const ScriptSource& s) {
    std::string out = "[setup]\r\n";
    auto text = [&](std::string_view key, const std::string& value) {
        if (!value.empty()) Key(out, key, {value});
    };
    Key(out, "ProductCode", {s.productCode});
    text("Title", s.title);
    text("Publisher", s.publisher);
    text("Contact", s.contact);
    text("HelpLink", s.helpLink);
    text("UpdateLink", s.updateLink);
    text("Comments", s.comments);
    text("Version", s.version);
    text("RevisionCode", s.revisionCode);
    if (s.mediaMode != 1) Key(out, "MediaMode", {std::to_string(s.mediaMode)});
    if (s.languageSelection) Key(out, "LanguageSelection", {"TRUE"});
    if (s.defaultLanguage != kDefaultLanguage) Key(out, "DefaultLanguage", {s.defaultLanguage});
    for (const auto& p : s.pluginCommands)
        Key(out, "PluginCommand", {p.name});
    for (const auto& m : s.mediaPasswords)
        Key(out, m.encoded ? "MediaPasswordEncoded" : "MediaPassword", {m.block, m.password});
    for (const auto& b : s.buildSettings)
        Key(out, "BuildSetting", {b.name, b.value});
    if (s.componentSizes)
        for (const auto& c : *s.componentSizes)
            Key(out, "ComponentSize", {c.name, c.value});
    if (s.fileTable)
        for (const auto& f : *s.fileTable)
            Key(out, "File", {f.block, f.path, f.destination});

    out += "\r\n[script]\r\n";
    int depth = 0;
    for (const SourceCommand& c : s.commands) {
        const bool opens = c.name == "If" || c.name == "Wizard Loop";
        const bool middle = c.name == "Else" || c.name == "Else If";
        const bool closes = c.name == "End";
        int indent = depth;
        if (!c.disabled && (middle || closes) && indent > 0) --indent;
        out.append(static_cast<std::size_t>(indent) * 4, ' ');
        if (c.disabled) out += "! ";
        if (!c.id.empty()) out += "id=" + AttributeValue(c.id) + " ";
        if (!c.header.empty()) out += "header=" + AttributeValue(c.header) + " ";
        if (!c.mediaFolder.empty()) out += "media=" + QuoteValue(c.mediaFolder) + " ";
        if (NeedsNameAttribute(c.name))
            out += "name=" + QuoteValue(c.name);
        else
            out += c.name;
        std::size_t count = c.params.size();
        while (count > 0 && c.params[count - 1].empty())
            --count;
        for (std::size_t i = 0; i < count; ++i) {
            out += ' ';
            out += QuoteValue(c.params[i]);
        }
        out += "\r\n";
        if (!c.disabled) {
            if (opens) ++depth;
            if (closes && depth > 0) --depth;
        }
    }
    return out;
}

} // namespace zk::setupc
