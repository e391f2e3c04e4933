#include "quorvconfig/prefs/preference_file.h"
#include "quorvconfig/tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

namespace zk::qcfg::test {
namespace {

using velm::Type_Errlog;
using velm::Type_Warning;

// Every key away from its default.
Preferences All_Changed() {
    Preferences p;
    p.Basic.check_size = 1;
    p.Basic.select_undo = 4;
    p.Basic.select_undo_size = 0;
    p.Basic.Default_Dir = "D:\\My Images\\";
    p.Basic.Scratch_Dir = "E:\\Scratch Files\\tmp\\";
    p.Basic.Start_Script = "C:\\Program Files\\Velmora\\start up.scp";
    p.Basic.Start_Script_On = true;
    p.Basic.check_2D_tools = 0x5A5A;
    p.Basic.check_2D_overlay = 9;
    p.TAG.check_tag = 1;
    p.TAG.check_rep = 6;
    p.TAG.Repository = "\\\\server\\TAG files\\";
    p.TAG.select_autosave = 8;
    p.TAG.select_nb_tag = 0;
    p.TAG.check_db_surf = 0xC3;
    p.TAG.check_units_surf = 2;
    p.TAG.check_units_vol = 4;
    p.Module_3D.val_speed = 0.042;
    p.Module_3D.check_3D_tools = 0x2AAA;
    p.Module_3D.check_3D_overlay = 12;
    p.Module_3D.check_3D_interface = 2;
    p.Drivers.Graphic_Context = 17;
    p.Bug.Square_Pixel = 1;
    p.Bug.Redraw = 1;
    return p;
}

class PreferenceFileTest : public ::testing::Test {
  protected:
    Temp_Dir temp;
    Env_Override appData{"APPDATA", temp.Bare()};
    Recorder recorder;
    std::string File() const { return temp.Path() + "Velmora\\Quorv.ini"; }
};

TEST_F(PreferenceFileTest, EveryKeySurvivesWriteAndRead) {
    const Preferences written = All_Changed();
    ASSERT_TRUE(Preference_Write(written, nullptr));
    EXPECT_TRUE(recorder.Reports().empty());

    Preferences read;
    read.Basic.check_size = 0; // reading starts from the defaults
    Preference_Read(read);
    EXPECT_EQ(read, written);
    EXPECT_TRUE(recorder.Reports().empty());
}

TEST_F(PreferenceFileTest, WrittenFileIsCrLfTextWithTheQuotedPaths) {
    ASSERT_TRUE(Preference_Write(All_Changed(), nullptr));
    std::string text = Read_Bytes(File());
    EXPECT_NE(text.find("set: default_dir \"D:\\My Images\\\" \r\n"), std::string::npos);
    EXPECT_NE(text.find("set: TAG_repository \"\\\\server\\TAG files\\\" \r\n"), std::string::npos);
    EXPECT_NE(text.find("set: graphic_speed 42 \r\n"), std::string::npos);
    EXPECT_NE(text.find("set: graphic_context 17 \r\n"), std::string::npos);
    EXPECT_TRUE(std::regex_search(
        text,
        std::regex("# --- created: \\d\\d [A-Z][a-z][a-z] \\d{4} \\d\\d:\\d\\d {37}-- #\r\n")));
    std::size_t lf = 0, crlf = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') ++lf, crlf += i > 0 && text[i - 1] == '\r';
    EXPECT_EQ(lf, crlf);
}

TEST_F(PreferenceFileTest, RewriteReplacesTheWholeFileAndPipeGetsTheLines) {
    Preferences p = All_Changed();
    Write_Bytes(temp.Path() + "pipe.dat", "before");
    ASSERT_TRUE(Preference_Write(p, nullptr));
    std::string first = Read_Bytes(File());
    std::FILE* pipe = velm::Velm_Open_File(temp.Path() + "pipe.dat", "ab");
    ASSERT_NE(pipe, nullptr);
    p.TAG.check_tag = 0;
    ASSERT_TRUE(Preference_Write(p, pipe));
    std::fclose(pipe);
    std::string second = Read_Bytes(File());
    EXPECT_LT(second.size(), first.size()); // no repository line, nothing left over
    EXPECT_EQ(second.find("TAG_repository"), std::string::npos);
    EXPECT_EQ(Read_Bytes(temp.Path() + "pipe.dat"), "before" + Preference_Format_Pipe(p));
}

TEST_F(PreferenceFileTest, MissingFileKeepsDefaultsSilently) {
    Preferences p = All_Changed();
    Preference_Read(p);
    EXPECT_EQ(p, Preferences{});
    EXPECT_TRUE(recorder.Reports().empty());
}

// The failure rows: the entries the handler receives, and the result.
struct Failure_Case {
    const char* Name;
    // Prepares the situation in the temporary folder; returns the APPDATA value
    // (nullopt: not set).
    std::function<std::optional<std::string>(const Temp_Dir&)> Prepare;
    bool Writing;
    std::vector<std::string> Patterns; // one regular expression per entry
    std::vector<int> Types;
};

void PrintTo(const Failure_Case& c, std::ostream* os) {
    *os << c.Name;
}

class PreferenceFailureTest : public ::testing::TestWithParam<Failure_Case> {};

TEST_P(PreferenceFailureTest, ReportsTheEntriesAndKeepsOrFails) {
    const Failure_Case& c = GetParam();
    Temp_Dir temp;
    Env_Override appData("APPDATA", c.Prepare(temp));
    Recorder recorder;
    if (c.Writing) {
        EXPECT_FALSE(Preference_Write(All_Changed(), nullptr));
    } else {
        Preferences p = All_Changed();
        Preference_Read(p);
        EXPECT_EQ(p, Preferences{});
    }
    std::vector<Entry> reports = recorder.Reports();
    ASSERT_EQ(reports.size(), c.Patterns.size());
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].Type, c.Types[i]) << i;
        EXPECT_TRUE(std::regex_match(reports[i].Text, std::regex(c.Patterns[i])))
            << reports[i].Text << " !~ " << c.Patterns[i];
    }
}

