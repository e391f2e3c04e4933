#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

namespace zk::script {
namespace {

using Definitions = std::vector<std::pair<std::string, std::string>>;

struct SubstituteCase {
    const char* label;
    Definitions variables; // in definition order
    std::string text;
    std::string expected;
};

class Substitute : public ::testing::TestWithParam<SubstituteCase> {};

TEST_P(Substitute, ExpandsReferences) {
    const SubstituteCase& c = GetParam();
    VariableStore store;
    for (const auto& [name, value] : c.variables)
        store.Define(name, value, kStageInitialization);
    EXPECT_EQ(store.Substitute(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Substitute,
    ::testing::Values(
        SubstituteCase{"LowerCaseReference",
                       {{"TITLE", "Quorvix"}},
                       "Install $title$ now",
                       "Install Quorvix now"},
        SubstituteCase{"EveryOccurrence", {{"A", "x"}}, "$A$-$a$-$A$", "x-x-x"},
        SubstituteCase{"UndefinedStays", {{"A", "x"}}, "$A$ $MISSING$", "x $MISSING$"},
        SubstituteCase{"SingleDollarUnchanged", {{"A", "x"}}, "costs 5$ only", "costs 5$ only"},
        SubstituteCase{"NoDollarUnchanged", {{"A", "x"}}, "A plain A", "A plain A"},
        // B's value refers to A, defined earlier: expanded by the repeat.
        SubstituteCase{"ValueReferringToEarlierVariable",
                       {{"A", "C:\\"}, {"B", "$A$App"}},
                       "[$B$]",
                       "[C:\\App]"},
        // A's value refers to B, defined later: expanded in the same pass.
        SubstituteCase{"ValueReferringToLaterVariable", {{"A", "$B$!"}, {"B", "b"}}, "$A$", "b!"},
        SubstituteCase{"ChainOfEarlierReferences",
                       {{"A", "a"}, {"B", "$A$b"}, {"C", "$B$c"}, {"D", "$C$d"}},
                       "$D$",
                       "abcd"},
        SubstituteCase{
            "NewLineMarkerInTextAndValue", {{"A", "1$newline$2"}}, "x$NEWLINE$$A$", "x\r\n1\r\n2"},
        SubstituteCase{"NewLineVariable", {{"NEWLINE", "\r\n"}}, "a$NEWLINE$b", "a\r\nb"},
        SubstituteCase{"AdjacentReferencesShareNoDollar", {{"A", "1"}, {"B", "2"}}, "$A$$B$", "12"},
        // The middle segment "X" is no reference: the pairs are $A$ and $B$.
        SubstituteCase{"TextBetweenReferencesIsNoName",
                       {{"A", "1"}, {"B", "2"}, {"X", "no"}},
                       "$A$X$B$",
                       "1X2"},
        SubstituteCase{"NameWithDollarInside", {{"A$B", "ab"}, {"A", "a"}}, "[$A$B$]", "[ab]"},
        SubstituteCase{"EmptyNameMatchesDoubleDollar", {{"", "E"}}, "x$$y", "xEy"},
        SubstituteCase{"ValueWithDollarOnly", {{"DOLLAR", "$"}}, "$DOLLAR$5", "$5"},
        SubstituteCase{
            "Windows1252CaseFolding", {{"\xc9T\xc9", "summer"}}, "$\xe9t\xe9$", "summer"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SubstituteQuoted, QuotesEachInsertedValue) {
    VariableStore store;
    store.Define("A", "x y", kStageInitialization);
    store.Define("B", "$A$", kStageInitialization);
    EXPECT_EQ(store.SubstituteQuoted("$A$ = \"x y\""), "\"x y\" = \"x y\"");
    // The later passes are plain: B's inserted reference is expanded unquoted.
    EXPECT_EQ(store.SubstituteQuoted("$B$"), "\"x y\"");
    EXPECT_EQ(store.SubstituteQuoted("no refs"), "no refs");
}

struct PathCase {
    std::string text;
    std::string expected;
};

class SubstitutePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(SubstitutePath, CollapsesDoubledBackslashesKeepingTheNetworkPrefix) {
    VariableStore store;
    store.Define("TARGETDIR", "C:\\Program Files\\Quorvix\\", kStageInitialization);
    store.Define("SERVER", "\\\\srv\\share\\", kStageInitialization);
    EXPECT_EQ(store.SubstitutePath(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SubstitutePath,
    ::testing::Values(PathCase{"$TARGETDIR$\\bin", "C:\\Program Files\\Quorvix\\bin"},
                      PathCase{"$SERVER$\\data", "\\\\srv\\share\\data"},
                      PathCase{"a\\\\\\\\b", "a\\\\b"}, // four become two
                      PathCase{"\\\\", "\\\\"}, PathCase{"plain\\path", "plain\\path"}));

TEST(ResolveReference, BothVariants) {
    VariableStore store;
    store.Define("A", "[$B$]", kStageInitialization);
    store.Define("B", "b", kStageInitialization);
    EXPECT_EQ(store.ResolveReference("$A$", UndefinedReference::Marker), "[b]");
    EXPECT_EQ(store.ResolveReference("a", UndefinedReference::Empty), "[b]");
    EXPECT_EQ(store.ResolveReference("$NONE$", UndefinedReference::Marker), "$MYAHNX$");
    EXPECT_EQ(store.ResolveReference("$NONE$", UndefinedReference::Empty), "");
    EXPECT_EQ(store.ResolveReference("$A$x", UndefinedReference::Empty),
              ""); // not pure, no such name
}

struct ReferenceCase {
    std::string text;
    bool pure;
    std::string name;
};

class PureReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(PureReference, Recognised) {
    EXPECT_EQ(IsPureReference(GetParam().text), GetParam().pure);
    EXPECT_EQ(PureReferenceName(GetParam().text), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Cases, PureReference,
                         ::testing::Values(ReferenceCase{"$TARGETDIR$", true, "TARGETDIR"},
                                           ReferenceCase{"$$", true, ""},
                                           ReferenceCase{"$", false, ""},
                                           ReferenceCase{"$A$B$", false, ""},
                                           ReferenceCase{"x$A$", false, ""},
                                           ReferenceCase{"TARGETDIR", false, ""}));

TEST(LineBreaks, DecodeEncodeRoundTrip) {
    EXPECT_EQ(DecodeLineBreaks("a$NEWLINE$b$newline$c$NewLine"), "a\r\nb\r\nc$NewLine");
    EXPECT_EQ(EncodeLineBreaks("a\r\nb\nc\r"), "a$NEWLINE$b\nc\r");
    EXPECT_EQ(EncodeLineBreaks(DecodeLineBreaks("x$NEWLINE$y")), "x$NEWLINE$y");
}

TEST(BooleanWords, TrueAndMinusOne) {
    EXPECT_TRUE(IsTrueText("TRUE"));
    EXPECT_TRUE(IsTrueText("true"));
    EXPECT_TRUE(IsTrueText("-1"));
    EXPECT_FALSE(IsTrueText(""));
    EXPECT_FALSE(IsTrueText("1"));
    EXPECT_FALSE(IsTrueText(" TRUE"));
}

// Values that keep the text changing must not hang or exhaust memory.
TEST(SubstituteBounds, SelfReferenceStopsAfterTheMaximumPasses) {
    VariableStore store;
    store.Define("A", "x$A$", kStageInitialization);
    const std::string result = store.Substitute("$A$");
    EXPECT_EQ(result, std::string(VariableStore::kDefaultMaxPasses, 'x') + "$A$");
}

TEST(SubstituteBounds, DoublingStopsAtTheLengthBound) {
    VariableStore store;
    store.SetSubstitutionLimits(1000, 4096);
    // Each pass doubles the number of references, and within a pass each
    // variable doubles those of the next.
    store.Define("A", "$B$$B$", kStageInitialization);
    store.Define("B", "$A$$A$", kStageInitialization);
    const std::string result = store.Substitute("$A$");
    EXPECT_LE(result.size(), 4096u);
    EXPECT_GT(result.size(), 1024u);
    EXPECT_EQ(result.find_first_not_of("$AB"), std::string::npos);
}

TEST(SubstituteBounds, ATextAlreadyBeyondTheBoundMayStillShrink) {
    VariableStore store;
    store.SetSubstitutionLimits(10, 8);
    store.Define("LONGNAME", "s", kStageInitialization);
    store.Define("L", "long value", kStageInitialization);
    EXPECT_EQ(store.Substitute("$LONGNAME$ $LONGNAME$"), "s s");
    EXPECT_EQ(store.Substitute("$L$ and more"), "$L$ and more"); // growth refused
}

} // namespace
} // namespace zk::script
