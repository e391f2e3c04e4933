// The value lists behind the preference keys: item texts as the editor shows
// them and the numbers that list-chosen keys write. Bit i of a mask, or index
// i, is the i-th item.
#pragma once
#include <span>

namespace zk::qcfg {

inline constexpr const char* Interface_Size_Items[] = {"Small", "Medium", "Large"};

inline constexpr const char* Undo_Nb_Items[] = {"None", "1", "2", "3", "4", "5",
                                                "6",    "7", "8", "9", "10"};
inline constexpr int Undo_Nb_Values[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
inline constexpr const char* Undo_Size_Items[] = {"1", "2", "5", "10", "50", "100"};
inline constexpr int Undo_Size_Values[] = {1, 2, 5, 10, 50, 100};
inline constexpr const char* Autosave_Items[] = {"Disabled", "1",  "5",  "10", "15",
                                                 "30",       "60", "90", "120"};
inline constexpr int Autosave_Values[] = {0, 1, 5, 10, 15, 30, 60, 90, 120};
inline constexpr const char* Tag_Nb_Items[] = {"16", "32", "64", "128", "256"};
inline constexpr int Tag_Nb_Values[] = {16, 32, 64, 128, 256};

inline constexpr const char* Tools_2D_Items[] = {
    "Blow Up", "Color Scheme", "Gamma",      "GLI Color Map", "Image Info",
    "Memory",  "Overlay Text", "Pixel Info", "Points",        "Snapshot",
    "Units",   "Windows",      "Tag Color",  "Tag Lock",      "Tag Surf./Vol."};
inline constexpr const char* Overlays_2D_Items[] = {"number", "name", "patient", "technical"};
inline constexpr const char* Tools_3D_Items[] = {
    "Background", "Clipping", "Lights",   "2D Slices", "Matrix",  "Memory",    "Measures",
    "Overlay",    "Points",   "Snapshot", "Stereo",    "Shading", "Smoothing", "Roughness"};
inline constexpr const char* Overlays_3D_Items[] = {"Global Axis", "Local Axis", "Bounding Box",
                                                    "Slice Contour"};
inline constexpr const char* DB_Info_Items[] = {
    "surf./vol. (see units)", "surf./vol. (in pixels)", "min GLI value",
    "max GLI value",          "mean GLI value",         "variance of GLI values",
    "Calibrated values",      "histogram of GLI values"};
// Latin-1 superscripts and micro sign.
inline constexpr const char* Units_Surf_Items[] = {"floating", "m\xB2", "cm\xB2", "mm\xB2",
                                                   "\xB5m\xB2"};
inline constexpr const char* Units_Vol_Items[] = {"floating", "m\xB3", "cm\xB3", "mm\xB3",
                                                  "\xB5m\xB3"};
inline constexpr const char* Tag_Placement_Items[] = {"With GLI Images", "In central Repository"};
inline constexpr const char* Tag_Subfolder_Items[] = {"None", "Per user", "Per patient"};
inline constexpr const char* Mouse_Control_Items[] = {"Track Ball", "Classic", "Patient Axis"};

// Index of the first entry whose value is `number` or more; -1 when the number
// is above the last entry (the selection then stays as it is).
int List_Index_For(std::span<const int> values, int number);

} // namespace zk::qcfg
