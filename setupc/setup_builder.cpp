#include "setupc/setup_builder.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "common/ansi_case.h"
#include "common/line_file.h"
#include "setupc/appended_image.h"
#include "setupc/compile_check.h"
#include "setupc/identifiers.h"
#include "setupc/image_builder.h"
#include "zor/core/archive_error.h"
#include "zor/core/archive_writer.h"

namespace zk::setupc {
namespace fs = std::filesystem;
namespace {

struct PayloadFile {
    fs::path disk;
    std::string relative; // "/"-separated, below data\ .
    std::uint64_t size = 0;
    int line = 0;
};

class SetupBuilder {
  public:
    explicit SetupBuilder(const BuildOptions& options) : options_(options) {}

    BuildResult Build() {
        project_ = LoadProject(options_.projectFolder);
        const fs::path scriptPath = project_.Resolve(project_.script.path);
        const auto scriptText = ReadFileBytes(scriptPath);
        if (!scriptText)
            Fail(project_.script.line, "cannot read the script \"" + scriptPath.string() + "\"");
        const ScriptSource source = ParseScriptSource(*scriptText, scriptPath.string());

        const PayloadFacts facts = ScanPayload(source);
        result_.image = BuildImage(source, facts);
        CheckCompiles(source, result_.image);
        const std::string imageText = script::WriteScriptImage(result_.image);
        const std::string engineBytes = ReadInput(options_.engine, "the engine");
        const std::string zorBytes = ReadInput(options_.zor, "the archive library");

        PrepareOutput();
        try {
            WriteFile(temp_ / (project_.name + ".exe"),
                      AppendTo(engineBytes, imageText, options_.engine));
            WriteResources();
            WriteDatabase();
            std::string language;
            if (!project_.engineLanguage.path.empty())
                language = ReadEntry(project_.engineLanguage, "engine language file");
            WriteFile(temp_ / "zor.lib", AppendTo(zorBytes, language, options_.zor));
            if (source.mediaMode != 2) WriteData(source.productCode);
            Publish();
        } catch (...) {
            std::error_code ignored;
            fs::remove_all(temp_, ignored);
            throw;
        }
        result_.setupExe = options_.outputFolder / (project_.name + ".exe");
        return std::move(result_);
    }

  private:
    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw SourceError(project_.fileName, line, message);
    }

    void Progress(const std::string& text, bool final) const {
        if (options_.progress) options_.progress(text, final);
    }

    std::string ReadInput(const fs::path& path, const std::string& what) const {
        const auto bytes = ReadFileBytes(path);
        if (!bytes || path.empty()) throw SourceError(path.string(), 0, "cannot read " + what);
        return *bytes;
    }

    std::string ReadEntry(const ProjectEntry& entry, const std::string& what) const {
        const fs::path path = project_.Resolve(entry.path);
        const auto bytes = fs::is_regular_file(path) ? ReadFileBytes(path) : std::nullopt;
        if (!bytes) Fail(entry.line, "cannot read the " + what + " \"" + path.string() + "\"");
        return *bytes;
    }

    static std::string AppendTo(const std::string& pe, const std::string& data,
                                const fs::path& path) {
        try {
            return WithAppendedData(pe, data);
        } catch (const std::runtime_error& e) {
            throw SourceError(path.string(), 0, e.what());
        }
    }

    void WriteFile(const fs::path& path, std::string_view bytes) const {
        if (!WriteFileBytes(path, bytes))
            throw SourceError(path.string(), 0, "cannot write this file");
    }

