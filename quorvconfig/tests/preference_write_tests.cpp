#include "quorvconfig/prefs/preference_file.h"
#include "quorvconfig/tests/test_support.h"

#include <gtest/gtest.h>

namespace zk::qcfg::test {
namespace {

std::tm Created() {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 7;
    return t;
}

std::string Crlf(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n') out += '\r';
        out += *p;
    }
    return out;
}

// The file of the default values, written out by hand.
const char* const Default_File =
    "# --------------------------------------------------------------------- #\n"
    "# --- Quorvix configuration file                                     -- #\n"
    "# --- created: 05 Mar 2024 14:07                                     -- #\n"
    "# --------------------------------------------------------------------- #\n"
    "# ---                             WARNING                            -- #\n"
    "# --- This file is created by the preferences program. If you change -- #\n"
    "# --- something in this file, it will be lost the next time you run  -- #\n"
    "# --- the preferences program.                                       -- #\n"
    "# --------------------------------------------------------------------- #\n"
    "\n"
    "\n"
    "\n"
    "# --------------------------------------------------------------------- #\n"
    "# --- BASIC Module:                                                  -- #\n"
    "# --------------------------------------------------------------------- #\n"
    "\n"
    "set: interface_size 2 \n"
    "set: undo_nb 10 \n"
    "set: undo_size 10 \n"
    "set: default_dir \".\" \n"
    "set: scratch_dir \"C:\\Temp\\\" \n"
    "set: start_script \"\" \n"
    "set: start_2D_tools 11 \n"
    "set: start_2D_overlays 2 \n"
    "\n"
    "\n"
    "# --------------------------------------------------------------------- #\n"
    "# --- TAG Module:                                                    -- #\n"
    "# --------------------------------------------------------------------- #\n"
    "\n"
    "set: TAG_placement_mode 5 \n"
    "set: TAG_repository \"C:\\TAG_Repository\\\" \n"
    "set: TAG_autosave 0 \n"
    "set: TAG_nb 128 \n"
    "set: DB_surf_export 1 \n"
    "set: DB_vol_export 1 \n"
    "set: units_surf 0 \n"
    "set: units_vol 0 \n"
    "\n"
    "\n"
    "# --------------------------------------------------------------------- #\n"
    "# --- 3D Module:                                                     -- #\n"
    "# --------------------------------------------------------------------- #\n"
    "\n"
    "set: graphic_speed 1000 \n"
    "set: start_3D_tools 7 \n"
    "set: start_3D_overlays 3 \n"
    "set: mouse_control 0 \n"
    "\n"
    "\n"
    "# --------------------------------------------------------------------- #\n"
    "# --- Bug workaround:                                                -- #\n"
    "# --- These flags are use to enable workarounds for some known bugs  -- #\n"
    "# --------------------------------------------------------------------- #\n"
    "\n"
    "# --- Square_Pixel --- \n"
    "# Some OpenGL cards have problems with non-square pixels.  Setting this\n"
    "# flag to 1 will force all pixel to be square\n"
    "bug: square_pixel 0 \n"
    "\n"
    "# --- Windows 7 Missing refresh --- \n"
    "# Under some Windows-7 cards, the image is improperly refreshed.  Setting this\n"
    "# flag to 1 will force a complete image refresh for each pixel changed\n"
    "bug: redraw 0 \n"
    "\n";

TEST(PreferenceWrite, DefaultFileHasTheExactLayout) {
    EXPECT_EQ(Preference_Format_File(Preferences{}, Created()), Crlf(Default_File));
}

TEST(PreferenceWrite, DriversSectionOnlyWhenTheChosenFormatDiffers) {
    const std::string drivers =
        Crlf("\n\n"
             "# --------------------------------------------------------------------- #\n"
             "# --- Drivers Module:                                                -- #\n"
             "# --------------------------------------------------------------------- #\n"
             "\n"
             "set: graphic_context 4 \n");
    Preferences p;
    p.Drivers.Suggested_Context = 4;
    p.Drivers.Graphic_Context = 4;
    std::string same = Preference_Format_File(p, Created());
    EXPECT_EQ(same.find("Drivers"), std::string::npos);
    EXPECT_EQ(same.find("graphic_context"), std::string::npos);

    // Reading the file back selects the suggested format again.
    Preferences back;
    back.Drivers.Suggested_Context = 4;
    Preference_Read_Text(back, same);
    EXPECT_EQ(back.Drivers.Graphic_Context, 0);

    p.Drivers.Graphic_Context = 2;
    p.Drivers.Suggested_Context = 9;
    std::string differs = Preference_Format_File(p, Created());
    std::string withSection = Crlf(Default_File);
    std::size_t bug = withSection.find(Crlf("\n\n# ----------------------------------------------"
                                            "----------------------- #\n# --- Bug"));
    ASSERT_NE(bug, std::string::npos);
    std::string driversTwo = drivers;
    driversTwo.replace(driversTwo.find("4 "), 1, "2");
    withSection.insert(bug, driversTwo);
    EXPECT_EQ(differs, withSection);
}

TEST(PreferenceWrite, ModuleLinesFollowTheChoices) {
    Basic_Values b;
    b.check_size = 1;
    b.select_undo = 0; // None
    b.select_undo_size = 5;
    b.Default_Dir = "D:\\Images\\";
    b.Scratch_Dir = "D:\\Scratch Files\\";
    b.Start_Script = "C:\\go.scp";
    b.Start_Script_On = false; // switched off: written empty
    b.check_2D_tools = 0x7FFF;
    b.check_2D_overlay = 15;
    EXPECT_EQ(Preference_Lines_Basic(b), Crlf("set: interface_size 1 \n"
                                              "set: undo_nb 0 \n"
                                              "set: undo_size 100 \n"
                                              "set: default_dir \"D:\\Images\\\" \n"
                                              "set: scratch_dir \"D:\\Scratch Files\\\" \n"
                                              "set: start_script \"\" \n"
                                              "set: start_2D_tools 32767 \n"
                                              "set: start_2D_overlays 15 \n"));
    TAG_Values t;
    t.check_tag = 0; // With GLI Images: mode 0, no repository line
    t.check_rep = 6;
    t.select_autosave = 0; // Disabled
    t.select_nb_tag = 4;
    t.check_db_surf = 0x81;
    t.check_units_surf = 3;
    t.check_units_vol = 4;
    EXPECT_EQ(Preference_Lines_TAG(t), Crlf("set: TAG_placement_mode 0 \n"
                                            "set: TAG_autosave 0 \n"
                                            "set: TAG_nb 256 \n"
                                            "set: DB_surf_export 129 \n"
                                            "set: DB_vol_export 129 \n"
                                            "set: units_surf 3 \n"
                                            "set: units_vol 4 \n"));
    t.check_tag = 1;
    t.check_rep = 1; // "None"
    EXPECT_EQ(Preference_Lines_TAG(t).substr(0, 26), "set: TAG_placement_mode 1 ");
    t.check_rep = 2;
    EXPECT_EQ(Preference_Lines_TAG(t).substr(0, 26), "set: TAG_placement_mode 3 ");
}

TEST(PreferenceWrite, PipeGetsBasicTagAnd3DLinesBetweenLineBreaks) {
    Preferences p;
    p.TAG.check_tag = 0;
    p.Drivers.Graphic_Context = 3;
    p.Bug.Square_Pixel = 1;
    std::string expected = "\r\n" + Preference_Lines_Basic(p.Basic) + "\r\n" +
                           Crlf("set: TAG_placement_mode 0 \n"
                                "set: TAG_autosave 0 \n"
                                "set: TAG_nb 128 \n"
                                "set: DB_surf_export 1 \n"
                                "set: DB_vol_export 1 \n"
                                "set: units_surf 0 \n"
                                "set: units_vol 0 \n") +
                           "\r\n" +
                           Crlf("set: graphic_speed 1000 \n"
                                "set: start_3D_tools 7 \n"
                                "set: start_3D_overlays 3 \n"
                                "set: mouse_control 0 \n") +
                           "\r\n";
    EXPECT_EQ(Preference_Format_Pipe(p), expected);
}

TEST(PreferenceWrite, EveryGraphicSpeedSurvivesWriteAndRead) {
    int failures = 0;
    for (int n = 10; n <= 100000; ++n) {
        Preferences p;
        Preference_Read_Line(p, "set: graphic_speed " + std::to_string(n));
        std::string line = Preference_Lines_3D(p.Module_3D);
        if (line.compare(0, line.find(" \r\n"), "set: graphic_speed " + std::to_string(n)) != 0)
            ++failures;
    }
    EXPECT_EQ(failures, 0);
}

} // namespace
} // namespace zk::qcfg::test
