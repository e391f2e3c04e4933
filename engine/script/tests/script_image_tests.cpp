#include <gtest/gtest.h>

#include "engine/script/engine_error.h"
#include "engine/script/script_image.h"

namespace zk::script {
namespace {

ScriptImage SampleImage() {
    ScriptImage img;
    for (const char* n : {"Set Variable", "If", "End"}) img.commandNames.Add(n);
    for (const char* id : {"{11111111-2222-3333-4444-555555555555}", "{AAAAAAAA-2222-3333-4444-555555555555}",
                           "{BBBBBBBB-2222-3333-4444-555555555555}"})
        img.commandIds.Add(id);
    for (const char* p : {"{11111111-2222-3333-4444-555555555555}", "PREREQ", "$", "{AAAAAAAA-2222-3333-4444-555555555555}",
                          "PREREQ", "0", "FALSE", "", "with $DOLLAR$ inside"})
        img.parameterStore[0].Add(p);
    for (const char* f : {"", "C", ""}) img.commandFlags.Add(f);
    img.productCode = "{99999999-2222-3333-4444-555555555555}";
    img.productTitle = "Sample Product";
    img.pluginCommands.Add("My Plugin Command");
    img.publisher = "Publisher";
    img.contact = "Contact";
    img.helpLink = "http://help";
    img.updateLink = "http://update";
    img.comments = "Comments";
    img.productVersion = "1.2.3";
    img.mediaPasswords = {"web1", EncodeMediaPassword("secret"), "offline", EncodeMediaPassword("fallback")};
    for (const char* m : {"", "", "payload\\"}) img.mediaFolders.Add(m);
    img.mediaMode = 2;
    img.componentSizes = {"ZARA-PREDEF-COMPONENT", "0", "Main", "123456789012"};
    img.revisionCode = "{88888888-2222-3333-4444-555555555555}";
    for (const char* t : {"web1", "bin\\app.exe", "bin\\"}) img.fileTable.Add(t);
    img.languageSelection = true;
    img.defaultLanguage = "English";
    for (const char* h : {"1A", "0", "12", "2"}) img.commandHeaders.Add(h);
    for (const char* b : {"LOCMODE", "VARSONLY", "TITLE", "#LOCMODE# title", "locmode", "second"})
        img.buildSettings.Add(b);
    return img;
}

TEST(ScriptImage, WriteThenReadGivesBackEveryItem) {
    const ScriptImage in = SampleImage();
    const std::string bytes = WriteScriptImage(in);
    const ScriptImage out = ReadScriptImage(bytes);
    EXPECT_EQ(out.commandNames.Lines(), in.commandNames.Lines());
    EXPECT_EQ(out.commandIds.Lines(), in.commandIds.Lines());
    ASSERT_EQ(out.parameterStore.size(), 1u);
    EXPECT_EQ(out.parameterStore[0].Lines(), in.parameterStore[0].Lines());
    EXPECT_EQ(out.commandFlags.Lines(), in.commandFlags.Lines());
    EXPECT_EQ(out.productCode, in.productCode);
    EXPECT_EQ(out.productTitle, in.productTitle);
    EXPECT_EQ(out.pluginCommands.Lines(), in.pluginCommands.Lines());
    EXPECT_EQ(out.publisher, in.publisher);
    EXPECT_EQ(out.contact, in.contact);
    EXPECT_EQ(out.helpLink, in.helpLink);
    EXPECT_EQ(out.updateLink, in.updateLink);
    EXPECT_EQ(out.comments, in.comments);
    EXPECT_EQ(out.productVersion, in.productVersion);
    EXPECT_EQ(out.mediaPasswords, in.mediaPasswords);
    EXPECT_EQ(out.mediaFolders.Lines(), in.mediaFolders.Lines());
    EXPECT_EQ(out.mediaMode, in.mediaMode);
    EXPECT_EQ(out.componentSizes, in.componentSizes);
    EXPECT_EQ(out.revisionCode, in.revisionCode);
    EXPECT_EQ(out.fileTable.Lines(), in.fileTable.Lines());
    EXPECT_EQ(out.languageSelection, in.languageSelection);
    EXPECT_EQ(out.defaultLanguage, in.defaultLanguage);
    EXPECT_EQ(out.commandHeaders.Lines(), in.commandHeaders.Lines());
    EXPECT_EQ(out.buildSettings.Lines(), in.buildSettings.Lines());
    EXPECT_EQ(WriteScriptImage(out), bytes);
    // A lone "$" parameter travels as a placeholder line.
    EXPECT_NE(bytes.find("\r\n$DOLLAR$\r\n"), std::string::npos);
}

TEST(ScriptImage, LookupsFollowTheListRules) {
    const ScriptImage img = ReadScriptImage(WriteScriptImage(SampleImage()));
    EXPECT_EQ(img.ParameterOf(0, 0), "{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(img.ParameterOf(0, 1), "PREREQ");
    EXPECT_EQ(img.ParameterOf(0, 2), "$");
    EXPECT_EQ(img.ParameterOf(1, 5), "with $DOLLAR$ inside"); // only whole lines are replaced
    // A short record runs on into the next one: the format has no boundary.
    EXPECT_EQ(img.ParameterOf(0, 4), "PREREQ");
    EXPECT_EQ(img.Parameter("{aaaaaaaa-2222-3333-4444-555555555555}", 1), "PREREQ"); // case-insensitive
    EXPECT_EQ(img.ParameterOf(2, 1), "");                                              // no record
    EXPECT_TRUE(img.IsDisabled(1));
    EXPECT_FALSE(img.IsDisabled(0));
    EXPECT_EQ(img.MediaFolder(2), "payload\\");
    EXPECT_EQ(img.CommandHeader(0), "1A");
    EXPECT_EQ(img.CommandHeader(2), "12");
    EXPECT_EQ(img.CommandHeader(1), ""); // "12" is a header, not an index
    EXPECT_EQ(img.ComponentSize("main"), 123456789012);
    EXPECT_EQ(img.ComponentSize("absent"), 0);
    EXPECT_EQ(img.MediaPassword("WEB1"), "secret");
    EXPECT_EQ(img.MediaPassword("other"), "fallback");
}

TEST(ScriptImage, EmptyPasswordListAndParameterlessScript) {
    ScriptImage img;
    img.commandNames.Add("End");
    img.commandIds.Add("{11111111-2222-3333-4444-555555555555}");
    img.commandFlags.Add("");
    img.mediaFolders.Add("");
    const std::string bytes = WriteScriptImage(img);
    EXPECT_EQ(bytes.rfind("End\r\n$\r\n{11111111-2222-3333-4444-555555555555}\r\n$\r\n$\r\n", 0), 0u);
    const ScriptImage out = ReadScriptImage(bytes);
    EXPECT_EQ(out.MediaPassword("any"), "");
    EXPECT_EQ(out.ParameterOf(0, 1), "");
}

TEST(ScriptImage, ReplacesWildDollarBeforeDollar) {
    std::string bytes = WriteScriptImage(SampleImage());
    const std::string from = "\r\n$DOLLAR$\r\n";
    bytes.replace(bytes.find(from), from.size(), "\r\n$WILD_DOLLAR$\r\n");
    EXPECT_EQ(ReadScriptImage(bytes).ParameterOf(0, 2), "$");
}

TEST(ScriptImage, BuildSettingSubstitution) {
    const ScriptImage img = SampleImage();
    // One pass in list order: the first LOCMODE pair wins for the text as given; a
    // "#LOCMODE#" brought in by a later value meets only the later pair.
    EXPECT_EQ(img.SubstituteBuildSettings("mode #locmode#, #Title#"), "mode VARSONLY, second title");
    ScriptImage cyclic;
    for (const char* b : {"A", "$#A##A#"}) cyclic.buildSettings.Add(b);
    const std::string grown = cyclic.SubstituteBuildSettings("#A#");
    EXPECT_LE(grown.size(), 4u << 20); // bounded, no hang
    EXPECT_NE(grown.find('$'), std::string::npos);
}

TEST(ScriptImage, MediaPasswordCodec) {
    // '1' = 0x31: digits "13"; masked with positions 0 and 1.
    EXPECT_EQ(EncodeMediaPassword("1"), (std::string{'1', static_cast<char>('3' ^ 1)}));
    for (std::string p : {"", "a", "P@ss w0rd!", "\xE9\xFF"}) EXPECT_EQ(DecodeMediaPassword(EncodeMediaPassword(p)), p);
    EXPECT_THROW(EncodeMediaPassword(std::string(40, '0')), EngineError); // masking would produce a CR
}

struct BadImage {
    const char* name;
    std::string bytes;
};

class ScriptImageErrors : public ::testing::TestWithParam<BadImage> {};

TEST_P(ScriptImageErrors, FailInAnOrderlyWay) { EXPECT_THROW(ReadScriptImage(GetParam().bytes), EngineError); }

std::string WithMediaMode(const std::string& mode) {
    std::string bytes = WriteScriptImage(SampleImage());
    const std::string from = "\r\n2\r\n";
    bytes.replace(bytes.find(from), from.size(), "\r\n" + mode + "\r\n");
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptImageErrors,
                         ::testing::Values(BadImage{"empty", ""}, BadImage{"names_unterminated", "Set Variable\r\nIf\r\n"},
                                           BadImage{"cut_half_way", WriteScriptImage(SampleImage()).substr(0, 300)},
                                           BadImage{"media_mode_word", WithMediaMode("two")},
                                           BadImage{"media_mode_empty", WithMediaMode("")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptImage, MediaModeTokenIgnoresRestOfLine) { EXPECT_EQ(ReadScriptImage(WithMediaMode("3 trailing")).mediaMode, 3); }

TEST(ScriptImage, WriterRefusesLinesItCannotRepresent) {
    ScriptImage img = SampleImage();
    img.productTitle = "two\r\nlines";
    EXPECT_THROW(WriteScriptImage(img), EngineError);
    img = SampleImage();
    img.fileTable.Add("$");
    EXPECT_THROW(WriteScriptImage(img), EngineError);
}

} // namespace
} // namespace zk::script
