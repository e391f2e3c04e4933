#include "setupc/image_decompiler.h"

#include <unordered_map>

#include "common/ansi_case.h"
#include "engine/commands/catalogue.h"
#include "engine/script/engine_error.h"
#include "setupc/image_builder.h"

namespace zk::setupc {
namespace {

std::vector<std::string> Pad(std::vector<std::string> lines, std::size_t group,
                             std::string_view what, std::vector<std::string>& warnings) {
    if (lines.size() % group != 0) {
        warnings.push_back("the " + std::string(what) + " has an incomplete last entry");
        lines.resize(lines.size() + group - lines.size() % group);
    }
    return lines;
}

void Header(const script::ScriptImage& image, Decompiled& out) {
    ScriptSource& s = out.source;
    s.productCode = image.productCode;
    s.title = image.productTitle;
    s.publisher = image.publisher;
    s.contact = image.contact;
    s.helpLink = image.helpLink;
    s.updateLink = image.updateLink;
    s.comments = image.comments;
    s.version = image.productVersion;
    s.revisionCode = image.revisionCode;
    s.mediaMode = image.mediaMode;
    s.languageSelection = image.languageSelection;
    s.defaultLanguage = image.defaultLanguage;
    for (const auto& name : image.pluginCommands.Lines())
        s.pluginCommands.push_back({name, "", 0});

    const auto passwords = Pad(image.mediaPasswords, 2, "media password list", out.warnings);
    for (std::size_t i = 0; i < passwords.size(); i += 2) {
        MediaPassword m{passwords[i], passwords[i + 1], true, 0};
        const std::string plain = script::DecodeMediaPassword(m.password);
        try {
            if (script::EncodeMediaPassword(plain) == m.password) {
                m.password = plain;
                m.encoded = false;
            }
        } catch (const EngineError&) {
        }
        s.mediaPasswords.push_back(std::move(m));
    }
    const auto settings = Pad(image.buildSettings.Lines(), 2, "build settings", out.warnings);
    for (std::size_t i = 0; i < settings.size(); i += 2)
        s.buildSettings.push_back({settings[i], settings[i + 1], 0});

    const std::vector<std::string> defaultSizes = {std::string(kPredefinedComponent), "0"};
    if (image.componentSizes != defaultSizes) {
        const auto sizes = Pad(image.componentSizes, 2, "component size list", out.warnings);
        s.componentSizes.emplace();
        for (std::size_t i = 0; i < sizes.size(); i += 2)
            s.componentSizes->push_back({sizes[i], sizes[i + 1], 0});
        if (sizes.empty()) out.warnings.push_back("an empty component size list cannot be written");
    }
    if (!image.fileTable.Empty()) {
        const auto files = Pad(image.fileTable.Lines(), 3, "file table", out.warnings);
        s.fileTable.emplace();
        for (std::size_t i = 0; i < files.size(); i += 3)
            s.fileTable->push_back({files[i], files[i + 1], files[i + 2], 0});
    }
}

void Commands(const script::ScriptImage& image, Decompiled& out) {
    ScriptSource& s = out.source;
    const std::size_t count = image.CommandCount();
    std::unordered_map<std::string, std::size_t> byId;
    for (std::size_t i = 0; i < count; ++i) {
        SourceCommand c;
        c.name = image.CommandName(i);
        c.id = image.CommandId(i);
        c.disabled = image.IsDisabled(i);
        c.mediaFolder = image.MediaFolder(i);
        s.commands.push_back(std::move(c));
        byId.emplace(AnsiUpper(image.CommandId(i)), i);
    }

    // Records follow each other without a count: each begins with a command's
    // identifier; a known kind fixes its length, an unknown one runs up to
    // the next identifier.
    const std::vector<std::string>& lines = image.parameterStore.front().Lines();
    std::vector<bool> hasRecord(count, false);
    auto recordStart = [&](std::size_t p) -> std::ptrdiff_t {
        auto it = byId.find(AnsiUpper(lines[p]));
        if (it == byId.end() || hasRecord[it->second]) return -1;
        return static_cast<std::ptrdiff_t>(it->second);
    };
    std::size_t orphans = 0;
    for (std::size_t p = 0; p < lines.size();) {
        const std::ptrdiff_t index = recordStart(p);
        if (index < 0) {
            ++orphans;
            ++p;
            continue;
        }
        SourceCommand& c = s.commands[static_cast<std::size_t>(index)];
        hasRecord[static_cast<std::size_t>(index)] = true;
        const int kindCount = ScriptParameterCount(s, c.name);
        std::size_t q = p + 1;
        while (q < lines.size() && (kindCount >= 0 ? q - p - 1 < static_cast<std::size_t>(kindCount)
                                                   : recordStart(q) < 0))
            c.params.push_back(lines[q++]);
        p = q;
    }
    if (orphans > 0)
        out.warnings.push_back(std::to_string(orphans) +
                               " line(s) of the parameter section belong to no command and are "
                               "left out");

    const auto headers = Pad(image.commandHeaders.Lines(), 2, "command header list", out.warnings);
    std::vector<bool> headerSet(count, false);
    for (std::size_t i = 0; i < headers.size(); i += 2) {
        std::size_t index = 0;
        try {
            std::size_t used = 0;
            index = std::stoul(headers[i + 1], &used);
            if (used != headers[i + 1].size() || std::to_string(index) != headers[i + 1])
                throw std::invalid_argument("index");
        } catch (const std::exception&) {
            out.warnings.push_back("command header entry \"" + headers[i] + "\" names no command");
            continue;
        }
        if (index >= count || headerSet[index]) {
            out.warnings.push_back("command header entry \"" + headers[i] + "\" is left out");
            continue;
        }
        headerSet[index] = true;
        s.commands[index].header = headers[i];
    }
    for (std::size_t i = 0; i < count; ++i)
        if (!headerSet[i] && commands::IsComponentBound(s.commands[i].name))
            s.commands[i].header = std::string(kNoHeader);
}

// Drops explicit values that the builder would generate anyway.
void Simplify(ScriptSource& s) {
    const std::vector<std::string> generated = GeneratedCommandIds(s);
    for (std::size_t i = 0; i < s.commands.size(); ++i) {
        SourceCommand& c = s.commands[i];
        if (c.id == generated[i]) c.id.clear();
        const std::string& id = c.id.empty() ? generated[i] : c.id;
        bool pluginName = false;
        for (const auto& p : s.pluginCommands)
            pluginName |= AnsiSameText(p.name, c.name);
        if (!pluginName && commands::IsComponentBound(c.name) &&
            c.header == PreferredCommandHeader(id))
            c.header.clear();
    }
    ScriptSource withoutRevision = s;
    withoutRevision.revisionCode.clear();
    try {
        if (BuildImage(withoutRevision).revisionCode == s.revisionCode) s.revisionCode.clear();
    } catch (const SourceError&) {
    }
}

bool BuildsTo(const ScriptSource& s, const std::string& expected) {
    try {
        return script::WriteScriptImage(BuildImage(s)) == expected;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

Decompiled DecompileImage(const script::ScriptImage& image) {
    Decompiled out;
    Header(image, out);
    Commands(image, out);
    std::string expected;
    try {
        expected = script::WriteScriptImage(image);
    } catch (const EngineError& e) {
        out.warnings.push_back(e.what());
        return out;
    }
    ScriptSource simple = out.source;
    Simplify(simple);
    if (BuildsTo(simple, expected)) {
        out.source = std::move(simple);
        return out;
    }
    if (!BuildsTo(out.source, expected)) {
        try {
            BuildImage(out.source);
            out.warnings.push_back("the image holds data the source cannot express; building "
                                   "this source gives a different image");
        } catch (const SourceError& e) {
            out.warnings.push_back(std::string("this source does not build as it is: ") + e.what());
        }
    }
    return out;
}

} // namespace zk::setupc
