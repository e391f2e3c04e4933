// The script lines filepick writes for a chosen file: the selection read from
// the dialog's file buffer, and the lines of open and save mode. Lines carry no
// line end; the writer adds it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "filepick/core/dialog_request.h"
#include "filepick/core/options.h"

namespace zk::filepick {

// The buffer text before the file-name offset, up to its first zero byte.
std::string FolderText(const DialogOutcome& outcome);

// The folder text ending in "\": a final space becomes "\", a missing one is added.
std::string BaseFolder(std::string_view folderText);

// Full paths of the chosen files: one full path, or after a multiple selection
// the folder followed by zero-ended names up to an empty name.
std::vector<std::string> SelectedPaths(const DialogOutcome& outcome);

// Format word and extension of the geometry save filters (1-based index);
// an index outside the list counts as the first filter, which the dialog uses then.
struct GeometryFormat {
    std::string_view word;
    std::string_view extension; // with its dot
};
GeometryFormat GeometryFormatFor(std::uint32_t filterIndex);

// The path with the extension added when its name has none ("model" -> "model.stl",
// "model." -> "model.stl"); other names are unchanged.
std::string WithExtension(std::string_view path, std::string_view extension);

// Lines of a successful open dialog.
std::vector<std::string> OpenLines(const Options& options, const DialogOutcome& outcome);
// Lines of a successful save dialog.
std::vector<std::string> SaveLines(const Options& options, const DialogOutcome& outcome);

} // namespace zk::filepick
