#include <gtest/gtest.h>

#include <set>

#include "engine/ui/content_files.h"

namespace zk::ui {
namespace {

struct ContentCase {
    ContentControl control;
    long long tag;
    const char* language;
    std::set<std::string> files;
    const char* expectedFile; // nullptr: none found
    const char* expectedHint;
};

class ContentFiles : public ::testing::TestWithParam<ContentCase> {};

TEST_P(ContentFiles, FirstExistingFileElseHint) {
    const ContentCase& c = GetParam();
    auto out = FindContentFile(c.control, c.tag, c.language, [&](const std::string& name) {
        return c.files.count(name) != 0;
    });
    if (c.expectedFile) {
        EXPECT_TRUE(out.found);
        EXPECT_EQ(out.fileName, c.expectedFile);
    } else {
        EXPECT_FALSE(out.found);
        EXPECT_EQ(out.hintText, c.expectedHint);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ContentFiles,
    ::testing::Values(
        ContentCase{ContentControl::Memo,
                    1,
                    "German",
                    {"readme.txt", "readme.German.txt"},
                    "readme.German.txt",
                    ""},
        ContentCase{ContentControl::Memo, 1, "German", {"readme.txt"}, "readme.txt", ""},
        ContentCase{ContentControl::Memo,
                    1,
                    "German",
                    {},
                    nullptr,
                    "Add a readme.German.txt or readme.txt file to your project as a support "
                    "file/creative to display it here."},
        ContentCase{ContentControl::Memo, 2, "", {"license.txt"}, "license.txt", ""},
        ContentCase{ContentControl::Memo,
                    2,
                    "",
                    {},
                    nullptr,
                    "Add a license..txt or license.txt file to your project as a support "
                    "file/creative to display it here."},
        ContentCase{ContentControl::RichEdit,
                    2,
                    "French",
                    {"license.txt", "license.rtf"},
                    "license.rtf",
                    ""},
        ContentCase{ContentControl::RichEdit,
                    1,
                    "French",
                    {"readme.French.txt", "readme.txt"},
                    "readme.French.txt",
                    ""},
        ContentCase{ContentControl::RichEdit,
                    1,
                    "French",
                    {},
                    nullptr,
                    "Add a readme.French.rtf or readme.rtf, or readme.French.txt or readme.txt "
                    "file to your project as a support file/creative to display it here."},
        ContentCase{ContentControl::HtmlViewer, 1, "", {"index.htm"}, "index.htm", ""},
        ContentCase{ContentControl::HtmlViewer,
                    1,
                    "Dutch",
                    {},
                    nullptr,
                    "Add an index.htm file to your project to display it here, along with any "
                    "other additional support/linked files."},
        ContentCase{ContentControl::FlashFrame,
                    1,
                    "",
                    {},
                    nullptr,
                    "Add a movie.swf file to your project to display it here."},
        ContentCase{ContentControl::Memo, 3, "", {"readme.txt"}, nullptr, ""}));

} // namespace
} // namespace zk::ui
