// Each class of build error names its file, its line and what is wrong.
#include <gtest/gtest.h>

#include "setupc/project.h"
#include "setupc/setup_builder.h"
#include "setupc/source_error.h"

namespace zk::setupc {
namespace {

struct ErrorCase {
    const char* what;
    std::string text; // appended after a valid [setup] section
    int line;
    const char* message;
};

const std::string kHead =
    "[setup]\nProductCode \"{6F1D5A3C-0000-4000-8000-000000000001}\"\n[script]\n";

const std::vector<ErrorCase> kCases = {
    {"unknown command", "Set Variable \"A\" \"1\"\nSet Varable \"B\" \"2\"\n", 5,
     "unknown command \"Set Varable\""},
    {"name in the wrong case", "set variable \"A\" \"1\"\n", 4,
     "names are case-sensitive: \"Set Variable\""},
    {"too many parameters", "Set Variable \"A\" \"1\" \"2\"\n", 4,
     "\"Set Variable\" takes 2 parameters, 3 given"},
    {"parameters on a command without any", "End \"x\"\n", 4,
     "\"End\" takes 0 parameters, 1 given"},
    {"unterminated quote", "Set Variable \"A\" \"1\n", 4, "unterminated quoted value"},
    {"unquoted parameter", "Set Variable \"A\" 1\n", 4, "values are written in double quotes"},
    {"quotes run together", "Set Variable \"A\"\"\"x\"\n", 4, "must be followed by a blank"},
    {"malformed identifier", "id={1234} Comment \"x\"\n", 4, "id= must be a GUID"},
    {"duplicate identifier",
     "id={6F1D5A3C-0000-4000-8000-0000000000AA} Comment "
     "\"x\"\nid={6F1D5A3C-0000-4000-8000-0000000000AA} Comment \"y\"\n",
     5, "already used on line 4"},
    {"malformed header", "header=0A Create Folder \"x\"\n", 4, "header= must be 1 to 8"},
    {"absolute media folder", "media=\"C:\\m\\\" Install Files \"\" \"\" \"x\"\n", 4,
     "media= must be a relative folder"},
    {"missing command name", "\"A\" \"1\"\n", 4, "command name is missing"},
    {"unknown section", "[scripts]\n", 4, "unknown section line"},
    {"unknown setup item", "[setup]\nTitel \"x\"\n", 5, "unknown setup item \"Titel\""},
    {"setup item twice", "[setup]\nProductCode \"{6F1D5A3C-0000-4000-8000-000000000002}\"\n", 5,
     "ProductCode is given twice"},
    {"bad media mode", "[setup]\nMediaMode \"4\"\n", 5, "MediaMode must be"},
    {"list item that ends the list", "[setup]\nPluginCommand \"$\"\n", 5,
     "cannot be a single \"$\""},
    {"bad component size", "[setup]\nComponentSize \"Main\" \"12kB\"\n", 5,
     "decimal number of bytes"},
    // What the engine's compilation refuses (it would end with exit code 314).
    {"label nested in a block",
     "Set Variable \"A\" \"1\"\nIf \"A\" \"0\" \"1\"\nLabel \"L\"\nEnd\n", 6,
     "LABEL statements cannot be nested inside loops/conditionals"},
    {"too few End", "Set Variable \"A\" \"1\"\nIf \"A\" \"0\" \"1\"\nIf \"A\" \"0\" \"1\"\nEnd\n",
     5, "Insufficient END statements"},
    {"too many End", "Set Variable \"A\" \"1\"\nEnd\nComment \"x\"\n", 5,
     "Too many END statements"},
    {"undefined variable", "If \"LATER\" \"0\" \"1\"\nEnd\nSet Variable \"LATER\" \"1\"\n", 4,
     "Variable not defined: LATER"},
    {"undefined label", "GoTo Label \"nowhere\"\n", 4, "LABEL undefined: nowhere"},
    {"label twice", "Label \"Here\"\nLabel \"HERE\"\n", 5, "LABEL re-defined: HERE"},
    {"install files without target", "Install Files \"a\" \"b\"\n", 4,
     "A target folder must be specified"},
};

class BuildErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(BuildErrors, ReportLineAndMessage) {
    const ErrorCase& c = GetParam();
    try {
        BuildScriptImage(kHead + c.text, "case.zks");
        FAIL() << c.what << ": built without an error";
    } catch (const SourceError& e) {
        EXPECT_EQ(e.File(), "case.zks") << c.what;
        EXPECT_EQ(e.Line(), c.line) << c.what << ": " << e.what();
        EXPECT_NE(e.Message().find(c.message), std::string::npos) << c.what << ": " << e.what();
        EXPECT_EQ(std::string(e.what()).rfind("case.zks:" + std::to_string(c.line) + ": ", 0), 0u)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BuildErrors, ::testing::ValuesIn(kCases));

TEST(BuildErrorsHeader, MissingProductCodeIsReported) {
    try {
        BuildScriptImage("[script]\nEnd\n", "p.zks");
        FAIL();
    } catch (const SourceError& e) {
        EXPECT_NE(e.Message().find("ProductCode is missing"), std::string::npos);
    }
}

TEST(BuildErrorsHeader, FewerParametersThanTheKindTakesAreEmpty) {
    const auto image =
        BuildScriptImage(kHead + "Set Variable \"A\"\nWrite to Text File \"f\"\n", "ok.zks");
    EXPECT_EQ(image.ParameterOf(0, 2), "");
    EXPECT_EQ(image.ParameterOf(1, 3), "");
    EXPECT_EQ(image.parameterStore.front().Count(), 3u + 4u);
}

struct ProjectCase {
    const char* what;
    std::string text;
    int line;
    const char* message;
};

class ProjectErrors : public ::testing::TestWithParam<ProjectCase> {};

TEST_P(ProjectErrors, ReportLineAndMessage) {
    const ProjectCase& c = GetParam();
    try {
        ParseProject(c.text, ".", "project.zkp");
        FAIL() << c.what;
    } catch (const SourceError& e) {
        EXPECT_EQ(e.Line(), c.line) << e.what();
        EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectErrors,
    ::testing::Values(
        ProjectCase{"unknown item", "Name \"a\"\nScripts \"x\"\n", 2, "unknown project item"},
        ProjectCase{"name with folder", "Name \"a\\b\"\n", 1, "plain file name"},
        ProjectCase{"twice", "Script \"a\"\nScript \"b\"\n", 2, "given twice"},
        ProjectCase{"too many values", "Support \"a\" \"b\" \"c\"\n", 1, "takes 1 or 2"}));

} // namespace
} // namespace zk::setupc
