#include "quorvconfig/velmora_util/velmora_util.h"

#include <cstring>

namespace zk::velm {

Velm_Window hwnd = nullptr;
std::string Prog_Name;
std::string Prog_Version;
std::string Prog_ID;
std::string Prog_Date;
std::string Inst_Path;
int Flag_Trace = 0;
int Flag_Audit = 0;
std::string Velm_Trace_File;
std::string Velm_Audit_File;
std::string Velm_Log_File;
std::string Velm_Scratch_Dir;
std::int64_t Velm_File_Size = 0;
Error_Handler User_Error_Fct = nullptr;
char T_Buf[T_Buf_Slots][T_Buf_Slot_Size];
int T_Buf_Write = 0;

namespace {
// Library defaults: files without a folder live in the scratch folder.
struct Initial_Data {
    Initial_Data() { Velm_Reset_Data(); }
} initialData;
} // namespace

void Velm_Reset_Data() {
    hwnd = nullptr;
    Prog_Name = "Velmora";
    Prog_Version = "";
    Prog_ID = "";
    Prog_Date = "";
    Inst_Path = "";
    Flag_Trace = 0;
    Flag_Audit = 0;
    Velm_Trace_File = "Velmora_trace.dat";
    Velm_Audit_File = "Velmora_audit.dat";
    Velm_Log_File = "Velmora_error.log";
    Velm_Scratch_Dir = "C:\\Temp\\";
    Velm_File_Size = 0;
    User_Error_Fct = nullptr;
    std::memset(T_Buf, 0, sizeof T_Buf);
    T_Buf_Write = 0;
}

} // namespace zk::velm
