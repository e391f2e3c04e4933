#include <gtest/gtest.h>

#include <filesystem>

#include "common/line_file.h"
#include "engine/ui/form_reader.h"
#include "engine/ui/form_writer.h"
#include "engine/ui/property_text.h"

namespace zk::ui {
namespace {

using Kind = FormValue::Kind;

FormValue ValueOf(const std::string& valueText) {
    FormObject obj = ReadFormText("object A: TForm\r\n  P = " + valueText + "\r\nend\r\n");
    EXPECT_EQ(obj.properties.size(), 1u);
    return obj.properties.at(0).value;
}

struct ValueCase {
    const char* source;
    Kind kind;
    const char* propertyText; // the value in the property text form
};

class FormValueForms : public ::testing::TestWithParam<ValueCase> {};

TEST_P(FormValueForms, ReadsEachValueForm) {
    const ValueCase& c = GetParam();
    FormValue v = ValueOf(c.source);
    EXPECT_EQ(v.kind, c.kind) << c.source;
    EXPECT_EQ(PropertyText(v), c.propertyText) << c.source;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormValueForms,
    ::testing::Values(
        ValueCase{"42", Kind::Integer, "42"}, ValueCase{"-7", Kind::Integer, "-7"},
        ValueCase{"$00FF00FF", Kind::Integer, "16711935"}, ValueCase{"-$10", Kind::Integer, "-16"},
        ValueCase{"9223372036854775807", Kind::Integer, "9223372036854775807"},
        ValueCase{"1.5", Kind::Float, "1.5"}, ValueCase{"-2.5E+003", Kind::Float, "-2.5E+003"},
        ValueCase{"12.50c", Kind::Float, "12.50c"},
        ValueCase{"clBtnFace", Kind::Identifier, "clBtnFace"},
        ValueCase{"True", Kind::Identifier, "True"},
        ValueCase{"Form1.Edit1", Kind::Identifier, "Form1.Edit1"},
        ValueCase{"'It''s'", Kind::String, "It's"}, ValueCase{"''", Kind::String, ""},
        ValueCase{"'a'#13#10'b'", Kind::String, "a\r\nb"},
        ValueCase{"#$41#66'c'", Kind::String, "ABc"},
        ValueCase{"'first ' +\r\n    'second'", Kind::String, "first second"},
        ValueCase{"'caf\xE9'", Kind::String, "caf\xE9"}, ValueCase{"#8364", Kind::String, "?"},
        ValueCase{"[akLeft, akTop]", Kind::Set, "[akLeft,akTop]"}, ValueCase{"[]", Kind::Set, "[]"},
        ValueCase{"(\r\n    'one'\r\n    'two''s'\r\n    'x' + 'y')", Kind::List,
                  "one\r\ntwo's\r\nxy"},
        ValueCase{"()", Kind::List, ""},
        ValueCase{"{\r\n    0A0b\r\n    FF}", Kind::Binary, "0A0BFF"},
        ValueCase{"<\r\n    item\r\n      Width = 5\r\n    end>", Kind::Collection,
                  "< item Width = 5 end>"}));

TEST(FormReader, BuildsTheObjectTreeInFileOrder) {
    const char* text = "object Page: TPoolTemplate\r\n"
                       "  Caption = 'Setup'\r\n"
                       "  Font.Name = 'Tahoma'\r\n"
                       "  object Header: TPanel\r\n"
                       "    Height = 58\r\n"
                       "    object Title: TLabel\r\n"
                       "      Caption = 'Welcome'\r\n"
                       "    end\r\n"
                       "  end\r\n"
                       "  inherited Next: TButton [3]\r\n"
                       "    Tag = 1\r\n"
                       "  end\r\n"
                       "  object TLabel\r\n"
                       "  end\r\n"
                       "  Columns = <\r\n"
                       "    item [0]\r\n"
                       "      Caption = 'Name'\r\n"
                       "    end>\r\n"
                       "end\r\n";
    FormObject root = ReadFormText(text);
    EXPECT_EQ(root.name, "Page");
    EXPECT_EQ(root.className, "TPoolTemplate");
    ASSERT_EQ(root.properties.size(), 3u);
    EXPECT_EQ(root.properties[1].name, "Font.Name");
    EXPECT_EQ(root.properties[2].value.collection.at(0).index, 0);
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_EQ(root.children[0].children.at(0).name, "Title");
    EXPECT_EQ(root.children[0].children[0].line, 6);
    EXPECT_EQ(root.children[1].header, FormObject::Header::Inherited);
    EXPECT_TRUE(root.children[1].hasIndex);
    EXPECT_EQ(root.children[1].index, 3);
    EXPECT_EQ(root.children[2].name, "");
    EXPECT_EQ(root.children[2].className, "TLabel");
    ASSERT_NE(root.Find("font.name"), nullptr);
    EXPECT_EQ(root.Find("font.name")->value.text, "Tahoma");
}

struct ErrorCase {
    const char* text;
    int line;
    int column;
    const char* message; // a part of the message
};

class FormReaderErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(FormReaderErrors, ReportsLineAndColumn) {
    const ErrorCase& c = GetParam();
    try {
        ReadFormText(c.text, "page.dfm");
        FAIL() << "no error for: " << c.text;
    } catch (const FormReadError& e) {
        EXPECT_EQ(e.Line(), c.line) << e.what();
        EXPECT_EQ(e.Column(), c.column) << e.what();
        EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).rfind("page.dfm(", 0), 0u) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FormReaderErrors,
    ::testing::Values(
        ErrorCase{"", 1, 1, "expected object"},
        ErrorCase{"thing A: TForm\nend", 1, 1, "found 'thing'"},
        ErrorCase{"object A: TForm\n  Caption = 'open\nend", 2, 13, "unterminated string"},
        ErrorCase{"object A: TForm\n  Left 5\nend", 2, 8, "expected '='"},
        ErrorCase{"object A: TForm\n  Left = 5\n", 3, 1, "missing 'end'"},
        ErrorCase{"object A: TForm\n  Data = {0A1}\nend", 2, 10, "odd number"},
        ErrorCase{"object A: TForm\n  Data = {0AZZ}\nend", 2, 13, "in binary data"},
        ErrorCase{"object A: TForm\n  Left = 12abc\nend", 2, 10, "malformed number"},
        ErrorCase{"object A: TForm\n  Left = 99999999999999999999\nend", 2, 10, "out of range"},
        ErrorCase{"object A: TForm\n  Left = $\nend", 2, 10, "hexadecimal"},
        ErrorCase{"object A: TForm\n  S = 'a' +\nend", 3, 1, "string after '+'"},
        ErrorCase{"object A: TForm\n  S = #\nend", 2, 7, "character code"},
        ErrorCase{"object A: TForm\n  S = [a b]\nend", 2, 10, "expected ']'"},
        ErrorCase{"object A: TForm\n  L = ('a'\nend", 3, 4, "missing ')'"},
        ErrorCase{"object A: TForm\n  C = < thing >\nend", 2, 9, "expected 'item'"},
        ErrorCase{"object A: TForm\n  V = ;\nend", 2, 7, "unexpected character ';'"},
        ErrorCase{"object A: TForm\nend\nobject B: TForm\nend", 3, 1, "after the end"}));

TEST(FormReader, BoundsNestingAndValueSizes) {
    std::string deep;
    for (int i = 0; i < 200; ++i)
        deep += "object A: TPanel\n";
    EXPECT_THROW(ReadFormText(deep), FormReadError);
    std::string lists = "object A: TForm\n P = ";
    for (int i = 0; i < 5000; ++i)
        lists += "(";
    EXPECT_THROW(ReadFormText(lists), FormReadError);
    FormReadLimits small;
    small.maxValueBytes = 8;
    EXPECT_THROW(ReadFormText("object A: TForm\n S = '123456789'\nend", "", small), FormReadError);
    EXPECT_NO_THROW(ReadFormText("object A: TForm\n S = '12345678'\nend", "", small));
}

TEST(FormWriter, RoundTripsEveryValueForm) {
    const std::string text =
        "object A: TForm\r\n"
        "  I = -$0000001F\r\n"
        "  S = 'It''s'#13#10#9'x'\r\n"
        "  F = 1.25\r\n"
        "  E = []\r\n"
        "  L = (\r\n    1\r\n    'two'\r\n    ident)\r\n"
        "  B = {\r\n    " +
        std::string(70, 'A') +
        "}\r\n"
        "  C = <\r\n    item\r\n      X = 1\r\n    end\r\n    item [2]\r\n    end>\r\n"
        "  end = 1\r\n  Object.Tag = $8000000000000000\r\n  inline = -$8000000000000000\r\n"
        "  object B: TLabel [1]\r\n    Caption = ''\r\n  end\r\n"
        "end\r\n";
    FormObject first = ReadFormText(text);
    std::string written = WriteFormText(first);
    FormObject second = ReadFormText(written);
    EXPECT_EQ(first, second) << written;
    EXPECT_EQ(WriteFormText(second), written);
}

// Every standard page of the default project reads, writes and reads back the same.
TEST(FormWriter, RoundTripsTheStandardPages) {
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZK_TEMPLATE_DIALOGS)) {
        if (entry.path().extension() != ".dfm") continue;
        ++pages;
        auto bytes = ReadFileBytes(entry.path());
        ASSERT_TRUE(bytes) << entry.path();
        FormObject first = ReadFormText(*bytes, entry.path().filename().string());
        FormObject second = ReadFormText(WriteFormText(first));
        EXPECT_EQ(first, second) << entry.path();
    }
    EXPECT_EQ(pages, 8);
}

} // namespace
} // namespace zk::ui
