#include "engine/ui/win/windows_headers.h"

#include <gtest/gtest.h>

#include "common/ansi_case.h"
#include "common/line_file.h"
#include "engine/script/engine_error.h"
#include "engine/ui/form_reader.h"
#include "engine/ui/tests/win/test_support.h"
#include "engine/ui/win/form_host.h"

namespace zk::ui {
namespace {

using testing::Pump;

std::string WindowClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

// The window class each component kind must be built on.
std::string ExpectedClass(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Label:
    case ComponentKind::StaticText:
        return "Static";
    case ComponentKind::Edit:
    case ComponentKind::MaskEdit:
    case ComponentKind::Memo:
        return "Edit";
    case ComponentKind::RichEdit:
        return "RICHEDIT50W";
    case ComponentKind::Button:
    case ComponentKind::BitBtn:
    case ComponentKind::SpeedButton:
    case ComponentKind::BmpButton:
    case ComponentKind::CheckBox:
    case ComponentKind::RadioButton:
        return "Button";
    case ComponentKind::ListBox:
    case ComponentKind::FileListBox:
    case ComponentKind::DirectoryListBox:
        return "ListBox";
    case ComponentKind::ComboBox:
    case ComponentKind::DriveComboBox:
    case ComponentKind::FilterComboBox:
    case ComponentKind::ShellCombo:
        return "ComboBox";
    case ComponentKind::CheckListBox:
    case ComponentKind::ShellList:
        return "SysListView32";
    case ComponentKind::TreeView:
    case ComponentKind::ShellTree:
        return "SysTreeView32";
    case ComponentKind::GroupBox:
    case ComponentKind::Panel:
    case ComponentKind::TabSheet:
    case ComponentKind::FlashFrame:
        return "ZkPanel";
    case ComponentKind::Bevel:
    case ComponentKind::Shape:
    case ComponentKind::Image:
    case ComponentKind::FormShape:
        return "ZkGraphic";
    case ComponentKind::Gauge:
    case ComponentKind::ProgressBar:
        return "msctls_progress32";
    case ComponentKind::PageControl:
        return "SysTabControl32";
    case ComponentKind::TrackBar:
        return "msctls_trackbar32";
    case ComponentKind::UpDown:
        return "msctls_updown32";
    case ComponentKind::Animate:
        return "SysAnimate32";
    case ComponentKind::HtmlViewer:
        return "ZkHtmlView";
    default:
        return "";
    }
}

std::unique_ptr<TPoolTemplate> LoadText(const std::string& text,
                                        const std::string& file = "test.dfm") {
    return TPoolTemplate::Load(ReadFormText(text, file), file, std::filesystem::current_path());
}

const char* kPages[] = {"welcome",     "licensecheck", "readme",   "componentstree",
                        "destination", "startmenu",    "progress", "finish"};

class StandardPage : public ::testing::TestWithParam<const char*> {};

// Every control of the page exists as a window of its kind's class, in the
// place the file gives, and every property reads back as the file wrote it.
TEST_P(StandardPage, LoadsEveryControlWithItsPropertiesAndScreenshot) {
    std::filesystem::path file =
        std::filesystem::path(ZK_TEMPLATE_DIALOGS) / (std::string(GetParam()) + ".dfm");
    auto bytes = ReadFileBytes(file);
    ASSERT_TRUE(bytes);
    FormObject tree = ReadFormText(*bytes, file.filename().string());
    auto host = TPoolTemplate::Load(tree, file.filename().string(), file.parent_path());
    ASSERT_TRUE(IsWindow(host->Handle()));
    EXPECT_EQ(WindowClassOf(host->Handle()), "TPoolTemplate");
    EXPECT_TRUE(GetWindowLongPtrA(host->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(host->Warnings().empty()) << host->Warnings().front();
    EXPECT_EQ(host->Form().GetProperty("ClientWidth"), "497");
    EXPECT_EQ(host->Form().GetProperty("ClientHeight"), "360");
    EXPECT_EQ(host->Form().GetProperty("Caption"), "$TITLE$ Setup");

    // Walk the file's objects and the host's components side by side.
    std::function<void(const FormObject&)> check = [&](const FormObject& obj) {
        Component* c = host->FindComponent(obj.name);
        ASSERT_NE(c, nullptr) << obj.name;
        ASSERT_TRUE(IsWindow(c->Handle())) << obj.name;
        EXPECT_TRUE(AnsiSameText(WindowClassOf(c->Handle()), ExpectedClass(c->Kind())))
            << obj.name << ": " << WindowClassOf(c->Handle());
        for (const auto& p : obj.properties) {
            auto value = c->GetProperty(p.name);
            ASSERT_TRUE(value) << obj.name << "." << p.name;
            const PropertyInfo* property = c->Class().Find(p.name);
            ASSERT_NE(property, nullptr) << obj.name << "." << p.name;
            auto expected = NormalizePropertyText(property->type, property->choices, PropertyText(p.value));
            if (AnsiSameText(p.name, "Height") && c->Kind() == ComponentKind::ComboBox) continue;
            EXPECT_EQ(*value, *expected) << obj.name << "." << p.name;
        }
        for (const auto& child : obj.children)
            check(child);
    };
    for (const auto& child : tree.children)
        check(child);

    // Navigation buttons: next is the default button, cancel the cancel button.
    Component* next = host->FindComponent("NextButton");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(next->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(host->FindComponent("CancelButton")->GetProperty("Cancel"), "True");

    // A screenshot of the page as shown.
    SetWindowPos(host->Handle(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
    host->ShowForm(true);
    UpdateWindow(host->Handle());
    Pump(300);
    std::filesystem::path shot =
        std::filesystem::path(ZK_SCREENSHOT_DIR) / (std::string(GetParam()) + ".bmp");
    EXPECT_TRUE(testing::SaveWindowBitmap(host->Handle(), shot));
    // The header band is white, the face below it is not.
    if (host->FindComponent("HeaderPanel")) {
        EXPECT_EQ(testing::ScreenPixel(host->Handle(), 480, 5), RGB(255, 255, 255));
        EXPECT_EQ(testing::ScreenPixel(host->Handle(), 5, 300), GetSysColor(COLOR_BTNFACE));
    } else {
        EXPECT_EQ(testing::ScreenPixel(host->Handle(), 5, 300), RGB(0x33, 0x66, 0x99)); // side band
    }
    host->ShowForm(false);
}

INSTANTIATE_TEST_SUITE_P(Pages, StandardPage, ::testing::ValuesIn(kPages));

// One control of each rarer kind loads into a real window of its class.
TEST(FormHost, BuildsEveryComponentKind) {
    std::string text = "object F: TPoolTemplate\r\n  ClientWidth = 600\r\n  ClientHeight = 400\r\n";
    int n = 0;
    for (const auto& cls : DialogComponentClasses()) {
        if (cls.kind == ComponentKind::TabSheet) continue;
        text += "  object C" + std::to_string(n) + ": " + cls.className +
                "\r\n    Left = " + std::to_string(n % 10 * 50) +
                "\r\n    Top = " + std::to_string(n / 10 * 60) +
                "\r\n    Width = 45\r\n    Height = 40\r\n";
        if (cls.kind == ComponentKind::PageControl)
            text += "    object Sheet1: TTabSheet\r\n      Caption = 'One'\r\n    end\r\n"
                    "    object Sheet2: TTabSheet\r\n      Caption = 'Two'\r\n    end\r\n";
        text += "  end\r\n";
        ++n;
    }
    text += "end\r\n";
    auto host = LoadText(text);
    for (Component* c : host->Components()) {
        if (!c->Class().visual) {
            EXPECT_EQ(c->Handle(), nullptr);
            continue;
        }
        ASSERT_TRUE(IsWindow(c->Handle())) << c->ClassName();
        EXPECT_TRUE(AnsiSameText(WindowClassOf(c->Handle()), ExpectedClass(c->Kind())))
            << c->ClassName() << ": " << WindowClassOf(c->Handle());
    }
    Component* pages = host->FindComponent("Sheet1")->Parent();
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(pages->GetProperty("ActivePage"), "Sheet1");
    EXPECT_TRUE(pages->SetProperty("ActivePage", "Sheet2"));
    EXPECT_EQ(pages->GetProperty("ActivePage"), "Sheet2");
}

struct PropertyCase {
    const char* object; // the object in the form file
    const char* name;   // property set through the text interface
    const char* value;
    const char* readBack; // nullptr: the value is rejected and the old one stays
};

class PropertyInterface : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(PropertyInterface, SetsAndReadsBackThroughTheLiveControl) {
    const PropertyCase& c = GetParam();
    auto host = LoadText(std::string("object F: TPoolTemplate\r\n") + c.object + "end\r\n");
    Component* comp = host->Components().at(0);
    auto before = comp->GetProperty(c.name);
    bool accepted = comp->SetProperty(c.name, c.value);
    if (!c.readBack) {
        EXPECT_FALSE(accepted);
        EXPECT_EQ(comp->GetProperty(c.name), before);
        return;
    }
    EXPECT_TRUE(accepted);
    EXPECT_EQ(comp->GetProperty(c.name), c.readBack);
    // The live window follows.
    host->RecreateWindow();
    EXPECT_EQ(comp->GetProperty(c.name), c.readBack) << "after the window was recreated";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PropertyInterface,
    ::testing::Values(
        PropertyCase{"  object E: TEdit\r\n  end\r\n", "Text", "C:\\Apps", "C:\\Apps"},
        PropertyCase{"  object E: TEdit\r\n  end\r\n", "MaxLength", "$10", "16"},
        PropertyCase{"  object E: TEdit\r\n  end\r\n", "Enabled", "false", "False"},
        PropertyCase{"  object E: TEdit\r\n  end\r\n", "Enabled", "no", nullptr},
        PropertyCase{"  object E: TEdit\r\n  end\r\n", "Left", "33", "33"},
        PropertyCase{"  object E: TEdit\r\n  end\r\n", "Color", "$00FFFFFF", "clWhite"},
        PropertyCase{"  object E: TEdit\r\n  end\r\n", "Color", "clTartan", nullptr},
        PropertyCase{"  object B: TRzCheckBox\r\n  end\r\n", "Checked", "True", "True"},
        PropertyCase{"  object B: TButton\r\n  end\r\n", "Caption", "&Install", "&Install"},
        PropertyCase{
            "  object L: TListBox\r\n    Items.Strings = (\r\n      'a'\r\n      'b')\r\n  end\r\n",
            "ItemIndex", "1", "1"},
        PropertyCase{"  object L: TListBox\r\n  end\r\n", "Items.Strings", "x\r\ny\r\nz",
                     "x\r\ny\r\nz"},
        PropertyCase{"  object C: TComboBox\r\n    Style = csDropDownList\r\n    Items.Strings = "
                     "(\r\n      'a'\r\n"
                     "      'b')\r\n  end\r\n",
                     "ItemIndex", "1", "1"},
        PropertyCase{"  object C: TComboBox\r\n  end\r\n", "Style", "csSimpleton", nullptr},
        PropertyCase{"  object M: TMemo\r\n  end\r\n", "Lines.Strings", "one\r\ntwo", "one\r\ntwo"},
        PropertyCase{"  object T: TTrackBar\r\n    Max = 20\r\n  end\r\n", "Position", "7", "7"},
        PropertyCase{"  object P: TProgressBar\r\n  end\r\n", "Position", "42", "42"},
        PropertyCase{"  object G: TGauge\r\n  end\r\n", "Progress", "64", "64"},
        PropertyCase{"  object U: TUpDown\r\n  end\r\n", "Position", "5", "5"},
        PropertyCase{"  object S: TShape\r\n  end\r\n", "Shape", "STCIRCLE", "stCircle"},
        PropertyCase{"  object S: TLabel\r\n  end\r\n", "Font.Style", "[fsItalic, fsBold]",
                     "[fsItalic,fsBold]"},
        PropertyCase{"  object S: TLabel\r\n  end\r\n", "Anchors", "[akLeft,akNowhere]", nullptr}));

TEST(FormHost, UnknownPropertiesAreKeptAndReported) {
    auto host = LoadText("object F: TPoolTemplate\r\n  object E: TEdit\r\n    Sparkle = 3\r\n"
                         "    OnChange = EditChange\r\n  end\r\nend\r\n");
    Component* e = host->FindComponent("e");
    EXPECT_EQ(e->GetProperty("Sparkle"), "3");
    auto warnings = host->Warnings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "E: unknown property Sparkle");
    EXPECT_EQ(e->GetProperty("Nothing"), std::nullopt);
}

TEST(FormHost, UnknownClassIsAnErrorWithFileLineAndClass) {
    try {
        LoadText("object F: TPoolTemplate\r\n  object T: TTimer\r\n  end\r\nend\r\n", "pick.dfm");
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "pick.dfm(2): class TTimer not found");
    }
    EXPECT_THROW(
        LoadText(
            "object F: TPoolTemplate\r\n  object E: TEdit\r\n    Left = 'x'\r\n  end\r\nend\r\n"),
        EngineError);
    EXPECT_THROW(
        LoadText(
            "object F: TPoolTemplate\r\n  object E: TEdit\r\n    object L: TLabel\r\n    end\r\n"
            "  end\r\nend\r\n"),
        EngineError);
}

TEST(FormHost, FontsFollowTheParentUnlessOwn) {
    auto host = LoadText(
        "object F: TPoolTemplate\r\n  Font.Name = 'Arial'\r\n  Font.Height = -13\r\n"
        "  object P: TPanel\r\n    object L: TLabel\r\n    end\r\n    object B: TLabel\r\n"
        "      Font.Style = [fsBold]\r\n      Font.Height = -20\r\n      ParentFont = False\r\n"
        "    end\r\n  end\r\nend\r\n");
    FontSettings plain = host->FontSettingsOf(*host->FindComponent("L"));
    EXPECT_EQ(plain.name, "Arial");
    EXPECT_EQ(plain.height, -13);
    FontSettings bold = host->FontSettingsOf(*host->FindComponent("B"));
    EXPECT_TRUE(bold.bold);
    EXPECT_EQ(bold.height, -20);
    LOGFONTA lf{};
    GetObjectA(
        reinterpret_cast<HFONT>(SendMessageA(host->FindComponent("B")->Handle(), WM_GETFONT, 0, 0)),
        sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(host->FindComponent("L")->GetProperty("Font.Name"), "Arial");
}

TEST(FormHost, TabOrderAndAlignment) {
    auto host =
        LoadText("object F: TPoolTemplate\r\n  ClientWidth = 300\r\n  ClientHeight = 200\r\n"
                 "  object Top: TPanel\r\n    Height = 40\r\n    Align = alTop\r\n  end\r\n"
                 "  object B: TEdit\r\n    TabOrder = 2\r\n  end\r\n"
                 "  object A: TEdit\r\n    TabOrder = 1\r\n  end\r\n"
                 "  object C: TButton\r\n    TabOrder = 3\r\n  end\r\nend\r\n");
    Component* top = host->FindComponent("Top");
    EXPECT_EQ(top->GetProperty("Width"), "300");
    EXPECT_EQ(top->GetProperty("Top"), "0");
    HWND a = host->FindComponent("A")->Handle();
    HWND b = host->FindComponent("B")->Handle();
    HWND c = host->FindComponent("C")->Handle();
    EXPECT_EQ(GetNextDlgTabItem(host->Handle(), a, FALSE), b);
    EXPECT_EQ(GetNextDlgTabItem(host->Handle(), b, FALSE), c);
}

} // namespace
} // namespace zk::ui

namespace zk::ui {
namespace {

// A 2 x 2 bitmap of one colour as the form file stores a picture: the class
// name "TBitmap" (length-prefixed), the size, then the BMP file.
std::string BitmapPictureHex(COLORREF colour) {
    std::string bmp;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](std::uint16_t v) {
        bmp += static_cast<char>(v & 0xFF);
        bmp += static_cast<char>(v >> 8);
    };
    bmp += "BM";
    put32(54 + 16);
    put32(0);
    put32(54);
    put32(40);
    put32(2);
    put32(2);
    put16(1);
    put16(24);
    put32(0);
    put32(16);
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int row = 0; row < 2; ++row) {
        for (int px = 0; px < 2; ++px) {
            bmp += static_cast<char>(GetBValue(colour));
            bmp += static_cast<char>(GetGValue(colour));
            bmp += static_cast<char>(GetRValue(colour));
        }
        bmp += std::string(2, '\0');
    }
    std::string data = std::string("\x07TBitmap") + std::string(4, '\0') + bmp;
    std::string hex;
    for (unsigned char ch : data) {
        static const char* digits = "0123456789ABCDEF";
        hex += digits[ch >> 4];
        hex += digits[ch & 15];
    }
    return hex;
}

TEST(FormHost, ImageShowsItsPictureData) {
    auto host =
        LoadText("object F: TPoolTemplate\r\n  ClientWidth = 100\r\n  ClientHeight = 100\r\n"
                 "  object Pic: TImage\r\n    Left = 10\r\n    Top = 10\r\n    Width = 40\r\n    "
                 "Height = 40\r\n"
                 "    Stretch = True\r\n    Picture.Data = {" +
                 BitmapPictureHex(RGB(200, 30, 40)) + "}\r\n  end\r\nend\r\n");
    SetWindowPos(host->Handle(), HWND_TOP, 60, 60, 0, 0, SWP_NOSIZE);
    host->ShowForm(true);
    UpdateWindow(host->Handle());
    Pump(200);
    EXPECT_EQ(testing::ScreenPixel(host->Handle(), 30, 30), RGB(200, 30, 40));
    EXPECT_EQ(testing::ScreenPixel(host->Handle(), 70, 70), GetSysColor(COLOR_BTNFACE));
    host->ShowForm(false);
    // Bytes that are no bitmap leave the image empty rather than failing the page.
    EXPECT_TRUE(host->FindComponent("Pic")->SetProperty("Picture.Data", "0754426974"));
}

TEST(FormHost, HtmlViewShowsTitleAndReportsLinks) {
    auto host = LoadText(
        "object F: TPoolTemplate\r\n  ClientWidth = 300\r\n  ClientHeight = 200\r\n"
        "  object Html: THTMLViewer\r\n    Width = 300\r\n    Height = 200\r\n  end\r\nend\r\n");
    Component* view = host->FindComponent("Html");
    SetHtmlDocument(
        *view,
        "<html><head><title>Read &amp; go</title><script>alert(1)</script></head>"
        "<body><h1>Quorvix</h1><p>See <b>the</b> <a href=\"notes.htm\">release notes</a>.</p>"
        "<ul><li>one</li><li>two</li></ul></body></html>");
    EXPECT_EQ(HtmlDocumentTitle(*view), "Read & go");
    std::string clicked;
    host->onLink = [&](Component&, const std::string& url) {
        clicked = url;
        return true;
    };
    for (int y = 0; y < 120 && clicked.empty(); y += 3)
        for (int x = 0; x < 300 && clicked.empty(); x += 6)
            SendMessageA(view->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_EQ(clicked, "notes.htm");
}

} // namespace
} // namespace zk::ui
