// The editor's message handler and log files.
// My_Error_Fct is installed in User_Error_Fct: per message type and per trace
// and audit setting it shows a message box, prints on the console, appends to
// the trace, audit or error-log file, fills the in-memory message ring, or
// replaces the status line. Write_Trace_Header starts a traced run's trace file.
// Platform services (boxes, window messages, console, computer facts, clock)
// come from a Diagnostic_Host: the Windows layer provides one, tests fake it.
#pragma once
#include "quorvconfig/velmora_util/velmora_util.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace zk::qcfg {

enum class Box_Kind { Error, Question };

enum class Platform_Kind { Win32s, Windows_9x, Windows_NT };

// What the trace header tells about the computer.
struct Computer_Info {
    bool Has_Name = false;
    std::string Computer_Name;
    bool Has_Version = false;
    Platform_Kind Platform = Platform_Kind::Windows_NT;
    unsigned Major = 0, Minor = 0, Build = 0;
    bool Has_Service_Pack = false;
    unsigned Service_Pack_Major = 0, Service_Pack_Minor = 0;
    unsigned Processors = 0, Processor_Type = 0, Oem_Id = 0;
};

class Diagnostic_Host {
  public:
    virtual ~Diagnostic_Host() = default;
    // Shows a modal box; for a question, true when the user answered Yes.
    // An empty caption means the system's default caption.
    virtual bool Message_Box(velm::Velm_Window owner, const std::string& text,
                             const std::string& caption, Box_Kind kind) = 0;
    virtual velm::Velm_Window Active_Window() = 0;
    // Tells the window that a new ring entry is there (message WM_USER + 1).
    virtual void Post_Ring_Message(velm::Velm_Window window) = 0;
    virtual void Console_Write(const std::string& text) = 0;
    virtual Computer_Info Get_Computer_Info() = 0;
    // Replaces the last line of the status text; hosts without one ignore it.
    virtual void Status_Overwrite(const std::string& text) { (void)text; }
    virtual std::tm Local_Time();
};

// The host used by My_Error_Fct and Write_Trace_Header (not owned).
void Set_Diagnostic_Host(Diagnostic_Host* host);
Diagnostic_Host* Get_Diagnostic_Host();

int My_Error_Fct(velm::Velm_Window window, int type, const char* text);

// Text as written to console, files and boxes: drops codes below 6 and from
// 240 up (the text widget's mark-up) and control characters other than tab
// and line breaks.
std::string Clean_Text(const std::string& text);

// Opens the file for appending (binary; entries end with CR LF), creating its
// folder; a name without folder lives in Velm_Scratch_Dir; with a size limit
// the first numbered file below the limit is used. nullptr on failure.
std::FILE* Open_For_Append(const std::string& fileName);
// The name Open_For_Append would use now.
std::string Append_File_Name(const std::string& fileName);

// Deletes the unnumbered trace file and writes the header (trace level not 0).
void Write_Trace_Header();

// Forgets the once-per-run marks (error-log banner written, folder box shown).
void Reset_Diagnostics();

} // namespace zk::qcfg