    PayloadFacts ScanPayload(const ScriptSource& source) {
        PayloadFacts facts;
        facts.present = !project_.payload.empty();
        std::vector<std::pair<std::string, std::uint64_t>> sizes{
            {std::string(kPredefinedComponent), 0}};
        for (const ProjectEntry& entry : project_.payload) {
            const fs::path root = project_.Resolve(entry.path);
            std::error_code ec;
            std::vector<PayloadFile> found;
            if (fs::is_regular_file(root, ec)) {
                found.push_back({root, root.filename().generic_string(), 0, entry.line});
            } else if (fs::is_directory(root, ec)) {
                for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end;
                     it.increment(ec))
                    if (it->is_regular_file())
                        found.push_back({it->path(),
                                         fs::relative(it->path(), root).generic_string(), 0,
                                         entry.line});
                if (ec)
                    Fail(entry.line, "cannot list the payload folder \"" + root.string() + "\"");
            } else {
                Fail(entry.line, "the payload \"" + root.string() + "\" does not exist");
            }
            const std::string component =
                entry.extra.empty() ? std::string(kPredefinedComponent) : entry.extra;
            auto slot = std::find_if(sizes.begin(), sizes.end(), [&](const auto& s) {
                return AnsiSameText(s.first, component);
            });
            if (slot == sizes.end()) slot = sizes.insert(sizes.end(), {component, 0});
            for (PayloadFile& file : found) {
                file.size = fs::file_size(file.disk, ec);
                if (ec)
                    Fail(entry.line, "cannot read the payload file \"" + file.disk.string() + "\"");
                slot->second += file.size;
                payload_.push_back(std::move(file));
            }
        }
        std::sort(payload_.begin(), payload_.end(), [](const PayloadFile& a, const PayloadFile& b) {
            return a.relative < b.relative;
        });
        for (std::size_t i = 1; i < payload_.size(); ++i)
            if (AnsiSameText(payload_[i].relative, payload_[i - 1].relative))
                Fail(std::max(payload_[i].line, payload_[i - 1].line),
                     "two payload files land on data\\" + payload_[i].relative);
        if (facts.present && source.mediaMode == 2)
            Fail(project_.payload.front().line,
                 "packing payload into web media blocks (MediaMode \"2\") is not supported yet");
        std::string digest;
        for (const PayloadFile& file : payload_) {
            const auto bytes = ReadFileBytes(file.disk);
            if (!bytes)
                Fail(file.line, "cannot read the payload file \"" + file.disk.string() + "\"");
            const Hash128 h = HashText(*bytes);
            digest += file.relative + "\n" + std::to_string(file.size) + "\n" +
                      std::to_string(h.high) + std::to_string(h.low) + "\n";
            result_.payloadBytes += file.size;
        }
        result_.payloadFiles = payload_.size();
        if (facts.present) facts.componentSizes = std::move(sizes);
        facts.digest = std::move(digest);
        return facts;
    }

