#include "quorvconfig/diag/my_error_fct.h"
#include "quorvconfig/tests/test_support.h"

#include <gtest/gtest.h>

#include <regex>

namespace zk::qcfg::test {
namespace {

using namespace zk::velm;

struct Box {
    Velm_Window Owner;
    std::string Text, Caption;
    Box_Kind Kind;
};

class Fake_Host : public Diagnostic_Host {
  public:
    std::vector<Box> Boxes;
    bool Answer_Yes = true;
    std::vector<Velm_Window> Posts;
    std::string Console;
    std::vector<std::string> Status;
    Computer_Info Info;
    Velm_Window Active = reinterpret_cast<Velm_Window>(0x77);

    bool Message_Box(Velm_Window owner, const std::string& text, const std::string& caption,
                     Box_Kind kind) override {
        Boxes.push_back({owner, text, caption, kind});
        return Answer_Yes;
    }
    Velm_Window Active_Window() override { return Active; }
    void Post_Ring_Message(Velm_Window window) override { Posts.push_back(window); }
    void Console_Write(const std::string& text) override { Console += text; }
    Computer_Info Get_Computer_Info() override { return Info; }
    void Status_Overwrite(const std::string& text) override { Status.push_back(text); }
    std::tm Local_Time() override {
        std::tm t{};
        t.tm_year = 2011 - 1900;
        t.tm_mon = 7;
        t.tm_mday = 10;
        t.tm_hour = 9;
        t.tm_min = 5;
        t.tm_sec = 3;
        return t;
    }
};

Velm_Window const Window = reinterpret_cast<Velm_Window>(0x1234);

class HandlerTest : public ::testing::Test {
  protected:
    Temp_Dir temp;
    Fake_Host host;

