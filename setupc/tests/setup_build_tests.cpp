// Building a whole setup folder from a fixture project.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "common/line_file.h"
#include "setupc/appended_image.h"
#include "setupc/setup_builder.h"
#include "setupc/source_error.h"
#include "setupc/tests/test_pe.h"
#include "zor/core/archive_reader.h"

namespace zk::setupc {
namespace {
namespace fs = std::filesystem;

class SetupBuild : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("setupc_build_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        project_ = root_ / "project";
        fs::create_directories(project_ / "dialogs");
        fs::create_directories(project_ / "files" / "bin");
        Write(
            project_ / "project.zkp",
            "# fixture\nName \"demo\"\nScript \"script.zks\"\nDatabase \"product.msi\"\n"
            "Support \"dialogs\"\nSupport \"license.txt\" \"texts\"\n"
            "Payload \"files\" \"Main\"\nPayload \"readme.txt\"\nEngineLanguage \"engine.lng\"\n");
        Write(project_ / "script.zks",
              "[setup]\nProductCode \"" + std::string(kProduct) +
                  "\"\nTitle \"Demo\"\n[script]\nSet Variable \"A\" \"1\"\n"
                  "Install Files \"\" \"\" \"$TARGETDIR$\"\n");
        Write(project_ / "product.msi", "msi bytes");
        Write(project_ / "dialogs" / "welcome.dfm", "object Welcome: TForm end");
        Write(project_ / "license.txt", "license");
        Write(project_ / "files" / "bin" / "app.exe", std::string(1000, 'a'));
        Write(project_ / "files" / "app.ini", std::string(24, 'b'));
        Write(project_ / "readme.txt", "readme!");
        Write(project_ / "engine.lng", "language\r\n");
        Write(root_ / "engine.exe", test::MakeTestPe('e') + "old image");
        Write(root_ / "zor.lib", test::MakeTestPe('z'));
        options_.projectFolder = project_;
        options_.outputFolder = root_ / "out";
        options_.engine = root_ / "engine.exe";
        options_.zor = root_ / "zor.lib";
    }
    void TearDown() override { fs::remove_all(root_); }

    static void Write(const fs::path& path, const std::string& bytes) {
        ASSERT_TRUE(WriteFileBytes(path, bytes));
    }
    static std::string Read(const fs::path& path) {
        return ReadFileBytes(path).value_or("<missing>");
    }

    static constexpr const char* kProduct = "{6F1D5A3C-0000-4000-8000-000000000001}";
    fs::path root_, project_;
    BuildOptions options_;
};

TEST_F(SetupBuild, WritesEngineWithImageArchiveDatabaseLibraryAndData) {
    const BuildResult result = BuildSetup(options_);
    const fs::path out = root_ / "out";
    EXPECT_EQ(result.setupExe, out / "demo.exe");

    const std::string exe = Read(out / "demo.exe");
    EXPECT_EQ(exe.substr(0, 0x400), test::MakeTestPe('e')); // the old image is replaced
    EXPECT_EQ(ScriptImageOfFile(exe), script::WriteScriptImage(result.image));
    EXPECT_EQ(result.image.componentSizes,
              (std::vector<std::string>{"ZARA-PREDEF-COMPONENT", "7", "Main", "1024"}));

    EXPECT_EQ(Read(out / "zor.lib"), test::MakeTestPe('z') + "language\r\n");
    EXPECT_EQ(Read(out / "demo.msi"), "msi bytes");
    EXPECT_EQ(Read(out / "data" / "bin" / "app.exe"), std::string(1000, 'a'));
    EXPECT_EQ(Read(out / "data" / "readme.txt"), "readme!");
    EXPECT_TRUE(fs::exists(out / "data" / kProduct)); // the sources marker

    auto reader = zor::ArchiveReader::OpenFile((out / "demo.res").string(), nullptr);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < reader.Entries().size(); ++i)
        if (!reader.Entries()[i].isDirectory) names.push_back(reader.Entries()[i].ansiName);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"texts\\license.txt", "welcome.dfm"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()),
              4); // no temporary folder left
}

