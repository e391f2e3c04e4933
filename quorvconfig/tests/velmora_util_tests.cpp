#include "quorvconfig/tests/test_support.h"
#include "quorvconfig/velmora_util/velmora_util.h"

#include <gtest/gtest.h>

#include <vector>

namespace zk::qcfg::test {
namespace {

using namespace zk::velm;

std::vector<std::string> Tokens(std::string text, const char* separators) {
    std::vector<std::string> out;
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    for (char* t = Str_Strtok(buffer.data(), separators); t != nullptr;
         t = Str_Strtok(nullptr, separators))
        out.emplace_back(t);
    return out;
}

struct Token_Case {
    const char* Text;
    std::vector<std::string> Expected;
};

class StrtokTest : public ::testing::TestWithParam<Token_Case> {};

TEST_P(StrtokTest, SplitsKeepingQuotedPartsWhole) {
    EXPECT_EQ(Tokens(GetParam().Text, " \t\n"), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrtokTest,
    ::testing::Values(Token_Case{"set: default_dir \"C:\\My Data\\\" ",
                                 {"set:", "default_dir", "\"C:\\My Data\\\""}},
                      Token_Case{"  \t a\t\tb  \n", {"a", "b"}}, Token_Case{"", {}},
                      Token_Case{"   ", {}}, Token_Case{"key \"\" next", {"key", "\"\"", "next"}},
                      Token_Case{"x \"unclosed quote here", {"x", "\"unclosed quote here"}},
                      Token_Case{"a\"b c\"d e", {"a\"b c\"d", "e"}}));

TEST(VelmoraStrings, StripQuotesAndSpaces) {
    struct Case {
        const char* In;
        const char* Quotes;
        const char* Spaces;
    };
    const Case cases[] = {
        {"\"C:\\a b\\\"", "C:\\a b\\", "\"C:\\a b\\\""},
        {"\"open", "open", "\"open"},
        {"plain", "plain", "plain"},
        {"\"\"", "", "\"\""},
        {"\"", "", "\""},
        {" \t x y \r\n", " \t x y \r\n", "x y"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Str_Strip_Quotes(c.In), c.Quotes) << c.In;
        EXPECT_EQ(Str_Strip_Spaces(c.In), c.Spaces) << c.In;
    }
}

TEST(VelmoraStrings, GenericNameSplitsFolderBaseAndExtension) {
    struct Case {
        const char* Path;
        const char* Folder;
        const char* Base;
        const char* Extension;
    };
    const Case cases[] = {
        {"C:\\Temp\\Quorvconfig_trace.dat", "C:\\Temp\\", "Quorvconfig_trace", ".dat"},
        {"Quorvconfig_trace.dat", "", "Quorvconfig_trace", ".dat"},
        {"C:\\dir.v2\\log", "C:\\dir.v2\\", "log", ""},
        {"/tmp/a/b.tar.gz", "/tmp/a/", "b.tar", ".gz"},
        {"C:file.txt", "C:", "file", ".txt"},
        {".profile", "", ".profile", ""},
    };
    for (const Case& c : cases) {
        std::string folder, base, extension;
        Get_Generic_Name(c.Path, folder, base, extension);
        EXPECT_EQ(folder, c.Folder) << c.Path;
        EXPECT_EQ(base, c.Base) << c.Path;
        EXPECT_EQ(extension, c.Extension) << c.Path;
    }
}

TEST(VelmoraErrorFct, PassesFormattedTextOfAnyLengthToTheHandler) {
    Recorder recorder;
    std::string longText(5000, 'x');
    EXPECT_EQ(Error_Fct(nullptr, Type_Errlog, "file:%s line:%d %s", "a.cpp", 42, longText.c_str()),
              1);
    ASSERT_EQ(recorder.Entries().size(), 1u);
    EXPECT_EQ(recorder.Entries()[0].Type, Type_Errlog);
    EXPECT_EQ(recorder.Entries()[0].Text, "file:a.cpp line:42 " + longText);
}

TEST(VelmoraFiles, CreateDirMakesNestedFoldersAndRefusesAFileInTheWay) {
    Temp_Dir temp;
    std::string nested = temp.Path() + "one\\two\\three\\";
    EXPECT_FALSE(Is_Dir(nested));
    EXPECT_TRUE(Create_Dir(nested));
    EXPECT_TRUE(Is_Dir(nested));
    EXPECT_TRUE(Create_Dir(nested)); // already there
    EXPECT_FALSE(Is_File(nested));

    std::string file = temp.Path() + "blocker.txt";
    Write_Bytes(file, "x");
    EXPECT_TRUE(Is_File(file));
    EXPECT_FALSE(Is_Dir(file));
    EXPECT_FALSE(Create_Dir(file + "\\sub\\"));
    EXPECT_EQ(Velm_Get_File_Size(file), 1);
    EXPECT_EQ(Velm_Get_File_Size(file + ".none"), -1);
    EXPECT_TRUE(Velm_Delete_File(file));
    EXPECT_FALSE(Is_File(file));
}

TEST(VelmoraFiles, EnvironmentLookupTellsUnsetFromSet) {
    std::string value;
    {
        Env_Override env("QCFG_TEST_VAR", std::string("C:\\Data"));
        ASSERT_TRUE(Velm_Get_Env("QCFG_TEST_VAR", value));
        EXPECT_EQ(value, "C:\\Data");
    }
    Env_Override env("QCFG_TEST_VAR", std::nullopt);
    EXPECT_FALSE(Velm_Get_Env("QCFG_TEST_VAR", value));
}

} // namespace
} // namespace zk::qcfg::test
