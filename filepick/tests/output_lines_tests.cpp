#include <gtest/gtest.h>

#include "filepick/core/output_lines.h"

namespace zk::filepick {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

// A dialog result as the system leaves it: the text at the start of a
// zero-filled buffer of the full size.
DialogOutcome Chosen(const std::string& text, std::size_t fileOffset, std::uint32_t filter = 1) {
    DialogOutcome outcome;
    outcome.accepted = true;
    outcome.buffer = text;
    outcome.buffer.resize(kFileBufferSize, '\0');
    outcome.fileOffset = fileOffset;
    outcome.filterIndex = filter;
    return outcome;
}

TEST(FilepickSelection, ReadsSingleAndMultipleChoices) {
    struct Case {
        std::string name;
        DialogOutcome outcome;
        std::string folder;
        Lines paths;
    };
    const std::vector<Case> cases = {
        {"single", Chosen("C:\\dir\\a.ima", 7), "C:\\dir\\", {"C:\\dir\\a.ima"}},
        {"two in one folder",
         Chosen("C:\\dir\0a.ima\0b 2.ima\0\0"s, 7),
         "C:\\dir",
         {"C:\\dir\\a.ima", "C:\\dir\\b 2.ima"}},
        {"multiple in a root", Chosen("C:\\\0a\0b\0\0"s, 4), "C:\\", {"C:\\a", "C:\\b"}},
        // Left-overs of a longer start file after a single path are no names.
        {"single after long start file",
         Chosen("C:\\d\\x.ima\0ongname.ima\0"s, 5),
         "C:\\d\\",
         {"C:\\d\\x.ima"}},
        {"folder with final space", Chosen("C:\\dir \0a\0\0"s, 8), "C:\\dir ", {"C:\\dir\\a"}},
        {"names up to the buffer end",
         Chosen("C:\\d\0"s + std::string(kFileBufferSize - 5, 'n'), 5),
         "C:\\d",
         {"C:\\d\\" + std::string(kFileBufferSize - 5, 'n')}},
        {"offset past the buffer", Chosen("C:\\d\\x", kFileBufferSize + 3), "C:\\d\\x", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FolderText(c.outcome), c.folder);
        EXPECT_EQ(SelectedPaths(c.outcome), c.paths);
    }
}

TEST(FilepickLines, OpenModeWritesFolderRefreshAndReadLines) {
    struct Case {
        std::string kind;
        std::optional<std::string> startFolder;
        DialogOutcome outcome;
        Lines lines;
    };
    const DialogOutcome two = Chosen("C:\\img\0a.ima\0b.ima\0\0"s, 7);
    const DialogOutcome one = Chosen("C:\\img\\a.txt", 7);
    const std::vector<Case> cases = {
        {"ima",
         "C:\\img",
         two,
         {"refresh: disable", "read: image \"C:\\img\\a.ima\"", "read: image \"C:\\img\\b.ima\"",
          "refresh: enable"}},
        {"ima",
         "C:\\other",
         two,
         {"set: default_dir \"C:\\img\"", "refresh: disable", "read: image \"C:\\img\\a.ima\"",
          "read: image \"C:\\img\\b.ima\"", "refresh: enable"}},
        // A single path's folder text keeps its backslash; the comparison is exact.
        {"cal",
         "C:\\img",
         one,
         {"set: default_dir \"C:\\img\\\"", "refresh: disable",
          "read: calibration \"C:\\img\\a.txt\"", "refresh: enable"}},
        {"cal",
         "C:\\IMG\\",
         one,
         {"set: default_dir \"C:\\img\\\"", "refresh: disable",
          "read: calibration \"C:\\img\\a.txt\"", "refresh: enable"}},
        {"geo",
         "C:\\img\\",
         one,
         {"refresh: disable", "read: geom \"C:\\img\\a.txt\"", "refresh: enable"}},
        {"scp",
         std::nullopt,
         one,
         {"refresh: disable", "read: script \"C:\\img\\a.txt\"", "refresh: enable"}},
        {"cnt", std::nullopt, two, {"refresh: disable", "refresh: enable"}},
        {"calc", std::nullopt, one, {"refresh: disable", "refresh: enable"}},
        {"", std::nullopt, one, {"refresh: disable", "refresh: enable"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + " " + c.startFolder.value_or("-"));
        Options options;
        options.kind = c.kind;
        options.startFolder = c.startFolder;
        EXPECT_EQ(OpenLines(options, c.outcome), c.lines);
    }
}

TEST(FilepickLines, SaveModeWritesTheKindsLine) {
    struct Case {
        std::string kind;
        std::optional<std::string> info;
        std::optional<std::string> startFolder;
        DialogOutcome outcome;
        Lines lines;
    };
    const auto at = [](const std::string& path, std::uint32_t filter = 1) {
        return Chosen(path, path.rfind('\\') + 1, filter);
    };
    const std::vector<Case> cases = {
        {"geo",
         std::nullopt,
         "C:\\g\\",
         at("C:\\g\\model", 4),
         {"write: geom \"*\" \"stl_ascii\" \"C:\\g\\model.stl\""}},
        {"geo",
         std::nullopt,
         "C:\\g\\",
         at("C:\\g\\model.", 4),
         {"write: geom \"*\" \"stl_ascii\" \"C:\\g\\model.stl\""}},
        {"geo",
         "part",
         "C:\\g.v1\\",
         at("C:\\g.v1\\model", 5),
         {"write: geom \"part\" \"stl\" \"C:\\g.v1\\model.stl\""}},
        {"geo",
         std::nullopt,
         "C:\\g\\",
         at("C:\\g\\a.mov", 2),
         {"write: geom \"*\" \"dxf\" \"C:\\g\\a.mov\""}},
        {"geo",
         std::nullopt,
         "C:\\g\\",
         at("C:\\g\\a", 3),
         {"write: geom \"*\" \"wrl\" \"C:\\g\\a.wrl\""}},
        {"geo",
         std::nullopt,
         "C:\\g\\",
         at("C:\\g\\a", 1),
         {"write: geom \"*\" \"mov\" \"C:\\g\\a.mov\""}},
        {"msr",
         "m1",
         std::nullopt,
         at("C:\\m\\a.txt", 1),
         {"write: measurement \"m1\" data \"C:\\m\\a.txt\""}},
        {"msr",
         "m1",
         std::nullopt,
         at("C:\\m\\a.scp", 2),
         {"write: measurement \"m1\" write \"C:\\m\\a.scp\""}},
        {"calc",
         "volume",
         std::nullopt,
         at("C:\\v\\a.vol"),
         {"write: calc \"volume\" \"C:\\v\\a.vol\""}},
        {"cnt",
         std::nullopt,
         std::nullopt,
         at("C:\\c\\a.txt"),
         {"write: countour \"*\" \"C:\\c\\a.txt\""}},
        {"cnt", "", std::nullopt, at("C:\\c\\a.txt"), {"write: countour \"\" \"C:\\c\\a.txt\""}},
        {"3d_msr", "x", std::nullopt, at("C:\\a"), {"write: 3d_measurement \"x\" \"C:\\a\""}},
        {"reg", "x", std::nullopt, at("C:\\a"), {"write: registration \"x\" \"C:\\a\""}},
        {"mask", "x", std::nullopt, at("C:\\a"), {"write: mask \"x\" \"C:\\a\""}},
        {"pts", "x", std::nullopt, at("C:\\a"), {"write: points \"x\" \"C:\\a\""}},
        {"snake", "x", std::nullopt, at("C:\\a"), {"write: snake \"x\" \"C:\\a\""}},
        {"rough", "x", std::nullopt, at("C:\\a"), {"write: roughness \"x\" \"C:\\a\""}},
        {"ima",
         "x",
         "C:\\i",
         at("C:\\i\\a.dcm"),
         {"set: default_dir \"C:\\i\\\"", "write: image \"C:\\i\\a.dcm\""}},
        {"scp", std::nullopt, std::nullopt, at("C:\\s\\a.scp"), {"write: script \"C:\\s\\a.scp\""}},
        {"cal", std::nullopt, "C:\\x\\", at("C:\\c\\a.txt"), {"set: default_dir \"C:\\c\\\""}},
        {"other", std::nullopt, std::nullopt, at("C:\\c\\a.txt"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind + " " + std::string(FolderText(c.outcome)));
        Options options;
        options.mode = DialogMode::Save;
        options.kind = c.kind;
        options.extraInfo = c.info;
        options.startFolder = c.startFolder;
        EXPECT_EQ(SaveLines(options, c.outcome), c.lines);
    }
}

} // namespace
} // namespace zk::filepick
