// Round trips between script source and compiled image over a corpus that
// holds every command of the catalogue with awkward parameter texts.
#include <gtest/gtest.h>

#include "engine/commands/catalogue.h"
#include "engine/script/script_image.h"
#include "setupc/image_builder.h"
#include "setupc/image_decompiler.h"
#include "setupc/script_source.h"

namespace zk::setupc {
namespace {

const std::vector<std::string> kTexts = {
    "plain",     "say \"hi\"",      "$",
    "",          "one$NEWLINE$two", "$TARGETDIR$\\bin",
    "\"\"",      "  padded  ",      "# not a comment",
    "id=x",      "tab\there",       "100%",
    "$DOLLAR$x", "caf\xe9",
};

// Every command kind, parameters drawn from kTexts in turn, some disabled, some
// with explicit identifiers, headers and media folders.
ScriptSource Corpus() {
    ScriptSource s;
    s.fileName = "corpus.zks";
    s.productCode = "{6F1D5A3C-0000-4000-8000-000000000001}";
    s.title = "Corpus \"Product\"";
    s.publisher = "$";
    s.version = "1.2.3";
    s.mediaMode = 2;
    s.languageSelection = true;
    s.defaultLanguage = "German";
    s.pluginCommands.push_back({"My Plugin", "", 0});
    s.mediaPasswords.push_back({"offline", "se\"cret$", false, 0});
    s.mediaPasswords.push_back({"Block1", "p@ss word", false, 0});
    s.buildSettings.push_back({"LOCMODE", "VARSONLY", 0});
    s.buildSettings.push_back({"TITLE", "", 0});
    s.componentSizes =
        std::vector<NamedValue>{{"ZARA-PREDEF-COMPONENT", "0", 0}, {"Main", "12345", 0}};
    s.fileTable = std::vector<FileEntry>{{"Block1", "bin\\a.dll", "bin\\", 0}};
    std::size_t next = 0;
    int n = 0;
    for (const auto& info : commands::AllCommands()) {
        SourceCommand c;
        c.name = std::string(info.name);
        for (int p = 0; p < info.ParameterCount(); ++p)
            c.params.push_back(kTexts[next++ % kTexts.size()]);
        c.disabled = n % 5 == 3;
        if (n % 7 == 2)
            c.id =
                "{00000000-1111-2222-3333-" + std::string(8, '0') + std::to_string(1000 + n) + "}";
        if (info.componentBound && n % 3 == 0) c.header = "ABC" + std::to_string(n);
        if (info.needsSetupMedia) c.mediaFolder = "media\\" + std::to_string(n) + "\\";
        s.commands.push_back(std::move(c));
        ++n;
    }
    s.commands.push_back(
        {"My Plugin", {"a=1,b=\"2\"", "plugins\\my.dll"}, false, "", "", "plug\\", 0});
    s.commands.push_back(
        {"End", {}, false, "", "", "", 0}); // repeated content gets its own identifier
    return s;
}

TEST(SourceRoundTrip, SourceToImageToSourceGivesTheSameText) {
    const std::string text = WriteScriptSource(Corpus());
    const ScriptSource parsed = ParseScriptSource(text, "corpus.zks");
    const std::string imageText = script::WriteScriptImage(BuildImage(parsed));
    const Decompiled back = DecompileImage(script::ReadScriptImage(imageText));
    EXPECT_TRUE(back.warnings.empty()) << back.warnings.front();
    EXPECT_EQ(WriteScriptSource(back.source), text);
}

TEST(SourceRoundTrip, ImageToSourceToImageGivesTheSameBytes) {
    const std::string imageText = script::WriteScriptImage(BuildImage(Corpus()));
    const Decompiled source = DecompileImage(script::ReadScriptImage(imageText));
    const std::string text = WriteScriptSource(source.source);
    EXPECT_EQ(script::WriteScriptImage(BuildImage(ParseScriptSource(text, "again.zks"))),
              imageText);
}

TEST(SourceRoundTrip, ParametersReachTheImageAsWritten) {
    const script::ScriptImage image = BuildImage(Corpus());
    const ScriptSource corpus = Corpus();
    for (std::size_t i = 0; i < corpus.commands.size(); ++i) {
        const SourceCommand& c = corpus.commands[i];
        ASSERT_EQ(image.CommandName(i), c.name);
        EXPECT_EQ(image.IsDisabled(i), c.disabled);
        EXPECT_EQ(image.MediaFolder(i), c.mediaFolder);
        if (!c.id.empty()) {
            EXPECT_EQ(image.CommandId(i), c.id);
        }
        for (std::size_t p = 0; p < c.params.size(); ++p)
            EXPECT_EQ(image.ParameterOf(i, static_cast<int>(p) + 1), c.params[p])
                << c.name << " p" << p + 1;
    }
    EXPECT_EQ(image.MediaPassword("offline"), "se\"cret$");
    EXPECT_EQ(image.MediaPassword("block1"), "p@ss word");
}

// An image written by another writer (foreign identifiers, a bound command
// without a header, an orphan record) still decompiles to a source that
// builds back to it, except for the orphan lines, which are reported.
TEST(SourceRoundTrip, ForeignImageDecompilesWithWarningsForWhatCannotBeWritten) {
    script::ScriptImage image;
    image.commandNames = HashedLineList({"Set Variable", "Create Folder", "End"});
    image.commandIds = HashedLineList({"{AAAAAAAA-0000-0000-0000-000000000001}",
                                       "{AAAAAAAA-0000-0000-0000-000000000002}",
                                       "{AAAAAAAA-0000-0000-0000-000000000003}"});
    image.parameterStore.assign(
        1, HashedLineList({"{AAAAAAAA-0000-0000-0000-000000000001}", "X", "$",
                           "{AAAAAAAA-0000-0000-0000-000000000002}", "C:\\x"}));
    image.commandFlags = HashedLineList({"", "", ""});
    image.mediaFolders = HashedLineList({"", "", ""});
    image.productCode = "{6F1D5A3C-0000-4000-8000-000000000001}";
    image.revisionCode = "{6F1D5A3C-0000-4000-8000-000000000002}";
    image.componentSizes = {"ZARA-PREDEF-COMPONENT", "0"};
    const std::string expected = script::WriteScriptImage(image);
    const Decompiled d = DecompileImage(image);
    EXPECT_TRUE(d.warnings.empty());
    const std::string text = WriteScriptSource(d.source);
    EXPECT_NE(text.find("header=- Create Folder"), std::string::npos) << text;
    EXPECT_EQ(script::WriteScriptImage(BuildImage(ParseScriptSource(text, "x"))), expected);

    std::vector<std::string> withOrphan = image.parameterStore.front().Lines();
    withOrphan.insert(withOrphan.begin(), "left over");
    image.parameterStore.assign(1, HashedLineList(withOrphan));
    const Decompiled orphan = DecompileImage(image);
    ASSERT_FALSE(orphan.warnings.empty());
    EXPECT_NE(orphan.warnings.front().find("belong to no command"), std::string::npos);
}

TEST(ScriptSourceText, CommentsBlankLinesIndentationAndAttributesAreRead) {
    const ScriptSource s = ParseScriptSource(
        "# top\r\n\r\n[setup]\n  ProductCode \"{6F1D5A3C-0000-4000-8000-000000000001}\" # code\n"
        "[script]\n\t! id={6F1D5A3C-0000-4000-8000-0000000000AA} header=1F media=\"m\\\" Install "
        "Files \"a\" \"\" \"$TARGETDIR$\"\n"
        "    name=\"odd \"\"name\"\"\" \"p\"\n"
        "Else # trailing comment\n",
        "t.zks");
    ASSERT_EQ(s.commands.size(), 3u);
    EXPECT_TRUE(s.commands[0].disabled);
    EXPECT_EQ(s.commands[0].id, "{6F1D5A3C-0000-4000-8000-0000000000AA}");
    EXPECT_EQ(s.commands[0].header, "1F");
    EXPECT_EQ(s.commands[0].mediaFolder, "m\\");
    EXPECT_EQ(s.commands[0].params, (std::vector<std::string>{"a", "", "$TARGETDIR$"}));
    EXPECT_EQ(s.commands[0].line, 6);
    EXPECT_EQ(s.commands[1].name, "odd \"name\"");
    EXPECT_EQ(s.commands[2].name, "Else");
    EXPECT_TRUE(s.commands[2].params.empty());
}

TEST(ImageBuilder, SameSourceGivesTheSameImageAndInsertingACommandKeepsTheOtherIdentifiers) {
    const std::string head =
        "[setup]\nProductCode \"{6F1D5A3C-0000-4000-8000-000000000001}\"\n[script]\n";
    const std::string body = "Set Variable \"A\" \"1\"\nCreate Folder \"$TARGETDIR$\"\nEnd\n";
    const auto a = BuildImage(ParseScriptSource(head + body, "a"));
    EXPECT_EQ(script::WriteScriptImage(a),
              script::WriteScriptImage(BuildImage(ParseScriptSource(head + body, "a"))));
    const auto b = BuildImage(ParseScriptSource(head + "Comment \"new\"\n" + body, "b"));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(a.CommandId(i), b.CommandId(i + 1));
    EXPECT_EQ(a.CommandHeader(1), b.CommandHeader(2));
    EXPECT_FALSE(a.CommandHeader(1).empty());
    EXPECT_TRUE(a.CommandHeader(0).empty());
    EXPECT_NE(a.revisionCode, b.revisionCode); // the revision follows the content
    EXPECT_EQ(a.componentSizes, (std::vector<std::string>{"ZARA-PREDEF-COMPONENT", "0"}));
}

} // namespace
} // namespace zk::setupc
