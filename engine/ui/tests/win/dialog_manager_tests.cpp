#include <gtest/gtest.h>

#include <filesystem>

#include "common/ansi_case.h"
#include "common/line_file.h"
#include "engine/script/engine_error.h"
#include "engine/ui/display_dialog.h"
#include "engine/ui/tests/fake_variables.h"
#include "engine/ui/tests/win/test_support.h"
#include "engine/ui/win/dialog_manager.h"

namespace zk::ui {
namespace {

using testing::FakeServices;
using testing::FakeVariables;
using testing::TimedAction;

namespace fs = std::filesystem;

// A support folder with copies of the standard pages, registered under the keys
// "1".."8" in page order, and the dialog commands over the real manager.
class DialogDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        support = fs::temp_directory_path() / ("zk_ui_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(support);
        fs::create_directories(support);
        manager.Init(support.string());
        manager.Attach(&services, &vars);
        const char* pages[] = {"welcome",     "licensecheck", "readme",   "componentstree",
                               "destination", "startmenu",    "progress", "finish"};
        int key = 1;
        for (const char* page : pages) {
            for (const char* ext : {".dfm", ".dfm.zorf"})
                fs::copy_file(fs::path(ZK_TEMPLATE_DIALOGS) / (std::string(page) + ext),
                              support / (std::string(page) + ext));
            HWND h = manager.Register(std::to_string(key++),
                                      (support / (std::string(page) + ".dfm")).string());
            ASSERT_TRUE(IsWindow(h));
        }
    }
    void TearDown() override {
        // A page that never got its click ended through the watchdog: a failure, not a hang.
        EXPECT_FALSE(watchdogFired) << "a modal page waited for more than 10 seconds";
        MSG m;
        while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        manager.Free();
        fs::remove_all(support);
    }

    // Clicks a control of the page on screen (by name) from a timer while the page runs.
    static std::function<void()> Click(DialogManager& m, const char* key, const char* control) {
        return [&m, key, control] {
            TPoolTemplate* form = m.Find(key);
            ASSERT_NE(form, nullptr);
            PostMessageA(form->FindComponent(control)->Handle(), BM_CLICK, 0, 0);
        };
    }

    DisplayDialogOutcome Display(const std::string& key, const char* modal = "TRUE",
                                 bool loop = false) {
        return commands.DisplayDialog(
            key, DisplayDialogParameters::FromLines({"page", "WIZARD", modal}), loop);
    }

