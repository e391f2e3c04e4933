#include "quorvconfig/prefs/preference_file.h"
#include "quorvconfig/prefs/preference_lists.h"

#include <cmath>
#include <span>

namespace zk::qcfg {

namespace {

const char* const Crlf = "\r\n";
const char* const Rule =
    "# --------------------------------------------------------------------- #";

std::string Set_Line(const char* key, const std::string& value) {
    return std::string("set: ") + key + " " + value + " " + Crlf;
}
std::string Set_Line(const char* key, int value) {
    return Set_Line(key, std::to_string(value));
}
std::string Set_Path(const char* key, const std::string& path) {
    return Set_Line(key, "\"" + path + "\"");
}

// The value of the selected list entry; a selection outside the list writes
// the first entry.
int List_Value(std::span<const int> values, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < values.size() ? values[index]
                                                                         : values[0];
}

std::string Section(const char* banner) {
    return std::string(Crlf) + Crlf + Rule + Crlf + banner + Crlf + Rule + Crlf + Crlf;
}

// Thousandths of the speed; the small margin keeps a speed read as N x 0.001
// from being written as N - 1.
int Speed_Value(double speed) {
    return static_cast<int>(std::floor(speed * 1000.0 + 1e-6));
}

} // namespace

std::string Preference_Lines_Basic(const Basic_Values& b) {
    return Set_Line("interface_size", b.check_size) +
           Set_Line("undo_nb", List_Value(Undo_Nb_Values, b.select_undo)) +
           Set_Line("undo_size", List_Value(Undo_Size_Values, b.select_undo_size)) +
           Set_Path("default_dir", b.Default_Dir) + Set_Path("scratch_dir", b.Scratch_Dir) +
           Set_Path("start_script", b.Start_Script_On ? b.Start_Script : "") +
           Set_Line("start_2D_tools", b.check_2D_tools) +
           Set_Line("start_2D_overlays", b.check_2D_overlay);
}

std::string Preference_Lines_TAG(const TAG_Values& t) {
    std::string lines = Set_Line("TAG_placement_mode", Tag_Placement_Mode(t));
    if (t.check_tag != 0) lines += Set_Path("TAG_repository", t.Repository);
    lines += Set_Line("TAG_autosave", List_Value(Autosave_Values, t.select_autosave));
    lines += Set_Line("TAG_nb", List_Value(Tag_Nb_Values, t.select_nb_tag));
    lines += Set_Line("DB_surf_export", t.check_db_surf);
    lines += Set_Line("DB_vol_export", t.check_db_surf);
    lines += Set_Line("units_surf", t.check_units_surf);
    lines += Set_Line("units_vol", t.check_units_vol);
    return lines;
}

std::string Preference_Lines_3D(const Values_3D& d) {
    return Set_Line("graphic_speed", Speed_Value(d.val_speed)) +
           Set_Line("start_3D_tools", d.check_3D_tools) +
           Set_Line("start_3D_overlays", d.check_3D_overlay) +
           Set_Line("mouse_control", d.check_3D_interface);
}

std::string Preference_Format_File(const Preferences& prefs, const std::tm& created) {
    char date[64];
    std::size_t n = std::strftime(date, sizeof date, "%d %b %Y %H:%M", &created);
    date[n] = '\0';

    std::string out;
    auto line = [&out](const std::string& text) { out += text + Crlf; };
    line(Rule);
    line("# --- Quorvix configuration file                                     -- #");
    line(std::string("# --- created: ") + date + "                                     -- #");
    line(Rule);
    line("# ---                             WARNING                            -- #");
    line("# --- This file is created by the preferences program. If you change -- #");
    line("# --- something in this file, it will be lost the next time you run  -- #");
    line("# --- the preferences program.                                       -- #");
    line(Rule);
    out += Crlf;

    out += Section("# --- BASIC Module:                                                  -- #");
    out += Preference_Lines_Basic(prefs.Basic);
    out += Section("# --- TAG Module:                                                    -- #");
    out += Preference_Lines_TAG(prefs.TAG);
    out += Section("# --- 3D Module:                                                     -- #");
    out += Preference_Lines_3D(prefs.Module_3D);
    if (prefs.Drivers.Graphic_Context != prefs.Drivers.Suggested_Context) {
        out += Section("# --- Drivers Module:                                                -- #");
        out += Set_Line("graphic_context", prefs.Drivers.Graphic_Context);
    }

    out += std::string(Crlf) + Crlf;
    line(Rule);
    line("# --- Bug workaround:                                                -- #");
    line("# --- These flags are use to enable workarounds for some known bugs  -- #");
    line(Rule);
    out += Crlf;
    line("# --- Square_Pixel --- ");
    line("# Some OpenGL cards have problems with non-square pixels.  Setting this");
    line("# flag to 1 will force all pixel to be square");
    line("bug: square_pixel " + std::to_string(prefs.Bug.Square_Pixel) + " ");
    out += Crlf;
    line("# --- Windows 7 Missing refresh --- ");
    line("# Under some Windows-7 cards, the image is improperly refreshed.  Setting this");
    line("# flag to 1 will force a complete image refresh for each pixel changed");
    line("bug: redraw " + std::to_string(prefs.Bug.Redraw) + " ");
    out += Crlf;
    return out;
}

std::string Preference_Format_Pipe(const Preferences& prefs) {
    return std::string(Crlf) + Preference_Lines_Basic(prefs.Basic) + Crlf +
           Preference_Lines_TAG(prefs.TAG) + Crlf + Preference_Lines_3D(prefs.Module_3D) + Crlf;
}

} // namespace zk::qcfg
