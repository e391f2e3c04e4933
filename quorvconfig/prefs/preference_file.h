// The preference file "Quorv.ini" in "%APPDATA%\Velmora\": reading it line by
// line into the module values, writing it in full, and the pipe lines sent to
// the running application. Diagnostics go through Error_Fct (trace entries per
// recognised key; error-log and warning entries for the failures).
#pragma once
#include "quorvconfig/prefs/preferences.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

namespace zk::qcfg {

// Every module's defaults; the suggested pixel format (system knowledge) stays.
void Preference_Reset(Preferences& prefs);

// One line of the file: comment removed, then offered to every reader in the
// order BASIC, TAG, 3D, Drivers, workarounds. Lines are cut at 2047 characters.
void Preference_Read_Line(Preferences& prefs, std::string_view line);
// The module readers, each on a line without comment.
void Preference_Read_Basic(Basic_Values& basic, const std::string& line);
void Preference_Read_TAG(TAG_Values& tag, const std::string& line);
void Preference_Read_3D(Values_3D& values, const std::string& line);
void Preference_Read_Drivers(Drivers_Values& drivers, const std::string& line);
void Preference_Read_Bug(Bug_Values& bug, const std::string& line);
// All lines of a file's text (CR LF, LF or CR breaks).
void Preference_Read_Text(Preferences& prefs, std::string_view text);

// The file's path ("%s\%s\%s" from APPDATA, "Velmora", "Quorv.ini") and folder
// ("%s\%s\"); false, with error-log entries, when APPDATA is not set or empty.
bool Preference_Path(std::string& file, std::string& folder);

// Resets to the defaults and reads the file; a missing file keeps the defaults.
void Preference_Read(Preferences& prefs);
// Creates the folder, writes the file, then the pipe lines when `pipe` is not
// nullptr (written unbuffered). False, with diagnostics, on any failure.
bool Preference_Write(const Preferences& prefs, std::FILE* pipe);

// The "set:" lines of a module, each ended by CR LF.
std::string Preference_Lines_Basic(const Basic_Values& basic);
std::string Preference_Lines_TAG(const TAG_Values& tag);
std::string Preference_Lines_3D(const Values_3D& values);
// The whole file text with its creation date.
std::string Preference_Format_File(const Preferences& prefs, const std::tm& created);
// What the pipe gets on apply.
std::string Preference_Format_Pipe(const Preferences& prefs);

} // namespace zk::qcfg