    fs::path support;
    bool watchdogFired = false;
    TimedAction watchdog{10000, [this] {
                             watchdogFired = true;
                             PostQuitMessage(0);
                         }};
    FakeServices services;
    FakeVariables vars;
    DialogManager manager;
    DialogCommands commands{manager, vars};
};

struct ClickCase {
    const char* control;
    bool confirm; // the answer to the cancel question
    const char* word;
};

class NavigationClicks : public DialogDisplay, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(NavigationClicks, ButtonClicksGiveTheResultWords) {
    const ClickCase& c = GetParam();
    int questions = 0;
    manager.confirmCancel = [&](HWND owner, const std::string& caption, const std::string& text) {
        ++questions;
        EXPECT_EQ(owner, manager.Find("3")->Handle());
        EXPECT_EQ(caption, "Quorvix - Korvane Wizard");
        EXPECT_EQ(text, "Are you sure you want to cancel?");
        if (!c.confirm) {
            // Declined: the page stays; the user then goes on.
            PostMessageA(manager.Find("3")->FindComponent("NextButton")->Handle(), BM_CLICK, 0, 0);
        }
        return c.confirm;
    };
    TimedAction click(100, Click(manager, "3", c.control));
    auto out = Display("3");
    EXPECT_EQ(out.word, c.word);
    EXPECT_EQ(vars.values["WIZARD"], c.word);
    EXPECT_EQ(vars.values["WINDOWHANDLE"], "0");
    EXPECT_EQ(questions, AnsiSameText(c.control, "CancelButton") ? 1 : 0);
    EXPECT_EQ(manager.CancelRequested(), c.confirm && questions == 1);
    // A modal page stays on screen after it returns, no longer current.
    EXPECT_TRUE(IsWindowVisible(manager.Find("3")->Handle()));
    EXPECT_EQ(manager.CurrentKey(), "");
}

INSTANTIATE_TEST_SUITE_P(Buttons, NavigationClicks,
                         ::testing::Values(ClickCase{"NextButton", false, "NEXT"},
                                           ClickCase{"BackButton", false, "BACK"},
                                           ClickCase{"CancelButton", true, "CANCEL"},
                                           ClickCase{"CancelButton", false, "NEXT"}));

TEST_F(DialogDisplay, CancelAsksWithTheRealMessageBox) {
    std::string seenText;
    std::unique_ptr<TimedAction> answer;
    TimedAction click(100, [&] {
        answer = std::make_unique<TimedAction>(300, [&] {
            // The question box is a dialog owned by the page; answer Yes.
            HWND box = FindWindowA("#32770", "Quorvix - Korvane Wizard");
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(GetWindow(box, GW_OWNER), manager.Find("3")->Handle());
            char text[256] = {};
            EnumChildWindows(
                box,
                [](HWND child, LPARAM out) -> BOOL {
                    char cls[32] = {};
                    GetClassNameA(child, cls, sizeof cls);
                    if (AnsiSameText(cls, "Static")) {
                        char t[256] = {};
                        GetWindowTextA(child, t, sizeof t);
                        if (t[0]) lstrcpynA(reinterpret_cast<char*>(out), t, 256);
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(text));
            seenText = text;
            PostMessageA(box, WM_COMMAND, IDYES, 0);
        });
        PostMessageA(manager.Find("3")->FindComponent("CancelButton")->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(Display("3").word, "CANCEL");
    EXPECT_EQ(seenText, "Are you sure you want to cancel?");
    EXPECT_EQ(manager.Find("3")->FindComponent("CancelButton")->GetProperty("Enabled"), "False");
}

TEST_F(DialogDisplay, CancelDuringAnInstallationKeepsThePage) {
    services.installing = true;
    manager.confirmCancel = [&](HWND, const std::string&, const std::string&) {
        // The installation notices the request; the page itself goes on until Next.
        PostMessageA(manager.Find("7")->FindComponent("NextButton")->Handle(), BM_CLICK, 0, 0);
        return true;
    };
    manager.Find("7")->FindComponent("NextButton")->SetProperty("Enabled", "True");
    TimedAction click(100, Click(manager, "7", "CancelButton"));
    auto out = Display("7");
    EXPECT_TRUE(manager.CancelRequested());
    EXPECT_EQ(out.word, "NEXT");
}

TEST_F(DialogDisplay, KeyboardEnterAndEscape) {
    manager.confirmCancel = [](HWND, const std::string&, const std::string&) { return true; };
    TimedAction enter(150, [this] {
        // In the folder edit, Enter means the default button.
        HWND edit = manager.Find("5")->FindComponent("FolderEdit")->Handle();
        SetFocus(edit);
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(Display("5").word, "NEXT");
    TimedAction escape(150, [] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(Display("5").word, "CANCEL");
}

TEST_F(DialogDisplay, TabMovesThroughTheControlsInTabOrder) {
    std::vector<std::string> visited;
    TimedAction go(150, [&] {
        TPoolTemplate* form = manager.Find("6");
        for (int i = 0; i < 4; ++i) {
            Component* c = form->FromWindow(GetFocus());
            visited.push_back(c ? c->Name() : "?");
            MSG m{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
            IsDialogMessageA(form->Handle(), &m);
        }
        PostMessageA(form->FindComponent("BackButton")->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(Display("6").word, "BACK");
    // The default button has the focus first; Tab wraps round to the first control.
    ASSERT_EQ(visited.size(), 4u);
    EXPECT_EQ(visited[0], "NextButton");
    EXPECT_EQ(visited[1], "CancelButton");
    EXPECT_EQ(visited[2], "StartMenuEdit");
    EXPECT_EQ(visited[3], "AllUsersCheck");
}

TEST_F(DialogDisplay, CustomWordFromTagFive) {
    auto text = ReadFileBytes(support / "finish.dfm");
    std::string page = *text;
    page.insert(page.rfind("end"), "  object btnRepair: TButton\r\n    Left = 184\r\n    Top = "
                                   "250\r\n    Tag = 5\r\n  end\r\n");
    WriteFileBytes(support / "repair.dfm", page);
    WriteFileBytes(support / "repair.dfm.zorf", "");
    manager.Register("20", (support / "repair.dfm").string());
    TimedAction click(100, Click(manager, "20", "btnRepair"));
    EXPECT_EQ(Display("20").word, "BTNREPAIR");
}

TEST_F(DialogDisplay, SilentModeShowsNothing) {
    services.silent = true;
    EXPECT_EQ(Display("1").word, "NEXT");
    EXPECT_EQ(Display("7", "FALSE").word, "NOTMODAL");
    EXPECT_EQ(vars.values["WINDOWHANDLE"], "0");
    for (const char* key : {"1", "7"})
        EXPECT_FALSE(IsWindowVisible(manager.Find(key)->Handle()));
}

TEST_F(DialogDisplay, NonModalPageUntilHidden) {
    auto out = Display("7", "FALSE");
    EXPECT_EQ(out.word, "NOTMODAL");
    HWND page = manager.Find("7")->Handle();
    EXPECT_EQ(vars.values["WINDOWHANDLE"], std::to_string(reinterpret_cast<std::uintptr_t>(page)));
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(manager.CurrentKey(), "7");
    EXPECT_EQ(manager.OnScreenWindow(), page);
    commands.HideDialog();
    EXPECT_FALSE(IsWindowVisible(page));
    EXPECT_EQ(vars.values["WINDOWHANDLE"], "0");
    EXPECT_EQ(manager.CurrentKey(), "");
}

TEST_F(DialogDisplay, NextPageReplacesTheOneOnScreen) {
    TimedAction first(100, Click(manager, "1", "NextButton"));
    Display("1");
    HWND welcome = manager.Find("1")->Handle();
    EXPECT_TRUE(IsWindowVisible(welcome));
    commands.HideDialog(); // acts on the current page only: the modal page stays
    EXPECT_TRUE(IsWindowVisible(welcome));
    TimedAction second(100, Click(manager, "2", "NextButton"));
    Display("2");
    EXPECT_FALSE(IsWindowVisible(welcome));
    EXPECT_TRUE(IsWindowVisible(manager.Find("2")->Handle()));
}

TEST_F(DialogDisplay, PositionIsKeptForPagesOfTheSameSize) {
    Display("7", "FALSE");
    HWND first = manager.Find("7")->Handle();
    RECT r;
    GetWindowRect(first, &r);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(r.left, work.left + (work.right - work.left - (r.right - r.left)) / 2,
                1); // first page centred
    SetWindowPos(first, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    commands.HideDialog();
    Display("8", "FALSE");
    GetWindowRect(manager.Find("8")->Handle(), &r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 30);
    // A larger page is centred again.
    manager.Find("6")->Form().SetProperty("ClientWidth", "600");
    commands.HideDialog();
    Display("6", "FALSE");
    GetWindowRect(manager.Find("6")->Handle(), &r);
    EXPECT_NEAR(r.left, work.left + (work.right - work.left - (r.right - r.left)) / 2, 1);
    commands.HideDialog();
}

TEST_F(DialogDisplay, ReadmeAndLicenceFilesWithLanguageFallback) {
    vars.values["LANGUAGE"] = "German";
    WriteFileBytes(support / "license.txt", "Terms\nline two\n");
    WriteFileBytes(support / "license.German.txt", "Bedingungen\r\n");
    manager.PrepareDialog("2");
    EXPECT_EQ(manager.Find("2")->FindComponent("LicenseMemo")->GetProperty("Lines.Strings"),
              "Bedingungen");
    fs::remove(support / "license.German.txt");
    manager.PrepareDialog("2");
    EXPECT_EQ(manager.Find("2")->FindComponent("LicenseMemo")->GetProperty("Lines.Strings"),
              "Terms\r\nline two");
    manager.PrepareDialog("3");
    EXPECT_EQ(manager.Find("3")->FindComponent("ReadmeText")->GetProperty("Lines.Strings"),
              "Add a readme.German.rtf or readme.rtf, or readme.German.txt or readme.txt file to "
              "your project as a "
              "support file/creative to display it here.");
    WriteFileBytes(support / "readme.rtf", "{\\rtf1\\ansi Hello {\\b bold} world\\par}");
    manager.PrepareDialog("3");
    char text[64] = {};
    GetWindowTextA(manager.Find("3")->FindComponent("ReadmeText")->Handle(), text, sizeof text);
    EXPECT_EQ(std::string(text).substr(0, 16), "Hello bold world");
}

TEST_F(DialogDisplay, RegisterReplacesAndReportsUnreadableFiles) {
    HWND old = manager.Find("1")->Handle();
    HWND again = manager.Register("1", (support / "finish.dfm").string());
    EXPECT_FALSE(IsWindow(old));
    EXPECT_NE(manager.Find("1")->FindComponent("LaunchCheck"), nullptr);
    EXPECT_EQ(manager.Find("1")->Handle(), again);
    EXPECT_EQ(manager.Find("1")->Form().GetProperty("Hint"), "finish.dfm");
    EXPECT_EQ(manager.Find("2")->rules,
              "\"IF (AcceptRadio.Checked <> True)  THEN  NextButton.Enabled := False;\","
              "\"IF (AcceptRadio.Checked = True)  THEN  NextButton.Enabled := True;\"");
    fs::remove(support / "readme.dfm.zorf");
    EXPECT_THROW(manager.Register("30", (support / "readme.dfm").string()), EngineError);
    EXPECT_THROW(manager.Register("31", (support / "missing.dfm").string()), EngineError);
    WriteFileBytes(support / "bad.dfm",
                   "object F: TPoolTemplate\r\n  object T: TTimer\r\n  end\r\nend\r\n");
    WriteFileBytes(support / "bad.dfm.zorf", "");
    try {
        manager.Register("32", (support / "bad.dfm").string());
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "bad.dfm(2): class TTimer not found");
    }
}

TEST_F(DialogDisplay, FlashFrameShowsItsMessages) {
    std::string page = "object F: TPoolTemplate\r\n  object Movie: TFlashFrame\r\n    Tag = 1\r\n  "
                       "  AutoSize = True\r\n"
                       "  end\r\nend\r\n";
    WriteFileBytes(support / "movie.dfm", page);
    WriteFileBytes(support / "movie.dfm.zorf", "");
    manager.Register("40", (support / "movie.dfm").string());
    manager.PrepareDialog("40");
    Component* movie = manager.Find("40")->FindComponent("Movie");
    EXPECT_EQ(movie->GetProperty("Caption"),
              "Add a movie.swf file to your project to display it here.");
    // 550 x 400 pixels: 15-bit fields 0, 11000, 0, 8000 twips.
    std::string swf = std::string("FWS\x06\0\0\0\0", 8);
    const unsigned char rect[] = {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00};
    swf.append(reinterpret_cast<const char*>(rect), sizeof rect);
    WriteFileBytes(support / "movie.swf", swf);
    manager.PrepareDialog("40");
    EXPECT_EQ(movie->GetProperty("Caption"), "Unable to play Flash movie");
    EXPECT_EQ(movie->GetProperty("Width"), "550");
    EXPECT_EQ(movie->GetProperty("Height"), "400");
}

TEST_F(DialogDisplay, HtmlViewShowsTheIndexPage) {
    WriteFileBytes(support / "web.dfm",
                   "object F: TPoolTemplate\r\n  object Page: THTMLViewer\r\n    Tag = 1\r\n"
                   "    Width = 200\r\n    Height = 100\r\n  end\r\nend\r\n");
    WriteFileBytes(support / "web.dfm.zorf", "");
    manager.Register("50", (support / "web.dfm").string());
    vars.values["LANGUAGE"] = "French";
    WriteFileBytes(support / "index.htm", "<title>Start</title><p>Hello</p>");
    WriteFileBytes(support / "index.French.htm", "<title>Accueil</title><p>Bonjour</p>");
    manager.PrepareDialog("50");
    Component* page = manager.Find("50")->FindComponent("Page");
    EXPECT_EQ(HtmlDocumentTitle(*page), "Accueil");
    vars.values["LANGUAGE"] = "";
    manager.PrepareDialog("50");
    EXPECT_EQ(HtmlDocumentTitle(*page), "Start");
}

} // namespace
} // namespace zk::ui
