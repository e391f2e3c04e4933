#include "quorvconfig/prefs/line_scan.h"
#include "quorvconfig/prefs/preference_file.h"
#include "quorvconfig/prefs/preference_lists.h"

#include "common/line_file.h"
#include "quorvconfig/velmora_util/velmora_util.h"

#include <span>

namespace zk::qcfg {

using velm::Error_Fct;
using velm::hwnd;

namespace {

constexpr std::size_t Max_Line = 2047;
constexpr int Trace_Line = velm::Type_Trace;
constexpr int Trace_Key = velm::Type_Trace + 1;

bool Has(const std::string& line, const char* key) {
    return line.find(key) != std::string::npos;
}

bool In_Range(int v, int count) {
    return v >= 0 && v < count;
}

bool Is_Mask(int v, int bits) {
    return v >= 0 && v < (1 << bits);
}

// A list-chosen number: the first entry whose value is the number or more.
bool Read_List(const std::string& line, std::span<const int> values, int& index) {
    int v;
    if (!Read_Number(line, v)) return false;
    int i = List_Index_For(values, v);
    if (i < 0) return false;
    index = i;
    return true;
}

// A folder value: non-empty, with a trailing "\".
bool Read_Folder(const std::string& line, std::string& folder) {
    std::string path;
    if (!Read_Path(line, path) || path.empty()) return false;
    if (path.back() != '\\') path += '\\';
    folder = path;
    return true;
}

// The line without its comment. A "#" inside double quotes belongs to a path.
std::string Without_Comment(std::string_view raw) {
    std::string_view line = raw.substr(0, std::min(raw.size(), Max_Line));
    std::size_t nul = line.find('\0');
    if (nul != std::string_view::npos) line = line.substr(0, nul);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == '#' && !quoted) return std::string(line.substr(0, i));
    }
    return std::string(line);
}

} // namespace

void Preference_Reset(Preferences& prefs) {
    int suggested = prefs.Drivers.Suggested_Context;
    prefs = Preferences{};
    prefs.Drivers.Suggested_Context = suggested;
}

void Preference_Read_Basic(Basic_Values& b, const std::string& line) {
    int v;
    if (Has(line, "interface_size") && Read_Number(line, v) && In_Range(v, 3)) {
        b.check_size = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: check_size.Cur_Value=%d", b.check_size);
    }
    if (Has(line, "undo_nb") && Read_List(line, Undo_Nb_Values, b.select_undo)) {
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: select_undo.Cur_Value=%d",
                  b.select_undo);
    }
    if (Has(line, "undo_size") && Read_List(line, Undo_Size_Values, b.select_undo_size)) {
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: select_undo_size.Cur_Value=%d",
                  b.select_undo_size);
    }
    if (Has(line, "scratch_dir") && Read_Folder(line, b.Scratch_Dir)) {
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: Scratch_Dir=%s", b.Scratch_Dir.c_str());
    }
    if (Has(line, "default_dir") && Read_Folder(line, b.Default_Dir)) {
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: Default_Dir=%s", b.Default_Dir.c_str());
    }
    std::string script;
    if (Has(line, "start_script") && Read_Path(line, script)) {
        // An empty value clears the start-up script; a path switches it on.
        b.Start_Script = script;
        b.Start_Script_On = !script.empty();
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: Start_Script=%s",
                  b.Start_Script.c_str());
    }
    if (Has(line, "_2D_tools") && Read_Number(line, v) && Is_Mask(v, 15)) {
        b.check_2D_tools = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: check_2D_tools.Cur_Value=0x%02x", v);
    }
    if (Has(line, "_2D_overlays") && Read_Number(line, v) && Is_Mask(v, 4)) {
        b.check_2D_overlay = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: check_2D_overlay.Cur_Value=0x%02x", v);
    }
}

