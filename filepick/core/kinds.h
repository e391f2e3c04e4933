// The file kinds filepick knows: their filter lists, default extension, dialog
// titles and the script lines a choice produces. DialogSettingsFor applies the
// kind table and the calculation kinds ("cal..." with extra information).
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "filepick/core/options.h"

namespace zk::filepick {

enum class FilterList {
    None,
    GeometryOpen,
    GeometrySave,
    Image,
    Text,
    TextOrScript,
    Script,
    Results,
    Surface,
    Volumes,
};

struct FilterPair {
    std::string_view description;
    std::string_view pattern;
};

std::span<const FilterPair> FilterPairs(FilterList list);

// The dialog's filter text: description and pattern of every pair, each ended
// by a zero byte, the list ended by one more zero byte; empty for None.
std::string FilterText(FilterList list);

// How a kind writes its save line.
enum class SaveForm {
    None,        // no line
    Path,        // write: <word> "path"
    InfoAndPath, // write: <word> "info" "path"
    Geometry,    // write: geom "info" "format" "path"
    Measurement, // write: measurement "info" data|write "path"
};

struct KindEntry {
    std::string_view kind;
    FilterList openFilters;
    FilterList saveFilters;
    std::string_view defaultExtension;
    std::string_view openTitle;
    std::string_view saveTitle;
    std::string_view readWord; // empty: no open line
    SaveForm saveForm;
    std::string_view writeWord;
};

// The entry of an exactly matching kind word; nullptr for any other word.
const KindEntry* FindKind(std::string_view kind);

struct DialogSettings {
    FilterList filters = FilterList::None;
    std::string defaultExtension; // empty: none
    std::string title;            // empty: the dialog's own
};

DialogSettings DialogSettingsFor(const Options& options);

} // namespace zk::filepick
