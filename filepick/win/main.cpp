// filepick: shows the Open or Save dialog for a kind of file and appends the
// script lines describing the choice to the output file.
#include <windows.h>

#include "filepick/core/options.h"
#include "filepick/core/pick_run.h"
#include "filepick/win/win_picker.h"

int main() {
    std::vector<std::string> tokens = zk::filepick::TokenizeCommandLine(GetCommandLineA());
    if (!tokens.empty()) tokens.erase(tokens.begin()); // the program's own name
    zk::filepick::WinPicker picker;
    return zk::filepick::RunFilePick(zk::filepick::ParseOptions(tokens), picker);
}
