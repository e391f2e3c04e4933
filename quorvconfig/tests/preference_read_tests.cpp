#include "quorvconfig/prefs/preference_file.h"
#include "quorvconfig/tests/test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace zk::qcfg::test {
namespace {

struct Read_Case {
    const char* Name;
    std::string Text;
    // Turns the defaults into the expected values; everything else must stay.
    std::function<void(Preferences&)> Expect;
};

void PrintTo(const Read_Case& c, std::ostream* os) {
    *os << c.Name;
}

class PreferenceReadTest : public ::testing::TestWithParam<Read_Case> {};

TEST_P(PreferenceReadTest, ReadsTheLinesIntoTheModuleValues) {
    Recorder recorder;
    Preferences read;
    Preference_Read_Text(read, GetParam().Text);
    Preferences expected;
    GetParam().Expect(expected);
    EXPECT_EQ(read, expected);
    EXPECT_TRUE(recorder.Reports().empty()) << "reading reports nothing but trace entries";
}

std::string Long_Line() {
    std::string line = "set: TAG_nb 64";
    line.resize(2047, ' ');
    return line + "set: undo_size 1";
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, PreferenceReadTest,
    ::testing::Values(
        Read_Case{"UndoSizeWithoutSetSelectsNextEntry", "set: undo_size 1\nundo_size 7\n",
                  [](Preferences& p) { p.Basic.select_undo_size = 3; }},
        Read_Case{"UndoSizeAboveLastEntryKeepsSelection", "set: undo_size 2\nset: undo_size 500\n",
                  [](Preferences& p) { p.Basic.select_undo_size = 1; }},
        Read_Case{"CommentAfterValue", "set: TAG_nb 64 # more\n",
                  [](Preferences& p) { p.TAG.select_nb_tag = 2; }},
        Read_Case{"CommentedOutKeyIsIgnored", "# set: undo_nb 3\n   # set: TAG_nb 16\n",
                  [](Preferences&) {}},
        Read_Case{"PlacementSixChangesNothing",
                  "set: TAG_placement_mode 0\nset: TAG_placement_mode 6\n",
                  [](Preferences& p) { p.TAG.check_tag = 0; }},
        Read_Case{"PlacementWithoutNumberSelectsRepositoryPerPatient",
                  "set: TAG_placement_mode 3\nset: TAG_placement_mode x\n",
                  [](Preferences& p) { p.TAG.check_rep = 4; }},
        Read_Case{"PlacementOneIsRepositoryWithoutSubFolders", "set: TAG_placement_mode 1\n",
                  [](Preferences& p) { p.TAG.check_rep = 1; }},
        Read_Case{"PlacementSevenIsPerUserAndPatient",
                  "set: TAG_placement_mode 0\nset: TAG_placement_mode 7\n",
                  [](Preferences& p) { p.TAG.check_rep = 6; }},
        Read_Case{"PlacementAboveSevenIgnored",
                  "set: TAG_placement_mode 3\nset: TAG_placement_mode 9\n",
                  [](Preferences& p) { p.TAG.check_rep = 2; }},
        Read_Case{"SquarePixelNeedsPrefixWord", "square_pixel 1\nredraw 1\n", [](Preferences&) {}},
        Read_Case{"WorkaroundFlagsWithPrefixWord", "bug: square_pixel 1 \nbug: Redraw 1\n",
                  [](Preferences& p) {
                      p.Bug.Square_Pixel = 1;
                      p.Bug.Redraw = 1;
                  }},
        Read_Case{"MouseInPathIsNoMouseValue", "set: default_dir \"C:\\mouse data\\\"\n",
                  [](Preferences& p) { p.Basic.Default_Dir = "C:\\mouse data\\"; }},
        Read_Case{"QuotedPathsGetTrailingBackslash",
                  "set: scratch_dir \"D:\\Scratch Files\"\nTAG_repository E:\\Tags\n",
                  [](Preferences& p) {
                      p.Basic.Scratch_Dir = "D:\\Scratch Files\\";
                      p.TAG.Repository = "E:\\Tags\\";
                  }},
        Read_Case{"HashInsideQuotedPathIsNoComment",
                  "set: default_dir \"C:\\C# work\\\" # comment\n",
                  [](Preferences& p) { p.Basic.Default_Dir = "C:\\C# work\\"; }},
        Read_Case{"EmptyOrQuoteHoldingFolderIgnored",
                  "set: default_dir \"\"\nset: scratch_dir\nset: TAG_repository a\"b\n",
                  [](Preferences&) {}},
        Read_Case{"StartScriptSwitchesOn", "set: start_script \"C:\\My Scripts\\go.scp\"\n",
                  [](Preferences& p) {
                      p.Basic.Start_Script = "C:\\My Scripts\\go.scp";
                      p.Basic.Start_Script_On = true;
                  }},
        Read_Case{"EmptyStartScriptClears",
                  "set: start_script \"C:\\go.scp\"\nset: start_script \"\"\n",
                  [](Preferences&) {}},
        Read_Case{"ListNumbersSelectFirstEntryNotBelow",
                  "set: undo_nb 0\nset: TAG_autosave 20\nset: TAG_nb 100\nset: undo_nb 11\n",
                  [](Preferences& p) {
                      p.Basic.select_undo = 0;
                      p.TAG.select_autosave = 5;
                      p.TAG.select_nb_tag = 3;
                  }},
        Read_Case{"IndexesAndMasksOutsideTheirListsIgnored",
                  "set: interface_size 3\nset: start_2D_tools 32768\nset: units_surf 5\n"
                  "set: mouse_control -1\nset: start_3D_overlays 16\nset: graphic_speed 5\n",
                  [](Preferences&) {}},
        Read_Case{"MasksAndIndexesInRange",
                  "set: interface_size 0\nset: start_2D_tools 32767\nset: start_2D_overlays 15\n"
                  "set: DB_surf_export 255\nset: units_surf 4\nset: units_vol 3\n"
                  "set: start_3D_tools 16383\nset: start_3D_overlays 0\nset: mouse_control 2\n",
                  [](Preferences& p) {
                      p.Basic.check_size = 0;
                      p.Basic.check_2D_tools = 32767;
                      p.Basic.check_2D_overlay = 15;
                      p.TAG.check_db_surf = 255;
                      p.TAG.check_units_surf = 4;
                      p.TAG.check_units_vol = 3;
                      p.Module_3D.check_3D_tools = 16383;
                      p.Module_3D.check_3D_overlay = 0;
                      p.Module_3D.check_3D_interface = 2;
                  }},
        Read_Case{"DbVolExportIsNotRead", "set: DB_vol_export 5\n", [](Preferences&) {}},
        Read_Case{"GraphicSpeedInThousandths", "graphic_speed 2500\n",
                  [](Preferences& p) { p.Module_3D.val_speed = 2500 * 0.001; }},
        Read_Case{"GraphicContextZeroIgnored", "set: graphic_context 4\nset: graphic_context 0\n",
                  [](Preferences& p) { p.Drivers.Graphic_Context = 4; }},
        Read_Case{"CrLfLinesAndHugeNumbers",
                  "set: units_vol 2\r\nset: TAG_nb 99999999999999999999\r\nset: undo_nb -7\r\n",
                  [](Preferences& p) {
                      p.TAG.check_units_vol = 2;
                      p.Basic.select_undo = 0;
                  }},
        Read_Case{"LineCutAt2047Characters", Long_Line(),
                  [](Preferences& p) { p.TAG.select_nb_tag = 2; }}),
    [](const ::testing::TestParamInfo<Read_Case>& info) { return info.param.Name; });

TEST(PreferenceRead, TracesTheLineAndEachRecognisedKey) {
    Recorder recorder;
    Preferences p;
    Preference_Read_Text(p, "set: undo_size 50 # big\nset: TAG_placement_mode 3\nno key here\n");
    std::vector<Entry> traces;
    for (const Entry& e : recorder.Entries())
        if (e.Type >= velm::Type_Trace) traces.push_back({e.Type, e.Text});
    const std::vector<Entry> expected = {
        {11, "Preference_Read: (set: undo_size 50 )"},
        {12, "Preference_Read_Basic: select_undo_size.Cur_Value=4"},
        {11, "Preference_Read: (set: TAG_placement_mode 3)"},
        {12, "Preference_Read_TAG: check_tag.Cur_Value=1 check_rep.Cur_Value=2"},
        {11, "Preference_Read: (no key here)"},
    };
    EXPECT_EQ(traces, expected);
}

TEST(PreferenceRead, ResetRestoresDefaultsButKeepsTheSuggestedFormat) {
    Preferences p;
    Preference_Read_Text(p, "set: undo_nb 3\nset: graphic_context 9\n");
    p.Drivers.Suggested_Context = 7;
    Preference_Reset(p);
    Preferences expected;
    expected.Drivers.Suggested_Context = 7;
    EXPECT_EQ(p, expected);
}

} // namespace
} // namespace zk::qcfg::test
