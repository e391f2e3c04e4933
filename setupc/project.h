// The project file ("project.zkp" in the project folder): what goes into a
// setup beside its script. Same line syntax as the script source.
//
//   Name "setup"                      base name of setup.exe, .res, .msi
//   Script "script.zks"               the script source
//   Database "product.msi"            the installer database (.msi, .msp; a .wxs is built with
//   wixl) Support "dialogs"                 files for the resource archive (a folder: its
//   contents), Support "license.txt" "texts"     optionally under an archive folder Payload "files"
//   "Main Program"    setup data of a component (data\ beside the engine) EngineLanguage
//   "engine.lng"       engine message texts appended to zor.lib
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace zk::setupc {

inline constexpr std::string_view kProjectFileName = "project.zkp";

struct ProjectEntry {
    std::string path;  // relative to the project folder (or absolute)
    std::string extra; // archive folder (Support) or component name (Payload)
    int line = 0;
};

struct Project {
    std::filesystem::path folder;
    std::string fileName; // the project file, for messages
    std::string name = "setup";
    ProjectEntry script{"script.zks", "", 0};
    ProjectEntry database;
    std::vector<ProjectEntry> support;
    std::vector<ProjectEntry> payload;
    ProjectEntry engineLanguage;

    std::filesystem::path Resolve(const std::string& path) const;
};

// Throws SourceError for an unreadable or malformed project file.
Project LoadProject(const std::filesystem::path& folder);
Project ParseProject(std::string_view text, const std::filesystem::path& folder,
                     std::string fileName);

} // namespace zk::setupc
