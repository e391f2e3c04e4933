#include <gtest/gtest.h>

#include "engine/ui/component_classes.h"
#include "engine/ui/property_text.h"
#include "engine/ui/swf_header.h"

namespace zk::ui {
namespace {

struct NormalizeCase {
    PropertyType type;
    const char* choices;
    const char* input;
    const char* expected; // nullptr: rejected
};

class PropertyTextForms : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(PropertyTextForms, NormalizesToTheOneTextForm) {
    const NormalizeCase& c = GetParam();
    auto out = NormalizePropertyText(c.type, c.choices, c.input);
    if (!c.expected) {
        EXPECT_FALSE(out) << c.input << " gave " << out.value_or("");
    } else {
        ASSERT_TRUE(out) << c.input;
        EXPECT_EQ(*out, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, PropertyTextForms,
    ::testing::Values(
        NormalizeCase{PropertyType::Boolean, "", "true", "True"},
        NormalizeCase{PropertyType::Boolean, "", " FALSE ", "False"},
        NormalizeCase{PropertyType::Boolean, "", "1", nullptr},
        NormalizeCase{PropertyType::Integer, "", "$1F", "31"},
        NormalizeCase{PropertyType::Integer, "", "-12", "-12"},
        NormalizeCase{PropertyType::Integer, "", "12px", nullptr},
        NormalizeCase{PropertyType::Integer, "", "", nullptr},
        NormalizeCase{PropertyType::Enumeration, "taLeftJustify,taCenter", "TACENTER", "taCenter"},
        NormalizeCase{PropertyType::Enumeration, "taLeftJustify,taCenter", "taMiddle", nullptr},
        NormalizeCase{PropertyType::Set, "akLeft,akTop,akRight", "[ akright , AKLEFT ]",
                      "[akRight,akLeft]"},
        NormalizeCase{PropertyType::Set, "akLeft,akTop", "[akBottom]", nullptr},
        NormalizeCase{PropertyType::Set, "akLeft", "akLeft", nullptr},
        NormalizeCase{PropertyType::Colour, "", "clbtnface", "clBtnFace"},
        NormalizeCase{PropertyType::Colour, "", "$00FFFFFF", "clWhite"},
        NormalizeCase{PropertyType::Colour, "", "16777215", "clWhite"},
        NormalizeCase{PropertyType::Colour, "", "$00F4E8DC", "$00F4E8DC"},
        NormalizeCase{PropertyType::Colour, "", "clPlaid", nullptr},
        NormalizeCase{PropertyType::Binary, "", "0a ff\r\n10", "0AFF10"},
        NormalizeCase{PropertyType::Binary, "", "0G", nullptr},
        NormalizeCase{PropertyType::Reference, "", "Edit1", "Edit1"},
        NormalizeCase{PropertyType::Reference, "", "Edit 1", nullptr}));

TEST(ComponentClasses, RegistersTheThirtyNineClassesInOrder) {
    const auto& classes = DialogComponentClasses();
    ASSERT_EQ(classes.size(), 39u);
    EXPECT_EQ(classes.front().className, "TLabel");
    EXPECT_EQ(classes[20].className, "TRichEdit");
    EXPECT_EQ(classes.back().className, "TVistaGlass");
    EXPECT_FALSE(classes.back().visual);
    const ComponentClass* edit = FindComponentClass("tedit");
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(edit->Find("font.style"), nullptr);
    EXPECT_EQ(edit->Find("Font.Style")->type, PropertyType::Set);
    EXPECT_EQ(edit->Find("Text")->type, PropertyType::Text);
    EXPECT_EQ(edit->Find("Caption"), nullptr);
    EXPECT_EQ(FindComponentClass("TTimer"), nullptr);
    EXPECT_NE(HostFormClass().Find("ClientWidth"), nullptr);
}

std::string SwfWithRect(const char* signature, int bits, std::uint32_t xmax, std::uint32_t ymax) {
    std::string data = std::string(signature) + std::string(5, '\0');
    std::vector<int> stream;
    auto put = [&](std::uint32_t v, int n) {
        for (int i = n - 1; i >= 0; --i)
            stream.push_back(static_cast<int>((v >> i) & 1u));
    };
    put(static_cast<std::uint32_t>(bits), 5);
    put(0, bits);
    put(xmax, bits);
    put(0, bits);
    put(ymax, bits);
    for (std::size_t i = 0; i < stream.size(); i += 8) {
        int byte = 0;
        for (std::size_t j = 0; j < 8; ++j)
            byte = byte * 2 + (i + j < stream.size() ? stream[i + j] : 0);
        data += static_cast<char>(byte);
    }
    return data;
}

TEST(SwfHeader, ReadsTheFrameRectangle) {
    auto size = ReadSwfFrameSize(SwfWithRect("FWS", 15, 11000, 8000));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 550);
    EXPECT_EQ(size->height, 400);
    auto odd = ReadSwfFrameSize(SwfWithRect("FWS", 16, 8039, 19));
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->width, 401); // integer division
    EXPECT_EQ(odd->height, 0);
    EXPECT_FALSE(ReadSwfFrameSize(SwfWithRect("CWS", 15, 11000, 8000)));
    std::string cut = SwfWithRect("FWS", 15, 11000, 8000);
    EXPECT_FALSE(ReadSwfFrameSize(cut.substr(0, 12)));
    EXPECT_FALSE(ReadSwfFrameSize("FWS"));
}

} // namespace
} // namespace zk::ui
