// The engine-wide start-up record: values computed once at start and read by
// every later phase, owned by the main program for the whole run.
#pragma once
#include <string>

#include "engine/script/script_image.h"
#include "engine/script/setup_log.h"
#include "engine/startup/command_line.h"
#include "engine/startup/message_table.h"

namespace zk::startup {

struct EngineContext {
    std::string engineFolder;      // folder of the running executable, with "\"
    std::string baseName;          // executable name without extension
    std::string tempFolder;        // user's temporary folder, with "\"
    std::string resourceArchive;   // engineFolder + baseName + ".res"
    std::string supportFolder;     // tempFolder + "zor" + n + "\"
    std::string dataFolder;        // engineFolder + "data\"
    StartupOptions options;
    MessageTable messages;
    script::SetupLog log;
    script::ScriptImage image;
    int exitCode = 0;
};

// Caption of every engine message box.
std::string EngineCaption(const std::string& title, bool myahLogo);

} // namespace zk::startup