    void SetUp() override {
        Velm_Reset_Data();
        Reset_Diagnostics();
        Set_Diagnostic_Host(&host);
        User_Error_Fct = My_Error_Fct;
        Prog_Name = "Quorvconfig";
        Prog_Version = "4.3";
        Velm_Scratch_Dir = temp.Path();
        Velm_Trace_File = "Quorvconfig_trace.dat";
        Velm_Audit_File = "audit.dat";
        Velm_Log_File = "error.log";
    }
    void TearDown() override {
        Set_Diagnostic_Host(nullptr);
        Velm_Reset_Data();
    }
    std::string Trace() { return Read_Bytes(temp.Path() + "Quorvconfig_trace.dat"); }
    std::string Audit() { return Read_Bytes(temp.Path() + "audit.dat"); }
    std::string Log() { return Read_Bytes(temp.Path() + "error.log"); }
};

struct Type_Case {
    int Type;
    int Level;
    const char* Console;
    const char* Trace;
    int Ring;
    int Boxes;
};

void PrintTo(const Type_Case& c, std::ostream* os) {
    *os << "type " << c.Type << " level " << c.Level;
}

class HandlerTypeTest : public HandlerTest, public ::testing::WithParamInterface<Type_Case> {};

TEST_P(HandlerTypeTest, SendsEachTypeWhereItsLevelAllows) {
    const Type_Case& c = GetParam();
    Flag_Trace = c.Level;
    EXPECT_EQ(Error_Fct(Window, c.Type, "text %d", 5), 1);
    EXPECT_EQ(host.Console, c.Console);
    EXPECT_EQ(Trace(), c.Trace);
    EXPECT_EQ(host.Posts.size(), static_cast<std::size_t>(c.Ring));
    EXPECT_EQ(T_Buf_Write, c.Ring);
    if (c.Ring != 0) {
        EXPECT_STREQ(T_Buf[0], "text 5");
        EXPECT_EQ(host.Posts[0], Window);
    }
    ASSERT_EQ(host.Boxes.size(), static_cast<std::size_t>(c.Boxes));
    if (c.Boxes != 0) {
        EXPECT_EQ(host.Boxes[0].Owner, Window);
        EXPECT_EQ(host.Boxes[0].Caption, "");
        EXPECT_EQ(host.Boxes[0].Kind, Box_Kind::Error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, HandlerTypeTest,
    ::testing::Values(Type_Case{1, 1, "ERROR: text 5\n", "ERROR:   text 5\r\n", 0, 1},
                      Type_Case{2, 1, "WARNING: text 5\n", "WARNING: text 5\r\n", 1, 0},
                      Type_Case{4, 1, "REPORT:  text 5\n", "REPORT: text 5\r\n", 1, 0},
                      Type_Case{5, 1, "AUDIT:   text 5 \n", "", 0, 0},
                      Type_Case{6, 1, "THREAD:  text 5\n", "THREAD:  text 5\r\n", 1, 0},
                      Type_Case{7, 1, "ERRLOG: text 5\n", "", 0, 0},
                      Type_Case{8, 1, "OVER:   text 5\n", "OVER: text 5\r\n", 0, 0},
                      Type_Case{11, 1, "TRACE:   text 5 \n", "TRACE:   text 5\r\n", 0, 0},
                      Type_Case{13, 3, "TRACE:           text 5 \n", "TRACE:           text 5\r\n",
                                0, 0},
                      Type_Case{19, 5, "TRACE:                                   text 5 \n",
                                "TRACE:                                   text 5\r\n", 0, 0},
                      // Negative levels: trace file only, by severity.
                      Type_Case{1, -2, "", "ERROR:   text 5\r\n", 0, 1},
                      Type_Case{2, -2, "", "WARNING: text 5\r\n", 1, 0},
                      Type_Case{4, -2, "", "", 1, 0},
                      Type_Case{6, -1, "", "THREAD:  text 5\r\n", 1, 0},
                      Type_Case{12, -5, "", "TRACE:       text 5\r\n", 0, 0},
                      // Level 0: no console, no trace file, traces dropped.
                      Type_Case{11, 0, "", "", 0, 0}, Type_Case{4, 0, "", "", 1, 0},
                      Type_Case{1, 0, "", "", 0, 1}, Type_Case{20, 1, "", "", 0, 0}));

TEST_F(HandlerTest, QuestionAsksWithTheProgramNameAndAnswersOneForYes) {
    host.Answer_Yes = true;
    EXPECT_EQ(Error_Fct(Window, Type_Question, "Delete %s?", "it"), 1);
    host.Answer_Yes = false;
    EXPECT_EQ(Error_Fct(Window, Type_Question, "Delete %s?", "it"), 0);
    ASSERT_EQ(host.Boxes.size(), 2u);
    EXPECT_EQ(host.Boxes[0].Caption, "Quorvconfig");
    EXPECT_EQ(host.Boxes[0].Text, "Delete it?");
    EXPECT_EQ(host.Boxes[0].Kind, Box_Kind::Question);
}

TEST_F(HandlerTest, OverwriteReplacesTheStatusLine) {
    Error_Fct(Window, Type_Overwrite,
              "\x01"
              "50%%\x02 done");
    EXPECT_EQ(host.Status, std::vector<std::string>{"50% done"});
}

TEST_F(HandlerTest, MarkUpBytesReachNoFileButStayInTheRing) {
    Flag_Trace = 1;
    Flag_Audit = 1;
    const char* marked = "\xF1\x04"
                         "ERROR:\x02 disk \x01"
                         "C:\x02 \x07"
                         "full\tnow \xB5m\xB2";
    Error_Fct(Window, Type_Warning, "%s", marked);
    Error_Fct(Window, Type_Errlog, "%s", marked);
    const std::string clean = "ERROR: disk C: full\tnow \xB5m\xB2";
    EXPECT_EQ(Trace(), "WARNING: " + clean + "\r\n");
    EXPECT_EQ(Audit(), "10-Aug-2011 09:05:03 " + clean + "\r\n");
    EXPECT_NE(Log().find("\r\n" + clean + "\r\n"), std::string::npos);
    EXPECT_STREQ(T_Buf[0], marked);
}

TEST_F(HandlerTest, AuditModes) {
    Flag_Audit = 1;
    Error_Fct(Window, Type_Error, "  spaced error  ");
    Error_Fct(Window, Type_Report, " report ");
    Error_Fct(Window, Type_Audit, "audit");
    Error_Fct(Window, Type_Errlog, "log only");
    Error_Fct(Window, Type_Trace, "trace only");
    EXPECT_EQ(Audit(), "10-Aug-2011 09:05:03 spaced error\r\n"
                       "10-Aug-2011 09:05:03  report \r\n"
                       "10-Aug-2011 09:05:03 audit\r\n");
    Velm_Delete_File(temp.Path() + "audit.dat");
    Flag_Audit = 2;
    Error_Fct(Window, Type_Error, "error");
    Error_Fct(Window, Type_Warning, "warning");
    Error_Fct(Window, Type_Audit, "plain audit");
    EXPECT_EQ(Audit(), "plain audit\r\n");
}

TEST_F(HandlerTest, ErrorLogBannerOncePerRun) {
    Error_Fct(Window, Type_Errlog, "file:%s line:%d", "x.cpp", 12);
    Error_Fct(Window, Type_Errlog, "Unable to get path from environment");
    EXPECT_EQ(Log(), "\r\n======== Quorvconfig 4.3 =====(10 Aug 2011 09:05)========\r\n"
                     "file:x.cpp line:12\r\n"
                     "Unable to get path from environment\r\n");
}

TEST_F(HandlerTest, NumberedFilesSkipThoseAtTheLimit) {
    Velm_File_Size = 1000;
    Write_Bytes(temp.Path() + "error_000.log", std::string(1200, 'a'));
    Write_Bytes(temp.Path() + "error_001.log", std::string(1000, 'b'));
    Error_Fct(Window, Type_Errlog, "entry");
    EXPECT_EQ(Read_Bytes(temp.Path() + "error_000.log").size(), 1200u);
    EXPECT_EQ(Read_Bytes(temp.Path() + "error_001.log").size(), 1000u);
    EXPECT_NE(Read_Bytes(temp.Path() + "error_002.log").find("entry\r\n"), std::string::npos);
    EXPECT_FALSE(Is_File(temp.Path() + "error.log"));
}

TEST_F(HandlerTest, FolderErrorBoxOncePerRun) {
    Write_Bytes(temp.Path() + "blocker", "x");
    Velm_Scratch_Dir = temp.Path() + "blocker\\logs\\";
    Flag_Trace = 1;
    for (int i = 0; i < 3; ++i) {
        Error_Fct(Window, Type_Errlog, "lost %d", i);
        Error_Fct(Window, Type_Trace, "lost %d", i);
    }
    ASSERT_EQ(host.Boxes.size(), 1u);
    EXPECT_EQ(host.Boxes[0].Owner, host.Active);
    EXPECT_EQ(host.Boxes[0].Caption, "Error writing to Scratch dir");
    EXPECT_EQ(host.Boxes[0].Text, "Unable to create directory: \"" + Velm_Scratch_Dir +
                                      "\"\nMake sure you have the necessary permisions");
    EXPECT_EQ(host.Boxes[0].Kind, Box_Kind::Error);
    EXPECT_EQ(Open_For_Append("name.txt"), nullptr);
}

TEST_F(HandlerTest, RingWrapsAfter128SlotsAndKeeps1023Characters) {
    for (int i = 0; i < 130; ++i)
        Error_Fct(nullptr, Type_Report, "entry %d", i);
    EXPECT_EQ(T_Buf_Write, 2);
    EXPECT_STREQ(T_Buf[0], "entry 128");
    EXPECT_STREQ(T_Buf[1], "entry 129");
    EXPECT_STREQ(T_Buf[2], "entry 2");
    EXPECT_TRUE(host.Posts.empty()) << "no window, no message";
    Error_Fct(Window, Type_Report, "%s", std::string(3000, 'z').c_str());
    EXPECT_EQ(std::string(T_Buf[2]), std::string(1023, 'z'));
}

struct Header_Case {
    Platform_Kind Platform;
    unsigned Major, Minor;
    const char* System;
};

class TraceHeaderTest : public HandlerTest, public ::testing::WithParamInterface<Header_Case> {};

TEST_P(TraceHeaderTest, StartsANewTraceFileWithProgramAndComputer) {
    const Header_Case& c = GetParam();
    Write_Bytes(temp.Path() + "Quorvconfig_trace.dat", "old run\r\n");
    Flag_Trace = -1;
    Prog_ID = "QCFG";
    Prog_Date = "10/08/2011";
    host.Info.Has_Name = true;
    host.Info.Computer_Name = "WORKSTATION";
    host.Info.Has_Version = true;
    host.Info.Platform = c.Platform;
    host.Info.Major = c.Major;
    host.Info.Minor = c.Minor;
    host.Info.Build = 2600;
    host.Info.Has_Service_Pack = true;
    host.Info.Service_Pack_Major = 3;
    host.Info.Processors = 2;
    host.Info.Processor_Type = 586;
    host.Info.Oem_Id = 9;
    Write_Trace_Header();
    std::string expected =
        std::string("TRACE:   ==== ==== Quorvconfig 4.3 ==== (10 Aug 2011 09:05) "
                    "==== ====\r\n"
                    "TRACE:   \r\n"
                    "TRACE:   Prog_ID:      QCFG\r\n"
                    "TRACE:   Prog_Date:    10/08/2011\r\n"
                    "TRACE:   Compile:      Dec 31 2012\r\n"
                    "TRACE:   \r\n"
                    "TRACE:   ---- Computer Info: ----\r\n"
                    "TRACE:   Computer Name:  WORKSTATION\r\n"
                    "TRACE:   ") +
        c.System + "\r\n" + "TRACE:                   version " + std::to_string(c.Major) + "." +
        std::to_string(c.Minor) +
        " (Build 2600)\r\n"
        "TRACE:                   Service Pack 3.0\r\n"
        "TRACE:   Processor:      2 x 586 (OEM ID: 9)\r\n"
        "TRACE:   \r\n"
        "TRACE:   -----------------------\r\n";
    EXPECT_EQ(Trace(), expected);
    EXPECT_EQ(host.Console, "") << "negative level: file only";
}

INSTANTIATE_TEST_SUITE_P(
    Systems, TraceHeaderTest,
    ::testing::Values(Header_Case{Platform_Kind::Win32s, 3, 10, "System:         Win32s"},
                      Header_Case{Platform_Kind::Windows_9x, 4, 0, "System:         Windows 95"},
                      Header_Case{Platform_Kind::Windows_9x, 4, 10, "System:         Windows 98"},
                      Header_Case{Platform_Kind::Windows_NT, 5, 0, "System:         Windows 2000"},
                      Header_Case{Platform_Kind::Windows_NT, 5, 1, "System:         Windows XP"},
                      Header_Case{Platform_Kind::Windows_NT, 6, 1, "System:         Windows NT"}));

TEST_F(HandlerTest, TraceHeaderWithoutNameOrVersionAndNotWhenTraceIsOff) {
    Write_Trace_Header();
    EXPECT_EQ(Trace(), "");
    Flag_Trace = 2;
    Write_Trace_Header();
    std::string trace = Trace();
    EXPECT_TRUE(std::regex_search(trace, std::regex("TRACE:   File:trace_header\\.cpp Line:\\d+\r\n"
                                                    "TRACE:   in GetComputerName\\(\\)\r\n$")))
        << trace;
    EXPECT_EQ(host.Console.substr(0, 19), "TRACE:   ==== ==== ");
}

} // namespace
} // namespace zk::qcfg::test