void Preference_Read_TAG(TAG_Values& t, const std::string& line) {
    int v;
    if (Has(line, "TAG_placement")) {
        bool changed = true;
        if (!Read_Number(line, v)) {
            t.check_tag = 1; // repository, sub-folders per patient
            t.check_rep = 4;
        } else if (v == 0) {
            t.check_tag = 0;
        } else if (v == 1 || v == 3 || v == 5 || v == 7) {
            t.check_tag = 1;
            t.check_rep = (v & 6) != 0 ? (v & 6) : 1; // bit 0 of the list is "None"
        } else {
            changed = false; // 2, 4, 6 (no repository bit) and values above 7
        }
        if (changed) {
            Error_Fct(hwnd, Trace_Key,
                      "Preference_Read_TAG: check_tag.Cur_Value=%d check_rep.Cur_Value=%d",
                      t.check_tag, t.check_rep);
        }
    }
    if (Has(line, "TAG_repository") && Read_Folder(line, t.Repository)) {
        Error_Fct(hwnd, Trace_Key, "Preference_Read_TAG: Repository=%s", t.Repository.c_str());
    }
    if (Has(line, "TAG_autosave") && Read_List(line, Autosave_Values, t.select_autosave)) {
        Error_Fct(hwnd, Trace_Key, "Preference_Read_TAG: select_autosave.Cur_Value=%d",
                  t.select_autosave);
    }
    if (Has(line, "TAG_nb") && Read_List(line, Tag_Nb_Values, t.select_nb_tag)) {
        Error_Fct(hwnd, Trace_Key, "Preference_Read_TAG: select_nb_tag.Cur_Value=%d",
                  t.select_nb_tag);
    }
    if (Has(line, "DB_surf") && Read_Number(line, v) && Is_Mask(v, 8)) {
        t.check_db_surf = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_TAG: check_db_surf.Cur_Value=%d", v);
    }
    if (Has(line, "units_surf") && Read_Number(line, v) && In_Range(v, 5)) {
        t.check_units_surf = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_TAG: check_units_surf.Cur_Value=%d", v);
    }
    if (Has(line, "units_vol") && Read_Number(line, v) && In_Range(v, 5)) {
        t.check_units_vol = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_TAG: check_units_vol.Cur_Value=%d", v);
    }
}

void Preference_Read_3D(Values_3D& d, const std::string& line) {
    int v;
    // The valuator runs from 0.01 to 100: 10 to 100000 thousandths.
    if (Has(line, "graphic_speed") && Read_Number(line, v) && v >= 10 && v <= 100000) {
        d.val_speed = v * 0.001;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_TAG: val_speed.Cur_Value=%f", d.val_speed);
    }
    if (Has(line, "_3D_tools") && Read_Number(line, v) && Is_Mask(v, 14)) {
        d.check_3D_tools = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: check_3D_tools.Cur_Value=0x%02x", v);
    }
    if (Has(line, "_3D_overlays") && Read_Number(line, v) && Is_Mask(v, 4)) {
        d.check_3D_overlay = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: check_3D_overlay.Cur_Value=0x%02x", v);
    }
    if (Has(line, "mouse") && Read_Number(line, v) && In_Range(v, 3)) {
        d.check_3D_interface = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Basic: check_3D_interface.Cur_Value=0x%02x", v);
    }
}

void Preference_Read_Drivers(Drivers_Values& drv, const std::string& line) {
    int v;
    if (Has(line, "graphic_context") && Read_Number(line, v) && v > 0) {
        drv.Graphic_Context = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Drivers: Graphic_Context=%d", v);
    }
}

void Preference_Read_Bug(Bug_Values& bug, const std::string& line) {
    int v;
    // Workaround flags need a word before the key ("bug:" when written).
    if ((Has(line, "square_pixel") || Has(line, "Square_Pixel")) && Scan_Number(line, 2, v)) {
        bug.Square_Pixel = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Bug: Square_Pixel=%d", v);
    }
    if ((Has(line, "redraw") || Has(line, "Redraw")) && Scan_Number(line, 2, v)) {
        bug.Redraw = v;
        Error_Fct(hwnd, Trace_Key, "Preference_Read_Bug: Redraw=%d", v);
    }
}

void Preference_Read_Line(Preferences& prefs, std::string_view raw) {
    std::string line = Without_Comment(raw);
    if (line.find_first_not_of(" \t\r\n") == std::string::npos) return;
    Error_Fct(hwnd, Trace_Line, "Preference_Read: (%s)", line.c_str());
    Preference_Read_Basic(prefs.Basic, line);
    Preference_Read_TAG(prefs.TAG, line);
    Preference_Read_3D(prefs.Module_3D, line);
    Preference_Read_Drivers(prefs.Drivers, line);
    Preference_Read_Bug(prefs.Bug, line);
}

void Preference_Read_Text(Preferences& prefs, std::string_view text) {
    for (const std::string& line : SplitLines(text))
        Preference_Read_Line(prefs, line);
}

} // namespace zk::qcfg
