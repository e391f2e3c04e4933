// setupc: the authoring tool. Turns a readable script and a project folder
// into a setup, compiles a script alone into a script image, and prints the
// script source of a built setup.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define ZK_ISATTY _isatty
#define ZK_FILENO _fileno
#else
#include <unistd.h>
#define ZK_ISATTY isatty
#define ZK_FILENO fileno
#endif

#include "common/line_file.h"
#include "engine/script/engine_error.h"
#include "setupc/appended_image.h"
#include "setupc/image_decompiler.h"
#include "setupc/setup_builder.h"
#include "setupc/source_error.h"

namespace fs = std::filesystem;
using namespace zk::setupc;

namespace {

const char kHelp[] =
    "usage:\n"
    "  setupc build <project folder> -o <output folder> [--engine FILE] [--zor FILE] [--msi FILE]\n"
    "      Builds the setup: <name>.exe (engine + compiled script), <name>.res (support files),\n"
    "      <name>.msi, zor.lib and data\\ (payload, media modes 1 and 3). The project folder\n"
    "      holds project.zkp. The script is compiled as the engine would; a script the engine\n"
    "      would refuse is refused here as file:line: message. Nothing is left in the output\n"
    "      folder when the build fails.\n"
    "      --engine  engine.exe to use; default: $SETUPC_ENGINE, else engine.exe beside setupc\n"
    "      --zor     zor.lib to use; default: $SETUPC_ZOR, else zor.lib beside setupc\n"
    "      --msi     installer database (.msi, .msp, or .wxs built with wixl) instead of the\n"
    "                project's Database\n"
    "  setupc image <script source> -o <image file>\n"
    "      Compiles a script source alone into a script image file.\n"
    "  setupc decompile <setup.exe | image file> [-o <source file>]\n"
    "      Prints the script source of a setup or image; building it gives the same image.\n";

int Usage(const std::string& message) {
    std::cerr << "setupc: " << message << "\n\n" << kHelp;
    return 2;
}

fs::path ProgramFolder(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) self = fs::absolute(argv0, ec);
    return self.parent_path();
}

fs::path DefaultTool(const char* variable, const fs::path& folder, const char* name) {
    if (const char* value = std::getenv(variable); value && *value) return value;
    return folder / name;
}

struct Arguments {
    std::vector<std::string> positional;
    std::string output, engine, zor, msi;
};

bool Parse(int argc, char** argv, Arguments& args, std::string& error) {
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) {
                error = a + " needs a value";
                return false;
            }
            target = argv[++i];
            return true;
        };
        if (a == "-o" || a == "--output") {
            if (!value(args.output)) return false;
        } else if (a == "--engine") {
            if (!value(args.engine)) return false;
        } else if (a == "--zor") {
            if (!value(args.zor)) return false;
        } else if (a == "--msi") {
            if (!value(args.msi)) return false;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else {
            args.positional.push_back(a);
        }
    }
    return true;
}

int Build(const Arguments& args, const char* argv0) {
    if (args.positional.size() != 1 || args.output.empty())
        return Usage("build needs a project folder and -o <output folder>");
    const fs::path folder = ProgramFolder(argv0);
    BuildOptions options;
    options.projectFolder = args.positional[0];
    options.outputFolder = args.output;
    options.engine = args.engine.empty() ? DefaultTool("SETUPC_ENGINE", folder, "engine.exe")
                                         : fs::path(args.engine);
    options.zor =
        args.zor.empty() ? DefaultTool("SETUPC_ZOR", folder, "zor.lib") : fs::path(args.zor);
    options.database = args.msi;
    const bool terminal = ZK_ISATTY(ZK_FILENO(stdout)) != 0;
    if (terminal)
        options.progress = [](const std::string& text, bool final) {
            std::printf("\r%s\033[K%s", text.c_str(), final ? "\n" : "");
            std::fflush(stdout);
        };
    const BuildResult result = BuildSetup(options);
    std::printf("%s: %zu commands, %zu support files, %zu payload files (%llu bytes)\n",
                result.setupExe.string().c_str(), result.image.CommandCount(), result.supportFiles,
                result.payloadFiles, static_cast<unsigned long long>(result.payloadBytes));
    return 0;
}

int Image(const Arguments& args) {
    if (args.positional.size() != 1 || args.output.empty())
        return Usage("image needs a script source and -o <image file>");
    const auto text = zk::ReadFileBytes(args.positional[0]);
    if (!text) throw SourceError(args.positional[0], 0, "cannot read the script");
    const auto image = BuildScriptImage(*text, args.positional[0]);
    if (!zk::WriteFileBytes(args.output, zk::script::WriteScriptImage(image)))
        throw SourceError(args.output, 0, "cannot write the image");
    return 0;
}

int Decompile(const Arguments& args) {
    if (args.positional.size() != 1)
        return Usage("decompile needs a setup executable or image file");
    const std::string& file = args.positional[0];
    const auto bytes = zk::ReadFileBytes(file);
    if (!bytes) throw SourceError(file, 0, "cannot read this file");
    std::string imageText;
    try {
        imageText = ScriptImageOfFile(*bytes);
    } catch (const std::runtime_error& e) {
        throw SourceError(file, 0, e.what());
    }
    zk::script::ScriptImage image;
    try {
        image = zk::script::ReadScriptImage(imageText);
    } catch (const zk::EngineError& e) {
        throw SourceError(file, 0, std::string("not a script image: ") + e.what());
    }
    const Decompiled result = DecompileImage(image);
    for (const std::string& warning : result.warnings)
        std::cerr << file << ": warning: " << warning << "\n";
    const std::string source = WriteScriptSource(result.source);
    if (args.output.empty()) {
        std::fwrite(source.data(), 1, source.size(), stdout);
    } else if (!zk::WriteFileBytes(args.output, source)) {
        throw SourceError(args.output, 0, "cannot write the source");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage("a command is needed");
    const std::string command = argv[1];
    if (command == "-h" || command == "--help" || command == "help") {
        std::fputs(kHelp, stdout);
        return 0;
    }
    Arguments args;
    std::string error;
    if (!Parse(argc, argv, args, error)) return Usage(error);
    try {
        if (command == "build") return Build(args, argv[0]);
        if (command == "image") return Image(args);
        if (command == "decompile") return Decompile(args);
        return Usage("unknown command " + command);
    } catch (const SourceError& e) {
        std::cerr << e.what() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "setupc: " << e.what() << "\n";
    }
    return 1;
}
