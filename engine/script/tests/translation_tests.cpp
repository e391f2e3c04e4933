#include <gtest/gtest.h>

#include <string>

#include "engine/script/script_image.h"
#include "engine/script/translation.h"
#include "engine/script/variable_store.h"
#include "script_builder.h"

namespace zk::script {
namespace {

struct TranslateCase {
    const char* label;
    std::string mode; // "" = no LOCMODE setting
    std::string text;
    std::string key;
    int slot;
    std::string expected;
};

class Translate : public ::testing::TestWithParam<TranslateCase> {};

TEST_P(Translate, ByMode) {
    const TranslateCase& c = GetParam();
    testing::ScriptBuilder builder;
    if (!c.mode.empty()) builder.Setting("LOCMODE", c.mode);
    builder.Setting("PRODUCT", "Quorvix");
    Translator translator(builder.Image());
    TranslationTables tables;
    tables.keys = HashedLineList({"{ID-1}", "", "ZIRIZERO$GREETING$ZIRIZERO", "{id-2}"});
    tables.originalTexts = HashedLineList({"Hello", "Install $TITLE$?", "Hi", "Last"});
    tables.languageTexts = HashedLineList({"Hallo", "#PRODUCT# installieren?", "Servus"});
    translator.SetTables(std::move(tables));
    EXPECT_EQ(translator.Translate(c.text, c.key, c.slot), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Translate,
    ::testing::Values(
        TranslateCase{"FullModeWithoutSetting", "", "Hello", "{ID-1}", 1, "Hallo"},
        TranslateCase{"KeyIgnoresCase", "", "Hello", "{id-1}", 1, "Hallo"},
        TranslateCase{"SecondSlotWithBuildSettings", "", "whatever", "{ID-1}", 2,
                      "Quorvix installieren?"},
        TranslateCase{"UnknownKey", "", "Hello", "{ID-9}", 1, "Hello"},
        TranslateCase{"ShortLanguageFileGivesEmpty", "", "Last", "{ID-2}", 1, ""},
        TranslateCase{"VarsOnlySkipsCommands", "varsonly", "Hello", "{ID-1}", 1, "Hello"},
        TranslateCase{"VarsOnlyTranslatesLocalizationVariables", "VARSONLY", "Hi",
                      "ZIRIZERO$GREETING$ZIRIZERO", 1, "Servus"},
        TranslateCase{"NewOnlyUnchangedText", "NEWONLY", "Hello", "{ID-1}", 1, "Hallo"},
        // A substituted variable made the text differ from its original line.
        TranslateCase{"NewOnlyChangedText", "NewOnly", "Install Quorvix?", "{ID-1}", 2,
                      "Install Quorvix?"},
        TranslateCase{"NewOnlyComparesCaseSensitively", "NEWONLY", "hello", "{ID-1}", 1, "hello"},
        TranslateCase{"OtherModeIsFull", "ALL", "changed", "{ID-1}", 1, "Hallo"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Translate, NoTablesLeaveTextsUnchanged) {
    Translator translator([](std::string_view text) { return std::string(text); });
    EXPECT_EQ(translator.Translate("Hello", "{ID-1}", 1), "Hello");
    EXPECT_EQ(LocalizationKey("GREETING"), "ZIRIZERO$GREETING$ZIRIZERO");
}

} // namespace
} // namespace zk::script
