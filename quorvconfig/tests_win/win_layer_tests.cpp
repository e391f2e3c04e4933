// The Windows layer under Wine: ANSI file functions, APPDATA, the handler's
// message boxes, ring message and computer facts.
#include "quorvconfig/diag/diag_host_win.h"
#include "quorvconfig/prefs/preference_file.h"
#include "quorvconfig/tests/test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

namespace zk::qcfg::test {
namespace {

using namespace zk::velm;

TEST(WinFiles, CreatesNestedFoldersWithAnsiNames) {
    Temp_Dir temp;
    std::string nested = temp.Path() + "Appli Donn\xE9"
                                       "es\\sub\\";
    ASSERT_TRUE(Create_Dir(nested));
    EXPECT_TRUE(Is_Dir(nested));
    DWORD attributes = GetFileAttributesA((temp.Path() + "Appli Donn\xE9"
                                                         "es")
                                              .c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(Is_Dir("C:\\"));
    EXPECT_TRUE(Create_Dir("C:\\"));
}

TEST(WinFiles, SystemErrorTexts) {
    EXPECT_FALSE(Error_Windows(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_NE(Error_Windows(ERROR_FILE_NOT_FOUND).back(), '\n');
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(Error_Windows(0), Error_Windows(ERROR_ACCESS_DENIED));
}

TEST(WinPreferences, WritesAndReadsUnderAnAnsiApplicationDataFolder) {
    Temp_Dir temp;
    std::string appData = temp.Path() + "Roaming \xC9t\xE9";
    Env_Override restore("APPDATA", appData);
    Recorder recorder;
    Preferences p;
    p.Basic.Default_Dir = "C:\\Images du m\xE9"
                          "decin\\";
    p.TAG.Repository = "\\\\server\\TAG files\\";
    p.Drivers.Graphic_Context = 3;
    ASSERT_TRUE(Preference_Write(p, nullptr));
    EXPECT_TRUE(Is_File(appData + "\\Velmora\\Quorv.ini"));
    Preferences back;
    Preference_Read(back);
    EXPECT_EQ(back, p);
    EXPECT_TRUE(recorder.Reports().empty());

    // Removed behind the run-time library's back: the system's environment counts.
    ASSERT_TRUE(SetEnvironmentVariableA("APPDATA", nullptr));
    EXPECT_FALSE(Preference_Write(p, nullptr));
    ASSERT_EQ(recorder.Reports().size(), 2u);
    EXPECT_EQ(recorder.Reports()[1].Text, "Unable to get path from environment");
}

class WinHandlerTest : public ::testing::Test {
  protected:
    Temp_Dir temp;
    Win_Diagnostic_Host host;
    HWND window = nullptr;

    void SetUp() override {
        Velm_Reset_Data();
        Reset_Diagnostics();
        Set_Diagnostic_Host(&host);
        User_Error_Fct = My_Error_Fct;
        Prog_Name = "Quorvconfig";
        Prog_Version = "4.3";
        Velm_Scratch_Dir = temp.Path();
        Velm_Trace_File = "Quorvconfig_trace.dat";
        window = CreateWindowExA(0, "STATIC", "ring", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override {
        if (window != nullptr) DestroyWindow(window);
        Set_Diagnostic_Host(nullptr);
        Velm_Reset_Data();
    }
};

TEST_F(WinHandlerTest, RingEntryPostsUserMessageToTheWindow) {
    ASSERT_NE(window, nullptr);
    Error_Fct(window, Type_Warning, "disk %s", "full");
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, window, WM_USER + 1, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(msg.message, 1025u);
    EXPECT_STREQ(T_Buf[0], "disk full");
}

// Answers the first box with the given caption by its button id.
void Answer_Box(const char* caption, int button, std::atomic<bool>& answered) {
    for (int i = 0; i < 200 && !answered; ++i) {
        HWND box = FindWindowA("#32770", caption);
        if (box != nullptr) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            answered = true;
            return;
        }
        Sleep(25);
    }
}

TEST_F(WinHandlerTest, QuestionBoxAnswersOneForYesAndZeroForNo) {
    const struct {
        int Button;
        int Result;
    } cases[] = {{IDYES, 1}, {IDNO, 0}};
    for (const auto& c : cases) {
        std::atomic<bool> answered{false};
        std::thread answer(Answer_Box, "Quorvconfig", c.Button, std::ref(answered));
        int result = Error_Fct(nullptr, Type_Question, "Directory: \"%s\" does not exist!", "X");
        answer.join();
        EXPECT_TRUE(answered);
        EXPECT_EQ(result, c.Result);
    }
}

TEST_F(WinHandlerTest, TraceHeaderNamesThisComputer) {
    Flag_Trace = -3;
    Write_Trace_Header();
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    std::string trace = Read_Bytes(temp.Path() + "Quorvconfig_trace.dat");
    EXPECT_NE(trace.find("TRACE:   Computer Name:  " + std::string(name) + "\r\n"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("TRACE:   System:         Windows"), std::string::npos) << trace;
    EXPECT_NE(trace.find("TRACE:   Processor:      "), std::string::npos) << trace;
}

} // namespace
} // namespace zk::qcfg::test
