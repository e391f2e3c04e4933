#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/script/conditions.h"
#include "engine/script/engine_error.h"
#include "engine/script/integer_text.h"
#include "engine/script/stage_labels.h"
#include "engine/script/translation.h"
#include "engine/script/variable_store.h"
#include "script_builder.h"

namespace zk::script {
namespace {

struct IntegerCase {
    std::string text;
    std::optional<std::int32_t> value;
};

class IntegerText : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerText, OrdinaryConversion) {
    EXPECT_EQ(TryTextToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntegerText,
    ::testing::Values(IntegerCase{"0", 0}, IntegerCase{"-17", -17}, IntegerCase{"+5", 5},
                      IntegerCase{"007", 7}, IntegerCase{"2147483647", 2147483647},
                      IntegerCase{"-2147483648", INT32_MIN},
                      IntegerCase{"2147483648", std::nullopt}, IntegerCase{"$1F", 31},
                      IntegerCase{"$ff", 255}, IntegerCase{"-$10", -16},
                      IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"$100000000", std::nullopt},
                      IntegerCase{"", std::nullopt}, IntegerCase{"-", std::nullopt},
                      IntegerCase{"$", std::nullopt}, IntegerCase{"10a", std::nullopt},
                      IntegerCase{" 1", std::nullopt}, IntegerCase{"1.0", std::nullopt},
                      IntegerCase{"99999999999999999999", std::nullopt}));

TEST(IntegerText, SixtyFourBitSizes) {
    EXPECT_EQ(TryTextToInt64("123456789012"), 123456789012);
    EXPECT_EQ(TryTextToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(TryTextToInt64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(TryTextToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(TryTextToInt64("$10000000000000000"), std::nullopt);
    EXPECT_EQ(TryTextToInt64("12 "), std::nullopt);
}

TEST(IntegerText, MalformedNumberRaisesTheConversionError) {
    EXPECT_EQ(TextToInt("$7FFFFFFF"), 2147483647);
    try {
        TextToInt("abc");
        FAIL() << "no error";
    } catch (const EngineError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
}

struct ConditionCase {
    const char* label;
    std::string stored; // value of V
    std::string op;
    std::string value;
    std::string negate;
    bool expected;
};

class Condition : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(Condition, ComparesByOperatorCode) {
    const ConditionCase& c = GetParam();
    VariableStore store;
    store.Define("V", c.stored, kStageInitialization);
    store.Define("NINE", "9", kStageInitialization);
    EXPECT_EQ(EvaluateCondition({"V", c.op, c.value, c.negate}, store), c.expected);
    EXPECT_EQ(EvaluateCondition({"$v$", c.op, c.value, c.negate}, store),
              c.expected); // pure reference
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Condition,
    ::testing::Values(
        ConditionCase{"NumericGreater", "10", "2", "9", "", true},
        ConditionCase{"NumericGreaterThroughReference", "10", "2", "$NINE$", "", true},
        ConditionCase{"TextOrderWhenNotNumeric", "10a", "2", "9", "", false},
        ConditionCase{"TextOrderIsByteOrder", "b", "2", "B", "", true},
        ConditionCase{"TextOrderHighBytesSortLast", "\xe9", "2", "z", "", true},
        ConditionCase{"HexEqualsDecimal", "$10", "0", "16", "", true},
        ConditionCase{"EqualCaseSensitive", "Yes", "0", "yes", "", false},
        ConditionCase{"ContainsWithIntegersIsEquality", "123", "1", "2", "", false},
        ConditionCase{"ContainsIntegersEqual", "+7", "1", "7", "", true},
        ConditionCase{"ContainsCaseSensitive", "Hello World", "1", "World", "", true},
        ConditionCase{"ContainsCaseSensitiveMiss", "Hello World", "1", "world", "", false},
        ConditionCase{"ContainsIgnoringCase", "Hello W\xd6rld", "3", "w\xf6rld", "", true},
        ConditionCase{"EqualIgnoringAsciiCase", "Next", "4", "NEXT", "", true},
        ConditionCase{"EqualIgnoringCaseAsciiOnly", "\xe9", "4", "\xc9", "", false},
        ConditionCase{"Negated", "a", "0", "a", "TRUE", false},
        ConditionCase{"NegatedByMinusOne", "a", "0", "b", "-1", true},
        ConditionCase{"NegationWordOneIsFalse", "a", "0", "a", "1", true},
        ConditionCase{"ExistsIgnoresValue", "", "5", "anything", "", true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Condition, ExistenceOperatorWithNegation) {
    VariableStore store;
    EXPECT_TRUE(EvaluateCondition({"MISSING", "5", "", "TRUE"}, store));
    EXPECT_FALSE(EvaluateCondition({"$MISSING$", "5", "", ""}, store));
}

TEST(Condition, UndefinedVariableAndBadOperatorAreRunTimeErrors) {
    VariableStore store;
    EXPECT_THROW(EvaluateCondition({"MISSING", "0", "x", ""}, store), EngineError);
    store.Define("V", "x", kStageInitialization);
    EXPECT_THROW(EvaluateCondition({"V", "6", "x", ""}, store), EngineError);
    EXPECT_THROW(EvaluateCondition({"V", "", "x", ""}, store), EngineError);
}

TEST(Condition, ReadsItsCommandAndTranslatesParametersOneAndThree) {
    testing::ScriptBuilder builder;
    builder.Add("If", {"WIZARD", "4", "Weiter", ""});
    const ScriptImage& image = builder.Image();
    VariableStore store;
    store.Define("WIZARD", "NEXT", kStageInitialization);
    store.Define("CHOICE", "next", kStageInitialization);

    EXPECT_FALSE(EvaluateConditionOf(image, 0, store, nullptr));
    Translator translator([](std::string_view text) { return std::string(text); });
    TranslationTables tables;
    tables.keys = HashedLineList({image.CommandId(0), ""});
    tables.languageTexts = HashedLineList({"CHOICE", "$WIZARD$"});
    tables.originalTexts = HashedLineList({"WIZARD", "Weiter"});
    translator.SetTables(std::move(tables));
    // Translated: CHOICE ("next") equals $WIZARD$ ("NEXT") ignoring case.
    EXPECT_TRUE(EvaluateConditionOf(image, 0, store, &translator));
}

} // namespace
} // namespace zk::script
