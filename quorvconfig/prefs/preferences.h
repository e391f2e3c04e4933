// The preference values of the four editor modules and the workaround flags,
// with their defaults. Field names follow the editor's widgets; list-chosen
// values are indexes into the lists of preference_lists.h.
#pragma once
#include <string>

namespace zk::qcfg {

struct Basic_Values {
    int check_size = 2;       // Small, Medium, Large
    int select_undo = 10;     // index into Undo_Nb_Values: 10 levels
    int select_undo_size = 3; // index into Undo_Size_Values: 10 MB
    std::string Default_Dir = ".";
    std::string Scratch_Dir = "C:\\Temp\\";
    std::string Start_Script;     // kept while switched off
    bool Start_Script_On = false; // off: the file gets an empty start_script
    int check_2D_tools = 11;      // mask over Tools_2D_Items
    int check_2D_overlay = 2;     // mask over Overlays_2D_Items
    bool operator==(const Basic_Values&) const = default;
};

struct TAG_Values {
    int check_tag = 1; // 0 With GLI Images, 1 In central Repository
    int check_rep = 4; // mask: None (bit 0), Per user (bit 1), Per patient (bit 2)
    std::string Repository = "C:\\TAG_Repository\\";
    int select_autosave = 0; // index into Autosave_Values
    int select_nb_tag = 3;   // index into Tag_Nb_Values: 128
    int check_db_surf = 1;   // mask over DB_Info_Items
    int check_units_surf = 0;
    int check_units_vol = 0;
    bool operator==(const TAG_Values&) const = default;
};

struct Values_3D {
    double val_speed = 1.0;     // graphic card speed, 0.01 to 100
    int check_3D_tools = 7;     // mask over Tools_3D_Items
    int check_3D_overlay = 3;   // mask over Overlays_3D_Items
    int check_3D_interface = 0; // mouse control: Track Ball, Classic, Patient Axis
    bool operator==(const Values_3D&) const = default;
};

struct Drivers_Values {
    int Graphic_Context = 0;   // chosen pixel format; 0 until one is read or chosen
    int Suggested_Context = 0; // the format the system suggests; 0 until known
    bool operator==(const Drivers_Values&) const = default;
};

struct Bug_Values {
    int Square_Pixel = 0;
    int Redraw = 0;
    bool operator==(const Bug_Values&) const = default;
};

struct Preferences {
    Basic_Values Basic;
    TAG_Values TAG;
    Values_3D Module_3D;
    Drivers_Values Drivers;
    Bug_Values Bug;
    bool operator==(const Preferences&) const = default;
};

// The number written for TAG_placement_mode: 0, or 1 plus the sub-folder bits.
int Tag_Placement_Mode(const TAG_Values& tag);

} // namespace zk::qcfg
