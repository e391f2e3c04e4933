// Velmora_Util: the utility library the preferences editor is built on.
// Offers the message entry point Error_Fct (formats a text and hands it to the
// handler in User_Error_Fct), system error texts, a quote-aware tokenizer and
// string trimming, file and folder queries and creation, path splitting, and
// the library data shared with the editor (identity, trace and audit settings,
// log file names, the in-memory message ring).
// Paths are 8-bit ANSI text with "\" separators; the native build maps "\" to
// "/" when it touches the file system so that the same paths work in tests.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#if defined(__MINGW32__)
#define VELM_PRINTF(fmt, args) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, args)))
#else
#define VELM_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

namespace zk::velm {

// A window handle (HWND in the Windows build); nullptr for none.
using Velm_Window = void*;

// Message types of Error_Fct.
enum Error_Type : int {
    Type_Error = 1,
    Type_Warning = 2,
    Type_Question = 3,
    Type_Report = 4,
    Type_Audit = 5,
    Type_Thread = 6,
    Type_Errlog = 7,
    Type_Overwrite = 8,
    Type_Trace = 11, // 11 to 19: trace at depth 0 to 8
    Type_Trace_Last = 19,
};

// The message handler: (window, type, formatted text) -> result.
using Error_Handler = int (*)(Velm_Window window, int type, const char* text);

// Formats the text and passes it to User_Error_Fct; without a handler the
// text goes to the error output and the result is 1 (0 for a question).
int Error_Fct(Velm_Window window, int type, const char* format, ...) VELM_PRINTF(3, 4);

// Text of a run-time library error number (errno).
std::string Error_Perror(int errorNumber);
// Text of a system error code, 0 for the calling thread's last error
// (Windows build only).
std::string Error_Windows(std::uint32_t code);

// Next token of `text` (nullptr: continue the previous text), tokens split at
// any character of `separators`; a double-quoted part keeps its separators and
// its quotes. Modifies the text like strtok; the position is kept per thread.
char* Str_Strtok(char* text, const char* separators);
// Text without its enclosing double quotes (leading one, and trailing one when present).
std::string Str_Strip_Quotes(const std::string& text);
// Text without leading and trailing blanks, tabs and line breaks.
std::string Str_Strip_Spaces(const std::string& text);

bool Is_File(const std::string& path);
bool Is_Dir(const std::string& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool Create_Dir(const std::string& path);
// Splits a path into folder (with its trailing separator, or empty), base name
// and extension (with its dot, or empty).
void Get_Generic_Name(const std::string& path, std::string& folder, std::string& baseName,
                      std::string& extension);

// File access behind the functions above, for the library's users.
std::FILE* Velm_Open_File(const std::string& path, const char* mode);
// Size in bytes, -1 when the file does not exist.
std::int64_t Velm_Get_File_Size(const std::string& path);
bool Velm_Delete_File(const std::string& path);
// Value of an environment variable; false when it is not set.
bool Velm_Get_Env(const char* name, std::string& value);

// Library data, set by the program that uses the library.
extern Velm_Window hwnd;
extern std::string Prog_Name;
extern std::string Prog_Version;
extern std::string Prog_ID;
extern std::string Prog_Date;
extern std::string Inst_Path;
extern int Flag_Trace; // 0 off; >0 console and trace file; <0 trace file by severity
extern int Flag_Audit; // 0 off; 1 with date; 2 without date
extern std::string Velm_Trace_File;
extern std::string Velm_Audit_File;
extern std::string Velm_Log_File;
extern std::string Velm_Scratch_Dir;
extern std::int64_t Velm_File_Size; // size limit of numbered files; 0: one unnumbered file
extern Error_Handler User_Error_Fct;

// The message ring: 128 slots of 1024 bytes and the index of the next slot.
constexpr int T_Buf_Slots = 128;
constexpr int T_Buf_Slot_Size = 1024;
extern char T_Buf[T_Buf_Slots][T_Buf_Slot_Size];
extern int T_Buf_Write;

// Restores every library datum to its initial value (used by tests and at start).
void Velm_Reset_Data();

} // namespace zk::velm
