#include <gtest/gtest.h>

#include "filepick/core/dialog_request.h"
#include "filepick/core/kinds.h"
#include "filepick/core/options.h"

namespace zk::filepick {
namespace {

using Tokens = std::vector<std::string>;

TEST(FilepickCommandLine, TokenizesAtSeparatorRunsAndKeepsQuotes) {
    struct Case {
        std::string line;
        Tokens tokens;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {" \t\n ", {}},
        {"prog.exe -s", {"prog.exe", "-s"}},
        {"  -t\t\"my kind\"\n\n-s  ", {"-t", "\"my kind\"", "-s"}},
        {"-d C:\\a\" b \"c x", {"-d", "C:\\a\" b \"c", "x"}},
        {"-f \"C:\\open end", {"-f", "\"C:\\open end"}},
        {"\"C:\\Program Files\\filepick.exe\" -o", {"\"C:\\Program Files\\filepick.exe\"", "-o"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TokenizeCommandLine(c.line), c.tokens) << c.line;
}

TEST(FilepickCommandLine, RemovesQuotesOnlyBelowTheLengthLimit) {
    const std::string inner(2045, 'x');
    struct Case {
        std::string token;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"\"abc\"", "abc"},
        {"\"abc", "abc"},
        {"abc\"", "abc\""},
        {"a\"b\"", "a\"b\""},
        {"\"\"", ""},
        {"\"", ""},
        {"", ""},
        {"\"a\"b\"", "a\"b"},
        {"\"" + inner + "\"", inner},                 // 2,047 characters
        {"\"" + inner + "x\"", "\"" + inner + "x\""}, // 2,048 characters stay unchanged
    };
    for (const Case& c : cases)
        EXPECT_EQ(RemoveQuotes(c.token), c.expected) << c.token.size();
}

TEST(FilepickCommandLine, ParsesOptions) {
    struct Case {
        std::string line;
        DialogMode mode;
        std::string kind;
        std::optional<std::string> folder, file, info, output;
        bool version;
    };
    using std::nullopt;
    const DialogMode O = DialogMode::Open, S = DialogMode::Save;
    const std::vector<Case> cases = {
        {"", O, "", nullopt, nullopt, nullopt, nullopt, false},
        {"-s -t \"IMA\" -d \"C:\\My Dir\" -f \"a b.dcm\" -i \"Some Info\" -p \"C:\\out put.txt\"",
         S, "ima", "C:\\My Dir", "a b.dcm", "Some Info", "C:\\out put.txt", false},
        // Open mode keeps the quotes of the extra information.
        {"-t geo -i \"Some Info\"", O, "geo", nullopt, nullopt, "\"Some Info\"", nullopt, false},
        // The mode may come after "-i".
        {"-i \"Some Info\" -s -o -save", S, "", nullopt, nullopt, "Some Info", nullopt, false},
        // Letters inside quotes keep their case.
        {"-t GE\"O\"X", O, "ge\"O\"x", nullopt, nullopt, nullopt, nullopt, false},
        {"-t \"\xC9T\"", O, "\xE9t", nullopt, nullopt, nullopt, nullopt, false},
        // Calculation kinds lower-case the information outside quotes.
        {"-s -t calc -i \"VOLUME\"", S, "calc", nullopt, nullopt, "volume", nullopt, false},
        {"-t cal -i \"ASCII\"", O, "cal", nullopt, nullopt, "\"ASCII\"", nullopt, false},
        {"-t cal -i ASCII", O, "cal", nullopt, nullopt, "ascii", nullopt, false},
        {"-s -t ima -i MiXed", S, "ima", nullopt, nullopt, "MiXed", nullopt, false},
        // Other tokens and letters are ignored; a value option at the end has no value.
        {"prog geo -x -T geo -S -t", O, "", nullopt, nullopt, nullopt, nullopt, false},
        // A value option takes the next token whatever it looks like.
        {"-t -s", O, "-s", nullopt, nullopt, nullopt, nullopt, false},
        {"-V", O, "", nullopt, nullopt, nullopt, nullopt, true},
        {"-v -d D:\\ -d E:\\", O, "", "E:\\", nullopt, nullopt, nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Options o = ParseOptions(TokenizeCommandLine(c.line));
        EXPECT_EQ(o.mode, c.mode);
        EXPECT_EQ(o.kind, c.kind);
        EXPECT_EQ(o.startFolder, c.folder);
        EXPECT_EQ(o.startFile, c.file);
        EXPECT_EQ(o.extraInfo, c.info);
        EXPECT_EQ(o.outputFile, c.output);
        EXPECT_EQ(o.showVersion, c.version);
    }
}

TEST(FilepickKinds, DialogSettingsFollowKindModeAndInformation) {
    struct Case {
        std::string line;
        FilterList filters;
        std::string extension;
        std::string title;
    };
    const std::vector<Case> cases = {
        {"-t geo", FilterList::GeometryOpen, "mov", "Read Geometry File"},
        {"-s -t geo", FilterList::GeometrySave, "mov", "Save Geometry File As"},
        {"-t ima", FilterList::Image, "dcm", "Read Image File"},
        {"-s -t scp", FilterList::Script, "scp", "Save Script File As"},
        {"-t cal", FilterList::Text, "txt", "Read calibration File"},
        {"-s -t cal", FilterList::Text, "txt", ""},
        {"-t cnt", FilterList::Text, "txt", ""},
        {"-s -t cnt", FilterList::Text, "txt", "Save Countour File As"},
        {"-s -t msr", FilterList::TextOrScript, "txt", "Save Measurement File As"},
        {"-s -t 3d_msr", FilterList::Text, "txt", "Save 3D Measurement File As"},
        {"-s -t reg", FilterList::Script, "scp", "Save Registration File As"},
        {"-s -t mask", FilterList::Script, "scp", "Save Mask File As"},
        {"-s -t pts", FilterList::Script, "scp", "Save Point File As"},
        {"-s -t snake", FilterList::Script, "scp", "Save Snake File As"},
        {"-s -t rough", FilterList::Text, "txt", "Save Roughness File As"},
        {"-s -t calc", FilterList::None, "", "Save Surface/Volume File As"},
        {"-s -t calc -i volume", FilterList::Volumes, "vol", "Save Surface/Volume File As"},
        {"-s -t calc -i \"SURFACE\"", FilterList::Surface, "sur", "Save Surface/Volume File As"},
        {"-s -t calc -i Ascii", FilterList::Results, "res", "Save Surface/Volume File As"},
        {"-s -t calc -i ascii2", FilterList::None, "", "Save Surface/Volume File As"},
        {"-t cal -i vol", FilterList::Volumes, "vol", "Read calibration File"},
        {"-t calc -i sur", FilterList::Surface, "sur", ""},
        {"-s -t ima -i volume", FilterList::Image, "dcm", "Save Image File As"},
        {"-t geometry", FilterList::None, "", ""},
        {"-t", FilterList::None, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const DialogSettings s = DialogSettingsFor(ParseOptions(TokenizeCommandLine(c.line)));
        EXPECT_EQ(s.filters, c.filters);
        EXPECT_EQ(s.defaultExtension, c.extension);
        EXPECT_EQ(s.title, c.title);
    }
}

TEST(FilepickKinds, FilterTextIsZeroSeparatedAndDoublyEnded) {
    using namespace std::string_literals;
    EXPECT_EQ(FilterText(FilterList::Text),
              "Text Results Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(FilterText(FilterList::None), "");
    const std::string image = FilterText(FilterList::Image);
    EXPECT_NE(image.find("Dicom Files (*.dcm,*.dic)\0*.dcm;*.dic\0"s), std::string::npos);
    EXPECT_TRUE(image.ends_with("TIFF Files (*.tif)\0*.tif;*.tiff\0\0"s));
    EXPECT_EQ(FilterPairs(FilterList::GeometrySave)[3].description, "STL ASCII (*.stl)");
}

TEST(FilepickRequest, CarriesFlagsFolderAndStartFileCutToTheBuffer) {
    Options open;
    open.startFolder = "C:\\data";
    open.startFile = std::string(kFileBufferSize + 10, 'n');
    const DialogRequest o = BuildDialogRequest(open);
    EXPECT_EQ(o.flags, 0x281A04u);
    EXPECT_EQ(o.initialFolder, "C:\\data");
    EXPECT_EQ(o.startFile.size(), kFileBufferSize - 1);

    Options save;
    save.mode = DialogMode::Save;
    save.kind = "msr";
    save.startFile = "m.txt";
    const DialogRequest s = BuildDialogRequest(save);
    EXPECT_EQ(s.flags, 0x200006u);
    EXPECT_FALSE(s.initialFolder);
    EXPECT_EQ(s.startFile, "m.txt");
    EXPECT_EQ(s.filter, FilterText(FilterList::TextOrScript));
    EXPECT_EQ(s.defaultExtension, "txt");
    EXPECT_EQ(s.title, "Save Measurement File As");
}

} // namespace
} // namespace zk::filepick