const std::string File_Line = "file:preference_file\\.cpp line:\\d+";

INSTANTIATE_TEST_SUITE_P(
    Rows, PreferenceFailureTest,
    ::testing::Values(
        Failure_Case{"NoAppDataReading",
                     [](const Temp_Dir&) { return std::nullopt; },
                     false,
                     {File_Line, "Unable to get path from environment"},
                     {Type_Errlog, Type_Errlog}},
        Failure_Case{"NoAppDataWriting",
                     [](const Temp_Dir&) { return std::nullopt; },
                     true,
                     {File_Line, "Unable to get path from environment"},
                     {Type_Errlog, Type_Errlog}},
        Failure_Case{"EmptyAppDataWriting",
                     [](const Temp_Dir&) { return std::string(); },
                     true,
                     {File_Line, "Unable to get path from environment"},
                     {Type_Errlog, Type_Errlog}},
        Failure_Case{"FolderCannotBeCreated",
                     [](const Temp_Dir& t) {
                         // A file where the application-data folder should be.
                         Write_Bytes(t.Path() + "blocked", "x");
                         return std::optional<std::string>(t.Path() + "blocked");
                     },
                     true,
                     {File_Line, "ERROR: Unable to create dir \".*blocked\\\\Velmora\\\\\"",
                      "\xF1\x04"
                      "ERROR:\x02 Unable to create dir \".*blocked\\\\Velmora\\\\\""},
                     {Type_Errlog, Type_Errlog, Type_Warning}},
        Failure_Case{"FileCannotBeOpened",
                     [](const Temp_Dir& t) {
                         // A folder where the file should be.
                         velm::Create_Dir(t.Path() + "Velmora\\Quorv.ini\\");
                         return std::optional<std::string>(t.Bare());
                     },
                     true,
                     {File_Line, "Unable to open config file: \".*Velmora\\\\Quorv\\.ini\"", ".+"},
                     {Type_Errlog, Type_Errlog, Type_Errlog}}),
    [](const ::testing::TestParamInfo<Failure_Case>& info) { return info.param.Name; });

} // namespace
} // namespace zk::qcfg::test
