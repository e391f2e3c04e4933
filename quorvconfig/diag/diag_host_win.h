// Windows services of the message handler: message boxes, the ring message to
// the window, console output, computer facts for the trace header. Also opens
// the console that a traced run prints on.
#pragma once
#include "quorvconfig/diag/my_error_fct.h"

#include <functional>

namespace zk::qcfg {

class Win_Diagnostic_Host : public Diagnostic_Host {
  public:
    bool Message_Box(velm::Velm_Window owner, const std::string& text, const std::string& caption,
                     Box_Kind kind) override;
    velm::Velm_Window Active_Window() override;
    void Post_Ring_Message(velm::Velm_Window window) override;
    void Console_Write(const std::string& text) override;
    Computer_Info Get_Computer_Info() override;
    void Status_Overwrite(const std::string& text) override;

    // Set by the window that owns the status text.
    std::function<void(const std::string&)> On_Status_Overwrite;
};

// Opens a console window and sends the standard output there, unbuffered.
// False when no console could be had.
bool Open_Trace_Console();

} // namespace zk::qcfg
