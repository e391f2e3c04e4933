#include "filepick/core/kinds.h"

#include <array>

namespace zk::filepick {

namespace {

constexpr std::array kGeometryOpen{
    FilterPair{"Movie.BYU Geometry Files (*.mov)", "*.mov"},
    FilterPair{"STL Files (*.stl)", "*.stl"},
    FilterPair{"Wavefront OBJ Files (*.obj)", "*.obj"},
    FilterPair{"Autocad DXF Files (*.dxf)", "*.dxf"},
    FilterPair{"VRML Files (*.wrl)", "*.wrl"},
};
constexpr std::array kGeometrySave{
    FilterPair{"Movie BYU (*.mov)", "*.mov"},  FilterPair{"Autocad DXF (*.dxf)", "*.dxf"},
    FilterPair{"VRML (*.wrl)", "*.wrl"},       FilterPair{"STL ASCII (*.stl)", "*.stl"},
    FilterPair{"STL BINARY (*.stl)", "*.stl"},
};
constexpr std::array kImage{
    FilterPair{"All Files (*.*)", "*.*"},
    FilterPair{"GE MRI Files (*.mr)", "*.mr"},
    FilterPair{"GE CT Files (*.ct)", "*.ct"},
    FilterPair{"Dicom Files (*.dcm,*.dic)", "*.dcm;*.dic"},
    FilterPair{"Raw Pixel Files (*.raw)", "*.raw"},
    FilterPair{"TIFF Files (*.tif)", "*.tif;*.tiff"},
};
constexpr std::array kText{
    FilterPair{"Text Results Files (*.txt)", "*.txt"},
    FilterPair{"All Files (*.*)", "*.*"},
};
constexpr std::array kTextOrScript{
    FilterPair{"Text Results Files (*.txt)", "*.txt"},
    FilterPair{"Script Files (*.scp)", "*.scp"},
};
constexpr std::array kScript{
    FilterPair{"Script Files (*.scp)", "*.scp"},
    FilterPair{"All Files (*.*)", "*.*"},
};
constexpr std::array kResults{
    FilterPair{"results Files (*.res)", "*.res"},
    FilterPair{"All Files (*.*)", "*.*"},
};
constexpr std::array kSurface{
    FilterPair{"db surface Files (*.srf)", "*.srf"},
    FilterPair{"All Files (*.*)", "*.*"},
};
constexpr std::array kVolumes{
    FilterPair{"volumes Files (*.vol)", "*.vol"},
    FilterPair{"All Files (*.*)", "*.*"},
};

using FL = FilterList;
using SF = SaveForm;

constexpr std::array kKinds{
    KindEntry{"geo", FL::GeometryOpen, FL::GeometrySave, "mov", "Read Geometry File",
              "Save Geometry File As", "geom", SF::Geometry, "geom"},
    KindEntry{"ima", FL::Image, FL::Image, "dcm", "Read Image File", "Save Image File As", "image",
              SF::Path, "image"},
    KindEntry{"scp", FL::Script, FL::Script, "scp", "Read Script File", "Save Script File As",
              "script", SF::Path, "script"},
    KindEntry{"cal", FL::Text, FL::Text, "txt", "Read calibration File", "", "calibration",
              SF::None, ""},
    KindEntry{"cnt", FL::Text, FL::Text, "txt", "", "Save Countour File As", "", SF::InfoAndPath,
              "countour"},
    KindEntry{"msr", FL::TextOrScript, FL::TextOrScript, "txt", "", "Save Measurement File As", "",
              SF::Measurement, "measurement"},
    KindEntry{"3d_msr", FL::Text, FL::Text, "txt", "", "Save 3D Measurement File As", "",
              SF::InfoAndPath, "3d_measurement"},
    KindEntry{"reg", FL::Script, FL::Script, "scp", "", "Save Registration File As", "",
              SF::InfoAndPath, "registration"},
    KindEntry{"mask", FL::Script, FL::Script, "scp", "", "Save Mask File As", "", SF::InfoAndPath,
              "mask"},
    KindEntry{"pts", FL::Script, FL::Script, "scp", "", "Save Point File As", "", SF::InfoAndPath,
              "points"},
    KindEntry{"snake", FL::Script, FL::Script, "scp", "", "Save Snake File As", "", SF::InfoAndPath,
              "snake"},
    KindEntry{"rough", FL::Text, FL::Text, "txt", "", "Save Roughness File As", "", SF::InfoAndPath,
              "roughness"},
    KindEntry{"calc", FL::None, FL::None, "", "", "Save Surface/Volume File As", "",
              SF::InfoAndPath, "calc"},
};

} // namespace

std::span<const FilterPair> FilterPairs(FilterList list) {
    switch (list) {
    case FL::None:
        return {};
    case FL::GeometryOpen:
        return kGeometryOpen;
    case FL::GeometrySave:
        return kGeometrySave;
    case FL::Image:
        return kImage;
    case FL::Text:
        return kText;
    case FL::TextOrScript:
        return kTextOrScript;
    case FL::Script:
        return kScript;
    case FL::Results:
        return kResults;
    case FL::Surface:
        return kSurface;
    case FL::Volumes:
        return kVolumes;
    }
    return {};
}

std::string FilterText(FilterList list) {
    std::string text;
    for (const FilterPair& pair : FilterPairs(list)) {
        text.append(pair.description);
        text += '\0';
        text.append(pair.pattern);
        text += '\0';
    }
    if (!text.empty()) text += '\0';
    return text;
}

const KindEntry* FindKind(std::string_view kind) {
    for (const KindEntry& entry : kKinds)
        if (entry.kind == kind) return &entry;
    return nullptr;
}

DialogSettings DialogSettingsFor(const Options& options) {
    DialogSettings settings;
    const bool open = options.mode == DialogMode::Open;
    if (const KindEntry* entry = FindKind(options.kind)) {
        settings.filters = open ? entry->openFilters : entry->saveFilters;
        settings.defaultExtension = entry->defaultExtension;
        settings.title = open ? entry->openTitle : entry->saveTitle;
    }
    // Calculation kinds: the extra information (already lower-cased outside
    // quotes by ParseOptions) picks the results, surface or volume files.
    if (options.kind.starts_with("cal") && options.extraInfo) {
        const std::string& info = *options.extraInfo;
        if (info == "ascii") {
            settings.filters = FL::Results;
            settings.defaultExtension = "res";
        } else if (info.starts_with("sur")) {
            settings.filters = FL::Surface;
            settings.defaultExtension = "sur";
        } else if (info.starts_with("vol")) {
            settings.filters = FL::Volumes;
            settings.defaultExtension = "vol";
        }
    }
    return settings;
}

} // namespace zk::filepick