TEST_F(SetupBuild, PayloadChangesTheRevisionCode) {
    const std::string first = BuildSetup(options_).image.revisionCode;
    EXPECT_EQ(BuildSetup(options_).image.revisionCode, first);
    Write(project_ / "files" / "app.ini", std::string(24, 'c'));
    EXPECT_NE(BuildSetup(options_).image.revisionCode, first);
}

TEST_F(SetupBuild, FailedBuildLeavesThePreviousOutputUntouched) {
    BuildSetup(options_);
    const std::string before = Read(root_ / "out" / "demo.exe");
    Write(project_ / "script.zks", "[setup]\nProductCode \"" + std::string(kProduct) +
                                       "\"\n[script]\nIf \"NOPE\" \"0\" \"1\"\nEnd\n");
    try {
        BuildSetup(options_);
        FAIL();
    } catch (const SourceError& e) {
        EXPECT_EQ(e.Line(), 4);
        EXPECT_NE(std::string(e.what()).find("script.zks:4: Variable not defined: NOPE"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(Read(root_ / "out" / "demo.exe"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()), 4);
}

struct BrokenInput {
    const char* what;
    std::function<void(const fs::path& root, BuildOptions&)> breakIt;
    const char* message;
};

TEST_F(SetupBuild, BrokenInputsFailWithoutOutput) {
    const std::vector<BrokenInput> cases = {
        {"missing support",
         [](const fs::path& r, BuildOptions&) { fs::remove_all(r / "project" / "dialogs"); },
         "project.zkp:5: the support file or folder"},
        {"missing payload",
         [](const fs::path& r, BuildOptions&) { fs::remove_all(r / "project" / "files"); },
         "project.zkp:7: the payload"},
        {"missing script",
         [](const fs::path& r, BuildOptions&) { fs::remove(r / "project" / "script.zks"); },
         "project.zkp:3: cannot read the script"},
        {"engine not a PE file",
         [](const fs::path& r, BuildOptions&) { WriteFileBytes(r / "engine.exe", "text"); },
         "engine.exe: not a complete PE"},
        {"missing database",
         [](const fs::path& r, BuildOptions&) { fs::remove(r / "project" / "product.msi"); },
         "project.zkp:4: cannot read the installer database"},
        {"foreign output folder",
         [](const fs::path& r, BuildOptions&) { WriteFileBytes(r / "out" / "notes.doc", "x"); },
         "holds \"notes.doc\""},
    };
    for (const BrokenInput& c : cases) {
        SetUp();
        fs::create_directories(root_ / "out");
        c.breakIt(root_, options_);
        try {
            BuildSetup(options_);
            ADD_FAILURE() << c.what << ": built";
        } catch (const SourceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.what << ": " << e.what();
        }
        EXPECT_FALSE(fs::exists(root_ / "out" / "demo.exe")) << c.what;
        EXPECT_FALSE(fs::exists(root_ / ".out.setupc-tmp")) << c.what;
    }
}

// The default project in template/ builds (its script compiles as the engine would).
TEST(TemplateProject, Builds) {
    ASSERT_FALSE(std::string(ZK_WIXL).empty()) << "wixl is needed to build the template's database";
    const fs::path root = fs::temp_directory_path() / "setupc_template_build";
    fs::remove_all(root);
    fs::create_directories(root);
    ASSERT_TRUE(WriteFileBytes(root / "engine.exe", test::MakeTestPe('e')));
    ASSERT_TRUE(WriteFileBytes(root / "zor.lib", test::MakeTestPe('z')));
    BuildOptions options;
    options.projectFolder = ZK_TEMPLATE_DIR;
    options.outputFolder = root / "out";
    options.engine = root / "engine.exe";
    options.zor = root / "zor.lib";
    options.wixl = ZK_WIXL;
    const BuildResult result = BuildSetup(options);
    EXPECT_GT(result.image.CommandCount(), 3u);
    EXPECT_GT(fs::file_size(root / "out" / "setup.msi"), 1000u);
    EXPECT_TRUE(fs::exists(root / "out" / "setup.res"));
    fs::remove_all(root);
}

} // namespace
} // namespace zk::setupc