    // Names a setup output folder holds; an existing output folder with
    // anything else in it is not replaced.
    static bool IsOutputEntry(const fs::directory_entry& entry) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory()) return AnsiSameText(name, "data");
        if (AnsiSameText(name, "zor.lib")) return true;
        const std::string ext = AnsiLower(entry.path().extension().string());
        return ext == ".exe" || ext == ".res" || ext == ".msi" || ext == ".msp";
    }

    void PrepareOutput() {
        const fs::path out = fs::absolute(options_.outputFolder);
        std::error_code ec;
        if (fs::exists(out, ec)) {
            if (!fs::is_directory(out, ec))
                throw SourceError(out.string(), 0, "the output is not a folder");
            for (const auto& entry : fs::directory_iterator(out, ec))
                if (!IsOutputEntry(entry))
                    throw SourceError(
                        out.string(), 0,
                        "the output folder holds \"" + entry.path().filename().string() +
                            "\", which a setup build does not make; choose a new or empty folder");
        }
        fs::create_directories(out.parent_path(), ec);
        temp_ = out.parent_path() / ("." + out.filename().string() + ".setupc-tmp");
        fs::remove_all(temp_, ec);
        if (!fs::create_directory(temp_, ec))
            throw SourceError(temp_.string(), 0, "cannot create the temporary build folder");
    }

    void Publish() {
        const fs::path out = fs::absolute(options_.outputFolder);
        const fs::path old = out.parent_path() / ("." + out.filename().string() + ".setupc-old");
        std::error_code ec;
        fs::remove_all(old, ec);
        if (fs::exists(out)) {
            fs::rename(out, old, ec);
            if (ec)
                throw SourceError(out.string(), 0,
                                  "cannot replace the output folder: " + ec.message());
        }
        fs::rename(temp_, out, ec);
        if (ec) {
            std::error_code ignored;
            fs::rename(old, out, ignored);
            throw SourceError(out.string(), 0, "cannot create the output folder: " + ec.message());
        }
        fs::remove_all(old, ec);
    }

    void WriteResources() {
        zor::ArchiveWriter writer;
        for (const ProjectEntry& entry : project_.support) {
            const fs::path path = project_.Resolve(entry.path);
            std::string prefix = entry.extra;
            std::replace(prefix.begin(), prefix.end(), '/', '\\');
            if (!prefix.empty() && prefix.back() != '\\') prefix += '\\';
            std::error_code ec;
            if (fs::is_regular_file(path, ec)) {
                writer.AddFile(prefix + path.filename().string(), path.string());
                ++result_.supportFiles;
            } else if (fs::is_directory(path, ec)) {
                for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end;
                     it.increment(ec))
                    if (it->is_regular_file()) ++result_.supportFiles;
                writer.AddTree(path.string(), entry.extra);
            } else {
                Fail(entry.line,
                     "the support file or folder \"" + path.string() + "\" does not exist");
            }
        }
        const std::string name = project_.name + ".res";
        Progress("Packing " + name + " (" + std::to_string(result_.supportFiles) + " files)...",
                 false);
        try {
            writer.WriteFile((temp_ / name).string());
        } catch (const zor::ArchiveError& e) {
            throw SourceError(project_.fileName, 0,
                              "cannot write the resource archive: " + std::string(e.what()));
        }
        Progress("Packing " + name + " (" + std::to_string(result_.supportFiles) + " files): done",
                 true);
    }

    static std::string ShellQuote(const std::string& text) {
#ifdef _WIN32
        return "\"" + text + "\"";
#else
        std::string out = "'";
        for (char c : text)
            out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return out + "'";
#endif
    }

    void WriteDatabase() {
        ProjectEntry entry = project_.database;
        fs::path path = project_.Resolve(entry.path);
        if (!options_.database.empty()) {
            path = options_.database;
            entry.line = 0;
        } else if (entry.path.empty()) {
            Fail(0,
                 "no installer database: name one with Database in the project file or give --msi");
        }
        const std::string ext = AnsiLower(path.extension().string());
        if (ext == ".msi" || ext == ".msp") {
            const auto bytes = fs::is_regular_file(path) ? ReadFileBytes(path) : std::nullopt;
            if (!bytes)
                Fail(entry.line, "cannot read the installer database \"" + path.string() + "\"");
            WriteFile(temp_ / (project_.name + ext), *bytes);
        } else if (ext == ".wxs") {
            if (!fs::is_regular_file(path))
                Fail(entry.line, "cannot read \"" + path.string() + "\"");
            const fs::path msi = temp_ / (project_.name + ".msi");
            Progress("Building " + msi.filename().string() + " with " + options_.wixl + "...",
                     false);
            const std::string command = ShellQuote(options_.wixl) + " -o " +
                                        ShellQuote(msi.string()) + " " + ShellQuote(path.string()) +
                                        " >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0 || !fs::is_regular_file(msi))
                Fail(entry.line, options_.wixl + " could not build an installer database from \"" +
                                     path.string() + "\" (run it by hand to see why)");
            Progress("Building " + msi.filename().string() + ": done", true);
        } else {
            Fail(entry.line, "the installer database must be an .msi, .msp or .wxs file, not \"" +
                                 path.string() + "\"");
        }
    }

    void WriteData(const std::string& productCode) {
        const fs::path data = temp_ / "data";
        std::error_code ec;
        fs::create_directory(data, ec);
        // The sources marker: a file named after the product code (see "Apply Changes").
        WriteFile(data / productCode, "");
        std::uint64_t done = 0;
        for (std::size_t i = 0; i < payload_.size(); ++i) {
            const PayloadFile& file = payload_[i];
            const fs::path target = data / fs::path(file.relative);
            fs::create_directories(target.parent_path(), ec);
            if (!fs::copy_file(file.disk, target, fs::copy_options::overwrite_existing, ec))
                Fail(file.line,
                     "cannot copy \"" + file.disk.string() + "\" into data\\: " + ec.message());
            done += file.size;
            Progress("Copying data: " + std::to_string(i + 1) + "/" +
                         std::to_string(payload_.size()) + " files, " +
                         std::to_string(done / 1024) + " KB",
                     i + 1 == payload_.size());
        }
    }

    const BuildOptions& options_;
    Project project_;
    std::vector<PayloadFile> payload_;
    BuildResult result_;
    fs::path temp_;
};

} // namespace

BuildResult BuildSetup(const BuildOptions& options) {
    return SetupBuilder(options).Build();
}

script::ScriptImage BuildScriptImage(std::string_view text, const std::string& fileName) {
    const ScriptSource source = ParseScriptSource(text, fileName);
    script::ScriptImage image = BuildImage(source);
    CheckCompiles(source, image);
    return image;
}

} // namespace zk::setupc
